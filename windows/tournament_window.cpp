#include "windows/tournament_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "network/online_requests.h"
#include "network/online_tables_reply.h"
#include "network/service_reply.h"
#include "presentation/hints.h"
#include "presentation/message_window.h"
#include "windows/tournament_results_panel.h"
#include "windows/window_art.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

constexpr std::string_view kWrongSound = "WWrongs";
// Every tournament table plays from this score.
constexpr int kTournamentInitialScore = 100;
// Seat rows grow with the window up to this height.
constexpr int kMaxRowHeight = 44;

bool IsFree(const TZunClient& seat) {
    return seat.Nick == "X";
}

bool IsLoopback(const std::string& host) {
    return host.rfind("127.", 0) == 0 || host == "localhost" || host == "::1";
}

QString SeatText(const TZunClient& seat) {
    return QString::fromStdString(RecordText(seat.Nick)) + " : " + QString::number(seat.Score);
}

// The welcome line's font: smaller for longer texts.
int WelcomeFontSize(const QString& text) {
    if (text.size() > 54) return 20;
    if (text.size() > 39) return 24;
    return 28;
}

BalloonStyle SeatBalloonStyle(const Settings& settings) {
    BalloonStyle style = MusicBalloonStyle(settings);
    style.durationMs = 4000;
    return style;
}

}  // namespace

TFTour4::TFTour4(const Settings& settings, ServiceQueue& queue, TournamentHost host, QWidget* parent)
    : QDialog(parent), settings_(settings), queue_(queue), host_(std::move(host)) {
    setObjectName(QStringLiteral("FTour4"));
    words_ = new WindowWords(settings_, *this);
    words_->BindTitle(WordKey::WorldOnlineTournament);
    QFont font(QString::fromStdString(settings_.FontSmall));
    font.setPixelSize(14);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    const bool library = DialogDesign(settings_) == 4;
    layout->addWidget(MakeDesignHeader(settings_, WordKey::WorldOnlineTournament,
                                       {"WorldOnlineTournament", library ? "GFormTour" : "GFormTourL"},
                                       this));

    auto* welcomeRow = new QHBoxLayout;
    welcomeRow->setContentsMargins(12, 0, 12, 0);
    welcome_ = new QLabel(this);
    welcome_->setAlignment(Qt::AlignCenter);
    welcome_->setStyleSheet(QStringLiteral("color: #00307a; font-weight: bold;"));
    welcomeRow->addWidget(welcome_, 1);
    serverPicture_ = new QLabel(this);
    serverPicture_->setFixedSize(48, 48);
    serverPicture_->setScaledContents(true);
    welcomeRow->addWidget(serverPicture_);
    layout->addLayout(welcomeRow);
    AttachHoverBalloon(
        serverPicture_, [this] { return words_->Text(WordKey::ServerTitle); },
        [this] { return words_->Text(serverOn_ ? WordKey::ServerStateOn : WordKey::ServerStateOff); },
        SeatBalloonStyle(settings_));

    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 0, 12, 0);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    for (int t = 1; t <= kOnlineTables; ++t) {
        auto* caption = MakeWindowButton(QString(), settings_, this);
        caption->setEnabled(false);  // a label of its row, in the row's colour
        caption->setMinimumWidth(100);
        caption->setMaximumHeight(kMaxRowHeight);
        caption->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        words_->Bind([caption, t](const WindowWords& w) {
            caption->setText(w.Text(WordKey::Table) + QString::fromUtf8(" № ") + QString::number(t));
        });
        captions_[t - 1] = caption;
        grid->addWidget(caption, t - 1, 0);
        for (int s = 1; s <= kOnlineSeats; ++s) {
            auto* seat = MakeWindowButton(QString(), settings_, this);
            seat->setAutoDefault(false);
            seat->setMinimumWidth(150);
            // Seats grow with the window; their texts are the longest.
            seat->setMaximumSize(QWIDGETSIZE_MAX, kMaxRowHeight);
            seat->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            SetWindowButtonEnabled(seat, false);
            connect(seat, &QPushButton::clicked, this, [this, t, s] { SeatClick(t, s); });
            AttachHoverBalloon(
                seat, [this] { return words_->Text(WordKey::TableRules); },
                [this] {
                    return words_->Text(WordKey::InitialScore) + ": " +
                           QString::number(kTournamentInitialScore);
                },
                SeatBalloonStyle(settings_));
            seats_[t - 1][s - 1] = seat;
            grid->addWidget(seat, t - 1, s);
        }
    }
    body->addLayout(grid, 1);

    auto* side = new QVBoxLayout;
    auto* heading = new QLabel(this);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: #00307a; font-weight: bold;"));
    words_->Bind(heading, WordKey::MyResults);
    side->addWidget(heading);
    results_ = new TournamentResultsPanel(this);
    results_->setMinimumWidth(220);
    if (library) results_->SetPicture(RecordWindowPicture(QStringLiteral("GFormTour")));
    side->addWidget(results_);
    side->addStretch(1);
    refresh_ = MakeWindowButton(QString(), settings_, this);
    words_->Bind(refresh_, WordKey::Refresh);
    topTen_ = MakeWindowButton(QString(), settings_, this);
    words_->Bind(topTen_, WordKey::TourTopTen);
    close_ = MakeWindowButton(QString(), settings_, this);
    words_->Bind(close_, WordKey::TourClose);
    for (QPushButton* button : {refresh_, topTen_, close_}) {
        button->setAutoDefault(false);
        side->addWidget(button);
    }
    body->addLayout(side);
    layout->addLayout(body);
    words_->Bind([this](const WindowWords&) { RefreshMyResults(); });

    connect(refresh_, &QPushButton::clicked, this, &TFTour4::RefreshTables);
    connect(close_, &QPushButton::clicked, this, &TFTour4::reject);
    connect(topTen_, &QPushButton::clicked, this, [this] {
        if (host_.openTopTen) host_.openTopTen();
    });

    refreshTimer_.setInterval(kRefreshMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &TFTour4::RefreshTables);
    watchTimer_.setInterval(kWatchMs);
    connect(&watchTimer_, &QTimer::timeout, this, &TFTour4::WatchConnection);

    ShowWelcome(std::nullopt);
    ReadOwnRecord();
    RefreshTables();
    refreshTimer_.start();
    if (host_.connection) host_.connection->TakeConnectionError();  // an old error is not this window's
    watchTimer_.start();
}

