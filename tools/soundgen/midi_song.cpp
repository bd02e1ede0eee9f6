// The menu tune: a light piece in C major for flute, oboe and clarinet over harp, bass, strings and
// soft percussion, about a minute and a half, ending on the tonic so that it can start again.
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "soundgen.h"

namespace soundgen {
namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kEighth = kTicksPerQuarter / 2;
constexpr int kBar = 4 * kTicksPerQuarter;
constexpr int kMicrosecondsPerQuarter = 600000;  // 100 beats a minute

enum Channel { kMelody = 0, kHarp = 1, kBass = 2, kStrings = 3, kDrums = 9 };
enum Program {
    kFlute = 73,
    kOboe = 68,
    kClarinet = 71,
    kHarpProgram = 46,
    kAcousticBass = 32,
    kStringEnsemble = 48
};

struct Event {
    int tick;
    int order;  // at the same tick: note-offs before program changes before note-ons
    std::vector<std::uint8_t> bytes;
};

class Track {
  public:
    void Note(int channel, int note, int start, int length, int velocity) {
        events_.push_back(
            {start, 2, {std::uint8_t(0x90 | channel), std::uint8_t(note), std::uint8_t(velocity)}});
        events_.push_back({start + length, 0, {std::uint8_t(0x80 | channel), std::uint8_t(note), 0}});
    }
    void ProgramChange(int channel, int program, int tick) {
        events_.push_back({tick, 1, {std::uint8_t(0xC0 | channel), std::uint8_t(program)}});
    }
    void Controller(int channel, int controller, int value, int tick) {
        events_.push_back(
            {tick, 1, {std::uint8_t(0xB0 | channel), std::uint8_t(controller), std::uint8_t(value)}});
    }
    void Meta(int type, std::vector<std::uint8_t> data, int tick) {
        std::vector<std::uint8_t> bytes{0xFF, std::uint8_t(type), std::uint8_t(data.size())};
        bytes.insert(bytes.end(), data.begin(), data.end());
        events_.push_back({tick, 1, bytes});
    }

    // The MTrk chunk: the events in time order with variable-length delta times, then the end.
    std::vector<std::uint8_t> Chunk(int endTick) {
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<std::uint8_t> body;
        int now = 0;
        for (const Event& e : events_) {
            PutVariableLength(body, e.tick - now);
            now = e.tick;
            body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        }
        PutVariableLength(body, std::max(0, endTick - now));
        body.insert(body.end(), {0xFF, 0x2F, 0x00});
        std::vector<std::uint8_t> chunk{'M', 'T', 'r', 'k'};
        PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
        chunk.insert(chunk.end(), body.begin(), body.end());
        return chunk;
    }

    static void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
        for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }

  private:
    static void PutVariableLength(std::vector<std::uint8_t>& out, int value) {
        std::uint8_t groups[5];
        int n = 0;
        do {
            groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
            value >>= 7;
        } while (value > 0);
        while (n > 1) out.push_back(groups[--n] | 0x80);
        out.push_back(groups[0]);
    }

    std::vector<Event> events_;
};

// A chord as its notes in the middle octave; the first is the root.
struct Chord {
    int root, third, fifth;
};
constexpr Chord C{60, 64, 67}, Am{57, 60, 64}, F{53, 57, 60}, G{55, 59, 62}, Dm{50, 53, 57}, Em{52, 55, 59};

// Two chords a bar, one for each half.
const Chord kVerseChords[8][2] = {{C, C}, {Am, Am}, {F, F}, {G, G}, {C, C}, {Am, Am}, {Dm, G}, {C, C}};
const Chord kBridgeChords[8][2] = {{F, F}, {G, G}, {Em, Em}, {Am, Am}, {Dm, Dm}, {G, G}, {C, F}, {G, G}};

// Melodies as note names with octave and a length in eighths ("E5:2"); "r" is a rest.
const char* const kVerse =
    "E5:2 G5:2 C6:3 B5:1 | A5:2 E5:2 C5:4 | F5:2 A5:2 C6:2 A5:2 | G5:6 D5:2 | "
    "E5:2 G5:2 C6:3 D6:1 | E6:2 C6:2 A5:4 | F5:2 A5:2 G5:2 B5:2 | C6:6 r:2";
const char* const kBridge =
    "A5:3 G5:1 F5:2 A5:2 | B5:3 A5:1 G5:2 D5:2 | G5:3 E5:1 G5:2 B5:2 | C6:4 A5:4 | "
    "D6:3 C6:1 A5:2 F5:2 | G5:2 B5:2 D6:4 | E6:2 C6:2 F5:2 A5:2 | G5:4 F5:2 D5:2";

int NoteNumber(const std::string& name) {
    static const int semitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') throw std::invalid_argument(name);
    int note = semitones[name[0] - 'A'];
    std::size_t i = 1;
    if (name[i] == '#') ++note, ++i;
    return note + 12 * (std::stoi(name.substr(i)) + 1);
}

