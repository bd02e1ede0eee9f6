#include "app/table_chat.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <initializer_list>

#include "network/lan_protocol.h"
#include "records/cp1251.h"

namespace kesp {
namespace {

constexpr int kRevealCode = 48213;

}  // namespace

std::string WireText(const QString& text) {
    std::string bytes;
    for (QChar c : text) {
        const std::optional<std::string> one = Utf8ToCp1251(QString(c).toStdString());
        bytes += one && one->size() == 1 ? *one : std::string("?");
    }
    return bytes;
}

TableChat::TableChat(QWidget& window, const TableArt& art, const FontRoles& fonts)
    : QObject(&window), fonts_(fonts) {
    strip_ = new ChatStrip(art, &window);
    strip_->hide();
    field_ = new QLineEdit(&window);
    field_->setObjectName(QStringLiteral("ChatEdit"));
    field_->setMaxLength(static_cast<int>(ChatTextLimit));
    field_->hide();
    send_ = new QPushButton(QStringLiteral("\u2709"), &window);
    send_->setObjectName(QStringLiteral("ChatSend"));
    send_->setFocusPolicy(Qt::StrongFocus);
    send_->hide();
    send_->installEventFilter(this);
    connect(field_, &QLineEdit::returnPressed, this, &TableChat::Send);
    connect(send_, &QPushButton::clicked, this, &TableChat::Send);
}

void TableChat::Layout(const TableGeometry& geometry, const Placement& placement, bool small) {
    strip_->Layout(geometry, placement, small, fonts_.Family(FontRole::Serif));
    field_->setGeometry(geometry.chatField);
    field_->setFont(FontOfHeight(fonts_.Family(FontRole::Serif), geometry.chatFontHeight));
    send_->setGeometry(geometry.chatSend);
}

void TableChat::Show(bool shown) {
    for (QWidget* w : std::initializer_list<QWidget*>{strip_, field_, send_}) {
        w->setVisible(shown);
        if (shown) w->raise();
    }
}

void TableChat::Clear() {
    strip_->Clear();
}

void TableChat::Enable(bool enabled) {
    field_->setEnabled(enabled);
    send_->setEnabled(enabled);
}

void TableChat::ShowLine(int seat, const QString& text) {
    strip_->ShowLine(seat, QStringLiteral("s") + text);
}

void TableChat::Send() {
    const QString text = field_->text();
    if (text.isEmpty()) return;
    field_->clear();
    emit Typed(text);
}

// The keys typed while the send button has the focus: the hidden code flips the open hands.
bool TableChat::eventFilter(QObject* watched, QEvent* event) {
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
