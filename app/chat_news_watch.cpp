#include "app/chat_news_watch.h"

#include <optional>
#include <vector>

#include "app/online_service.h"
#include "network/chat_messages.h"
#include "network/online_requests.h"
#include "network/service_form.h"
#include "records/chat_state.h"

namespace kesp {

ChatNewsWatch::ChatNewsWatch(OnlineService& online, std::string programDir, QObject* parent)
    : QObject(parent), online_(online), programDir_(std::move(programDir)) {
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(menuShows_); });
}

void ChatNewsWatch::MenuShownAfresh() {
    menuShows_ = true;
    ReadNews();
    ReadChat(false);
    if (!timer_.isActive()) timer_.start();
}

void ChatNewsWatch::Tick(bool menuShows) {
    ++ticks_;
    if (!newNews_ && menuShows && ticks_ % kNewsEveryTicks == 0) ReadNews();
    if (!newChat_ && ticks_ % kChatEveryTicks == 0) ReadChat(true);
}

void ChatNewsWatch::AfterQueued(std::function<void()> then) {
    online_.Queue().Run<bool>(
        this, [](ServiceClient&) { return true; }, [then = std::move(then)](bool) { then(); });
}

void ChatNewsWatch::ReadNews() {
    if (newsReading_) return;
    newsReading_ = true;
    AfterQueued([this] {
        online_.Queue().Run<int>(
            this,
            [address = online_.Addresses().news](ServiceClient&) {
                const std::optional<std::string> page = DownloadText(address);
                return page ? NewsNumber(*page) : 0;
            },
            [this](int number) {
                newsReading_ = false;
                newsNumber_ = number;
                if (!newNews_ && number > ReadNewsState(programDir_)) {
                    newNews_ = true;
                    emit BadgesChanged();
                }
            });
    });
}

void ChatNewsWatch::ReadChat(bool fromTick) {
    if (chatReading_) return;
    chatReading_ = true;
    AfterQueued([this, fromTick] {
        if (online_.ChatPaused()) {  // an unavailable chat has nothing new
            chatReading_ = false;
            return;
        }
        online_.Queue().Run<int>(
            this,
            [address = online_.Addresses().worldTopTen](ServiceClient& client) {
                const auto list = ReadWorldRecords(client, address, kChatList);
                return list ? NewestChatNumber(*list) : -1;
            },
            [this, fromTick](int newest) {
                chatReading_ = false;
                if (newest < 0) return;  // no answer: nothing new, and no state file is made
                if (newest > newestChat_) newestChat_ = newest;
                if (newChat_ || newest <= ReadChatState(programDir_).SeenNumber) return;
                newChat_ = true;
                emit BadgesChanged();
                if (fromTick) emit ChatArrived();
            });
    });
}

std::string ChatNewsWatch::OpenNews() {
    WriteNewsState(programDir_, newsNumber_);
    if (newNews_) {
        newNews_ = false;
        emit BadgesChanged();
    }
    return online_.Addresses().news;
}

void ChatNewsWatch::ChatSeen(int newest) {
    if (newest > newestChat_) newestChat_ = newest;
    if (!newChat_) return;
    newChat_ = false;
    emit BadgesChanged();
}

}  // namespace kesp
