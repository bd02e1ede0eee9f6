#include <QElapsedTimer>
#include <QtTest/QTest>

#include <QPushButton>

#include "app/main_window.h"
#include "presentation/message_window.h"
#include "records/club.h"
#include "window_fixture.h"
#include "windows/count_window.h"
#include "windows/end_game_window.h"
#include "windows/history_window.h"
#include "windows/top_ten_window.h"

namespace kesp {
using namespace test;

TEST(StartUp, MissingClubFileEndsTheProgramWithTheMessage) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir, false);
    ModalAnswerer answerer;
    TForm1 window(folder.toStdString());
    window.show();
    ASSERT_TRUE(
        WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Closing && !window.isVisible(); }));
    ASSERT_EQ(answerer.texts.size(), 1u);
    EXPECT_EQ(answerer.texts[0], "Can`t find the file \"" + folder + "Kesp.net\"!");
    EXPECT_FALSE(QFile::exists(folder + "Kesp.ini"));  // no settings written after a bad club file
}

// The message window the main window opens, once it is there; null when none comes.
TMessageWindow* AttentionWindow(TForm1& window) {
    TMessageWindow* found = nullptr;
    WaitFor([&] { return (found = window.findChild<TMessageWindow*>()) != nullptr && found->isVisible(); },
            3000);
    return found;
}

TEST(StartUp, MissingLibrariesAreNamedInTheAttentionWindowAndTheBuiltInDesignsStandIn) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    Settings chosen;
    chosen.CardFaceSet = 12;  // in ZunCards06A.dll
    chosen.TableDesign = 1;   // the purple table of ZunCGraph1.dll
    ASSERT_EQ(SaveSettings(chosen, folder.toStdString(), false), SettingsSave::kWritten);
    TForm1 window(folder.toStdString());
    window.show();
    TMessageWindow* attention = AttentionWindow(window);
    ASSERT_NE(attention, nullptr);
    EXPECT_EQ(attention->LineLabel(1)->text(), "Can`t find the file ZunCards06A.dll");
    EXPECT_EQ(window.CurrentSettings().CardFaceSet, 0);
    attention->close();
    QTest::qWait(50);

    window.StartGame(member::NewPlayer, ClubMember{"Tess", 0, 0, 0, EncodePassword("pw")});
    attention = AttentionWindow(window);
    ASSERT_NE(attention, nullptr);
    EXPECT_EQ(attention->LineLabel(1)->text(), "Can`t find the file ZunCGraph1.dll");
    EXPECT_EQ(window.CurrentSettings().TableDesign, 0);
    EXPECT_EQ(window.CurrentScreen(), TForm1::Screen::Table);
    attention->close();
    ModalAnswerer answerer;  // leaving the game asks first
    window.close();
}

TEST(StartUp, TitleScreenUntilAClickThenTheMenu) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    ModalAnswerer answerer;
    TForm1 window(folder.toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(window.CurrentScreen(), TForm1::Screen::Menu);
    EXPECT_TRUE(answerer.texts.empty());
    window.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-menu.png"));
    window.close();
    EXPECT_TRUE(QFile::exists(folder + "Kesp.ini"));  // the settings are saved at exit
}

TEST(StartUp, SwitchingTheLanguageChangesTheTextsAtOnce) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    ModalAnswerer answerer;
    TForm1 window(folder.toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    auto* newPlayer = window.findChild<QPushButton*>(QStringLiteral("Button6"));
    ASSERT_NE(newPlayer, nullptr);
    for (int language = 0; language < kLanguageCount; ++language) {
        window.SetLanguage(language);
        EXPECT_EQ(newPlayer->text(), WordText(WordKey::NewPlayer, language)) << language;
        EXPECT_EQ(window.windowTitle(), GameName(language));
    }
    window.SetLanguage(1);
    EXPECT_NE(newPlayer->text(), WordText(WordKey::NewPlayer, 0));  // a real translation
    window.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-menu-ru.png"));
    window.StartGame(member::NewPlayer, ClubMember{"Ivan", 0, 0, 0, EncodePassword("iv")});
    auto* action = window.findChild<QPushButton*>(QStringLiteral("Button7"));
    EXPECT_EQ(action->text(), WordText(WordFor(WordId::ToBegin), 1));
    QTest::mouseClick(action, Qt::LeftButton);  // "To Begin"
    QTest::qWait(800);
    window.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-table-ru.png"));
    window.SetLanguage(42);  // out of range: back to English
    EXPECT_EQ(window.CurrentSettings().CurrentLanguage, 0);
    window.close();
}

// The options dialog switches the language while it is itself open; every open window follows.
TEST(StartUp, OpenDialogsFollowTheLanguageSwitch) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    ModalAnswerer answerer;
    TForm1 window(folder.toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    const Settings& settings = window.CurrentSettings();
    TFormCount count(settings, TCount{}, &window);
    HistoryViewerState state;
    TFHistory history(settings, folder.toStdString(), state, &window);
    TFormEndGame endGame(settings, 3, 120, &window);
    TFormTopTen topTen(settings, (folder + "Kesp.clb").toStdString(), &window);
    for (QDialog* dialog : std::initializer_list<QDialog*>{&count, &history, &endGame, &topTen})
        dialog->show();

    for (int language : {1, 5, 9, 0}) {
        SCOPED_TRACE(language);
        window.SetLanguage(language);
        const QString ok = WordText(WordKey::OK, language);
        EXPECT_EQ(count.OkButton()->text(), ok);
        EXPECT_EQ(count.HeadingText(), WordText(WordKey::InformationAboutGame, language));
        EXPECT_EQ(count.LabelText(0), WordText(WordKey::GeneralNumberOfGame, language));
        EXPECT_EQ(history.windowTitle(), WordText(WordKey::HistoryOfGames, language));
        EXPECT_EQ(history.Grid()->horizontalHeaderItem(0)->text(), WordText(WordKey::Time, language));
        EXPECT_EQ(history.OkButton()->text(), ok);
        EXPECT_EQ(endGame.windowTitle(), WordText(WordKey::TheCompletionOfGame, language));
        EXPECT_EQ(endGame.LineText(0), WordText(WordKey::Congratulations, language));
        EXPECT_EQ(topTen.windowTitle(), WordText(WordKey::TopTen, language));
        EXPECT_EQ(topTen.OkButton()->text(), ok);
    }
    window.close();
}

}  // namespace kesp
