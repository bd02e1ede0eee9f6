#include "app/account_row.h"

#include "network/account_rating.h"
#include "network/online_requests.h"
#include "network/service_queue.h"

namespace kesp {

void ReadAccountLine(ServiceQueue& queue, QObject* receiver, const TZunUser& user,
                     const std::string& accountAddress, int clubView,
                     std::function<void(std::optional<QString>)> done) {
    queue.Run<std::optional<QString>>(
        receiver,
        [user, accountAddress, clubView](ServiceClient& client) -> std::optional<QString> {
            TZunGame read;
            if (!ReadGameRecord(client, accountAddress, user, read)) return std::nullopt;
            return QString::fromStdString(AccountClubLine(user.Nick, read, clubView));
        },
        std::move(done));
}

}  // namespace kesp
