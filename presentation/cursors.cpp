#include "presentation/cursors.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextEdit>
#include <algorithm>

#include "art_resources.h"
#include "presentation/cards_button.h"
#include "presentation/resource_library.h"
#include "records/settings.h"

namespace kesp {

namespace {

constexpr int kDefaultFrameMs = 100;
constexpr char kClickableProperty[] = "kespClickable";

// Frames of a multi-frame picture (an animated GIF or PNG) at a resource path, with its frame time.
QList<QPixmap> ReadFrames(const QString& path, int& frameMs) {
    QList<QPixmap> frames;
    QImageReader reader(path);
    if (!reader.canRead()) return frames;
    while (reader.canRead()) {
        const QImage image = reader.read();
        if (image.isNull()) break;
        if (frames.isEmpty() && reader.nextImageDelay() > 0) frameMs = reader.nextImageDelay();
        frames.append(QPixmap::fromImage(image));
        if (reader.imageCount() <= 1) break;
    }
    return frames;
}

// The hot spot stored in the picture's text ("HotX", "HotY"), else the given default.
QPoint HotSpotOf(const QImage& image, QPoint fallback) {
    bool okX = false, okY = false;
    const int x = image.text(QStringLiteral("HotX")).toInt(&okX);
    const int y = image.text(QStringLiteral("HotY")).toInt(&okY);
    if (okX && okY && x >= 0 && y >= 0 && x < image.width() && y < image.height()) return {x, y};
    return fallback;
}

}  // namespace

Qt::CursorShape SystemCursorShape(CursorKind kind) {
    switch (kind) {
        case CursorKind::Arrow:
            return Qt::ArrowCursor;
        case CursorKind::Hand:
            return Qt::PointingHandCursor;
        case CursorKind::Wait:
            return Qt::WaitCursor;
        case CursorKind::Edit:
            return Qt::IBeamCursor;
    }
    return Qt::ArrowCursor;
}

QString OwnCursorName(CursorKind kind) {
    switch (kind) {
        case CursorKind::Arrow:
            return QStringLiteral("CURARROW");
        case CursorKind::Hand:
            return QStringLiteral("CURHAND");
        case CursorKind::Wait:
            return QStringLiteral("CURWAIT");
        case CursorKind::Edit:
            return QStringLiteral("CUREDIT");
    }
    return {};
}

CursorKind CursorKindFor(const QWidget& widget) {
    if (widget.property(kClickableProperty).toBool()) return CursorKind::Hand;
    if (qobject_cast<const QAbstractButton*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
        qobject_cast<const QAbstractSlider*>(&widget) || qobject_cast<const QTabBar*>(&widget))
        return CursorKind::Hand;
    if (qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QAbstractSpinBox*>(&widget))
        return CursorKind::Edit;
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->openExternalLinks() ? CursorKind::Hand : CursorKind::Arrow;
    // What a scroll area shows lives in its viewport: rows of a list or grid are chosen by a click,
    // an editable text is typed into.
    const QWidget* owner = widget.parentWidget();
    if (owner && widget.objectName() == QLatin1String("qt_scrollarea_viewport")) {
        if (qobject_cast<const QAbstractItemView*>(owner)) return CursorKind::Hand;
        if (const auto* text = qobject_cast<const QTextEdit*>(owner))
            return text->isReadOnly() ? CursorKind::Arrow : CursorKind::Edit;
        if (const auto* text = qobject_cast<const QPlainTextEdit*>(owner))
            return text->isReadOnly() ? CursorKind::Arrow : CursorKind::Edit;
    }
    return CursorKind::Arrow;
}

void MarkClickable(QWidget* widget) {
    if (widget) widget->setProperty(kClickableProperty, true);
}

TAnimatedCursor::TAnimatedCursor(QList<QPixmap> frames, QPoint hotSpot, int frameMs, QObject* parent)
    : QObject(parent), frames_(std::move(frames)), hotSpot_(hotSpot) {
    timer_.setInterval(std::max(frameMs, 10));
    connect(&timer_, &QTimer::timeout, this, &TAnimatedCursor::Step);
}

QCursor TAnimatedCursor::Cursor() const {
    if (frames_.isEmpty()) return QCursor(Qt::ArrowCursor);
    return QCursor(frames_[frame_], hotSpot_.x(), hotSpot_.y());
}

void TAnimatedCursor::Apply(QWidget* widget) {
    if (!widget) return;
    if (!widgets_.contains(widget)) {
        widgets_.append(widget);
        widget->installEventFilter(this);
    }
    widget->setCursor(Cursor());
    if (widget->underMouse()) Hover(widget);
}

void TAnimatedCursor::Release(QWidget* widget) {
    if (!widget) return;
    widget->removeEventFilter(this);
    widgets_.removeAll(widget);
    if (hovered_ == widget) Hover(nullptr);
}

// Only the control under the pointer shows the cursor, so only that one needs the frames: the menu
// at rest wakes nobody up.
void TAnimatedCursor::Hover(QWidget* widget) {
    hovered_ = widget;
    if (!widget) {
        timer_.stop();
        return;
    }
    widget->setCursor(Cursor());
    if (frames_.size() > 1 && !timer_.isActive()) timer_.start();
}

bool TAnimatedCursor::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && event->type() == QEvent::Enter) Hover(widget);
    if (widget && event->type() == QEvent::Leave && hovered_ == widget) {
        // Back over an outer control of the same cursor, if there is one.
        QWidget* outer = nullptr;
        for (const auto& other : widgets_)
            if (other && other != widget && other->underMouse()) outer = other;
        Hover(outer);
    }
    return QObject::eventFilter(watched, event);
}

