// The world top ten window and the cycle's send window offscreen against a real kesp-service.
#include <gtest/gtest.h>

#include <QTest>

#include "../network/online_players.h"
#include "../network/service_process.h"
#include "network/online_requests.h"
#include "presentation/country_flags.h"
#include "presentation/message_window.h"
#include "window_test_support.h"
#include "windows/world_send_window.h"
#include "windows/world_top_ten_window.h"

namespace kesp {
namespace {

using testing::App;

TZunRecord Entry(int gid, const std::string& nick, const std::string& city, int score,
                 const char* sex = "M") {
    TZunRecord r;
    r.GID = gid;
    r.Nick = nick;
    r.City = city;
    r.Country = "1-001";
    r.Score = score;
    r.R07 = sex;
    r.R08 = std::string(kRecordProgramVersion);
    r.R10 = "#";
    return r;
}

bool Settled(const TFormWorldTopTen& window) {
    return QTest::qWaitFor([&] { return !window.Panel().Reading(); }, 20000);
}

std::vector<std::string> Nicks(const std::vector<WorldListLine>& lines) {
    std::vector<std::string> nicks;
    for (const WorldListLine& line : lines) nicks.push_back(line.Nick + ":" + line.Score);
    return nicks;
}

class WorldTopTenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        ASSERT_FALSE(service.base().empty());
        addresses = AddressesUnderBase(service.base());
        settings.WorldNick = "Alice";
        settings.WorldCity = "Oslo";
        settings.WorldCountry = "1-001";
        settings.WorldSex = "W";
        settings.CurrentLanguage = kGerman;
    }
    WorldListSources Sources() const { return {addresses, folder.Dir(), {"Alice", "Oslo"}, {}}; }

    test::ServiceProcess service;
    ServiceAddresses addresses;
    Settings settings;
    ServiceQueue queue;
    testing::ClubFolder folder;
};

TEST_F(WorldTopTenTest, ShowsPostedRecordsInOrderWithCountAndOwnEntries) {
    ServiceClient client;
    for (const TZunRecord& r : {Entry(36, "Alice", "Oslo", 120, "W"), Entry(36, "Bob", "Rome", 150),
                                Entry(36, "Carol", "Lima", 90, "W"), Entry(36, "Alice", "Oslo", 80, "W"),
                                Entry(136, "Droid", "Kyiv", 70)})
        ASSERT_GT(PostRecord(client, addresses.worldTopTen, r), 0);

    TFormWorldTopTen window(settings, queue, Sources(), kWindowsCycleList);
    std::vector<int> shown;
    QObject::connect(&window, &TFormWorldTopTen::ListShown, [&](int list) { shown.push_back(list); });
    window.resize(700, 700);
    window.show();
    ASSERT_TRUE(Settled(window));
    const WorldListContent& windows = window.Panel().Content();
    ASSERT_TRUE(windows.Connected);
    EXPECT_EQ(Nicks(windows.Lines),
              (std::vector<std::string>{"Bob:150", "Alice:120", "Carol:90", "Alice:80"}));
    EXPECT_EQ(windows.Lines[0].Place, 1);
    EXPECT_EQ(windows.Lines[3].Place, 4);
    EXPECT_EQ(windows.Lines[1].Sex, 'W');
    EXPECT_EQ(windows.Lines[1].Where, "Oslo");  // the Windows list names the city only
    EXPECT_EQ(windows.RecordCount, 4);
    ASSERT_TRUE(windows.Own);
    EXPECT_EQ(Nicks(*windows.Own), (std::vector<std::string>{"Alice:120", "Alice:80"}));
    testing::SaveScreenshot(window, "world-top-ten-windows-de-700");
    window.resize(1000, 900);
    testing::SaveScreenshot(window, "world-top-ten-windows-de-1000");

    // The Android list names the country before the city; the player has no entry there.
    QTest::mouseClick(window.ListButton(kAndroidCycleList), Qt::LeftButton);
    ASSERT_TRUE(Settled(window));
    const WorldListContent& android = window.Panel().Content();
    EXPECT_EQ(android.List, kAndroidCycleList);
    ASSERT_EQ(android.Lines.size(), 1u);
    EXPECT_EQ(android.Lines[0].Where, CountryName("1-001", kGerman).toStdString() + ", Kyiv");
    ASSERT_TRUE(android.Own);
    EXPECT_TRUE(android.Own->empty());
    EXPECT_EQ(shown, (std::vector<int>{kAndroidCycleList}));
}

