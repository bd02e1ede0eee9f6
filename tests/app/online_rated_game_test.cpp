// The rated account game against a real kesp-service: the booking of a game as a loss, the record
// update after it with the post of a finished cycle, a service that is down, and the main menu's
// row 5 with the start of an account game.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMessageBox>
#include <QtTest/QTest>
#include <chrono>

#include "../network/service_process.h"
#include "app/main_window.h"
#include "app/rated_game.h"
#include "network/account_session.h"
#include "network/online_requests.h"
#include "network/service_form.h"
#include "network/service_queue.h"
#include "own_turn.h"
#include "presentation/cards_button.h"
#include "records/history_list.h"
#include "window_fixture.h"
#include "windows/account_window.h"

namespace kesp {
namespace {

using namespace test;
using namespace std::chrono_literals;

TZunUser NewAccount(const std::string& base, const std::string& nick) {
    ServiceClient client;
    TZunUser user;
    user.Nick = nick;
    user.Pw = "pw-12";
    user.City = "Omsk";
    user.Country1 = "Russia";
    user.Country2 = "1-001";
    user.Sex = 'W';
    user.EMail = "rated@example.org";
    EXPECT_EQ(CreateAccount(client, AddressesUnderBase(base).account, user, "10.12.2026"),
              CreateResult::Created);
    return user;
}

TZunGame RecordOnService(const std::string& base, const TZunUser& user) {
    ServiceClient client;
    TZunGame game;
    EXPECT_TRUE(ReadGameRecord(client, AddressesUnderBase(base).account, user, game));
    return game;
}

void SaveOnService(const std::string& base, const TZunUser& user, const TZunGame& game) {
    ServiceClient client;
    ASSERT_TRUE(SaveGameRecord(client, AddressesUnderBase(base).account, user, game));
}

QMessageBox* OpenBox(QWidget& window) {
    for (QMessageBox* box : window.findChildren<QMessageBox*>())
        if (box->isVisible()) return box;
    return nullptr;
}

// The flow on its own: a logged-in session, its queue and a plain window for the boxes.
struct Flow {
    explicit Flow(const std::string& base)
        : addresses(AddressesUnderBase(base)),
          session(queue, addresses, folder.path().toStdString() + "/"),
          rated(session, words, window, [this](std::string_view name) { sounds.emplace_back(name); }) {
        rated.SetRetryDelays(20ms, 30ms);
        QObject::connect(&rated, &RatedGame::PreBookFinished, [this](bool saved) { booked = saved; });
        QObject::connect(&rated, &RatedGame::GameRecorded,
                         [this](double rating, std::optional<TopTenPlace> cycle) {
                             recordedRating = rating;
                             cyclePlace = cycle;
                         });
        window.show();
    }
    bool LogIn(const TZunUser& user) {
        std::optional<bool> ok;
        QObject::connect(&session, &AccountSession::LoginFinished, [&](bool r) { ok = r; });
        session.LogIn(user.Nick, user.Pw);
        return WaitFor([&] { return ok.has_value(); }, 20000) && *ok &&
               WaitFor([&] { return queue.Pending() == 0; });
    }
    bool Book() {
        session.SetRatedGame(true);
        rated.PreBook();
        return WaitFor([&] { return booked.has_value(); }, 20000) && *booked;
    }
    bool Record(std::int64_t result, std::int64_t total) {
        rated.FinishGame(result, total);
        return WaitFor([&] { return recordedRating.has_value(); }, 20000);
    }

    QTemporaryDir folder;
    ServiceAddresses addresses;
    ServiceQueue queue;
    AccountSession session;
    Localisation words;
    QWidget window;
    std::vector<std::string> sounds;
    std::optional<bool> booked;
    std::optional<double> recordedRating;
    std::optional<TopTenPlace> cyclePlace;
    RatedGame rated;
};

TEST(RatedGame, ANewAccountIsBookedAsALossAndTheGameReplacesIt) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const TZunUser user = NewAccount(service.base(), "Vera");
    Flow flow(service.base());
    ASSERT_TRUE(flow.LogIn(user));

