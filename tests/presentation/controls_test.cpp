#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "presentation/cards_button.h"
#include "presentation/cursors.h"
#include "presentation/hints.h"
#include "presentation/message_window.h"
#include "qt_test_app.h"
#include "records/settings.h"

namespace kesp {
namespace {

// One QApplication for every test of this program.
class ControlsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!qApp) {
            static int argc = 1;
            static char name[] = "controls_test";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }
};

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xff000000u;
}

// Counts matching pixels below the button's dark top rows, where the caption is.
int CountPixels(const QImage& image, const std::function<bool(QColor)>& match) {
    int n = 0;
    for (int y = 4; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(QColor::fromRgb(image.pixel(x, y)))) ++n;
    return n;
}

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

std::string Rgb(QRgb c) {
    return std::to_string(qRed(c)) + "," + std::to_string(qGreen(c)) + "," + std::to_string(qBlue(c));
}

TEST_F(ControlsTest, StandardGradientRowsAreFixed) {
    const auto g30 = ButtonGradient(30);
    ASSERT_EQ(g30.size(), 29u);
    EXPECT_EQ(g30[0], qRgb(128, 0, 0));
    EXPECT_EQ(g30[1], qRgb(17, 0, 0));
    EXPECT_EQ(g30[13], qRgb(176, 80, 80));
    EXPECT_EQ(g30[14], qRgb(152, 36, 36));
    EXPECT_EQ(g30[15], qRgb(136, 0, 0));
    EXPECT_EQ(g30[27], qRgb(238, 0, 0));
    EXPECT_EQ(g30[28], qRgb(128, 0, 0));

    struct Case {
        int height, nearBlack;
        QRgb third, paleFrom, paleTo, darker;
        int paleRows, redFrom, redTo;
    };
    for (const Case& c : {Case{45, 11, qRgb(132, 93, 93), qRgb(239, 180, 180), qRgb(175, 74, 74),
                               qRgb(153, 34, 34), 19, 136, 244},
                          Case{60, 9, qRgb(131, 94, 94), qRgb(243, 183, 183), qRgb(172, 71, 71),
                               qRgb(150, 33, 33), 26, 132, 246}}) {
        const auto g = ButtonGradient(c.height);
        ASSERT_EQ(static_cast<int>(g.size()), c.height - 1);
        EXPECT_EQ(g[0], qRgb(128, 0, 0));
        EXPECT_EQ(g[1], qRgb(c.nearBlack, 0, 0));
        EXPECT_EQ(g[2], c.third);
        EXPECT_EQ(g[3], c.paleFrom);
        EXPECT_EQ(g[2 + c.paleRows], c.paleTo);
        for (int i = 4; i < 3 + c.paleRows; ++i) {
            EXPECT_LE(qRed(g[i]), qRed(g[i - 1])) << "the pale band falls, row " << i;
            EXPECT_LE(qGreen(g[i]), qGreen(g[i - 1]));
        }
        EXPECT_EQ(g[3 + c.paleRows], c.darker);
        EXPECT_EQ(g[4 + c.paleRows], qRgb(c.redFrom, 0, 0));
        EXPECT_EQ(g[c.height - 3], qRgb(c.redTo, 0, 0));
        EXPECT_EQ(g[c.height - 2], qRgb(128, 0, 0));
    }
    EXPECT_TRUE(ButtonGradient(31).empty());
}

