// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/SongPaths.h"

#include "player/Display.h"
#include "playlist/PlaylistFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <set>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlix {

namespace {

bool startsWithNoCase(QByteArrayView text, QByteArrayView start)
{
    return text.size() >= start.size() && text.first(start.size()).compare(start, Qt::CaseInsensitive) == 0;
}

// "scheme://" of any scheme: RFC 3986 letters, digits, "+", "-" and ".".
bool hasScheme(QByteArrayView text)
{
    const qsizetype colon = text.indexOf("://");
    if (colon <= 0 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    return std::all_of(text.begin(), text.begin() + colon, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

std::optional<QByteArray> fileUriPath(QByteArrayView uri)
{
    QByteArrayView rest = uri.sliced(5); // after "file:"
    if (rest.startsWith("//")) {
        rest = rest.sliced(2);
        const qsizetype slash = rest.indexOf('/');
        if (slash < 0)
            return std::nullopt;
        const QByteArrayView host = rest.first(slash);
        if (!host.isEmpty() && host.compare("localhost", Qt::CaseInsensitive) != 0)
            return std::nullopt;
        rest = rest.sliced(slash);
    }
    if (!rest.startsWith('/'))
        return std::nullopt;
    // A query or fragment is no part of the name; a "?" or "#" in a name
    // comes escaped.
    const auto end = std::find_if(rest.begin(), rest.end(), [](char c) { return c == '?' || c == '#'; });
    return QByteArray::fromPercentEncoding(QByteArray(rest.data(), end - rest.begin()));
}

// Opens as a program reading it would: a FIFO or device gives no song.
bool readableRegularFile(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

class Walker {
public:
    explicit Walker(FoundSongs& found) : found_(found) {}

    void argument(const QByteArray& path)
    {
        struct stat st {};
        if (path.isEmpty() || path.contains('\0')) {
            refuse(path, RefusedSong::Reason::Missing);
            return;
        }
        if (::stat(path.constData(), &st) != 0) {
            refuse(path, errno == EACCES ? RefusedSong::Reason::Unreadable : RefusedSong::Reason::Missing);
            return;
        }
        if (S_ISDIR(st.st_mode)) {
            QList<QByteArray> songs;
            folder(path, st, songs);
            std::sort(songs.begin(), songs.end());
            found_.songs += songs;
            return;
        }
        file(path, true, found_.songs);
    }

    void refuse(const QByteArray& path, RefusedSong::Reason reason) { found_.refused.append({path, reason}); }

private:
    void file(const QByteArray& path, bool named, QList<QByteArray>& songs)
    {
        if (!hasMp3Name(path)) {
            if (named)
                refuse(path, RefusedSong::Reason::NotMp3);
        } else if (!fitsPlaylistLine(path)) {
            refuse(path, RefusedSong::Reason::LineBreak);
        } else if (!readableRegularFile(path)) {
            refuse(path, RefusedSong::Reason::Unreadable);
        } else {
            songs.append(path);
        }
    }

    void folder(const QByteArray& path, const struct stat& st, QList<QByteArray>& songs)
    {
        // A link back up the tree leads to a folder already seen.
        if (!seen_.insert({st.st_dev, st.st_ino}).second)
            return;
        DIR* dir = ::opendir(path.constData());
        if (!dir) {
            refuse(path, RefusedSong::Reason::Unreadable);
            return;
        }
        const QByteArray prefix = path.endsWith('/') ? path : path + '/';
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArrayView name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            const QByteArray child = prefix + name.toByteArray();
            struct stat childStat {};
            if (::stat(child.constData(), &childStat) != 0)
                continue; // a dangling link
            if (S_ISDIR(childStat.st_mode))
                folder(child, childStat, songs);
            else if (S_ISREG(childStat.st_mode))
                file(child, false, songs);
        }
        ::closedir(dir);
    }

    FoundSongs& found_;
    std::set<std::pair<dev_t, ino_t>> seen_;
};

QString reasonText(RefusedSong::Reason reason)
{
    switch (reason) {
    case RefusedSong::Reason::NotMp3: return QCoreApplication::translate("vorlix", "not an MP3 file");
    case RefusedSong::Reason::Missing: return QCoreApplication::translate("vorlix", "not found");
    case RefusedSong::Reason::Unreadable: return QCoreApplication::translate("vorlix", "cannot be read");
    case RefusedSong::Reason::LineBreak: return QCoreApplication::translate("vorlix", "its name holds a line break");
    case RefusedSong::Reason::NotLocal: return QCoreApplication::translate("vorlix", "not a file on this computer");
    }
    return {};
}

// A path as the message shows it: line breaks visible, a long one shortened
// in its middle so that its end, the file name, stays.
QString shownPath(const QByteArray& path)
{
    constexpr qsizetype kMost = 120;
    QByteArray shown = path.size() > 4 * kMost ? path.first(2 * kMost) + path.last(2 * kMost) : path;
    QString text = displayPath(shown).replace(u'\n', QStringLiteral("\\n")).replace(u'\r', QStringLiteral("\\r"));
    if (text.size() > kMost)
        text = text.first(kMost / 3) + QStringLiteral("…") + text.last(kMost - kMost / 3 - 1);
    return text;
}

} // namespace

bool isFileUri(QByteArrayView argument)
{
    return startsWithNoCase(argument, "file:");
}

std::optional<QByteArray> localPath(QByteArrayView argument, QByteArrayView workingFolder)
{
    if (isFileUri(argument))
        return fileUriPath(argument);
    if (hasScheme(argument))
        return std::nullopt;
    if (argument.startsWith('/') || argument.isEmpty())
        return argument.toByteArray();
    while (argument.startsWith("./"))
        argument = argument.sliced(2);
    QByteArray path = workingFolder.toByteArray();
    if (!path.endsWith('/'))
        path += '/';
    return path + argument.toByteArray();
}

QList<QByteArray> uriListEntries(QByteArrayView data)
{
    QList<QByteArray> uris;
    for (QByteArrayView line : QByteArray::fromRawData(data.data(), data.size()).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty() && !line.startsWith('#'))
            uris.append(line.toByteArray());
    }
    return uris;
}

bool hasMp3Name(QByteArrayView path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArrayView name = path.sliced(slash + 1);
    return name.size() >= 4 && name.last(4).compare(".mp3", Qt::CaseInsensitive) == 0;
}

FoundSongs findSongs(const QList<QByteArray>& arguments, QByteArrayView workingFolder)
{
    FoundSongs found;
    Walker walker(found);
    for (const QByteArray& argument : arguments) {
        if (const std::optional<QByteArray> path = localPath(argument, workingFolder))
            walker.argument(*path);
        else
            walker.refuse(argument, RefusedSong::Reason::NotLocal);
    }
    return found;
}

QString refusedSongsMessage(const QList<RefusedSong>& refused)
{
    if (refused.isEmpty())
        return {};
    constexpr qsizetype kNamed = 3;
    QString text = refused.size() == 1
        ? QCoreApplication::translate("vorlix", "This was not added to the play list:")
        : QCoreApplication::translate("vorlix", "These were not added to the play list:");
    for (const RefusedSong& song : refused.first(std::min(kNamed, refused.size())))
        text += u'\n' + shownPath(song.path) + QStringLiteral(" (") + reasonText(song.reason) + u')';
    if (refused.size() > kNamed)
        text += u'\n' + QCoreApplication::translate("vorlix", "and %n more.", nullptr, int(refused.size() - kNamed));
    return text;
}

} // namespace vorlix
