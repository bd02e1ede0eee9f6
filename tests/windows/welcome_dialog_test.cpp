#include "windows/welcome_dialog.h"

#include <QStyle>
#include <QTest>
#include <QTimer>

#include "tests/windows/window_test_support.h"

namespace kesp {
namespace {

using testing::App;

ClubMember Carol() {
    return {"Carol", 2 * RatingUnit, 21, 30, EncodePassword("pw")};
}

// Types into the fields that are enabled, as a person would.
void Type(WelcomeDialog& dialog, const QString& name, const QString& password, const QString& repeat) {
    if (dialog.NameEdit()->isEnabled()) {
        dialog.NameEdit()->selectAll();
        QTest::keyClick(dialog.NameEdit(), Qt::Key_Delete);
        QTest::keyClicks(dialog.NameEdit(), name);
    }
    QTest::keyClicks(dialog.PasswordEdit(), password);
    if (dialog.RepeatEdit()->isEnabled()) QTest::keyClicks(dialog.RepeatEdit(), repeat);
}

TEST(WelcomeDialog, NewPlayerNameStartsFromTheNameTypedLast) {
    App();
    const struct {
        std::string last;
        QString shown;
    } cases[] = {
        {"  Anna  ", "Anna"},
        {"12345678901234567890", "12345678901234567890"},  // exactly 20 fits
        {"123456789012345678901", "Mr.X"},                 // longer than the field
        {"", ""},
    };
    for (const auto& c : cases) {
        Settings settings;
        settings.LastPlayerName = c.last;
        WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt);
        dialog.show();
        EXPECT_EQ(dialog.NameEdit()->text(), c.shown) << c.last;
        EXPECT_TRUE(dialog.NameEdit()->isEnabled());
        EXPECT_TRUE(dialog.PasswordEdit()->text().isEmpty());
        EXPECT_TRUE(dialog.RepeatEdit()->isEnabled());
        EXPECT_EQ(dialog.focusWidget(), dialog.NameEdit());
        EXPECT_TRUE(dialog.Message().isEmpty());
    }
}

TEST(WelcomeDialog, FieldsHoldTwentyAndFiveCharactersAndHidePasswordsAsHashes) {
    App();
    Settings settings;
    WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt);
    dialog.show();
    Type(dialog, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "1234567", "1234567");
    EXPECT_EQ(dialog.NameEdit()->text(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(dialog.PasswordEdit()->text(), "12345");
    EXPECT_EQ(dialog.RepeatEdit()->text(), "12345");
    EXPECT_EQ(dialog.PasswordEdit()->displayText(), "#####");
    EXPECT_EQ(dialog.RepeatEdit()->displayText(), "#####");
    testing::SaveScreenshot(dialog, "welcome_new_player");
}

TEST(WelcomeDialog, NewPlayerRefusalsSayWhyAndFocusTheField) {
    App();
    const struct {
        QString name, password, repeat, message;
        bool focusName;
        std::string lastName;  // LastPlayerName afterwards
    } cases[] = {
        {"", "ab", "ab", "Incorrect name!", true, "Mr.X"},
        {"   ", "ab", "ab", "Incorrect name!", true, "Mr.X"},
        {"Bob", "abc", "abd", "The passwords do not coincide!", false, "Bob"},
        {"Bob", "abc", "", "The passwords do not coincide!", false, "Bob"},
    };
    for (const auto& c : cases) {
        Settings settings;
        WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt);
        dialog.show();
        Type(dialog, c.name, c.password, c.repeat);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.Message(), c.message) << c.name.toStdString();
        EXPECT_EQ(dialog.focusWidget(), c.focusName ? dialog.NameEdit() : dialog.PasswordEdit());
        EXPECT_FALSE(dialog.Login().has_value());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(settings.LastPlayerName, c.lastName);
        if (c.focusName) testing::SaveScreenshot(dialog, "welcome_incorrect_name");
    }
}

TEST(WelcomeDialog, NewPlayerConfirmedByEnterGetsAFreshRecord) {
    App();
    Settings settings;
    WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt);
    dialog.show();
    Type(dialog, "Bob", "ab", "ab");
    QTest::keyClick(dialog.RepeatEdit(), Qt::Key_Return);
    ASSERT_TRUE(dialog.Login().has_value());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    const ClubLogin& login = *dialog.Login();
    EXPECT_EQ(login.CurrentMember, member::NewPlayer);
    EXPECT_EQ(login.Record, (ClubMember{"Bob" + std::string(17, ' '), 0, 0, 0, EncodePassword("ab")}));
    EXPECT_EQ(settings.LastPlayerName, "Bob");
    // The record makes a sound member line.
    EXPECT_EQ(FormatMemberLine(login.Record).size(), MemberLineLength);
}

