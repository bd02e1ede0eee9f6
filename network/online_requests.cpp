#include "network/online_requests.h"

#include <algorithm>

#include "network/service_reply.h"
#include "network/service_text.h"
#include "network/world_records_reply.h"

namespace kesp {
std::optional<std::string> ListRead(ServiceClient& client, const std::string& address, FormKind kind,
                                    const FormFields& fields) {
    const long own = client.ReadTimeout();
    client.SetReadTimeout(std::min(own, kListReadTimeoutMs));
    auto reply = client.Post(address, kind, fields);
    client.SetReadTimeout(own);
    return reply;
}

namespace {

std::string Prefixed(std::string_view key) {
    return std::string(kGameKeyPrefix) + std::string(key);
}

std::string Gid(int list) {
    return std::to_string(list);
}

std::optional<std::vector<TZunRecord>> RecordsOf(const std::optional<std::string>& reply, int list) {
    if (!reply) return std::nullopt;
    return WorldRecordsOf(*reply, list);
}

}  // namespace

CreateResult CreateAccount(ServiceClient& client, const std::string& accountAddress, const TZunUser& user,
                           const std::string& today) {
    const auto reply = client.Post(accountAddress, FormKind::Text,
                                   {{"nick", user.Nick},
                                    {"pw", user.Pw},
                                    {"city", user.City},
                                    {"country1", user.Country1},
                                    {"country2", user.Country2},
                                    {"sex", std::string(1, user.Sex)},
                                    {"email", user.EMail},
                                    {"dater", today},
                                    {"R01", "xxx"},
                                    {"R02", "xxx"},
                                    {"R03", "xxx"},
                                    {"R04", "0"},
                                    {"R05", "0"},
                                    {"R06", "0"}});
    if (!reply) return CreateResult::NoAnswer;
    // "ok" first, then "is": the later match wins.
    CreateResult result = CreateResult::NoAnswer;
    if (HasMarker(*reply, "ok")) result = CreateResult::Created;
    if (HasMarker(*reply, "is")) result = CreateResult::NickExists;
    return result;
}

bool ReadAccount(ServiceClient& client, const std::string& accountAddress, TZunUser& user) {
    TZunUser fresh;
    fresh.Nick = user.Nick;
    fresh.Pw = user.Pw;
    fresh.PwC = user.PwC;
    fresh.City = fresh.Country1 = fresh.Country2 = fresh.EMail = "#";
    fresh.Sex = '#';
    user = fresh;
    const auto reply =
        client.Post(accountAddress, FormKind::List, {{"nick", user.Nick}, {"pw", user.Pw}, {"label0", "0"}});
    if (!reply || HasMarker(*reply, "no")) return false;
    const auto v = ReadFirstRecord(*reply, '$', ' ');
    if (!v) return false;
    user.City = RecordValue(*v, 1);
    user.Country1 = RecordValue(*v, 2);
    user.Country2 = RecordValue(*v, 3);
    user.Sex = RecordValue(*v, 4).empty() ? '#' : RecordValue(*v, 4).front();
    user.EMail = RecordValue(*v, 5);
    user.DateR = RecordValue(*v, 6, "00.00.0000");
    user.R01 = RecordValue(*v, 7);
    user.R02 = RecordValue(*v, 8);
    user.R03 = RecordValue(*v, 9);
    user.R04 = static_cast<int>(RecordInteger(*v, 10));
    user.R05 = static_cast<int>(RecordInteger(*v, 11));
    user.R06 = static_cast<int>(RecordInteger(*v, 12));
    return true;
}

std::optional<long long> ReadMemberCount(ServiceClient& client, const std::string& accountAddress) {
    const auto reply = client.Post(accountAddress, FormKind::Text, {{"label1", "0"}});
    if (!reply) return std::nullopt;
    return ReadLastNumber(*reply);
}

bool ReadGameRecord(ServiceClient& client, const std::string& accountAddress, const TZunUser& user,
                    TZunGame& game) {
    game = TZunGame{};
    const auto reply = client.Post(accountAddress, FormKind::List,
                                   {{"nick", user.Nick}, {"pw", user.Pw}, {Prefixed("best"), "0"}});
    if (!reply || HasMarker(*reply, "no")) return false;
    const auto v = ReadFirstRecord(*reply, '$', ' ');
    if (!v) return false;
    const auto rating = ReadServiceReal(RecordValue(*v, 3, ""), 0);
    if (!rating) return false;
    game.Kon = static_cast<int>(RecordInteger(*v, 1));
    game.Best = static_cast<int>(RecordInteger(*v, 2));
    game.Rating = *rating;
    game.Sessions = static_cast<int>(RecordInteger(*v, 4));
    game.KonL = static_cast<int>(RecordInteger(*v, 5));
    game.Score = static_cast<int>(RecordInteger(*v, 6));
    game.R1 = static_cast<int>(RecordInteger(*v, 7));
    game.R2 = RecordValue(*v, 8);
    return true;
}

bool SaveGameRecord(ServiceClient& client, const std::string& accountAddress, const TZunUser& user,
                    const TZunGame& game) {
    const auto reply = client.Post(accountAddress, FormKind::Text,
                                   {{"nick", user.Nick},
                                    {"pw", user.Pw},
                                    {Prefixed("kon"), std::to_string(game.Kon)},
                                    {Prefixed("best"), std::to_string(game.Best)},
                                    {Prefixed("rating"), FormatServiceReal(game.Rating)},
                                    {Prefixed("ses"), std::to_string(game.Sessions)},
                                    {Prefixed("konl"), std::to_string(game.KonL)},
                                    {Prefixed("score"), std::to_string(game.Score)},
                                    {Prefixed("R1"), std::to_string(game.R1)},
                                    {Prefixed("R2"), game.R2}});
    return reply && HasMarker(*reply, "ok");
}

int ReadPlaceByRating(ServiceClient& client, const std::string& accountAddress, double rating) {
    const auto reply =
        client.Post(accountAddress, FormKind::Text, {{Prefixed("rating"), FormatServiceReal(rating)}});
    if (!reply) return -1;
    const auto place = ReadLastNumber(*reply);
    return place ? static_cast<int>(*place) : -1;
}

std::optional<std::vector<TZunTop10>> ReadAccountTopTen(ServiceClient& client,
                                                        const std::string& accountAddress) {
    const auto reply = client.Post(accountAddress, FormKind::List, {{Prefixed("kon"), "0"}});
    if (!reply) return std::nullopt;
    std::vector<TZunTop10> top;
    for (const auto& v : ReadRecords(*reply, '*', ' ')) {
        TZunTop10 line;
        line.Nick = RecordValue(v, 2);
        line.City = RecordValue(v, 3);
        line.Country = RecordValue(v, 4);
        if (v.size() >= 5) line.Country = RecordValue(v, 5);
        const std::string sex = RecordValue(v, 6, "M");
        line.Sex = sex.empty() ? 'M' : sex.front();
        line.Rating = ReadServiceReal(RecordValue(v, 7, ""), 0).value_or(0);
        top.push_back(line);
    }
    return top;
}

ProfileRead ReadProfile(ServiceClient& client, const std::string& accountAddress, const std::string& nick,
                        TInfo14& info) {
    info = TInfo14{};
    const auto reply = client.Post(accountAddress, FormKind::List, {{"nick", nick}, {"labelinforead", "0"}});
    if (!reply) return ProfileRead::NoAnswer;
    if (HasMarker(*reply, "no")) return ProfileRead::None;
    const auto v = ReadFirstRecord(*reply, '$', '~');
    if (!v) return ProfileRead::None;
    std::string* fields[] = {&info.Name1,    &info.Name2,   &info.About,      &info.Telephone, &info.EMailO,
                             &info.WebSite,  &info.Skype,   &info.OK,         &info.VK,        &info.Telegram,
                             &info.FaceBook, &info.Twitter, &info.Instagramm, &info.YouTube};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        const std::string value = RecordValue(*v, i + 1);
        *fields[i] = value == "#" ? std::string() : value;
    }
    return ProfileRead::Found;
}

