// SPDX-License-Identifier: GPL-3.0-or-later
// What playing a song costs and how it sounds: the built player under Xvfb,
// playing a generated song from its playlist through a private PulseAudio
// null sink, driven by xdotool clicks; a GUI player from Debian (Audacious or
// Qmmp, when installed) plays the same song in the same run. CPU is process
// time (the scheduler's count for every thread, from /proc), so the load of
// other programs inflates it little. The latencies come from a recording of the
// sink's monitor.
#include "audio/PulseServer.h"
#include "player/frmMainLayout.h"
#include "playlist/PlaylistFile.h"
#include "x11/XSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

using namespace vorlix;
using namespace vorlix::audio;
using namespace vorlix::x11;
using namespace std::chrono_literals;
namespace L = frmMainLayout;

namespace {

constexpr int kRate = PulseServer::kRate;
constexpr int kSongSeconds = 20;
constexpr int kWindowSeconds = 15;   // CPU is measured over this much playing
constexpr int kLevel = 64;           // below this both channels are silence

QElapsedTimer gClock;
double now() { return double(gClock.nsecsElapsed()) / 1e6; }   // ms

// CPU seconds of each live thread, by name, from the scheduler's nanosecond
// counts (utime and stime come in 10 ms ticks: too coarse here).
std::map<QString, double> threadSeconds(qint64 pid)
{
    std::map<QString, double> out;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks + u'/' + task + QStringLiteral("/comm"));
        QFile stat(tasks + u'/' + task + QStringLiteral("/schedstat"));
        if (comm.open(QIODevice::ReadOnly) && stat.open(QIODevice::ReadOnly))
            out[QString::fromUtf8(comm.readAll()).trimmed()] += stat.readAll().split(' ').first().toDouble() / 1e9;
    }
    return out;
}

double cpuSeconds(qint64 pid)
{
    const auto threads = threadSeconds(pid);
    if (threads.empty())
        return -1;
    double sum = 0;
    for (const auto& [name, seconds] : threads)
        sum += seconds;
    return sum;
}

long peakKiB(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void sleepMs(int ms) { QThread::msleep(ms); }

struct CpuFigure {
    double seconds = -1;
    double wall = 0;
    double percent() const { return seconds < 0 ? -1 : 100.0 * seconds / wall; }
};

CpuFigure measureCpu(qint64 pid, int seconds)
{
    const double before = cpuSeconds(pid);
    const double start = now();
    sleepMs(seconds * 1000);
    const double after = cpuSeconds(pid);
    return {before < 0 || after < 0 ? -1 : after - before, (now() - start) / 1000};
}

class Program {
public:
    Program(const QString& path, const QStringList& args, const QProcessEnvironment& env)
    {
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.start(path, args);
        process_.waitForStarted(5000);
    }
    ~Program()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(2000);
        }
    }
    qint64 pid() const { return process_.processId(); }
    bool running() const { return process_.state() == QProcess::Running; }

private:
    QProcess process_;
};

// The player on screen, clicked through xdotool; `scale` is the screen's
// ratio its environment gives Qt.
class Player {
public:
    Player(const Xvfb& xvfb, const XConnection& x, const QString& program, const QProcessEnvironment& env,
           int scale = 1)
        : xvfb_(xvfb), program_(program, {}, env), scale_(scale)
    {
        std::optional<TopLevel> found;
        waitUntil([&] {
            found = x.findMapped(program_.pid(), [&](const TopLevel& t) { return t.geometry.size() == L::kSkinSize * scale; });
            return found.has_value() || !program_.running();
        }, 20s);
        if (found)
            origin_ = found->geometry.topLeft();
        mapped_ = found.has_value();
        sleepMs(500);   // first paint
    }
    bool mapped() const { return mapped_; }
    qint64 pid() const { return program_.pid(); }

