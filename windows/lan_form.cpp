#include "windows/lan_form.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "network/service_addresses.h"
#include "presentation/words.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

constexpr int kPortLength = 5;
constexpr int kAddressLength = 15;
constexpr int kEchoTimeoutMs = 3000;

bool OnlyDigitsAndDots(const QString& text) {
    for (QChar c : text)
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.') return false;
    return true;
}

bool OnlyDigits(const QString& text) {
    for (QChar c : text)
        if (!(c.isDigit() && c.unicode() < 128)) return false;
    return true;
}

// The machine's own IPv4 addresses, loopback left out (it has a box of its own).
QStringList OwnAddresses() {
    QStringList addresses;
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback()) addresses << a.toString();
    return addresses;
}

}  // namespace

bool IsLanAddress(std::string_view text) {
    int dots = 0;
    int group = 0;
    for (char c : text) {
        if (c == '.') {
            if (group == 0) return false;
            ++dots;
            group = 0;
        } else if (c >= '0' && c <= '9') {
            if (++group > 3) return false;
        } else {
            return false;
        }
    }
    return dots == 3 && group > 0;
}

std::optional<std::uint16_t> LanPortNumber(std::string_view text) {
    if (text.empty() || text.size() > kPortLength) return std::nullopt;
    int port = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

QUrl DefaultIpEchoPage() {
    return QUrl(QString::fromStdString(ServiceInUse().ipEcho));
}

LanForm::LanForm(Settings& settings, const std::string& programDir, QWidget* parent)
    : QWidget(parent), settings_(settings), programDir_(programDir), echoPage_(DefaultIpEchoPage()) {
    auto* words = new WindowWords(settings_, *this);
    QFont font(QString::fromStdString(settings_.FontSmall));
    font.setPixelSize(13);
    setFont(font);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 4, 16, 0);
    grid->setVerticalSpacing(3);

    auto* roles = new QGroupBox(this);
    words->Bind([roles](const WindowWords& w) { roles->setTitle(w.Text(WordKey::ServerClient)); });
    auto* roleRow = new QVBoxLayout(roles);  // one role a line: the captions are long in some languages
    roleRow->setContentsMargins(6, 2, 6, 2);
    host_ = new QRadioButton(roles);
    client_ = new QRadioButton(roles);
    words->Bind(host_, WordKey::ServerCreateTheGame);
    words->Bind(client_, WordKey::ClientEntersToGame);
    roleRow->addWidget(host_, 0, Qt::AlignLeft);
    roleRow->addWidget(client_, 0, Qt::AlignLeft);
    help_ = new QPushButton(QStringLiteral("?"), this);
    help_->setFixedSize(28, 28);
    auto* top = new QHBoxLayout;
    top->addWidget(roles, 1);
    top->addWidget(help_, 0, Qt::AlignVCenter);
    grid->addLayout(top, 0, 0, 1, 2);

    auto addRow = [&](int row, WordKey label, QWidget* field) {
        auto* caption = new QLabel(this);
        words->Bind(caption, label);
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1);
        return caption;
    };
    address_ = new QLineEdit(this);
    address_->setMaxLength(kAddressLength);
    port_ = new QLineEdit(this);
    port_->setMaxLength(kPortLength);
    games_ = new QSpinBox(this);
    games_->setRange(1, 99);
    addressLabel_ = addRow(1, WordKey::EnterIPOfServer, address_);
    addRow(2, WordKey::EnterPortOfServer, port_);
    QLabel* gamesLabel = addRow(3, WordKey::NumberGames, games_);
    // The number of games is fixed in a network game: the spinner and its label stay disabled.
    games_->setEnabled(false);
    gamesLabel->setEnabled(false);

    receive_ = new QPushButton(this);
    words->Bind(receive_, WordKey::ToReceiveTheIPAddresses);
    grid->addWidget(receive_, 4, 0, 1, 2);
    auto* boxGrid = new QGridLayout;
    boxGrid->setHorizontalSpacing(6);
    for (int i = 0; i < 6; ++i) {
        auto* box = new QLineEdit(this);
        box->setReadOnly(true);
        box->hide();
        boxGrid->addWidget(box, i / 3, i % 3);
        boxes_[static_cast<std::size_t>(i)] = box;
    }
    grid->addLayout(boxGrid, 5, 0, 1, 2);

    connect(host_, &QRadioButton::clicked, this, [this] { ChooseRole(1); });
    connect(client_, &QRadioButton::clicked, this, [this] { ChooseRole(2); });
    connect(address_, &QLineEdit::textEdited, this, &LanForm::AddressEdited);
    connect(address_, &QLineEdit::textChanged, this, &LanForm::AddressChanged);
    connect(port_, &QLineEdit::textEdited, this, &LanForm::PortEdited);
    connect(receive_, &QPushButton::clicked, this, &LanForm::ReceiveAddresses);
    connect(help_, &QPushButton::clicked, this, [this] {
        const QString page = QString::fromStdString(programDir_) + QStringLiteral("Help/network.html");
        if (QFileInfo::exists(page)) QDesktopServices::openUrl(QUrl::fromLocalFile(page));
    });

    // The form opens on the host, with an empty address and the port typed last.
    host_->setChecked(true);
    ChooseRole(1);
    port_->setText(QString::fromStdString(settings_.LanPort));
}

