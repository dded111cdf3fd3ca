#include "playlist/PlaylistFile.h"

#include <QFile>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorlix {

QList<QByteArray> parsePlaylist(QByteArrayView bytes)
{
    QList<QByteArray> entries;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\r' && *q != '\n')
            ++q;
        entries.append(QByteArray(p, q - p));
        if (q == end)
            break;
        // CR LF is one line end; a lone CR or a lone LF is one too.
        q += (*q == '\r' && q + 1 < end && q[1] == '\n') ? 2 : 1;
        p = q;
    }
    return entries;
}

bool fitsPlaylistLine(QByteArrayView entry)
{
    return !entry.contains('\r') && !entry.contains('\n');
}

QByteArray serializePlaylist(const QList<QByteArray>& entries)
{
    qsizetype size = 0;
    for (const QByteArray& e : entries)
        size += e.size() + 2;
    QByteArray out;
    out.reserve(size);
    for (const QByteArray& e : entries) {
        if (!fitsPlaylistLine(e))
            continue;
        out += e;
        out += "\r\n";
    }
    return out;
}

QString playlistFilePath(const QString& tempFolder)
{
    return tempFolder + QStringLiteral("mp3list.ini");
}

#ifdef Q_OS_WIN

PlaylistRead readPlaylistFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {PlaylistRead::Status::Unreadable, {}};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {PlaylistRead::Status::Unreadable, {}};
    return {PlaylistRead::Status::Read, parsePlaylist(bytes)};
}

bool writePlaylistFile(const QString& path, const QList<QByteArray>& entries)
{
    // QSaveFile writes a temporary file beside the target, flushes it and
    // renames it over the target.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = serializePlaylist(entries);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

#else

namespace {

bool readAll(int fd, QByteArray& out, qsizetype sizeHint)
{
    out.reserve(sizeHint + 1);
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            out.append(buffer, n);
        else if (n == 0)
            return true;
        else if (errno != EINTR)
            return false;
    }
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    if (slash == 0)
        return "/";
    return path.left(slash);
}

} // namespace

PlaylistRead readPlaylistFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: a FIFO put at our place must not hang the program.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        return {PlaylistRead::Status::Unreadable, {}};
    }
    struct stat st {};
    QByteArray bytes;
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)
        && readAll(fd, bytes, qsizetype(st.st_size));
    ::close(fd);
    if (!ok)
        return {PlaylistRead::Status::Unreadable, {}};
    return {PlaylistRead::Status::Read, parsePlaylist(bytes)};
}

bool writePlaylistFile(const QString& path, const QList<QByteArray>& entries)
{
    const QByteArray target = QFile::encodeName(path);
    if (target.isEmpty() || target.endsWith('/'))
        return false;
    const QByteArray folder = folderOf(target);
    const QByteArray base = target.mid(target.lastIndexOf('/') + 1);

    // The new file is made beside the old one, so that rename() can put it in
    // place in one step. rename() replaces whatever name is at target, a
    // symbolic link included, and never writes through the link.
    QByteArray temp = folder + "/." + base + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return false;

    const QByteArray bytes = serializePlaylist(entries);
    bool ok = ::fchmod(fd, 0600) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return false;
    }

    // Make the rename itself durable. The new file is in place whatever this
    // returns, so a failure here is not reported as a failed save.
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

#endif

} // namespace vorlix
