// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "about/LinkLabel.h"
#include "app/Form.h"

#include <QLine>

class QLabel;
class QPushButton;

namespace vorlix {

class Forms;
class ImageControl;

// The web site that the about dialog shows and opens.
inline const QString kWebAddress = QStringLiteral("https://vorlix.org/");

// The about dialog, opened from the about launcher: title, requirements,
// credits, a photograph of the device, a disclaimer, the web site link and
// a button that starts the system information tool.
class frmAbout : public Form {
    Q_OBJECT
public:
    explicit frmAbout(Forms& forms);

    // Controls, front to back. lblVersion has the indices 0, 1, 3 and 4,
    // Label3 only the index 2; the other slots are empty.
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
    QLabel* label_warning;
    LinkLabel* Label3[3] = {};
    QLabel* lblVersion[5] = {};
    ImageControl* Image1;
    QLabel* lblTitle;
    QLabel* lblDisclaimer;
    // The etched separator: a grey line over a white one, drawn on the form.
    QLine Line1[2];

    void Form_Load() override;
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();
    void Label3_MouseMove(int Index);
    void Form_MouseMove();
    void Label3_Click(int Index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* label(const QRect& rect, const QString& caption);
    void nameControls();
    void showSysInfoFailure();

    Forms& forms_;
};

} // namespace vorlix
