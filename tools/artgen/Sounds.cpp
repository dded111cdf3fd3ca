// SPDX-License-Identifier: GPL-3.0-or-later
// The two short sounds: a button click and the plug-in sound of the cap.
#include "Art.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace artgen {

namespace {

constexpr int kRate = 44100;

int16_t toPcm(double v)
{
    return int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32000.0));
}

void putLe(QByteArray &out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((v >> (8 * i)) & 0xff));
}

} // namespace

std::vector<int16_t> synthClick()
{
    // 25 ms of band-passed noise with a 0.5 ms attack and a fast decay.
    const int n = kRate * 25 / 1000;
    Noise noise(0xc11cu);
    std::vector<int16_t> out(n);
    double low = 0, lowPrev = 0, high = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        low += 0.35 * (noise.next() - low);   // low-pass around 3 kHz
        high = 0.9 * (high + low - lowPrev);  // high-pass around 700 Hz
        lowPrev = low;
        const double env = std::min(1.0, t / 0.0005) * std::exp(-t / 0.0035);
        const double tick = std::sin(2 * std::numbers::pi * 2200 * t) * std::exp(-t / 0.002);
        out[i] = toPcm(0.9 * env * high * 2.2 + 0.35 * tick);
    }
    out.back() = 0;
    return out;
}

std::vector<int16_t> synthPlug()
{
    // A low thump as the plug seats, then the latch click, 220 ms in all.
    const int n = kRate * 220 / 1000;
    Noise noise(0x9a2eu);
    std::vector<int16_t> out(n);
    double phase = 0, low = 0, lowPrev = 0, high = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        const double freq = 55 + 75 * std::exp(-t / 0.03); // falling pitch
        phase += 2 * std::numbers::pi * freq / kRate;
        const double thump = std::sin(phase) * std::min(1.0, t / 0.002) * std::exp(-t / 0.045);
        double click = 0;
        const double tc = t - 0.105;
        if (tc >= 0) {
            low += 0.5 * (noise.next() - low);
            high = 0.85 * (high + low - lowPrev);
            lowPrev = low;
            const double env = std::min(1.0, tc / 0.0003) * std::exp(-tc / 0.004);
            click = env * (high * 2.0 + 0.5 * std::sin(2 * std::numbers::pi * 3100 * tc));
        }
        const double fadeOut = std::min(1.0, double(n - 1 - i) / (kRate * 0.01));
        out[i] = toPcm((0.85 * thump + 0.6 * click) * fadeOut);
    }
    return out;
}

bool writeWav(const QString &path, const std::vector<int16_t> &samples)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    QByteArray out;
    out.append("RIFF");
    putLe(out, 36 + dataBytes, 4);
    out.append("WAVEfmt ");
    putLe(out, 16, 4);        // fmt chunk size
    putLe(out, 1, 2);         // PCM
    putLe(out, 1, 2);         // mono
    putLe(out, kRate, 4);
    putLe(out, kRate * 2, 4); // byte rate
    putLe(out, 2, 2);         // block align
    putLe(out, 16, 2);        // bits per sample
    out.append("data");
    putLe(out, dataBytes, 4);
    for (int16_t s : samples)
        putLe(out, uint16_t(s), 2);
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size())
        return false;
    return f.commit();
}

} // namespace artgen
