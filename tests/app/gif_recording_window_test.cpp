// Deals recorded by the real main window: the felt it records on, the files in "GIFGame", what a
// still table adds, leaving and closing while recording, a folder that cannot be written, and the
// larger windows that never record.
#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest/QTest>

#include "app/main_window.h"
#include "records/club.h"
#include "records/settings.h"
#include "tests/presentation/gif_decode.h"
#include "window_fixture.h"

namespace kesp {
using namespace test;

namespace {

constexpr QRgb kRecordingFeltRim = qRgb(10, 82, 34);  // the recording felt's outermost colour

void WriteSettings(const QString& folder, int windowSize, int gifSource) {
    Settings settings;
    settings.SaveGamesAsGif = true;
    settings.GifSource = gifSource;
    settings.GifDelay = 250;
    settings.WindowSize = windowSize;
    settings.Speed = 6;
    ASSERT_EQ(SaveSettings(settings, folder.toStdString(), false), SettingsSave::kWritten);
}

// A new player's game on the table with the computer playing the own seat too.
void StartGame(TForm1& window) {
    window.CurrentGame().SeedShuffle(TestSeed());
    window.SetPace(2);  // a deal still spans several samples of the recording
    window.show();
    ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Title; }));
    window.StartGame(member::NewPlayer, ClubMember{"Gif", 0, 0, 0, EncodePassword("g")});
    window.CurrentGame().Setup().AllComputer = true;  // from the next deal on
    window.CurrentGame().State().HumanSeat[4] = 0;    // and in this one
}

// Plays on (pressing the action button whenever it may be pressed) until `done`.
bool PlayUntil(TForm1& window, const std::function<bool()>& done) {
    auto* action = window.findChild<QPushButton*>(QStringLiteral("Button7"));
    for (int steps = 0; steps < 3000 && !done(); ++steps) {
        if (action->isVisible() && action->isEnabled())
            QTest::mouseClick(action, Qt::LeftButton);
        else
            window.CurrentGame().GameTick();
        QTest::qWait(15);  // the sampling timer takes its frames meanwhile
    }
    return done();
}

QStringList Recordings(const QString& folder) {
    return QDir(folder + "GIFGame").entryList({QStringLiteral("*.gif")}, QDir::Files, QDir::Name);
}

std::string FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

class RecordingWindow : public ::testing::TestWithParam<int> {};

