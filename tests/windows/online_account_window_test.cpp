// The account window offscreen against a real kesp-service, a silent one and one that answers
// nonsense.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include "../network/service_process.h"
#include "network/account_session.h"
#include "records/user_file.h"
#include "window_test_support.h"
#include "windows/account_window.h"
#include "windows/profile_editor.h"

namespace kesp {
namespace {

// A fake service on loopback: `reply` empty never answers; otherwise every request gets it.
class FakeService : public QTcpServer {
  public:
    explicit FakeService(QByteArray reply) : reply_(std::move(reply)) {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                socket->setParent(this);
                if (reply_.isEmpty()) continue;  // holds the connection and stays silent
                connect(socket, &QTcpSocket::readyRead, socket, [socket, this] {
                    socket->readAll();
                    socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(reply_.size()) +
                                  "\r\nConnection: close\r\n\r\n" + reply_);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(serverPort()) + "/"; }

  private:
    QByteArray reply_;
};

// Types any text, Cyrillic too, as key presses.
void TypeText(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}

struct WindowFixture {
    explicit WindowFixture(const std::string& base, int language = kEnglish) {
        testing::App();
        settings.CurrentLanguage = language;
        addresses = AddressesUnderBase(base);
        std::filesystem::create_directories(folder.Dir() + "Kesp");
        session = std::make_unique<AccountSession>(queue, addresses, folder.Dir() + "Kesp/");
        // The tests do not wait the game's 20 seconds for a silent service.
        queue.Run<int>(
            session.get(),
            [](ServiceClient& client) {
                client.SetReadTimeout(1500);
                return 0;
            },
            [](int) {});
    }
    void Type(const std::string& nick, const std::string& password) {
        QTest::keyClicks(window->NickEdit(), QString::fromStdString(nick));
        QTest::keyClicks(window->PasswordEdit(), QString::fromStdString(password));
    }
    bool Settled() {
        return QTest::qWaitFor([&] { return session->Pending() == 0; }, 20000);
    }
    testing::ClubFolder folder;
    Settings settings;
    ServiceAddresses addresses;
    ServiceQueue queue;
    std::unique_ptr<AccountSession> session;
    std::unique_ptr<TFormAccount> window;
};

TEST(AccountWindow, CreatesAnAccountLogsOutAndInAndKeepsTheLogin) {
    test::ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    WindowFixture f(service.base());
    f.window = std::make_unique<TFormAccount>(f.settings, *f.session, false);
    f.window->show();
    ASSERT_TRUE(f.Settled());
    EXPECT_TRUE(f.window->HidePasswordBox()->isChecked());
    EXPECT_EQ(f.window->PasswordEdit()->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(f.window->RatedGameBox()->isEnabled()) << "only at the start of a game";

    f.Type("Greta", "pw1");
    EXPECT_EQ(f.session->User().Nick, "Greta") << "the nick is taken as it is typed";
    EXPECT_FALSE(f.window->CreateButton()->isEnabled()) << "a 3-character password";
    QTest::keyClicks(f.window->PasswordEdit(), "23");
    TypeText(f.window->CityEdit(), QString::fromUtf8("Москва"));
    EXPECT_EQ(f.window->Lamp(FieldKind::City), FieldLamp::Yellow);
    EXPECT_FALSE(f.window->CreateButton()->isEnabled()) << "no e-mail yet";
    QTest::keyClicks(f.window->EMailEdit(), "greta@example.org");
    f.window->ContinentBox()->setCurrentIndex(5);
    f.window->CountryBox()->setCurrentIndex(12);
    EXPECT_EQ(f.session->User().Country2, "6-012");
    EXPECT_EQ(f.session->User().Country1, "Congo_Republic");
    ASSERT_TRUE(f.window->CreateButton()->isEnabled());
    testing::SaveScreenshot(*f.window, "account_filled_en");

    f.window->CreateButton()->click();
    EXPECT_FALSE(f.window->CreateButton()->isEnabled()) << "no second request while one runs";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->LastMessage().isEmpty(); }, 20000));
    EXPECT_EQ(f.window->LastMessage(), "Your account has been successfully created!");
    ASSERT_TRUE(f.Settled());
    EXPECT_EQ(f.window->LoginButton()->text(), "Sign out");
    EXPECT_EQ(f.window->MembersLabel()->text(), "Club members: 1");
    EXPECT_TRUE(f.window->NickEdit()->isReadOnly());

