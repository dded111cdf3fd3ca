// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/Doors.h"

#include "app/Forms.h"
#include "desktop/Mpris.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>

#include <cstdio>

#include <unistd.h>

namespace vorlix {

namespace {

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

// For a player that this start cannot reach through the runtime folder (one
// started with another folder, or none): its media controls.
int pressOverSessionBus(const CommandLine& line)
{
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return 0;
    int argc = 1;
    char name[] = "vorlix";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    for (const QString& press : line.commands) {
        bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.mpris.MediaPlayer2.vorlix"),
                                                QStringLiteral("/org/mpris/MediaPlayer2"),
                                                QStringLiteral("org.mpris.MediaPlayer2.Player"), press),
                 QDBus::Block, 2000);
    }
    return 0;
}

} // namespace

QByteArray workingFolder()
{
    QByteArray folder(4096, '\0');
    while (!::getcwd(folder.data(), size_t(folder.size()))) {
        if (errno != ERANGE)
            return {}; // removed: relative names lead nowhere
        folder.resize(folder.size() * 2);
    }
    return QByteArray(folder.constData());
}

std::optional<int> answerCommandLine(const CommandLine& line)
{
    switch (line.action) {
    case CommandLine::Action::Run:
        return std::nullopt;
    case CommandLine::Action::Help:
        print(stdout, usageText());
        return 0;
    case CommandLine::Action::Version:
        print(stdout, QStringLiteral("Vorlix " VORLIX_VERSION "\n"));
        return 0;
    case CommandLine::Action::BadOption:
        print(stderr, commandLineText(QT_TRANSLATE_NOOP("vorlix", "vorlix: unknown option '%1'\n"))
                          .arg(QString::fromLocal8Bit(line.badOption)) + usageText());
        return 2;
    }
    return 2;
}

std::optional<int> passToRunningPlayer(const CommandLine& line, PlayerLock::Role role, const QByteArray& socketPath)
{
    if (role == PlayerLock::Role::Later) {
        // The first player may still be on its way up: it is given a moment.
        switch (handOver(socketPath, PlayerRequest{workingFolder(), line.files, line.commands}, 3000)) {
        case HandOver::Taken:
            return 0;
        case HandOver::Closing:
            print(stderr, commandLineText(QT_TRANSLATE_NOOP("vorlix", "vorlix: the running player is closing\n")));
            return 1;
        case HandOver::OtherUser:
            print(stderr, commandLineText(QT_TRANSLATE_NOOP("vorlix", "vorlix: %1 belongs to another user\n"))
                              .arg(QFile::decodeName(socketPath)));
            return 1;
        case HandOver::NoAnswer:
            break;
        }
        print(stderr, commandLineText(QT_TRANSLATE_NOOP("vorlix", "vorlix: the running player does not answer\n")));
        return 1;
    }
    if (!line.commands.isEmpty() && line.files.isEmpty())
        return pressOverSessionBus(line);
    return std::nullopt;
}

QtArguments::QtArguments(const CommandLine& line) : argc(int(line.qtArguments.size())), kept_(line.qtArguments)
{
    for (QByteArray& argument : kept_)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
}

Doors::Doors(Forms& forms, Mpris& mpris, QObject* parent)
    : QObject(parent), forms_(forms), mpris_(mpris), opener_(forms), drops_(opener_)
{
    // What was handed in is kept however soon the close comes.
    forms_.setBeforeClose([this] {
        service_.refuseAll();
        forms_.KeepSongs(opener_.finish());
    });
    qApp->installEventFilter(&drops_);
    mpris_.setOpener([this](const QByteArray& uri) { opener_.open({uri}, "/"); });
    connect(&service_, &PlayerService::requested, this, &Doors::take);
}

Doors::~Doors()
{
    forms_.setBeforeClose({});
}

void Doors::start(const CommandLine& line, PlayerLock::Role role, const QByteArray& socketPath)
{
    QString why;
    if (role == PlayerLock::Role::First && !service_.listen(socketPath, &why))
        print(stderr, QCoreApplication::translate("vorlix", "vorlix: later starts cannot reach this player: %1\n").arg(why));
    if (!line.files.isEmpty())
        opener_.open(line.files, workingFolder());
}

// A later start: its files, its presses, or with neither, the player to the
// front.
void Doors::take(const PlayerRequest& request)
{
    if (!request.files.isEmpty())
        opener_.open(request.files, request.workingFolder);
    for (const QString& press : request.commands) {
        if (press == QLatin1String("PlayPause"))
            mpris_.PlayPause();
        else if (press == QLatin1String("Next"))
            mpris_.Next();
        else if (press == QLatin1String("Previous"))
            mpris_.Previous();
    }
    if (request.files.isEmpty() && request.commands.isEmpty())
        mpris_.Raise();
}

} // namespace vorlix