void LanForm::ChooseRole(std::uint8_t role) {
    lanRole_ = role;
    const bool client = role == 2;
    address_->setEnabled(client);
    addressLabel_->setEnabled(client);
    // A stored address that is not one the field accepts is not offered.
    const QString stored = QString::fromStdString(settings_.LanAddress);
    address_->setText(client && OnlyDigitsAndDots(stored) ? stored : QString());
}

// Only digits and dots may be typed; anything else brings back the address typed last.
void LanForm::AddressEdited(const QString& text) {
    if (!OnlyDigitsAndDots(text)) {
        const QString stored = QString::fromStdString(settings_.LanAddress);
        address_->setText(OnlyDigitsAndDots(stored) ? stored : QString());
        return;
    }
    if (lanRole_ == 2 && !text.isEmpty()) settings_.LanAddress = text.toStdString();
}

// Only digits may be typed; anything else brings back the port typed last.
void LanForm::PortEdited(const QString& text) {
    if (!OnlyDigits(text)) {
        const QString stored = QString::fromStdString(settings_.LanPort);
        port_->setText(OnlyDigits(stored) ? stored : QString());
    }
    settings_.LanPort = port_->text().toStdString();
}

std::optional<LanForm::Refusal> LanForm::Check(LanChoice& choice) {
    const std::string address = address_->text().toStdString();
    if (lanRole_ == 2 && !IsLanAddress(address))
        return Refusal{WordText(WordKey::IncorrectIPAddress, settings_.CurrentLanguage), address_};
    const std::optional<std::uint16_t> port = LanPortNumber(port_->text().toStdString());
    if (!port) return Refusal{WordText(WordKey::IncorrectPort, settings_.CurrentLanguage), port_};
    choice.LanRole = lanRole_;
    choice.Address = lanRole_ == 2 ? address : std::string();
    choice.Port = *port;
    if (lanRole_ == 2) settings_.LanAddress = address;
    settings_.LanPort = port_->text().toStdString();
    return std::nullopt;
}

// The interfaces' addresses first, then the address the service sees (when its page answers),
// then the loopback address for games on this one machine.
void LanForm::ReceiveAddresses() {
    for (QLineEdit* box : boxes_) {
        box->clear();
        box->setToolTip(QString());
        box->hide();
    }
    // The last two boxes stay free for the service's answer and the loopback.
    const QStringList own = OwnAddresses().mid(0, static_cast<int>(boxes_.size()) - 2);
    std::size_t next = 0;
    for (const QString& a : own) {
        boxes_[next]->setText(a);
        boxes_[next++]->show();
    }
    QLineEdit* echoBox = boxes_[next++];
    QLineEdit* loop = boxes_[next];
    loop->setText(QStringLiteral("127.0.0.1"));
    loop->setToolTip(QStringLiteral("Loop"));
    loop->show();

    // The page is asked without blocking the dialog; no answer within the time-out leaves its box
    // hidden.
    QNetworkRequest request(echoPage_);
    request.setTransferTimeout(kEchoTimeoutMs);
    QNetworkReply* reply = http_.get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, echoBox] {
        reply->deleteLater();
        if (reply->error() == QNetworkReply::NoError) {
            static const QRegularExpression lineEnd(QStringLiteral("[\r\n]"));
            const QString text = QString::fromUtf8(reply->read(4096)).section(lineEnd, 0, 0).trimmed();
            if (!text.isEmpty()) {
                echoBox->setText(text.left(64));
                echoBox->show();
            }
        }
        emit EchoAnswered();
    });
}

}  // namespace kesp