TEST_F(ControlsTest, SchemesRecolourTheRedArt) {
    const QRgb pale = qRgb(232, 173, 173);
    struct Case {
        TColorSB scheme;
        int light;
        bool newStyle;
        QRgb in, out;
    };
    const Case cases[] = {
        {TColorSB::DRed, 0, false, pale, pale},
        {TColorSB::DGreen, 0, false, pale, qRgb(173, 232, 173)},
        {TColorSB::DBlue, 0, false, pale, qRgb(173, 232, 232)},
        {TColorSB::DNavy, 0, false, pale, qRgb(173, 173, 232)},
        {TColorSB::DYellow, 0, false, pale, qRgb(232, 232, 173)},
        {TColorSB::DViolet, 0, false, pale, qRgb(232, 173, 232)},
        {TColorSB::DOrang, 0, false, pale, qRgb(232, 165, 121)},
        {TColorSB::DOrang, 0, false, qRgb(10, 20, 30), qRgb(10, 20, 30)},  // not reddish: unchanged
        {TColorSB::DCards, 0, false, pale, qRgb(162, 0, 232)},
        {TColorSB::DCards, 0, true, qRgb(238, 0, 0), qRgb(143, 0, 238)},
        {TColorSB::DCards, 0, true, pale, pale},  // far from pure red: kept in the new style
        {TColorSB::DRed, 50, false, qRgb(128, 0, 0), qRgb(192, 128, 128)},
        {TColorSB::DRed, 100, false, qRgb(17, 0, 0), qRgb(255, 255, 255)},
        {TColorSB::DRed, 50, true, pale, pale},  // new style lightens only near-red pixels
        {TColorSB::DGreen, 20, false, qRgb(128, 0, 0), qRgb(51, 153, 51)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rgb(SchemeColor(c.in, c.scheme, c.light, c.newStyle)), Rgb(c.out))
            << "scheme " << static_cast<int>(c.scheme) << " light " << c.light << " new " << c.newStyle;
}

TEST_F(ControlsTest, EndPiecesFollowTheHeightBands) {
    const std::pair<int, int> widths[] = {{20, 5}, {30, 8}, {31, 9}, {45, 13}, {46, 13}, {60, 17}, {90, 26}};
    for (auto [height, width] : widths) EXPECT_EQ(EndPieceWidth(height), width) << height;
    EXPECT_EQ(ButtonBand(30), 29);
    EXPECT_EQ(ButtonBand(31), 44);
    EXPECT_EQ(ButtonBand(46), 59);
}

TEST_F(ControlsTest, PaintedMiddleRowsFollowTheSchemeGradient) {
    for (int height : {30, 45, 60}) {
        for (TColorSB scheme : {TColorSB::DRed, TColorSB::DNavy, TColorSB::DOrang}) {
            TZunCardsButton button;
            button.resize(120, height);
            button.SetColorSB(scheme);
            button.SetKLightSB(30);
            const QImage image = Grab(button);
            const auto gradient = ButtonGradient(height);
            for (int row = 0; row < height - 1; ++row)
                ASSERT_EQ(Rgb(Pixel(image, 60, row)), Rgb(SchemeColor(gradient[row], scheme, 30, false)))
                    << "height " << height << " scheme " << static_cast<int>(scheme) << " row " << row;
            // The middle runs from the end width to the right end's first column.
            const int c = EndPieceWidth(height);
            EXPECT_EQ(Rgb(Pixel(image, c, 3)), Rgb(SchemeColor(gradient[3], scheme, 30, false)));
            EXPECT_EQ(Rgb(Pixel(image, 120 - c - 1, 3)), Rgb(SchemeColor(gradient[3], scheme, 30, false)));
        }
    }
}

TEST_F(ControlsTest, PressedButtonMovesOnePixelDownAndRight) {
    TZunCardsButton button;
    button.resize(100, 30);
    button.setDown(true);
    const QImage image = Grab(button);
    EXPECT_EQ(Rgb(Pixel(image, 50, 1)), Rgb(qRgb(128, 0, 0)));
    EXPECT_EQ(Rgb(Pixel(image, 50, 2)), Rgb(qRgb(17, 0, 0)));
}

TEST_F(ControlsTest, OtherHeightsAndStylesStretchTheArt) {
    // No gradient rows at a non-standard height or in the new style: the art (or its stand-in) is
    // stretched, and the button still paints its whole middle.
    for (int height : {20, 31, 52, 75}) {
        for (bool newStyle : {false, true}) {
            TZunCardsButton button;
            button.resize(140, height);
            button.SetNewStyle(newStyle);
            button.SetSmooth(height != 52);
            const QImage image = button.grab().toImage();
            for (int y = 0; y < height - 1; y += 3)
                EXPECT_EQ(qAlpha(image.pixel(70, y)), 255) << height << " " << y;
        }
    }
    TZunCardsButton cards;
    cards.SetColorSB(TColorSB::DCards);
    const QImage image = Grab(cards);
    const QColor middle = QColor::fromRgb(image.pixel(50, 20));
    EXPECT_EQ(middle.green(), 0) << "the cards scheme has no green in the classic style";
}

TEST_F(ControlsTest, HeightSBAndLightenSetters) {
    TZunCardsButton button;
    EXPECT_EQ(button.size(), QSize(100, 30));
    EXPECT_TRUE(button.Kontur());
    EXPECT_TRUE(button.Smooth());
    EXPECT_FALSE(button.NewStyle());
    button.SetHeightSB(THeightSB::D45);
    EXPECT_EQ(button.height(), 45);
    button.SetHeightSB(THeightSB::D60);
    EXPECT_EQ(button.height(), 60);
    button.SetKLightSB(250);
    EXPECT_EQ(button.KLightSB(), 100);
    button.SetKLightSB(-5);
    EXPECT_EQ(button.KLightSB(), 0);
}

bool IsBlue(QColor c) {
    return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}
bool IsSilver(QColor c) {
    return std::abs(c.red() - 192) <= 1 && std::abs(c.green() - 192) <= 1 && std::abs(c.blue() - 192) <= 1;
}
bool IsBlack(QColor c) {
    return c.red() < 20 && c.green() < 20 && c.blue() < 20;
}

TEST_F(ControlsTest, HoverColourOnLightFontButtons) {
    TZunCardsButton button("Wwwwww");
    button.resize(140, 45);
    QFont font = button.font();
    font.setPixelSize(22);
    font.setBold(true);
    button.setFont(font);
    button.SetColorMouse(QColor(0, 0, 255));
    button.SetLightFont(true);
    QSignalSpy entered(&button, &TZunCardsButton::MouseEnter);
    QSignalSpy left(&button, &TZunCardsButton::MouseLeave);

    EXPECT_EQ(CountPixels(Grab(button), IsBlue), 0);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(button.MouseInPos());
    EXPECT_EQ(entered.count(), 1);
    EXPECT_GT(CountPixels(Grab(button), IsBlue), 20);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.MouseInPos());
    EXPECT_EQ(left.count(), 1);
    EXPECT_EQ(CountPixels(Grab(button), IsBlue), 0);

    // Without LightFont the mouse does not change the text colour.
    button.SetLightFont(false);
    QApplication::sendEvent(&button, &enter);
    EXPECT_EQ(CountPixels(Grab(button), IsBlue), 0);
}

