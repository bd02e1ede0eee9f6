#include "presentation/chat_memo.h"

#include <QFontMetrics>
#include <QPainter>

#include "presentation/font_roles.h"

namespace kesp {
namespace {
constexpr int kMaxCuts = 12;
constexpr int kTextWidth = 85;  // design units of the strip given to a line
constexpr int kFontHeight = 14;
}  // namespace

QColor ChatSeatColour(int seat) {
    switch (seat) {
        case 1:
            return {128, 0, 0};
        case 2:
            return {0, 0, 128};
        case 3:
            return {0, 128, 0};
        case 4:
            return {128, 128, 0};
        default:
            return Qt::black;
    }
}

QString FitChatLine(QString text, const std::function<bool(const QString&)>& fits) {
    if (text.startsWith(u's')) text.remove(0, 1);
    bool cut = false;
    for (int i = 0; i < kMaxCuts && !text.isEmpty() && !fits(text); ++i) {
        text.chop(1);
        cut = true;
    }
    return cut ? text + QStringLiteral("...") : text;
}

void ChatMemo::Add(int seat, const QString& fittedText) {
    if (count_ == kLines) {
        for (int j = 1; j < kLines; ++j)
            lines_[static_cast<std::size_t>(j - 1)] = lines_[static_cast<std::size_t>(j)];
        --count_;
    }
    lines_[static_cast<std::size_t>(count_++)] = {fittedText, seat};
}

ChatStrip::ChatStrip(const TableArt& art, QWidget* parent) : QWidget(parent), art_(art) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void ChatStrip::Layout(const TableGeometry& geometry, const Placement& placement, bool small,
                       const QString& fontFamily) {
    placement_ = placement;
    small_ = small;
    setGeometry(geometry.chatBox);
    font_ = FontOfHeight(fontFamily, placement_.S(kFontHeight));
    update();
}

void ChatStrip::ShowLine(int seat, const QString& text) {
    const QFontMetrics metrics(font_);
    const int room = placement_.S(kTextWidth);
    memo_.Add(seat,
              FitChatLine(text, [&](const QString& t) { return metrics.horizontalAdvance(t) <= room; }));
    update();
}

void ChatStrip::Clear() {
    memo_.Clear();
    update();
}

void ChatStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const char* name = small_ ? "RamkaERSm" : "RamkaERBg";
    QImage frame = art_.Picture(name);
    if (frame.isNull()) frame = StandInPicture(name, size());
    if (small_)
        p.drawImage(0, 0, frame);
    else
        p.drawImage(rect(), frame);
    p.setFont(font_);
    const QFontMetrics metrics(font_);
    for (int j = 1; j <= memo_.Count(); ++j) {
        const ChatMemoLine& line = memo_.Line(j);
        p.setPen(ChatSeatColour(line.seat));
        p.drawText(placement_.S(20), placement_.S(14 * j + 3) + metrics.ascent(), line.text);
    }
}

}  // namespace kesp
