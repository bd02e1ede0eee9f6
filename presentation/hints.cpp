#include "presentation/hints.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "records/settings.h"

namespace kesp {

namespace {
constexpr int kPadding = 8;
constexpr int kArrowHeight = 12;
constexpr int kArrowWidth = 14;
constexpr int kArrowInset = 18;
constexpr int kIconSize = 16;
constexpr int kRadius = 8;

bool ArrowOnTop(BalloonArrow arrow) {
    return arrow == BalloonArrow::TopLeft || arrow == BalloonArrow::TopRight;
}
bool ArrowOnLeft(BalloonArrow arrow) {
    return arrow == BalloonArrow::TopLeft || arrow == BalloonArrow::BottomLeft;
}

QStyle::StandardPixmap KindIcon(BalloonKind kind) {
    switch (kind) {
        case BalloonKind::Warning:
            return QStyle::SP_MessageBoxWarning;
        case BalloonKind::Error:
            return QStyle::SP_MessageBoxCritical;
        default:
            return QStyle::SP_MessageBoxInformation;
    }
}
}  // namespace

BalloonStyle MusicBalloonStyle(const Settings& settings) {
    BalloonStyle style;
    style.fontName = QString::fromStdString(settings.FontSmall);
    style.fontSize = 9;
    style.durationMs = 5000;
    style.border = QColor(255, 0, 0);
    style.background = QColor(255, 255, 225);
    style.title = QColor(255, 0, 0);
    style.text = QColor(128, 0, 0);
    return style;
}

TBalloonHint::TBalloonHint(QWidget* control, const QString& title, const QString& text, const QImage& picture,
                           const BalloonStyle& style)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint),
      control_(control),
      title_(title),
      text_(text),
      picture_(picture),
      style_(style) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);

    // The balloon replaces the control's own tooltip while it shows.
    if (control_) {
        savedToolTip_ = control_->toolTip();
        control_->setToolTip(QString());
    }

    QFont font(style_.fontName.isEmpty() ? QApplication::font().family() : style_.fontName);
    font.setPointSize(std::max(style_.fontSize, 1));
    setFont(font);
    QFont titleFont = font;
    titleFont.setBold(true);

    // Body size: title row (icon and bold title), then the text wrapped at the preferred width.
    const bool hasIcon = style_.kind != BalloonKind::None;
    const int iconSpace = hasIcon ? kIconSize + 6 : 0;
    const QRect titleBounds = title_.isEmpty() ? QRect() : QFontMetrics(titleFont).boundingRect(title_);
    const QRect textBounds =
        QFontMetrics(font).boundingRect(QRect(0, 0, kPreferredWidth, 10000), Qt::TextWordWrap, text_);
    int contentWidth = std::max({iconSpace + titleBounds.width(), textBounds.width(), picture_.width(), 40});
    int y = kPadding;
    const int titleHeight =
        title_.isEmpty() && !hasIcon ? 0 : std::max(titleBounds.height(), hasIcon ? kIconSize : 0);
    titleRect_ = QRect(kPadding + iconSpace, y, titleBounds.width() + 2, titleHeight);
    y += titleHeight + (titleHeight ? 4 : 0);
    textRect_ =
        QRect(kPadding, y, std::max(textBounds.width(), 1) + 2, text_.isEmpty() ? 0 : textBounds.height());
    y += textRect_.height() + (picture_.isNull() ? 0 : 4) + picture_.height();
    const QSize body(contentWidth + 2 * kPadding, y + kPadding);
    const int arrowOffset = ArrowOnTop(style_.arrow) ? kArrowHeight : 0;
    titleRect_.translate(0, arrowOffset);
    textRect_.translate(0, arrowOffset);
    resize(body.width(), body.height() + kArrowHeight);

    // The tip points at the control, offset as the hint control places it.
    if (control_) {
        const QPoint centre = control_->mapToGlobal(control_->rect().center());
        tip_ = centre + QPoint(kOffsetX, kOffsetY);
    }
    const int tipX = ArrowOnLeft(style_.arrow) ? kArrowInset : width() - kArrowInset;
    const int tipY = ArrowOnTop(style_.arrow) ? 0 : height() - 1;
    move(tip_ - QPoint(tipX, tipY));

    if (style_.durationMs > 0) QTimer::singleShot(style_.durationMs, this, &QWidget::close);
}

TBalloonHint::~TBalloonHint() {
    if (control_ && control_->toolTip().isEmpty()) control_->setToolTip(savedToolTip_);
}

QRect TBalloonHint::BodyRect() const {
    return ArrowOnTop(style_.arrow) ? QRect(0, kArrowHeight, width(), height() - kArrowHeight)
                                    : QRect(0, 0, width(), height() - kArrowHeight);
}