TEST_F(WorldTopTenTest, AnswerForAListNoLongerShownDoesNotPaint) {
    folder.Write("Kesp.clb", testing::SampleClub());
    TFormWorldTopTen window(settings, queue, Sources(), kWindowsCycleList);
    window.ShowList(kLocalClubList);  // before the Windows list answered
    ASSERT_TRUE(QTest::qWaitFor([&] { return queue.Pending() == 0; }, 20000));
    QTest::qWait(50);  // the late answer is delivered through the event loop
    const WorldListContent& club = window.Panel().Content();
    EXPECT_EQ(club.List, kLocalClubList);
    ASSERT_EQ(club.Lines.size(), 10u);
    EXPECT_EQ(club.Lines[0].Nick + ":" + club.Lines[0].Score, "Top1:150");
    EXPECT_FALSE(club.RecordCount);
}

TEST_F(WorldTopTenTest, TournamentListShowsThePlayersByScore) {
    ASSERT_TRUE(
        test::RunOnStore(service.dataFolder(),
                         "INSERT INTO tournament_standings (nick, score, kon, rating, updated) VALUES"
                         " ('Anna', 300, 2, 150, 0), ('Boris', 450, 5, 90, 0), ('Idle', 0, 0, 0, 0)"));
    TFormWorldTopTen window(settings, queue, Sources(), kTournamentList);
    ASSERT_TRUE(Settled(window));
    const WorldListContent& content = window.Panel().Content();
    EXPECT_TRUE(content.Connected);
    EXPECT_EQ(Nicks(content.Lines), (std::vector<std::string>{"Boris:450", "Anna:300"}));
    EXPECT_EQ(content.Lines[0].Place, 1);
}

TEST_F(WorldTopTenTest, ListsThatCannotBeReadShowNoConnect) {
    service.Kill();
    for (int list : {kAccountRatingList, kWindowsCycleList, kTournamentList}) {
        TFormWorldTopTen window(settings, queue, Sources(), list);
        ASSERT_TRUE(Settled(window));
        EXPECT_FALSE(window.Panel().Content().Connected) << list;
        EXPECT_TRUE(window.Panel().Content().Lines.empty()) << list;
        if (list == kWindowsCycleList) {
            window.resize(640, 600);
            testing::SaveScreenshot(window, "world-top-ten-no-connect");
        }
    }
}

TEST_F(WorldTopTenTest, SendPostsTheCycleUnderThePassportAndDisablesSend) {
    ServiceClient client;
    ASSERT_GT(PostRecord(client, addresses.worldTopTen, Entry(36, "Bob", "Rome", 150)), 0);
    TFormWorldSend window(settings, queue, addresses.worldTopTen, 133);
    window.show();
    testing::SaveScreenshot(window, "world-send-de");
    QTest::mouseClick(window.SendButton(), Qt::LeftButton);
    EXPECT_FALSE(window.SendButton()->isEnabled());  // no second post while the first runs
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Place() > 0; }, 20000));
    EXPECT_EQ(window.Place(), 2);
    EXPECT_FALSE(window.SendButton()->isEnabled());
    const auto list = ReadWorldRecords(client, addresses.worldTopTen, 36);
    ASSERT_TRUE(list && list->size() == 2);
    const TZunRecord& sent = (*list)[1];
    EXPECT_EQ(sent.Nick, "Alice");
    EXPECT_EQ(sent.City, "Oslo");
    EXPECT_EQ(sent.Country, "1-001");
    EXPECT_EQ(sent.Score, 133);
    EXPECT_EQ(sent.R07, "W");
    EXPECT_EQ(sent.R08, "5.7f");
}

TEST_F(WorldTopTenTest, FailedSendTellsAndAllowsAnotherTry) {
    service.Kill();
    TFormWorldSend window(settings, queue, addresses.worldTopTen, 50);
    window.show();
    QTest::mouseClick(window.SendButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.SendButton()->isEnabled(); }, 20000));
    EXPECT_EQ(window.Place(), -1);
    const auto messages = window.findChildren<TMessageWindow*>();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0]->isVisible());
}

}  // namespace
}  // namespace kesp