// Writes a melody from `start`; returns the tick after it.
int WriteMelody(Track& track, const char* melody, int start, int velocity) {
    int tick = start;
    const char* p = melody;
    while (*p) {
        while (*p == ' ' || *p == '|') ++p;
        if (!*p) break;
        const char* end = std::strpbrk(p, " |");
        const std::string token(p, end ? end : p + std::strlen(p));
        p = end ? end : p + token.size();
        const std::size_t colon = token.find(':');
        const int length = std::stoi(token.substr(colon + 1)) * kEighth;
        if (token[0] != 'r') {
            const bool downbeat = (tick - start) % kBar == 0;
            track.Note(kMelody, NoteNumber(token.substr(0, colon)), tick, length - 20,
                       velocity + (downbeat ? 8 : 0));
        }
        tick += length;
    }
    return tick;
}

struct Section {
    const char* melody;
    const Chord (*chords)[2];
    int program;
    bool full;  // strings and percussion join in
};

}  // namespace

std::vector<std::uint8_t> MakeMidiSong() {
    const Section sections[] = {{kVerse, kVerseChords, kFlute, false},
                                {kBridge, kBridgeChords, kFlute, true},
                                {kVerse, kVerseChords, kOboe, true},
                                {kBridge, kBridgeChords, kClarinet, true},
                                {kVerse, kVerseChords, kFlute, false}};
    Track conductor, melody, harp, bass, strings, drums;
    conductor.Meta(0x03, {'K', 'e', 's', 'p', ' ', 'm', 'e', 'n', 'u'}, 0);
    conductor.Meta(0x51, {0x09, 0x27, 0xC0}, 0);  // 600000 microseconds a quarter
    conductor.Meta(0x58, {4, 2, 24, 8}, 0);
    static_assert(kMicrosecondsPerQuarter == 0x0927C0);
    harp.ProgramChange(kHarp, kHarpProgram, 0);
    bass.ProgramChange(kBass, kAcousticBass, 0);
    strings.ProgramChange(kStrings, kStringEnsemble, 0);
    // A little room around the instruments, strings and harp set back.
    struct Mix {
        int channel;
        Track* track;
        int volume;
    };
    for (const Mix& mix : {Mix{kMelody, &melody, 110}, Mix{kHarp, &harp, 85}, Mix{kBass, &bass, 95},
                           Mix{kStrings, &strings, 70}}) {
        mix.track->Controller(mix.channel, 7, mix.volume, 0);
        mix.track->Controller(mix.channel, 91, 50, 0);
    }
    drums.Controller(kDrums, 7, 70, 0);

    int tick = 0;
    for (const Section& section : sections) {
        melody.ProgramChange(kMelody, section.program, tick);
        WriteMelody(melody, section.melody, tick, 84);
        for (int bar = 0; bar < 8; ++bar) {
            const int barStart = tick + bar * kBar;
            for (int half = 0; half < 2; ++half) {
                const Chord chord = section.chords[bar][half];
                const int at = barStart + half * kBar / 2;
                // Harp: root, fifth, octave and the third above, in eighths.
                const int pattern[4] = {chord.root - 12, chord.fifth - 12, chord.root, chord.third};
                for (int k = 0; k < 4; ++k)
                    harp.Note(kHarp, pattern[k], at + k * kEighth, 2 * kEighth, k == 0 ? 66 : 56);
                bass.Note(kBass, chord.root - 24 + (chord.root < 57 ? 12 : 0), at, kBar / 2 - 40,
                          half == 0 ? 88 : 76);
                if (section.full)
                    for (int note : {chord.root, chord.third, chord.fifth})
                        strings.Note(kStrings, note, at, kBar / 2, 48);
            }
            if (section.full) {
                drums.Note(kDrums, 36, barStart, kEighth, 60);  // soft kick on the first beat
                for (int beat : {1, 3})
                    drums.Note(kDrums, 44, barStart + beat * kTicksPerQuarter, kEighth, 50);
                for (int e = 0; e < 8; ++e)
                    drums.Note(kDrums, 70, barStart + e * kEighth, kEighth / 2, e % 2 ? 30 : 42);
            }
        }
        tick += 8 * kBar;
    }
    // The closing chord rings for one more bar.
    for (int note : {48, 55, 60, 64, 67}) harp.Note(kHarp, note, tick, kBar, 60);
    bass.Note(kBass, 36, tick, kBar, 80);
    melody.Note(kMelody, 72, tick, kBar - 120, 80);
    const int end = tick + kBar;

    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd'};
    Track::PutBigEndian(file, 6, 4);
    Track::PutBigEndian(file, 1, 2);  // format 1: simultaneous tracks
    Track::PutBigEndian(file, 6, 2);
    Track::PutBigEndian(file, kTicksPerQuarter, 2);
    for (Track* track : {&conductor, &melody, &harp, &bass, &strings, &drums}) {
        const std::vector<std::uint8_t> chunk = track->Chunk(end);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

}  // namespace soundgen