    // Save and delete the login.
    ASSERT_TRUE(f.window->SaveButton()->isEnabled());
    EXPECT_FALSE(f.window->DeleteButton()->isEnabled());
    f.window->SaveButton()->click();
    EXPECT_TRUE(UserFileExists(f.session->UserFilePath()));
    EXPECT_FALSE(f.window->SaveButton()->isEnabled());
    ASSERT_TRUE(f.window->DeleteButton()->isEnabled());
    f.window->DeleteButton()->click();
    EXPECT_FALSE(UserFileExists(f.session->UserFilePath()));

    // Sign out, then a wrong password, then the right one.
    f.window->LoginButton()->click();
    EXPECT_EQ(f.session->State(), LoginState::LoggedOut);
    EXPECT_EQ(f.window->LoginButton()->text(), "Login to account");
    f.window->PasswordEdit()->clear();
    QTest::keyClicks(f.window->PasswordEdit(), "wrong1");
    f.window->LoginButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.window->LastMessage() == "Login failed!"; }, 20000));
    f.window->PasswordEdit()->clear();
    QTest::keyClicks(f.window->PasswordEdit(), "pw123");
    f.window->LoginButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.session->LoggedIn(); }, 20000));
    ASSERT_TRUE(f.Settled());
    EXPECT_EQ(f.window->CityEdit()->text(), QString::fromUtf8("Москва"));
    f.window->Pages()->setCurrentIndex(1);
    EXPECT_TRUE(f.window->ResultsList()->item(1)->text().contains("Greta"));
    testing::SaveScreenshot(*f.window, "account_results_en");

    // The same window in Russian and Chinese, and at the start of a game with the rated box.
    for (int language : {int(kRussian), 5}) {
        f.settings.CurrentLanguage = language;
        TFormAccount other(f.settings, *f.session, true);
        other.show();
        ASSERT_TRUE(f.Settled());
        EXPECT_TRUE(other.RatedGameBox()->isEnabled());
        testing::SaveScreenshot(other, QString("account_logged_in_%1").arg(language));
        other.Pages()->setCurrentIndex(2);
        testing::SaveScreenshot(other, QString("account_top_ten_%1").arg(language));
        other.RatedGameBox()->click();
        EXPECT_EQ(f.session->State(), LoginState::RatedGame);
        other.RatedGameBox()->click();
        EXPECT_EQ(f.session->State(), LoginState::LoggedIn);
    }
}

// A service that never answers or answers nonsense: the window keeps taking events, says "Login
// failed!" and leaves the saved login alone.
TEST(AccountWindow, StaysResponsiveAndKeepsTheUserFileWhenTheServiceFails) {
    const QByteArray garbage("<html>\x01\x02 nonsense \xff\xfe</html>");
    for (const QByteArray& reply : {QByteArray(), garbage}) {
        FakeService fake(reply);
        WindowFixture f(fake.Base());
        ASSERT_TRUE(WriteUserFile(f.session->UserFilePath(), {"Hans", "AbCdEf"}));
        const auto before = ReadWholeFile(f.session->UserFilePath());
        f.window = std::make_unique<TFormAccount>(f.settings, *f.session, false);
        f.window->show();
        f.Type("Hans", "secret1");
        f.window->LoginButton()->click();
        ASSERT_GT(f.session->Pending(), 0);
        // The window's thread runs on while the request waits.
        bool ticked = false;
        QTimer::singleShot(50, f.window.get(), [&] { ticked = true; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return ticked; }, 1000));
        if (reply.isEmpty()) EXPECT_GT(f.session->Pending(), 0) << "still waiting for the silent service";
        QTest::keyClicks(f.window->CityEdit(), "Bonn");
        EXPECT_EQ(f.window->CityEdit()->text(), "Bonn");
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.window->LastMessage() == "Login failed!"; }, 15000));
        EXPECT_EQ(f.session->State(), LoginState::LoggedOut);
        EXPECT_TRUE(f.window->LoginButton()->isEnabled());
        ASSERT_TRUE(f.Settled());
        EXPECT_EQ(f.window->MembersLabel()->text(), "");
        if (reply.isEmpty()) {
            ASSERT_EQ(f.window->TopTenList()->count(), 1);
            EXPECT_EQ(f.window->TopTenList()->item(0)->text(), "No Connect");
        }
        EXPECT_EQ(ReadWholeFile(f.session->UserFilePath()), before);
    }
}

