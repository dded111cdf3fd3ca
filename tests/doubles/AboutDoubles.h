// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HelpViewer.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <QHash>
#include <QStringList>

namespace vorlix::test {

// Records each help command as "<command> <file>".
struct FakeHelpViewer : HelpViewer {
    bool showHelp(const QString& file, int command) override { shown << QStringLiteral("%1 %2").arg(command).arg(file); return true; }
    void close() override { ++closes; }
    QStringList shown;
    int closes = 0;
};

// Values under HKEY_LOCAL_MACHINE, by "<key>|<value name>" in lower case.
struct FakeRegistry : Registry {
    std::optional<Key> openKey(Key root, const QString& keyName, std::uint32_t) override
    {
        opened = keyName.toLower() + u'|';
        const auto under = [this](const QString& path) { return path.startsWith(opened); };
        return root == HKEY_LOCAL_MACHINE && std::ranges::any_of(values.keys(), under) ? std::optional<Key>(1) : std::nullopt;
    }
    std::optional<Value> queryValue(Key, const QString& name, qsizetype room) override
    {
        const auto found = values.constFind(opened + name.toLower());
        return found == values.constEnd() || found->data.size() > room ? std::nullopt : std::optional(*found);
    }
    void closeKey(Key) override {}
    QHash<QString, Value> values;
    QString opened;
};

// Records the programs started and the addresses opened.
struct FakeShell : Shell {
    bool startProgram(const QString& program) override { started << program; return startResult; }
    void openUrl(const QString& address, QObject*, std::function<void(bool)> told) override { opened << address; told(openResult); }
    bool startResult = true, openResult = false;
    QStringList started, opened;
};

} // namespace vorlix::test
