// SPDX-License-Identifier: GPL-3.0-or-later
// The command line on arbitrary arguments (the bytes cut at each NUL): the
// program name first, files in order with their bytes, known presses only,
// and on a plain run every argument counted once (a first "--" dropped).
#include "desktop/CommandLine.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using vorlix::CommandLine;
    const QList<QByteArray> args = QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0');
    std::vector<const char*> argv;
    for (const QByteArray& a : args)
        argv.push_back(a.constData());
    const CommandLine line = vorlix::parseCommandLine(int(argv.size()), argv.data());

    if (line.qtArguments.isEmpty() || line.qtArguments.first() != args.first())
        std::abort();
    qsizetype next = 1;
    for (const QByteArray& file : line.files) {
        while (next < args.size() && args[next] != file)
            ++next;
        if (next++ == args.size())
            std::abort();
    }
    for (const QString& press : line.commands)
        if (press != "PlayPause" && press != "Next" && press != "Previous")
            std::abort();
    if ((line.action == CommandLine::Action::BadOption) !=
        (!line.badOption.isEmpty() && line.badOption.startsWith('-') && args.mid(1).contains(line.badOption)))
        std::abort();
    if (line.action == CommandLine::Action::Run) {
        const qsizetype counted = line.qtArguments.size() + line.files.size() + line.commands.size();
        if (counted != args.size() && !(counted == args.size() - 1 && args.contains("--")))
            std::abort();
    }
    return 0;
}
