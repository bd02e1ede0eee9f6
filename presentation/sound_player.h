// Sound effects and card voices, played from memory through the default audio output.
//
// Effects are WAV files among the program's own resources, found by name without regard to case;
// they play only while `SoundOn` is set. Card voices come from the optional voice library
// "ZunCVoice3.dll" beside the program or in the folder above, named card token + "Voice" +
// language code ("Pi5AVoiceFra"), and play whatever `SoundOn` says. A new sound replaces one still
// playing. Without an audio device (a server, a test run) nothing plays and nothing waits.
//
// One output stream stays open while the player lives and is fed the samples a few milliseconds
// ahead: opening a stream per sound costs a noticeable start-up delay and may lose short sounds.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QTimer>
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
    explicit SoundPlayer(const Settings& settings);
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Plays an effect when `SoundOn` is set; with `wait` it returns once the sound has ended, the
    // window painting on meanwhile (user input waits).
    void PlaySoundEffect(std::string_view name, bool wait);
    // Says a card's name in `language`; false when the voice library is missing.
    bool SpeakCard(const std::string& programDir, Card card, int language, bool wait);
    // Plays a whole WAV file; false when nothing could be played (no device, not a WAV).
    bool PlayWav(const QByteArray& wav, bool wait);
    // Opens the output ahead of the first sound (its stream takes a moment to start).
    void OpenOutput();
    void Stop();

  private:
    bool OpenOutput(const QAudioFormat& format);
    void Feed();

    const Settings& settings_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* output_ = nullptr;  // the stream's input, owned by the sink
    QTimer feeder_;
    QByteArray samples_;
    qsizetype fed_ = 0;
    int generation_ = 0;  // tells a waiting call that its sound was replaced
};

}  // namespace kesp
