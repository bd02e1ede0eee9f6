// The main window's sounds and menu tune: effects of the window's own buttons, and the tune that
// plays while the title screen or the main menu shows.
#include <QDir>
#include <QMessageBox>

#include "app/main_window.h"

namespace kesp {

void TForm1::PlaySoundEffect(std::string_view name, bool wait) {
    sounds_.PlaySoundEffect(name, wait);
}

// At start-up: the sound output opens, the tune's file is written into the temporary folder and
// the tune starts.
void TForm1::StartAudio() {
    sounds_.OpenOutput();
    music_ = std::make_unique<MusicPlayer>(QDir::tempPath());
    if (!music_->Open())
        QMessageBox::information(this, GameName(words_.CurrentLanguage()),
                                 words_.WordText(WordKey::CantCreateMusicFile), QMessageBox::Ok);
    music_->PlayMusic(settings_.MusicOn);
    connect(&musicTimer_, &QTimer::timeout, this, &TForm1::MusicTimerTimer, Qt::UniqueConnection);
    musicTimer_.start(1000);
}

void TForm1::MusicTimerTimer() {
    if (!music_) return;
    const bool menuShows = screen_ == Screen::Title || screen_ == Screen::Menu;
    // The internet player's stream has the speakers while it plays.
    const bool tune = settings_.MusicOn && menuShows && !InternetMusicPlaying();
    if (tune && !music_->Playing()) music_->PlayMusic(true);
    if (!tune) music_->PlayMusic(false);
}

void TForm1::ResumeMenuMusic() {
    if (music_ && settings_.MusicOn && !InternetMusicPlaying()) music_->PlayMusic(true);
}

}  // namespace kesp
