// SPDX-License-Identifier: GPL-3.0-or-later
// A list of three songs played through with the real engine: the monitor
// starts them in order and wraps, and the output gets each song whole, from
// its first frame to its last, one after the other.
#include "app/Forms.h"
#include "doubles/Doubles.h"
#include "engine/Mp3Decoder.h"
#include "engine/Mp3Engine.h"
#include "player/frmMain.h"
#include "playlist/PlaylistFile.h"
#include "playlist/frmPlayList.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <mutex>
#include <vector>

using namespace vorlix;
using namespace vorlix::test;

namespace {

bool makeTone(const QString& mp3, int hertz)
{
    const QString wav = mp3 + QStringLiteral(".wav");
    return QProcess::execute("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "0.4", "sine",
                                     QString::number(hertz), "gain", "-6"}) == 0
        && QProcess::execute("lame", {"--quiet", "-b", "128", wav, mp3}) == 0;
}

std::vector<std::int16_t> decode(const QString& mp3)
{
    std::vector<std::int16_t> out;
    auto decoder = Mp3Decoder::open(QFile::encodeName(mp3).toStdString());
    const std::int16_t* samples = nullptr;
    while (std::size_t n = decoder ? decoder->next(&samples) : 0)
        out.insert(out.end(), samples, samples + n * 2);
    return out;
}

} // namespace

class TestPlaythrough : public QObject {
    Q_OBJECT
private slots:
    void listPlaysInOrderAndWraps()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        QList<QByteArray> entries;
        std::vector<std::int16_t> expected; // the three songs, then the head of the first again
        for (int i = 0; i < 4; ++i) {
            const QString song = folder + QString::number(i % 3) + ".mp3";
            if (i < 3 && !makeTone(song, 330 + 220 * i))
                QSKIP("sox or lame is missing");
            const auto samples = decode(song);
            QVERIFY(samples.size() > 8192);
            expected.insert(expected.end(), samples.begin(), i < 3 ? samples.end() : samples.begin() + 8192);
            entries << QFile::encodeName(song);
        }
        entries.removeLast();
        QVERIFY(writePlaylistFile(playlistFilePath(folder), entries));

        // The disk driver with no delay plays far faster than real time.
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIODELAY", "0");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(folder + "out.raw"));

        std::mutex mutex;
        std::vector<std::int16_t> played;
        FakeServices fake(folder);
        Services services = fake.services();
        services.makeMp3Play = [&] {
            Mp3Engine::Options options;
            options.onFrames = [&](const std::int16_t* s, std::size_t n) {
                std::lock_guard lock(mutex);
                played.insert(played.end(), s, s + n * 2);
            };
            return std::make_unique<Mp3Engine>(options);
        };
        Forms forms(services);
        frmMain& player = forms.Main();
        player.Image_power_Click();
        player.Image_PlayList_Click();
        player.Image_button_Click();
        const auto count = [&] { std::lock_guard lock(mutex); return played.size(); };
        QTRY_VERIFY_WITH_TIMEOUT(count() >= expected.size(), 20000);
        player.Image_pause_Click();
        QVERIFY(!forms.PlayListIfLoaded());
        QCOMPARE(readPlaylistFile(playlistFilePath(folder)).entries, entries);

        std::lock_guard lock(mutex);
        const auto wrong = std::mismatch(expected.begin(), expected.end(), played.begin()).first;
        QVERIFY2(wrong == expected.end(), qPrintable(QString("differs from frame %1").arg((wrong - expected.begin()) / 2)));
    }
};

QTEST_MAIN(TestPlaythrough)
#include "tst_playthrough.moc"
