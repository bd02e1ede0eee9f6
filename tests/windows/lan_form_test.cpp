// The club login in its local-network form: role, address and port with their typing rules, the
// checks of OK, and this machine's addresses.
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "tests/windows/window_test_support.h"
#include "windows/welcome_dialog.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

using testing::App;

Settings NetworkSettings() {
    Settings settings;
    settings.NetworkMode = true;
    settings.LanAddress = "192.168.1.20";
    settings.LanPort = "25666";
    return settings;
}

TEST(LanAddress, OnlyFourGroupsOfOneToThreeDigitsPass) {
    const struct {
        const char* text;
        bool ok;
    } cases[] = {
        {"127.0.0.1", true},   {"192.168.100.200", true},
        {"1.2.3.4", true},     {"1.2.3.", false},  // ends in a dot
        {"1.2.3", false},                          // two dots
        {"1.2.3.4.5", false},                      // four dots
        {"1.2.3.1234", false},                     // a group of four digits
        {"1234.2.3.4", false}, {"1..3.4", false},  // an empty group
        {".1.2.3", false},     {"", false},
        {"1.2.3.a", false},    {"1.2.3.4 ", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsLanAddress(c.text), c.ok) << c.text;
}

TEST(LanAddress, PortsAreNumbersFromOneTo65535) {
    EXPECT_EQ(LanPortNumber("25666"), std::uint16_t{25666});
    EXPECT_EQ(LanPortNumber("1"), std::uint16_t{1});
    EXPECT_EQ(LanPortNumber("65535"), std::uint16_t{65535});
    for (const char* bad : {"", "0", "65536", "99999", "123456", "25a"})
        EXPECT_FALSE(LanPortNumber(bad)) << bad;
}

TEST(LanForm, OpensOnTheHostWithAnEmptyAddressAndTheLastPort) {
    App();
    Settings settings = NetworkSettings();
    WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt);
    dialog.show();
    LanForm* lan = dialog.Lan();
    ASSERT_NE(lan, nullptr);
    EXPECT_EQ(dialog.height(), 455);
    EXPECT_EQ(dialog.NameEdit()->maxLength(), 4);
    EXPECT_EQ(lan->LanRole(), 1);
    EXPECT_TRUE(lan->HostButton()->isChecked());
    EXPECT_FALSE(lan->AddressEdit()->isEnabled());
    EXPECT_TRUE(lan->AddressEdit()->text().isEmpty());
    EXPECT_EQ(lan->PortEdit()->text(), "25666");
    EXPECT_FALSE(lan->GamesSpin()->isEnabled());
    EXPECT_TRUE(lan->HelpButton()->isVisible());
    for (QLineEdit* box : lan->AddressBoxes()) EXPECT_FALSE(box->isVisible());
    testing::SaveScreenshot(dialog, "welcome_network");

    Settings local;
    WelcomeDialog plain(local, member::NewPlayer, std::nullopt);
    EXPECT_EQ(plain.Lan(), nullptr);
    EXPECT_EQ(plain.height(), 295);
    EXPECT_EQ(plain.NameEdit()->maxLength(), 20);
}

// Every caption of the network part fits its control in every language.
TEST(LanForm, CaptionsFitInEveryLanguage) {
    App();
    for (int language = 0; language < 10; ++language) {
        Settings settings = NetworkSettings();
        settings.CurrentLanguage = language;
        WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt);
        dialog.show();
        LanForm* lan = dialog.Lan();
        auto fits = [&](QWidget* w, const QString& text, int room) {
            EXPECT_LE(w->fontMetrics().horizontalAdvance(text), room)
                << "language " << language << " " << text.toStdString();
        };
        for (QLabel* label : lan->findChildren<QLabel*>()) fits(label, label->text(), label->width());
        for (QRadioButton* radio : {lan->HostButton(), lan->ClientButton()})
            fits(radio, radio->text(), radio->width() - 20);  // the round indicator and its gap
        fits(lan->ReceiveAddressesButton(), lan->ReceiveAddressesButton()->text(),
             lan->ReceiveAddressesButton()->width() - 8);
        for (QGroupBox* box : lan->findChildren<QGroupBox*>()) fits(box, box->title(), box->width());
        EXPECT_EQ(dialog.width(), 420) << language;
        // Six addresses still leave the boxes above the buttons, each box its full height.
        for (QLineEdit* box : lan->AddressBoxes()) {
            box->setText(QStringLiteral("192.168.100.200"));
            box->show();
        }
        QApplication::processEvents();
        const int okTop = dialog.OkButton()->mapTo(&dialog, QPoint(0, 0)).y();
        for (QLineEdit* box : lan->AddressBoxes()) {
            EXPECT_LE(box->mapTo(&dialog, QPoint(0, box->height())).y(), okTop) << language;
            EXPECT_GE(box->height(), box->sizeHint().height()) << language;
        }
        testing::SaveScreenshot(dialog, QStringLiteral("welcome_network_%1").arg(language));
    }
}

