// The account session against a real kesp-service and its FTP picture store.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "network/account_session.h"
#include "network/service_cipher.h"
#include "records/user_file.h"
#include "service_process.h"

namespace kesp {
namespace {

QGuiApplication& App() {
    static int argc = 1;
    static char name[] = "online_account_test";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static auto* app = new QGuiApplication(argc, argv);
    return *app;
}

// A session with its own queue and a program folder under a temporary root, so the user file lands
// in the root.
struct SessionFixture {
    explicit SessionFixture(const std::string& base, int ftpPort = 21) {
        App();
        addresses = AddressesUnderBase(base);
        addresses.pictureStore.port = ftpPort;
        QDir(root.path()).mkpath("Kesp");
        session = std::make_unique<AccountSession>(queue, addresses, root.path().toStdString() + "/Kesp/");
    }
    bool Settled(int ms = 20000) {
        return QTest::qWaitFor([&] { return session->Pending() == 0; }, ms);
    }
    void Fill(const std::string& nick, const std::string& password) {
        TZunUser& user = session->EditUser();
        user.Nick = nick;
        user.Pw = password;
        user.City = "Moscow";
        user.EMail = nick + "@example.org";
        user.Sex = 'W';
    }
    QTemporaryDir root;
    ServiceAddresses addresses;
    ServiceQueue queue;
    std::unique_ptr<AccountSession> session;
};

QByteArray Jpeg(QColor colour) {
    QImage image(200, 250, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

TEST(OnlineAccount, CreateNewThenExistingNickThenWithoutService) {
    test::ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    SessionFixture a(service.base());
    QSignalSpy states(a.session.get(), &AccountSession::StateChanged);
    QSignalSpy created(a.session.get(), &AccountSession::Created);
    a.Fill("Anna", "secret1");
    a.session->Create("10.12.2026");
    ASSERT_TRUE(created.wait(20000));
    EXPECT_EQ(created.at(0).at(0).value<CreateResult>(), CreateResult::Created);
    EXPECT_EQ(a.session->State(), LoginState::LoggedIn);
    EXPECT_EQ(states.count(), 1);
    ASSERT_TRUE(a.Settled());
    // The reads after creation: the account back from the service, the count and the record.
    EXPECT_EQ(a.session->User().DateR, "10.12.2026");
    EXPECT_EQ(a.session->User().City, "Moscow");
    EXPECT_EQ(a.session->MemberCount(), 1);
    EXPECT_TRUE(a.session->GameAnswered());
    EXPECT_FALSE(a.session->User().PwC.empty());

    SessionFixture b(service.base());
    QSignalSpy again(b.session.get(), &AccountSession::Created);
    b.Fill("Anna", "other12");
    b.session->Create("11.12.2026");
    ASSERT_TRUE(again.wait(20000));
    EXPECT_EQ(again.at(0).at(0).value<CreateResult>(), CreateResult::NickExists);
    EXPECT_EQ(b.session->State(), LoginState::LoggedOut);
    EXPECT_EQ(b.session->User().DateR, "00.00.0000");

    service.Kill();
    QSignalSpy down(b.session.get(), &AccountSession::Created);
    b.Fill("Boris", "secret1");
    b.session->Create("11.12.2026");
    ASSERT_TRUE(down.wait(30000));
    EXPECT_EQ(down.at(0).at(0).value<CreateResult>(), CreateResult::NoAnswer);
    EXPECT_EQ(b.session->State(), LoginState::LoggedOut);
}

TEST(OnlineAccount, LogInRefusalSavedLoginAndStartUp) {
    test::ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    SessionFixture a(service.base());
    a.Fill("Boris", "ab-cd");
    a.session->Create("10.12.2026");
    ASSERT_TRUE(a.Settled());
    a.session->LogOut();
    EXPECT_EQ(a.session->State(), LoginState::LoggedOut);

    QSignalSpy finished(a.session.get(), &AccountSession::LoginFinished);
    a.session->LogIn("Boris", "wrong1");
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    EXPECT_EQ(a.session->State(), LoginState::LoggedOut);
    EXPECT_FALSE(a.session->MemberCount());

    a.session->LogIn("Boris", "ab-cd");
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(finished.at(1).at(0).toBool());
    ASSERT_TRUE(a.Settled());
    EXPECT_EQ(a.session->State(), LoginState::LoggedIn);
    EXPECT_TRUE(a.session->GameAnswered());
    EXPECT_TRUE(a.session->MemberCount());
    a.session->SetRatedGame(true);
    EXPECT_EQ(a.session->State(), LoginState::RatedGame);
    a.session->SetRatedGame(false);

    // The saved login logs in at the next start; a blank in the stored password goes out as '-'.
    ASSERT_FALSE(a.session->LoginSaved());
    ASSERT_TRUE(a.session->SaveLogin());
    EXPECT_EQ(Decipher(ReadUserFile(a.session->UserFilePath())->PwC, CipherKey::UserPassword), "ab-cd");
    ASSERT_TRUE(
        WriteUserFile(a.session->UserFilePath(), {"Boris", Encipher("ab cd", CipherKey::UserPassword)}));
    AccountSession next(a.queue, a.addresses, a.root.path().toStdString() + "/Kesp/");
    QSignalSpy started(&next, &AccountSession::LoginFinished);
    ASSERT_TRUE(next.StartUpLogin());
    ASSERT_TRUE(started.wait(20000));
    EXPECT_TRUE(started.at(0).at(0).toBool());
    EXPECT_EQ(next.State(), LoginState::LoggedIn);
    EXPECT_EQ(next.User().City, "Moscow");

    // Another first line, or no file: no start-up login.
    QFile file(QString::fromStdString(a.session->UserFilePath()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Zun Other File\r\nBoris\r\nxx\r\n");
    file.close();
    EXPECT_FALSE(next.StartUpLogin());
    ASSERT_TRUE(a.session->DeleteLogin());
    EXPECT_FALSE(next.StartUpLogin());
}

TEST(OnlineAccount, ProfileAndPictureThroughThePictureStore) {
    test::ServiceProcess service(/*withPictureStore=*/true);
    ASSERT_FALSE(service.base().empty());
    ASSERT_TRUE(service.pictureStoreRunning());
    SessionFixture a(service.base(), service.ftpPort());
    a.Fill("Vera", "secret1");
    a.session->Create("10.12.2026");
    ASSERT_TRUE(a.Settled());
    ASSERT_TRUE(a.session->LoggedIn());

    TInfo14 info;
    info.Name1 = "Vera";
    info.About = "cards $ and ~ tricks";
    QSignalSpy saved(a.session.get(), &AccountSession::ProfileSaved);
    a.session->SaveProfile(info);
    ASSERT_TRUE(saved.wait(20000));
    EXPECT_TRUE(saved.at(0).at(0).toBool());
    ASSERT_TRUE(a.Settled());
    EXPECT_TRUE(a.session->OwnProfileRead());
    EXPECT_EQ(a.session->User().Info.Name1, "Vera");
    EXPECT_EQ(a.session->User().Info.About.find_first_of("$~"), std::string::npos);

    QSignalSpy uploaded(a.session.get(), &AccountSession::PictureUploaded);
    a.session->UploadPicture("GIF89a not a photo");
    ASSERT_EQ(uploaded.count(), 1);
    EXPECT_FALSE(uploaded.at(0).at(0).toBool());
    a.session->UploadPicture(Jpeg(QColor(200, 30, 30)));
    ASSERT_TRUE(uploaded.wait(20000));
    EXPECT_TRUE(uploaded.at(1).at(0).toBool());
    // The service publishes the picture after its check; then it downloads.
    const QString published = service.dataFolder() + "/avatars/Vera.jpg";
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(published); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            if (a.session->OwnPicture().isNull() && a.session->Pending() == 0) a.session->RefreshOwnPicture();
            return !a.session->OwnPicture().isNull();
        },
        20000));
    const QImage picture = a.session->OwnPicture();
    EXPECT_EQ(picture.size(), QSize(200, 250));
    EXPECT_GT(qRed(picture.pixel(100, 125)), 150);
}

}  // namespace
}  // namespace kesp
