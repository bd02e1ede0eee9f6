#include "windows/options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <map>

#include "presentation/cards_button.h"
#include "presentation/hints.h"
#include "presentation/message_window.h"
#include "tests/network/http_folder_server.h"
#include "tests/windows/window_test_support.h"
#include "windows/library_downloads.h"
#include "windows/speed_dialog.h"

namespace kesp {
namespace {

using testing::App;

// The main window's side of the dialog: it counts each notification and keeps what came with it.
struct FakeHost {
    std::map<std::string, int> calls;
    std::vector<std::string> sounds;
    bool menuShowing = true;
    QSize screen{1600, 1200};

    OptionsHost Host(Settings& settings) {
        OptionsHost host;
        auto count = [this](const char* name) { return [this, name] { ++calls[name]; }; };
        host.SetLanguage = [this, &settings](int language) {
            ++calls["language"];
            settings.CurrentLanguage = language;
            AnnounceLanguageChange();
        };
        host.WindowSizeChanged = count("size");
        host.NetworkModeChanged = count("network");
        host.MusicChanged = count("music");
        host.MenuShowing = [this] { return menuShowing; };
        host.GifAnimationChanged = count("gif");
        host.CursorChanged = count("cursor");
        host.ButtonStyleChanged = count("buttons");
        host.FontsChanged = count("fonts");
        host.CardsChanged = count("cards");
        host.BackgroundChanged = count("background");
        host.DesignChanged = count("design");
        host.RadioListChanged = count("radio");
        host.PlaySound = [this](std::string_view s) { sounds.emplace_back(s); };
        host.OpenPassport = [this](QWidget*) { ++calls["passport"]; };
        host.ScreenSize = [this] { return screen; };
        return host;
    }
};

// A graphics library of two pictures, packed as the libraries are: the menu's background and the
// icon that the designs need.
bool MakeGraphicsLibrary(const std::string& programDir) {
    const QString dir = QString::fromStdString(programDir);
    QImage picture(48, 48, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    if (!picture.save(dir + "BGLilu.png") || !picture.save(dir + "GIcon48Opt.png")) return false;
    QFile qrc(dir + "graph.qrc");
    if (!qrc.open(QIODevice::WriteOnly)) return false;
    qrc.write(
        "<RCC><qresource prefix=\"/\"><file>BGLilu.png</file><file>GIcon48Opt.png</file></qresource></RCC>");
    qrc.close();
    QProcess rcc;
    rcc.setWorkingDirectory(dir);
    rcc.start(QStringLiteral(KESP_RCC), {"--binary", "graph.qrc", "-o", "ZunCGraph1.dll"});
    return rcc.waitForFinished(20000) && rcc.exitCode() == 0;
}

template <typename T>
T* Child(QWidget& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

QAbstractButton* RadioItem(QWidget& dialog, const char* group, int item) {
    auto* box = Child<QGroupBox>(dialog, group);
    return box->findChildren<QRadioButton*>().at(item);
}

void Type(QSpinBox* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

// Every control writes its field at once and tells the main window what it must redraw.
TEST(OptionsDialog, EachControlChangesItsFieldAndTellsTheWindow) {
    App();
    struct Case {
        const char* what;
        std::function<void(QWidget&)> act;
        std::function<bool(const Settings&)> field;
        const char* call;  // the main window's notification, or "" for a change seen at the next use
    };
    const Case cases[] = {
        {"language", [](QWidget& d) { Child<QComboBox>(d, "ComboBoxLan")->setCurrentIndex(1); },
         [](const Settings& s) { return s.CurrentLanguage == 1; }, "language"},
        {"window size", [](QWidget& d) { Child<QComboBox>(d, "ComboBoxWSize")->setCurrentIndex(2); },
         [](const Settings& s) { return s.WindowSize == 3; }, "size"},
        {"multiplayer", [](QWidget& d) { Child<QCheckBox>(d, "CheckBoxNet")->click(); },
         [](const Settings& s) { return s.NetworkMode; }, "network"},
        {"sound", [](QWidget& d) { Child<QCheckBox>(d, "CheckBox1")->click(); },
         [](const Settings& s) { return !s.SoundOn; }, ""},
        {"music", [](QWidget& d) { Child<QCheckBox>(d, "CheckBox2")->click(); },
         [](const Settings& s) { return !s.MusicOn; }, "music"},
        {"gif animation", [](QWidget& d) { Child<QCheckBox>(d, "CheckBox3")->click(); },
         [](const Settings& s) { return !s.GifAnimation; }, "gif"},
        {"fly cards", [](QWidget& d) { Child<QCheckBox>(d, "CheckBox4")->click(); },
         [](const Settings& s) { return !s.FlyCards; }, ""},
        {"own cursor", [](QWidget& d) { Child<QCheckBox>(d, "CheckBoxCur")->click(); },
         [](const Settings& s) { return !s.OwnCursor; }, "cursor"},
        {"new buttons", [](QWidget& d) { Child<QCheckBox>(d, "CheckBoxBut")->click(); },
         [](const Settings& s) { return s.NewButtons; }, "buttons"},
        {"always one back", [](QWidget& d) { RadioItem(d, "RadioGroup2", 1)->click(); },
         [](const Settings& s) { return s.OneBackOnly; }, ""},
        {"initial score", [](QWidget& d) { RadioItem(d, "RadioGroup4", 1)->click(); },
         [](const Settings& s) { return s.InitialScore == 150; }, ""},
        {"open cards", [](QWidget& d) { Child<QCheckBox>(d, "CheckBox5")->click(); },
         [](const Settings& s) { return !s.OpenCardsAtEnd; }, ""},
        {"font scale", [](QWidget& d) { Type(Child<QSpinBox>(d, "SpinEdit1"), "120"); },
         [](const Settings& s) { return s.FontLargeScale == 120; }, "fonts"},
        {"small font family",
         [](QWidget& d) {
             Child<QComboBox>(d, "ComboBoxFont")->setCurrentIndex(1);
             Child<QFontComboBox>(d, "FontComboBox1")->setCurrentFont(QFont(QStringLiteral("DejaVu Sans")));
         },
         [](const Settings& s) { return s.FontSmall == "DejaVu Sans" && s.FontLarge == "Comic Sans MS"; },
         "fonts"},
        {"background picture", [](QWidget& d) { Child<QComboBox>(d, "ComboBoxBG1")->setCurrentIndex(4); },
         [](const Settings& s) { return s.Background == 5; }, "background"},
        {"background colour", [](QWidget& d) { Child<QComboBox>(d, "ComboBoxBG2")->setCurrentIndex(3); },
         [](const Settings& s) { return s.BackgroundVariant == 3; }, "background"},
        {"save games", [](QWidget& d) { Child<QCheckBox>(d, "CheckBoxSG1")->click(); },
         [](const Settings& s) { return s.SaveGamesAsGif; }, ""},
        {"gif source", [](QWidget& d) { Child<QComboBox>(d, "ComboBoxSG1")->setCurrentIndex(1); },
         [](const Settings& s) { return s.GifSource == 2; }, ""},
        {"gif delay",
         [](QWidget& d) {
             Child<QCheckBox>(d, "CheckBoxSG1")->click();  // the delay is enabled with the saving
             Type(Child<QSpinBox>(d, "SpinEditSG1"), "250");
         },
         [](const Settings& s) { return s.GifDelay == 250; }, ""},
        {"radio list", [](QWidget& d) { RadioItem(d, "RGRadio", 1)->click(); },
         [](const Settings& s) { return !s.RadioListFromServer; }, "radio"},
    };
    for (const Case& c : cases) {
        Settings settings;
        FakeHost fake;
        TFormOptions dialog(settings, testing::ClubFolder().Dir(), fake.Host(settings));
        dialog.show();
        EXPECT_TRUE(fake.calls.empty()) << c.what << ": the opening changes nothing";
        c.act(dialog);
        EXPECT_TRUE(c.field(settings)) << c.what;
        if (*c.call) {
            EXPECT_GE(fake.calls[c.call], 1) << c.what;
        }
        EXPECT_EQ(fake.calls.size(), *c.call ? 1u : 0u) << c.what;
        if (std::string(c.what) == "language") {
            EXPECT_EQ(dialog.windowTitle(), WordText(WordKey::Options, 1));
            EXPECT_EQ(dialog.Tabs()->tabText(0), WordText(WordKey::General, 1));
        }
    }
}

TEST(OptionsDialog, TheOpeningShowsTheSettingsAndTheRememberedTab) {
    App();
    Settings settings;
    settings.CurrentLanguage = 2;
    settings.InitialScore = 200;
    settings.Speed = 5;
    settings.GifDelay = 700;
    settings.Background = 7;
    settings.BackgroundVariant = 4;
    settings.WindowDesign = 3;
    FakeHost fake;
    {
        TFormOptions dialog(settings, testing::ClubFolder().Dir(), fake.Host(settings));
        dialog.show();
        EXPECT_EQ(dialog.Tabs()->count(), 9);
        EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxLan")->currentIndex(), 2);
        EXPECT_TRUE(RadioItem(dialog, "RadioGroup4", 2)->isChecked());
        EXPECT_EQ(Child<QPushButton>(dialog, "Button3")->text(), WordText(WordKey::Speed, 2) + " = 5");
        Child<QPushButton>(dialog, "Button4")->click();
        EXPECT_EQ(fake.calls["passport"], 1);
        fake.calls.erase("passport");
        EXPECT_EQ(Child<QSpinBox>(dialog, "SpinEditSG1")->value(), 700);
        EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxBG1")->currentIndex(), 6);
        EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxBG2")->currentIndex(), 4);
        EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxD3")->currentIndex(), 2);
        EXPECT_GE(dialog.height(), TFormOptions::DesignHeight(3));
        dialog.Tabs()->setCurrentIndex(4);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(RememberedOptionsTab(), 4);
    TFormOptions again(settings, testing::ClubFolder().Dir(), fake.Host(settings));
    EXPECT_EQ(again.Tabs()->currentIndex(), 4);
    again.Tabs()->setCurrentIndex(0);
    EXPECT_TRUE(fake.calls.empty());
}

TEST(OptionsDialog, OnlyTheSizesTheScreenHoldsAreOffered) {
    EXPECT_EQ(OfferedWindowSizes({1280, 1024}), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(OfferedWindowSizes({1600, 1200}), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(OfferedWindowSizes({800, 600}), (std::vector<int>{1, 2}));
    App();
    Settings settings;
    settings.WindowSize = 3;
    FakeHost fake;
    fake.screen = {1280, 1024};
    TFormOptions dialog(settings, testing::ClubFolder().Dir(), fake.Host(settings));
    auto* sizes = Child<QComboBox>(dialog, "ComboBoxWSize");
    ASSERT_EQ(sizes->count(), 3);
    EXPECT_EQ(sizes->currentIndex(), 2);
    EXPECT_EQ(sizes->toolTip(), "990 x 650");
    EXPECT_EQ(sizes->itemText(1), "Full screen");
    EXPECT_TRUE(fake.calls.empty());  // the opening never resizes the main window
    sizes->setCurrentIndex(0);
    EXPECT_EQ(settings.WindowSize, 1);
    EXPECT_EQ(fake.calls["size"], 1);
}

TEST(OptionsDialog, GifSavingNeedsTheSmallWindowAndEnablesItsControls) {
    App();
    Settings settings;
    FakeHost fake;
    TFormOptions dialog(settings, testing::ClubFolder().Dir(), fake.Host(settings));
    dialog.show();
    auto* save = Child<QCheckBox>(dialog, "CheckBoxSG1");
    EXPECT_TRUE(save->isEnabled());
    EXPECT_FALSE(Child<QSpinBox>(dialog, "SpinEditSG1")->isEnabled());
    save->click();
    EXPECT_TRUE(Child<QSpinBox>(dialog, "SpinEditSG1")->isEnabled());
    EXPECT_TRUE(Child<QComboBox>(dialog, "ComboBoxSG1")->isEnabled());
    // The main window turns GIF saving off for a larger size; the tab follows when shown.
    Child<QComboBox>(dialog, "ComboBoxWSize")->setCurrentIndex(2);
    settings.SaveGamesAsGif = false;  // as the main window's size change does
    dialog.Tabs()->setCurrentIndex(0);
    dialog.Tabs()->setCurrentIndex(6);
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(save->isChecked());
}

TEST(OptionsDialog, FontScalesOutsideTheirRangeAreIgnoredAndDefaultRestoresAll) {
    App();
    Settings settings;
    settings.FontLarge = "DejaVu Sans";
    settings.FontSpecial2 = "DejaVu Serif";
    settings.FontSpecial2Scale = 70;
    FakeHost fake;
    TFormOptions dialog(settings, testing::ClubFolder().Dir(), fake.Host(settings));
    dialog.show();
    auto* scale = Child<QSpinBox>(dialog, "SpinEdit1");
    Type(scale, "151");
    EXPECT_EQ(settings.FontLargeScale, 100);
    Type(scale, "150");
    EXPECT_EQ(settings.FontLargeScale, 150);
    Child<QComboBox>(dialog, "ComboBoxFont")->setCurrentIndex(3);
    EXPECT_EQ(scale->value(), 70);
    Child<QPushButton>(dialog, "Button2")->click();
    EXPECT_EQ(settings.FontLarge, "Comic Sans MS");
    EXPECT_EQ(settings.FontSmall, "Comic Sans MS");
    EXPECT_EQ(settings.FontSpecial1, "FixedSys");
    EXPECT_EQ(settings.FontSpecial2, "Courier New");
    for (int s : {settings.FontLargeScale, settings.FontSmallScale, settings.FontSpecial1Scale,
                  settings.FontSpecial2Scale})
        EXPECT_EQ(s, 100);
    EXPECT_EQ(scale->value(), 100);  // the selected slot shows its new values
    EXPECT_GE(fake.calls["fonts"], 2);
}

// Without the libraries every library choice falls back to the built-in design.
TEST(OptionsDialog, ChoicesWithoutTheirLibraryFallBack) {
    App();
    Settings settings;
    FakeHost fake;
    testing::ClubFolder folder;
    TFormOptions dialog(settings, folder.Dir(), fake.Host(settings));
    dialog.show();
    Child<QComboBox>(dialog, "ComboBox1")->setCurrentIndex(17);
    EXPECT_EQ(settings.CardFaceSet, 0);
    EXPECT_EQ(Child<QComboBox>(dialog, "ComboBox1")->currentIndex(), 0);
    EXPECT_FALSE(dialog.FacePreview().isNull());
    Child<QComboBox>(dialog, "ComboBox2")->setCurrentIndex(9);
    EXPECT_EQ(settings.DeckBack, 0);
    EXPECT_TRUE(RadioItem(dialog, "RadioGroup2", 0)->isChecked());
    EXPECT_FALSE(RadioItem(dialog, "RadioGroup2", 2)->isEnabled());

    Child<QComboBox>(dialog, "ComboBoxD1")->setCurrentIndex(1);
    EXPECT_EQ(settings.MenuDesign, 0);
    EXPECT_EQ(Child<QComboBox>(dialog, "ComboBoxD1")->currentIndex(), 0);
    settings.WindowDesign = 1;
    Child<QComboBox>(dialog, "ComboBoxD2")->setCurrentIndex(1);
    EXPECT_EQ(settings.TableDesign, 0);
    EXPECT_EQ(settings.WindowDesign, 2);
    EXPECT_FALSE(settings.LibraryDesign);
    auto* message = dialog.findChild<TMessageWindow*>();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->LineLabel(1)->text(), "Can`t find the file ZunCGraph1.dll");
    message->close();
    // The salute needs the graphics library: its boxes are off and greyed out.
    EXPECT_FALSE(Child<QCheckBox>(dialog, "CheckBoxD1")->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "CheckBoxD1")->isChecked());
    EXPECT_TRUE(settings.SaluteButtons);
}

// With the graphics library the design lists take the library's designs, and the backgrounds are
// greyed out while both screens show the design's own background.
TEST(OptionsDialog, TheDesignsSwitchWithTheGraphicsLibrary) {
    App();
    Settings settings;
    FakeHost fake;
    testing::ClubFolder folder;
    ASSERT_TRUE(MakeGraphicsLibrary(folder.Dir()));
    TFormOptions dialog(settings, folder.Dir(), fake.Host(settings));
    dialog.show();
    Child<QComboBox>(dialog, "ComboBoxD1")->setCurrentIndex(1);
    Child<QComboBox>(dialog, "ComboBoxD2")->setCurrentIndex(1);
    EXPECT_EQ(settings.MenuDesign, 1);
    EXPECT_EQ(settings.TableDesign, 1);
    EXPECT_EQ(fake.calls["design"], 2);
    EXPECT_FALSE(Child<QComboBox>(dialog, "ComboBoxBG1")->isEnabled());
    // With the menu's design on, a background choice is kept but nothing is repainted.
    Child<QComboBox>(dialog, "ComboBoxBG1")->setCurrentIndex(2);
    EXPECT_EQ(settings.Background, 3);
    EXPECT_EQ(fake.calls["background"], 0);
    Child<QComboBox>(dialog, "ComboBoxD3")->setCurrentIndex(3);
    EXPECT_TRUE(settings.LibraryDesign);
    EXPECT_GE(dialog.height(), TFormOptions::DesignHeight(4));
    EXPECT_TRUE(Child<QCheckBox>(dialog, "CheckBoxD1")->isEnabled());
    for (TZunCardsButton* b : dialog.LibraryButtons(9)) EXPECT_FALSE(b->isEnabled());
}

TEST(OptionsDialog, TheGifBoxDuringAGameChangesNothing) {
    App();
    Settings settings;
    FakeHost fake;
    fake.menuShowing = false;
    TFormOptions dialog(settings, testing::ClubFolder().Dir(), fake.Host(settings));
    dialog.show();
    Child<QCheckBox>(dialog, "CheckBox3")->click();
    EXPECT_TRUE(settings.GifAnimation);
    EXPECT_TRUE(Child<QCheckBox>(dialog, "CheckBox3")->isChecked());
    EXPECT_TRUE(fake.calls.empty());
}

TEST(OptionsDialog, TheSpeedButtonOpensTheSpeedDialogAndShowsTheNewValue) {
    App();
    Settings settings;
    FakeHost fake;
    TFormOptions dialog(settings, testing::ClubFolder().Dir(), fake.Host(settings));
    dialog.show();
    Child<QPushButton>(dialog, "Button3")->click();
    auto* speed = dialog.findChild<TFormSpeed*>();
    ASSERT_NE(speed, nullptr);
    speed->TrackBar()->setValue(2);
    speed->OkButton()->click();
    EXPECT_EQ(settings.Speed, 2);
    EXPECT_EQ(Child<QPushButton>(dialog, "Button3")->text(), "Speed = 2");
}

// Runs the event loop until `done` holds or five seconds pass.
bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) QTest::qWait(10);
    return done();
}

// A library button fetches its library from the service into the folder above the program; the
// window keeps running meanwhile, and a failure says so and leaves no file.
TEST(OptionsDialog, TheLibraryButtonsDownloadIntoTheFolderAbove) {
    App();
    testing::ClubFolder folder;
    const std::string served = folder.Dir() + "served/";
    std::filesystem::create_directories(served + "downloads/progr/cards");
    std::ofstream(served + "downloads/progr/cards/ZunBackG03.dll") << "library bytes";
    test::HttpFolderServer server(served);
    ASSERT_TRUE(server.Running());
    qputenv("KESP_SERVICE", QByteArray::fromStdString(server.Base()));

    const std::string root = folder.Dir() + "install/";
    const std::string program = root + "program/";
    std::filesystem::create_directories(program);
    Settings settings;
    FakeHost fake;
    TFormOptions dialog(settings, program, fake.Host(settings));
    dialog.show();
    dialog.Tabs()->setCurrentIndex(5);
    const std::vector<TZunCardsButton*> buttons = dialog.LibraryButtons(3);
    ASSERT_EQ(buttons.size(), 2u);  // on the background tab and on the libraries tab
    ASSERT_TRUE(buttons[0]->isEnabled());
    EXPECT_EQ(buttons[0]->KLightSB(), 0);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(buttons[0], &enter);
    ASSERT_NE(dialog.DownloadHint(), nullptr);
    EXPECT_EQ(dialog.DownloadHint()->Text(), "ZunBackG03.dll");

    buttons[0]->click();
    EXPECT_FALSE(buttons[0]->isEnabled());  // no second start while it runs
    ASSERT_TRUE(WaitFor([&] { return !fake.sounds.empty(); }));
    EXPECT_EQ(fake.sounds.back(), "WToMenK");
    std::ifstream arrived(root + "ZunBackG03.dll");
    std::string bytes;
    std::getline(arrived, bytes);
    EXPECT_EQ(bytes, "library bytes");
    for (TZunCardsButton* b : buttons) {
        EXPECT_FALSE(b->isEnabled());
        EXPECT_EQ(b->KLightSB(), 50);
    }

    // A library the service does not have: the failure sound, the message, no file.
    const std::vector<TZunCardsButton*> voice = dialog.LibraryButtons(7);
    ASSERT_EQ(voice.size(), 1u);
    dialog.Tabs()->setCurrentIndex(7);
    voice[0]->click();
    ASSERT_TRUE(WaitFor([&] { return fake.sounds.size() == 2; }));
    EXPECT_EQ(fake.sounds.back(), "WWrongs");
    EXPECT_TRUE(voice[0]->isEnabled());
    auto* message = dialog.findChild<TMessageWindow*>();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->LineLabel(1)->text(), WordText(WordKey::DownloadFailed, 0));
    EXPECT_EQ(message->LineLabel(2)->text(), "ZunCVoice3.dll");
    std::vector<std::string> above;
    for (const auto& entry : std::filesystem::directory_iterator(root))
        above.push_back(entry.path().filename().string());
    std::sort(above.begin(), above.end());
    EXPECT_EQ(above, (std::vector<std::string>{"ZunBackG03.dll", "program"}));
    qunsetenv("KESP_SERVICE");
}

// Screenshots of every tab in each design, in English and in Russian, for the eye.
TEST(OptionsDialog, EveryTabInEveryDesignAndTwoLanguages) {
    App();
    for (int language : {0, 1}) {
        for (int design = 1; design <= 3; ++design) {
            Settings settings;
            settings.CurrentLanguage = language;
            settings.WindowDesign = design;
            FakeHost fake;
            TFormOptions dialog(settings, testing::ClubFolder().Dir(), fake.Host(settings));
            dialog.show();
            // The design's height, or more where this platform's fonts need it.
            EXPECT_GE(dialog.height(), TFormOptions::DesignHeight(design));
            for (int tab = 0; tab < dialog.Tabs()->count(); ++tab) {
                dialog.Tabs()->setCurrentIndex(tab);
                testing::SaveScreenshot(
                    dialog, QStringLiteral("options_l%1_d%2_t%3").arg(language).arg(design).arg(tab + 1));
            }
        }
    }
}

}  // namespace
}  // namespace kesp
