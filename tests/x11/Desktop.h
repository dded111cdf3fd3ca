// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A desktop of the test's own: Xvfb with openbox (or, without `wm`, a bare X
// server), a session bus, the built player on a play list of generated tones,
// the mouse and the keyboard through xdotool.
#include "x11/XSession.h"

#include <QDir>
#include <QStandardPaths>

namespace vorlix::x11 {

class Desktop {
public:
    ~Desktop()
    {
        for (QProcess* p : {&player, &openbox_, &bus_})
            p->kill(), p->waitForFinished();
    }

    // Empty when the desktop is up; otherwise why it is not.
    QString start(bool wm = true)
    {
        for (const char* tool : {wm ? "openbox" : "xdotool", "xdotool", "sox", "lame"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                return QString(tool) + " is not installed";
        QString error;
        if (!(xvfb = Xvfb::start(&error)) || !(x = XConnection::open(xvfb->display())))
            return "no X server: " + error;
        // Home, settings and the play list in the scratch folder; no sound device.
        env = xvfb->clientEnvironment();
        env.insert("HOME", scratch.path());
        env.insert("XDG_CONFIG_HOME", scratch.filePath("config"));
        env.insert("XDG_CACHE_HOME", scratch.path());
        env.insert("SDL_AUDIODRIVER", "dummy");
        // A session bus of its own: the player never meets the machine's,
        // nor one that libdbus would start for it.
        bus_.start("dbus-daemon", {"--session", "--nofork", "--print-address", "--address=unix:dir=" + scratch.path()});
        if (!bus_.waitForReadyRead(10000))
            return "no dbus-daemon";
        env.insert("DBUS_SESSION_BUS_ADDRESS", bus_.readLine().trimmed());
        if (!wm)
            return {};
        openbox_.setProcessEnvironment(env);
        openbox_.start("openbox", {"--sm-disable"});
        return waitUntil([&] { return !x->property(x->root(), "_NET_SUPPORTING_WM_CHECK").isEmpty(); })
                   ? QString() : "openbox did not come up";
    }

    // The play list: a minute of tone for each name.
    bool writeList(const QStringList& names) const
    {
        QFile list(listFile());
        for (const QString& name : names) {
            const QString mp3 = scratch.filePath(name + ".mp3");
            if (QProcess::execute("sox", {"-n", "-r", "8000", mp3 + ".wav", "synth", "60", "sine", "440"}) ||
                QProcess::execute("lame", {"--quiet", mp3 + ".wav", mp3}) || !QDir().mkpath(scratch.filePath("vorlix")) ||
                !list.open(QIODevice::Append) || list.write(QFile::encodeName(mp3) + "\r\n") <= 0)
                return false;
            list.close();
        }
        return true;
    }
    QString listFile() const { return scratch.filePath("vorlix/mp3list.ini"); }
    QByteArray listBytes() const
    {
        QFile file(listFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
    }

    // Starts the player; its window once it is managed (given half a
    // minute on a busy machine), nothing as soon as the player ends.
    std::optional<TopLevel> launch()
    {
        player.setProcessEnvironment(env);
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(VORLIX_PLAYER_PATH, {});
        waitUntil([&] { return find("Ormatel") || player.state() == QProcess::NotRunning; }, std::chrono::seconds(30));
        return find("Ormatel");
    }

    // The player's window titled `name`.
    std::optional<TopLevel> find(const QString& name) const
    {
        return x->findMapped(player.processId(), [&](const TopLevel& t) { return t.name == name; });
    }
    std::optional<TopLevel> waitFor(const QString& name) const
    {
        return x->waitFor(player.processId(), [&](const TopLevel& t) { return t.name == name; });
    }
    bool gone(const QString& name) const { return waitUntil([&] { return !find(name); }); }

    bool key(const TopLevel& window, const QString& keys) const
    {
        return xvfb->xdotool({"windowactivate", "--sync", QString::number(window.id)}) && xvfb->xdotool({"key", keys});
    }

    QTemporaryDir scratch;
    std::unique_ptr<Xvfb> xvfb;
    std::unique_ptr<XConnection> x;
    QProcessEnvironment env; // the player's
    QProcess player;

private:
    QProcess openbox_, bus_;
};

} // namespace vorlix::x11
