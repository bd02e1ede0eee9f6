// Every caption the menu's and the table's buttons can show fits its button in every window size,
// every text of the record windows fits its control, and every word of every language is drawn with
// real glyphs of one font per role.
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRawFont>
#include <QTableWidget>
#include <QTextLayout>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "presentation/cards_button.h"
#include "presentation/font_roles.h"
#include "presentation/menu_layout.h"
#include "presentation/table_layout.h"
#include "records/club.h"
#include "window_fixture.h"
#include "windows/count_window.h"
#include "windows/history_window.h"
#include "windows/speed_dialog.h"
#include "windows/welcome_dialog.h"
#include "windows/window_words.h"

namespace kesp {
using namespace test;

TEST(WordsFit, ButtonCaptionsFitTheirButtonsInEveryLanguage) {
    QTemporaryDir dir;
    ModalAnswerer answerer;
    TForm1 window(ProgramFolder(dir).toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 300));
    for (int language = 0; language < kLanguageCount; ++language) {
        window.SetLanguage(language);
        for (const char* name : {"Button6", "Button9", "Button11", "BMode", "BHistory"}) {
            auto* button = window.findChild<QPushButton*>(QString::fromLatin1(name));
            ASSERT_NE(button, nullptr) << name;
            EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), button->width() - 8)
                << "language " << language << ": \"" << button->text().toStdString() << "\"";
        }
    }
    window.SetLanguage(kEnglish);
    window.StartGame(member::NewPlayer, ClubMember{"Fit", 0, 0, 0, EncodePassword("f")});

    auto* action = window.findChild<QPushButton*>(QStringLiteral("Button7"));
    const WordId tableCaptions[] = {
        WordId::ToBegin, WordId::ExitToMenu,         WordId::Ok,        WordId::ToPlay,
        WordId::Pass,    WordId::ToCommunicateCards, WordId::IsReady,   WordId::ToTakeFromAPack,
        WordId::Game,    WordId::ToSumUpOfRound,     WordId::NextRound, WordId::ToSumUpOfGame};
    const QFontMetrics tableMetrics(action->font());
    const int tableRoom = action->width() - 8;  // the rounded ends
    for (int language = 0; language < kLanguageCount; ++language)
        for (WordId id : tableCaptions) {
            const QString text = WordText(WordFor(id), language);
            EXPECT_LE(tableMetrics.horizontalAdvance(text), tableRoom)
                << "language " << language << ": \"" << text.toStdString() << "\"";
        }
    window.close();
}

namespace {

// Labels show their whole text and buttons keep their caption inside the rounded ends.
void ExpectTextsFit(QDialog& dialog, int language) {
    dialog.layout()->activate();
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisibleTo(&dialog)) continue;
        EXPECT_GE(label->width(), QFontMetrics(label->font()).horizontalAdvance(label->text()))
            << "language " << language << ": \"" << label->text().toStdString() << "\"";
    }
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), button->width() - 8)
            << "language " << language << ": \"" << button->text().toStdString() << "\"";
}

// True when the text is drawn in `font` (or the fonts the system falls back to) without a missing
// glyph box.
bool HasEveryGlyph(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns())
        for (quint32 glyph : run.glyphIndexes())
            if (glyph == 0) return false;
    return true;
}

// The families whose glyphs draw the text in `font`, fallbacks included.
QStringList FamiliesUsed(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun& run : layout.glyphRuns())
        if (!families.contains(run.rawFont().familyName())) families.push_back(run.rawFont().familyName());
    return families;
}

}  // namespace

TEST(WordsFit, RecordWindowTextsFitInEveryLanguage) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    ModalAnswerer answerer;
    TForm1 window(folder.toStdString());
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    Settings settings = window.CurrentSettings();
    TFormCount count(settings, MakeCount(GameState{}, "Fit", 0), &window);
    HistoryViewerState state;
    TFHistory history(settings, folder.toStdString(), state, &window);
    TFormSpeed speed(settings, &window);
    WelcomeDialog welcome(settings, 1, std::nullopt, &window);
    for (int language = 0; language < kLanguageCount; ++language) {
        settings.CurrentLanguage = language;
        AnnounceLanguageChange();
        for (QDialog* dialog : std::initializer_list<QDialog*>{&count, &history, &speed, &welcome})
            ExpectTextsFit(*dialog, language);
        for (int column = 0; column < history.Grid()->columnCount(); ++column) {
            const QString heading = history.Grid()->horizontalHeaderItem(column)->text();
            EXPECT_LE(QFontMetrics(history.Grid()->horizontalHeader()->font()).horizontalAdvance(heading),
                      history.Grid()->columnWidth(column) - 4)  // the section's own margins
                << "language " << language << ": \"" << heading.toStdString() << "\"";
        }
    }
    window.close();
}

