// The local-network part of the club login: the role (host or client), the host's address and
// port with their typing rules, and the addresses by which other players can reach this machine.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QUrl>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/settings.h"

namespace kesp {

// A host's address as the form accepts it: digits and exactly three dots between four groups of
// one to three digits.
bool IsLanAddress(std::string_view text);
// The port typed, as a number 1..65535; nothing for an empty or out-of-range text.
std::optional<std::uint16_t> LanPortNumber(std::string_view text);

// What the login hands on when the network form is confirmed.
struct LanChoice {
    std::uint8_t LanRole = 1;  // 1 host, 2 client
    std::string Address;       // the host's address (client only)
    std::uint16_t Port = 0;
};

// The page that echoes this machine's address as the service sees it.
QUrl DefaultIpEchoPage();

class LanForm : public QWidget {
    Q_OBJECT
  public:
    // The form edits `settings.LanAddress` and `settings.LanPort` as the user types.
    LanForm(Settings& settings, const std::string& programDir, QWidget* parent = nullptr);

    // A refusal of the typed address or port: the message and the field that gets the focus.
    struct Refusal {
        QString message;
        QLineEdit* field = nullptr;
    };
    // The checks of OK; on success the choice (and the address and port are stored in the settings).
    std::optional<Refusal> Check(LanChoice& choice);

    std::uint8_t LanRole() const { return lanRole_; }
    void SetIpEchoPage(const QUrl& page) { echoPage_ = page; }

    QRadioButton* HostButton() const { return host_; }
    QRadioButton* ClientButton() const { return client_; }
    QLineEdit* AddressEdit() const { return address_; }
    QLineEdit* PortEdit() const { return port_; }
    QSpinBox* GamesSpin() const { return games_; }
    QPushButton* ReceiveAddressesButton() const { return receive_; }
    QPushButton* HelpButton() const { return help_; }
    // The read-only boxes with this machine's addresses (hidden until filled).
    const std::array<QLineEdit*, 6>& AddressBoxes() const { return boxes_; }

  signals:
    void AddressChanged();  // any change of the address field: the message line hides
    void EchoAnswered();    // the echo page's request finished (answered or failed)

  private:
    void ChooseRole(std::uint8_t role);
    void AddressEdited(const QString& text);
    void PortEdited(const QString& text);
    void ReceiveAddresses();

    Settings& settings_;
    std::string programDir_;
    std::uint8_t lanRole_ = 1;
    QUrl echoPage_;
    QRadioButton* host_;
    QRadioButton* client_;
    QLabel* addressLabel_;
    QLineEdit* address_;
    QLineEdit* port_;
    QSpinBox* games_;
    QPushButton* receive_;
    QPushButton* help_;
    std::array<QLineEdit*, 6> boxes_{};
    QNetworkAccessManager http_;
};

}  // namespace kesp