TEST(WelcomeDialog, MemberFormShowsTheNameDisabledAndAsksOnlyThePassword) {
    App();
    Settings settings;
    WelcomeDialog dialog(settings, 3, Carol());
    dialog.show();
    EXPECT_TRUE(dialog.IsMemberForm());
    EXPECT_EQ(dialog.NameEdit()->text(), "Carol" + QString(15, ' '));
    EXPECT_FALSE(dialog.NameEdit()->isEnabled());
    EXPECT_FALSE(dialog.RepeatEdit()->isEnabled());
    EXPECT_TRUE(dialog.PasswordEdit()->isEnabled());
    EXPECT_TRUE(dialog.PasswordEdit()->text().isEmpty());
    EXPECT_EQ(dialog.focusWidget(), dialog.PasswordEdit());
    testing::SaveScreenshot(dialog, "welcome_member");
}

TEST(WelcomeDialog, MemberPasswordIsCheckedPaddedToFive) {
    App();
    const struct {
        QString typed;
        bool accepted;
    } cases[] = {{"pw", true}, {"pw ", true}, {"PW", false}, {"", false}, {"pwx", false}};
    for (const auto& c : cases) {
        Settings settings;
        settings.LastPlayerName = "Someone";
        WelcomeDialog dialog(settings, 3, Carol());
        dialog.show();
        Type(dialog, {}, c.typed, {});
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.Login().has_value(), c.accepted) << c.typed.toStdString();
        // The member's name counts as the name typed.
        EXPECT_EQ(settings.LastPlayerName, "Carol" + std::string(15, ' '));
        if (c.accepted) {
            EXPECT_EQ(dialog.Login()->CurrentMember, 3);
            EXPECT_EQ(dialog.Login()->Record, Carol());
            EXPECT_TRUE(dialog.Message().isEmpty());
        } else {
            EXPECT_EQ(dialog.Message(), "The incorrect password!");
            EXPECT_EQ(dialog.focusWidget(), dialog.PasswordEdit());
            EXPECT_TRUE(dialog.isVisible());
        }
    }
}

TEST(WelcomeDialog, CancelAndEscapeGiveNoLogin) {
    App();
    Settings settings;
    WelcomeDialog cancelled(settings, member::NewPlayer, std::nullopt);
    cancelled.show();
    QTest::mouseClick(cancelled.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_FALSE(cancelled.Login().has_value());

    WelcomeDialog escaped(settings, 3, Carol());
    escaped.show();
    QTest::keyClicks(escaped.PasswordEdit(), "pw");
    QTest::keyClick(escaped.PasswordEdit(), Qt::Key_Escape);
    EXPECT_FALSE(escaped.isVisible());
    EXPECT_FALSE(escaped.Login().has_value());
    EXPECT_EQ(settings.LastPlayerName, "Mr.X");  // nothing was confirmed
}

TEST(WelcomeDialog, RunReadsTheMemberFromTheClubOfTheModeAndSkipsEmptySlots) {
    App();
    testing::ClubFolder folder;
    ClubFile network = testing::SampleClub();
    network.Line[2] = FormatMemberLine({"NetBob", RatingUnit, 1, 1, EncodePassword("net")});
    folder.Write(LocalClubFileName, testing::SampleClub());
    folder.Write(NetworkClubFileName, network);

    // Types the password into whichever login opens, then confirms it.
    auto answer = [](const QString& password) {
        QTimer::singleShot(0, [password] {
            auto* dialog = qobject_cast<WelcomeDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTest::keyClicks(dialog->PasswordEdit(), password);
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        });
    };
    Settings settings;
    answer("pw");
    auto login = WelcomeDialog::Run(nullptr, settings, folder.Dir(), 2);
    ASSERT_TRUE(login.has_value());
    EXPECT_EQ(login->Record.Name, "Bob" + std::string(17, ' '));

    settings.NetworkMode = true;
    answer("net");
    login = WelcomeDialog::Run(nullptr, settings, folder.Dir(), 2);
    ASSERT_TRUE(login.has_value());
    EXPECT_EQ(login->Record.Name, "NetBob" + std::string(14, ' '));

    // Nobody to log in: the empty fifth slot, a missing club, a member number out of range.
    EXPECT_FALSE(WelcomeDialog::Run(nullptr, settings, folder.Dir(), 5).has_value());
    EXPECT_FALSE(WelcomeDialog::Run(nullptr, settings, folder.Dir() + "missing/", 1).has_value());
    EXPECT_FALSE(WelcomeDialog::Run(nullptr, settings, folder.Dir(), 0).has_value());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace kesp
