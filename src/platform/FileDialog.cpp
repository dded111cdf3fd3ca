// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileDialog.h"

#include "platform/FocusReturn.h"

#include <QFileDialog>
#include <QStringList>

namespace vorlix {

QString qtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        filters.append(QStringLiteral("%1 (%2)").arg(parts[i], patterns));
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<QString> QtFileDialog::getOpenFileName(QWidget* parent, const QString& filter,
                                                     const QString& initial)
{
    const FocusReturn back(parent);
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(qtNameFilters(filter));
    if (!initial.isEmpty())
        dialog.selectFile(initial);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace vorlix
