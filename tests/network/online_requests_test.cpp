// The game's side of the online service: reply reading, the two body forms, the configuration
// document, and every account, list and statistics request against a real kesp-service.
#include <gtest/gtest.h>

#include "network/field_checks.h"
#include "network/online_requests.h"
#include "network/service_addresses.h"
#include "network/service_cipher.h"
#include "network/service_config.h"
#include "network/service_reply.h"
#include "service_process.h"

namespace kesp {
namespace {

TEST(ServiceReply, MarkersRecordsAndNumbers) {
    EXPECT_TRUE(HasMarker("looking good", "ok"));  // inside a longer word still counts
    EXPECT_TRUE(HasMarker("ok is", "is"));
    EXPECT_FALSE(HasMarker("$Reno nobody@x.org$", "no"));  // a record's text is never a marker
    EXPECT_EQ(ReadLastNumber("x$3 y $12"), 12);
    EXPECT_EQ(ReadLastNumber("$12 then $x"), std::nullopt);  // no earlier '$' is tried
    EXPECT_EQ(ReadLastNumber("no"), std::nullopt);
    EXPECT_EQ(ReadLastNumber("$99999999999999999999"), std::nullopt);

    const auto one = ReadFirstRecord("$Moscow Russia 1-001 M a@b.c$", '$', ' ');
    ASSERT_TRUE(one);
    EXPECT_EQ(RecordValue(*one, 1), "Moscow");
    EXPECT_EQ(RecordValue(*one, 5), "a@b.c");
    EXPECT_EQ(RecordValue(*one, 6), "#");  // past the end: the fresh value

    const auto list = ReadRecords("$1 # 300 Ann*$2 # 200 Bob*$3 # 100 Cid", '*', ' ');
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(RecordValue(list[2], 4), "Cid");
    std::string eleven;
    for (int i = 0; i < 11; ++i) eleven += "$" + std::to_string(i) + "*";
    EXPECT_EQ(ReadRecords(eleven, '*', ' ').size(), 10u);

    const auto profile = ReadFirstRecord("$Anna~~likes cards$", '$', '~');
    ASSERT_TRUE(profile);
    EXPECT_EQ(RecordValue(*profile, 2), "");
    EXPECT_EQ(RecordValue(*profile, 3), "likes cards");
}

TEST(ServiceReply, Reals) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    for (const Case& c : {Case{"12.5", 12.5}, Case{"-499.96", -499.96}, Case{"40", 40.0}, Case{"", 7.0},
                          Case{"12,5", 12.5}, Case{"abc", std::nullopt}, Case{"1.2.3", std::nullopt}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadServiceReal(c.text, 7.0), c.value);
    }
}

TEST(ServiceForm, BodiesInBothForms) {
    EXPECT_EQ(ListFormBody({{"nick", "Anna"}, {"labelinforead", "0"}}), "nick=Anna&&labelinforead=0");
    EXPECT_EQ(TextFormBody({{"label1", "0"}}), "label1=0");
    // Windows-1251 bytes: percent-encoded in the list form, as they are in the text form.
    EXPECT_EQ(ListFormBody({{"nick", "Аня & Co"}}), "nick=%C0%ED%FF%20%26%20Co");
    EXPECT_EQ(TextFormBody({{"city", "Омск"}, {"about", "a&b=c"}}), "city=\xCE\xEC\xF1\xEA&about=a&b=c");
    EXPECT_EQ(ListFormBody({{"about", "two\r\nlines"}}), "about=twolines");
    EXPECT_EQ(ToCp1251Lossy("ok 漢"), "ok ?");
}

TEST(ServiceConfig, ThreeSteps) {
    ServiceConfiguration c;
    c.statisticsAddress = "http://stat.example/s";
    const std::string world = "http://other.example/worldtop";
    const std::string document =
        "CTGamesPause WTGamesPatt=" + Encipher(world, CipherKey::WorldTopTenAddress) +
        "#\r\nAccPath=" + Encipher("http://acc.example/a", CipherKey::AccountAddress) + "#";
    ApplyWorldTopTenStep(&document, c);
    EXPECT_TRUE(c.chatPaused);
    EXPECT_FALSE(c.worldTopTenPaused);
    EXPECT_EQ(c.worldTopTenAddress, world);
    ApplyStatisticsStep(&document, c);  // no "StatPath": the address stays
    EXPECT_EQ(c.statisticsAddress, "http://stat.example/s");
    ApplyAccountStep(&document, "http://built.in/account", c);
    EXPECT_EQ(c.accountAddress, "http://acc.example/a");

    ServiceConfiguration paused;
    const std::string pause =
        "WTGamesPause WTGamesPatt=" + Encipher(world, CipherKey::WorldTopTenAddress) + "#";
    ApplyWorldTopTenStep(&pause, paused);
    EXPECT_TRUE(paused.worldTopTenPaused);
    EXPECT_FALSE(paused.chatPaused);
    EXPECT_EQ(paused.worldTopTenAddress, "");

    ServiceConfiguration unreachable;  // paused from the start, cleared by a failed step 1
    EXPECT_TRUE(unreachable.worldTopTenPaused && unreachable.chatPaused);
    ApplyWorldTopTenStep(nullptr, unreachable);
    EXPECT_FALSE(unreachable.worldTopTenPaused || unreachable.chatPaused);

    const std::string garbage = "WTGamesPatt=not enciphered#StatPath=";
    ServiceConfiguration kept;
    kept.worldTopTenAddress = world;
    ApplyWorldTopTenStep(&garbage, kept);
    ApplyStatisticsStep(&garbage, kept);  // no closing '#'
    EXPECT_EQ(kept.worldTopTenAddress, world);
}

TEST(ServiceAddressesTest, ChoiceOfTheBase) {
    const auto builtIn = ChooseService(std::nullopt, nullptr);
    ASSERT_TRUE(builtIn);
    EXPECT_FALSE(builtIn->overridden);
    EXPECT_TRUE(IsServiceAddress(builtIn->addresses.account));
    const auto fromEnvironment = ChooseService(std::nullopt, "http://10.0.0.2:8080");
    ASSERT_TRUE(fromEnvironment);
    EXPECT_EQ(fromEnvironment->addresses.worldTopTen, "http://10.0.0.2:8080/worldtop");
    EXPECT_EQ(fromEnvironment->addresses.pictureStore.host, "10.0.0.2");
    const auto fromCommandLine = ChooseService(std::string("https://kesp.example/"), "http://10.0.0.2:8080");
    ASSERT_TRUE(fromCommandLine);
    EXPECT_EQ(fromCommandLine->addresses.news, "https://kesp.example/news.html");
    EXPECT_FALSE(ChooseService(std::string("ftp://x/"), nullptr));
}

TEST(FieldChecks, AccountLampsAndPassport) {
    struct Case {
        const char* text;
        FieldKind kind;
        FieldLamp lamp;
    };
    for (const Case& c : {
             Case{"Abcdefghijklm", FieldKind::Nick, FieldLamp::Red},  // 13 characters
             Case{"Abcdefghijkl", FieldKind::Nick, FieldLamp::Green},
             Case{"M", FieldKind::City, FieldLamp::Red},
             Case{"abc", FieldKind::Password, FieldLamp::Red},
             Case{"abcd", FieldKind::Password, FieldLamp::Green},
             Case{"Омск", FieldKind::City, FieldLamp::Yellow},
             Case{"Аня", FieldKind::Nick, FieldLamp::Red},
             Case{"Mr X", FieldKind::Nick, FieldLamp::Red},
             Case{"@ab", FieldKind::EMail, FieldLamp::Red},
             Case{"ab@", FieldKind::EMail, FieldLamp::Red},
             Case{"a@b", FieldKind::EMail, FieldLamp::Green},
         }) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CheckField(c.text, c.kind), c.lamp);
    }
    EXPECT_TRUE(IsValidPassportText("Омск-2", 15));
    EXPECT_FALSE(IsValidPassportText("O", 15));
    EXPECT_FALSE(IsValidPassportText("a b", 15));
    EXPECT_EQ(WithFieldCharactersOnly("Привет, мир! 漢\xff"), "Привет,_мир!___");
}

