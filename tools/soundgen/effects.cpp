// The effects of the game's sound table, each short and easy to tell from the others.
#include <cmath>

#include "soundgen.h"

namespace soundgen {
namespace {

// A card put down on the cloth: a dry snap over a soft thump.
Signal CardSnap(std::uint32_t seed) {
    Signal s(0.12);
    s.Mix(NoiseBurst(0.12, 0.55, 55, seed), 0);
    s.Mix(Tone(140, 0.08, 0.001, 0.2), 0, 0.35);
    s.Normalise(0.8);
    return s;
}

// Notes of a bell one after the other, `step` seconds apart, the last one left to ring.
Signal Arpeggio(std::initializer_list<int> notes, double step, double ring, double brightness = 1.0) {
    Signal s(step * (notes.size() - 1) + ring);
    double at = 0;
    for (int note : notes) {
        s.Mix(Bell(NoteFrequency(note), ring, brightness), at);
        at += step;
    }
    s.Normalise(0.7);
    return s;
}

// Soft round notes (a muted horn), for the sadder sounds.
Signal Phrase(std::initializer_list<int> notes, double step, double last) {
    Signal s(step * (notes.size() - 1) + last);
    double at = 0;
    int index = 0;
    for (int note : notes) {
        const bool final = ++index == int(notes.size());
        s.Mix(Tone(NoteFrequency(note), final ? last : step * 1.3, 0.03, 0.35), at);
        at += step;
    }
    s.Normalise(0.55);
    return s;
}

Signal Shuffle() {
    Signal s(1.2);
    // The riffle: quick clicks that speed up and slow down again as the halves interleave.
    double at = 0.02;
    for (int i = 0; i < 44; ++i) {
        const double x = i / 43.0;
        const double loud = 0.5 + 0.5 * std::sin(3.14159 * x);
        s.Mix(NoiseBurst(0.012, 0.5, 500, 100 + i), at, loud);
        at += 0.024 - 0.008 * std::sin(3.14159 * x);
    }
    // The cards squared up, then two laid down.
    s.Mix(NoiseBurst(0.2, 0.3, 18, 7), at, 0.5);
    s.Mix(CardSnap(11), 0.9, 0.9);
    s.Mix(CardSnap(12), 1.05, 0.9);
    s.Normalise(0.75);
    return s;
}

// A soft pop as a window opens: a short rising glide with a tick on top.
Signal WindowOpen() {
    Signal s(0.16);
    s.Mix(Sweep(380, 980, 0.12), 0.0);
    s.Mix(NoiseBurst(0.03, 0.45, 150, 3), 0.0, 0.2);
    s.Normalise(0.5);
    return s;
}

Signal Wrong() {
    Signal s(0.42);
    s.Mix(Buzz(110, 0.17), 0.0);
    s.Mix(Buzz(104, 0.2), 0.21);
    s.Normalise(0.45);
    return s;
}

Signal Tick(double frequency, double seconds) {
    Signal s(seconds);
    s.Mix(Bell(frequency, seconds, 0.3), 0);
    s.Mix(NoiseBurst(0.015, 0.9, 300, 5), 0, 0.3);
    s.Normalise(0.5);
    return s;
}

Signal BestFanfare() {
    Signal s(2.2);
    s.Mix(Arpeggio({67, 72, 76, 79}, 0.11, 0.9), 0.0);
    s.Mix(Arpeggio({72, 76, 79, 84}, 0.09, 1.6, 1.2), 0.5);
    // The final chord, held a little longer.
    for (int note : {60, 64, 67, 72}) s.Mix(Tone(NoteFrequency(note), 1.4, 0.02, 0.4), 0.8, 0.25);
    s.Normalise(0.75);
    return s;
}

}  // namespace

std::vector<Effect> MakeEffects() {
    std::vector<Effect> effects;
    auto add = [&](const char* name, Signal sound) { effects.push_back({name, std::move(sound)}); };
    add("WTasoKo", Shuffle());
    add("WHodsDo", CardSnap(1));
    add("WDiPlay", Arpeggio({76, 81}, 0.09, 0.35));
    add("WDiPass", Phrase({69, 64}, 0.12, 0.3));
    add("WPlMore", Arpeggio({72, 76, 79, 84, 88}, 0.1, 1.0, 1.3));
    add("WKoGutX", Arpeggio({72, 76, 79}, 0.08, 0.5));
    add("WKoBadX", Phrase({69, 65, 62}, 0.14, 0.4));
    add("WKoGood", Arpeggio({67, 72, 76, 79, 84}, 0.09, 0.8));
    add("WKoBads", Phrase({67, 66, 65, 64}, 0.22, 0.6));
    add("WFiBest", BestFanfare());
    add("WFiGood", Arpeggio({72, 79, 76, 84}, 0.13, 0.9));
    add("WFiBads", Phrase({72, 69, 65, 64}, 0.25, 0.7));
    add("WOpenFo", WindowOpen());
    add("WToMenK", Arpeggio({84, 79}, 0.16, 0.5, 0.7));
    add("WWrongs", Wrong());
    add("STimerA", Tick(1200, 0.07));
    add("STimerB", Tick(1800, 0.12));
    return effects;
}

}  // namespace soundgen
