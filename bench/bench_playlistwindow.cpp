// SPDX-License-Identifier: GPL-3.0-or-later
// Times the playlist window with 100,000 songs: creating it (skin and file
// into the list) and unloading it (the list back into the file), next to
// reading and writing the same file alone.
#include "app/Forms.h"
#include "doubles/Doubles.h"
#include "playlist/PlaylistFile.h"
#include "playlist/frmPlayList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vorlix;

namespace {

QList<QByteArray> makeEntries(int count)
{
    QList<QByteArray> entries;
    entries.reserve(count);
    for (int i = 0; i < count; ++i)
        entries.append("/home/listener/Music/Artist " + QByteArray::number(i % 97) +
                       "/Album/" + QByteArray::number(i) + " Caf\xc3\xa9 track title here.mp3");
    return entries;
}

double medianMs(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QString file = playlistFilePath(folder);
    const QList<QByteArray> entries = makeEntries(100000);
    if (!writePlaylistFile(file, entries))
        return 1;

    std::vector<double> load, shown, save, readAlone, writeAlone;
    for (int round = 0; round < 7; ++round) {
        test::FakeServices fake(folder);
        Forms forms(fake.services());
        QElapsedTimer timer;
        timer.start();
        frmPlayList& list = forms.PlayList();
        load.push_back(timer.nsecsElapsed() / 1e6);
        if (list.List1->ListCount() != entries.size())
            return 1;
        timer.restart();
        list.show();
        QApplication::processEvents();
        shown.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        forms.UnloadPlayList();
        save.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        const PlaylistRead read = readPlaylistFile(file);
        readAlone.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        writePlaylistFile(file, read.entries);
        writeAlone.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("100,000 entries, median of 7 rounds\n");
    std::printf("create the window (skin, file into the list): %.1f ms (target < 150 ms)  [file read alone %.1f ms]\n",
                medianMs(load), medianMs(readAlone));
    std::printf("then show it with its list drawn:             %.1f ms\n", medianMs(shown));
    std::printf("unload the window (list into the file):       %.1f ms (target < 150 ms)  [file write alone %.1f ms]\n",
                medianMs(save), medianMs(writeAlone));
    return 0;
}
