// The window side of an online tournament game: the connection to the game server for the
// tournament window's seat, the names at the table, the move clocks and their sounds, the table
// chat's online lines, and the messages when the game stops early. The game itself follows the
// server through the session, as a local-network table follows its host.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "app/move_clocks.h"
#include "app/table_chat.h"
#include "network/online_session.h"
#include "network/service_addresses.h"
#include "network/service_queue.h"
#include "presentation/words.h"
#include "windows/tournament_connection.h"

class QMessageBox;

namespace kesp {

class Game;

class OnlineTable : public QObject, public TournamentConnection {
    Q_OBJECT
  public:
    struct Hooks {
        // Called before the connection opens: the game takes the table's settings.
        std::function<void()> prepareGame;
        std::function<void(std::string_view sound)> playSound;
        // The addresses as they are when the seat is taken.
        std::function<ServiceAddresses()> addresses;
    };

    OnlineTable(QWidget& window, Game& game, TableChat& chat, const TableArt& art, const Localisation& words,
                ServiceQueue& queue, Hooks hooks);

    OnlineSession& Session() { return session_; }
    const MoveClocks& Clocks() const { return clocks_; }

    void Connect(const GameServerAddress& server, int table, int seat) override;
    void Leave() override;
    // A seat given up because no deal came counts like a broken connection: the tournament
    // window frees the seats and says so.
    bool TakeConnectionError() override {
        return session_.TakeConnectionError() || std::exchange(seatGivenUp_, false);
    }

    void Layout(const TableGeometry& geometry) { clocks_.Layout(geometry); }
    // The clocks go with the table: shown again as they stand, or hidden for the menu.
    void ShowClocks(bool shown);
    // A line the user typed: to the server and onto the strip.
    void SendChat(const QString& text);
    // The player at table position 1..4 ("" until the table has been read).
    QString NameAt(int position) const;
    // The names of the network seats from the own seat down to seat 1, for the history.
    std::string HistoryNames() const;
    // The last message shown (null once it was closed).
    QMessageBox* Notice() const { return notice_; }

  signals:
    // A deal was dealt on the game; the first one of a game takes the window to the table.
    void DealArrived(bool firstOfGame);
    void NamesChanged();
    void ChatArrived();

  private:
    void ReadNames();
    void ClockChanged();
    void Stopped();
    void ShowNotice(const QString& caption, const QString& text);
    QString PlayerText(WordKey player, int position, WordKey what) const;

    QWidget& window_;
    Game& game_;
    TableChat& chat_;
    const Localisation& words_;
    ServiceQueue& queue_;
    Hooks hooks_;
    OnlineSession session_;
    MoveClocks clocks_;
    ServiceAddresses addresses_;
    int table_ = 0;
    std::array<QString, 5> names_;  // by network seat 1..4
    bool clocksShown_ = false;
    bool seatGivenUp_ = false;  // the session left its seat: no deal came in time
    QPointer<QMessageBox> notice_;
};

}  // namespace kesp
