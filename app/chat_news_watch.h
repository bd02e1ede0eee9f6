// What is new on the service: the news number against the news state file and the newest games
// chat message against the chat state file. Checked once each time the main menu is shown afresh
// and then on a 10-second tick: the news every third tick while the menu shows, the chat every
// 90th. Every read runs on the service queue; a failed read counts as nothing new.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

namespace kesp {

class OnlineService;

class ChatNewsWatch : public QObject {
    Q_OBJECT

  public:
    static constexpr int kTickMs = 10000;
    static constexpr int kNewsEveryTicks = 3;
    static constexpr int kChatEveryTicks = 90;  // 15 minutes

    ChatNewsWatch(OnlineService& online, std::string programDir, QObject* parent = nullptr);

    // The main menu was built while it was not showing: the news and the chat are read once, and
    // the tick starts (it then runs for the rest of the program).
    void MenuShownAfresh();
    // One tick; `menuShows` tells whether the main menu is on the screen.
    void Tick(bool menuShows);
    void SetMenuShows(bool shows) { menuShows_ = shows; }
    QTimer& Timer() { return timer_; }

    bool NewNews() const { return newNews_; }
    bool NewChat() const { return newChat_; }
    int ServiceNewsNumber() const { return newsNumber_; }
    int NewestChatKnown() const { return newestChat_; }

    // The news badge was clicked: the state file takes the service's number and the badge goes.
    // Returns the news page's address to open.
    std::string OpenNews();
    // The chat window opened or saw `newest`: the chat badge goes.
    void ChatSeen(int newest);

  signals:
    void BadgesChanged();
    // The tick found a new chat message (the window may open during a game).
    void ChatArrived();

  private:
    // Runs `then` on this thread once the requests queued before (the configuration) have answered,
    // so that the addresses are the configured ones.
    void AfterQueued(std::function<void()> then);
    void ReadNews();
    void ReadChat(bool fromTick);

    OnlineService& online_;
    std::string programDir_;
    QTimer timer_;
    int ticks_ = 0;
    bool menuShows_ = false;
    bool newNews_ = false;
    bool newChat_ = false;
    bool newsReading_ = false;
    bool chatReading_ = false;
    int newsNumber_ = 0;
    int newestChat_ = 0;
};

}  // namespace kesp
