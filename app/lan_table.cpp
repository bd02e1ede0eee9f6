#include "app/lan_table.h"

#include <QLabel>
#include <QMessageBox>
#include <QWidget>

#include "app/wait_window.h"
#include "engine/game_state.h"
#include "records/cp1251.h"
#include "records/history.h"

namespace kesp {

LanTable::LanTable(QWidget& window, TableChat& chat, const FontRoles& fonts, const Localisation& words)
    : QObject(&window), window_(window), fonts_(fonts), words_(words), chat_(chat), session_(this) {
    waiting_ = new QLabel(&window_);
    waiting_->setObjectName(QStringLiteral("LanWaiting"));
    waiting_->setAlignment(Qt::AlignCenter);
    waiting_->setStyleSheet(
        QStringLiteral("color: #ffffc8; background: rgba(0, 0, 0, 90); border-radius: 6px;"));
    waiting_->hide();
    connect(&session_, &LanSession::chatReceived, this, [this](int seat, const QByteArray& text) {
        emit ChatArrived();
        chat_.ShowLine(seat,
                       QString::fromStdString(Cp1251ToUtf8(std::string_view(text.data(), text.size()))));
    });
    connect(&session_, &LanSession::connectionLost, this, [this] { chat_.Enable(false); });
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

void LanTable::SendChat(const QString& text) {
    session_.SendChat(WireText(text));
    chat_.ShowLine(session_.LanRole(), text);
}

std::string LanTable::HistoryNames() const {
    std::vector<std::string> names;
    const int own = session_.LanRole();
    for (int seat = own; seat >= 1; --seat)
        names.push_back(Cp1251ToUtf8(View(session_.Names()[TablePositionOf(own, seat)])));
    return HistoryPlayers(names);
}

}  // namespace kesp
