#include "windows/speed_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "presentation/words.h"
#include "windows/window_art.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {

int SpeedFrameInterval(int speed) {
    constexpr int intervals[] = {110, 95, 80, 65, 40, 25};
    return intervals[std::clamp(speed, kSlowestSpeed, kFastestSpeed) - kSlowestSpeed];
}

TFormSpeed::TFormSpeed(Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
    auto* words = new WindowWords(settings_, *this);
    words->BindTitle(WordKey::ChoiceOfSpeed);
    setModal(true);
    // A damaged value starts the track bar at the nearest end, and the first move repairs it.
    const int start = std::clamp(settings_.Speed, kSlowestSpeed, kFastestSpeed);

    QFont textFont(QString::fromStdString(settings_.FontSmall));
    textFont.setPixelSize(18);
    QFont digitFont(QString::fromStdString(settings_.FontSmall));
    digitFont.setPixelSize(16);
    digitFont.setBold(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(MakeDesignHeader(settings_, WordKey::ChoiceOfSpeed, {"Speed", "GFormSpeed"}, this));

    auto* body = new QHBoxLayout;
    body->setContentsMargins(20, 12, 20, 6);
    if (DialogDesign(settings_) == 4) {
        icon_ = RecordWindowAnimation("Speed");
        if (icon_) {  // stepped by our own timer, so that its pace follows the speed
            auto* iconLabel = new QLabel(this);
            iconLabel->setMovie(icon_.get());
            icon_->jumpToFrame(0);
            body->addWidget(iconLabel);
            iconTimer_.setInterval(SpeedFrameInterval(start));
            connect(&iconTimer_, &QTimer::timeout, this, [this] {
                if (!icon_->jumpToNextFrame()) icon_->jumpToFrame(0);
            });
            iconTimer_.start();
        }
    }

    auto* column = new QVBoxLayout;
    text_ = new QLabel(this);
    words->Bind(text_, WordKey::SelectAFlightSpeedOfCards);
    text_->setFont(textFont);
    column->addWidget(text_);

    auto* scale = new QGridLayout;
    scale->setHorizontalSpacing(0);
    trackBar_ = new QSlider(Qt::Horizontal, this);
    trackBar_->setRange(kSlowestSpeed, kFastestSpeed);
    trackBar_->setPageStep(1);
    trackBar_->setSingleStep(1);
    trackBar_->setTickPosition(QSlider::TicksBelow);
    trackBar_->setTickInterval(1);
    trackBar_->setValue(start);
    trackBar_->setMinimumWidth(300);
    // The digits sit under the tick marks: one column per position, the track bar across them all.
    constexpr int kColumns = kFastestSpeed - kSlowestSpeed + 1;
    scale->addWidget(trackBar_, 0, 0, 1, kColumns);
    for (int i = 0; i < kColumns; ++i) {
        auto* digit = new QLabel(QString::number(kSlowestSpeed + i), this);
        digit->setFont(digitFont);
        const Qt::Alignment side = i == 0              ? Qt::AlignLeft
                                   : i == kColumns - 1 ? Qt::AlignRight
                                                       : Qt::AlignHCenter;
        digit->setAlignment(side | Qt::AlignTop);
        scale->addWidget(digit, 1, i);
        scale->setColumnStretch(i, i == 0 || i == kColumns - 1 ? 1 : 2);
    }
    column->addLayout(scale);
    body->addLayout(column, 1);
    layout->addLayout(body);
    connect(trackBar_, &QSlider::valueChanged, this, &TFormSpeed::SpeedMoved);

    buttonOk_ = AddOkRow(*layout, *this, settings_, *words);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // follows the texts of a new language
}

TFormSpeed::~TFormSpeed() = default;

void TFormSpeed::SpeedMoved(int position) {
    settings_.Speed = std::clamp(position, kSlowestSpeed, kFastestSpeed);
    if (icon_) iconTimer_.setInterval(SpeedFrameInterval(settings_.Speed));
}

void ShowSpeed(QWidget* parent, Settings& settings) {
    TFormSpeed dialog(settings, parent);
    dialog.exec();
}

}  // namespace kesp
