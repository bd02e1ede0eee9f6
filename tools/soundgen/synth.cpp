#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "soundgen.h"

namespace soundgen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A short fade at both ends so that no sound starts or stops with a click.
double EdgeFade(std::size_t i, std::size_t n) {
    const double fade = 0.004 * kSampleRate;
    return std::min({1.0, i / fade, (n - i) / fade});
}

}  // namespace

void Signal::Mix(const Signal& other, double seconds, double gain) {
    const auto start = static_cast<std::size_t>(std::max(0.0, seconds) * kSampleRate);
    for (std::size_t i = 0; i < other.size() && start + i < size(); ++i)
        samples_[start + i] += gain * other.samples_[i];
}

void Signal::Normalise(double peak) {
    double loudest = 0;
    for (double s : samples_) loudest = std::max(loudest, std::abs(s));
    if (loudest <= 0) return;
    for (std::size_t i = 0; i < size(); ++i) samples_[i] *= peak / loudest * EdgeFade(i, size());
}

std::vector<std::uint8_t> Signal::Wav() const {
    const auto dataBytes = static_cast<std::uint32_t>(size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    auto text = [&](const char* s) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(s[i]));
    };
    text("RIFF");
    PutLittleEndian(out, 36 + dataBytes, 4);
    text("WAVE");
    text("fmt ");
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2);  // PCM
    PutLittleEndian(out, 1, 2);  // mono
    PutLittleEndian(out, kSampleRate, 4);
    PutLittleEndian(out, kSampleRate * 2, 4);
    PutLittleEndian(out, 2, 2);
    PutLittleEndian(out, 16, 2);
    text("data");
    PutLittleEndian(out, dataBytes, 4);
    for (double s : samples_) {
        const auto v = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767));
        PutLittleEndian(out, static_cast<std::uint16_t>(v), 2);
    }
    return out;
}

double NoteFrequency(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

Signal Bell(double frequency, double seconds, double brightness) {
    // Partials of a small bell and how fast each one fades.
    static const double ratios[] = {1.0, 2.0, 2.76, 4.07, 5.4};
    static const double levels[] = {1.0, 0.45, 0.35, 0.18, 0.1};
    static const double decays[] = {3.0, 4.5, 6.0, 9.0, 12.0};
    Signal s(seconds);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kSampleRate;
        double v = 0;
        for (int p = 0; p < 5; ++p) {
            if (frequency * ratios[p] > kSampleRate / 2.5) continue;
            const double level = levels[p] * (p == 0 ? 1.0 : brightness);
            v += level * std::exp(-decays[p] * t) * std::sin(kTwoPi * frequency * ratios[p] * t);
        }
        s[i] = v * std::min(1.0, t / 0.002);
    }
    return s;
}

Signal Tone(double frequency, double seconds, double attack, double harmonics) {
    Signal s(seconds);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kSampleRate;
        const double envelope = std::min(1.0, t / attack) * std::exp(-2.5 * t / seconds);
        double v = 0, level = 1.0;
        for (int h = 1; h <= 6 && frequency * h < kSampleRate / 2.5; ++h, level *= harmonics)
            v += level * std::sin(kTwoPi * frequency * h * t);
        s[i] = envelope * v;
    }
    return s;
}

Signal NoiseBurst(double seconds, double lowpass, double decay, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> white(-1.0, 1.0);
    Signal s(seconds);
    double low = 0, previous = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kSampleRate;
        low += lowpass * (white(random) - low);
        // The difference of two low-passed samples takes the dull rumble out as well.
        const double band = low - 0.6 * previous;
        previous = low;
        s[i] = band * std::exp(-decay * t) * std::min(1.0, t / 0.001);
    }
    return s;
}

Signal Sweep(double from, double to, double seconds) {
    Signal s(seconds);
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double x = double(i) / s.size();
        phase += kTwoPi * (from + (to - from) * x * x) / kSampleRate;
        s[i] = std::sin(phase) * std::sin(std::numbers::pi * x);
    }
    return s;
}

Signal Buzz(double frequency, double seconds) {
    Signal s(seconds);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kSampleRate;
        // A square wave rounded by tanh, so it hums rather than rasps.
        const double wave = std::tanh(3.0 * std::sin(kTwoPi * frequency * t));
        const double tremolo = 0.75 + 0.25 * std::sin(kTwoPi * 9.0 * t);
        const double envelope = std::min(1.0, t / 0.015) * std::min(1.0, (seconds - t) / 0.06);
        s[i] = wave * tremolo * envelope;
    }
    return s;
}

}  // namespace soundgen
