// A list of three songs played through with the real engine: the monitor
// starts them in order, wraps, and each starts from its first frame.
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

#include <atomic>
#include <mutex>
#include <vector>

using namespace vorlix;
using namespace vorlix::test;

namespace {

struct Capture {
    std::mutex mutex;
    std::vector<std::int16_t> samples;
    std::vector<std::size_t> openedAt; // frame count at each Open

    std::size_t frames()
    {
        std::lock_guard lock(mutex);
        return samples.size() / 2;
    }
};

// Notes where in the captured frames each Open happened.
class MarkingEngine : public Mp3Engine {
public:
    MarkingEngine(Capture& capture, Options options) : Mp3Engine(std::move(options)), capture_(capture) {}
    bool Open(const std::string& path, const std::string& extra) override
    {
        const bool opened = Mp3Engine::Open(path, extra);
        std::lock_guard lock(capture_.mutex);
        capture_.openedAt.push_back(capture_.samples.size() / 2);
        return opened;
    }

private:
    Capture& capture_;
};

bool makeTone(const QString& mp3, int hertz)
{
    const QString wav = mp3 + QStringLiteral(".wav");
    return QProcess::execute(QStringLiteral("sox"),
                             {"-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "0.4",
                              "sine", QString::number(hertz), "gain", "-6"}) == 0 &&
           QProcess::execute(QStringLiteral("lame"), {"--quiet", "-b", "128", wav, mp3}) == 0;
}

std::vector<std::int16_t> decodeHead(const QString& mp3, std::size_t frames)
{
    std::vector<std::int16_t> out;
    auto decoder = Mp3Decoder::open(QFile::encodeName(mp3).toStdString());
    const std::int16_t* samples = nullptr;
    while (decoder && out.size() < frames * 2) {
        const std::size_t n = decoder->next(&samples);
        if (n == 0)
            break;
        out.insert(out.end(), samples, samples + n * 2);
    }
    out.resize(std::min(out.size(), frames * 2));
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
        const QStringList songs{folder + "one.mp3", folder + "two.mp3", folder + "three.mp3"};
        for (int i = 0; i < songs.size(); ++i)
            if (!makeTone(songs[i], 330 + 220 * i))
                QSKIP("sox or lame is missing");
        QList<QByteArray> entries;
        for (const QString& s : songs)
            entries << QFile::encodeName(s);
        QVERIFY(writePlaylistFile(playlistFilePath(folder), entries));

        // The disk driver with no delay plays far faster than real time.
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIODELAY", "0");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(folder + "out.raw"));

        Capture capture;
        FakeServices fake(folder);
        Services services = fake.services();
        services.makeMp3Play = [&capture] {
            Mp3Engine::Options options;
            options.onFrames = [&capture](const std::int16_t* s, std::size_t n) {
                std::lock_guard lock(capture.mutex);
                capture.samples.insert(capture.samples.end(), s, s + n * 2);
            };
            return std::make_unique<MarkingEngine>(capture, options);
        };
        Forms forms(services);
        frmMain& player = forms.Main();
        player.Image_power_Click();
        player.Image_PlayList_Click();
        player.Image_button_Click();

        // One Open from the play button, then one per end of song.
        auto opens = [&capture] {
            std::lock_guard lock(capture.mutex);
            return capture.openedAt.size();
        };
        QTRY_VERIFY_WITH_TIMEOUT(opens() >= 4, 20000);
        player.Image_pause_Click();
        QVERIFY(!forms.PlayListIfLoaded());
        QCOMPARE(readPlaylistFile(playlistFilePath(folder)).entries, entries);

        std::lock_guard lock(capture.mutex);
        const std::size_t head = 4096;
        const int order[] = {0, 1, 2, 0};
        for (int i = 0; i < 4; ++i) {
            const std::size_t from = capture.openedAt[i] * 2;
            QVERIFY2(capture.samples.size() >= from + head * 2, "song cut short");
            const std::vector<std::int16_t> played(capture.samples.begin() + from,
                                                   capture.samples.begin() + from + head * 2);
            QVERIFY2(played == decodeHead(songs[order[i]], head),
                     qPrintable(QStringLiteral("song %1 does not start with %2").arg(i).arg(songs[order[i]])));
        }
    }
};

QTEST_MAIN(TestPlaythrough)
#include "tst_playthrough.moc"
