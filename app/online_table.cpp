#include "app/online_table.h"

#include <QMessageBox>

#include "engine/game.h"
#include "engine/sounds.h"
#include "network/online_tables.h"
#include "records/cp1251.h"
#include "records/history.h"

namespace kesp {

OnlineTable::OnlineTable(QWidget& window, Game& game, TableChat& chat, const TableArt& art,
                         const Localisation& words, ServiceQueue& queue, Hooks hooks)
    : QObject(&window),
      window_(window),
      game_(game),
      chat_(chat),
      words_(words),
      queue_(queue),
      hooks_(std::move(hooks)),
      session_(this),
      clocks_(window, art) {
    session_.AttachGame(game_);
    // The server's frames wait while a step of this table waits.
    session_.DeferWhile([this] { return game_.Waiting(); });
    connect(&session_, &OnlineSession::dealArrived, this, [this](bool firstOfGame) {
        if (firstOfGame) {
            chat_.Clear();
            chat_.Enable(true);
            ReadNames();
        }
        emit DealArrived(firstOfGame);
    });
    connect(&session_, &OnlineSession::chatReceived, this, [this](int seat, const QByteArray& text) {
        emit ChatArrived();
        chat_.ShowLine(seat,
                       QString::fromStdString(Cp1251ToUtf8(std::string_view(text.data(), text.size()))));
    });
    connect(&session_, &OnlineSession::clockChanged, this, &OnlineTable::ClockChanged);
    connect(&session_, &OnlineSession::gameEnded, this, &OnlineTable::Stopped);
    connect(&session_, &OnlineSession::ownTimeUp, this, [this] {
        Stopped();
        hooks_.playSound(sound::Wrong);
        ShowNotice(words_.WordText(WordKey::YouLose), words_.WordText(WordKey::YourTimeIsUp));
    });
    connect(&session_, &OnlineSession::playerLeft, this, [this](int position) {
        Stopped();
        hooks_.playSound(sound::Wrong);
        ShowNotice(words_.WordText(WordKey::YouWon),
                   PlayerText(WordKey::MainPlayerInterrupted, position, WordKey::InterruptedTheGame));
    });
    connect(&session_, &OnlineSession::playerTimedOut, this, [this](int position) {
        Stopped();
        hooks_.playSound(sound::DealWon);
        ShowNotice(words_.WordText(WordKey::YouWon),
                   PlayerText(WordKey::MainPlayerTimeUp, position, WordKey::TimeIsUp));
    });
    connect(&session_, &OnlineSession::noDeal, this, [this] {
        seatGivenUp_ = true;
        Leave();
    });
    connect(&session_, &OnlineSession::connectionLost, this, [this] {
        Stopped();
        ShowNotice(GameName(words_.CurrentLanguage()), words_.WordText(WordKey::LostConnection));
    });
}

void OnlineTable::Connect(const GameServerAddress& server, int table, int seat) {
    hooks_.prepareGame();
    addresses_ = hooks_.addresses();
    table_ = table;
    names_ = {};
    session_.Connect(QString::fromStdString(server.host), static_cast<quint16>(server.PortOf(table)), seat);
}

void OnlineTable::Leave() {
    session_.Leave();
    clocks_.Hide();
    chat_.Enable(false);
}

// The players of the table, read once its game has begun (the seats are all taken then).
void OnlineTable::ReadNames() {
    const std::string address = addresses_.tables;
    const int table = table_;
    queue_.Run<std::optional<TableList>>(
        this, [address](ServiceClient& client) { return ReadTables(client, address); },
        [this, table](std::optional<TableList> tables) {
            if (!tables || table < 1 || table > kOnlineTables || table != table_) return;
            for (int seat = 1; seat <= kOnlineSeats; ++seat) {
                const std::string& nick = (*tables)[static_cast<std::size_t>(table - 1)].Seats[seat - 1].Nick;
                names_[static_cast<std::size_t>(seat)] =
                    nick == "X" ? QString() : QString::fromStdString(nick);
            }
            emit NamesChanged();
        });
}

QString OnlineTable::NameAt(int position) const {
    const int own = session_.Seat();
    for (int seat = 1; seat <= kOnlineSeats; ++seat)
        if (own != 0 && TablePositionOf(own, seat) == position) return names_[static_cast<std::size_t>(seat)];
    return {};
}

std::string OnlineTable::HistoryNames() const {
    std::vector<std::string> names;
    for (int seat = game_.Setup().OnlineSeat; seat >= 1; --seat)
        names.push_back(names_[static_cast<std::size_t>(seat)].toStdString());
    return HistoryPlayers(names);
}

void OnlineTable::ShowClocks(bool shown) {
    clocksShown_ = shown;
    if (shown)
        clocks_.Show(session_.Clock());
    else
        clocks_.Hide();
}

void OnlineTable::SendChat(const QString& text) {
    session_.SendChat(WireText(text));
    chat_.ShowLine(session_.Seat(), text);
}

// Each second of the own clock ticks; a restarted clock shows its full time without a sound.
void OnlineTable::ClockChanged() {
    const MoveClock& clock = session_.Clock();
    if (clocksShown_) clocks_.Show(clock);
    const std::string_view tick = ClockSound(clock);
    if (clock.running && clock.countdown < MoveClock::Seconds && !tick.empty()) hooks_.playSound(tick);
}

// The game is over or broke off: no more chat and no clock.
void OnlineTable::Stopped() {
    chat_.Enable(false);
    clocks_.Hide();
}

QString OnlineTable::PlayerText(WordKey player, int position, WordKey what) const {
    return words_.WordText(player) + QStringLiteral(" ") + NameAt(position) + QStringLiteral(" ") +
           words_.WordText(what);
}

// The message goes over the table without holding the game: the table stays as the stop left it.
void OnlineTable::ShowNotice(const QString& caption, const QString& text) {
    if (notice_) notice_->close();
    auto* box = new QMessageBox(QMessageBox::Information, caption, text, QMessageBox::Ok, &window_);
    box->setObjectName(QStringLiteral("OnlineNotice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    notice_ = box;
    box->open();
}

}  // namespace kesp
