#include "presentation/sound_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QThread>

#include "presentation/card_art.h"
#include "presentation/resource_library.h"
#include "presentation/wav_data.h"
#include "sound_resources.h"

namespace kesp {
namespace {

const char* const kVoiceCodes[10] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor"};

constexpr qint64 kDeviceBufferUs = 50000;
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
    feeder_.setInterval(10);
    QObject::connect(&feeder_, &QTimer::timeout, [this] { Feed(); });
}

SoundPlayer::~SoundPlayer() {
    feeder_.stop();
    if (sink_) sink_->stop();
}

void SoundPlayer::PlaySoundEffect(std::string_view name, bool wait) {
    if (!settings_.SoundOn) return;
    PlayWav(LoadSoundEffect(name), wait);
}

bool SoundPlayer::SpeakCard(const std::string& programDir, Card card, int language, bool wait) {
    const QByteArray voice = LoadCardVoice(programDir, card, language);
    if (voice.isEmpty()) return false;
    PlayWav(voice, wait);
    return true;
}

void SoundPlayer::OpenOutput() {
    OpenOutput(EffectFormat());
}

bool SoundPlayer::OpenOutput(const QAudioFormat& format) {
    if (sink_ && sink_->format() == format && sink_->error() == QAudio::NoError) return true;
    if (sink_) sink_->stop();
    sink_.reset();
    output_ = nullptr;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;
    sink_ = std::make_unique<QAudioSink>(device, format);
    // A short buffer: a new sound is heard at once and a waiting game goes on soon after its end.
    sink_->setBufferSize(format.bytesForDuration(kDeviceBufferUs));
    output_ = sink_->start();
    if (!output_ || sink_->error() != QAudio::NoError) {
        sink_.reset();
        output_ = nullptr;
        return false;
    }
    return true;
}

void SoundPlayer::Stop() {
    ++generation_;
    samples_.clear();
    fed_ = 0;
    feeder_.stop();
}

void SoundPlayer::Feed() {
    if (!sink_ || !output_ || fed_ >= samples_.size()) {
        feeder_.stop();
        return;
    }
    const qsizetype n = std::min<qsizetype>(sink_->bytesFree(), samples_.size() - fed_);
    if (n > 0) {
        const qint64 written = output_->write(samples_.constData() + fed_, n);
        if (written > 0) fed_ += written;
    }
}

bool SoundPlayer::PlayWav(const QByteArray& file, bool wait) {
    const std::optional<WavData> wav = ParseWav(file);
    if (!wav || !OpenOutput(FormatOf(*wav))) return false;
    Stop();
    const int generation = generation_;
    samples_ = wav->samples;
    Feed();
    feeder_.start();
    if (!wait) return true;
    // The window keeps painting while the game waits for the sound; input waits with it. The
    // sound has ended when all of it went to the device and the device ran dry.
    const qint64 limit = wav->DurationMs() + kWaitLimitMs;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < limit && generation == generation_ && sink_ &&
           sink_->error() == QAudio::NoError) {
        Feed();
        if (fed_ >= samples_.size() && sink_->state() == QAudio::IdleState) break;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

}  // namespace kesp
