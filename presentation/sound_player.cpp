#include "presentation/sound_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>

#include "presentation/card_art.h"
#include "presentation/resource_library.h"
#include "presentation/wav_data.h"
#include "sound_resources.h"

namespace kesp {
namespace {

const char* const kVoiceCodes[10] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"};

constexpr qint64 kDeviceBufferMs = 50;
// A waiting game goes on at the latest this long after the sound's length (a stalled device).
constexpr qint64 kWaitLimitMs = 500;

QAudioFormat FormatOf(const WavData& wav) {
    QAudioFormat format;
    format.setSampleRate(wav.sampleRate);
    format.setChannelCount(wav.channels);
    format.setSampleFormat(wav.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

// The format of the program's own effects and of the spoken card names.
QAudioFormat EffectFormat() {
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// An underrun only says that the stream ran dry between sounds; anything else ends the stream.
bool Broken(const QAudioSink& sink) {
    return sink.error() != QAudio::NoError && sink.error() != QAudio::UnderrunError;
}

}  // namespace

std::string_view VoiceLanguageCode(int language) {
    return kVoiceCodes[language >= 0 && language < 10 ? language : 0];
}

std::string VoiceName(Card card, int language) {
    if (!card.IsCard()) return {};
    return FaceName(card, 0, false) + "Voice" + std::string(VoiceLanguageCode(language));
}

QByteArray LoadCardVoice(const std::string& programDir, Card card, int language) {
    const std::string name = VoiceName(card, language);
    if (name.empty()) return {};
    const ResourceLibrary library(programDir, kVoiceLibrary);
    return library.Found() ? library.LoadBytes(name) : QByteArray();
}

QByteArray LoadSoundEffect(std::string_view name) {
    InitSoundResources();
    if (name.empty()) return {};
    const QString key = QString::fromUtf8(name.data(), qsizetype(name.size())).toUpper();
    QFile file(QStringLiteral(":/sounds/") + key + QStringLiteral(".wav"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SoundPlayer::SoundPlayer(const Settings& settings) : settings_(settings) {
    ticker_.setInterval(10);
    QObject::connect(&ticker_, &QTimer::timeout, [this] { Tick(); });
    endedCaller_.setSingleShot(true);
    endedCaller_.setInterval(0);
    QObject::connect(&endedCaller_, &QTimer::timeout, [this] { CallNextDone(); });
}

SoundPlayer::~SoundPlayer() {
    Stop();
    if (sink_) sink_->stop();
}

bool SoundPlayer::PlaySoundEffect(std::string_view name, bool wait, Done done) {
    if (!settings_.SoundOn) return false;
    return PlayWav(LoadSoundEffect(name), wait, std::move(done));
}

bool SoundPlayer::SpeakCard(const std::string& programDir, Card card, int language) {
    const QByteArray voice = LoadCardVoice(programDir, card, language);
    if (voice.isEmpty()) return false;
    PlayWav(voice, false);
    return true;
}

void SoundPlayer::OpenOutput() {
    OpenOutput(EffectFormat());
}

bool SoundPlayer::OpenOutput(const QAudioFormat& format) {
    if (sink_ && sink_->format() == format && !Broken(*sink_)) return true;
    if (sink_) sink_->stop();
    sink_.reset();
    output_ = nullptr;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;
    sink_ = std::make_unique<QAudioSink>(device, format);
    // A short buffer: a new sound is heard at once and a waiting game goes on soon after its end.
    sink_->setBufferSize(format.bytesForDuration(kDeviceBufferMs * 1000));
    output_ = sink_->start();
    if (!output_ || Broken(*sink_)) {
        sink_.reset();
        output_ = nullptr;
        return false;
    }
    return true;
}

bool SoundPlayer::PlayWav(const QByteArray& file, bool wait, Done done) {
    const std::optional<WavData> wav = ParseWav(file);
    if (!wav) return false;
    if (ticker_.isActive()) EndSound();  // replaced: whoever waits for it goes on
    const bool heard = OpenOutput(FormatOf(*wav));
    if (!heard && !silentTiming_) return false;
    samples_ = wav->samples;
    fed_ = 0;
    lengthMs_ = heard ? wav->DurationMs() : wav->DurationMs() / silentPace_;
    playing_.start();
    done_ = wait ? std::move(done) : Done();
    Feed();
    ticker_.start();
    return true;
}

void SoundPlayer::Stop() {
    ticker_.stop();
    samples_.clear();
    fed_ = 0;
    done_ = nullptr;
    ended_.clear();
    endedCaller_.stop();
}

void SoundPlayer::Feed() {
    if (!sink_ || !output_ || fed_ >= samples_.size()) return;
    const qsizetype n = std::min<qsizetype>(sink_->bytesFree(), samples_.size() - fed_);
    if (n > 0) {
        const qint64 written = output_->write(samples_.constData() + fed_, n);
        if (written > 0) fed_ += written;
    }
}

void SoundPlayer::Tick() {
    Feed();
    if (Ended()) EndSound();
}

bool SoundPlayer::Ended() const {
    const qint64 elapsed = playing_.elapsed();
    if (elapsed >= lengthMs_ + kWaitLimitMs) return true;  // a stalled device
    if (!sink_) return elapsed >= lengthMs_;               // silent timing
    if (Broken(*sink_)) return true;
    // All of it went to the device and the device ran dry.
    return fed_ >= samples_.size() && sink_->state() == QAudio::IdleState &&
           elapsed + kDeviceBufferMs >= lengthMs_;
}

void SoundPlayer::EndSound() {
    ticker_.stop();
    samples_.clear();
    fed_ = 0;
    if (!done_) return;
    ended_.push_back(std::move(done_));
    done_ = nullptr;
    endedCaller_.start();
}

void SoundPlayer::CallNextDone() {
    if (ended_.empty()) return;
    Done done = std::move(ended_.front());
    ended_.pop_front();
    if (!ended_.empty()) endedCaller_.start();
    // Last of all: `done` may play the next sound, or stop the player.
    done();
}

}  // namespace kesp
