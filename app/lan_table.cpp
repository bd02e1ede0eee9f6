#include "app/lan_table.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include "app/wait_window.h"
#include "engine/game_state.h"
#include "records/cp1251.h"
#include "records/history.h"

namespace kesp {
namespace {

constexpr int kRevealCode = 48213;

// Code page 1251 bytes of a name or chat text; a character the code page lacks becomes '?'.
std::string WireText(const QString& text) {
    std::string bytes;
    for (QChar c : text) {
        const std::optional<std::string> one = Utf8ToCp1251(QString(c).toStdString());
        bytes += one && one->size() == 1 ? *one : std::string("?");
    }
    return bytes;
}

}  // namespace

LanTable::LanTable(QWidget& window, const TableArt& art, const FontRoles& fonts, const Localisation& words)
    : QObject(&window), window_(window), fonts_(fonts), words_(words), session_(this) {
    strip_ = new ChatStrip(art, &window_);
    field_ = new QLineEdit(&window_);
    field_->setObjectName(QStringLiteral("ChatEdit"));
    field_->setMaxLength(static_cast<int>(ChatTextLimit));
    field_->hide();
    send_ = new QPushButton(QStringLiteral("\u2709"), &window_);
    send_->setObjectName(QStringLiteral("ChatSend"));
    send_->setFocusPolicy(Qt::StrongFocus);
    send_->hide();
    send_->installEventFilter(this);
    waiting_ = new QLabel(&window_);
    waiting_->setObjectName(QStringLiteral("LanWaiting"));
    waiting_->setAlignment(Qt::AlignCenter);
    waiting_->setStyleSheet(
        QStringLiteral("color: #ffffc8; background: rgba(0, 0, 0, 90); border-radius: 6px;"));
    waiting_->hide();
    connect(field_, &QLineEdit::returnPressed, this, &LanTable::SendChat);
    connect(send_, &QPushButton::clicked, this, &LanTable::SendChat);
    connect(&session_, &LanSession::chatReceived, this, [this](int seat, const QByteArray& text) {
        emit ChatArrived();
        strip_->ShowLine(seat, QStringLiteral("s") + QString::fromStdString(Cp1251ToUtf8(
                                                         std::string_view(text.data(), text.size()))));
    });
    connect(&session_, &LanSession::connectionLost, this, [this] { EnableChat(false); });
}

bool LanTable::WaitForPlayers(const LanChoice& choice, const ClubLogin& login) {
    WaitWindow wait(
        fonts_, words_, [this] { return session_.ClientFailure(); }, &window_);
    wait.setObjectName(QStringLiteral("WaitWindow"));
    connect(&wait, &WaitWindow::Cancelled, &session_, &LanSession::Close);
    const std::string name = WireText(QString::fromStdString(login.Record.Name));
    bool began = true;
    if (choice.LanRole == 1) {
        if (!session_.Host(choice.Port, name)) {
            QMessageBox::warning(&window_, GameName(words_.CurrentLanguage()), session_.ErrorText());
            return false;
        }
        wait.Begin(WordKey::WaitingForOtherPlayers);
        connect(&session_, &LanSession::seatsChanged, &wait,
                [&] { wait.ShowSeated(session_.SeatedClients()); });
        // OK starts the game with the clients seated so far; the seating ends there.
        connect(&wait, &WaitWindow::Confirmed, &session_, [&] { began = session_.BeginGame(); });
    } else {
        wait.Begin(WordKey::ExpectationOfGame);
        connect(&session_, &LanSession::seated, &wait, &WaitWindow::Start);
        session_.Join(QString::fromStdString(choice.Address), choice.Port, name);
    }
    wait.exec();
    if (wait.StartFlag() && began) return true;
    session_.Close();  // a client seated a moment ago may have left before OK
    return false;
}

void LanTable::Layout(const TableGeometry& geometry, const Placement& placement, bool small) {
    strip_->Layout(geometry, placement, small, fonts_.Family(FontRole::Serif));
    field_->setGeometry(geometry.chatField);
    field_->setFont(FontOfHeight(fonts_.Family(FontRole::Serif), geometry.chatFontHeight));
    send_->setGeometry(geometry.chatSend);
}

void LanTable::ShowChat(bool shown) {
    for (QWidget* w : std::initializer_list<QWidget*>{strip_, field_, send_}) {
        w->setVisible(shown);
        if (shown) w->raise();
    }
}

void LanTable::ShowWaiting(bool shown) {
    if (shown) {
        waiting_->setText(words_.WordText(WordKey::ExpectationOfGame));
        waiting_->setFont(fonts_.WaitLabelFont());
        const QRect area = window_.rect();
        waiting_->setGeometry(area.width() / 4, area.height() / 2 - 30, area.width() / 2, 60);
        waiting_->raise();
    }
    waiting_->setVisible(shown);
}

void LanTable::EnableChat(bool enabled) {
    field_->setEnabled(enabled);
    send_->setEnabled(enabled);
}

void LanTable::SendChat() {
    const QString text = field_->text();
    if (text.isEmpty()) return;
    session_.SendChat(WireText(text));
    strip_->ShowLine(session_.LanRole(), QStringLiteral("s") + text);
    field_->clear();
}

std::string LanTable::HistoryNames() const {
    std::vector<std::string> names;
    const int own = session_.LanRole();
    for (int seat = own; seat >= 1; --seat)
        names.push_back(Cp1251ToUtf8(View(session_.Names()[TablePositionOf(own, seat)])));
    return HistoryPlayers(names);
}

// The keys typed while the send button has the focus: the hidden code flips the open hands.
bool LanTable::eventFilter(QObject* watched, QEvent* event) {
    if (watched == send_) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) typedOnSend_.clear();
        if (event->type() == QEvent::KeyPress) {
            typedOnSend_ += static_cast<QKeyEvent*>(event)->text();
            bool number = false;
            if (typedOnSend_.toInt(&number) == kRevealCode && number) {
                typedOnSend_.clear();
                emit RevealToggled();
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kesp