TEST_P(RecordingWindow, ADealIsSavedAsAGifOfItsChangesOnThePlainFelt) {
    const int source = GetParam();
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    WriteSettings(folder, window_size::Small, source);
    ModalAnswerer answerer;
    TForm1 window(folder.toStdString());
    StartGame(window);
    const DealRecording& recording = window.Recording();
    ASSERT_TRUE(recording.Recording());
    EXPECT_EQ(window.Painter().Canvas().pixel(1, 1), kRecordingFeltRim);

    // Waiting for "To Begin": the table stands still and the sampling adds nothing. (The screen of
    // the offscreen platform leaves the window frame's pixels undefined, so only the window's own
    // pixels can stand still here.)
    QTest::qWait(450);
    EXPECT_TRUE(recording.SamplingTimer().isActive());
    if (source == 1) {
        EXPECT_EQ(recording.Recorder().FrameCount(), 1);
    }

    ASSERT_TRUE(PlayUntil(window, [&] { return !recording.Recording(); }));
    EXPECT_FALSE(recording.SamplingTimer().isActive());
    EXPECT_NE(window.Painter().Canvas().pixel(1, 1), kRecordingFeltRim) << "the chosen background is back";
    const QString file = recording.LastFile();
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(folder + "GIFGame").absoluteFilePath());
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}\.\d\d\.\d\d-\d\d\.\d\d\.\d\d\.gif$)")
                    .match(QFileInfo(file).fileName())
                    .hasMatch());

    const DecodedGif gif = DecodeGif(FileBytes(file));
    ASSERT_TRUE(gif.ok);
    const QSize expected = source == 1 ? QSize(760, 500) : window.frameGeometry().size();
    EXPECT_EQ(gif.screen, expected);
    ASSERT_GE(gif.frames.size(), 3u);
    for (std::size_t i = 0; i < gif.frames.size(); ++i) {
        EXPECT_EQ(gif.delaysCs[i], i + 1 == gif.frames.size() ? 500 : 25) << i;
        if (i > 0 && source == 1) {  // (the offscreen screen's undefined frame pixels may quantise alike)
            EXPECT_NE(gif.frames[i], gif.frames[i - 1]) << i;
        }
    }
    if (source == 1) {
        EXPECT_EQ(gif.frames.back().pixel(1, 1), kRecordingFeltRim);
        gif.frames.back().save(QStringLiteral(KESP_BUILD_DIR "/screenshot-recorded-deal.png"));
    }

    // The next deal is recorded anew; closing the window keeps what was recorded of it.
    ASSERT_TRUE(PlayUntil(window, [&] { return recording.Recording(); }));
    window.close();  // "You want to leave from game?" is answered from the event loop
    ASSERT_TRUE(WaitFor([&] { return !window.isVisible(); }));
    EXPECT_FALSE(recording.Recording());
    EXPECT_EQ(Recordings(folder).size(), 2);
    EXPECT_TRUE(answerer.windows.filter(QStringLiteral("TMessageWindow")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(BothSources, RecordingWindow, ::testing::Values(1, 2));

TEST(RecordingWindowLeft, LeavingForTheMenuSavesTheDealSoFar) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    WriteSettings(folder, window_size::Small, 1);
    ModalAnswerer answerer;  // "You want to leave in the main menu?": Yes
    TForm1 window(folder.toStdString());
    StartGame(window);
    ASSERT_TRUE(window.Recording().Recording());
    window.CurrentGame().LeaveToMenu();  // the question is answered from the event loop
    ASSERT_TRUE(WaitFor([&] { return !window.CurrentGame().State().DealRunning; }));
    EXPECT_FALSE(window.Recording().Recording());
    EXPECT_FALSE(window.Recording().SamplingTimer().isActive());
    ASSERT_EQ(Recordings(folder).size(), 1);
    const DecodedGif gif = DecodeGif(FileBytes(window.Recording().LastFile()));
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.delaysCs, std::vector<int>{500});
}

TEST(RecordingWindowUnwritable, AFolderThatCannotBeMadeIsReportedAndTheGameGoesOn) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    WriteSettings(folder, window_size::Small, 1);
    QFile blocker(folder + "GIFGame");  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ModalAnswerer answerer;
    TForm1 window(folder.toStdString());
    StartGame(window);
    const GameState& gs = window.CurrentGame().State();
    ASSERT_TRUE(PlayUntil(window, [&] { return !window.Recording().Recording(); }));
    EXPECT_FALSE(answerer.windows.filter(QStringLiteral("TMessageWindow")).isEmpty());
    EXPECT_TRUE(window.Recording().LastFile().isEmpty());
    EXPECT_EQ(window.CurrentScreen(), TForm1::Screen::Table);
    EXPECT_GE(gs.Phase, phase::DealScored);
    // The next deal records again.
    ASSERT_TRUE(PlayUntil(window, [&] { return window.Recording().Recording(); }));
}

TEST(RecordingWindowSizes, LargerWindowsNeverRecordEvenWithTheOptionOn) {
    for (int size = 2; size <= 5; ++size) {
        SCOPED_TRACE(size);
        QTemporaryDir dir;
        const QString folder = ProgramFolder(dir);
        WriteSettings(folder, size, 1);
        ModalAnswerer answerer;
        TForm1 window(folder.toStdString());
        StartGame(window);
        EXPECT_FALSE(window.CurrentSettings().SaveGamesAsGif);
        EXPECT_FALSE(window.Recording().Recording());
        window.CurrentGame().LeaveToMenu();
        ASSERT_TRUE(WaitFor([&] { return !window.CurrentGame().State().DealRunning; }));
        EXPECT_TRUE(Recordings(folder).isEmpty());
        EXPECT_FALSE(QFileInfo::exists(folder + "GIFGame"));
    }
}

}  // namespace
}  // namespace kesp