TEST_F(ControlsTest, DisabledTextIsSilverOnlyWithGrayDis) {
    TZunCardsButton button("Wwwwww");
    button.resize(140, 45);
    QFont font = button.font();
    font.setPixelSize(22);
    font.setBold(true);
    button.setFont(font);
    QPalette palette = button.palette();
    palette.setColor(QPalette::ButtonText, Qt::black);
    button.setPalette(palette);
    button.setEnabled(false);

    button.SetGrayDis(true);
    QImage image = Grab(button);
    EXPECT_GT(CountPixels(image, IsSilver), 20);
    EXPECT_EQ(CountPixels(image, IsBlack), 0);

    button.SetGrayDis(false);
    image = Grab(button);
    EXPECT_EQ(CountPixels(image, IsSilver), 0);
    EXPECT_GT(CountPixels(image, IsBlack), 20);
}

// Light captions (white on red, aqua on navy, yellow under the mouse) read over the pale upper rows
// through a dark outline; a dark caption needs none.
TEST_F(ControlsTest, LightCaptionsAreOutlinedToReadOnEveryRow) {
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(Qt::red, Qt::red), 1.0, 0.01);
    struct Case {
        TColorSB scheme;
        QColor text;
        bool outlined;
    };
    const Case cases[] = {{TColorSB::DRed, QColor(255, 255, 255), true},
                          {TColorSB::DNavy, QColor(0, 255, 255), true},
                          {TColorSB::DNavy, QColor(255, 255, 0), true},
                          {TColorSB::DBlue, QColor(0, 0, 255), false}};
    for (const Case& c : cases) {
        const QColor outline = CaptionOutlineColor(c.scheme, 0, false);
        EXPECT_EQ(ContrastRatio(c.text, PaleBandColor(c.scheme, 0, false)) < 4.5, c.outlined);
        if (c.outlined) EXPECT_GE(ContrastRatio(c.text, outline), 4.5);
        TZunCardsButton button("Mr.X   12   -35");
        button.resize(300, 30);
        QFont font = button.font();
        font.setPixelSize(18);
        font.setBold(true);
        button.setFont(font);
        QPalette palette = button.palette();
        palette.setColor(QPalette::ButtonText, c.text);
        button.setPalette(palette);
        button.SetColorSB(c.scheme);
        const QImage image = Grab(button);
        const int outlinePixels = CountPixels(image, [&](QColor p) { return p == outline; });
        EXPECT_EQ(outlinePixels > 20, c.outlined) << c.text.name().toStdString() << " " << outlinePixels;
        EXPECT_GT(CountPixels(image, [&](QColor p) { return p == c.text; }), 20);
    }
}