TEST(LanForm, AnOpenFormFollowsALanguageSwitch) {
    App();
    Settings settings = NetworkSettings();
    WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt);
    dialog.show();
    LanForm* lan = dialog.Lan();
    for (int language : {1, 9, 0}) {
        settings.CurrentLanguage = language;
        AnnounceLanguageChange();
        EXPECT_EQ(lan->ClientButton()->text(), WordText(WordKey::ClientEntersToGame, language));
        EXPECT_EQ(lan->ReceiveAddressesButton()->text(),
                  WordText(WordKey::ToReceiveTheIPAddresses, language));
        EXPECT_EQ(lan->findChild<QGroupBox*>()->title(), WordText(WordKey::ServerClient, language));
    }
}

TEST(LanForm, TypingRulesKeepTheLastGoodAddressAndPort) {
    App();
    Settings settings = NetworkSettings();
    WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt);
    dialog.show();
    LanForm* lan = dialog.Lan();

    QTest::mouseClick(lan->ClientButton(), Qt::LeftButton);
    EXPECT_EQ(lan->LanRole(), 2);
    EXPECT_TRUE(lan->AddressEdit()->isEnabled());
    EXPECT_EQ(lan->AddressEdit()->text(), "192.168.1.20");

    lan->AddressEdit()->clear();
    QTest::keyClicks(lan->AddressEdit(), "10.0.0.7");
    EXPECT_EQ(settings.LanAddress, "10.0.0.7");
    QTest::keyClicks(lan->AddressEdit(), "x");  // a letter brings back the last good address
    EXPECT_EQ(lan->AddressEdit()->text(), "10.0.0.7");

    QTest::keyClicks(lan->PortEdit(), "9");
    EXPECT_EQ(lan->PortEdit()->text(), "25666");  // five characters at most
    EXPECT_EQ(settings.LanPort, "25666");
    lan->PortEdit()->clear();
    QTest::keyClicks(lan->PortEdit(), "4000");
    EXPECT_EQ(settings.LanPort, "4000");
    QTest::keyClicks(lan->PortEdit(), "a");
    EXPECT_EQ(lan->PortEdit()->text(), "4000");
    EXPECT_EQ(settings.LanPort, "4000");

    // Back to the host: the address is emptied and no longer stored.
    QTest::mouseClick(lan->HostButton(), Qt::LeftButton);
    EXPECT_EQ(lan->LanRole(), 1);
    EXPECT_TRUE(lan->AddressEdit()->text().isEmpty());
    EXPECT_EQ(settings.LanAddress, "10.0.0.7");
}

TEST(LanForm, OkRefusesABadAddressOrPortAndOtherwiseHandsTheChoiceOn) {
    App();
    const struct {
        bool client;
        QString address, port, message;
    } cases[] = {
        {true, "1.2.3.", "25666", "Incorrect IP-address!"},
        {true, "1.2.3", "25666", "Incorrect IP-address!"},
        {true, "1.2.3.1234", "25666", "Incorrect IP-address!"},
        {true, "127.0.0.1", "", "Incorrect Port!"},
        {false, "", "", "Incorrect Port!"},
        {false, "", "0", "Incorrect Port!"},
        {true, "127.0.0.1", "4000", ""},
        {false, "", "4001", ""},
    };
    for (const auto& c : cases) {
        Settings settings = NetworkSettings();
        std::optional<LanChoice> started;
        WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt, nullptr, {},
                             [&](const LanChoice& choice, const ClubLogin& login) {
                                 EXPECT_EQ(login.Record.Name.substr(0, 4), "Ivan");
                                 started = choice;
                                 return true;
                             });
        dialog.show();
        LanForm* lan = dialog.Lan();
        dialog.NameEdit()->setText("Ivan");
        (c.client ? lan->ClientButton() : lan->HostButton())->click();
        lan->AddressEdit()->setText(c.address);
        lan->PortEdit()->setText(c.port);
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.Message(), c.message) << c.address.toStdString() << " " << c.port.toStdString();
        if (!c.message.isEmpty()) {
            EXPECT_FALSE(started);
            EXPECT_EQ(dialog.focusWidget(), c.message.contains("IP") ? lan->AddressEdit() : lan->PortEdit());
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
            // Any change of the address hides the message line.
            lan->AddressEdit()->setText(c.address + "9");
            EXPECT_TRUE(dialog.Message().isEmpty());
            continue;
        }
        ASSERT_TRUE(started);
        EXPECT_EQ(started->LanRole, c.client ? 2 : 1);
        EXPECT_EQ(started->Address, c.client ? c.address.toStdString() : "");
        EXPECT_EQ(started->Port, c.port.toUShort());
        EXPECT_EQ(settings.LanPort, c.port.toStdString());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        ASSERT_TRUE(dialog.Login() && dialog.Login()->Lan);
    }
}

