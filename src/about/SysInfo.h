// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Registry.h"

#include <QString>

namespace vorlix {

// Reads one registry value as text into KeyVal: a string value as it is
// stored, less its terminating NUL; a 32-bit number as decimal; any other
// type leaves KeyVal as it was. False, with KeyVal empty, when the key or
// value cannot be read or the value is longer than 1024 bytes.
bool GetKeyValue(Registry& registry, Registry::Key KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal);

// Shown when the system information tool cannot be found or started.
inline const QString kSysInfoUnavailable = QStringLiteral("目前無法提供系統資訊");

// The tool's file name in the folder that the registry may name instead.
inline const QString kMsInfoFile = QStringLiteral("MSINFO32.EXE");

} // namespace vorlix
