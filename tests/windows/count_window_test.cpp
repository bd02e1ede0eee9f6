#include "windows/count_window.h"

#include <QTest>

#include "presentation/words.h"
#include "records/club.h"
#include "tests/windows/window_test_support.h"

namespace kesp {
namespace {

using testing::App;

GameState GameAt(int gameNo, int runningTotal, int s1, int s2, int s3, int own) {
    GameState gs;
    gs.GameNo = gameNo;
    gs.RunningTotal = runningTotal;
    gs.Score[1] = s1;
    gs.Score[2] = s2;
    gs.Score[3] = s3;
    gs.Score[4] = own;
    return gs;
}

TEST(CountWindow, TheCycleFieldShows25AtThe25thGameAnd1AtThe26th) {
    EXPECT_EQ(MakeCount(GameAt(25, 0, 0, 0, 0, 0), "Alice", 0).Count_KonCur, "25");
    EXPECT_EQ(MakeCount(GameAt(26, 0, 0, 0, 0, 0), "Alice", 0).Count_KonCur, "1");
    EXPECT_EQ(MakeCount(GameAt(50, 0, 0, 0, 0, 0), "Alice", 0).Count_KonCur, "25");
    EXPECT_EQ(MakeCount(GameAt(7, 0, 0, 0, 0, 0), "Alice", 0).Count_KonCur, "7");
    EXPECT_EQ(MakeCount(GameAt(26, 0, 0, 0, 0, 0), "Alice", 0).Count_KonAll, "26");
}

TEST(CountWindow, TheCurrentScoreIsTheOwnSeatsAdvantageAndAddsToTheInitialScore) {
    // Others 10 + 20 + 30, own seat 4 has 5: 60 - 15.
    const TCount c = MakeCount(GameAt(3, 100, 10, 20, 30, 5), "Alice", 0);
    EXPECT_EQ(c.Count_ScoBeg, "100");
    EXPECT_EQ(c.Count_ScoCur, "45");
    EXPECT_EQ(c.Count_ScoAll, "145");
    const TCount behind = MakeCount(GameAt(3, 20, 0, 0, 0, 40), "Alice", 0);
    EXPECT_EQ(behind.Count_ScoCur, "-120");
    EXPECT_EQ(behind.Count_ScoAll, "-100");
}

TEST(CountWindow, RatingsAreTwoDecimalsWithACommaInSixCharacters) {
    // A current score of 0 scales the start rating by (GameNo - 1) / GameNo: 1.25 * 4 / 5 = 1.
    const TCount c = MakeCount(GameAt(5, 0, 0, 0, 0, 0), "Alice", 1'250'000);
    EXPECT_EQ(c.Count_ReiBeg, "  1,25");
    EXPECT_EQ(c.Count_ReiCur, "  1,00");
    // 2.5 * 25 / 26 = 2.403846...
    EXPECT_EQ(MakeCount(GameAt(26, 0, 0, 0, 0, 0), "Alice", 2'500'000).Count_ReiCur, "  2,40");
    // With a score the formula of the rating update applies: (1 * 1 + 45 / 20) / 2 = 1.625.
    EXPECT_EQ(MakeCount(GameAt(2, 0, 10, 20, 30, 5), "Alice", 1'000'000).Count_ReiCur, "  1,63");
    EXPECT_EQ(FormatCountRating(0), "  0,00");
    EXPECT_EQ(FormatCountRating(-3'500'000), " -3,50");
    EXPECT_EQ(FormatCountRating(-500'000'000), "-99,99");  // beyond the limit it is held there
}

TEST(CountWindow, OnlineAndTournamentGamesShowTheServiceRating) {
    CountSource online;
    online.Kind = CountGameKind::RatedOnline;
    online.OnlineCycleGames = 11;
    online.ServiceRating = 1234.6;
    const TCount o = MakeCount(GameAt(80, 5, 0, 0, 0, 0), online);
    EXPECT_EQ(o.Count_KonCur, "12");
    EXPECT_EQ(o.Count_ReiBeg, "1235");
    EXPECT_EQ(o.Count_ReiCur, "?");

    CountSource tournament;
    tournament.Kind = CountGameKind::Tournament;
    tournament.TournamentScore = 300;
    tournament.ServiceRating = std::numeric_limits<double>::quiet_NaN();  // bad input: no crash
    const TCount t = MakeCount(GameAt(4, 5, 3, 0, 0, 1), tournament);
    EXPECT_EQ(t.Count_KonCur, "-");
    EXPECT_EQ(t.Count_ScoBeg, "300");
    EXPECT_EQ(t.Count_ScoAll, "300");
    EXPECT_EQ(t.Count_ReiBeg, "0");
    EXPECT_EQ(t.Count_ReiCur, "?");
}

// The count of a game on the local network is a club game of its own kind: its emblem is the
// network club's, never the computer game's.
TEST(CountWindow, TheKindFollowsTheGameOnTheTable) {
    struct Case {
        GameKind kind;
        bool account, tournament;
        CountGameKind expected;
    };
    const Case cases[] = {
        {GameKind::Local, false, false, CountGameKind::Computer},
        {GameKind::LanHost, false, false, CountGameKind::LocalNetwork},
        {GameKind::LanClient, false, false, CountGameKind::LocalNetwork},
        {GameKind::Online, true, false, CountGameKind::RatedOnline},
        {GameKind::Online, false, true, CountGameKind::Tournament},
    };
    for (const Case& c : cases) {
        TableSetup setup;
        setup.kind = c.kind;
        setup.AccountGame = c.account;
        setup.Tournament = c.tournament;
        EXPECT_EQ(CountKindOf(setup), c.expected) << static_cast<int>(c.kind);
    }
    const TCount network =
        MakeCount(GameAt(27, 5, 0, 0, 0, 0), "Nils", RatingUnit, CountGameKind::LocalNetwork);
    EXPECT_EQ(network.Kind, CountGameKind::LocalNetwork);
    EXPECT_EQ(network.Count_KonCur, "2") << "a club game's cycle";
    EXPECT_EQ(network.Count_ReiBeg, "  1,00");
    for (bool library : {false, true}) {
        const std::vector<QString> emblems = TFormCount::EmblemNames(network.Kind, library);
        EXPECT_EQ(emblems, std::vector<QString>{library ? "GifG" : "GClubG"});
    }
    App();
    Settings settings;
    for (int language : {kEnglish, kRussian}) {
        settings.CurrentLanguage = language;
        TFormCount window(settings, network);
        window.show();
        testing::SaveScreenshot(window, QStringLiteral("general_count_network_%1").arg(language));
    }
}

TEST(CountWindow, ShowsCaptionHeadingTheSevenPairsAndClosesWithOk) {
    App();
    Settings settings;
    const TCount count = MakeCount(GameAt(26, 100, 10, 20, 30, 5), "Alice               ", 1'250'000);
    TFormCount window(settings, count);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Player:  Alice");
    EXPECT_EQ(window.HeadingText(), "Information about game");
    const char* labels[] = {"General number of game:", "Number of round in a current cycle:",
                            "The initial score:",      "The current score:",
                            "The general score:",      "The initial rating:",
                            "The current rating:"};
    const char* values[] = {"26", "1", "100", "45", "145", "  1,25", "  1,29"};
    for (int row = 0; row < TFormCount::kRows; ++row) {
        EXPECT_EQ(window.LabelText(row), labels[row]) << row;
        EXPECT_EQ(window.ValueText(row), values[row]) << row;
    }
    EXPECT_TRUE(window.ValueText(7).isEmpty());
    // The emblems that the resources hold play; the missing ones leave no gap.
    EXPECT_EQ(window.RunningAnimations(), window.Animations());
    {
        Settings still;
        still.GifAnimation = false;
        TFormCount stillWindow(still, count);
        EXPECT_EQ(stillWindow.RunningAnimations(), 0);
    }
    EXPECT_EQ(TFormCount::EmblemNames(CountGameKind::Computer, false),
              (std::vector<QString>{"GClubC", "GClubF"}));
    EXPECT_EQ(TFormCount::EmblemNames(CountGameKind::LocalNetwork, true), (std::vector<QString>{"GifG"}));
    EXPECT_EQ(TFormCount::LampName(ServiceLamp::RatedGame), "LampG24");
    testing::SaveScreenshot(window, "general_count");

    QTest::mouseClick(window.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace kesp
