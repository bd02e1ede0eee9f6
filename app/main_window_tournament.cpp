// The main window's part in the online tournament: the tournament window, opened from the menu's
// tournament picture and again after a tournament game, and its top ten.
#include "app/main_window.h"
#include "engine/sounds.h"
#include "windows/tournament_top_ten_window.h"
#include "windows/tournament_window.h"
#include "windows/world_lists.h"

namespace kesp {

void TForm1::OpenTournament() {
    if (tournament_) {  // one tournament window at a time
        tournament_->raise();
        return;
    }
    TournamentHost host;
    host.addresses = online_.Addresses();
    host.account = account_.User();
    host.connection = nullptr;  // the game server connection is wired in once the game on the table exists
    host.playSound = [this](std::string_view sound) { PlaySoundEffect(sound); };
    host.openTopTen = [this] {
        if (settings_.LibraryDesign)
            OpenWorldTopTen(kTournamentList);
        else
            OpenTournamentTopTen(tournament_);
    };
    auto* window = new TFTour4(settings_, online_.Queue(), std::move(host), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    tournament_ = window;
    window->open();
}

void TForm1::OpenTournamentTopTen(QWidget* parent) {
    TournamentTopTenSources sources;
    sources.tablesAddress = online_.Addresses().tables;
    sources.own = tournament_ ? tournament_->OwnRecord() : TZunClient{};
    sources.measure = tournamentMeasure_;
    auto* window = new TFormTourTop10(settings_, online_.Queue(), std::move(sources), parent ? parent : this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &TFormTourTop10::MeasureChosen, this,
            [this](int measure) { tournamentMeasure_ = measure; });
    window->open();
}

}  // namespace kesp
