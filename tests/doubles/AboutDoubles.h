#pragma once

#include "platform/HelpViewer.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace vorlix::test {

// Records each help command as "<command> <file>".
class FakeHelpViewer : public HelpViewer {
public:
    bool showHelp(const QString& file, int command) override
    {
        shown << QStringLiteral("%1 %2").arg(command).arg(file);
        return result;
    }
    void close() override { ++closes; }
    bool result = true;
    QStringList shown;
    int closes = 0;
};

// Keys under HKEY_LOCAL_MACHINE holding typed values. Handles are 1, 2, ...
// in the order of the opens; every close is recorded.
class FakeRegistry : public Registry {
public:
    void set(const QString& key, const QString& name, std::uint32_t type, const QByteArray& data)
    {
        keys[key.toLower()][name.toLower()] = Value{type, data};
    }
    std::optional<Key> openKey(Key root, const QString& keyName, std::uint32_t access) override
    {
        accesses << access;
        if (root != HKEY_LOCAL_MACHINE || !keys.contains(keyName.toLower()))
            return std::nullopt;
        opened << keyName.toLower();
        return Key(opened.size());
    }
    std::optional<Value> queryValue(Key key, const QString& name, qsizetype room) override
    {
        if (key == 0 || key > Key(opened.size()))
            return std::nullopt;
        const auto values = keys.value(opened[int(key) - 1]);
        if (!values.contains(name.toLower()) || values[name.toLower()].data.size() > room)
            return std::nullopt;
        return values[name.toLower()];
    }
    void closeKey(Key key) override { closed << key; }

    QHash<QString, QHash<QString, Value>> keys;
    QStringList opened;
    QList<std::uint32_t> accesses;
    QList<Key> closed;
};

// Records the programs started and the addresses opened.
class FakeShell : public Shell {
public:
    bool startProgram(const QString& program) override
    {
        started << program;
        return startResult;
    }
    bool openUrl(const QString& address) override
    {
        opened << address;
        return openResult;
    }
    bool startResult = true;
    bool openResult = true;
    QStringList started;
    QStringList opened;
};

} // namespace vorlix::test
