#include "app/wait_window.h"

#include <QHBoxLayout>
#include <QMovie>
#include <QVBoxLayout>

#include "presentation/cards_button.h"

namespace kesp {
namespace {
constexpr int kTickMs = 1000;
constexpr WordKey kSeatedLines[3] = {WordKey::TheSecondPlayerWasConnected,
                                     WordKey::TheThirdPlayerWasConnected,
                                     WordKey::TheFourthPlayerWasConnected};
}  // namespace

WaitWindow::WaitWindow(const FontRoles& fonts, const Localisation& words, std::function<bool()> clientFailure,
                       QWidget* parent)
    : QDialog(parent), words_(words), clientFailure_(std::move(clientFailure)) {
    setWindowTitle(words_.WordText(WordKey::WaitPleaseWait));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    animation_ = new QLabel(this);
    animation_->setAlignment(Qt::AlignCenter);
    auto* movie = new QMovie(QStringLiteral(":/GCLUBG"), QByteArray(), animation_);
    animation_->setMovie(movie);
    layout->addWidget(animation_);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        lines_[i] = new QLabel(this);
        lines_[i]->setFont(fonts.WaitLabelFont());
        if (i > 0) lines_[i]->setText(words_.WordText(kSeatedLines[i - 1]));
        layout->addWidget(lines_[i]);
    }
    auto* buttons = new QHBoxLayout;
    ok_ = new TZunCardsButton(words_.WordText(WordKey::OK), this);
    cancel_ = new TZunCardsButton(words_.WordText(WordKey::Cancel), this);
    for (QPushButton* b : {ok_, cancel_}) {
        b->setFont(fonts.WaitButtonFont());
        b->setMinimumSize(110, 36);
    }
    buttons->addWidget(ok_);
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(ok_, &QPushButton::clicked, this, &WaitWindow::accept);
    connect(cancel_, &QPushButton::clicked, this, &WaitWindow::reject);
    connect(&timer_, &QTimer::timeout, this, &WaitWindow::Tick);
    timer_.setInterval(kTickMs);
}

void WaitWindow::Begin(WordKey firstLine) {
    startFlag_ = false;
    lines_[0]->setText(words_.WordText(firstLine));
    lines_[0]->show();
    for (std::size_t i = 1; i < lines_.size(); ++i) lines_[i]->hide();
    ok_->setEnabled(false);
    cancel_->setEnabled(true);
    if (QMovie* movie = animation_->movie(); movie && movie->isValid()) movie->start();
    timer_.start();
}

void WaitWindow::ShowSeated(int clients) {
    ok_->setEnabled(true);
    cancel_->setEnabled(false);
    for (int n = 2; n <= 4; ++n) lines_[static_cast<std::size_t>(n - 1)]->setVisible(n - 1 <= clients);
}

void WaitWindow::Start() {
    Finish(true);
}

// OK (and Enter): only while OK is enabled.
void WaitWindow::accept() {
    if (!ok_->isEnabled()) return;
    emit Confirmed();
    Finish(true);
}

// Cancel, Esc and the window's close box: only while Cancel is enabled.
void WaitWindow::reject() {
    if (!cancel_->isEnabled()) return;
    emit Cancelled();
    Finish(false);
}

void WaitWindow::Tick() {
    if (clientFailure_ && clientFailure_())
        lines_[0]->setText(words_.WordText(WordKey::ThereAreNoAccessibleGames));
}

void WaitWindow::Finish(bool start) {
    startFlag_ = start;
    timer_.stop();
    if (QMovie* movie = animation_->movie()) movie->stop();
    if (start)
        QDialog::accept();
    else
        QDialog::reject();
}

}  // namespace kesp
