// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CommonDialog.h"

#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"

namespace vorlix {

CommonDialog::CommonDialog(FileDialog& dialogs, QWidget* owner, HelpViewer* help)
    : dialogs_(dialogs), owner_(owner), help_(help)
{
}

QString CommonDialog::FileTitle() const
{
    const qsizetype slash = fileName_.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    const qsizetype cut = std::max(slash, fileName_.lastIndexOf(u'\\'));
#else
    const qsizetype cut = slash;
#endif
    return fileName_.mid(cut + 1);
}

bool CommonDialog::ShowOpen()
{
    const auto chosen = dialogs_.getOpenFileName(owner_, Filter, fileName_);
    if (!chosen || chosen->isEmpty())
        return false;
    fileName_ = *chosen;
    return true;
}

bool CommonDialog::ShowHelp()
{
    return help_ && help_->showHelp(HelpFile, HelpCommand);
}

} // namespace vorlix