    flow.session.SetRatedGame(true);
    flow.rated.PreBook();
    ASSERT_TRUE(QApplication::overrideCursor());  // the wait cursor while the service works
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_TRUE(flow.rated.Busy());
    ASSERT_TRUE(WaitFor([&] { return flow.booked.has_value(); }, 20000));
    ASSERT_TRUE(*flow.booked);
    EXPECT_FALSE(QApplication::overrideCursor());
    const TZunGame booked = RecordOnService(service.base(), user);
    EXPECT_EQ(booked.Kon, 1);
    EXPECT_NEAR(booked.Rating, -499.96, 1e-9);
    EXPECT_EQ(flow.session.Game().Kon, 0);  // the game plays with the record as read
    EXPECT_FALSE(flow.rated.Busy());

    ASSERT_TRUE(flow.Record(40, 40));
    EXPECT_NEAR(*flow.recordedRating, 40.04, 1e-9);
    EXPECT_FALSE(flow.cyclePlace.has_value());
    const TZunGame after = RecordOnService(service.base(), user);
    EXPECT_EQ(after.Kon, 1);
    EXPECT_NEAR(after.Rating, 40.04, 1e-9);
    EXPECT_EQ(after.KonL, 1);
    EXPECT_EQ(after.Score, 40);
    EXPECT_EQ(flow.session.State(), LoginState::LoggedIn);
    EXPECT_TRUE(flow.sounds.empty());
}

TEST(RatedGame, TheTwentyFifthGamePostsTheCycleToTheAccountList) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const TZunUser user = NewAccount(service.base(), "Zoya");
    TZunGame before;
    before.Kon = 30;
    before.KonL = 24;
    before.Score = 100;
    before.Sessions = 1;
    before.Best = 50;
    before.Rating = 10;
    SaveOnService(service.base(), user, before);
    Flow flow(service.base());
    ASSERT_TRUE(flow.LogIn(user));
    ASSERT_TRUE(flow.Book());
    ASSERT_TRUE(flow.Record(20, 120));

    const TZunGame after = RecordOnService(service.base(), user);
    EXPECT_EQ(after.Kon, 31);
    EXPECT_EQ(after.KonL, 0);
    EXPECT_EQ(after.Score, 0);
    EXPECT_EQ(after.Sessions, 2);
    EXPECT_EQ(after.Best, 120);
    ASSERT_TRUE(flow.cyclePlace.has_value());
    EXPECT_EQ(flow.cyclePlace->Place, 1);
    EXPECT_EQ(flow.cyclePlace->Score, 120);
    ServiceClient client;
    const auto records = ReadWorldRecords(client, flow.addresses.worldTopTen, kAccountList);
    ASSERT_TRUE(records && !records->empty());
    EXPECT_EQ(records->front().Nick, "Zoya");
    EXPECT_EQ(records->front().City, "Omsk");
    EXPECT_EQ(records->front().Country, "Russia");
    EXPECT_EQ(records->front().Score, 120);
}

TEST(RatedGame, ABookingTheServiceRefusesIsTriedThreeTimesAndLogsOut) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const TZunUser user = NewAccount(service.base(), "Nina");
    Flow flow(service.base());
    ASSERT_TRUE(flow.LogIn(user));
    service.Kill();

    EXPECT_FALSE(flow.Book());
    EXPECT_EQ(flow.sounds, std::vector<std::string>(3, "WWrongs"));
    EXPECT_EQ(flow.session.State(), LoginState::LoggedOut);
    EXPECT_FALSE(flow.rated.Busy());
    QMessageBox* box = OpenBox(flow.window);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), "Could not connect to server!");
    box->accept();
}

