// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A desktop of the test's own: Xvfb with openbox, the built player on a play
// list of generated tones, the mouse and the keyboard through xdotool.
#include "x11/XSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <cstring>

namespace vorlix::x11 {

// A window the window manager manages: its title, client area and frame.
struct Client {
    quint32 id = 0;
    QString name;
    QRect client;
    QRect frame;
};

class Desktop {
public:
    ~Desktop()
    {
        for (QProcess* p : {&player, &openbox_, &bus_}) {
            p->kill();
            p->waitForFinished();
        }
    }

    // Empty when the desktop is up; otherwise why it is not.
    QString start()
    {
        for (const char* tool : {"openbox", "xdotool", "sox", "lame"})
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
        openbox_.setProcessEnvironment(env);
        openbox_.start("openbox", {"--sm-disable"});
        return waitUntil([&] { return !property(x->root(), "_NET_SUPPORTING_WM_CHECK").isEmpty(); })
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
    std::optional<Client> launch()
    {
        player.setProcessEnvironment(env);
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(VORLIX_PLAYER_PATH, {});
        waitUntil([&] { return find("Ormatel") || player.state() == QProcess::NotRunning; }, std::chrono::seconds(30));
        return find("Ormatel");
    }

    // The player's managed windows.
    std::vector<Client> clients() const
    {
        xcb_connection_t* c = x->raw();
        std::vector<Client> result;
        const QByteArray list = property(x->root(), "_NET_CLIENT_LIST");
        for (int i = 0; i < list.size() / 4; ++i) {
            const quint32 id = cardinal(list, i);
            auto* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr);
            auto* t = xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, x->root(), 0, 0), nullptr);
            if (g && t && cardinal(property(id, "_NET_WM_PID"), 0) == player.processId()) {
                const QRect client(t->dst_x, t->dst_y, g->width, g->height);
                const QByteArray e = property(id, "_NET_FRAME_EXTENTS"); // left, right, top, bottom
                result.push_back({id, QString::fromUtf8(property(id, "WM_NAME")), client,
                                  client.adjusted(-int(cardinal(e, 0)), -int(cardinal(e, 2)), cardinal(e, 1), cardinal(e, 3))});
            }
            std::free(g);
            std::free(t);
        }
        return result;
    }
    std::optional<Client> find(const QString& name) const
    {
        for (const Client& c : clients())
            if (c.name == name)
                return c;
        return std::nullopt;
    }
    std::optional<Client> waitFor(const QString& name) const
    {
        waitUntil([&] { return find(name).has_value(); });
        return find(name);
    }
    bool gone(const QString& name) const { return waitUntil([&] { return !find(name); }); }

    bool click(QPoint at, int count = 1)
    {
        waitUntil([&] { return !sinceClick_.isValid() || sinceClick_.hasExpired(600); }); // no double-click
        sinceClick_.start();
        return xvfb->runTool("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                                         "--repeat", QString::number(count), "--delay", "80", "1"});
    }
    bool key(const Client& window, const QString& keys) const
    {
        return xvfb->runTool("xdotool", {"windowactivate", "--sync", QString::number(window.id)}) &&
               xvfb->runTool("xdotool", {"key", keys});
    }

    QTemporaryDir scratch;
    std::unique_ptr<Xvfb> xvfb;
    std::unique_ptr<XConnection> x;
    QProcessEnvironment env; // the player's
    QProcess player;

private:
    QByteArray property(quint32 window, const char* name) const
    {
        xcb_connection_t* c = x->raw();
        auto* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
        auto* p = xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, atom ? atom->atom : 0, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), nullptr);
        const QByteArray bytes = p ? QByteArray(static_cast<const char*>(xcb_get_property_value(p)),
                                                xcb_get_property_value_length(p))
                                   : QByteArray();
        std::free(atom);
        std::free(p);
        return bytes;
    }
    static quint32 cardinal(const QByteArray& bytes, int i)
    {
        return bytes.size() >= 4 * (i + 1) ? reinterpret_cast<const quint32*>(bytes.constData())[i] : 0;
    }

    QProcess openbox_, bus_;
    QElapsedTimer sinceClick_;
};

} // namespace vorlix::x11
