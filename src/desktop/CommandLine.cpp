// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/CommandLine.h"

#include "platform/TempFolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>
#include <utility>

namespace vorlix {

namespace {

// Qt's own options that the toolkit reads from the command line.
constexpr const char* kQtOptionsWithValue[] = {"-platform", "-display", "-style", "-platformtheme", "-qwindowgeometry"};
constexpr const char* kQtFlags[] = {"-reverse", "-sync", "-nograb", "-dograb"};

bool among(const QByteArray& argument, const auto& names)
{
    return std::any_of(std::begin(names), std::end(names), [&](const char* name) { return argument == name; });
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv)
{
    const std::pair<const char*, const char*> presses[] = {
        {"--play-pause", "PlayPause"}, {"--next", "Next"}, {"--previous", "Previous"}};
    CommandLine line;
    if (argc > 0)
        line.qtArguments.append(argv[0]);
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (!options || argument == "-" || !argument.startsWith('-')) {
            line.files.append(argument);
            continue;
        }
        if (argument == "--") {
            options = false;
        } else if (argument == "--help" || argument == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (argument == "--version" || argument == "-v") {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (among(argument, kQtOptionsWithValue) && i + 1 < argc) {
            line.qtArguments << argument << argv[++i];
        } else if (among(argument, kQtFlags)) {
            line.qtArguments << argument;
        } else {
            const auto press = std::find_if(std::begin(presses), std::end(presses),
                                            [&](const auto& p) { return argument == p.first; });
            if (press == std::end(presses)) {
                line.action = CommandLine::Action::BadOption;
                line.badOption = argument;
                return line;
            }
            line.commands.append(QString::fromLatin1(press->second));
        }
    }
    return line;
}

QString commandLineText(const char* source)
{
    if (QCoreApplication::instance())
        return QCoreApplication::translate("vorlix", source);
    // Without the application its folder is the executable's, read from
    // the system.
    static const QTranslator* const catalogue = [] {
        static QTranslator translator;
        const QString folder = dataFolderOf(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
        return translator.load(QLocale::system(), QStringLiteral("vorlix"), QStringLiteral("_"),
                               folder + QStringLiteral("/translations"))
            ? &translator
            : nullptr;
    }();
    const QString text = catalogue ? catalogue->translate("vorlix", source) : QString();
    return text.isEmpty() ? QString::fromUtf8(source) : text;
}

QString usageText()
{
    return commandLineText(QT_TRANSLATE_NOOP(
        "vorlix",
        "Usage: vorlix [OPTION] [FILE|URI...]\n"
        "Play MP3 files on a small skinned player.\n"
        "\n"
        "Files, folders and file:// URIs are added to the play list and the first\n"
        "of them plays. When Vorlix is already running, they go to that player.\n"
        "\n"
        "  -h, --help        show this help and exit\n"
        "  -v, --version     show the version and exit\n"
        "      --play-pause  press Play or Pause on the running player\n"
        "      --next        play the next song of the running player's list\n"
        "      --previous    play the previous song of the running player's list\n"));
}

} // namespace vorlix
