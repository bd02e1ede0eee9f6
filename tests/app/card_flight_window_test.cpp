// Card flights in the real main window: a deal played with flights on leaves the table exactly as
// drawing it from the game shows it.
#include <QPushButton>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "own_turn.h"
#include "records/club.h"
#include "records/settings.h"
#include "window_fixture.h"

namespace kesp {
using namespace test;

TEST(CardFlightWindow, ADealWithFlightsLeavesTheTableAsTheNormalDrawingDoes) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    Settings fast;
    fast.FlyCards = true;
    fast.Speed = 6;
    ASSERT_EQ(SaveSettings(fast, folder.toStdString(), false), SettingsSave::kWritten);
    ModalAnswerer answerer;

    TForm1 window(folder.toStdString());
    window.CurrentGame().SeedShuffle(TestSeed());
    window.SetPace(10);
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    window.StartGame(member::NewPlayer, ClubMember{"Tess", 0, 0, 0, EncodePassword("pw")});
    ASSERT_EQ(window.CurrentScreen(), TForm1::Screen::Table);

    QPushButton* action = Child(window, "Button7");
    const GameState& gs = window.CurrentGame().State();
    const int firstDeal = gs.DealNo;
    std::uint64_t framesOfDraws = 0, framesOfOwnPlays = 0, framesOfTricks = 0;
    for (int steps = 0; gs.DealNo == firstDeal && steps < 3000; ++steps) {
        const std::uint64_t before = window.Flights().Frames();
        const std::uint8_t phaseBefore = gs.Phase;
        const bool ownTurn = TakeOwnTurn(window, action);
        if (!ownTurn && action->isVisible() && action->isEnabled())
            QTest::mouseClick(action, Qt::LeftButton);
        else if (!ownTurn)
            QTest::qWait(5);
        // A step that flies ends at once; the game goes on when the card has landed.
        ASSERT_TRUE(WaitFor([&] { return !window.CurrentGame().Waiting(); }));
        const std::uint64_t flown = window.Flights().Frames() - before;
        if (ownTurn && phaseBefore == phase::Play(4)) framesOfOwnPlays += flown;
        if (phaseBefore == phase::DiscardsDone) framesOfDraws += flown;
        if (phaseBefore == phase::TrickComplete) framesOfTricks += flown;

        ASSERT_FALSE(window.Flights().Running());
        // The canvas is what drawing the whole table from the game gives.
        const QImage canvas = window.Painter().Canvas().copy();
        window.Painter().DrawAll(window.CurrentGame());
        ASSERT_EQ(canvas, window.Painter().Canvas())
            << "phase " << int(gs.Phase) << " after " << int(phaseBefore);
    }
    EXPECT_GT(gs.DealNo, firstDeal) << "the deal was played to its end";
    EXPECT_GT(framesOfDraws, 0u) << "the draws flew";
    EXPECT_GT(framesOfOwnPlays, 0u) << "the own cards flew";
    EXPECT_GT(framesOfTricks, 0u) << "the tricks flew";
    window.close();
}

}  // namespace kesp
