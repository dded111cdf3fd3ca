#pragma once

#include "platform/HelpViewer.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <QHash>
#include <QStringList>

namespace vorlix::test {

// Records each help command as "<command> <file>".
struct FakeHelpViewer : HelpViewer {
    bool showHelp(const QString& file, int command) override
    {
        shown << QStringLiteral("%1 %2").arg(command).arg(file);
        return true;
    }
    void close() override { ++closes; }
    QStringList shown;
    int closes = 0;
};

// Keys under HKEY_LOCAL_MACHINE with typed values, as `keys[key][name]`
// (names in lower case). A handle is the key's place in `opened`, plus one.
struct FakeRegistry : Registry {
    std::optional<Key> openKey(Key root, const QString& keyName, std::uint32_t) override
    {
        if (root != HKEY_LOCAL_MACHINE || !keys.contains(keyName.toLower()))
            return std::nullopt;
        opened << keyName.toLower();
        return Key(opened.size());
    }
    std::optional<Value> queryValue(Key key, const QString& name, qsizetype room) override
    {
        const auto values = keys.value(opened.value(int(key) - 1));
        const auto found = values.find(name.toLower());
        if (found == values.end() || found->data.size() > room)
            return std::nullopt;
        return *found;
    }
    void closeKey(Key) override {}
    QHash<QString, QHash<QString, Value>> keys;
    QStringList opened;
};

// Records the programs started and the addresses opened.
struct FakeShell : Shell {
    bool startProgram(const QString& program) override
    {
        started << program;
        return startResult;
    }
    bool openUrl(const QString& address) override
    {
        opened << address;
        return false;
    }
    bool startResult = true;
    QStringList started;
    QStringList opened;
};

} // namespace vorlix::test