TEST_F(ControlsTest, FocusContourAndDots) {
    QWidget window;
    window.resize(300, 100);
    auto* button = new TZunCardsButton(&window);
    button->move(10, 10);
    button->resize(120, 30);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());

    QImage image = Grab(*button);
    EXPECT_EQ(Rgb(Pixel(image, 60, 4)), Rgb(qRgb(255, 200, 200))) << "contour inset 4 from the top";
    EXPECT_EQ(Rgb(Pixel(image, 7, 15)), Rgb(qRgb(255, 200, 200))) << "contour inset 7 from the left";

    button->SetColorSB(TColorSB::DViolet);
    EXPECT_EQ(Rgb(Pixel(Grab(*button), 60, 4)), Rgb(qRgb(255, 255, 200)));

    button->SetKontur(false);
    image = Grab(*button);
    EXPECT_NE(Rgb(Pixel(image, 60, 4)), Rgb(qRgb(255, 255, 200)));
    EXPECT_EQ(Rgb(Pixel(image, 60, 4)), Rgb(SchemeColor(ButtonGradient(30)[4], TColorSB::DViolet, 0, false)));

    button->SetKontur(true);
    button->SetNewStyle(true);
    button->SetColorSB(TColorSB::DRed);
    image = Grab(*button);
    EXPECT_EQ(Rgb(Pixel(image, 10, 15)), Rgb(qRgb(255, 255, 0)));
    EXPECT_EQ(Rgb(Pixel(image, 110, 15)), Rgb(qRgb(255, 255, 0)));

    // Without the focus there is no contour.
    button->clearFocus();
    button->SetNewStyle(false);
    EXPECT_EQ(Rgb(Pixel(Grab(*button), 60, 4)), Rgb(ButtonGradient(30)[4]));
}

TEST_F(ControlsTest, DoubleClickCountsAsSecondPress) {
    TZunCardsButton button;
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &dbl);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &release);
    EXPECT_EQ(clicked.count(), 2);
}

