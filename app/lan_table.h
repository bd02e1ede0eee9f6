// The window side of a local-network game: the session to the other machines, the wait for the
// players, and its lines on the table chat.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "app/table_chat.h"
#include "network/lan_session.h"
#include "presentation/font_roles.h"
#include "presentation/table_layout.h"
#include "presentation/words.h"
#include "windows/welcome_dialog.h"

class QLabel;
class QWidget;

namespace kesp {

class LanTable : public QObject {
    Q_OBJECT
  public:
    LanTable(QWidget& window, TableChat& chat, const FontRoles& fonts, const Localisation& words);

    LanSession& Session() { return session_; }
    const LanSession& Session() const { return session_; }

    // The welcome dialog's network OK: opens the host's port or connects to the host, then waits
    // in the wait window. True when the game may start (host: its OK, which ends the seating;
    // client: the host seated it); false after Cancel, with every socket closed.
    bool WaitForPlayers(const LanChoice& choice, const ClubLogin& login);

    // A line the user typed: to the other machines and onto the strip.
    void SendChat(const QString& text);
    // A client's table before the host's first deal: "Expectation of game..." across the middle.
    void ShowWaiting(bool shown);

    // The names of the network seats from the own seat down to seat 1, for the history.
    std::string HistoryNames() const;

  signals:
    // A chat line arrived (its sound is the window's).
    void ChatArrived();

  private:
    QWidget& window_;
    const FontRoles& fonts_;
    const Localisation& words_;
    TableChat& chat_;
    LanSession session_;
    QLabel* waiting_;
};

}  // namespace kesp
