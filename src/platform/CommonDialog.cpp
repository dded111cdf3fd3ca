// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CommonDialog.h"

#include "platform/FileDialog.h"
#include "platform/HelpViewer.h"

namespace vorlix {

CommonDialog::CommonDialog(FileDialog& dialogs, QWidget* owner, HelpViewer* help)
    : dialogs_(dialogs), owner_(owner), help_(help)
{
}

namespace {

QString fileTitleOf(const QString& fileName)
{
    const qsizetype slash = fileName.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    const qsizetype cut = std::max(slash, fileName.lastIndexOf(u'\\'));
#else
    const qsizetype cut = slash;
#endif
    return fileName.mid(cut + 1);
}

} // namespace

bool CommonDialog::ShowOpen()
{
    const auto chosen = dialogs_.getOpenFileName(owner_, Filter, fileName_);
    if (!chosen || chosen->isEmpty())
        return false;
    fileName_ = *chosen;
    // Worked out once here: the display asks for it every second.
    fileTitle_ = fileTitleOf(fileName_);
    return true;
}

bool CommonDialog::ShowHelp()
{
    return help_ && help_->showHelp(HelpFile, HelpCommand);
}

} // namespace vorlix
