#include "windows/tournament_results_panel.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

namespace kesp {
namespace {

constexpr int kRowHeight = 26;
constexpr int kPadding = 6;
const QColor kNavy(0, 0, 128);

}  // namespace

TournamentResultsPanel::TournamentResultsPanel(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void TournamentResultsPanel::SetRow(int row, const QString& label, const QString& value) {
    labels_.at(static_cast<std::size_t>(row)) = label;
    values_.at(static_cast<std::size_t>(row)) = value;
    updateGeometry();
    update();
}

void TournamentResultsPanel::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

QSize TournamentResultsPanel::sizeHint() const {
    const QFontMetrics metrics(font());
    int labelWidth = 0, valueWidth = 0;
    for (int row = 0; row < kRows; ++row) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(labels_[row] + ":"));
        valueWidth = std::max(valueWidth, metrics.horizontalAdvance(values_[row]));
    }
    return {labelWidth + valueWidth + 6 * kPadding, kRows * kRowHeight + 2};
}

void TournamentResultsPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    const int labelWidth = width() / 2;
    if (!picture_.isNull()) p.drawPixmap(rect(), picture_);
    for (int row = 0; row < kRows; ++row) {
        const int y = row * kRowHeight;
        const QRect labelCell(0, y, labelWidth, kRowHeight);
        const QRect valueCell(labelWidth, y, width() - labelWidth, kRowHeight);
        p.setPen(kNavy);
        if (!picture_.isNull()) {
            const QRect line(kPadding, y, width() - 2 * kPadding, kRowHeight);
            p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, labels_[row] + ":");
            p.drawText(line, Qt::AlignRight | Qt::AlignVCenter, values_[row]);
            continue;
        }
        // Alternate rows in two light tints, each cell a soft vertical gradient.
        const QColor tint = row % 2 == 0 ? QColor(232, 240, 255) : QColor(255, 248, 225);
        for (const QRect& cell : {labelCell, valueCell}) {
            QLinearGradient gradient(cell.topLeft(), cell.bottomLeft());
            gradient.setColorAt(0, Qt::white);
            gradient.setColorAt(1, tint);
            p.fillRect(cell, gradient);
            p.setPen(QColor(170, 180, 210));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
        }
        p.setPen(kNavy);
        p.drawText(labelCell.adjusted(kPadding, 0, -kPadding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   labels_[row]);
        p.drawText(valueCell.adjusted(kPadding, 0, -kPadding, 0), Qt::AlignRight | Qt::AlignVCenter,
                   values_[row]);
    }
}

}  // namespace kesp
