// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's texts look for their translations beside the program;
// the fuzz targets have none.
#include "platform/TempFolder.h"

QString vorlix::dataFolderOf(const QString& programFolder) { return programFolder; }
