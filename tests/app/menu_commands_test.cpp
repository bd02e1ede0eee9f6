// The main menu's local commands and the controls every window shares: cursors by control kind,
// the top-ten panels, the caption banner's colours, the information panel's hint and the about
// window.
#include <QAction>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QtTest/QTest>

#include "app/help_and_about.h"
#include "app/main_window.h"
#include "presentation/font_roles.h"
#include "records/club.h"
#include "window_fixture.h"

namespace kesp {
using namespace test;

namespace {

// A program folder whose settings are given.
QString FolderWith(QTemporaryDir& dir, const Settings& settings) {
    const QString folder = ProgramFolder(dir);
    SaveSettings(settings, folder.toStdString(), false);
    return folder;
}

// The first three places of a club file's top ten become the given names with 150, 120, 100.
void SetBestThree(const QString& path, const std::array<const char*, 3>& names) {
    LoadedClub club = LoadClubFile(path.toStdString());
    ASSERT_TRUE(club.File.has_value());
    const int scores[] = {150, 120, 100};
    for (int i = 0; i < 3; ++i) club.File->Line[6 + i] = FormatTopTenLine(names[i], scores[i]);
    ASSERT_FALSE(SaveClubFile(path.toStdString(), *club.File, true).has_value());
}

QStringList PanelTexts(TForm1& window) {
    QStringList texts;
    for (int place = 1; place <= 3; ++place) {
        auto* panel = window.findChild<QLabel*>(QStringLiteral("TopTenPanel%1").arg(place));
        texts << (panel && panel->isVisible() ? panel->text().simplified() : QStringLiteral("-"));
    }
    return texts;
}

// What the cursor of a control should be with the system's cursors.
struct CursorCase {
    const char* what;
    std::function<bool(const QWidget&)> applies;
    Qt::CursorShape shape;
};

const std::vector<CursorCase>& CursorCases() {
    static const std::vector<CursorCase> cases = {
        {"button", [](const QWidget& w) { return qobject_cast<const QAbstractButton*>(&w) != nullptr; },
         Qt::PointingHandCursor},
        {"text field", [](const QWidget& w) { return qobject_cast<const QLineEdit*>(&w) != nullptr; },
         Qt::IBeamCursor},
        {"window", [](const QWidget& w) { return w.isWindow(); }, Qt::ArrowCursor},
    };
    return cases;
}

// Checks every control of a window against the cases (with the own cursors, every one is a
// picture); returns how many controls were checked.
int CheckCursors(QWidget& window, bool ownCursors = false) {
    int checked = 0;
    QList<QWidget*> controls = window.findChildren<QWidget*>();
    controls.prepend(&window);
    for (QWidget* control : controls) {
        if (!control->isVisible()) continue;
        for (const CursorCase& c : CursorCases()) {
            if (!c.applies(*control)) continue;
            const Qt::CursorShape expected = ownCursors ? Qt::BitmapCursor : c.shape;  // own: pictures
            EXPECT_EQ(control->cursor().shape(), expected)
                << c.what << " " << control->metaObject()->className() << " "
                << control->objectName().toStdString() << " in " << window.metaObject()->className();
            ++checked;
        }
    }
    return checked;
}

}  // namespace

TEST(MenuCommands, EveryControlOfEveryWindowTakesTheCursorOfItsKind) {
    QTemporaryDir dir;
    Settings settings;
    settings.OwnCursor = false;
    const QString folder = FolderWith(dir, settings);
    // Each window that opens is checked, then closed: the login with Cancel, the others with OK.
    QStringList seen;
    QTimer inspector;
    inspector.setInterval(10);
    QObject::connect(&inspector, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        seen << QString::fromLatin1(modal->metaObject()->className());
        EXPECT_GT(CheckCursors(*modal), 1) << seen.back().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    });
    inspector.start();

    TForm1 window(folder.toStdString());
    ToMenu(window);
    EXPECT_GE(CheckCursors(window), 8) << "the menu's buttons";
    for (const char* button : {"Button9", "BHistory", "Button6"})
        QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);

    window.StartGame(member::NewPlayer, ClubMember{"Ivan", 0, 0, 0, EncodePassword("iv")});
    EXPECT_GE(CheckCursors(window), 3) << "the table's buttons";
    for (const char* item : {"GenCount", "MSpeed", "About"})
        window.findChild<QAction*>(QString::fromLatin1(item))->trigger();
    ASSERT_TRUE(WaitFor([&] { return seen.contains("kesp::TFormAbout"); }));
    // The own cursors are pictures, on every control at once, and back.
    window.SetOwnCursor(true);
    EXPECT_GE(CheckCursors(window, true), 3);
    window.SetOwnCursor(false);
    EXPECT_GE(CheckCursors(window), 3);
    for (const char* name : {"kesp::TFormTopTen", "kesp::TFHistory", "kesp::WelcomeDialog",
                             "kesp::TFormCount", "kesp::TFormSpeed"})
        EXPECT_TRUE(seen.contains(QString::fromLatin1(name))) << name << " " << seen.join(",").toStdString();
    inspector.stop();
}