QPushButton* TFTour4::SeatButton(int table, int seat) const {
    return seats_.at(static_cast<std::size_t>(table - 1)).at(static_cast<std::size_t>(seat - 1));
}

QPushButton* TFTour4::TableCaption(int table) const {
    return captions_.at(static_cast<std::size_t>(table - 1));
}

void TFTour4::SetTimerIntervals(int refreshMs, int watchMs) {
    refreshTimer_.setInterval(refreshMs);
    watchTimer_.setInterval(watchMs);
}

void TFTour4::RefreshTables() {
    if (refreshing_) return;  // one read at a time; the answer on its way shows the newest state
    refreshing_ = true;
    queue_.Run<TablesRead>(
        this,
        [address = host_.addresses.tables](ServiceClient& client) {
            TablesRead read;
            read.tables = ReadTables(client, address);
            read.server = ReadGameServerInfo(client, address);
            return read;
        },
        [this](TablesRead read) {
            refreshing_ = false;
            ShowTables(read);
            emit TablesShown();
        });
}

void TFTour4::ShowTables(const TablesRead& read) {
    if (read.tables) gameServer_ = GameServerOf(*read.tables);
    serverOn_ = read.tables && read.server && read.server->open;
    ShowWelcome(read.server);
    const QString picture = serverOn_ ? QStringLiteral("GTourOn") : QStringLiteral("GTourOff");
    serverPicture_->setPixmap(RecordWindowPicture(picture));
    serverPicture_->setToolTip(words_->Text(serverOn_ ? WordKey::ServerOn : WordKey::ServerOff));
    if (!serverOn_) {
        ShowServerOff();
    } else {
        // The service dropped the player when seat 1 of his table is free.
        if (Seated() && IsFree((*read.tables)[ownTable_ - 1].Seats[0])) ownTable_ = ownSeat_ = 0;
        for (int t = 1; t <= kOnlineTables; ++t)
            for (int s = 1; s <= kOnlineSeats; ++s) ShowSeat(t, s, *read.tables);
    }
    const bool locked = Seated() && serverOn_;
    for (QPushButton* button : {refresh_, close_, topTen_}) SetWindowButtonEnabled(button, !locked);
}

