// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace vorlix {

// The system registry, read-only and only as far as the program reads it.
class Registry {
public:
    using Key = std::uint32_t;
    static constexpr Key HKEY_LOCAL_MACHINE = 0x80000002;
    static constexpr std::uint32_t KEY_ALL_ACCESS = 0x2003F;
    static constexpr std::uint32_t REG_SZ = 1;
    static constexpr std::uint32_t REG_DWORD = 4;

    struct Value {
        std::uint32_t type = 0;
        QByteArray data;
    };

    virtual ~Registry() = default;

    // Opens `keyName` under `root`; nothing when the key cannot be opened.
    virtual std::optional<Key> openKey(Key root, const QString& keyName, std::uint32_t access) = 0;
    // Reads the value `name` into a buffer of `room` bytes: its type and the
    // bytes written. Nothing when the value is missing or larger than `room`.
    virtual std::optional<Value> queryValue(Key key, const QString& name, qsizetype room) = 0;
    // Closes a key; closing 0, the handle of a failed open, does nothing.
    virtual void closeKey(Key key) = 0;
};

// What the desktop offers in place of a registry: the system information
// tool's path is the first of a few known tools found on PATH. Every other
// key is absent.
class DesktopRegistry : public Registry {
public:
    std::optional<Key> openKey(Key root, const QString& keyName, std::uint32_t access) override;
    std::optional<Value> queryValue(Key key, const QString& name, qsizetype room) override;
    void closeKey(Key) override {}
};

// The key and value naming the system information tool, and the key and
// value naming the folder that holds it.
inline const QString kMsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
inline const QString kMsInfoPathValue = QStringLiteral("PATH");
inline const QString kMsInfoFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
inline const QString kMsInfoFolderValue = QStringLiteral("MSINFO");

// System information tools, in the order they are looked for.
inline const QStringList kSysInfoTools{QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
                                       QStringLiteral("lshw-gtk")};

} // namespace vorlix
