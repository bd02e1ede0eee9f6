// A whole game through the real main window, played with mouse clicks only.
#include <QPushButton>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "own_turn.h"
#include "presentation/cards_button.h"
#include "records/club.h"
#include "records/history.h"
#include "records/history_list.h"
#include "records/settings.h"
#include "window_fixture.h"
#include "windows/history_window.h"

namespace kesp {
using namespace test;

TEST(WholeGame, PlayedWithTheMouseFromTheTitleToTheClub) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    Settings settings;  // cards fly, at the fastest speed
    settings.Speed = 6;
    ASSERT_EQ(SaveSettings(settings, folder.toStdString(), false), SettingsSave::kWritten);
    ModalAnswerer answerer;  // the new player's login; any message box: Yes or OK

    TForm1 window(folder.toStdString());
    window.CurrentGame().SeedShuffle(TestSeed());
    window.SetPace(20);
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(380, 250));
    ASSERT_EQ(window.CurrentScreen(), TForm1::Screen::Menu);
    QTest::mouseClick(Child(window, "Button6"), Qt::LeftButton);  // "New Player"
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Table; }));
    window.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-table.png"));

    QPushButton* action = Child(window, "Button7");
    QPushButton* second = Child(window, "Button8");
    const GameState& gs = window.CurrentGame().State();
    int steps = 0;
    bool passedOnce = false;
    while (window.CurrentScreen() == TForm1::Screen::Table && steps++ < 50000) {
        if (TakeOwnTurn(window, action)) {
            ASSERT_FALSE(::testing::Test::HasFailure());
        } else if (gs.Phase == phase::Decision(4) && second->isVisible() && second->isEnabled() &&
                   !passedOnce) {
            passedOnce = true;
            QTest::mouseClick(second, Qt::LeftButton);  // "Pass" once
        } else if (action->isVisible() && action->isEnabled()) {
            QTest::mouseClick(action, Qt::LeftButton);
        } else if (second->isVisible() && second->isEnabled() && gs.GameOver) {
            window.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-settled.png"));
            QTest::mouseClick(second, Qt::LeftButton);  // "Exit to menu"
        } else {
            QTest::qWait(5);  // the computer seats move on the game timer
        }
    }
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Menu; }));
    EXPECT_TRUE(answerer.texts.empty()) << answerer.texts.front().toStdString();

    // The club and the history hold the game.
    const auto record = ReadMember((folder + "Kesp.clb").toStdString(), 1);
    ASSERT_TRUE(record.has_value());
    EXPECT_TRUE(record->Name.starts_with("Tess"));
    EXPECT_EQ(record->Games, 1);
    const HistoryFileCheck history = CheckHistoryFile(folder.toStdString(), 1);
    EXPECT_TRUE(history.Valid);
    EXPECT_EQ(history.Records, 1);
    const std::vector<HistoryRow> rows = ReadHistoryRows(folder.toStdString(), 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(QString::fromStdString(rows[0].Cells[1]),
              HistoryShortDate(QDate::currentDate(), QLocale::system()))
        << "the whole date, its year included";
    window.close();
}

}  // namespace kesp