void TAnimatedCursor::Step() {
    if (!hovered_ || frames_.isEmpty()) {
        timer_.stop();
        return;
    }
    frame_ = (frame_ + 1) % static_cast<int>(frames_.size());
    hovered_->setCursor(Cursor());
}

std::unique_ptr<TAnimatedCursor> LoadAnimatedCursor(const QString& name, QObject* parent) {
    InitArtResources();
    const QString upper = name.toUpper();
    int frameMs = kDefaultFrameMs;
    QList<QPixmap> frames;
    QImage first;
    for (const QString& path :
         {QStringLiteral(":/") + upper, QStringLiteral(":/") + upper + QStringLiteral(".GIF"),
          QStringLiteral(":/") + upper + QStringLiteral(".PNG")}) {
        if (!QFileInfo::exists(path)) continue;
        frames = ReadFrames(path, frameMs);
        if (frames.size() > 1) {
            first = QImage(path);
            break;
        }
        frames.clear();
    }
    if (frames.isEmpty()) {
        for (const QString& separator : {QStringLiteral("_"), QString()}) {
            for (int k = 1;; ++k) {
                const QImage image = LoadResourceImage(upper + separator + QString::number(k));
                if (image.isNull()) break;
                if (first.isNull()) first = image;
                frames.append(QPixmap::fromImage(image));
            }
            if (!frames.isEmpty()) break;
        }
    }
    if (frames.isEmpty()) {
        first = LoadResourceImage(upper);
        if (first.isNull()) return nullptr;
        frames.append(QPixmap::fromImage(first));
    }
    const QPoint hotSpot = HotSpotOf(first, QPoint(frames[0].width() / 2, frames[0].height() / 2));
    return std::make_unique<TAnimatedCursor>(std::move(frames), hotSpot, frameMs, parent);
}

TCursors::TCursors(bool ownCursor, QObject* parent) : QObject(parent), own_(ownCursor) {
    Load();
}