TEST(LanForm, ACancelledWaitKeepsTheDialogOpen) {
    App();
    Settings settings = NetworkSettings();
    int waits = 0;
    WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt, nullptr, {},
                         [&](const LanChoice&, const ClubLogin&) { return ++waits == 2; });
    dialog.show();
    dialog.NameEdit()->setText("Olga");
    dialog.OkButton()->click();
    EXPECT_EQ(waits, 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.Login());
    dialog.OkButton()->click();
    EXPECT_EQ(waits, 2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.Login());
}

// A one-shot web page on the loopback that answers every request with `body`.
class EchoPage : public QObject {
  public:
    explicit EchoPage(QByteArray body) : body_(std::move(body)) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* s = server_.nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                if (!s->readAll().contains("\r\n\r\n")) return;
                s->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + body_);
                s->disconnectFromHost();
            });
        });
    }
    QUrl Url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/get_ip.php").arg(server_.serverPort()));
    }

  private:
    QTcpServer server_;
    QByteArray body_;
};

std::vector<QLineEdit*> ShownBoxes(LanForm& lan) {
    std::vector<QLineEdit*> shown;
    for (QLineEdit* box : lan.AddressBoxes())
        if (box->isVisible()) shown.push_back(box);
    return shown;
}

TEST(LanForm, OwnAddressesThenTheServiceAnswerThenTheLoopback) {
    App();
    Settings settings = NetworkSettings();
    WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt);
    dialog.show();
    LanForm* lan = dialog.Lan();
    EchoPage page("203.0.113.9\r\n");
    lan->SetIpEchoPage(page.Url());
    bool answered = false;
    QObject::connect(lan, &LanForm::EchoAnswered, [&] { answered = true; });
    lan->ReceiveAddressesButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, 5000));
    const std::vector<QLineEdit*> shown = ShownBoxes(*lan);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2]->text(), "203.0.113.9");
    EXPECT_EQ(shown.back()->text(), "127.0.0.1");
    EXPECT_EQ(shown.back()->toolTip(), "Loop");
    for (QLineEdit* box : shown) EXPECT_TRUE(box->isReadOnly());
    testing::SaveScreenshot(dialog, "welcome_network_addresses");
}

TEST(LanForm, AnUnreachableServiceLeavesItsBoxHiddenAtOnce) {
    App();
    Settings settings = NetworkSettings();
    WelcomeDialog dialog(settings, member::NewPlayer, std::nullopt);
    dialog.show();
    LanForm* lan = dialog.Lan();
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        closedPort = probe.serverPort();
    }
    lan->SetIpEchoPage(QUrl(QStringLiteral("http://127.0.0.1:%1/get_ip.php").arg(closedPort)));
    bool answered = false;
    QObject::connect(lan, &LanForm::EchoAnswered, [&] { answered = true; });
    lan->ReceiveAddressesButton()->click();
    // The loopback box is there at once, while the page is still being asked.
    ASSERT_FALSE(ShownBoxes(*lan).empty());
    EXPECT_EQ(ShownBoxes(*lan).back()->text(), "127.0.0.1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, 5000));
    for (QLineEdit* box : ShownBoxes(*lan)) EXPECT_NE(box->text(), "");
    EXPECT_EQ(ShownBoxes(*lan).back()->toolTip(), "Loop");
}

}  // namespace
}  // namespace kesp