void TFTour4::ShowSeat(int table, int seat, const TableList& tables) {
    QPushButton* button = SeatButton(table, seat);
    const TZunClient& player = tables[table - 1].Seats[seat - 1];
    const bool own = table == ownTable_ && seat == ownSeat_;
    if (!IsFree(player)) {
        // A full table plays: seat 4 cannot be left from here.
        const bool leavable = own && seat < kOnlineSeats;
        button->setText(leavable ? words_->Text(WordKey::LogOff) : SeatText(player));
        SetWindowButtonEnabled(button, leavable);
        return;
    }
    const bool previousTaken = seat == 1 || !IsFree(tables[table - 1].Seats[seat - 2]);
    button->setText(words_->Text(previousTaken ? WordKey::TakeThePlaceOf : WordKey::Free));
    SetWindowButtonEnabled(button, previousTaken && !Seated());
}

void TFTour4::ShowServerOff() {
    for (auto& row : seats_)
        for (QPushButton* button : row) {
            button->setText(words_->Text(WordKey::ServerOff));
            SetWindowButtonEnabled(button, false);
        }
    if (Seated()) ClearOwnSeats(ownSeat_, ownSeat_);
}

void TFTour4::ShowWelcome(const std::optional<GameServerInfo>& server) {
    const QString text = server ? QString::fromStdString(server->notice) : words_->Text(WordKey::NoConnect);
    QFont font = welcome_->font();
    font.setPixelSize(WelcomeFontSize(text));
    welcome_->setFont(font);
    welcome_->setText(text);
}

void TFTour4::ReadOwnRecord() {
    own_.Nick = host_.account.Nick;
    own_.Country = host_.account.Country2;
    own_.City = host_.account.City;
    own_.Sex = std::string(1, host_.account.Sex);
    struct OwnRead {
        std::optional<TZunStanding> standing;
        std::optional<int> place;
        std::string address;
    };
    queue_.Run<OwnRead>(
        this,
        [tables = host_.addresses.tables, echo = host_.addresses.ipEcho,
         nick = own_.Nick](ServiceClient& client) {
            OwnRead read;
            read.standing = ReadStanding(client, tables, nick);
            read.address = OwnAddressFromEcho(DownloadText(echo).value_or(""));
            // A player without a standing has no place to read.
            if (read.standing && !read.standing->Played()) read.place = -1;
            if (read.standing && read.standing->Played())
                read.place =
                    ReadTournamentPlace(client, tables, TournamentMeasure::Score, read.standing->Score);
            return read;
        },
        [this](OwnRead read) {
            if (read.standing && read.standing->Played()) {
                own_.Score = read.standing->Score;
                own_.Rating = read.standing->Rating;
                own_.Kon = read.standing->Kon;
            }
            own_.IP = read.address.empty() ? "X" : read.address;
            ownRead_ = true;
            place_ = read.place;
            RefreshMyResults();
            emit ResultsShown();
        });
}

void TFTour4::RefreshMyResults() {
    const QString place = !place_       ? words_->Text(WordKey::NoConnect)
                          : *place_ > 0 ? QString::number(*place_)
                                        : QStringLiteral("-");
    const std::pair<WordKey, QString> rows[TournamentResultsPanel::kRows] = {
        {WordKey::TourNick, QString::fromStdString(RecordText(own_.Nick))},
        {WordKey::YourScore, QString::number(own_.Score)},
        {WordKey::YourPlace, place},
        {WordKey::TourRating, QString::number(own_.Rating)},
        {WordKey::AccountGame, QString::number(own_.Kon)},
        {WordKey::TourCity, QString::fromStdString(RecordText(own_.City))}};
    for (int row = 0; row < TournamentResultsPanel::kRows; ++row)
        results_->SetRow(row, words_->Text(rows[row].first), rows[row].second);
}

void TFTour4::SeatClick(int table, int seat) {
    if (seatBusy_) return;  // one take or leave at a time
    if (table == ownTable_ && seat == ownSeat_ && seat < kOnlineSeats)
        LeaveSeat(table, seat);
    else
        TakeSeat(table, seat);
}

