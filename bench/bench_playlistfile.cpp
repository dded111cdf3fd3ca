// SPDX-License-Identifier: GPL-3.0-or-later
// Times the playlist file with 100,000 songs: parse, serialize, save and load.
#include "playlist/PlaylistFile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vorlix;

namespace {

// Paths of 60..90 bytes, about one in five with non-ASCII names in UTF-8.
QList<QByteArray> makeEntries(int count)
{
    const QByteArray artists[] = {"The Beatles", "Bj\xc3\xb6rk", "Sigur R\xc3\xb3s", "Miles Davis",
                                  "\xe5\x9d\x82\xe6\x9c\xac\xe9\xbe\x8d\xe4\xb8\x80", "Radiohead",
                                  "Ang\xc3\xa9lique Kidjo", "Kraftwerk", "Nina Simone", "Daft Punk"};
    QList<QByteArray> entries;
    entries.reserve(count);
    quint32 seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        const QByteArray& artist = artists[(seed >> 8) % 10];
        QByteArray path = "/home/listener/Music/" + artist + "/Album " + QByteArray::number((seed >> 4) % 40)
            + "/" + QByteArray::number(i % 20 + 1).rightJustified(2, '0') + " Track title ";
        const qsizetype want = 60 + qsizetype((seed >> 12) % 27); // before ".mp3": 60..90 in all
        while (path.size() < want)
            path += char('a' + (path.size() * 7 + i) % 26);
        entries.append(path + ".mp3");
    }
    return entries;
}

// Best and median of several runs, in milliseconds.
void report(const char* what, const std::function<bool()>& run)
{
    std::vector<double> ms;
    for (int i = 0; i < 9; ++i) {
        QElapsedTimer t;
        t.start();
        if (!run()) {
            std::printf("%-28s FAILED\n", what);
            return;
        }
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s best %7.2f ms   median %7.2f ms\n", what, ms.front(), ms[ms.size() / 2]);
}

} // namespace

int main()
{
    const QList<QByteArray> entries = makeEntries(100000);
    const QByteArray bytes = serializePlaylist(entries);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString path = playlistFilePath(dir.path() + "/");
    std::printf("100,000 entries, %lld bytes\n", static_cast<long long>(bytes.size()));

    report("serializePlaylist", [&] { return serializePlaylist(entries).size() == bytes.size(); });
    report("parsePlaylist", [&] { return parsePlaylist(bytes).size() == entries.size(); });
    report("writePlaylistFile (fsync)", [&] { return writePlaylistFile(path, entries); });
    report("readPlaylistFile", [&] { return readPlaylistFile(path).entries.size() == entries.size(); });
    return readPlaylistFile(path).entries == entries ? 0 : 1;
}
