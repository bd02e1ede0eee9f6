// The online account's games from the main menu: row 5 as the account's line, the start of an
// account game (rated or not) from that row, and the record update when a rated game ends.
#include <QDialog>

#include "app/account_row.h"
#include "app/main_window.h"
#include "engine/sounds.h"
#include "windows/account_window.h"
#include "windows/end_game_window.h"

namespace kesp {

void TForm1::ConnectRatedGame() {
    rated_ = new RatedGame(
        account_, words_, *this, [this](std::string_view name) { PlaySoundEffect(name); }, this);
    connect(&menu_, &MenuScreen::ClubListDrawn, this, &TForm1::ReadAccountRow);
    connect(&menu_, &MenuScreen::AccountRowChosen, this, &TForm1::AccountRowClick);
    // A login or logout that answers while the menu shows changes what row 5 holds.
    connect(&account_, &AccountSession::StateChanged, this, [this] {
        if (screen_ == Screen::Menu) menu_.Show(settings_, fonts_, scales_, menuGeometry_, programDir_);
    });
    connect(rated_, &RatedGame::PreBookFinished, this, [this](bool saved) {
        if (screen_ != Screen::Menu) return;
        if (saved)
            StartAccountGame(true);
        else
            ShowMenu();
    });
    connect(rated_, &RatedGame::GameRecorded, this, &TForm1::AccountGameRecorded);
}

// Each drawing of the club list reads the account's record for row 5; an answer for a list that
// was hidden or drawn again meanwhile is dropped.
void TForm1::ReadAccountRow() {
    const bool account = account_.LoggedIn() && !settings_.NetworkMode;
    menu_.SetAccountRow(account);
    if (!account) return;
    const int drawn = menu_.DrawCount();
    const int view = settings_.ClubView == ClubViewRating ? ClubViewRating : ClubViewScore;
    ReadAccountLine(online_.Queue(), this, account_.User(), online_.Addresses().account, view,
                    [this, drawn](std::optional<QString> line) {
                        if (line && menu_.Shown() && menu_.DrawCount() == drawn) menu_.ShowAccountLine(*line);
                    });
}

// Row 5 while the account is logged in: the account window, where the game may be made rated.
void TForm1::AccountRowClick() {
    if (rated_->Busy()) return;
    Burst(settings_.SaluteButtons);
    PlaySoundEffect(sound::Window);
    KeepLibraryDesignOnlyWith("GFormAcc1");
    TFormAccount* window = OpenAccountWindow(settings_, account_, true, this);
    connect(window, &QDialog::finished, this, &TForm1::AccountWindowClosed);
}

// "Close" goes on by the login state; Escape or the frame's close button give up the start.
void TForm1::AccountWindowClosed(int result) {
    if (screen_ != Screen::Menu) return;
    const LoginState state = account_.State();
    if (result != QDialog::Accepted || state == LoginState::LoggedOut) {
        if (state == LoginState::RatedGame) account_.SetRatedGame(false);
        ShowMenu();
        return;
    }
    if (state == LoginState::RatedGame)
        rated_->PreBook();
    else
        StartAccountGame(false);
}

// A rated game continues the account's record (its games and the cycle's score); an unrated one
// plays under the nick from a fresh start and leaves the account's numbers alone.
void TForm1::StartAccountGame(bool rated) {
    const TZunGame record = account_.Game();
    ClubMember player;
    player.Name = account_.User().Nick;
    if (rated && record.Kon != 0) {
        player.Games = record.Kon;
        player.Total = record.Score;
    }
    StartGame(member::Account, player);
    player_.AccountRating = record.Rating;  // the history line's rating when no update follows
}

// A finished rated game updates the account on the service before the game is recorded here; a
// rated game left before its end keeps its booked loss.
bool TForm1::LeaveAccountGame(LeaveReason reason) {
    if (player_.CurrentMember != member::Account || account_.State() != LoginState::RatedGame) return false;
    if (reason != LeaveReason::Finished) {
        account_.SetRatedGame(false);
        return false;
    }
    const GameState& gs = game_.State();
    rated_->FinishGame(gs.Score[4], gs.ProvisionalTotal);
    QTimer::singleShot(0, this, [this] { ShowMenu(); });
    return true;
}

// The update is over (the state is logged in again): a posted cycle shows the end-of-game window
// first, then the game is recorded as every finished game is.
void TForm1::AccountGameRecorded(double rating, std::optional<TopTenPlace> cycle) {
    player_.AccountRating = rating;
    if (!cycle) {
        OnLeaveTable(LeaveReason::Finished);
        return;
    }
    auto* window = new TFormEndGame(settings_, cycle->Place, cycle->Score, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    connect(window, &TFormEndGame::SoundRequested, this,
            [this](const QString& name) { PlaySoundEffect(name.toStdString()); });
    connect(window, &QDialog::finished, this, [this] { OnLeaveTable(LeaveReason::Finished); });
    window->open();
}

}  // namespace kesp
