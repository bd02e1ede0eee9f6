// The main window's part in the online tournament: the tournament window, opened from the menu's
// tournament picture and again after a tournament game, its top ten, and the tournament game on
// the table from the server's first deal to the records of its end.
#include <QDateTime>
#include <QLocale>

#include "app/main_window.h"
#include "app/record_words.h"
#include "engine/sounds.h"
#include "network/online_tables.h"
#include "presentation/message_window.h"
#include "windows/history_window.h"
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
    host.connection = onlineTable_;
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
    connect(onlineTable_, &OnlineTable::DealArrived, window, &TFTour4::DealArrived);
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

void TForm1::ConnectOnlineTable() {
    OnlineTable::Hooks hooks;
    hooks.prepareGame = [this] { PrepareTournamentGame(); };
    hooks.playSound = [this](std::string_view sound) { PlaySoundEffect(sound); };
    hooks.addresses = [this] { return online_.Addresses(); };
    onlineTable_ =
        new OnlineTable(*this, game_, *tableChat_, tableArt_, words_, online_.Queue(), std::move(hooks));
    connect(onlineTable_, &OnlineTable::DealArrived, this, &TForm1::EnterTournamentTable);
    connect(onlineTable_, &OnlineTable::NamesChanged, this, [this] {
        if (screen_ == Screen::Table && game_.Setup().kind == GameKind::Online) ApplySeatNames();
    });
    connect(onlineTable_, &OnlineTable::ChatArrived, this, [this] { PlaySoundEffect(sound::Chat); });
}

// A seat was taken: the game takes the table's settings before the server's first deal, which
// is dealt while the menu still shows; the table is laid out with the chat for it.
void TForm1::PrepareTournamentGame() {
    player_ = FinishedGame{};
    player_.CurrentMember = member::Tournament;
    player_.NetworkMode = true;
    player_.StartRecord.Name = account_.User().Nick;
    TableSetup& setup = game_.Setup();
    setup = TableSetup{};
    setup.OpenCardsAtEnd = settings_.OpenCardsAtEnd;
    setup.FlyCards = settings_.FlyCards;
    setup.Pace = pace_;
    game_.State().RunningTotal = 0;
    if (!networkTable_) LayoutTable(true);
}

// The server dealt: the first deal of a game takes the menu off and shows the table.
void TForm1::EnterTournamentTable(bool firstOfGame) {
    if (!firstOfGame || screen_ != Screen::Menu) {
        if (screen_ == Screen::Table) ShowTable();
        return;
    }
    screen_ = Screen::Table;
    HideMenu();
    art_.LoadScreenBackground(true);  // a missing library was reported when the program started
    if (music_) music_->PlayMusic(false);
    if (!networkTable_) LayoutTable(true);
    ShowTable();
}

// A finished game goes to the history with the tournament standing the service gives after it,
// then the tournament window opens again; a game that stopped early records nothing.
void TForm1::LeaveTournamentGame(LeaveReason reason) {
    onlineTable_->Leave();
    QTimer::singleShot(0, this, [this] { ShowMenu(); });
    if (reason != LeaveReason::Finished) return;
    const GameState finished = game_.State();
    player_.Result = finished.Score[4];
    player_.TournamentResult = finished.Score[4];
    player_.Players = onlineTable_->HistoryNames();
    SendGameResults();
    const FinishedGame game = player_;
    online_.Queue().Run<std::optional<TZunStanding>>(
        this,
        [address = online_.Addresses().tables, nick = game.StartRecord.Name](ServiceClient& client) {
            return ReadStanding(client, address, nick);
        },
        [this, finished, game](std::optional<TZunStanding> standing) {
            FinishedGame recorded = game;
            if (standing && standing->Played()) recorded.TournamentRating = standing->Rating;
            const QDateTime now = QDateTime::currentDateTime();
            const GameFinishedOutcome outcome =
                GameFinished(programDir_, clubWritable_, finished, recorded,
                             now.toString(QStringLiteral("hh:mm")).toStdString(),
                             HistoryShortDate(now.date(), QLocale::system()).toStdString());
            PlaySoundEffect(outcome.Sound);
            for (const RecordMessage& m : outcome.Messages)
                OpenMessageWindow(words_, RecordMessageText(words_, m), {}, {}, this);
            if (screen_ == Screen::Menu && account_.LoggedIn()) OpenTournament();
        });
}

}  // namespace kesp
