// The tournament top ten offscreen against a real kesp-service: seven records draw seven rows, the
// own place as a medal or as a number, the measure "Games", and "No Connect".
#include <gtest/gtest.h>

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "../network/online_players.h"
#include "../network/service_process.h"
#include "window_test_support.h"
#include "windows/tournament_top_ten_window.h"

namespace kesp {
namespace {

class TournamentTopTen : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::App();
        ASSERT_FALSE(service.base().empty()) << "kesp-service did not start";
        addresses = AddressesUnderBase(service.base());
        queue.Run<int>(
            &receiver,
            [](ServiceClient& client) {
                client.SetReadTimeout(1500);
                return 0;
            },
            [](int) {});
    }
    // Players P01..Pn: P01 has the highest score, Pn the most games.
    void Seed(int players) {
        ServiceClient client;
        QString values;
        for (int i = 1; i <= players; ++i) {
            TZunUser user = test::TablePlayerUser(QString("P%1").arg(i, 2, 10, QChar('0')).toStdString(),
                                                  i % 2 ? 'M' : 'W');
            // The service limits account creation; standings of the players after the seventh have none.
            if (i <= 7)
                ASSERT_EQ(CreateAccount(client, addresses.account, user, "10.12.2026"),
                          CreateResult::Created);
            values += QString("%1('%2', %3, %4, %5, 0)")
                          .arg(i == 1 ? "" : ", ")
                          .arg(QString::fromStdString(user.Nick))
                          .arg(1000 - 10 * i)
                          .arg(i)
                          .arg(100 - i);
        }
        ASSERT_TRUE(test::RunOnStore(
            service.dataFolder(),
            "INSERT INTO tournament_standings (nick, score, kon, rating, updated) VALUES " + values));
    }
    void Open(const TZunClient& own, int measure = 0) {
        window = std::make_unique<TFormTourTop10>(settings, queue,
                                                  TournamentTopTenSources{addresses.tables, own, measure});
        QSignalSpy shown(window.get(), &TFormTourTop10::Shown);
        window->show();
        ASSERT_TRUE(shown.wait(20000));
    }
    static TZunClient Own(int score, int games) {
        TZunClient own;
        own.Nick = "Eva";
        own.Score = score;
        own.Kon = games;
        return own;
    }

    test::ServiceProcess service;
    ServiceAddresses addresses;
    Settings settings;
    QObject receiver;
    ServiceQueue queue;
    std::unique_ptr<TFormTourTop10> window;
};

TEST_F(TournamentTopTen, SevenRecordsAndTheOwnPlaceAsAMedal) {
    Seed(7);
    Open(Own(975, 1));  // between P02 (980) and P03 (970)
    const auto& content = window->Panel().Content();
    ASSERT_TRUE(content.records);
    EXPECT_EQ(window->Panel().RowsDrawn(), 7);
    EXPECT_EQ((*content.records)[0].Nick, "P01");
    EXPECT_EQ((*content.records)[0].Score, 990);
    EXPECT_EQ(content.ownPlace, 3);
    EXPECT_EQ(window->Panel().PlacePicture(), "GPlace03");
    EXPECT_EQ(window->windowTitle(), "Tournament Top Ten");
    testing::SaveScreenshot(*window, "tournament_top_ten_en");
}

TEST_F(TournamentTopTen, PlaceTwelveIsANumberAndGamesReadTheGamesList) {
    Seed(12);
    settings.CurrentLanguage = 1;  // Russian
    Open(Own(0, 1));
    EXPECT_EQ(window->Panel().RowsDrawn(), 10);
    EXPECT_EQ(window->Panel().Content().ownPlace, 13);
    EXPECT_EQ(window->Panel().PlacePicture(), "");
    testing::SaveScreenshot(*window, "tournament_top_ten_ru");

    QSignalSpy chosen(window.get(), &TFormTourTop10::MeasureChosen);
    QSignalSpy shown(window.get(), &TFormTourTop10::Shown);
    window->findChildren<QRadioButton*>().at(2)->click();
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_EQ(chosen.takeFirst().at(0).toInt(), 2);
    const auto& content = window->Panel().Content();
    ASSERT_TRUE(content.records);
    EXPECT_EQ((*content.records)[0].Nick, "P12");  // the most games
    EXPECT_EQ((*content.records)[0].Score, 12);
    EXPECT_EQ(content.ownPlace, 12);  // the own one game: eleven players played more
}

TEST_F(TournamentTopTen, NoConnectWhenTheServiceIsDown) {
    service.Kill();
    Open(Own(0, 0), 1);
    EXPECT_FALSE(window->Panel().Content().records);
    EXPECT_FALSE(window->Panel().Content().ownPlace);
    EXPECT_TRUE(window->findChildren<QRadioButton*>().at(1)->isChecked());  // the measure remembered
}

}  // namespace
}  // namespace kesp