bool SaveProfile(ServiceClient& client, const std::string& accountAddress, const std::string& nick,
                 const TInfo14& info) {
    const auto clean = [](std::string text) {
        for (char& c : text)
            if (c == '$' || c == '~') c = ' ';
        return text;
    };
    const auto reply = client.Post(accountAddress, FormKind::Text,
                                   {{"nick", nick},
                                    {"labelinfosave", "0"},
                                    {"namei", clean(info.Name1)},
                                    {"name2", clean(info.Name2)},
                                    {"about", clean(info.About)},
                                    {"telephone", clean(info.Telephone)},
                                    {"emailo", clean(info.EMailO)},
                                    {"website", clean(info.WebSite)},
                                    {"skype", clean(info.Skype)},
                                    {"ok", clean(info.OK)},
                                    {"vk", clean(info.VK)},
                                    {"telegram", clean(info.Telegram)},
                                    {"facebook", clean(info.FaceBook)},
                                    {"twitter", clean(info.Twitter)},
                                    {"instagramm", clean(info.Instagramm)},
                                    {"youtube", clean(info.YouTube)}});
    return reply && HasMarker(*reply, "ok");
}

std::optional<std::string> ReadPicture(const std::string& avatarPrefix, const std::string& nick) {
    return DownloadBytes(avatarPrefix + PercentEncoded(ToCp1251Lossy(nick)) + ".jpg", 512 * 1024);
}