TEST(RatedGame, AFailedUpdateAsksToRepeatAndNoKeepsTheBookedLoss) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const TZunUser user = NewAccount(service.base(), "Lida");
    Flow flow(service.base());
    ASSERT_TRUE(flow.LogIn(user));
    ASSERT_TRUE(flow.Book());
    service.Kill();

    flow.rated.FinishGame(40, 40);
    QMessageBox* box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = OpenBox(flow.window)) != nullptr; }, 20000));
    EXPECT_EQ(box->text(), "Could not connect to server!\nRepeat?");
    EXPECT_TRUE(flow.rated.Busy());
    EXPECT_EQ(flow.session.Game().Kon, 0);   // the record in memory is the one from before
    box->button(QMessageBox::Yes)->click();  // the step again: it fails again and asks again
    ASSERT_TRUE(WaitFor([&] { return (box = OpenBox(flow.window)) != nullptr; }, 20000));
    box->button(QMessageBox::No)->click();
    ASSERT_TRUE(WaitFor([&] { return flow.recordedRating.has_value(); }));
    EXPECT_NEAR(*flow.recordedRating, -499.96, 1e-9);
    EXPECT_EQ(flow.session.State(), LoginState::LoggedIn);
    EXPECT_FALSE(flow.rated.Busy());
}

// The main window on the menu with its own program folder and the service.
struct Menu {
    explicit Menu(const std::string& base) : folder(ProgramFolder(dir)) {
        Settings settings;  // cards fly, at the fastest speed
        settings.Speed = 6;
        EXPECT_EQ(SaveSettings(settings, folder.toStdString(), false), SettingsSave::kWritten);
        qputenv("KESP_SERVICE", QByteArray::fromStdString(base));
        window = std::make_unique<TForm1>(folder.toStdString());
        qunsetenv("KESP_SERVICE");
        window->Rated().SetRetryDelays(20ms, 30ms);
        window->CurrentGame().SeedShuffle(TestSeed());
        window->SetPace(20);
        window->show();
        EXPECT_TRUE(WaitFor([&] { return window->CurrentScreen() == TForm1::Screen::Title; }));
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(300, 300));
    }
    bool LogIn(const TZunUser& user) {
        std::optional<bool> ok;
        QObject::connect(&window->Account(), &AccountSession::LoginFinished, [&](bool r) { ok = r; });
        window->Account().LogIn(user.Nick, user.Pw);
        return WaitFor([&] { return ok.has_value(); }, 20000) && *ok;
    }
    TZunCardsButton* Row5() const { return window->findChild<TZunCardsButton*>("Button5"); }
    bool Row5Shows(const QString& start) const {
        return WaitFor([&] { return Row5()->text().startsWith(start); }, 20000);
    }
    // Clicks row 5 and closes the account window with "Close", the rated box ticked or not.
    void StartFromRow5(bool rated) {
        QTest::mouseClick(Row5(), Qt::LeftButton);
        TFormAccount* account = window->findChild<TFormAccount*>();
        ASSERT_TRUE(account);
        ASSERT_TRUE(account->RatedGameBox()->isEnabled());
        account->RatedGameBox()->setChecked(rated);
        account->accept();
    }

    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<TForm1> window;
};

TEST(RatedGameMenu, Row5ShowsTheAccountInRedAndTheOwnEntryWhenTheServiceIsDown) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const TZunUser user = NewAccount(service.base(), "Raisa");
    TZunGame record;
    record.Kon = 12;
    record.KonL = 3;
    record.Score = 85;
    record.Rating = 7.5;
    SaveOnService(service.base(), user, record);
    Menu menu(service.base());
    const QString ownEntry = menu.Row5()->text();
    ASSERT_FALSE(ownEntry.startsWith("Raisa"));
    ASSERT_TRUE(menu.LogIn(user));

    ASSERT_TRUE(menu.Row5Shows("Raisa"));
    EXPECT_EQ(menu.Row5()->text(), QString("Raisa").leftJustified(20) + "      3" + "        85");
    EXPECT_EQ(menu.Row5()->ColorSB(), TColorSB::DRed);
    QTest::mouseClick(menu.window->findChild<QPushButton*>("BMode"), Qt::LeftButton);  // the rating view
    const QString ratingLine = QString("Raisa").leftJustified(20) + "       12" + "       8";  // 7.5 to 8
    ASSERT_TRUE(WaitFor([&] { return menu.Row5()->text() == ratingLine; }, 20000))
        << menu.Row5()->text().toStdString();

    service.Kill();
    QTest::mouseClick(menu.window->findChild<QPushButton*>("BMode"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return menu.window->Online().Queue().Pending() == 0; }, 20000));
    QApplication::processEvents();
    EXPECT_EQ(menu.Row5()->text().trimmed(), ownEntry.trimmed());
    EXPECT_EQ(menu.Row5()->ColorSB(), TColorSB::DNavy);
}