void TCursors::Load() {
    hasOwnArrow_ = false;
    ownArrow_ = QCursor();
    animated_.clear();
    if (!own_) return;
    const QImage arrow = LoadResourceImage(OwnCursorName(CursorKind::Arrow));
    if (!arrow.isNull()) {
        const QPoint hot = HotSpotOf(arrow, QPoint(0, 0));
        ownArrow_ = QCursor(QPixmap::fromImage(arrow), hot.x(), hot.y());
        hasOwnArrow_ = true;
    }
    for (CursorKind kind : {CursorKind::Hand, CursorKind::Wait, CursorKind::Edit}) {
        if (auto cursor = LoadAnimatedCursor(OwnCursorName(kind), this)) animated_[kind] = std::move(cursor);
    }
}

bool TCursors::IsAnimated(CursorKind kind) const {
    return own_ && animated_.count(kind) != 0;
}

QCursor TCursors::Cursor(CursorKind kind) const {
    if (own_) {
        if (kind == CursorKind::Arrow && hasOwnArrow_) return ownArrow_;
        if (auto it = animated_.find(kind); it != animated_.end()) return it->second->Cursor();
    }
    return QCursor(SystemCursorShape(kind));
}

void TCursors::Apply(QWidget* widget, CursorKind kind) {
    if (!widget) return;
    for (auto& [k, cursor] : animated_) cursor->Release(widget);
    if (IsAnimated(kind)) {
        animated_.at(kind)->Apply(widget);
    } else {
        widget->setCursor(Cursor(kind));
    }
}

void TCursors::ApplyToWindow(QWidget* window) {
    if (!window) return;
    Apply(window, CursorKindFor(*window));
    for (QWidget* control : window->findChildren<QWidget*>()) Apply(control, CursorKindFor(*control));
}

void TCursors::FollowAllWindows() {
    if (!following_ && qApp) {
        qApp->installEventFilter(this);
        following_ = true;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) ApplyToWindow(window);
}

void TCursors::SetOwnCursor(bool ownCursor) {
    if (ownCursor == own_) return;
    own_ = ownCursor;
    Load();
    for (QWidget* window : QApplication::topLevelWidgets()) ApplyToWindow(window);
}

// Every control is polished once, just before it is first shown: the moment to give it its cursor.
bool TCursors::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        Apply(widget, CursorKindFor(*widget));
    }
    return QObject::eventFilter(watched, event);
}

std::string FindGraphicsLibrary(const std::string& programDir) {
    return ResourceLibrary::FindFile(ProgramDirOf(programDir), "ZunCGraph1.dll").toStdString();
}

QImage LoadTouchBurstStrip(const std::string& programDir) {
    const ResourceLibrary library(ProgramDirOf(programDir), "ZunCGraph1.dll");
    // The image holds its own copy of the pixels, so the library can go.
    return library.LoadImage("GTouch").copy();
}

TTouchBurst::TTouchBurst(const QImage& strip, QPoint centre)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput), strip_(strip) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(kFrameSize, kFrameSize);
    move(centre - QPoint(kFrameSize / 2, kFrameSize / 2));
    const int frames = std::min(kFrames, strip_.width() / kFrameSize);
    timer_.setInterval(kFrameMs);
    connect(&timer_, &QTimer::timeout, this, [this, frames] {
        if (++frame_ > frames) {
            timer_.stop();
            close();  // what was under the burst shows again
            return;
        }
        update();
    });
    timer_.start();
}

void TTouchBurst::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(0, 0), strip_, QRect((frame_ - 1) * kFrameSize, 0, kFrameSize, kFrameSize));
}

TTouchBurst* TouchBurst(const QImage& strip, QPoint globalPos, bool enabled) {
    if (!enabled || strip.isNull() || strip.width() < TTouchBurst::kFrameSize ||
        strip.height() < TTouchBurst::kFrameSize)
        return nullptr;
    auto* burst = new TTouchBurst(strip, globalPos);
    burst->show();
    return burst;
}

}  // namespace kesp