class OnlineRequests : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(service.base().empty()) << "kesp-service did not start";
        addresses = AddressesUnderBase(service.base());
    }
    TZunUser NewUser(const std::string& nick) {
        TZunUser user;
        user.Nick = nick;
        user.Pw = "secret1";
        user.City = "Омск";
        user.Country1 = "Russia";
        user.Country2 = "1-001";
        user.Sex = 'W';
        user.EMail = "a@b.c";
        return user;
    }
    test::ServiceProcess service;
    ServiceAddresses addresses;
    ServiceClient client;
};

TEST_F(OnlineRequests, AccountLifecycle) {
    TZunUser user = NewUser("Аня");
    EXPECT_EQ(CreateAccount(client, addresses.account, user, "10.12.2026"), CreateResult::Created);
    EXPECT_EQ(CreateAccount(client, addresses.account, user, "10.12.2026"), CreateResult::NickExists);
    EXPECT_EQ(ReadMemberCount(client, addresses.account), 1);

    TZunUser wrong = user;
    wrong.Pw = "nope99";
    EXPECT_FALSE(ReadAccount(client, addresses.account, wrong));
    EXPECT_EQ(wrong.City, "#");

    TZunUser login;
    login.Nick = user.Nick;
    login.Pw = user.Pw;
    ASSERT_TRUE(ReadAccount(client, addresses.account, login));
    EXPECT_EQ(login.City, "Омск");
    EXPECT_EQ(login.Sex, 'W');
    EXPECT_EQ(login.DateR, "10.12.2026");

    // The session cookie of the log in lets the profile be saved.
    TInfo14 info;
    info.Name1 = "Anna";
    info.About = "likes $cards~ & more";
    info.WebSite = "https://anna.example/?a=1&b=2";
    EXPECT_TRUE(SaveProfile(client, addresses.account, login.Nick, info));
    TInfo14 read;
    EXPECT_EQ(ReadProfile(client, addresses.account, login.Nick, read), ProfileRead::Found);
    EXPECT_EQ(read.Name1, "Anna");
    EXPECT_EQ(read.About, "likes  cards  & more");
    EXPECT_EQ(read.WebSite, info.WebSite);
    EXPECT_EQ(read.Skype, "");
    EXPECT_EQ(ReadProfile(client, addresses.account, "Nobody", read), ProfileRead::None);
}

