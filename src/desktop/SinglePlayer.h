// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>

#include <optional>

namespace vorlix {

// What a later start hands to the running player: its files as given, the
// folder they are relative to, and button presses ("PlayPause", ...).
struct PlayerRequest {
    QByteArray workingFolder;
    QList<QByteArray> files;
    QStringList commands;

    QByteArray encode() const;
    static std::optional<PlayerRequest> decode(const QByteArray& bytes);
};

// One player per user: the first start holds a lock in the user's runtime
// folder ($XDG_RUNTIME_DIR) for as long as it runs and listens on a socket
// beside it; a later start finds the lock taken and hands its request over
// through the socket. The kernel lets go of the lock of a killed player, so
// the socket it leaves behind is taken over, never obeyed. Taking the lock
// never waits.
class PlayerLock {
public:
    // `runtimeFolder` empty: no folder to meet in, every start plays alone.
    explicit PlayerLock(QByteArray runtimeFolder);
    ~PlayerLock();
    PlayerLock(const PlayerLock&) = delete;
    PlayerLock& operator=(const PlayerLock&) = delete;

    enum class Role { Alone, First, Later };
    Role take();
    QByteArray socketPath() const { return folder_ + "/vorlix.socket"; }

    // $XDG_RUNTIME_DIR when it names an absolute folder, else empty.
    static QByteArray userRuntimeFolder();

private:
    QByteArray folder_;
    int fd_ = -1;
    QByteArray path_;
};

// Sends the request to the player listening at `socketPath`. While that
// player is still starting its socket may not be there yet: it is tried again
// for up to `patienceMs`. False when no player took it.
bool handOver(const QByteArray& socketPath, const PlayerRequest& request, int patienceMs);

// The running player's end of the socket.
class PlayerService : public QObject {
    Q_OBJECT
public:
    explicit PlayerService(QObject* parent = nullptr);
    ~PlayerService() override;
    // Replaces whatever socket file is there: the caller holds the lock.
    bool listen(const QByteArray& socketPath);

signals:
    void requested(const PlayerRequest& request);

private:
    void accept();
    int fd_ = -1;
    QByteArray path_;
};

} // namespace vorlix
