// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace vorlix {

// The system's file-open dialog.
class FileDialog {
public:
    virtual ~FileDialog() = default;

    // Shows a modal file-open dialog. `filter` is in "Description|pattern"
    // pairs ("Mp3|*.mp3"); `initial` preselects a file. Returns the chosen
    // file's full path, or nothing when the user cancels.
    virtual std::optional<QString> getOpenFileName(QWidget* parent, const QString& filter,
                                                   const QString& initial) = 0;
};

class QtFileDialog : public FileDialog {
public:
    std::optional<QString> getOpenFileName(QWidget* parent, const QString& filter,
                                           const QString& initial) override;
};

// "Mp3|*.mp3|All|*.*" -> "Mp3 (*.mp3);;All (*.*)"
QString qtNameFilters(const QString& filter);

} // namespace vorlix
