#include "app/top_ten_panels.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

#include "records/club_list.h"

namespace kesp {
namespace {

// Plate gradient (top, bottom) and text colour of places 1..3.
struct Plate {
    const char* top;
    const char* bottom;
    const char* text;
};
constexpr std::array<Plate, 3> kPlates = {{{"#fff1a8", "#d9a520", "#600000"},
                                           {"#f4f4f8", "#a8acb8", "#000060"},
                                           {"#f2c29a", "#b06a30", "#3c1400"}}};
constexpr int kFrame = 2;  // the frame's width and the gap between the plates

}  // namespace

TopTenPanels::TopTenPanels(QWidget& window) : board_(new QWidget(&window)) {
    board_->setObjectName(QStringLiteral("TopTenBoard"));
    board_->setAttribute(Qt::WA_StyledBackground);
    board_->setStyleSheet(QStringLiteral("#TopTenBoard { background: #4a2a10; border-radius: 5px; }"));
    board_->hide();
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(board_);
        panel->setObjectName(QStringLiteral("TopTenPanel%1").arg(i + 1));
        panel->setAlignment(Qt::AlignCenter);
        panel->setTextFormat(Qt::PlainText);
        panel->setStyleSheet(QStringLiteral("QLabel { color: %3; border-radius: 3px;"
                                            " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                            " stop:0 %1, stop:1 %2); }")
                                 .arg(QLatin1String(kPlates[i].top), QLatin1String(kPlates[i].bottom),
                                      QLatin1String(kPlates[i].text)));
        panels_[i] = panel;
    }
}

void TopTenPanels::Show(const ClubFile* club, const QFont& font, const QRect& area, int textMargin) {
    board_->setGeometry(area);
    const int width = area.width() - 2 * kFrame;
    const int height = (area.height() - 4 * kFrame) / 3;
    const QFontMetrics metrics(font);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        QLabel* panel = panels_[i];
        panel->setGeometry(kFrame, kFrame + static_cast<int>(i) * (height + kFrame), width, height);
        panel->setFont(font);
        QString text;
        if (club) {
            const ClubRow row = TopTenPanelRow(club->Line[6 + i]);
            text = QString::fromStdString(FittedRow(row, [&](std::string_view utf8) {
                return metrics.horizontalAdvance(QString::fromUtf8(
                           utf8.data(), static_cast<int>(utf8.size()))) <= width - textMargin;
            }));
        }
        panel->setText(text);
    }
    board_->show();
}

void TopTenPanels::Hide() {
    board_->hide();
}

}  // namespace kesp
