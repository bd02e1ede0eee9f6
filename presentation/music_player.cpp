#include "presentation/music_player.h"

#include <fluidsynth.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "sound_resources.h"

namespace kesp {
namespace {

// The audio outputs tried in turn: the sound server of the desktop, then the sound card itself.
bool SoundCardPresent() {
    return !QDir(QStringLiteral("/dev/snd")).entryList({QStringLiteral("pcmC*p")}, QDir::System).isEmpty();
}

void Quiet(int, const char*, void*) {}

// The synthesiser's complaints (no sound server, no card) are expected on machines without sound.
void SilenceFluidSynthLog() {
    for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, Quiet, nullptr);
}

}  // namespace

QByteArray MidiSong() {
    InitSoundResources();
    QFile file(QStringLiteral(":/sounds/MIDISONG.mid"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString FindSoundFont() {
    for (const char* path : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                             "/usr/share/sounds/sf2/FluidR3_GM.sf2"})
        if (QFileInfo(QString::fromLatin1(path)).isFile()) return QString::fromLatin1(path);
    return {};
}

MusicPlayer::MusicPlayer(QString folder)
    : path_(folder.isEmpty() ? QString() : QDir(folder).filePath(QString::fromLatin1(kMusicFileName))) {}

MusicPlayer::~MusicPlayer() {
    Close();
}

bool MusicPlayer::Open() {
    if (path_.isEmpty()) return false;
    if (!QFileInfo(path_).isFile()) {
        const QByteArray song = MidiSong();
        QSaveFile file(path_);
        if (song.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(song) != song.size() ||
            !file.commit())
            return false;
    }
    opened_ = true;
    return true;
}

bool MusicPlayer::StartSynth() {
    if (synth_) return true;
    if (outputFailed_) return false;
    const QString soundFont = FindSoundFont();
    if (soundFont.isEmpty()) {
        outputFailed_ = true;
        return false;
    }
    SilenceFluidSynthLog();
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.gain", 0.6);  // the default 0.2 is too faint for one tune
    synth_ = new_fluid_synth(settings_);
    for (const char* output : {"pulseaudio", "alsa"}) {
        if (std::string_view(output) == "alsa" && !SoundCardPresent()) continue;
        fluid_settings_setstr(settings_, "audio.driver", output);
        driver_ = new_fluid_audio_driver(settings_, synth_);
        if (driver_) break;
    }
    if (!driver_ || fluid_synth_sfload(synth_, soundFont.toLocal8Bit().constData(), 1) == FLUID_FAILED) {
        outputFailed_ = true;
        ReleaseSynth();
        return false;
    }
    return true;
}

void MusicPlayer::PlayMusic(bool on) {
    if (!on) {
        // The soundfont's samples take megabytes that a game at the table does not need; the
        // next start loads them again.
        StopPlayer();
        ReleaseSynth();
        return;
    }
    if (!opened_ || Playing() || !StartSynth()) return;
    StopPlayer();
    player_ = new_fluid_player(synth_);
    if (fluid_player_add(player_, QFile::encodeName(path_).constData()) != FLUID_OK ||
        fluid_player_play(player_) != FLUID_OK)
        StopPlayer();
}

bool MusicPlayer::Playing() const {
    return player_ && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
}

void MusicPlayer::StopPlayer() {
    if (!player_) return;
    fluid_player_stop(player_);
    fluid_player_join(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
    fluid_synth_all_sounds_off(synth_, -1);
}

void MusicPlayer::Close() {
    StopPlayer();
    ReleaseSynth();
    if (opened_) QFile::remove(path_);
    opened_ = false;
}

void MusicPlayer::ReleaseSynth() {
    if (driver_) delete_fluid_audio_driver(driver_);
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
    driver_ = nullptr;
    synth_ = nullptr;
    settings_ = nullptr;
}

}  // namespace kesp
