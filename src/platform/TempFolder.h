// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace vorlix {

// The folder where Vorlix keeps its own small files between runs (the
// playlist). On Linux this is the user's private cache folder
// $XDG_CACHE_HOME/vorlix/ (~/.cache/vorlix/ when XDG_CACHE_HOME is unset,
// empty or relative), never a shared folder such as /tmp, where another user
// could put a file or a link in our way. On Windows it is the user's temp
// folder.
//
// Missing folders are created with mode 0700. An existing vorlix folder must
// be a directory owned by this user; if group or others may write into it,
// it is tightened to 0700. A folder that is there but read-only is returned
// too: the list can still be read. The returned path ends in "/".
// Returns nullopt when the folder cannot be named (no home) or made, or when
// the existing one belongs to someone else or is not a directory.
std::optional<QString> userTempFolder();

// The folder of the program's data (sounds, help file, translations), given
// the program's own folder: the program's folder itself when the data lie
// beside it, as in the build folder; otherwise share/vorlix of the install
// the program belongs to.
QString dataFolderOf(const QString& programFolder);

} // namespace vorlix