TEST(RatedGameMenu, Row5StartsARatedGameWithTheAccountsNumbers) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const TZunUser user = NewAccount(service.base(), "Alla");
    TZunGame record;
    record.Kon = 3;
    record.KonL = 3;
    record.Score = 70;
    record.Rating = 20;
    SaveOnService(service.base(), user, record);
    Menu menu(service.base());
    ASSERT_TRUE(menu.LogIn(user));
    ASSERT_TRUE(menu.Row5Shows("Alla"));

    menu.StartFromRow5(true);
    ASSERT_TRUE(WaitFor([&] { return menu.window->CurrentScreen() == TForm1::Screen::Table; }, 20000));
    EXPECT_EQ(menu.window->CurrentGame().State().GameNo, 4);
    EXPECT_EQ(menu.window->CurrentGame().State().RunningTotal, 70);
    EXPECT_EQ(menu.window->Account().State(), LoginState::RatedGame);
    EXPECT_EQ(RecordOnService(service.base(), user).Kon, 4);  // booked
    QAction* changeName = menu.window->findChild<QAction*>("ChangeName");
    ASSERT_TRUE(changeName);
    EXPECT_FALSE(changeName->isEnabled());

    // Leaving before the end keeps the booked loss and ends the rated state.
    QAction* quit = menu.window->findChild<QAction*>("Quit");
    ASSERT_TRUE(quit);
    ModalAnswerer answerer;  // yes to leaving the game
    quit->trigger();
    ASSERT_TRUE(WaitFor([&] { return menu.window->CurrentScreen() == TForm1::Screen::Menu; }));
    EXPECT_EQ(menu.window->Account().State(), LoginState::LoggedIn);
    const TZunGame kept = RecordOnService(service.base(), user);
    EXPECT_EQ(kept.Kon, 4);
    EXPECT_LT(kept.Rating, 0);
}