TEST(ProfileEditor, SavesTheProfileAndUploadsOnlyAJpegPhoto) {
    test::ServiceProcess service(/*withPictureStore=*/true);
    ASSERT_FALSE(service.base().empty());
    WindowFixture f(service.base());
    f.addresses.pictureStore.port = service.ftpPort();
    TZunUser& user = f.session->EditUser();
    user.Nick = "Petra";
    user.Pw = "secret1";
    user.City = "Praha";
    user.EMail = "petra@example.org";
    f.session->Create("10.12.2026");
    ASSERT_TRUE(f.Settled());
    ASSERT_TRUE(f.session->LoggedIn());

    TFormProfile editor(f.settings, *f.session);
    editor.show();
    EXPECT_FALSE(editor.UpdateInfoButton()->isEnabled());
    EXPECT_FALSE(editor.RefreshPhotoButton()->isEnabled());
    QTest::keyClicks(editor.Field(0), "Petra");
    QTest::keyClicks(editor.Field(2), "likes $ trumps ~");
    ASSERT_TRUE(editor.UpdateInfoButton()->isEnabled());
    editor.UpdateInfoButton()->click();
    EXPECT_FALSE(editor.UpdateInfoButton()->isEnabled());
    ASSERT_TRUE(f.Settled());
    EXPECT_EQ(f.session->User().Info.Name1, "Petra");
    EXPECT_EQ(editor.Field(2)->text(), "likes   trumps  ") << "'$' and '~' go out as blanks";

    QTemporaryFile notJpeg;
    ASSERT_TRUE(notJpeg.open());
    notJpeg.write("GIF89a");
    notJpeg.close();
    editor.ChoosePicture(notJpeg.fileName());
    EXPECT_EQ(editor.LastMessage(), "Failed to upload photo to server!");
    EXPECT_FALSE(editor.RefreshPhotoButton()->isEnabled());

    QTemporaryFile jpeg(QDir::tempPath() + "/photoXXXXXX.jpg");
    ASSERT_TRUE(jpeg.open());
    QImage photo(200, 250, QImage::Format_RGB32);
    photo.fill(QColor(30, 90, 200));
    ASSERT_TRUE(photo.save(&jpeg, "JPG"));
    jpeg.close();
    editor.ChoosePicture(jpeg.fileName());
    ASSERT_TRUE(editor.RefreshPhotoButton()->isEnabled());
    testing::SaveScreenshot(editor, "profile_editor_en");
    editor.RefreshPhotoButton()->click();
    EXPECT_FALSE(editor.RefreshPhotoButton()->isEnabled());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return QFile::exists(service.dataFolder() + "/avatars/Petra.jpg"); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            if (f.session->OwnPicture().isNull() && f.session->Pending() == 0) f.session->RefreshOwnPicture();
            return !f.session->OwnPicture().isNull();
        },
        20000));
    for (int language : {int(kRussian), 5}) {
        f.settings.CurrentLanguage = language;
        TFormProfile other(f.settings, *f.session);
        other.show();
        testing::SaveScreenshot(other, QString("profile_editor_%1").arg(language));
    }
}

}  // namespace
}  // namespace kesp
