#include "app/menu_counter.h"

#include <QPainter>
#include <algorithm>

#include "app/online_service.h"
#include "network/account_rating.h"
#include "presentation/country_flags.h"

namespace kesp {

namespace {

constexpr QSize kPanelSize(115, 64);
constexpr int kDigitTop = 15;
constexpr int kTightDigitWidth = 9;  // six characters stand 9 pixels apart

QImage PictureOrStandIn(const TableArt& art, const std::string& name, QSize size) {
    const QImage image = art.Picture(name);
    return image.isNull() ? StandInPicture(name, size) : image;
}

QFont PanelFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixelSize);  // 12 and 8 points at 96 dots per inch
    font.setBold(bold);
    return font;
}

void DrawDigits(QPainter& painter, const TableArt& art, const CounterFace& face) {
    const std::vector<int> lefts = CounterDigitLefts(face.Digits.size());
    for (std::size_t i = 0; i < lefts.size(); ++i) {
        const char c = face.Digits[i];
        const std::string name = face.DigitPrefix + (c == '-' ? std::string("M") : std::string(1, c));
        const QImage digit = PictureOrStandIn(art, name, {13, 28});
        if (lefts.size() == 6)
            painter.drawImage(QRect(lefts[i], kDigitTop, kTightDigitWidth, digit.height()), digit);
        else
            painter.drawImage(lefts[i], kDigitTop, digit);
    }
}

}  // namespace

QImage DrawCounterPanel(const TableArt& art, const CounterFace* face) {
    QImage panel(kPanelSize, QImage::Format_ARGB32_Premultiplied);
    panel.fill(Qt::transparent);
    QPainter painter(&panel);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(0, 0, PictureOrStandIn(art, "GClockBG", kPanelSize));
    if (!face) return panel;
    const QImage icon = art.Picture(face->Icon);
    if (!icon.isNull()) painter.drawImage(QRect(10, 10, 16, 16), icon);
    DrawDigits(painter, art, *face);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (face->Suffix) {
        painter.setFont(PanelFont(16, true));
        painter.setPen(QColor(0, 255, 255));
        painter.drawText(QRect(90, 25, 25, 30), Qt::AlignLeft | Qt::AlignTop, QString(QChar(face->Suffix)));
    }
    if (face->Label != CounterLabel::None) {
        const bool iq = face->Label == CounterLabel::Iq;
        painter.setFont(PanelFont(11, false));
        painter.setPen(iq ? QColor(255, 0, 0) : QColor(0, 255, 255));
        painter.drawText(QRect(90, 10, 25, 15), Qt::AlignLeft | Qt::AlignTop,
                         iq ? QStringLiteral("IQ") : QStringLiteral("D"));
    }
    if (!face->FlagCountry.empty()) painter.drawPixmap(90, 10, CountryFlag(face->FlagCountry, 11));
    return panel;
}

QString CounterHint(const Localisation& words, const CounterFace& face) {
    QString hint;
    switch (face.Kind) {
        case counter_kind::GamesWithPc:
            hint = words.WordText(WordKey::ClubGamesPlayedWithPC);
            break;
        case counter_kind::BestWindows:
            hint = words.WordText(WordKey::BestWindowsPlayer);
            break;
        case counter_kind::BestAndroid:
            hint = words.WordText(WordKey::BestAndroidPlayer);
            break;
        case counter_kind::BestAccount:
            hint = words.WordText(WordKey::BestAccountPlayer);
            break;
        case counter_kind::ClubMembers:
            hint = words.WordText(WordKey::ClubMembers);
            break;
        default:
            hint = words.WordText(WordKey::DynamicIQForWindowsPercent);
            break;
    }
    if (face.HintNoLeader) hint += words.WordText(WordKey::ClubNo);
    hint += QString::fromStdString(face.HintNick);
    const QString noConnect = words.WordText(WordKey::CounterNoConnect);
    switch (face.HintTail) {
        case CounterHintTail::ColonNoConnect:
            return hint + QStringLiteral(": ") + noConnect;
        case CounterHintTail::NoConnect:
            return hint + noConnect;
        case CounterHintTail::BlankNoConnect:
            return hint + QStringLiteral(" ") + noConnect;
        case CounterHintTail::None:
            break;
    }
    return hint;
}

MenuCounter::MenuCounter(const TableArt& art, const Localisation& words, OnlineService& online,
                         QWidget* parent)
    : QWidget(parent), art_(art), words_(words), online_(online), now_([] {
          return QDateTime::currentDateTime();
      }) {
    setObjectName(QStringLiteral("MenuCounter"));
    resize(kPanelSize);
    minute_.setSingleShot(true);
    minute_.setTimerType(Qt::PreciseTimer);  // it must land inside second 01
    connect(&minute_, &QTimer::timeout, this, &MenuCounter::Tick);
    hide();
}

void MenuCounter::SetClock(Clock now, int pace) {
    now_ = std::move(now);
    pace_ = std::max(1, pace);
}

int MenuCounter::MsecToNextRefresh(QTime now) {
    constexpr int kMinute = 60'000, kTarget = 1'000;
    const int intoMinute = now.isValid() ? now.second() * 1000 + now.msec() : 0;
    const int wait = kTarget - intoMinute;
    return wait > 0 ? wait : wait + kMinute;
}

void MenuCounter::ShowAt(const QRect& place, bool shown) {
    if (!shown) {
        Rest();
        return;
    }
    setGeometry(QRect(place.topLeft(), kPanelSize));
    show();
    raise();
    Refresh();
    Arm();
}

void MenuCounter::Rest() {
    minute_.stop();
    readAgain_ = false;
    hide();
}

void MenuCounter::Arm() {
    minute_.start(std::max(1, MsecToNextRefresh(now_().time()) / pace_));
}

// One refresh at the first tick of second 01 of each minute; a tick that lands a little early just
// aims again.
void MenuCounter::Tick() {
    const QDateTime now = now_();
    const qint64 minute = now.toSecsSinceEpoch() / 60;
    if (now.time().second() == 1 && minute != refreshedMinute_) {
        refreshedMinute_ = minute;
        Refresh();
    }
    Arm();
}

void MenuCounter::Refresh() {
    if (reading_) {
        readAgain_ = true;  // one read at a time; the newest minute is read when it answers
        return;
    }
    const int kind = CounterKind(now_().time().minute());
    reading_ = true;
    ++reads_;
    const ServiceAddresses addresses = online_.Addresses();
    online_.Queue().Run<CounterReading>(
        this, [addresses, kind](ServiceClient& client) { return ReadCounterSource(client, addresses, kind); },
        [this](CounterReading reading) { Take(reading); });
}

void MenuCounter::Take(const CounterReading& reading) {
    reading_ = false;
    if (isHidden()) return;  // the menu was left: nothing to show
    face_ = FaceOf(reading);
    answered_ = true;
    setToolTip(CounterHint(words_, face_));
    update();
    emit FaceChanged();
    if (readAgain_) {
        readAgain_ = false;
        if (CounterKind(now_().time().minute()) != reading.Kind) Refresh();
    }
}

void MenuCounter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, DrawCounterPanel(art_, Face()));
}

}  // namespace kesp