void TFTour4::LeaveSeat(int table, int seat) {
    seatBusy_ = true;
    queue_.Run<bool>(
        this,
        [address = host_.addresses.tables, table, seat](ServiceClient& client) {
            const TZunClient vacant = VacantSeatRecord();
            if (ChangeSeat(client, address, table, seat, SeatChange::FreeOwn, vacant) != SeatResult::Done)
                return false;
            // The seats taken after the leaving player's go with him.
            for (int after = seat + 1; after < kOnlineSeats; ++after)
                ChangeSeat(client, address, table, after, SeatChange::Clear, vacant);
            return true;
        },
        [this](bool freed) {
            seatBusy_ = false;
            if (freed) {
                ownTable_ = ownSeat_ = 0;
                if (host_.connection) host_.connection->Leave();
            } else {
                Wrong();
            }
            RefreshTables();
            emit SeatAnswered();
        });
}

void TFTour4::TakeSeat(int table, int seat) {
    if (Seated() || !ownRead_) return;  // the seat's record needs the own address and standing
    seatBusy_ = true;
    queue_.Run<TakeOutcome>(
        this,
        [address = host_.addresses.tables, table, seat, own = own_,
         loopback = IsLoopback(gameServer_.host)](ServiceClient& client) {
            // One player per address and table, except on a game server of this machine; an
            // address the echo page did not give compares with nobody's.
            if (!loopback && own.IP != "X") {
                for (int lower = 1; lower < seat; ++lower) {
                    const auto player = ReadSeat(client, address, table, lower);
                    if (player && !IsFree(*player) && player->IP == own.IP) return TakeOutcome::SameAddress;
                }
            }
            return ChangeSeat(client, address, table, seat, SeatChange::Take, own) == SeatResult::Done
                       ? TakeOutcome::Taken
                       : TakeOutcome::Refused;
        },
        [this, table, seat](TakeOutcome outcome) {
            seatBusy_ = false;
            if (outcome == TakeOutcome::SameAddress) {
                OpenMessageWindow(Localisation(settings_.CurrentLanguage),
                                  words_->Text(WordKey::TableOccupiedByYourIp), {}, {}, this);
            } else if (outcome == TakeOutcome::Refused) {
                Wrong();
            } else {
                ownTable_ = table;
                ownSeat_ = seat;
                if (host_.connection) host_.connection->Connect(gameServer_, table, seat);
            }
            RefreshTables();
            emit SeatAnswered();
        });
}

void TFTour4::ClearOwnSeats(int from, int to) {
    queue_.Run<int>(
        this,
        [address = host_.addresses.tables, table = ownTable_, from, to](ServiceClient& client) {
            for (int seat = from; seat <= to; ++seat)
                ChangeSeat(client, address, table, seat, SeatChange::Clear, VacantSeatRecord());
            return 0;
        },
        [](int) {});
    ownTable_ = ownSeat_ = 0;
    if (host_.connection) host_.connection->Leave();
}

void TFTour4::WatchConnection() {
    if (!host_.connection || !host_.connection->TakeConnectionError()) return;
    OpenMessageWindow(Localisation(settings_.CurrentLanguage), words_->Text(WordKey::ServerConnectionError),
                      {}, {}, this);
    if (Seated()) ClearOwnSeats(ownSeat_, kOnlineSeats);
    RefreshTables();
}

void TFTour4::DealArrived(bool firstOfGame) {
    ownTable_ = ownSeat_ = 0;
    if (firstOfGame)
        close();
    else
        RefreshTables();
}

void TFTour4::Wrong() {
    if (host_.playSound) host_.playSound(kWrongSound);
}

void TFTour4::reject() {
    if (Seated()) return;  // a seated player leaves his seat first
    refreshTimer_.stop();
    watchTimer_.stop();
    QDialog::reject();
}

void TFTour4::closeEvent(QCloseEvent* event) {
    if (Seated()) {
        event->ignore();
        return;
    }
    refreshTimer_.stop();
    watchTimer_.stop();
    QDialog::closeEvent(event);
}

}  // namespace kesp