void TBalloonHint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(BodyRect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(body, kRadius, kRadius);
    const double tipX = ArrowOnLeft(style_.arrow) ? kArrowInset : width() - kArrowInset;
    QPainterPath arrow;
    if (ArrowOnTop(style_.arrow)) {
        arrow.moveTo(tipX, 0.5);
        arrow.lineTo(tipX + (ArrowOnLeft(style_.arrow) ? kArrowWidth : -kArrowWidth), body.top() + 1);
        arrow.lineTo(tipX + (ArrowOnLeft(style_.arrow) ? 2 : -2), body.top() + 1);
    } else {
        arrow.moveTo(tipX, height() - 0.5);
        arrow.lineTo(tipX + (ArrowOnLeft(style_.arrow) ? kArrowWidth : -kArrowWidth), body.bottom() - 1);
        arrow.lineTo(tipX + (ArrowOnLeft(style_.arrow) ? 2 : -2), body.bottom() - 1);
    }
    arrow.closeSubpath();
    path = path.united(arrow);
    painter.setPen(QPen(style_.border, 1));
    painter.setBrush(style_.background);
    painter.drawPath(path);

    if (style_.kind != BalloonKind::None) {
        const QIcon icon = style()->standardIcon(KindIcon(style_.kind));
        painter.drawPixmap(kPadding, titleRect_.top(), icon.pixmap(kIconSize, kIconSize));
    }
    QFont titleFont = font();
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.setPen(style_.title);
    painter.drawText(titleRect_, Qt::AlignLeft | Qt::AlignVCenter, title_);
    painter.setFont(font());
    painter.setPen(style_.text);
    painter.drawText(textRect_, Qt::AlignLeft | Qt::TextWordWrap, text_);
    if (!picture_.isNull()) painter.drawImage(kPadding, textRect_.bottom() + 5, picture_);
}

void TBalloonHint::mousePressEvent(QMouseEvent*) {
    close();
}

TBalloonHint* ShowBalloonHint(QWidget* control, const QString& title, const QString& text,
                              const BalloonStyle& style) {
    if (!control) return nullptr;
    auto* balloon = new TBalloonHint(control, title, text, QImage(), style);
    if (style.animate) {
        balloon->setWindowOpacity(0.0);
        auto* fade = new QPropertyAnimation(balloon, "windowOpacity", balloon);
        fade->setDuration(200);
        fade->setStartValue(0.0);
        fade->setEndValue(1.0);
        fade->start(QAbstractAnimation::DeleteWhenStopped);
    }
    balloon->show();
    return balloon;
}

namespace {

class HoverBalloon : public QObject {
  public:
    HoverBalloon(QWidget* control, std::function<QString()> title, std::function<QString()> text,
                 const BalloonStyle& style)
        : QObject(control),
          control_(control),
          title_(std::move(title)),
          text_(std::move(text)),
          style_(style) {
        control->installEventFilter(this);
    }
    ~HoverBalloon() override { Close(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Enter:
                Close();
                balloon_ = ShowBalloonHint(control_, title_ ? title_() : QString(),
                                           text_ ? text_() : QString(), style_);
                break;
            case QEvent::Leave:
            case QEvent::Hide:
            case QEvent::MouseButtonPress:
                Close();
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void Close() {
        if (balloon_) balloon_->close();
    }

    QWidget* control_;
    std::function<QString()> title_, text_;
    BalloonStyle style_;
    QPointer<TBalloonHint> balloon_;
};

}  // namespace

void AttachHoverBalloon(QWidget* control, std::function<QString()> title, std::function<QString()> text,
                        const BalloonStyle& style) {
    if (control) new HoverBalloon(control, std::move(title), std::move(text), style);
}

QString InfoPanelHint(const Localisation& words, int gameNo, bool tournament) {
    return words.WordText(WordKey::TableGame) + QStringLiteral(": ") + QString::number(gameNo) +
           QStringLiteral(" / ") + QString::number(tournament ? 1 : 25);
}

TBalloonHint* ShowPictureHint(const QString& pictureName, QWidget* control, const std::string& programDir,
                              bool onlineTournamentMode) {
    if (!control || !onlineTournamentMode || pictureName.isEmpty()) return nullptr;
    // Names come from the network: keep them inside the history folder.
    if (pictureName.contains(QLatin1Char('/')) || pictureName.contains(QLatin1Char('\\')) ||
        pictureName.contains(QLatin1String("..")))
        return nullptr;
    const QString path = QString::fromStdString(ProgramDirOf(programDir)) + QStringLiteral("History/") +
                         pictureName + QStringLiteral(".bmp");
    if (!QFileInfo(path).isFile()) return nullptr;
    const QImage picture(path);
    if (picture.isNull()) return nullptr;
    BalloonStyle style;
    style.kind = BalloonKind::None;
    style.animate = false;
    auto* balloon = new TBalloonHint(control, QString(), QString(), picture, style);
    balloon->show();
    return balloon;
}

}  // namespace kesp
