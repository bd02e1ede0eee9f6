#include "presentation/menu_layout.h"

#include <QPainter>

namespace kesp {

bool MenuPanelsShown(int windowSize, QSize client) {
    switch (WindowSizeInRange(windowSize)) {
        case window_size::Average2:
        case window_size::Large:
            return true;
        case window_size::FullScreen:
            return client.width() > 1290 && client.height() > 850;
        default:
            return false;
    }
}

MenuGeometry LayoutMainMenu(const WindowScales& scales, int windowSize, QSize client, bool calendarShown) {
    const Placement p(scales);
    const int r = p.S(30);
    MenuGeometry m;
    m.caption = p.Rect(180, 12, 400, 70);
    m.header = p.Rect(205, 183, 350, 40);
    m.titlePicture = QRect(p.StretchX(230), p.StretchY(90) - p.S(5), p.StretchX(300), 3 * r);
    const int rowsTop = p.StretchY(265);
    m.clubHeader = QRect(p.StretchX(180), rowsTop - r - p.S(10), p.StretchX(400), r);
    for (int k = 1; k <= 5; ++k)
        m.clubRows[static_cast<std::size_t>(k - 1)] =
            QRect(p.StretchX(180), rowsTop + (k - 1) * r, p.StretchX(400), r);
    m.newPlayer = QRect(p.StretchX(280), rowsTop + 5 * r + p.S(10), p.StretchX(200), r);
    m.topTen = QRect(p.StretchX(40), p.StretchY(225), p.StretchX(100), r);
    m.options = QRect(p.StretchX(620), p.StretchY(225), p.StretchX(100), r);
    m.history = QRect(p.StretchX(40), p.StretchY(255), p.StretchX(100), r);
    m.mode = QRect(p.StretchX(620), p.StretchY(255), p.StretchX(100), r);
    m.exit = QRect(p.StretchX(330), p.StretchY(465), p.StretchX(100), r);

    const int z = calendarShown ? 20 : 0;
    m.animatedLeft = p.FixedRect(7, 290, 160, 200);
    m.animatedRight = p.FixedRect(592, 290, 160, 200);
    m.sideLeft = p.FixedRect(60 - z, 30, 100, 200);
    m.sideRight = p.FixedRect(600 + z, 30, 100, 200);
    m.calendarLeft = p.FixedRect(150, 95, 60, 100);
    m.calendarRight = p.FixedRect(550, 95, 60, 100);

    m.panelsShown = MenuPanelsShown(windowSize, client);
    m.counterShown = m.panelsShown && scales.s >= 1.6;
    // The buttons below the side pictures ("Top Ten", "Options") bound the free height, so that the
    // panels never lie under them.
    auto panelUnder = [&](const QRect& side, const QRect& below) {
        const int g = below.top() - (side.top() + 200);
        return QRect(side.left() - 7, side.top() + 200 + RoundHalfEven(g / 2.0) - 36, 115, 64);
    };
    m.clock = panelUnder(m.sideLeft, m.topTen);
    m.counter = panelUnder(m.sideRight, m.options);

    const QPoint offsets[3] = {{16, 15}, {41, 1}, {66, 15}};
    for (int i = 0; i < 3; ++i) {
        m.tickSymbols[static_cast<std::size_t>(i)] = QRect(m.sideLeft.topLeft() + offsets[i], QSize(20, 30));
        m.tickSymbols[static_cast<std::size_t>(i + 3)] =
            QRect(m.sideRight.topLeft() + offsets[i], QSize(20, 30));
    }
    return m;
}

ButtonColours MenuButtonColours(MenuButtonKind kind, bool libraryDesign, bool newButtons, bool onlineRow,
                                QColor designText) {
    const QColor yellow(255, 255, 0);
    // The graphics library's design draws its buttons in the cards scheme.
    if (libraryDesign) {
        if (kind == MenuButtonKind::ClubHeader) return {TColorSB::DCards, 50, QColor(128, 50, 50), QColor()};
        return {TColorSB::DCards, 0, designText, yellow};
    }
    switch (kind) {
        case MenuButtonKind::ClubRow:
            return {TColorSB::DNavy, 0, QColor(0, 255, 255), yellow};
        case MenuButtonKind::OwnRow:
            return {onlineRow ? TColorSB::DRed : TColorSB::DNavy, 0, QColor(0, 255, 255), yellow};
        case MenuButtonKind::ClubHeader:
            return {TColorSB::DBlue, 0, newButtons ? QColor(0, 0, 255) : QColor(200, 255, 255), QColor()};
        case MenuButtonKind::Command:
            break;
    }
    return {TColorSB::DRed, 0, QColor(255, 255, 255), yellow};
}

void ApplyButtonColours(TZunCardsButton& button, const ButtonColours& colours, bool newStyle) {
    button.SetColorSB(colours.scheme);
    button.SetKLightSB(colours.lighten);
    QPalette palette = button.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::ButtonText, colours.text);
    button.setPalette(palette);
    button.SetLightFont(colours.hoverText.isValid());
    if (colours.hoverText.isValid()) button.SetColorMouse(colours.hoverText);
    button.SetNewStyle(newStyle);
}

bool ClockColonShown(QTime time) {
    return time.isValid() && time.msec() > 500;
}

QImage DrawClockPanel(const TableArt& art, const QImage& backgroundPiece, QTime time) {
    QImage panel(115, 64, QImage::Format_ARGB32_Premultiplied);
    panel.fill(Qt::transparent);
    QPainter painter(&panel);
    if (!backgroundPiece.isNull()) painter.drawImage(0, 0, backgroundPiece);
    auto picture = [&](const char* name, QSize size) {
        const QImage image = art.Picture(name);
        return image.isNull() ? StandInPicture(name, size) : image;
    };
    painter.drawImage(0, 0, picture("GClockBG", {115, 64}));
    if (!time.isValid()) return panel;
    auto digit = [&](int x, int d) {
        const std::string name = "GBClock" + std::to_string(d);
        painter.drawImage(x, 15, picture(name.c_str(), {18, 34}));
    };
    if (time.hour() / 10 != 0) digit(14, time.hour() / 10);
    digit(34, time.hour() % 10);
    digit(61, time.minute() / 10);
    digit(81, time.minute() % 10);
    if (ClockColonShown(time)) painter.drawImage(55, 24, picture("GBClockP", {5, 16}));
    return panel;
}

}  // namespace kesp
