// The internet music player of the main menu: the service's playlist, a random track streamed
// from the service, and three round buttons at the bottom left of the main window (play/pause,
// next, volume). A missing or short playlist leaves the player off without a word.
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QMediaPlayer>
#include <QTimer>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "network/playlist.h"

namespace kesp {

struct Settings;

// A round picture button: the pressed picture lies one pixel down and to the right; the volume
// button writes its number on the picture in yellow.
class PlayerButton : public QAbstractButton {
  public:
    PlayerButton(const QString& objectName, QWidget* parent);
    void SetPicture(const QString& name);
    void SetNumber(int number, const QFont& font);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
    int number_ = -1;
    QFont font_;
};

class InternetMusic : public QObject {
    Q_OBJECT

  public:
    static constexpr int kButtonSize = 61;
    static constexpr int kEndCheckMs = 500;
    static constexpr int kVolumeStep = 5;

    // `draw` picks a track index 0..count-1 (a uniform random draw unless a test gives its own).
    InternetMusic(QWidget& window, const Settings& settings, std::function<int(int count)> draw = {});

    // Takes the playlist page: with more than four tracks the player turns on with a random track
    // at volume 50, not yet playing.
    void TakePlaylist(std::string_view page, const std::string& musicFolder);

    bool On() const { return on_; }
    bool Playing() const { return playing_; }
    int Volume() const { return volume_; }
    int Track() const { return track_; }  // 1-based, 0 while off
    const std::vector<PlaylistTrack>& Tracks() const { return tracks_; }
    // The media player, made when the music first plays (none before).
    const QMediaPlayer* Player() const { return player_; }

    // The buttons' actions (on release).
    void PlayPause();
    void Next();
    // A click at `x` on the volume button: right of 34 louder, left of 26 softer, by 5.
    void VolumeClick(int x);
    // The 500-millisecond check: a track played to its end while playing starts a new one.
    void CheckEnd();

    // Places the buttons at the bottom left of a client area and shows them when `shown`.
    void Layout(QSize client, bool shown);
    PlayerButton* PlayButton() const { return play_; }
    PlayerButton* NextButton() const { return next_; }
    PlayerButton* VolumeButton() const { return volumeButton_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // The stream started or stopped (the menu tune makes way while it plays).
    void PlayingChanged(bool playing);

  private:
    void OpenTrack(int track);
    QMediaPlayer& MediaPlayer();
    QUrl TrackAddress() const;
    void SetPlaying(bool playing);
    void ShowVolume();

    const Settings& settings_;
    std::function<int(int)> draw_;
    std::vector<PlaylistTrack> tracks_;
    bool on_ = false;
    bool playing_ = false;
    int volume_ = 50;
    int track_ = 0;
    // The media framework loads its decoders and the graphics drivers they probe (tens of
    // megabytes) as soon as a player exists, so it is made only when the music first plays.
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QTimer endCheck_;
    PlayerButton* play_;
    PlayerButton* next_;
    PlayerButton* volumeButton_;
};

}  // namespace kesp
