// The sound effects in the program's resources, reading WAV files, the waits for a sound's end, and
// the card-voice library.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdlib>
#include <functional>

#include "callback_wait.h"
#include "presentation/resource_library.h"
#include "presentation/sound_player.h"
#include "presentation/wav_data.h"
#include "qt_test_app.h"

namespace kesp {
namespace {

const char* const kEffects[] = {"WTasoKo", "WHodsDo", "WDiPlay", "WDiPass", "WPlMore", "WKoGutX",
                                "WKoBadX", "WKoGood", "WKoBads", "WFiBest", "WFiGood", "WFiBads",
                                "WOpenFo", "WToMenK", "WWrongs", "STimerA", "STimerB"};

// The loudest sample of 16-bit samples, 0..32768.
int Peak(const WavData& wav) {
    int peak = 0;
    for (qsizetype i = 0; i + 1 < wav.samples.size(); i += 2)
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(wav.samples.constData() + i))));
    return peak;
}

QByteArray Chunk(const char* id, const QByteArray& body) {
    QByteArray chunk(id, 4);
    char size[4];
    qToLittleEndian<quint32>(quint32(body.size()), size);
    chunk.append(size, 4).append(body);
    if (body.size() % 2) chunk.append('\0');
    return chunk;
}

QByteArray Format(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    QByteArray fmt(16, '\0');
    qToLittleEndian(tag, fmt.data());
    qToLittleEndian(channels, fmt.data() + 2);
    qToLittleEndian(rate, fmt.data() + 4);
    qToLittleEndian(quint32(rate * channels * bits / 8), fmt.data() + 8);
    qToLittleEndian(quint16(channels * bits / 8), fmt.data() + 12);
    qToLittleEndian(bits, fmt.data() + 14);
    return fmt;
}

QByteArray Riff(const QByteArray& chunks) {
    return QByteArray("RIFF") + QByteArray(4, '\0') + QByteArray("WAVE") + chunks;
}

// A quiet 16-bit mono WAV that plays for `ms` milliseconds.
QByteArray QuietWav(int ms) {
    return Riff(Chunk("fmt ", Format(1, 1, 22050, 16)) +
                Chunk("data", QByteArray(22050 * ms / 1000 * 2, '\0')));
}

// A waited sound ends no sooner than this after it starts (the device's short buffer may run dry
// a little before the sound's length has passed).
qint64 EarliestEnd(int ms) {
    return ms * 3 / 4;
}

// A player that times its sounds when the machine has no audio device.
class TimedPlayer {
  public:
    TimedPlayer() {
        test::App();
        player.SetSilentTiming(true);
    }
    Settings settings;
    SoundPlayer player{settings};
};

}  // namespace

TEST(SoundEffects, EveryEffectOfTheTableIsAShortAudibleWavFoundInAnyCase) {
    for (const char* name : kEffects) {
        const QByteArray file = LoadSoundEffect(name);
        ASSERT_FALSE(file.isEmpty()) << name;
        EXPECT_EQ(LoadSoundEffect(QString::fromLatin1(name).toLower().toStdString()), file) << name;
        const std::optional<WavData> wav = ParseWav(file);
        ASSERT_TRUE(wav) << name;
        EXPECT_EQ(wav->bitsPerSample, 16) << name;
        EXPECT_EQ(wav->channels, 1) << name;
        EXPECT_GE(wav->DurationMs(), 50) << name;
        EXPECT_LE(wav->DurationMs(), 2500) << name;
        EXPECT_GT(Peak(*wav), 8000) << name;
    }
    EXPECT_TRUE(LoadSoundEffect("WNoSuch").isEmpty());
    EXPECT_TRUE(LoadSoundEffect("").isEmpty());
}

TEST(SoundEffects, EffectsTheGameWaitsForAreShort) {
    // The game stands still while these play, once for every card put down or drawn.
    for (const char* name : {"WHodsDo", "WDiPlay", "WDiPass"})
        EXPECT_LE(ParseWav(LoadSoundEffect(name))->DurationMs(), 500) << name;
}