TEST_F(ControlsTest, MessageWindowWithOneShortLineIs400Wide) {
    const Localisation words;
    TMessageWindow window(words, "Short", "", "");
    EXPECT_EQ(window.windowTitle(), "Attention");
    EXPECT_EQ(window.OkButton()->text(), "Ok");
    EXPECT_EQ(window.width(), 400);
    EXPECT_EQ(window.LineLabel(1)->text(), "Short");
    EXPECT_TRUE(window.LineLabel(2)->isHidden());
    EXPECT_TRUE(window.LineLabel(3)->isHidden());
    EXPECT_EQ(window.OkButton()->geometry().left(), 5);
    EXPECT_EQ(window.OkButton()->width(), 390);
    EXPECT_EQ(window.LineLabel(4), nullptr);
}

TEST_F(ControlsTest, MessageWindowGrowsWithItsWidestLine) {
    const Localisation words;
    const QString wide(40, QLatin1Char('W'));
    TMessageWindow window(words, "First", wide, "https://example.org/kesp");
    const int widest = QFontMetrics(window.LineLabel(2)->font()).horizontalAdvance(wide);
    ASSERT_GE(widest + TMessageWindow::kLeftMargin, 350);
    EXPECT_EQ(window.width(), widest + TMessageWindow::kLeftMargin + 50);
    EXPECT_EQ(window.OkButton()->width(), window.width() - 10);
    EXPECT_GE(window.OkButton()->font().pixelSize(), 20);  // "Ok" reads across the wide button
    window.grab().save(test::ScreenshotDir() + "/message_window.png");
    // Lines are shown in order, the link line blue and underlined.
    EXPECT_LT(window.LineLabel(1)->y(), window.LineLabel(2)->y());
    EXPECT_LT(window.LineLabel(2)->y(), window.LineLabel(3)->y());
    EXPECT_LT(window.LineLabel(3)->geometry().bottom(), window.OkButton()->y());
    EXPECT_TRUE(window.LineLabel(3)->font().underline());
    EXPECT_EQ(window.LineLabel(3)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(window.LineLabel(1)->font().bold());
}

TEST_F(ControlsTest, MessageWindowLinkOpensAndOkAndEscapeClose) {
    const Localisation words;
    TMessageWindow window(words, "Line", "", "https://example.org/kesp");
    QString opened;
    window.SetLinkOpener([&opened](const QString& link) { opened = link; });
    QSignalSpy clicked(&window, &TMessageWindow::LinkClicked);
    QTest::mouseClick(window.LineLabel(3), Qt::LeftButton);
    EXPECT_EQ(opened, "https://example.org/kesp");
    EXPECT_EQ(clicked.count(), 1);
    QTest::mouseClick(window.LineLabel(1), Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1) << "only the third line is a link";

    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) QTest::keyClick(modal, Qt::Key_Escape);
    });
    ShowMessageWindow(words, "Closed by Escape");  // returns once the window is closed

    TMessageWindow second(words, "Ok closes", "", "");
    QSignalSpy accepted(&second, &QDialog::accepted);
    second.show();
    QTest::mouseClick(second.OkButton(), Qt::LeftButton);
    EXPECT_EQ(accepted.count(), 1);
}

