// The window side of a local-network game: the session to the other machines, the wait for the
// players, and the table chat (the strip, the one-line field and its send button).
#pragma once

#include <QLineEdit>
#include <QObject>
#include <QString>
#include <functional>

#include "network/lan_session.h"
#include "presentation/chat_memo.h"
#include "presentation/font_roles.h"
#include "presentation/table_layout.h"
#include "presentation/words.h"
#include "windows/welcome_dialog.h"

class QLabel;
class QPushButton;
class QWidget;

namespace kesp {

class LanTable : public QObject {
    Q_OBJECT
  public:
    LanTable(QWidget& window, const TableArt& art, const FontRoles& fonts, const Localisation& words);

    LanSession& Session() { return session_; }
    const LanSession& Session() const { return session_; }

    // The welcome dialog's network OK: opens the host's port or connects to the host, then waits
    // in the wait window. True when the game may start (host: its OK, which ends the seating;
    // client: the host seated it); false after Cancel, with every socket closed.
    bool WaitForPlayers(const LanChoice& choice, const ClubLogin& login);

    // Places the strip, the field and the button for the table's layout.
    void Layout(const TableGeometry& geometry, const Placement& placement, bool small);
    // Shows or hides the chat on the table; a new game starts with an empty strip.
    void ShowChat(bool shown);
    void ClearChat() { strip_->Clear(); }
    void EnableChat(bool enabled);
    // A client's table before the host's first deal: "Expectation of game..." across the middle.
    void ShowWaiting(bool shown);

    // The names of the network seats from the own seat down to seat 1, for the history.
    std::string HistoryNames() const;

    ChatStrip* Strip() const { return strip_; }
    QLineEdit* ChatField() const { return field_; }
    QPushButton* SendButton() const { return send_; }

  signals:
    // The hidden code typed on the send button: seats 1..3 are shown face up or face down.
    void RevealToggled();
    // A chat line arrived (its sound is the window's).
    void ChatArrived();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SendChat();

    QWidget& window_;
    const FontRoles& fonts_;
    const Localisation& words_;
    LanSession session_;
    ChatStrip* strip_;
    QLineEdit* field_;
    QPushButton* send_;
    QLabel* waiting_;
    QString typedOnSend_;  // the keys collected while the send button has the focus
};

}  // namespace kesp
