// The online tournament window ("WORLD ONLINE TOURNAMENT"): ten tables of four seats read from the
// tables service, the game server's state and welcome line, the player's tournament results, and
// taking or leaving a seat. Every request runs on the service queue; answers that come after the
// window closed are dropped. It never waits: open it with show() or open().
#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "network/online_records.h"
#include "network/online_tables.h"
#include "network/service_addresses.h"
#include "network/service_queue.h"
#include "records/settings.h"
#include "windows/tournament_connection.h"

class QLabel;
class QPushButton;

namespace kesp {

class TournamentResultsPanel;
class WindowWords;

// What the window needs of the world outside it.
struct TournamentHost {
    ServiceAddresses addresses;
    TZunUser account;                            // the logged-in account: nick, country code, city, sex
    TournamentConnection* connection = nullptr;  // must outlive the window
    std::function<void(std::string_view sound)> playSound;
    std::function<void()> openTopTen;  // "Top 10"
};

class TFTour4 : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kRefreshMs = 10000;
    static constexpr int kWatchMs = 1000;

    TFTour4(const Settings& settings, ServiceQueue& queue, TournamentHost host, QWidget* parent = nullptr);

    QPushButton* SeatButton(int table, int seat) const;
    QPushButton* TableCaption(int table) const;
    QPushButton* RefreshButton() const { return refresh_; }
    QPushButton* CloseButton() const { return close_; }
    QPushButton* TopTenButton() const { return topTen_; }
    QLabel* WelcomeLine() const { return welcome_; }
    QLabel* ServerPicture() const { return serverPicture_; }
    const TournamentResultsPanel& Results() const { return *results_; }
    int OwnTable() const { return ownTable_; }
    int OwnSeat() const { return ownSeat_; }
    const TZunClient& OwnRecord() const { return own_; }
    // Tests shorten the timers.
    void SetTimerIntervals(int refreshMs, int watchMs);

  public slots:
    // Reads the server state and the tables and redraws the seats.
    void RefreshTables();
    // A deal came from the game server: the seat is no longer the window's; the first deal of a
    // game closes the window.
    void DealArrived(bool firstOfGame);

  signals:
    void TablesShown();
    void ResultsShown();
    // A take or leave has been answered (and the tables read again).
    void SeatAnswered();

  protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    struct TablesRead {
        std::optional<TableList> tables;
        std::optional<GameServerInfo> server;
    };
    enum class TakeOutcome { Taken, Refused, SameAddress };

    void ShowTables(const TablesRead& read);
    void ShowSeat(int table, int seat, const TableList& tables);
    void ShowServerOff();
    void ShowWelcome(const std::optional<GameServerInfo>& server);
    void ReadOwnRecord();
    void RefreshMyResults();
    void SeatClick(int table, int seat);
    void LeaveSeat(int table, int seat);
    void TakeSeat(int table, int seat);
    // Clears seats `from`..`to` of the own table on the service (fire and forget) and forgets the seat.
    void ClearOwnSeats(int from, int to);
    void WatchConnection();
    void Wrong();
    bool Seated() const { return ownTable_ != 0; }

    const Settings& settings_;
    ServiceQueue& queue_;
    TournamentHost host_;
    WindowWords* words_;
    TZunClient own_;
    std::optional<int> place_;
    bool serverOn_ = false;
    bool refreshing_ = false;
    bool seatBusy_ = false;
    bool ownRead_ = false;  // the own record's standing and address have been asked for
    int ownTable_ = 0;
    int ownSeat_ = 0;
    GameServerAddress gameServer_;
    std::array<std::array<QPushButton*, kOnlineSeats>, kOnlineTables> seats_{};
    std::array<QPushButton*, kOnlineTables> captions_{};
    QPushButton* refresh_;
    QPushButton* close_;
    QPushButton* topTen_;
    QLabel* welcome_;
    QLabel* serverPicture_;
    TournamentResultsPanel* results_;
    QTimer refreshTimer_;
    QTimer watchTimer_;
};

}  // namespace kesp
