// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace vorlix {

class FileDialog;
class HelpViewer;

// A window's common dialog: it remembers its filter and the last chosen file
// between uses and shows the system's file-open dialog.
class CommonDialog {
public:
    explicit CommonDialog(FileDialog& dialogs, QWidget* owner = nullptr, HelpViewer* help = nullptr);

    QString Filter;
    // The help file and command that the help viewer is handed.
    QString HelpFile;
    int HelpCommand = 0;

    // The last chosen file's full path; empty before the first choice and
    // unchanged by a cancel.
    const QString& FileName() const { return fileName_; }
    // The last chosen file's name without its folder.
    const QString& FileTitle() const { return fileTitle_; }

    // Shows the file-open dialog; true when the user chose a file.
    bool ShowOpen();
    // Hands HelpFile and HelpCommand to the help viewer; false when there is
    // no viewer or it could not carry the command out.
    bool ShowHelp();

private:
    FileDialog& dialogs_;
    QWidget* owner_;
    HelpViewer* help_;
    QString fileName_;
    QString fileTitle_;
};

} // namespace vorlix