// A bubble's word at its smallest size (14 pixels, bold) stays inside the 150 pixels of the bubble's
// text in the small window.
TEST(WordsFit, BubbleWordsFitTheirBubbles) {
    const FontRoles fonts{Settings{}};
    const QFont smallest =
        FontOfHeight(fonts.Family(FontRole::Serif), fonts.FontSize(14, FontRole::Serif), true);
    for (WordId id : {WordId::ToPlay, WordId::Pass, WordId::CommunicateCards, WordId::KespWin})
        for (int language = 0; language < kLanguageCount; ++language) {
            const QString text =
                WordText(WordFor(id), language).trimmed() + (id == WordId::ToPlay ? "!" : "");
            EXPECT_LE(QFontMetrics(smallest).horizontalAdvance(text), 150)
                << "language " << language << ": \"" << text.toStdString() << "\"";
        }
}

// Every word of every language is drawn with real glyphs of one font per role: letters, digits and
// signs never come from two fonts.
TEST(WordsFit, EveryWordIsDrawnInTheOneFontOfItsRole) {
    QTemporaryDir dir;
    ModalAnswerer answerer;
    TForm1 window(ProgramFolder(dir).toStdString());
    const Settings& settings = window.CurrentSettings();
    for (const std::string& family :
         {settings.FontSmall, settings.FontLarge, settings.FontSpecial1, settings.FontSpecial2}) {
        const QFont font = FontOfHeight(QString::fromStdString(family), 20);
        const QString installed = InstalledFamily(QString::fromStdString(family));
        for (int key = 0; key < static_cast<int>(kWordCount); ++key)
            for (int language = 0; language < kLanguageCount; ++language) {
                const QString text = WordText(static_cast<WordKey>(key), language) + "0123456789:!";
                EXPECT_TRUE(HasEveryGlyph(text, font))
                    << family << ", language " << language << ": \"" << text.toStdString() << "\"";
                const QStringList used = FamiliesUsed(text, font);
                EXPECT_TRUE(used.size() == 1 && used.front() == installed)
                    << family << ", language " << language << ": \"" << text.toStdString() << "\" in "
                    << used.join(", ").toStdString();
            }
    }
}

// The captions of the menu's and the table's buttons and the club list's header fit inside their
// buttons' rounded ends in every window size, full screen on common screens included.
TEST(WordsFit, CaptionsFitTheirButtonsInEveryWindowSize) {
    const FontRoles fonts{Settings{}};
    const std::pair<int, QSize> windows[] = {{window_size::Small, {}},
                                             {window_size::Average1, {}},
                                             {window_size::Average2, {}},
                                             {window_size::Large, {}},
                                             {window_size::FullScreen, {1366, 768}},
                                             {window_size::FullScreen, {1920, 1080}},
                                             {window_size::FullScreen, {1920, 1200}},
                                             {window_size::FullScreen, {1280, 1024}}};
    const WordKey menuWords[] = {WordKey::NewPlayer, WordKey::TopTen, WordKey::Options,
                                 WordKey::History,   WordKey::Mode,   WordKey::Exit};
    const WordId tableCaptions[] = {
        WordId::ToBegin, WordId::ExitToMenu,         WordId::Ok,        WordId::ToPlay,
        WordId::Pass,    WordId::ToCommunicateCards, WordId::IsReady,   WordId::ToTakeFromAPack,
        WordId::Game,    WordId::ToSumUpOfRound,     WordId::NextRound, WordId::ToSumUpOfGame};
    for (const auto& [size, screen] : windows) {
        const WindowScales scales = ScalesFor(size, screen);
        const QSize client = ClientSizeFor(size, screen);
        const MenuGeometry menu = LayoutMainMenu(scales, size, client, false);
        const TableGeometry table = LayoutTableGeometry(scales, CardCellFor(scales.s, true), 0, false);
        const QFontMetrics buttonFont(fonts.MenuButtonFont(size, scales.s));
        const QFontMetrics rowFont(fonts.ClubListFont(size, scales.s));
        auto room = [](const QRect& button) { return button.width() - 2 * EndPieceWidth(button.height()); };
        const QRect menuButtons[] = {menu.newPlayer, menu.topTen, menu.options,
                                     menu.history,   menu.mode,   menu.exit};
        for (int language = 0; language < kLanguageCount; ++language) {
            const std::string where = "size " + std::to_string(size) + " (" + std::to_string(client.width()) +
                                      "), language " + std::to_string(language) + ": ";
            for (int i = 0; i < 6; ++i) {
                const QString text = WordText(menuWords[i], language);
                EXPECT_LE(buttonFont.horizontalAdvance(text), room(menuButtons[i]))
                    << where << text.toStdString();
            }
            // A caption a little too long is drawn a little smaller; never much smaller.
            const QFont tableFont = fonts.MenuButtonFont(size, scales.s);
            for (WordId id : tableCaptions) {
                const QString text = WordText(WordFor(id), language);
                const QFont fitted = CaptionFont(tableFont, text, room(table.button1));
                EXPECT_LE(QFontMetrics(fitted).horizontalAdvance(text), room(table.button1))
                    << where << text.toStdString();
                EXPECT_GE(fitted.pixelSize(), tableFont.pixelSize() * 9 / 10) << where << text.toStdString();
            }
            for (WordKey header : {WordKey::ClubHeaderScore, WordKey::ClubHeaderRating}) {
                const QString text = WordText(header, language);
                EXPECT_LE(rowFont.horizontalAdvance(text), room(menu.clubHeader))
                    << where << text.toStdString();
            }
        }
    }
}

}  // namespace kesp
