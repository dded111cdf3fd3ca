// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MsgBox.h"

#include "platform/FocusReturn.h"

#include "platform/WindowHints.h"

#include <QMessageBox>

namespace vorlix {

int QtMsgBox::show(QWidget* parent, const QString& prompt, int style, const QString& title)
{
    const FocusReturn back(parent);
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(prompt);
    // A path or an address in the text can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    switch (style & 0x70) {
    case MsgBoxStyle::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgBoxStyle::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    if ((style & 0x7) == MsgBoxStyle::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // A message box has a fixed size: a close button only in its title bar.
    askForCloseButtonOnly(box, FixedWindowKind::Dialog);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgBoxResult::Yes;
    case QMessageBox::No:
        return MsgBoxResult::No;
    case QMessageBox::Ok:
        return MsgBoxResult::Ok;
    default:
        return MsgBoxResult::Cancel;
    }
}

} // namespace vorlix