TEST_F(ControlsTest, BalloonHintTakesTheMusicStyleAndReplacesTheToolTip) {
    Settings settings;
    settings.FontSmall = "Comic Sans MS";
    BalloonStyle style = MusicBalloonStyle(settings);
    EXPECT_EQ(style.fontName, "Comic Sans MS");
    EXPECT_EQ(style.fontSize, 9);
    EXPECT_EQ(style.durationMs, 5000);
    EXPECT_EQ(style.border, QColor(255, 0, 0));
    EXPECT_EQ(style.background, QColor(255, 255, 225));
    EXPECT_EQ(style.title, QColor(255, 0, 0));
    EXPECT_EQ(style.text, QColor(128, 0, 0));

    QWidget window;
    window.resize(200, 100);
    auto* control = new QWidget(&window);
    control->setGeometry(20, 20, 60, 30);
    control->setToolTip("ordinary hint");
    window.show();
    EXPECT_EQ(ShowBalloonHint(nullptr, "t", "x", style), nullptr);

    style.durationMs = 50;
    QPointer<TBalloonHint> balloon =
        ShowBalloonHint(control, "Radio", "A long text that wraps in the balloon", style);
    ASSERT_TRUE(balloon);
    EXPECT_TRUE(balloon->isVisible());
    EXPECT_EQ(balloon->Title(), "Radio");
    EXPECT_LE(balloon->width(), TBalloonHint::kPreferredWidth + 60);
    EXPECT_EQ(balloon->Tip(), control->mapToGlobal(control->rect().center()) + QPoint(0, 10));
    EXPECT_TRUE(control->toolTip().isEmpty());
    // It closes itself after its duration and gives the control its hint back.
    EXPECT_TRUE(QTest::qWaitFor([&] { return balloon.isNull(); }, 2000));
    EXPECT_EQ(control->toolTip(), "ordinary hint");
}

TEST_F(ControlsTest, PictureHintOnlyInTournamentModeAndForAnExistingPicture) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("History"));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(dir.filePath("History/Pilot.bmp"), "BMP"));
    const std::string programDir = dir.path().toStdString() + "/";

    QWidget control;
    control.resize(50, 20);
    control.show();
    EXPECT_EQ(ShowPictureHint("Pilot", &control, programDir, false), nullptr);
    EXPECT_EQ(ShowPictureHint("Nobody", &control, programDir, true), nullptr);
    EXPECT_EQ(ShowPictureHint("../History/Pilot", &control, programDir, true), nullptr);
    QPointer<TBalloonHint> balloon = ShowPictureHint("Pilot", &control, programDir, true);
    ASSERT_TRUE(balloon);
    EXPECT_GE(balloon->width(), 40);
    EXPECT_FALSE(balloon->Style().animate);
    balloon->close();
}

TEST_F(ControlsTest, CursorsFollowOwnCursor) {
    const std::pair<CursorKind, Qt::CursorShape> kinds[] = {{CursorKind::Arrow, Qt::ArrowCursor},
                                                            {CursorKind::Hand, Qt::PointingHandCursor},
                                                            {CursorKind::Wait, Qt::WaitCursor},
                                                            {CursorKind::Edit, Qt::IBeamCursor}};
    TCursors system(false);
    TCursors own(true);
    QWidget widget;
    for (auto [kind, shape] : kinds) {
        EXPECT_EQ(system.Cursor(kind).shape(), shape);
        EXPECT_FALSE(system.IsAnimated(kind));
        system.Apply(&widget, kind);
        EXPECT_EQ(widget.cursor().shape(), shape);
        // Own cursors are pictures when the art is there, otherwise the system's cursor of the kind.
        const bool art = !LoadResourceImage(OwnCursorName(kind)).isNull() || own.IsAnimated(kind);
        EXPECT_EQ(own.Cursor(kind).shape(), art ? Qt::BitmapCursor : shape);
    }
    EXPECT_EQ(LoadAnimatedCursor("NOSUCHCURSOR"), nullptr);
}

