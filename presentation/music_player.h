// The menu tune: the MIDI file "MidiSong" of the program's own resources, written once into the
// temporary folder as "temp36_25.mid" and played through FluidSynth with the General MIDI
// soundfont. Without an audio device the player stays silent and tries no further.
#pragma once

#include <fluidsynth/types.h>

#include <QByteArray>
#include <QString>

namespace kesp {

// "temp" + the game's number 36 + "_" + "25" + ".mid".
inline constexpr char kMusicFileName[] = "temp36_25.mid";

// The tune's bytes (a standard MIDI file) from the program's own resources.
QByteArray MidiSong();
// The General MIDI soundfont the tune is played with; empty when none is installed.
QString FindSoundFont();

class MusicPlayer {
  public:
    // `folder` is where the tune's file is written (the system's temporary folder); an empty one
    // (a temporary folder that does not exist) takes no file.
    explicit MusicPlayer(QString folder);
    // Stops the tune and deletes its file.
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    QString FilePath() const { return path_; }
    // Writes the tune's file unless it exists; false when it cannot be written (nothing plays then).
    bool Open();
    // Starts (true) or stops (false) the tune; starting while it plays changes nothing. Stopping
    // also releases the synthesiser and its soundfont.
    void PlayMusic(bool on);
    bool Playing() const;
    // False once it is known that no audio output can be opened.
    bool OutputAvailable() const { return !outputFailed_; }
    // Stops the tune, releases the synthesiser and deletes the file.
    void Close();

  private:
    bool StartSynth();
    void StopPlayer();
    void ReleaseSynth();

    QString path_;
    bool opened_ = false;
    bool outputFailed_ = false;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    fluid_player_t* player_ = nullptr;
};

}  // namespace kesp
