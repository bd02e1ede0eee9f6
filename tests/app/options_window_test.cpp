// The options dialog over the real main window: each change shows on the window behind it, and every
// window size is laid out inside the window without overlaps.
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "presentation/cards_button.h"
#include "window_fixture.h"
#include "windows/options_dialog.h"

namespace kesp {
using namespace test;
namespace {

// The main window on its menu, and the options dialog opened with the menu's button.
struct OptionsFixture {
    QTemporaryDir dir;
    QString folder = ProgramFolder(dir);
    TForm1 window{folder.toStdString()};
    TFormOptions* dialog = nullptr;

    OptionsFixture() {
        {
            ModalAnswerer answerer;  // the start-up's boxes, if any
            window.show();
            EXPECT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
            QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
            for (const QString& text : answerer.texts) ADD_FAILURE() << text.toStdString();
        }
        Open();
    }
    void Open() {
        auto* options = window.findChild<QPushButton*>(QStringLiteral("Button10"));
        EXPECT_NE(options, nullptr);
        EXPECT_TRUE(options->isVisible());
        options->click();
        dialog = window.findChild<TFormOptions*>();
        EXPECT_NE(dialog, nullptr);
    }
    template <typename T>
    T* Control(const char* name) {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    void ChooseSize(int windowSize) {
        auto* sizes = Control<QComboBox>("ComboBoxWSize");
        sizes->setCurrentIndex(sizes->findData(windowSize));
        EXPECT_EQ(window.CurrentSettings().WindowSize, windowSize);
    }
};

TEST(OptionsWindow, TheMenuButtonOpensTheDialogOverTheWindowWithoutResizingIt) {
    OptionsFixture f;
    const QSize before = f.window.size();
    ASSERT_NE(f.dialog, nullptr);
    EXPECT_TRUE(f.dialog->isVisible());
    EXPECT_EQ(f.dialog->windowModality(), Qt::WindowModal);
    EXPECT_EQ(f.window.size(), before);
    EXPECT_EQ(f.window.CurrentScreen(), TForm1::Screen::Menu);
    f.dialog->OkButton()->click();
    EXPECT_TRUE(WaitFor([&] { return f.window.findChild<TFormOptions*>() == nullptr; }));  // freed on close
    EXPECT_EQ(f.window.size(), before);
}

TEST(OptionsWindow, ChangesShowOnTheWindowAtOnce) {
    OptionsFixture f;
    auto* newPlayer = f.window.findChild<TZunCardsButton*>(QStringLiteral("Button6"));
    ASSERT_NE(newPlayer, nullptr);

    f.Control<QComboBox>("ComboBoxLan")->setCurrentIndex(1);
    EXPECT_EQ(f.window.windowTitle(), GameName(1));
    EXPECT_EQ(newPlayer->text(), WordText(WordKey::NewPlayer, 1));
    EXPECT_EQ(f.dialog->windowTitle(), WordText(WordKey::Options, 1));

    f.Control<QCheckBox>("CheckBoxBut")->click();
    EXPECT_TRUE(newPlayer->NewStyle());

    const QImage plain = f.window.grab().toImage();
    f.Control<QCheckBox>("CheckBoxNet")->click();
    EXPECT_TRUE(f.window.CurrentSettings().NetworkMode);
    EXPECT_NE(f.window.grab().toImage(), plain);  // the network club's header

    f.Control<QCheckBox>("CheckBoxCur")->click();
    EXPECT_EQ(f.window.cursor().shape(), Qt::ArrowCursor);  // the system's arrow
    f.Control<QCheckBox>("CheckBoxCur")->click();
    EXPECT_EQ(f.window.cursor().shape(), Qt::BitmapCursor);  // the program's own

    const int fontBefore = newPlayer->font().pixelSize();
    f.Control<QComboBox>("ComboBoxFont")->setCurrentIndex(1);
    f.Control<QSpinBox>("SpinEdit1")->setValue(150);
    EXPECT_GT(newPlayer->font().pixelSize(), fontBefore);
    f.dialog->findChild<QPushButton*>(QStringLiteral("Button2"))->click();  // "Default"
    EXPECT_EQ(newPlayer->font().pixelSize(), fontBefore);

    // Without the background library a picture falls back to "Felt" in "Green", in the lists too.
    f.Control<QComboBox>("ComboBoxBG2")->setCurrentIndex(1);
    EXPECT_EQ(f.window.CurrentSettings().Background, 2);
    EXPECT_EQ(f.window.CurrentSettings().BackgroundVariant, 0);
    EXPECT_EQ(f.Control<QComboBox>("ComboBoxBG2")->currentIndex(), 0);

    f.Control<QCheckBox>("CheckBox2")->click();
    EXPECT_FALSE(f.window.CurrentSettings().MusicOn);
    f.dialog->OkButton()->click();
}

// Every element of a screen lies inside the window and none overlaps another.
void ExpectInsideAndApart(const std::vector<std::pair<QString, QRect>>& elements, QSize client,
                          const QString& where) {
    const QRect window(QPoint(0, 0), client);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const auto& [name, rect] = elements[i];
        EXPECT_FALSE(rect.isEmpty()) << where.toStdString() << ": " << name.toStdString();
        EXPECT_TRUE(window.contains(rect))
            << where.toStdString() << ": " << name.toStdString() << " leaves the window";
        for (std::size_t j = i + 1; j < elements.size(); ++j)
            EXPECT_FALSE(rect.intersects(elements[j].second))
                << where.toStdString() << ": " << name.toStdString() << " overlaps "
                << elements[j].first.toStdString();
    }
}

std::vector<std::pair<QString, QRect>> TableElements(const TableGeometry& g) {
    std::vector<std::pair<QString, QRect>> elements;
    for (int seat = 1; seat <= 4; ++seat) {
        elements.push_back({QStringLiteral("hand %1").arg(seat), g.hand[seat]});
        elements.push_back({QStringLiteral("tab %1").arg(seat), g.tab[seat]});
        elements.push_back({QStringLiteral("bubble %1").arg(seat), g.bubble[seat]});
    }
    elements.push_back({"trick area", g.trickArea});
    elements.push_back({"deck", g.deck});
    elements.push_back({"information panel", g.infoPanel});
    elements.push_back({"button 1", g.button1});
    elements.push_back({"button 2", g.button2});
    if (g.network) {
        elements.push_back({"chat", g.chatBox});
        elements.push_back({"chat field", g.chatField});
        elements.push_back({"chat send", g.chatSend});
    }
    return elements;
}

// The menu's drawn pictures and its buttons (the side pictures and calendar panels belong to extras
// this program does not show).
std::vector<std::pair<QString, QRect>> MenuElements(const MenuGeometry& m) {
    std::vector<std::pair<QString, QRect>> elements = {
        {"caption", m.caption},
        {"header", m.header},
        {"title", m.titlePicture},
        {"club header", m.clubHeader},
        {"new player", m.newPlayer},
        {"top ten", m.topTen},
        {"options", m.options},
        {"history", m.history},
        {"mode", m.mode},
        {"exit", m.exit},
        {"animation left", m.animatedLeft},
        {"animation right", m.animatedRight},
    };
    for (int k = 0; k < 5; ++k) elements.push_back({QStringLiteral("club row %1").arg(k + 1), m.clubRows[k]});
    if (m.panelsShown) {
        elements.push_back({"clock", m.clock});
        elements.push_back({"counter", m.counter});
    }
    return elements;
}

// Each size chosen at run time: the window takes its client size (full screen the whole screen),
// the menu comes back, and the menu and both table layouts fit the window.
TEST(OptionsWindow, EveryWindowSizeAtRunTimeFitsTheWindow) {
    OptionsFixture f;
    const QSize screen = f.window.screen()->geometry().size();
    ASSERT_GE(screen.width(), 1520) << "the test's screen must hold every size";
    const struct {
        int windowSize;
        QSize client;
    } sizes[] = {{3, {990, 650}}, {4, {1290, 850}}, {5, {1520, 1000}}, {2, screen}, {1, {760, 500}}};
    for (const auto& s : sizes) {
        const QString where = QStringLiteral("size %1").arg(s.windowSize);
        f.ChooseSize(s.windowSize);
        EXPECT_EQ(f.window.size(), s.client) << where.toStdString();
        EXPECT_EQ(f.window.CurrentScreen(), TForm1::Screen::Menu);
        EXPECT_EQ(f.window.Painter().Canvas().size(), s.client) << where.toStdString();
        ExpectInsideAndApart(MenuElements(f.window.MenuLayout()), s.client, where + " menu");
        for (QPushButton* b : f.window.findChildren<QPushButton*>()) {
            if (!b->isVisible() || b->parentWidget() != &f.window) continue;
            EXPECT_TRUE(f.window.rect().contains(b->geometry()))
                << where.toStdString() << " " << b->objectName().toStdString();
        }
        const TableGeometry& table = f.window.Painter().Geometry();
        ExpectInsideAndApart(TableElements(table), s.client, where + " table");
        ExpectInsideAndApart(
            TableElements(LayoutTableGeometry(table.scales, table.cell, table.narrowOffset, true)), s.client,
            where + " network table");
        f.window.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-size-%1.png").arg(s.windowSize));
    }
    f.dialog->OkButton()->click();
}

// A larger window turns GIF saving off, and the small window does not turn it on again.
TEST(OptionsWindow, ALargerWindowStopsGifSaving) {
    OptionsFixture f;
    f.dialog->Tabs()->setCurrentIndex(6);
    f.Control<QCheckBox>("CheckBoxSG1")->click();
    EXPECT_TRUE(f.window.CurrentSettings().SaveGamesAsGif);
    f.ChooseSize(3);
    EXPECT_FALSE(f.window.CurrentSettings().SaveGamesAsGif);
    EXPECT_FALSE(f.Control<QCheckBox>("CheckBoxSG1")->isEnabled());
    f.ChooseSize(1);
    EXPECT_FALSE(f.window.CurrentSettings().SaveGamesAsGif);
    EXPECT_TRUE(f.Control<QCheckBox>("CheckBoxSG1")->isEnabled());
}

// The start-up sets the font names back while keeping the scales read.
TEST(OptionsWindow, TheStartUpResetsTheFontNames) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    Settings stored;
    stored.FontLarge = "DejaVu Serif";
    stored.FontSpecial1 = "DejaVu Sans Mono";
    stored.FontSmallScale = 130;
    ASSERT_EQ(SaveSettings(stored, folder.toStdString(), false), SettingsSave::kWritten);
    TForm1 window(folder.toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    EXPECT_EQ(window.CurrentSettings().FontLarge, "Comic Sans MS");
    EXPECT_EQ(window.CurrentSettings().FontSpecial1, "Fixedsys");
    EXPECT_EQ(window.CurrentSettings().FontSmallScale, 130);
}

}  // namespace
}  // namespace kesp
