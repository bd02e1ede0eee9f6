// The requests of the online service, one function each, on the shared client. Each blocks until
// its reply or its failure; results for "no answer" are those the windows show as "No Connect".
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/online_records.h"
#include "network/service_client.h"

namespace kesp {

// The reads that must not keep a window waiting long wait at most this long for their reply; the
// shared client's own time-out holds again for the requests after them.
inline constexpr long kListReadTimeoutMs = 3000;
// A post that waits at most kListReadTimeoutMs (less when the client is set shorter).
std::optional<std::string> ListRead(ServiceClient& client, const std::string& address, FormKind kind,
                                    const FormFields& fields);

// Account creation's results.
enum class CreateResult { Created = 0, NickExists = 1, NoAnswer = 2 };

// Sends the account's fields (with R01..R03 "xxx", R04..R06 0 and `today` as DateR).
CreateResult CreateAccount(ServiceClient& client, const std::string& accountAddress, const TZunUser& user,
                           const std::string& today);

// Logs in: on success the account's values fill `user` (nick and password as sent). False when
// refused or unanswered; `user` then holds the nick and password with every other value reset.
bool ReadAccount(ServiceClient& client, const std::string& accountAddress, TZunUser& user);

std::optional<long long> ReadMemberCount(ServiceClient& client, const std::string& accountAddress);

// The account's record for this game; false when no record came (the record is then fresh).
bool ReadGameRecord(ServiceClient& client, const std::string& accountAddress, const TZunUser& user,
                    TZunGame& game);
bool SaveGameRecord(ServiceClient& client, const std::string& accountAddress, const TZunUser& user,
                    const TZunGame& game);
// 1-based place of a rating; -1 when none.
int ReadPlaceByRating(ServiceClient& client, const std::string& accountAddress, double rating);
std::optional<std::vector<TZunTop10>> ReadAccountTopTen(ServiceClient& client,
                                                        const std::string& accountAddress);

enum class ProfileRead { Found, None, NoAnswer };
ProfileRead ReadProfile(ServiceClient& client, const std::string& accountAddress, const std::string& nick,
                        TInfo14& info);
// '$' and '~' in the texts become blanks first.
bool SaveProfile(ServiceClient& client, const std::string& accountAddress, const std::string& nick,
                 const TInfo14& info);

// The player's picture (JPEG bytes) from the picture folder; nothing when none.
std::optional<std::string> ReadPicture(const std::string& avatarPrefix, const std::string& nick);
// Puts the JPEG as nick + ".jpg" into the picture store.
bool UploadPicture(const PictureStore& store, const std::string& nick, std::string_view jpeg);

std::optional<long long> ReadRecordCount(ServiceClient& client, const std::string& worldAddress, int list);
std::optional<std::vector<TZunRecord>> ReadWorldRecords(ServiceClient& client,
                                                        const std::string& worldAddress, int list);
std::optional<std::vector<TZunRecord>> ReadOwnRecords(ServiceClient& client, const std::string& worldAddress,
                                                      int list, const std::string& nick,
                                                      const std::string& city);
// Posts the record to its list (GID); the place it reached, or -1.
int PostRecord(ServiceClient& client, const std::string& worldAddress, const TZunRecord& record);

std::optional<TZunStat> ReadStatistics(ServiceClient& client, const std::string& statisticsAddress);
bool PostStartupReport(ServiceClient& client, const std::string& statisticsAddress, bool firstReport);
bool PostLike(ServiceClient& client, const std::string& statisticsAddress, const std::string& nick);
bool PostGameResults(ServiceClient& client, const std::string& statisticsAddress,
                     const std::array<long long, 12>& results);

// The plain downloads, UTF-8 text: the configuration document, the news, the address echo, the
// playlist.
std::optional<std::string> DownloadText(const std::string& address);

}  // namespace kesp
