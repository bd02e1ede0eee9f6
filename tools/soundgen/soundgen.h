// The program's own sounds: a small synthesiser for the WAV effects and a writer for the MIDI tune.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

inline constexpr int kSampleRate = 22050;

// A mono signal in the range -1..1 that sounds are mixed into.
class Signal {
  public:
    explicit Signal(double seconds) : samples_(static_cast<std::size_t>(seconds * kSampleRate), 0.0) {}
    std::size_t size() const { return samples_.size(); }
    double& operator[](std::size_t i) { return samples_[i]; }
    // Adds `other` starting at `seconds`, cut at the end of this signal.
    void Mix(const Signal& other, double seconds, double gain = 1.0);
    // Scales the loudest sample to `peak`.
    void Normalise(double peak);
    // 16-bit PCM mono WAV file bytes.
    std::vector<std::uint8_t> Wav() const;

  private:
    std::vector<double> samples_;
};

// A bell-like note: a few inharmonic partials, each dying away at its own rate.
Signal Bell(double frequency, double seconds, double brightness = 1.0);
// A soft plucked or blown note: harmonics under an attack-decay envelope.
Signal Tone(double frequency, double seconds, double attack, double harmonics = 0.3);
// A burst of filtered noise: `lowpass` 0..1 (1 keeps everything), decaying with `decay` per second.
Signal NoiseBurst(double seconds, double lowpass, double decay, std::uint32_t seed);
// A sine whose pitch glides from `from` to `to` hertz.
Signal Sweep(double from, double to, double seconds);
// A soft buzz: a rounded square wave with a slow tremolo.
Signal Buzz(double frequency, double seconds);

double NoteFrequency(int midiNote);

struct Effect {
    std::string name;
    Signal sound;
};
// Every effect of the game's sound table.
std::vector<Effect> MakeEffects();

// The menu tune as a standard MIDI file (format 1).
std::vector<std::uint8_t> MakeMidiSong();

}  // namespace soundgen
