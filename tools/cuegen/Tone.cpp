// SPDX-License-Identifier: GPL-3.0-or-later
#include "Tone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace cuegen {

namespace {

constexpr double attackSeconds = 0.004;
constexpr double releaseSeconds = 0.025;
constexpr double peakLevel = 0.7;

// Raised-cosine edges at both ends keep every note free of clicks.
double envelope(const Note &note, double t)
{
    double level = std::exp(-note.decay * t);
    if (t < attackSeconds)
        level *= 0.5 - 0.5 * std::cos(std::numbers::pi * t / attackSeconds);
    const double untilEnd = note.length - t;
    if (untilEnd < releaseSeconds)
        level *= 0.5 - 0.5 * std::cos(std::numbers::pi * std::max(0.0, untilEnd) / releaseSeconds);
    return level;
}

// A small linear congruential generator: the same noise on every build.
class NoiseSource {
public:
    double next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

private:
    quint32 m_state = 0x5eed1234u;
};

void addNote(QList<double> &mix, const Note &note, int sampleRate)
{
    NoiseSource noise;
    const auto first = static_cast<qsizetype>(note.start * sampleRate);
    const auto count = static_cast<qsizetype>(note.length * sampleRate);
    for (qsizetype i = 0; i < count && first + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double phase = 2.0 * std::numbers::pi * note.frequency * t;
        const double tone = std::sin(phase) + 0.35 * std::sin(2.0 * phase) + 0.12 * std::sin(3.0 * phase);
        const double sample = (1.0 - note.noise) * tone + note.noise * noise.next();
        mix[first + i] += envelope(note, t) * sample;
    }
}

} // namespace

QList<qint16> synthesise(const QList<Note> &notes, int sampleRate)
{
    double end = 0.0;
    for (const Note &note : notes)
        end = std::max(end, note.start + note.length);
    QList<double> mix(static_cast<qsizetype>(end * sampleRate) + 1, 0.0);
    for (const Note &note : notes)
        addNote(mix, note, sampleRate);

    double peak = 0.0;
    for (double value : mix)
        peak = std::max(peak, std::abs(value));
    const double gain = peak > 0.0 ? peakLevel * 32767.0 / peak : 0.0;

    QList<qint16> samples;
    samples.reserve(mix.size());
    for (double value : mix)
        samples.append(static_cast<qint16>(std::lround(value * gain)));
    return samples;
}

} // namespace cuegen