TEST_F(ControlsTest, AnimatedCursorCyclesItsFramesOnATimer) {
    QList<QPixmap> frames;
    for (QColor colour : {Qt::red, Qt::green, Qt::blue}) {
        QPixmap frame(16, 16);
        frame.fill(colour);
        frames.append(frame);
    }
    TAnimatedCursor cursor(frames, QPoint(1, 1), 20);
    QWidget widget;
    cursor.Apply(&widget);
    EXPECT_EQ(widget.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(widget.cursor().hotSpot(), QPoint(1, 1));
    EXPECT_EQ(widget.cursor().pixmap().toImage().pixel(5, 5), QColor(Qt::red).rgb());
    QTest::qWait(80);
    EXPECT_EQ(cursor.CurrentFrame(), 0) << "nobody points at it: it rests";
    EXPECT_FALSE(cursor.Stepping());

    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&widget, &enter);
    ASSERT_TRUE(QTest::qWaitFor([&] { return cursor.CurrentFrame() == 1; }, 2000));
    EXPECT_EQ(widget.cursor().pixmap().toImage().pixel(5, 5), QColor(Qt::green).rgb());
    ASSERT_TRUE(QTest::qWaitFor([&] { return cursor.CurrentFrame() == 0; }, 2000))
        << "wraps after the last frame";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, &leave);
    EXPECT_FALSE(cursor.Stepping()) << "the pointer left";

    QApplication::sendEvent(&widget, &enter);
    EXPECT_TRUE(cursor.Stepping());
    cursor.Release(&widget);
    const int frame = cursor.CurrentFrame();
    QTest::qWait(80);
    EXPECT_EQ(cursor.CurrentFrame(), frame) << "no widget, no stepping";
}

TEST_F(ControlsTest, EveryControlTakesTheCursorOfItsKindAndFollowsOwnCursor) {
    QDialog window;
    auto* layout = new QVBoxLayout(&window);
    auto* link = new QLabel("a link drawn as a label");
    MarkClickable(link);
    auto* readOnly = new QTextEdit;
    readOnly->setReadOnly(true);
    auto* list = new QListWidget;
    const std::vector<std::pair<QWidget*, Qt::CursorShape>> cases = {
        {new QPushButton("push"), Qt::PointingHandCursor},
        {new TZunCardsButton("owner-drawn"), Qt::PointingHandCursor},
        {new QCheckBox("check"), Qt::PointingHandCursor},
        {new QRadioButton("radio"), Qt::PointingHandCursor},
        {new QComboBox, Qt::PointingHandCursor},
        {new QSlider(Qt::Horizontal), Qt::PointingHandCursor},
        {link, Qt::PointingHandCursor},
        {list->viewport(), Qt::PointingHandCursor},
        {new QLineEdit, Qt::IBeamCursor},
        {new QSpinBox, Qt::IBeamCursor},
        {new QTextEdit, Qt::IBeamCursor},
        {readOnly, Qt::ArrowCursor},
        {new QLabel("plain text"), Qt::ArrowCursor},
        {&window, Qt::ArrowCursor},
    };
    layout->addWidget(list);
    for (const auto& [control, shape] : cases)
        if (control != &window && control != list->viewport()) layout->addWidget(control);
    auto shapeOf = [](QWidget* control) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(control))
            return area->viewport()->cursor().shape();
        return control->cursor().shape();
    };

    TCursors cursors(false);
    cursors.FollowAllWindows();
    window.show();  // the controls are polished now, after the cursors follow every window
    for (const auto& [control, shape] : cases)
        EXPECT_EQ(shapeOf(control), shape) << control->metaObject()->className();

    // A control added later takes its cursor when it is first shown.
    auto* later = new QPushButton("later", &window);
    later->show();
    EXPECT_EQ(later->cursor().shape(), Qt::PointingHandCursor);

    // The own cursors are pictures: every control changes over at once, and back.
    cursors.SetOwnCursor(true);
    for (const auto& [control, shape] : cases) {
        const CursorKind kind = shape == Qt::PointingHandCursor ? CursorKind::Hand
                                : shape == Qt::IBeamCursor      ? CursorKind::Edit
                                                                : CursorKind::Arrow;
        EXPECT_EQ(shapeOf(control), cursors.Cursor(kind).shape()) << control->metaObject()->className();
    }
    EXPECT_EQ(later->cursor().shape(), Qt::BitmapCursor) << "the own hand is a picture";
    cursors.SetOwnCursor(false);
    for (const auto& [control, shape] : cases)
        EXPECT_EQ(shapeOf(control), shape) << control->metaObject()->className();
}

