// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the playback engine: CPU time for a minute of real-time playback
// against the mpg123 program decoding the same file plus SDL's own cost of
// pacing a device, the delay from Play to the first frame at the device, and
// peak memory. Uses SDL's dummy driver.
#include "engine/Mp3Engine.h"
#include "engine/SdlAudio.h"
#include "engine/SdlOutput.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

using namespace vorlix;
using Clock = std::chrono::steady_clock;

namespace {

double cpuSeconds(const rusage& usage)
{
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec
        + usage.ru_stime.tv_usec / 1e6;
}

double selfCpu()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return cpuSeconds(usage);
}

// Runs a command; its CPU seconds, or -1.
double runChild(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return cpuSeconds(usage);
}

long peakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

void report(const char* what, const std::string& figure, bool met)
{
    std::printf("%-44s %-34s %s\n", what, figure.c_str(), met ? "meets target" : "MISSES target");
}

// CPU seconds that SDL's audio thread takes to pace a device for `seconds`
// when all it is given is silence: what any program playing through SDL pays.
double sdlPacingCpu(int seconds)
{
    SdlOutput output(SdlAudio::create());
    if (!output.open(44100, [](std::int16_t* out, int frames) {
            std::memset(out, 0, std::size_t(frames) * 2 * sizeof(std::int16_t));
            return 0;
        }))
        return -1;
    const double before = selfCpu();
    output.setPaused(false);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    output.setPaused(true);
    return selfCpu() - before;
}

} // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    char dirTemplate[] = "/tmp/bench_engine-XXXXXX";
    const char* dir = mkdtemp(dirTemplate);
    if (!dir)
        return 1;
    const std::string wav = std::string(dir) + "/minute.wav";
    const std::string mp3 = std::string(dir) + "/minute.mp3";
    if (runChild({"sox", "-D", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "60", "sine", "440",
            "pinknoise", "vol", "0.5"}) < 0
        || runChild({"lame", "--quiet", "-b", "128", wav, mp3}) < 0) {
        std::fprintf(stderr, "cannot make the test song with sox and lame\n");
        return 1;
    }

    // 1. A minute of playback, polled once a second as the playlist does.
    const double mpg123Cpu = runChild({"mpg123", "-q", "-t", mp3});
    double engineCpu = 0;
    double wall = 0;
    {
        Mp3Engine engine;
        const double before = selfCpu();
        const auto start = Clock::now();
        if (!engine.Open(mp3, "") || !engine.Play())
            return 1;
        while (engine.Play() != std::optional<int>(kSongOver))
            std::this_thread::sleep_for(std::chrono::seconds(1));
        wall = std::chrono::duration<double>(Clock::now() - start).count();
        engineCpu = selfCpu() - before;
    }
    // SDL's pacing, over a third of the time and scaled.
    const double pacingCpu = 3 * sdlPacingCpu(20);
    const double budget = 1.5 * mpg123Cpu + 1.2 * pacingCpu;
    char figure[128];
    std::snprintf(figure, sizeof figure, "%.3f s (mpg123 -t %.3f s, wall %.1f s)", engineCpu, mpg123Cpu, wall);
    report("CPU for 60 s of 128 kbps stereo", figure, mpg123Cpu >= 0 && pacingCpu >= 0 && engineCpu <= budget);
    std::printf("%-44s %.3f s\n", "  SDL pacing a silent device for 60 s", pacingCpu);
    std::printf("%-44s %.3f s\n", "  budget (1.5 x mpg123 + 1.2 x SDL pacing)", budget);

    // 2. Play to the first frame at the device: the first Play opens the
    // device, the later ones find it open.
    std::atomic<Clock::rep> firstFrame{0};
    Mp3Engine::Options options;
    options.onFrames = [&firstFrame](const std::int16_t*, std::size_t) {
        Clock::rep none = 0;
        firstFrame.compare_exchange_strong(none, Clock::now().time_since_epoch().count());
    };
    std::vector<double> latencies;
    {
        Mp3Engine engine(options);
        for (int i = 0; i < 10; ++i) {
            engine.Stop();
            if (!engine.Open(mp3, ""))
                return 1;
            firstFrame = 0;
            const auto start = Clock::now();
            engine.Play();
            while (firstFrame == 0)
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            latencies.push_back(
                std::chrono::duration<double, std::milli>(Clock::duration(firstFrame.load()) - start.time_since_epoch())
                    .count());
        }
    }
    const double worst = *std::max_element(latencies.begin(), latencies.end());
    const double withDeviceOpen = latencies.front();
    std::sort(latencies.begin(), latencies.end());
    std::snprintf(figure, sizeof figure, "max %.1f ms, median %.1f ms, first %.1f ms", worst, latencies[5],
        withDeviceOpen);
    report("Play to first frame (dummy driver)", figure, worst <= 50.0);

    // 3. Peak memory of the whole process so far.
    const long hwm = peakResidentKiB();
    std::snprintf(figure, sizeof figure, "%.1f MiB", hwm / 1024.0);
    std::printf("%-44s %-34s %s\n", "Peak resident memory (VmHWM)", figure, "(no target)");

    std::remove(wav.c_str());
    std::remove(mp3.c_str());
    rmdir(dir);
    return 0;
}
