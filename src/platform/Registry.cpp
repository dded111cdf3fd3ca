// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Registry.h"

#include <QFile>
#include <QStandardPaths>
#include <QStringList>

namespace vorlix {

namespace {

constexpr Registry::Key kMsInfoHandle = 1;

} // namespace

std::optional<Registry::Key> DesktopRegistry::openKey(Key root, const QString& keyName, std::uint32_t)
{
    // Key names are not case-sensitive.
    if (root == HKEY_LOCAL_MACHINE && keyName.compare(kMsInfoKey, Qt::CaseInsensitive) == 0)
        return kMsInfoHandle;
    return std::nullopt;
}

std::optional<Registry::Value> DesktopRegistry::queryValue(Key key, const QString& name, qsizetype room)
{
    if (key != kMsInfoHandle || name.compare(kMsInfoPathValue, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    for (const QString& tool : kSysInfoTools) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (path.isEmpty())
            continue;
        Value value{REG_SZ, QFile::encodeName(path) + '\0'};
        if (value.data.size() > room)
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

} // namespace vorlix