TEST(RatedGameMenu, AFinishedRatedGameThatEndsACycleIsRecordedAndPosted) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const TZunUser user = NewAccount(service.base(), "Tamara");
    TZunGame record;
    record.Kon = 24;
    record.KonL = 24;
    record.Score = 300;
    record.Rating = 5;
    SaveOnService(service.base(), user, record);
    Menu menu(service.base());
    ASSERT_TRUE(menu.LogIn(user));
    ASSERT_TRUE(menu.Row5Shows("Tamara"));
    menu.StartFromRow5(true);
    ASSERT_TRUE(WaitFor([&] { return menu.window->CurrentScreen() == TForm1::Screen::Table; }, 20000));
    ModalAnswerer answerer;  // the end-of-game window

    TForm1& window = *menu.window;
    QPushButton* action = Child(window, "Button7");
    QPushButton* second = Child(window, "Button8");
    const GameState& gs = window.CurrentGame().State();
    for (int steps = 0; window.CurrentScreen() == TForm1::Screen::Table && steps < 50000; ++steps) {
        if (TakeOwnTurn(window, action)) {
            ASSERT_FALSE(::testing::Test::HasFailure());
        } else if (action->isVisible() && action->isEnabled()) {
            QTest::mouseClick(action, Qt::LeftButton);
        } else if (second->isVisible() && second->isEnabled() && gs.GameOver) {
            QTest::mouseClick(second, Qt::LeftButton);  // "Exit to menu"
        } else {
            QTest::qWait(5);
        }
    }
    ASSERT_TRUE(WaitFor(
        [&] { return window.Account().State() == LoginState::LoggedIn && !window.Rated().Busy(); }, 20000));
    ASSERT_TRUE(WaitFor([&] { return answerer.windows.contains("kesp::TFormEndGame"); }))
        << answerer.windows.join(",").toStdString();
    EXPECT_EQ(gs.GameNo, 25);
    const TZunGame after = RecordOnService(service.base(), user);
    EXPECT_EQ(after.Kon, 25);
    EXPECT_EQ(after.KonL, 0);
    EXPECT_EQ(after.Sessions, 1);
    EXPECT_EQ(after.Best, std::max(0, gs.ProvisionalTotal));
    // The history line carries the account's rating after the game.
    const std::vector<HistoryRow> history = ReadHistoryRows(menu.folder.toStdString(), 1);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].Cells[2], "Tamara");
    EXPECT_EQ(history[0].Kind, HistoryKind::Account);
    EXPECT_EQ(history[0].Cells[5], QString::number(after.Rating, 'f', 2).replace('.', ',').toStdString());
    ServiceClient client;
    const auto posted =
        ReadWorldRecords(client, AddressesUnderBase(service.base()).worldTopTen, kAccountList);
    ASSERT_TRUE(posted && !posted->empty());
    EXPECT_EQ(posted->front().Nick, "Tamara");
    EXPECT_EQ(posted->front().Score, gs.ProvisionalTotal);
    EXPECT_TRUE(WaitFor(
        [&] {
            return window.CurrentScreen() == TForm1::Screen::Menu && menu.Row5()->text().startsWith("Tamara");
        },
        20000));
}

TEST(RatedGameMenu, ABookingWithTheServiceDownLogsOutAndShowsTheMenu) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const TZunUser user = NewAccount(service.base(), "Inna");
    Menu menu(service.base());
    ASSERT_TRUE(menu.LogIn(user));
    ASSERT_TRUE(menu.Row5Shows("Inna"));
    service.Kill();

    menu.StartFromRow5(true);
    QMessageBox* box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = OpenBox(*menu.window)) != nullptr; }, 20000));
    EXPECT_EQ(box->text(), "Could not connect to server!");
    EXPECT_EQ(menu.window->Account().State(), LoginState::LoggedOut);
    EXPECT_EQ(menu.window->CurrentScreen(), TForm1::Screen::Menu);
    EXPECT_FALSE(menu.window->Rated().Busy());
    EXPECT_FALSE(menu.Row5()->text().startsWith("Inna"));
    box->accept();
    // The window still answers: row 5 is a club row again and opens no account window.
    QTest::mouseClick(menu.window->findChild<QPushButton*>("BMode"), Qt::LeftButton);
    EXPECT_EQ(menu.window->CurrentScreen(), TForm1::Screen::Menu);
}

TEST(RatedGameMenu, AnUnratedAccountGamePlaysUnderTheNickFromAFreshStart) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const TZunUser user = NewAccount(service.base(), "Olesya");
    TZunGame record;
    record.Kon = 9;
    record.Score = 55;
    SaveOnService(service.base(), user, record);
    Menu menu(service.base());
    ASSERT_TRUE(menu.LogIn(user));
    ASSERT_TRUE(menu.Row5Shows("Olesya"));

    menu.StartFromRow5(false);
    ASSERT_TRUE(WaitFor([&] { return menu.window->CurrentScreen() == TForm1::Screen::Table; }));
    EXPECT_EQ(menu.window->CurrentGame().State().GameNo, 1);
    EXPECT_EQ(menu.window->CurrentGame().State().RunningTotal, 0);
    EXPECT_EQ(menu.window->Account().State(), LoginState::LoggedIn);
    EXPECT_EQ(RecordOnService(service.base(), user).Kon, 9);  // nothing booked
}

}  // namespace
}  // namespace kesp