    // Clicks the middle of a hotspot; the times just before and after the
    // click itself (xdotool's run is the uncertainty).
    std::pair<double, double> click(const TwipsRect& hotspot)
    {
        sleepMs(700);   // never a double-click
        const QPoint at = origin_ + hotspot.pixels().center() * scale_;
        xvfb_.runTool(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
        const double before = now();
        xvfb_.runTool(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
        return {before, now()};
    }

private:
    const Xvfb& xvfb_;
    Program program_;
    int scale_;
    QPoint origin_;
    bool mapped_ = false;
};

// The recording's frames placed on the bench's clock.
struct Timeline {
    double startMs;
    std::size_t startFrame;
    double at(std::size_t frame) const { return startMs + (double(frame) - double(startFrame)) * 1000.0 / kRate; }
    std::size_t frameAt(double ms) const
    {
        return std::size_t(std::max(0.0, double(startFrame) + (ms - startMs) * kRate / 1000.0));
    }
};

bool loud(const std::vector<std::int16_t>& s, std::size_t frame)
{
    return std::max(std::abs(int(s[2 * frame])), std::abs(int(s[2 * frame + 1]))) > kLevel;
}

// First frame from `from` on that starts `run` frames of silence.
std::size_t silenceFrom(const std::vector<std::int16_t>& s, std::size_t from, std::size_t run)
{
    std::size_t quiet = 0;
    for (std::size_t f = from; f < s.size() / 2; ++f) {
        quiet = loud(s, f) ? 0 : quiet + 1;
        if (quiet == run)
            return f + 1 - run;
    }
    return s.size() / 2;
}

double rms(const std::vector<std::int16_t>& s, std::size_t from, std::size_t frames)
{
    double sum = 0;
    for (std::size_t f = from; f < from + frames && f < s.size() / 2; ++f)
        sum += double(s[2 * f]) * s[2 * f];
    return std::sqrt(sum / double(frames));
}

void row(const char* what, const QString& figure, const char* target = "")
{
    std::printf("%-34s %-44s %s\n", what, qPrintable(figure), target);
}

QString percent(const CpuFigure& c)
{
    return QStringLiteral("%1 % (%2 s over %3 s)").arg(c.percent(), 0, 'f', 3).arg(c.seconds, 0, 'f', 4).arg(c.wall, 0, 'f', 1);
}

const char* verdict(bool met) { return met ? "meets target" : "MISSES target"; }

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    gClock.start();
    for (const char* tool : {"xdotool", "parec", "pulseaudio", "sox", "lame"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            std::printf("skipped: %s is not installed\n", tool);
            return 0;
        }
    QString error;
    const auto xvfb = Xvfb::start(&error);
    if (!xvfb) {
        std::printf("skipped: %s\n", qPrintable(error));
        return 0;
    }
    const auto x = XConnection::open(xvfb->display());
    const auto pulse = PulseServer::start(&error);
    if (!x || !pulse) {
        std::printf("skipped: %s\n", qPrintable(x ? error : QStringLiteral("no X connection")));
        return 0;
    }
    QTemporaryDir scratch;
    const QString dir = scratch.path();
    const QString wav = dir + QStringLiteral("/song.wav"), mp3 = dir + QStringLiteral("/song.mp3");
    if (QProcess::execute(QStringLiteral("sox"), {"-D", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth",
            QString::number(kSongSeconds), "sine", "440", "pinknoise", "vol", "0.5"}) != 0
        || QProcess::execute(QStringLiteral("lame"), {"--quiet", "-b", "128", wav, mp3}) != 0) {
        std::printf("cannot make the song with sox and lame\n");
        return 1;
    }
    QDir().mkpath(dir + QStringLiteral("/cache/vorlix"));
    QFile::setPermissions(dir + QStringLiteral("/cache/vorlix"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writePlaylistFile(playlistFilePath(dir + QStringLiteral("/cache/vorlix/")), {QFile::encodeName(mp3)});
    QDir().mkpath(dir + QStringLiteral("/home"));
    QProcessEnvironment env = pulse->clientEnvironment(xvfb->clientEnvironment());
    env.insert(QStringLiteral("XDG_CACHE_HOME"), dir + QStringLiteral("/cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    env.insert(QStringLiteral("HOME"), dir + QStringLiteral("/home"));

    // The player a second time, in a folder without its click sounds, so
    // that only the song reaches the sink while latencies are measured.
    const QString player = QStringLiteral(VORLIX_PLAYER_PATH);
    const QString quietPlayer = dir + QStringLiteral("/quiet/vorlix");
    QDir().mkpath(dir + QStringLiteral("/quiet"));
    QFile::copy(player, quietPlayer);
    for (const char* module : {"/vorlix-audio.so", "/vorlix-sdl.so"})
        QFile::copy(QFileInfo(player).path() + QString::fromLatin1(module), dir + QStringLiteral("/quiet") + QString::fromLatin1(module));
    QFile::setPermissions(quietPlayer, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    std::printf("song: %d s, 128 kbps stereo; Xvfb %s; private PulseAudio null sink; load average %s\n",
        kSongSeconds, qPrintable(xvfb->display()), [] {
            std::ifstream f("/proc/loadavg");
            std::string s;
            std::getline(f, s);
            static std::string keep;
            keep = s.substr(0, s.find(' ', s.find(' ', s.find(' ') + 1) + 1));
            return keep.c_str();
        }());

    // 1. The yardstick: an empty Qt window, on a screen of ratio 1 and of 2.
    const auto baselinePeak = [&](const QProcessEnvironment& e, int scale) {
        Program baseline(QStringLiteral(VORLIX_BASELINE_PATH), {}, e);
        waitUntil([&] { return x->findMapped(baseline.pid(), [&](const TopLevel& t) { return t.geometry.size() == L::kSkinSize * scale; }).has_value(); }, 20s);
        sleepMs(1000);
        return peakKiB(baseline.pid());
    };
    const long baselineKiB = baselinePeak(env, 1);
    QProcessEnvironment env2 = env;
    env2.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    const long baseline2KiB = baselinePeak(env2, 2);

    // 2. The player: idle and switched on, then playing the list's song.
    CpuFigure idle, playing;
    long playerKiB = -1;
    std::size_t idleStreams = 99;
    std::map<QString, double> threadsBefore, threadsAfter;
    {
        Player p(*xvfb, *x, player, env);
        if (!p.mapped()) {
            std::printf("the player's window never appeared\n");
            return 1;
        }
        p.click(L::Image_power);
        sleepMs(2000);   // the click has been played and its device let go
        QString inputs;
        pulse->run(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")}, &inputs);
        idleStreams = std::size_t(inputs.count(QLatin1Char('\n')));
        idle = measureCpu(p.pid(), 10);
        MonitorRecording recording(*pulse);
        p.click(L::Image_PlayList);
        p.click(L::Image_button);
        waitUntil([&] { return firstSound(recording.samples()) >= 0; }, 5s);
        sleepMs(1000);
        threadsBefore = threadSeconds(p.pid());
        playing = measureCpu(p.pid(), kWindowSeconds);
        threadsAfter = threadSeconds(p.pid());
        playerKiB = peakKiB(p.pid());
        p.click(L::Image_pause);
    }
    // The same at ratio 2, with the list shown and hidden and a song played.
    long player2KiB = -1;
    {
        Player p(*xvfb, *x, player, env2, 2);
        p.click(L::Image_power);
        p.click(L::Image_PlayList);
        p.click(L::Image_button);
        sleepMs(3000);
        player2KiB = peakKiB(p.pid());
        p.click(L::Image_pause);
    }

    // 3. The peer, on the same song.
    QString peerName;
    CpuFigure peer;
    long peerKiB = -1;
    for (const char* name : {"audacious", "qmmp"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty()) {
            peerName = QString::fromLatin1(name);
            break;
        }
    if (!peerName.isEmpty()) {
        QDir().mkpath(dir + QStringLiteral("/peer"));
        QProcessEnvironment peerEnv = env;
        peerEnv.insert(QStringLiteral("HOME"), dir + QStringLiteral("/peer"));
        peerEnv.insert(QStringLiteral("XDG_CONFIG_HOME"), dir + QStringLiteral("/peer/.config"));
        MonitorRecording recording(*pulse);
        Program other(peerName, peerName == QLatin1String("audacious") ? QStringList{QStringLiteral("-p"), mp3} : QStringList{mp3}, peerEnv);
        if (waitUntil([&] { return firstSound(recording.samples()) >= 0; }, 20s)) {
            sleepMs(1000);
            peer = measureCpu(other.pid(), kWindowSeconds);
            peerKiB = peakKiB(other.pid());
        }
    }

    // 4. What a listener hears, from the quiet player.
    double playFrom = 0, playTo = 0, volFrom = 0, volTo = 0, pauseFrom = 0, pauseTo = 0, loadFrom = 0, loadTo = 0;
    std::vector<std::int16_t> heard;
    Timeline timeline{}, pauseMark{};
    {
        Player p(*xvfb, *x, quietPlayer, env);
        p.click(L::Image_power);
        p.click(L::Image_PlayList);
        MonitorRecording recording(*pulse);
        timeline = {now(), recording.frames()};
        std::tie(playFrom, playTo) = p.click(L::Image_button);
        sleepMs(1500);
        std::tie(volFrom, volTo) = p.click(L::Image_volume_decrease);
        sleepMs(1500);
        // Both cores kept busy for a while.
        loadFrom = now();
        {
            std::vector<std::unique_ptr<Program>> hogs;
            for (int i = 0; i < 2; ++i)
                hogs.push_back(std::make_unique<Program>(QStringLiteral("sh"), QStringList{QStringLiteral("-c"), QStringLiteral("while :; do :; done")}, env));
            sleepMs(8000);
        }
        loadTo = now();
        // On past the song's end, into its second round (one song: the list wraps).
        sleepMs(int(playTo + (kSongSeconds + 3) * 1000 - now()));
        // The sink's clock and ours part by some milliseconds over half a
        // minute: the pause is timed from a fresh mark.
        pauseMark = {now(), recording.frames()};
        std::tie(pauseFrom, pauseTo) = p.click(L::Image_pause);
        sleepMs(1500);
        heard = recording.samples();
    }

    // Figures.
    const double cpuTarget = 0.25;
    const bool peerOk = peer.seconds > 0;
    std::printf("\n");
    row("player, idle and switched on", percent(idle), verdict(idle.percent() <= 0.02));
    row("  audio streams held while idle", QString::number(idleStreams), verdict(idleStreams == 0));
    row("player, playing", percent(playing), verdict(playing.percent() >= 0 && playing.percent() <= cpuTarget));
    for (const auto& [name, seconds] : threadsAfter) {
        const double used = seconds - (threadsBefore.count(name) ? threadsBefore[name] : 0);
        if (used > 1e-5)
            std::printf("  thread %-25s %.4f %%\n", qPrintable(name), 100 * used / playing.wall);
    }
    if (peerOk) {
        row(qPrintable(QStringLiteral("%1, playing").arg(peerName)), percent(peer));
        const double ratio = playing.seconds / peer.seconds;
        row("  ratio player/peer", QString::number(ratio, 'f', 3), verdict(ratio <= 0.2));
    } else {
        row("peer", QStringLiteral("peer not installed (audacious or qmmp)"));
    }
    row("peak RSS: empty Qt window", QStringLiteral("%1 MB").arg(baselineKiB / 1024.0, 0, 'f', 1));
    row("peak RSS: player, playing", QStringLiteral("%1 MB (+%2 MB)").arg(playerKiB / 1024.0, 0, 'f', 1).arg((playerKiB - baselineKiB) / 1024.0, 0, 'f', 1),
        verdict(playerKiB - baselineKiB <= 5 * 1024));
    row("peak RSS: empty Qt window at ratio 2", QStringLiteral("%1 MB").arg(baseline2KiB / 1024.0, 0, 'f', 1));
    row("peak RSS: player at ratio 2, playing", QStringLiteral("%1 MB (+%2 MB)").arg(player2KiB / 1024.0, 0, 'f', 1).arg((player2KiB - baseline2KiB) / 1024.0, 0, 'f', 1),
        verdict(player2KiB - baseline2KiB <= 8 * 1024));
    if (peerOk)
        row(qPrintable(QStringLiteral("peak RSS: %1").arg(peerName)), QStringLiteral("%1 MB").arg(peerKiB / 1024.0, 0, 'f', 1));

    const std::size_t total = heard.size() / 2;
    const long onset = firstSound(heard, timeline.frameAt(playFrom - 200));
    if (onset < 0) {
        std::printf("the quiet player's song never reached the sink\n");
        return 1;
    }
    // The click happened somewhere within xdotool's run: the figure is the
    // time from the start of that run, an upper bound.
    const auto range = [](double, double b) { return QStringLiteral("at most %1 ms").arg(b, 0, 'f', 0); };
    const double first = timeline.at(std::size_t(onset));
    row("play to first sound", range(first - playTo, first - playFrom), verdict(first - playFrom <= 50));

    const std::size_t win = kRate / 100;   // 10 ms
    // The left channel is a 440 Hz sine: its level over 20 ms windows (about
    // nine periods) is steady to within 2 %, and the step takes it to 90 %.
    const std::size_t volAt = timeline.frameAt(volFrom);
    const double level = rms(heard, volAt - 50 * win, 40 * win);
    std::size_t stepped = volAt - 5 * win;
    while (stepped < total && rms(heard, stepped, 2 * win) > 0.95 * level)
        stepped += win / 4;
    const double stepMs = timeline.at(stepped + 2 * win);   // the window's end
    row("volume step heard", range(stepMs - volTo, stepMs - volFrom), verdict(stepMs - volFrom <= 100));

    // Dropouts: silence of 2 ms or more inside the song's first round.
    const std::size_t songEnd = silenceFrom(heard, std::size_t(onset), win * 2);
    std::size_t dropouts = 0, underLoad = 0;
    std::size_t quiet = 0;
    for (std::size_t f = std::size_t(onset); f < songEnd; ++f) {
        quiet = loud(heard, f) ? 0 : quiet + 1;
        if (quiet == 88) {
            ++dropouts;
            const double t = timeline.at(f);
            underLoad += t >= loadFrom && t <= loadTo;
        }
    }
    row("dropouts (both cores busy 8 s)", QStringLiteral("%1 (%2 under load)").arg(dropouts).arg(underLoad), verdict(dropouts == 0));

    const long second = firstSound(heard, songEnd);
    const double roundSeconds = double(songEnd - std::size_t(onset)) / kRate;
    row("song heard to its end", QStringLiteral("%1 s of %2 s; next round %3 ms later")
                                     .arg(roundSeconds, 0, 'f', 3).arg(kSongSeconds)
                                     .arg(second < 0 ? -1.0 : double(std::size_t(second) - songEnd) * 1000 / kRate, 0, 'f', 0),
        verdict(roundSeconds >= kSongSeconds - 0.05 && second > 0));

    const std::size_t pausedAt = silenceFrom(heard, pauseMark.frameAt(pauseFrom - 300), kRate / 2);
    const double silentMs = pauseMark.at(pausedAt);
    row("pause to silence", range(silentMs - pauseTo, silentMs - pauseFrom), verdict(silentMs - pauseFrom <= 50));
    return 0;
}