TEST_F(OnlineRequests, RatedRecordAndLists) {
    TZunUser user = NewUser("Bob");
    ASSERT_EQ(CreateAccount(client, addresses.account, user, "01.01.2026"), CreateResult::Created);
    ASSERT_TRUE(ReadAccount(client, addresses.account, user));
    TZunGame game;
    ASSERT_TRUE(ReadGameRecord(client, addresses.account, user, game));
    EXPECT_EQ(game.Kon, 0);
    game.Kon = 1;
    game.Rating = 40.04;
    game.KonL = 1;
    game.Score = 40;
    ASSERT_TRUE(SaveGameRecord(client, addresses.account, user, game));
    TZunGame back;
    ASSERT_TRUE(ReadGameRecord(client, addresses.account, user, back));
    EXPECT_EQ(back.Kon, 1);
    EXPECT_DOUBLE_EQ(back.Rating, 40.04);
    EXPECT_EQ(back.Score, 40);
    EXPECT_EQ(ReadPlaceByRating(client, addresses.account, back.Rating), 1);
    const auto top = ReadAccountTopTen(client, addresses.account);
    ASSERT_TRUE(top);
    ASSERT_EQ(top->size(), 1u);
    EXPECT_EQ((*top)[0].Nick, "Bob");
    EXPECT_EQ((*top)[0].Country, "1-001");  // the fifth value wins

    for (const int score : {120, 300, 200}) {
        TZunRecord record;
        record.GID = kWindowsList;
        record.Nick = "Bob";
        record.City = "Omsk";
        record.Country = "1-001";
        record.Score = score;
        record.R07 = "M";
        record.R08 = "5.7f";
        EXPECT_GT(PostRecord(client, addresses.worldTopTen, record), 0);
    }
    EXPECT_EQ(ReadRecordCount(client, addresses.worldTopTen, kWindowsList), 3);
    const auto records = ReadWorldRecords(client, addresses.worldTopTen, kWindowsList);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 3u);
    EXPECT_EQ((*records)[0].Score, 300);
    EXPECT_EQ((*records)[0].Place, 1);
    const auto own = ReadOwnRecords(client, addresses.worldTopTen, kWindowsList, "Bob", "Omsk");
    ASSERT_TRUE(own);
    EXPECT_EQ(own->size(), 3u);
}

TEST_F(OnlineRequests, StatisticsAndDocuments) {
    EXPECT_TRUE(PostStartupReport(client, addresses.statistics, true));
    EXPECT_TRUE(PostLike(client, addresses.statistics, "Anna"));
    EXPECT_TRUE(PostGameResults(client, addresses.statistics, {1, 0, 25, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const auto stat = ReadStatistics(client, addresses.statistics);
    ASSERT_TRUE(stat);
    EXPECT_EQ(stat->Stat1, 1);
    EXPECT_EQ(stat->Stat2, 1);
    EXPECT_EQ(stat->Stat3, 1);
    EXPECT_EQ(stat->Stat4, "Anna");
    EXPECT_EQ(stat->StatX[0], 1);
    EXPECT_EQ(stat->StatX[2], 25);

    const auto news = DownloadText(addresses.news);
    ASSERT_TRUE(news);
    EXPECT_NE(news->find("ZunNews"), std::string::npos);
    const auto config = DownloadText(addresses.config);
    ASSERT_TRUE(config);
    ServiceConfiguration c;
    ApplyWorldTopTenStep(&*config, c);
    EXPECT_EQ(c.worldTopTenAddress, addresses.worldTopTen);
    EXPECT_FALSE(DownloadText(addresses.base + "no-such-document"));
}

TEST(OnlineRequestsDown, NoServiceIsNoAnswer) {
    ServiceClient client;
    const auto addresses = AddressesUnderBase("http://127.0.0.1:9/");  // the discard port: nothing listens
    EXPECT_EQ(CreateAccount(client, addresses.account, TZunUser{}, "01.01.2026"), CreateResult::NoAnswer);
    TZunUser user;
    EXPECT_FALSE(ReadAccount(client, addresses.account, user));
    EXPECT_EQ(ReadPlaceByRating(client, addresses.account, 1), -1);
    EXPECT_FALSE(ReadStatistics(client, addresses.statistics));
    EXPECT_FALSE(DownloadText(addresses.news));
    // A list read's short wait is its own: the saves after it keep the client's.
    EXPECT_EQ(client.ReadTimeout(), ServiceClient::kDefaultTimeoutMs);
    client.SetReadTimeout(1500);
    EXPECT_FALSE(ReadWorldRecords(client, addresses.worldTopTen, kWindowsList));
    EXPECT_EQ(client.ReadTimeout(), 1500);
}

}  // namespace
}  // namespace kesp
