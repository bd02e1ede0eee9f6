// The games chat window ("Zun Games Chat"): the ten newest messages of all players of the games,
// a field to send one, the refresh and passport buttons and the window's two options, which the
// chat state file keeps. Every request runs on the service queue, so a slow or silent service
// never freezes the window.
#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "network/online_records.h"
#include "records/chat_state.h"
#include "records/settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kesp {

class ServiceQueue;
class ChatRows;
class WindowWords;

class TFormChat : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kRows = 10;
    static constexpr int kRowHeight = 50;
    static constexpr int kRowWidth = 640;
    static constexpr int kTickMs = 15000;

    // Opens the passport window over `parent` and calls `closed` when it is closed.
    using PassportOpener = std::function<void(QWidget* parent, std::function<void()> closed)>;

    // Opening marks `newestKnown` (the newest message the menu learned of) as seen in the state
    // file and reads the list.
    TFormChat(const Settings& settings, std::string programDir, ServiceQueue& queue, std::string worldAddress,
              int newestKnown, QWidget* parent = nullptr);
    ~TFormChat() override;

    // Without an opener the passport button stays disabled.
    void SetPassportOpener(PassportOpener opener);

    // The 15-second tick: the refresh button and "Last message at the bottom" come back, the field
    // is enabled while the world passport is valid.
    void Tick();
    // Reads the list and draws it again.
    void Refresh();
    // Sends the field's text: the list is read for the newest number n, the message posted as n + 1.
    void Send();

    // The messages in drawing order, and whether the last read answered.
    const std::vector<TZunRecord>& Messages() const { return messages_; }
    bool Connected() const { return connected_; }
    bool ReadDone() const { return readDone_; }
    int SeenBefore() const { return seenBefore_; }
    const ChatState& State() const { return state_; }
    QLineEdit* Field() const { return field_; }
    QPushButton* SendButton() const { return send_; }
    QPushButton* RefreshButton() const { return refresh_; }
    QPushButton* PassportButton() const { return passport_; }
    QCheckBox* LastAtBottomBox() const { return lastAtBottom_; }
    QCheckBox* OpenOnNewBox() const { return openOnNew_; }

  signals:
    void ListDrawn(bool connected);
    void MessageSent(bool sent);
    // A newer message than the menu knew of was read or sent; the state file holds it as seen.
    void NewestSeen(int number);

  private:
    void ShowMessages(std::vector<TZunRecord> newestFirst);
    void MarkSeen(int number);
    void EnableField();
    bool PassportValid() const;

    const Settings& settings_;
    std::string programDir_;
    ServiceQueue& queue_;
    std::string worldAddress_;
    ChatState state_;
    int seenBefore_ = 0;
    std::vector<TZunRecord> newestFirst_;
    std::vector<TZunRecord> messages_;
    bool connected_ = false;
    bool readDone_ = false;
    bool sending_ = false;
    bool sentThisTick_ = false;
    PassportOpener passportOpener_;
    WindowWords* words_;
    ChatRows* rows_;
    QLineEdit* field_;
    QPushButton* send_;
    QPushButton* refresh_;
    QPushButton* passport_;
    QCheckBox* lastAtBottom_;
    QCheckBox* openOnNew_;
    QTimer tick_;
};

}  // namespace kesp