TEST(MenuCommands, TopTenPanelsShowTheBestThreeOfTheClubOfTheMode) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    SetBestThree(folder + "Kesp.clb", {"Anna", "Boris", "Clara"});
    SetBestThree(folder + "Kesp.net", {"Netta", "Nils", "Nora"});
    ModalAnswerer answerer;
    {
        TForm1 window(folder.toStdString());
        ToMenu(window);
        EXPECT_EQ(PanelTexts(window), QStringList({"Anna 150", "Boris 120", "Clara 100"}));
        // Every panel's line fits its panel.
        for (int place = 1; place <= 3; ++place) {
            auto* panel = window.findChild<QLabel*>(QStringLiteral("TopTenPanel%1").arg(place));
            EXPECT_LE(panel->fontMetrics().horizontalAdvance(panel->text()), panel->width()) << place;
        }
        window.StartGame(member::NewPlayer, ClubMember{"Ivan", 0, 0, 0, EncodePassword("iv")});
        EXPECT_EQ(PanelTexts(window), QStringList({"-", "-", "-"})) << "the table hides them";
        window.close();
    }
    Settings settings;
    LoadSettings(settings, folder.toStdString());
    settings.NetworkMode = true;
    SaveSettings(settings, folder.toStdString(), false);
    TForm1 network(folder.toStdString());
    ToMenu(network);
    EXPECT_EQ(PanelTexts(network), QStringList({"Netta 150", "Nils 120", "Nora 100"}));
    network.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-menu-network.png"));
    network.close();
}

TEST(MenuCommands, SevenClicksOnTheCaptionBannerBringItsFirstColourBack) {
    QTemporaryDir dir;
    ModalAnswerer answerer;
    TForm1 window(ProgramFolder(dir).toStdString());
    ToMenu(window);
    const int first = window.CurrentSettings().CaptionColour;
    std::vector<int> colours;
    for (int click = 0; click < 7; ++click) {
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(380, 40));  // on the banner
        colours.push_back(window.CurrentSettings().CaptionColour);
    }
    EXPECT_EQ(colours.back(), first);
    std::sort(colours.begin(), colours.end());
    EXPECT_EQ(colours, (std::vector<int>{1, 2, 3, 4, 5, 6, 7})) << "every colour once";
    window.close();
}

TEST(MenuCommands, TheInformationPanelHintsTheGameOfTheCycle) {
    QTemporaryDir dir;
    ModalAnswerer answerer;
    TForm1 window(ProgramFolder(dir).toStdString());
    ToMenu(window);
    auto hintAt = [&](QPoint p) {
        QToolTip::hideText();
        WaitFor([] { return !QToolTip::isVisible(); }, 2000);
        QHelpEvent help(QEvent::ToolTip, p, window.mapToGlobal(p));
        QApplication::sendEvent(&window, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    const QPoint panel = window.Painter().Geometry().infoPanel.center();
    EXPECT_EQ(hintAt(panel), QString()) << "no hint on the menu";
    window.StartGame(1, ClubMember{"Ivan", 0, 31, 0, EncodePassword("iv")});  // the 32nd game
    EXPECT_EQ(hintAt(panel), "Game: 32 / 25");
    EXPECT_EQ(hintAt(window.Painter().Geometry().trickArea.center()), QString());
    window.SetLanguage(kRussian);
    EXPECT_EQ(hintAt(panel), WordText(WordKey::TableGame, kRussian) + ": 32 / 25");
    window.close();
}

TEST(MenuCommands, TheAboutWindowShowsTheBannerAndItsWordsInTheLanguage) {
    QTemporaryDir dir;
    ModalAnswerer answerer;
    TForm1 window(ProgramFolder(dir).toStdString());
    ToMenu(window);
    window.StartGame(member::NewPlayer, ClubMember{"Ivan", 0, 0, 0, EncodePassword("iv")});
    int helpOpened = 0;
    for (int language : {kEnglish, kRussian}) {
        window.SetLanguage(language);
        TFormAbout about(window.CurrentSettings(), [&] { ++helpOpened; });
        about.show();
        EXPECT_FALSE(about.Banner().isNull());
        EXPECT_EQ(about.windowTitle(), WordText(WordKey::About, language));
        EXPECT_EQ(about.HelpLink()->text(), WordText(WordKey::MoreInDetailInTheHelp, language));
        EXPECT_EQ(about.OkButton()->text(), WordText(WordKey::OK, language));
        QTest::mouseClick(about.HelpLink(), Qt::LeftButton);
        about.grab().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-about-%1.png")
                              .arg(QString::fromLatin1(LanguageSuffix(language))));
    }
    EXPECT_EQ(helpOpened, 2);
    window.close();
}

// The credit line stands on the title screen between the inner rectangle's sides, 300 pixels apart.
TEST(MenuCommands, TheTitleScreensCreditLineFitsInEveryLanguage) {
    const QFontMetrics metrics(FontOfHeight(QStringLiteral("Comic Sans MS"), 24));
    for (int language = 0; language < kLanguageCount; ++language) {
        const QString credit = WordText(WordKey::AboutTeam, language);
        EXPECT_LE(metrics.horizontalAdvance(credit), 300) << language << " " << credit.toStdString();
    }
}

}  // namespace kesp