TEST(WavFiles, PcmIsReadPastOtherChunksAndDamagedFilesAreRefused) {
    const QByteArray samples("\x01\x00\x02\x00\x03\x00", 6);
    const QByteArray good =
        Riff(Chunk("fmt ", Format(1, 1, 22050, 16)) + Chunk("LIST", "odd") + Chunk("data", samples));
    const std::optional<WavData> wav = ParseWav(good);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->sampleRate, 22050);
    EXPECT_EQ(wav->samples, samples);

    // A data chunk cut short keeps its whole frames.
    const std::optional<WavData> cut = ParseWav(good.left(good.size() - 1));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->samples, samples.left(4));

    const struct {
        const char* what;
        QByteArray file;
    } refused[] = {
        {"empty", {}},
        {"not RIFF", QByteArray("RIFX") + good.mid(4)},
        {"header only", good.left(12)},
        {"compressed", Riff(Chunk("fmt ", Format(2, 1, 22050, 16)) + Chunk("data", samples))},
        {"no channels", Riff(Chunk("fmt ", Format(1, 0, 22050, 16)) + Chunk("data", samples))},
        {"24-bit", Riff(Chunk("fmt ", Format(1, 1, 22050, 24)) + Chunk("data", samples))},
        {"data before format", Riff(Chunk("data", samples) + Chunk("fmt ", Format(1, 1, 22050, 16)))},
        {"no samples", Riff(Chunk("fmt ", Format(1, 1, 22050, 16)) + Chunk("data", {}))},
        {"short format", Riff(Chunk("fmt ", Format(1, 1, 22050, 16).left(8)) + Chunk("data", samples))},
        {"huge chunk size", Riff(QByteArray("JUNK\xff\xff\xff\x7f", 8))},
    };
    for (const auto& r : refused) EXPECT_FALSE(ParseWav(r.file)) << r.what;
}

TEST(SoundWaits, AWaitedSoundReportsItsEndFromTheEventLoopAfterItsLength) {
    TimedPlayer timed;
    const std::optional<WavData> effect = ParseWav(LoadSoundEffect("WDiPlay"));
    ASSERT_TRUE(effect);
    const struct {
        const char* what;
        std::function<bool(SoundPlayer::Done)> play;
        qint64 lengthMs;
    } cases[] = {
        {"a WAV", [&](SoundPlayer::Done done) { return timed.player.PlayWav(QuietWav(300), true, done); },
         300},
        {"an effect",
         [&](SoundPlayer::Done done) { return timed.player.PlaySoundEffect("wdiplay", true, done); },
         effect->DurationMs()},
    };
    for (const auto& c : cases) {
        test::CallbackWait done;
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(c.play(done.Callback())) << c.what;
        EXPECT_EQ(done.calls, 0) << c.what << ": never from inside the call";
        ASSERT_TRUE(done.Run()) << c.what;
        EXPECT_GE(clock.elapsed(), EarliestEnd(static_cast<int>(c.lengthMs))) << c.what;
        test::RunEventLoopFor(std::chrono::milliseconds(50));
        EXPECT_EQ(done.calls, 1) << c.what;
    }
}

TEST(SoundWaits, NothingPlaysAndNothingIsCalledWhenThereIsNoSound) {
    TimedPlayer timed;
    int calls = 0;
    const auto done = [&] { ++calls; };
    timed.settings.SoundOn = false;
    EXPECT_FALSE(timed.player.PlaySoundEffect("WDiPlay", true, done));
    timed.settings.SoundOn = true;
    EXPECT_FALSE(timed.player.PlaySoundEffect("WNoSuch", true, done));
    EXPECT_FALSE(timed.player.PlayWav("RIFF and nothing else", true, done));
    // A sound that is not waited for reports nothing.
    EXPECT_TRUE(timed.player.PlayWav(QuietWav(60), false, done));
    test::RunEventLoopFor(std::chrono::milliseconds(200));
    EXPECT_EQ(calls, 0);
}

