// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/SinglePlayer.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QIODevice>
#include <QSocketNotifier>

#include <memory>

#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vorlix {

namespace {

constexpr quint32 kMagic = 0x566f7231; // "Vor1"
// Far more than any command line; a peer sending more is cut off.
constexpr qsizetype kMostBytes = 64 * 1024 * 1024;

int connectTo(const QByteArray& path)
{
    sockaddr_un address{};
    if (path.size() >= qsizetype(sizeof address.sun_path)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    // A player that stopped reading does not hold us for ever.
    timeval limit{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

QByteArray PlayerRequest::encode() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kMagic << workingFolder << files << commands;
    return bytes;
}

std::optional<PlayerRequest> PlayerRequest::decode(const QByteArray& bytes)
{
    QDataStream in(bytes);
    quint32 magic = 0;
    PlayerRequest request;
    in >> magic >> request.workingFolder >> request.files >> request.commands;
    if (magic != kMagic || in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return request;
}

PlayerLock::PlayerLock(QByteArray runtimeFolder) : folder_(std::move(runtimeFolder)) {}

PlayerLock::~PlayerLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

QByteArray PlayerLock::userRuntimeFolder()
{
    const QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    return folder.startsWith('/') ? folder : QByteArray();
}

PlayerLock::Role PlayerLock::take()
{
    if (folder_.isEmpty())
        return Role::Alone;
    fd_ = ::open((folder_ + "/vorlix.lock").constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0)
        return Role::Alone;
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
        return Role::First;
    const bool held = errno == EWOULDBLOCK;
    ::close(fd_);
    fd_ = -1;
    return held ? Role::Later : Role::Alone;
}

bool handOver(const QByteArray& socketPath, const PlayerRequest& request, int patienceMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const int fd = connectTo(socketPath);
        if (fd >= 0) {
            const bool sent = writeAll(fd, request.encode());
            ::close(fd);
            return sent;
        }
        if ((errno != ENOENT && errno != ECONNREFUSED) || clock.elapsed() >= patienceMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

PlayerService::PlayerService(QObject* parent) : QObject(parent) {}

PlayerService::~PlayerService()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    ::unlink(path_.constData());
}

bool PlayerService::listen(const QByteArray& socketPath)
{
    sockaddr_un address{};
    if (fd_ >= 0 || socketPath.size() >= qsizetype(sizeof address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.constData(), socketPath.size());
    ::unlink(socketPath.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const mode_t mask = ::umask(0077); // the user's own, whatever the folder
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::umask(mask);
    if (!bound || ::listen(fd, 16) != 0) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = socketPath;
    auto* incoming = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(incoming, &QSocketNotifier::activated, this, &PlayerService::accept);
    return true;
}

void PlayerService::accept()
{
    for (;;) {
        const int peer = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (peer < 0)
            return;
        auto* readable = new QSocketNotifier(peer, QSocketNotifier::Read, this);
        auto bytes = std::make_shared<QByteArray>();
        connect(readable, &QSocketNotifier::activated, this, [this, peer, readable, bytes] {
            char chunk[65536];
            const ssize_t n = ::read(peer, chunk, sizeof chunk);
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                return;
            if (n > 0 && bytes->size() + n <= kMostBytes) {
                bytes->append(chunk, n);
                return;
            }
            // The peer hung up (or sent more than any request): the request is whole.
            readable->setEnabled(false);
            readable->deleteLater();
            ::close(peer);
            if (n == 0)
                if (const std::optional<PlayerRequest> request = PlayerRequest::decode(*bytes))
                    emit requested(*request);
        });
    }
}

} // namespace vorlix
