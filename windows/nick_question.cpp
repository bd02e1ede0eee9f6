#include "windows/nick_question.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "network/field_checks.h"
#include "windows/field_validator.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {

TFormNickQuestion::TFormNickQuestion(const Settings& settings, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormNickQuestion"));
    auto* words = new WindowWords(settings, *this);
    words->BindTitle(WordKey::AccountNick);
    QFont font(QString::fromStdString(settings.FontSmall));
    font.setPixelSize(16);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* question = new QLabel(this);
    words->Bind(question, WordKey::EnterYourNick);
    layout->addWidget(question);
    nick_ = new QLineEdit(this);
    nick_->setValidator(new FieldValidator(kWorldNickLength, nick_));
    nick_->setMinimumWidth(240);
    layout->addWidget(nick_);
    warning_ = new QLabel(this);
    warning_->setStyleSheet(QStringLiteral("color: #c00000;"));
    words->Bind(warning_, WordKey::NickRule);
    warning_->hide();
    layout->addWidget(warning_);

    auto* buttons = new QHBoxLayout;
    ok_ = MakeWindowButton(QString(), settings, this);
    cancel_ = MakeWindowButton(QString(), settings, this);
    words->Bind(ok_, WordKey::OK);
    words->Bind(cancel_, WordKey::Cancel);
    ok_->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(nick_, &QLineEdit::textEdited, warning_, &QWidget::hide);
}

QString TFormNickQuestion::Nick() const {
    return nick_->text();
}

void TFormNickQuestion::done(int result) {
    // An invalid nick is asked for again: the dialog stays and says what a nick needs.
    if (result == Accepted && !IsValidPassportText(nick_->text().toStdString(), kWorldNickLength)) {
        warning_->show();
        nick_->selectAll();
        nick_->setFocus();
        return;
    }
    QDialog::done(result);
}

}  // namespace kesp