TEST(SoundWaits, AReplacedSoundStillReportsItsEndAndStopDropsWhatIsPending) {
    TimedPlayer timed;
    test::CallbackWait first, second;
    ASSERT_TRUE(timed.player.PlayWav(QuietWav(400), true, first.Callback()));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(timed.player.PlayWav(QuietWav(300), true, second.Callback()));
    EXPECT_EQ(first.calls, 0) << "never from inside the call that replaces it";
    ASSERT_TRUE(first.Run());
    EXPECT_EQ(second.calls, 0);
    ASSERT_TRUE(second.Run());
    EXPECT_GE(clock.elapsed(), EarliestEnd(300));

    // Stop drops the end of the playing sound and of one just replaced, and the player plays on.
    test::CallbackWait dropped, replaced, after;
    ASSERT_TRUE(timed.player.PlayWav(QuietWav(100), true, replaced.Callback()));
    ASSERT_TRUE(timed.player.PlayWav(QuietWav(100), true, dropped.Callback()));
    timed.player.Stop();
    test::RunEventLoopFor(std::chrono::milliseconds(700));
    EXPECT_EQ(replaced.calls + dropped.calls, 0);
    ASSERT_TRUE(timed.player.PlayWav(QuietWav(100), true, after.Callback()));
    EXPECT_TRUE(after.Run());
}

TEST(CardVoices, NamesFollowTheVoiceScheme) {
    const Card aceOfSpades = Card::FromDeckNumber(36), sixOfHearts = Card::FromDeckNumber(1);
    EXPECT_EQ(VoiceName(aceOfSpades, 3), "Pi5AVoiceFra");
    EXPECT_EQ(VoiceName(sixOfHearts, 0), "Ch06VoiceEng");
    EXPECT_EQ(VoiceName(aceOfSpades, 8), "Pi5AVoiceJap");  // unlike pictures, Japanese and Korean
    EXPECT_EQ(VoiceName(aceOfSpades, 9), "Pi5AVoiceKor");  // have voices of their own
    EXPECT_EQ(VoiceName(Card::Empty(), 0), "");
}

#ifdef KESP_VOICE_LIBRARY
TEST(CardVoices, TheLibraryIsFoundBesideTheProgramThenAboveItAndSilentWhenAbsent) {
    test::App();
    const Card card = Card::FromDeckNumber(36);
    QTemporaryDir root;
    const QString program = root.filePath("program");
    ASSERT_TRUE(QDir().mkpath(program));
    const std::string programDir = program.toStdString() + "/";
    EXPECT_TRUE(LoadCardVoice(programDir, card, 0).isEmpty());

    ASSERT_TRUE(QFile::link(QStringLiteral(KESP_VOICE_LIBRARY), root.filePath("ZunCVoice3.dll")));
    const QByteArray above = LoadCardVoice(programDir, card, 0);
    EXPECT_TRUE(ParseWav(above));

    // A damaged file beside the program is passed over for the library above it.
    QFile damaged(program + "/ZunCVoice3.dll");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a resource bundle");
    damaged.close();
    EXPECT_EQ(LoadCardVoice(programDir, card, 0), above);

    ASSERT_TRUE(QFile::remove(program + "/ZunCVoice3.dll"));
    ASSERT_TRUE(QFile::rename(root.filePath("ZunCVoice3.dll"), program + "/ZunCVoice3.dll"));
    EXPECT_EQ(LoadCardVoice(programDir, card, 0), above);
    EXPECT_NE(LoadCardVoice(programDir, card, 1), above);  // Russian
    EXPECT_TRUE(LoadCardVoice(programDir, Card::Empty(), 0).isEmpty());

    // Speaking needs the library only, whatever SoundOn says.
    Settings quiet;
    quiet.SoundOn = false;
    SoundPlayer player(quiet);
    EXPECT_TRUE(player.SpeakCard(programDir, card, 9));
    EXPECT_FALSE(player.SpeakCard(root.filePath("elsewhere").toStdString() + "/", card, 9));
}

TEST(CardVoices, EveryCardIsSpokenInEveryLanguage) {
    test::App();
    const QFileInfo file(QStringLiteral(KESP_VOICE_LIBRARY));
    const ResourceLibrary library(file.absolutePath().toStdString() + "/", file.fileName().toStdString());
    ASSERT_TRUE(library.Found());
    for (int language = 0; language < 10; ++language)
        for (int k = 1; k <= 36; ++k) {
            const std::string name = VoiceName(Card::FromDeckNumber(k), language);
            const std::optional<WavData> wav = ParseWav(library.LoadBytes(name));
            ASSERT_TRUE(wav) << name;
            EXPECT_GE(wav->DurationMs(), 300) << name;
        }
}
#endif

}  // namespace kesp
