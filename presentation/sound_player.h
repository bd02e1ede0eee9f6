// Sound effects and card voices, played from memory through the default audio output.
//
// Effects are WAV files among the program's own resources, found by name without regard to case;
// they play only while `SoundOn` is set. Card voices come from the optional voice library
// "ZunCVoice3.dll" beside the program or in the folder above, named card token + "Voice" +
// language code ("Pi5AVoiceFra"), and play whatever `SoundOn` says. A new sound replaces one still
// playing. A sound the game waits for never blocks: playing returns at once and a callback reports
// the end from the event loop. Without an audio device (a server, a test run) nothing plays and
// nothing waits, unless silent timing is on.
//
// One output stream stays open while the player lives and is fed the samples a few milliseconds
// ahead: opening a stream per sound costs a noticeable start-up delay and may lose short sounds.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/card.h"
#include "records/settings.h"

class QAudioSink;

namespace kesp {

inline constexpr std::string_view kVoiceLibrary = "ZunCVoice3.dll";

// The voice language code of an interface language 0..9 ("Eng", "Rus", ... "Kor").
std::string_view VoiceLanguageCode(int language);
// The voice's name in the library, such as "Pi5AVoiceFra"; empty for anything that is not a card.
std::string VoiceName(Card card, int language);
// The voice of a card from the library (beside the program, then in the folder above it); empty
// when the library or the voice is missing.
QByteArray LoadCardVoice(const std::string& programDir, Card card, int language);
// A sound effect of the program's own resources by name, any case; empty when there is none.
QByteArray LoadSoundEffect(std::string_view name);

class SoundPlayer {
  public:
    using Done = std::function<void()>;

    explicit SoundPlayer(const Settings& settings);
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Plays an effect when `SoundOn` is set and returns at once. With `wait`, returns true when
    // `done` will be called (from the event loop) once the sound has ended; false when nothing
    // plays (sound off, no device, not a WAV): then `done` is never called and the caller goes on
    // at once.
    bool PlaySoundEffect(std::string_view name, bool wait, Done done = {});
    // Says a card's name in `language` without waiting; false when the voice library is missing.
    bool SpeakCard(const std::string& programDir, Card card, int language);
    // Plays a whole WAV file as PlaySoundEffect does, whatever `SoundOn` says. A sound still
    // playing is replaced; its `done` is still called, from the event loop.
    bool PlayWav(const QByteArray& wav, bool wait, Done done = {});
    // Opens the output ahead of the first sound (its stream takes a moment to start).
    void OpenOutput();
    // Ends the sound; a pending `done` is dropped without being called (the program is closing).
    void Stop();
    // Without an audio device, sounds are not heard but take their real length, divided by `pace`
    // (tests of the waits, which shorten the game's times).
    void SetSilentTiming(bool on, int pace = 1) {
        silentTiming_ = on;
        silentPace_ = std::max(1, pace);
    }

  private:
    bool OpenOutput(const QAudioFormat& format);
    void Feed();
    void Tick();
    bool Ended() const;
    // The sound is over or replaced: its `done` is called from the event loop.
    void EndSound();
    void CallNextDone();

    const Settings& settings_;
    bool silentTiming_ = false;
    int silentPace_ = 1;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* output_ = nullptr;  // the stream's input, owned by the sink
    QTimer ticker_;                // feeds the stream and watches for the end while a sound plays
    QByteArray samples_;
    qsizetype fed_ = 0;
    qint64 lengthMs_ = 0;
    QElapsedTimer playing_;  // since the sound started
    Done done_;
    std::deque<Done> ended_;  // the `done` of sounds that are over, called in turn from the loop
    QTimer endedCaller_;
};

}  // namespace kesp