bool UploadPicture(const PictureStore& store, const std::string& nick, std::string_view jpeg) {
    return UploadToPictureStore(store, ToCp1251Lossy(nick) + ".jpg", jpeg);
}

std::optional<long long> ReadRecordCount(ServiceClient& client, const std::string& worldAddress, int list) {
    const auto reply = client.Post(worldAddress, FormKind::List, {{"rgid", Gid(list)}});
    if (!reply) return std::nullopt;
    return ReadLastNumber(*reply);
}

std::optional<std::vector<TZunRecord>> ReadWorldRecords(ServiceClient& client,
                                                        const std::string& worldAddress, int list) {
    return RecordsOf(ListRead(client, worldAddress, FormKind::List, {{"gid", Gid(list)}}), list);
}

std::optional<std::vector<TZunRecord>> ReadOwnRecords(ServiceClient& client, const std::string& worldAddress,
                                                      int list, const std::string& nick,
                                                      const std::string& city) {
    return RecordsOf(
        ListRead(client, worldAddress, FormKind::Text, {{"gid", Gid(list)}, {"nick", nick}, {"city", city}}),
        list);
}

int PostRecord(ServiceClient& client, const std::string& worldAddress, const TZunRecord& record) {
    const auto reply = client.Post(worldAddress, FormKind::Text,
                                   {{"gid", Gid(record.GID)},
                                    {"nick", record.Nick},
                                    {"city", record.City},
                                    {"country", record.Country},
                                    {"score", std::to_string(record.Score)},
                                    {"R7", record.R07},
                                    {"R8", record.R08},
                                    {"R9", record.R09},
                                    {"R10", record.R10 + "*"}});
    if (!reply) return -1;
    const auto place = ReadLastNumber(*reply);
    return place ? static_cast<int>(*place) : -1;
}

std::optional<TZunStat> ReadStatistics(ServiceClient& client, const std::string& statisticsAddress) {
    const auto reply = ListRead(client, statisticsAddress, FormKind::List, {{"gid", Gid(kGameIdentifier)}});
    if (!reply) return std::nullopt;
    const auto v = ReadFirstRecord(*reply, '*', ' ');
    if (!v) return std::nullopt;
    TZunStat stat;
    stat.GID = kGameIdentifier;
    stat.Stat1 = RecordInteger(*v, 1);
    stat.Stat2 = RecordInteger(*v, 2);
    stat.Stat3 = RecordInteger(*v, 3);
    stat.Stat4 = RecordText(RecordValue(*v, 4));
    for (std::size_t i = 0; i < stat.StatX.size(); ++i) stat.StatX[i] = RecordInteger(*v, 5 + i);
    stat.StatY = RecordInteger(*v, 17);
    stat.StatZ = RecordValue(*v, 18);
    return stat;
}

bool PostStartupReport(ServiceClient& client, const std::string& statisticsAddress, bool firstReport) {
    const auto reply =
        client.Post(statisticsAddress, FormKind::Text,
                    {{"gid", Gid(kGameIdentifier)}, {"stat1", "1"}, {"stat2", firstReport ? "1" : "0"}});
    return reply && HasMarker(*reply, "ok");
}

bool PostLike(ServiceClient& client, const std::string& statisticsAddress, const std::string& nick) {
    const auto reply = client.Post(statisticsAddress, FormKind::Text,
                                   {{"gid", Gid(kGameIdentifier)}, {"stat3", "1"}, {"stat4", nick}});
    return reply && HasMarker(*reply, "ok");
}

bool PostGameResults(ServiceClient& client, const std::string& statisticsAddress,
                     const std::array<long long, 12>& results) {
    FormFields fields{{"gid", Gid(kGameIdentifier)}};
    for (std::size_t i = 0; i < results.size(); ++i)
        fields.emplace_back("R" + std::to_string(i + 1), std::to_string(results[i]));
    const auto reply = client.Post(statisticsAddress, FormKind::Text, fields);
    return reply && HasMarker(*reply, "ok");
}

std::optional<std::string> DownloadText(const std::string& address) {
    return DownloadBytes(address);
}

}  // namespace kesp
