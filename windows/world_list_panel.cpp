#include "windows/world_list_panel.h"

#include <QLinearGradient>
#include <QPainter>

#include "presentation/country_flags.h"
#include "presentation/words.h"
#include "windows/window_art.h"

namespace kesp {
namespace {

const QColor kDarkRed(128, 0, 0);
const QColor kRed(200, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kGrey(90, 90, 90);

// Lines of the panel: title, ten places, count, own heading and three own entries, with room.
constexpr int kPanelRows = 18;

}  // namespace

WorldListPanel::WorldListPanel(const Settings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {
    setMinimumSize(560, 460);
}

void WorldListPanel::ShowReading(int list) {
    content_ = WorldListContent{};
    content_.List = list;
    content_.Connected = true;
    reading_ = true;
    update();
}

void WorldListPanel::ShowContent(WorldListContent content) {
    content_ = std::move(content);
    reading_ = false;
    update();
}

void WorldListPanel::DrawLine(QPainter& p, const WorldListLine& line, const QRect& box) const {
    const int h = box.height();
    const int w = box.width();
    const int iconSize = std::max(10, h * 2 / 3);
    const int middle = box.top() + (h - iconSize) / 2;
    int x = box.left();
    p.drawText(QRect(x, box.top(), w * 8 / 100, h), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(line.Place) + '.');
    x += w * 9 / 100;
    if (!line.Country.empty()) {
        const QPixmap flag = CountryFlag(line.Country, iconSize);
        p.drawPixmap(x, middle, flag);
        x += flag.width() + 6;
    }
    if (line.Sex) {
        const QPixmap icon = RecordWindowPicture(line.Sex == 'W' ? "GSexW" : "GSexM");
        if (!icon.isNull()) p.drawPixmap(QRect(x, middle, iconSize, iconSize), icon);
        x += iconSize + 6;
    }
    const int scoreWidth = w * 16 / 100;
    const int scoreLeft = box.right() - scoreWidth;
    const int nickWidth = line.Where.empty() ? scoreLeft - x - 8 : (scoreLeft - x) * 45 / 100;
    const QFontMetrics metrics = p.fontMetrics();
    p.drawText(QRect(x, box.top(), nickWidth, h), Qt::AlignLeft | Qt::AlignVCenter,
               metrics.elidedText(QString::fromStdString(line.Nick), Qt::ElideRight, nickWidth));
    if (!line.Where.empty()) {
        const int whereLeft = x + nickWidth + 8;
        const int whereWidth = scoreLeft - whereLeft - 8;
        p.drawText(QRect(whereLeft, box.top(), whereWidth, h), Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(QString::fromStdString(line.Where), Qt::ElideRight, whereWidth));
    }
    p.drawText(QRect(scoreLeft, box.top(), scoreWidth, h), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromStdString(line.Score));
}

void WorldListPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect area = rect();
    QLinearGradient paper(area.topLeft(), area.bottomLeft());
    paper.setColorAt(0.0, QColor(255, 250, 232));
    paper.setColorAt(1.0, QColor(240, 228, 196));
    p.fillRect(area, paper);
    p.setPen(QPen(QColor(150, 110, 40), 3));
    p.drawRect(area.adjusted(4, 4, -5, -5));

    const int language = settings_.CurrentLanguage;
    const int row = area.height() / kPanelRows;
    const QRect inner = area.adjusted(24, 10, -24, -10);
    QFont font(QString::fromStdString(settings_.FontSmall));
    font.setPixelSize(std::max(10, row * 55 / 100));
    font.setBold(true);
    p.setFont(font);
    p.setPen(kDarkRed);
    p.drawText(QRect(inner.left(), inner.top(), inner.width(), row * 3 / 2), Qt::AlignCenter,
               WordText(WorldListTitle(content_.List), language));
    int top = inner.top() + row * 3 / 2 + 4;
    p.drawLine(inner.left(), top - 2, inner.right(), top - 2);

    font.setBold(false);
    p.setFont(font);
    if (!content_.Connected) {
        p.setPen(kRed);
        font.setPixelSize(font.pixelSize() * 2);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRect(inner.left(), top, inner.width(), row * 10), Qt::AlignCenter,
                   WordText(WordKey::NoConnect, language));
        return;
    }
    for (const WorldListLine& line : content_.Lines) {
        p.setPen(line.Place >= 1 && line.Place <= 3 ? kRed : kNavy);
        DrawLine(p, line, QRect(inner.left(), top, inner.width(), row));
        top += row;
    }
    top = inner.top() + row * 3 / 2 + 4 + row * 10 + row / 3;
    if (content_.RecordCount) {
        p.setPen(kGrey);
        p.drawText(QRect(inner.left(), top, inner.width(), row), Qt::AlignRight | Qt::AlignVCenter,
                   WordText(WordKey::WorldRecordCount, language) + QString::number(*content_.RecordCount));
    }
    if (!content_.Own) return;
    top += row;
    p.setPen(kDarkRed);
    p.drawLine(inner.left(), top, inner.right(), top);
    font.setBold(true);
    p.setFont(font);
    p.drawText(
        QRect(inner.left(), top, inner.width(), row), Qt::AlignLeft | Qt::AlignVCenter,
        WordText(content_.Own->empty() ? WordKey::WorldNoOwnRecords : WordKey::WorldOwnRecords, language));
    font.setBold(false);
    p.setFont(font);
    p.setPen(kNavy);
    for (const WorldListLine& line : *content_.Own) {
        top += row;
        DrawLine(p, line, QRect(inner.left(), top, inner.width(), row));
    }
}

}  // namespace kesp
