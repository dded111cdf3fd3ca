// SPDX-License-Identifier: GPL-3.0-or-later
// The command line on arbitrary arguments (the bytes cut at each NUL): the
// program name first, files in order with their bytes, known presses only,
// and on a plain run every argument counted once (a first "--" dropped).
#include "FuzzInput.h"
#include "desktop/CommandLine.h"

#include <vector>

FUZZ_TARGET(bytes)
{
    using vorlix::CommandLine;
    const QList<QByteArray> args = bytes.split('\0');
    std::vector<const char*> argv;
    for (const QByteArray& a : args)
        argv.push_back(a.constData());
    const CommandLine line = vorlix::parseCommandLine(int(argv.size()), argv.data());

    require(!line.qtArguments.isEmpty() && line.qtArguments.first() == args.first());
    qsizetype next = 1;
    for (const QByteArray& file : line.files) {
        while (next < args.size() && args[next] != file)
            ++next;
        require(next++ != args.size());
    }
    for (const QString& press : line.commands)
        require(press == "PlayPause" || press == "Next" || press == "Previous");
    require((line.action == CommandLine::Action::BadOption) ==
            (!line.badOption.isEmpty() && line.badOption.startsWith('-') && args.mid(1).contains(line.badOption)));
    const qsizetype counted = line.qtArguments.size() + line.files.size() + line.commands.size();
    require(line.action != CommandLine::Action::Run || counted == args.size() ||
            (counted == args.size() - 1 && args.contains("--")));
}
