// The look of the title screen, the menu and the table's buttons in a larger window: the title fills
// the window, the menu's buttons take their design's colours, the clock stands clear of the buttons,
// and the table's buttons take the menu buttons' font and grey out when disabled.
#include <QFile>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "presentation/cards_button.h"
#include "presentation/menu_clock.h"
#include "records/club.h"
#include "window_fixture.h"

namespace kesp {
using namespace test;

namespace {

// A settings file that asks for a window size (the rest as the defaults, sound and music off).
void WriteWindowSize(const QString& folder, int windowSize) {
    QFile file(folder + "Kesp.ini");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray text = "<# General>\r\n00111014" + QByteArray::number(windowSize) + "##110010000\r\n";
    for (int line = 3; line <= 35; ++line) text += "\r\n";
    file.write(text);
}

QColor TextColour(const QPushButton* button) {
    return button->palette().color(QPalette::Active, QPalette::ButtonText);
}

}  // namespace

TEST(MenuLook, LargerWindowTitleMenuAndTableButtons) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    WriteWindowSize(folder, window_size::Average2);
    ModalAnswerer answerer;
    TForm1 window(folder.toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    ASSERT_EQ(window.size(), QSize(1290, 850));

    // The title is centred on black: no table colour at the edges, the white frame where the centred
    // design puts it.
    const QImage title = window.grab().toImage();
    const QPoint origin((1290 - 760) / 2, (850 - 500) / 2);
    EXPECT_EQ(title.pixel(2, 2) | 0xff000000u, qRgb(0, 0, 0));
    EXPECT_EQ(title.pixel(1287, 847) | 0xff000000u, qRgb(0, 0, 0));
    EXPECT_EQ(title.pixel(origin + QPoint(140, 60)) | 0xff000000u, qRgb(255, 255, 255));

    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_EQ(window.CurrentScreen(), TForm1::Screen::Menu);
    auto button = [&](const char* name) {
        auto* b = window.findChild<TZunCardsButton*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    };
    TZunCardsButton* header = button("BHeader");
    EXPECT_FALSE(header->isEnabled());
    EXPECT_EQ(header->ColorSB(), TColorSB::DBlue);
    EXPECT_EQ(TextColour(header), QColor(200, 255, 255));  // "New buttons" is off
    for (const char* row : {"Button1", "Button5", "Button6"}) {
        EXPECT_EQ(button(row)->ColorSB(), TColorSB::DNavy) << row;
        EXPECT_EQ(TextColour(button(row)), QColor(0, 255, 255)) << row;
        EXPECT_EQ(button(row)->ColorMouse(), QColor(255, 255, 0)) << row;
    }
    TZunCardsButton* topTen = button("Button9");
    EXPECT_EQ(topTen->ColorSB(), TColorSB::DRed);
    EXPECT_EQ(TextColour(topTen), QColor(255, 255, 255));

    auto* clock = window.findChild<MenuClock*>();
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(clock->isVisible());
    EXPECT_FALSE(clock->geometry().intersects(topTen->geometry()));
    EXPECT_FALSE(clock->geometry().intersects(button("BHistory")->geometry()));

    window.StartGame(member::NewPlayer, ClubMember{"Look", 0, 0, 0, EncodePassword("l")});
    EXPECT_FALSE(clock->isVisible());
    TZunCardsButton* action = button("Button7");
    const FontRoles fonts(window.CurrentSettings());
    EXPECT_EQ(action->font().pixelSize(), fonts.MenuButtonFont(window_size::Average2, 1.7).pixelSize());
    EXPECT_GT(action->font().pixelSize(), 20);
    EXPECT_TRUE(action->GrayDis());
    EXPECT_EQ(TextColour(action), QColor(255, 255, 255));
    window.close();
}

}  // namespace kesp