TEST_F(ControlsTest, HoverBalloonShowsWhileThePointerRestsOnTheControl) {
    QWidget window;
    window.resize(200, 100);
    auto* control = new QPushButton("ZunCards06A.dll", &window);
    control->setGeometry(20, 20, 120, 30);
    window.show();
    int asked = 0;
    BalloonStyle style;
    style.durationMs = 0;  // until the pointer leaves
    AttachHoverBalloon(
        control, [] { return QStringLiteral("Download"); },
        [&] { return QStringLiteral("ZunCards06A.dll #%1").arg(++asked); }, style);
    auto balloon = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<TBalloonHint*>(w); b && b->isVisible()) return b;
        return static_cast<TBalloonHint*>(nullptr);
    };
    EXPECT_EQ(balloon(), nullptr);
    QEnterEvent enter(QPointF(5, 5), QPointF(25, 25), QPointF(25, 25));
    QApplication::sendEvent(control, &enter);
    ASSERT_NE(balloon(), nullptr);
    EXPECT_EQ(balloon()->Title(), "Download");
    EXPECT_EQ(balloon()->Text(), "ZunCards06A.dll #1");
    QTest::qWait(50);
    EXPECT_NE(balloon(), nullptr) << "it stays while the pointer rests";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(control, &leave);
    EXPECT_EQ(balloon(), nullptr);
    QApplication::sendEvent(control, &enter);
    ASSERT_NE(balloon(), nullptr);
    EXPECT_EQ(balloon()->Text(), "ZunCards06A.dll #2") << "texts are asked for anew";
    delete control;  // the balloon goes with its control
    QApplication::processEvents();
    EXPECT_EQ(balloon(), nullptr);
}

TEST_F(ControlsTest, InformationPanelHintCountsTheCycle) {
    EXPECT_EQ(InfoPanelHint(Localisation(kEnglish), 7, false), "Game: 7 / 25");
    EXPECT_EQ(InfoPanelHint(Localisation(kEnglish), 3, true), "Game: 3 / 1") << "an online tournament game";
    EXPECT_EQ(InfoPanelHint(Localisation(kRussian), 26, false), QString::fromUtf8("Игра: 26 / 25"));
}

TEST_F(ControlsTest, ClickBurstNeedsTheGraphicsLibrary) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("Kesp"));
    const std::string programDir = dir.filePath("Kesp").toStdString();
    EXPECT_TRUE(FindGraphicsLibrary(programDir).empty());
    EXPECT_TRUE(LoadTouchBurstStrip(programDir).isNull());
    EXPECT_EQ(TouchBurst(QImage(), QPoint(200, 200), true), nullptr) << "without the library nothing happens";

    // A file of that name in the folder above is found, whatever its case; one that is no resource
    // library gives no strip.
    QFile library(dir.filePath("zuncgraph1.DLL"));
    ASSERT_TRUE(library.open(QIODevice::WriteOnly));
    library.write("not a resource bundle");
    library.close();
    EXPECT_FALSE(FindGraphicsLibrary(programDir).empty());
    EXPECT_TRUE(LoadTouchBurstStrip(programDir).isNull());

    QImage strip(TTouchBurst::kFrames * 100, 100, QImage::Format_ARGB32);
    strip.fill(Qt::yellow);
    EXPECT_EQ(TouchBurst(strip, QPoint(200, 200), false), nullptr) << "salute off";
    QPointer<TTouchBurst> burst = TouchBurst(strip, QPoint(200, 200), true);
    ASSERT_TRUE(burst);
    EXPECT_EQ(burst->geometry(), QRect(150, 150, 100, 100));
    EXPECT_TRUE(QTest::qWaitFor([&] { return burst.isNull(); }, 3000)) << "the burst ends by itself";
}

}  // namespace
}  // namespace kesp
