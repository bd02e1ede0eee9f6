#include "windows/world_send_window.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "network/online_requests.h"
#include "presentation/country_flags.h"
#include "presentation/message_window.h"
#include "windows/passport_window.h"
#include "windows/window_art.h"
#include "windows/window_design.h"
#include "windows/world_lists.h"

namespace kesp {
namespace {

QLabel* MakeText(const QString& text, int pixels, bool bold, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

}  // namespace

TFormWorldSend::TFormWorldSend(Settings& settings, ServiceQueue& queue, std::string worldAddress, int score,
                               QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      queue_(queue),
      worldAddress_(std::move(worldAddress)),
      score_(score),
      words_(settings.CurrentLanguage) {
    setWindowTitle(words_.WordText(WordKey::WorldTopTen));
    QFont font(QString::fromStdString(settings_.FontSmall));
    font.setPixelSize(16);
    setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(MakeDesignHeader(settings_, WordKey::WorldTopTen, {}, this));

    auto* body = new QVBoxLayout;
    body->setContentsMargins(20, 10, 20, 10);
    body->setSpacing(8);
    body->addWidget(MakeText(words_.WordText(WordKey::WorldSendCycle), 16, false, this));
    auto* passportRow = new QHBoxLayout;
    flag_ = new QLabel(this);
    sex_ = new QLabel(this);
    who_ = MakeText({}, 18, true, this);
    passportRow->addWidget(flag_);
    passportRow->addWidget(sex_);
    passportRow->addWidget(who_, 1);
    body->addLayout(passportRow);
    body->addWidget(
        MakeText(words_.WordText(WordKey::YourScore) + ": " + QString::number(score_), 18, true, this));
    placeLine_ = MakeText({}, 18, true, this);
    placeLine_->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0)"));
    body->addWidget(placeLine_);
    layout->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(10, 0, 10, 0);
    send_ = MakeWindowButton(words_.WordText(WordKey::Send), settings_, this);
    passport_ = MakeWindowButton(words_.WordText(WordKey::Passport), settings_, this);
    QPushButton* close = MakeWindowButton(words_.WordText(WordKey::AccountClose), settings_, this);
    for (QPushButton* button : {send_, passport_, close}) {
        button->setFixedSize(150, 30);
        buttons->addWidget(button);
    }
    send_->setDefault(true);
    layout->addLayout(buttons);
    connect(send_, &QPushButton::clicked, this, &TFormWorldSend::Send);
    connect(passport_, &QPushButton::clicked, this, &TFormWorldSend::OpenPassport);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    ShowPassport();
    setMinimumWidth(520);
}

void TFormWorldSend::ShowPassport() {
    flag_->setPixmap(CountryFlag(settings_.WorldCountry, 22));
    sex_->setPixmap(RecordWindowPicture(settings_.WorldSex == "W" ? "GSexW" : "GSexM"));
    who_->setText(QString::fromStdString(settings_.WorldNick) + ", " +
                  QString::fromStdString(settings_.WorldCity) + " (" +
                  CountryName(settings_.WorldCountry, words_.CurrentLanguage()) + ")");
    if (place_ > 0) placeLine_->setText(words_.WordText(WordKey::YourPlace) + ": " + QString::number(place_));
}

void TFormWorldSend::Send() {
    // One post at a time: the button comes back only when the post failed.
    send_->setEnabled(false);
    passport_->setEnabled(false);
    TZunRecord record;
    record.GID = WorldListGid(kWindowsCycleList);
    record.Nick = settings_.WorldNick;
    record.City = settings_.WorldCity;
    record.Country = settings_.WorldCountry;
    record.Score = score_;
    record.R07 = settings_.WorldSex;
    record.R08 = std::string(kRecordProgramVersion);
    record.R09 = "#";
    record.R10 = "#";
    queue_.Run<int>(
        this,
        [address = worldAddress_, record](ServiceClient& client) {
            return PostRecord(client, address, record);
        },
        [this](int place) {
            passport_->setEnabled(true);
            if (place > 0) {
                place_ = place;
                ShowPassport();
            } else {
                send_->setEnabled(true);
                OpenMessageWindow(words_, words_.WordText(WordKey::CannotWriteResult), {}, {}, this);
            }
            emit Posted(place > 0 ? place : -1);
        });
}

void TFormWorldSend::OpenPassport() {
    auto* passport = new TFormPassport(settings_, words_, this);
    passport->setAttribute(Qt::WA_DeleteOnClose);
    connect(passport, &QDialog::finished, this, [this] { ShowPassport(); });
    passport->open();
}

}  // namespace kesp
