// The world statistics window offscreen against a real kesp-service: what it lists, "No Connect"
// when the service is down, and the like with the nick question.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "../network/service_process.h"
#include "network/online_requests.h"
#include "presentation/words.h"
#include "window_test_support.h"
#include "windows/statistics_window.h"

namespace kesp {
namespace {

struct StatisticsFixture {
    explicit StatisticsFixture(const std::string& base) : address(AddressesUnderBase(base).statistics) {
        testing::App();
        settings.WorldNick = std::string(kDefaultWorldNick);
        // The tests do not wait the game's 20 seconds for a refused connection.
        queue.Run<int>(
            nullptr,
            [](ServiceClient& client) {
                client.SetReadTimeout(1500);
                return 0;
            },
            [](int) {});
    }
    // Opens the window and waits for its read; false when no read answered.
    bool Open() {
        window = std::make_unique<TFormStatistics>(settings, queue, address, [this] {
            EXPECT_EQ(SaveSettings(settings, folder.Dir(), false), SettingsSave::kWritten);
        });
        QSignalSpy read(window.get(), &TFormStatistics::StatisticsRead);
        window->show();
        return read.wait(20000);
    }
    TZunStat ServiceStatistics() {
        ServiceClient client;
        const auto stat = ReadStatistics(client, address);
        EXPECT_TRUE(stat);
        return stat.value_or(TZunStat{});
    }
    QString Value(int row) const { return window->ValueLabel(row)->text(); }

    testing::ClubFolder folder;
    std::string address;
    Settings settings;
    ServiceQueue queue;
    std::unique_ptr<TFormStatistics> window;
};

TEST(StatisticsWindow, ListsWhatTheServiceHoldsAndNoConnectWhenItIsDown) {
    test::ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    {
        ServiceClient client;
        const std::string address = AddressesUnderBase(service.base()).statistics;
        ASSERT_TRUE(PostStartupReport(client, address, true));
        ASSERT_TRUE(PostStartupReport(client, address, false));
        ASSERT_TRUE(PostStartupReport(client, address, false));
        ASSERT_TRUE(PostLike(client, address, "Anna"));
        ASSERT_TRUE(PostGameResults(client, address, {1, 1, 37, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        ASSERT_TRUE(PostGameResults(client, address, {1, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0}));
        ASSERT_TRUE(PostGameResults(client, address, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
        ASSERT_TRUE(PostGameResults(client, address, {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
    }
    StatisticsFixture f(service.base());
    ASSERT_TRUE(f.Open());
    const QStringList expected = {"3", "1", "1", "Anna", "2", "1", "37", "12", "1", "1"};
    for (int row = 0; row < TFormStatistics::kRows; ++row) EXPECT_EQ(f.Value(row), expected[row]) << row;
    EXPECT_EQ(f.window->CaptionLabel(0)->text(), "Number of starts");
    EXPECT_EQ(f.window->CaptionLabel(9)->text(), "Games played Online");
    EXPECT_FALSE(f.window->NoConnectLabel()->isVisible());
    EXPECT_EQ(f.window->windowTitle(), "Statistics");
    testing::SaveScreenshot(*f.window, "statistics_en");

    // The longer languages fit.
    for (int language : {kGerman, kRussian}) {
        f.settings.CurrentLanguage = language;
        ASSERT_TRUE(f.Open());
        testing::SaveScreenshot(*f.window, language == kGerman ? "statistics_de" : "statistics_ru");
    }
    EXPECT_EQ(f.window->CaptionLabel(0)->text(), QString::fromUtf8("Число запусков"));
    f.settings.CurrentLanguage = kEnglish;

    service.Kill();
    ASSERT_TRUE(f.Open());
    EXPECT_TRUE(f.window->NoConnectLabel()->isVisible());
    EXPECT_EQ(f.window->NoConnectLabel()->text(), "No Connect");
    for (int row = 0; row < TFormStatistics::kRows; ++row) EXPECT_TRUE(f.Value(row).isEmpty()) << row;
    testing::SaveScreenshot(*f.window, "statistics_no_connect");
}

TEST(StatisticsWindow, TheLikeOfAnIncognitoAsksForANickUntilItIsValid) {
    test::ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    StatisticsFixture f(service.base());
    ASSERT_TRUE(f.Open());
    EXPECT_EQ(f.Value(2), "0");
    EXPECT_TRUE(f.Value(3).isEmpty()) << "no like yet";

    // Cancelling the question gives up: nothing is sent.
    f.window->LikeButton()->click();
    ASSERT_TRUE(f.window->NickQuestion());
    QTest::keyClicks(f.window->NickQuestion()->NickEdit(), "Vera");
    f.window->NickQuestion()->CancelButton()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.window->NickQuestion(); }));
    EXPECT_TRUE(f.window->LikeButton()->isEnabled());
    EXPECT_EQ(f.settings.WorldNick, kDefaultWorldNick);

    f.window->LikeButton()->click();
    TFormNickQuestion* question = f.window->NickQuestion();
    ASSERT_TRUE(question);
    EXPECT_TRUE(question->isModal());
    QTest::keyClicks(question->NickEdit(), "V$");  // '$' is refused as typed: one character is left
    EXPECT_EQ(question->NickEdit()->text(), "V");
    question->OkButton()->click();
    EXPECT_TRUE(question->isVisible()) << "a one-character nick is asked for again";
    EXPECT_TRUE(question->Warning()->isVisible());
    testing::SaveScreenshot(*question, "statistics_nick_question");
    EXPECT_EQ(f.ServiceStatistics().Stat3, 0);

    QSignalSpy answered(f.window.get(), &TFormStatistics::LikeAnswered);
    QTest::keyClicks(question->NickEdit(), "Vera");  // over the refused nick, which is selected
    question->OkButton()->click();
    EXPECT_FALSE(f.window->LikeButton()->isEnabled()) << "one like at a time";
    ASSERT_TRUE(answered.wait(20000));
    EXPECT_TRUE(answered.front().front().toBool());
    EXPECT_FALSE(f.window->LikeButton()->isEnabled());
    EXPECT_EQ(f.Value(2), "1");
    EXPECT_EQ(f.Value(3), "Vera");

    const TZunStat stat = f.ServiceStatistics();
    EXPECT_EQ(stat.Stat3, 1);
    EXPECT_EQ(stat.Stat4, "Vera");
    // The settings file holds the sent entry and the nick given.
    Settings saved;
    ASSERT_EQ(LoadSettings(saved, f.folder.Dir()), SettingsLoad::kReadThrough);
    EXPECT_TRUE(saved.StatsEntrySent);
    EXPECT_EQ(saved.WorldNick, "Vera");
}

TEST(StatisticsWindow, APassportNickLikesAtOnceAndAFailedLikeCanBeRepeated) {
    test::ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    StatisticsFixture f(service.base());
    f.settings.WorldNick = "Boris";
    f.settings.StatsEntrySent = false;
    ASSERT_TRUE(f.Open());

    service.Kill();
    QSignalSpy answered(f.window.get(), &TFormStatistics::LikeAnswered);
    f.window->LikeButton()->click();
    EXPECT_FALSE(f.window->NickQuestion());
    ASSERT_TRUE(answered.wait(20000));
    EXPECT_FALSE(answered.front().front().toBool());
    EXPECT_TRUE(f.window->LikeButton()->isEnabled()) << "the like may be tried again";
    EXPECT_TRUE(f.window->NoConnectLabel()->isVisible());
    EXPECT_FALSE(f.settings.StatsEntrySent);
    EXPECT_EQ(f.Value(2), "0");
}

}  // namespace
}  // namespace kesp
