// The menu tune: a valid standard MIDI file, written to the temporary folder only when missing,
// and audible through the synthesiser and the General MIDI soundfont.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <set>

#include "presentation/music_player.h"
#include "qt_test_app.h"

namespace kesp {
namespace {

// What a walk through a standard MIDI file found.
struct Smf {
    int format = -1, tracks = 0, division = 0;
    int chunks = 0;
    bool everyTrackEnds = true;
    std::set<int> channels, programs;
    int notesOn = 0, notesOff = 0;
    double seconds = 0;
    std::string error;
};

quint32 Big(const QByteArray& b, qsizetype at, int bytes) {
    quint32 v = 0;
    for (int i = 0; i < bytes; ++i) v = v << 8 | quint8(b[at + i]);
    return v;
}

Smf ReadSmf(const QByteArray& file) {
    Smf smf;
    if (file.size() < 14 || !file.startsWith("MThd") || Big(file, 4, 4) != 6) {
        smf.error = "no header";
        return smf;
    }
    smf.format = int(Big(file, 8, 2));
    smf.tracks = int(Big(file, 10, 2));
    smf.division = int(Big(file, 12, 2));
    int tempo = 500000;
    qint64 lastTick = 0;
    qsizetype at = 14;
    while (at + 8 <= file.size()) {
        if (file.mid(at, 4) != "MTrk") return smf.error = "not a track chunk", smf;
        const qsizetype end = at + 8 + Big(file, at + 4, 4);
        if (end > file.size()) return smf.error = "track runs past the end", smf;
        ++smf.chunks;
        qsizetype p = at + 8;
        qint64 tick = 0;
        int status = 0;
        bool ended = false;
        auto variable = [&] {
            quint32 v = 0;
            for (int i = 0; i < 4 && p < end; ++i) {
                const quint8 c = quint8(file[p++]);
                v = v << 7 | (c & 0x7F);
                if (!(c & 0x80)) break;
            }
            return v;
        };
        while (p < end && !ended) {
            tick += variable();
            if (quint8(file[p]) & 0x80) status = quint8(file[p++]);
            if (status == 0xFF) {
                const int type = quint8(file[p++]);
                const quint32 length = variable();
                if (type == 0x51) tempo = int(Big(file, p, 3));
                if (type == 0x2F) ended = true;
                p += length;
            } else if ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) {
                if ((status & 0xF0) == 0xC0) smf.programs.insert(quint8(file[p]));
                smf.channels.insert(status & 0x0F);
                p += 1;
            } else if (status >= 0x80 && status < 0xF0) {
                const int kind = status & 0xF0, velocity = quint8(file[p + 1]);
                if (kind == 0x90 && velocity > 0) ++smf.notesOn;
                if (kind == 0x80 || (kind == 0x90 && velocity == 0)) ++smf.notesOff;
                smf.channels.insert(status & 0x0F);
                p += 2;
            } else {
                return smf.error = "unknown event", smf;
            }
        }
        smf.everyTrackEnds = smf.everyTrackEnds && ended && p == end;
        lastTick = std::max(lastTick, tick);
        at = end;
    }
    // The conductor track sets one tempo for the whole tune.
    smf.seconds = double(lastTick) / smf.division * tempo / 1e6;
    return smf;
}

}  // namespace

TEST(MenuTune, IsAValidMidiFileOfSeveralInstrumentsLastingAMinuteOrTwo) {
    const Smf smf = ReadSmf(MidiSong());
    ASSERT_EQ(smf.error, "");
    EXPECT_EQ(smf.format, 1);
    EXPECT_EQ(smf.tracks, smf.chunks);
    EXPECT_GE(smf.tracks, 4);
    EXPECT_TRUE(smf.everyTrackEnds);
    EXPECT_EQ(smf.notesOn, smf.notesOff);
    EXPECT_GE(smf.programs.size(), 4u);
    EXPECT_TRUE(smf.channels.contains(9));  // percussion
    EXPECT_GE(smf.seconds, 60);
    EXPECT_LE(smf.seconds, 120);
}

TEST(MenuTune, TheFileIsWrittenOnlyWhenMissingAndDeletedWhenClosed) {
    test::App();
    QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromLatin1(kMusicFileName));
    EXPECT_EQ(QFileInfo(path).fileName(), "temp36_25.mid");
    {
        MusicPlayer player(folder.path());
        EXPECT_EQ(player.FilePath(), path);
        ASSERT_TRUE(player.Open());
        QFile written(path);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), MidiSong());
    }
    EXPECT_FALSE(QFile::exists(path));

    // A file already there is played as it is.
    QFile existing(path);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("already here");
    existing.close();
    MusicPlayer player(folder.path());
    ASSERT_TRUE(player.Open());
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "already here");
    existing.close();
    player.Close();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(MenuTune, AFolderThatCannotBeWrittenIsReported) {
    test::App();
    QTemporaryDir root;
    // A folder under a plain file cannot be made or written by anyone.
    QFile plain(root.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    MusicPlayer player(root.filePath("plain/folder"));
    EXPECT_FALSE(player.Open());
    player.PlayMusic(true);  // nothing to play: stays quiet
    EXPECT_FALSE(player.Playing());
    // A folder in the file's place, and no folder at all.
    ASSERT_TRUE(QDir(root.path()).mkdir(kMusicFileName));
    EXPECT_FALSE(MusicPlayer(root.path()).Open());
    EXPECT_TRUE(QFileInfo(root.filePath(kMusicFileName)).isDir());
    EXPECT_FALSE(MusicPlayer(QString()).Open());
}

TEST(MenuTune, SoundsThroughTheSoundFont) {
    const QString soundFont = FindSoundFont();
    if (soundFont.isEmpty()) GTEST_SKIP() << "no General MIDI soundfont installed";
    const QByteArray song = MidiSong();
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 22050);
    fluid_synth_t* synth = new_fluid_synth(settings);
    ASSERT_NE(fluid_synth_sfload(synth, soundFont.toLocal8Bit().constData(), 1), FLUID_FAILED);
    fluid_player_t* player = new_fluid_player(synth);
    ASSERT_EQ(fluid_player_add_mem(player, song.constData(), size_t(song.size())), FLUID_OK);
    ASSERT_EQ(fluid_player_play(player), FLUID_OK);
    // Ten seconds rendered offline: the synthesiser's clock drives the player.
    std::vector<std::int16_t> left(22050 * 10), right(left.size());
    for (std::size_t at = 0; at < left.size(); at += 1024) {
        const int n = int(std::min<std::size_t>(1024, left.size() - at));
        fluid_synth_write_s16(synth, n, left.data() + at, 0, 1, right.data() + at, 0, 1);
    }
    double sum = 0;
    int silentSeconds = 0;
    for (int second = 0; second < 10; ++second) {
        double energy = 0;
        for (int i = 0; i < 22050; ++i)
            energy += double(left[std::size_t(second * 22050 + i)]) * left[std::size_t(second * 22050 + i)];
        sum += energy;
        if (std::sqrt(energy / 22050) < 100) ++silentSeconds;
    }
    EXPECT_GT(std::sqrt(sum / double(left.size())), 500);  // well above the noise floor
    EXPECT_EQ(silentSeconds, 0);
    EXPECT_EQ(fluid_player_get_status(player), FLUID_PLAYER_PLAYING);
    fluid_player_stop(player);
    delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
}

}  // namespace kesp
