// Deals recorded as animated GIFs: the frames kept, their delays, the cap of 250 frames, the files
// read back by giflib and by Qt's own GIF reader, and the recordings' file names.
#include <gtest/gtest.h>

#include "qt_test_app.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

#include "gif_decode.h"
#include "presentation/card_art.h"
#include "presentation/deal_recording.h"
#include "presentation/gif_canvas.h"
#include "presentation/gif_recorder.h"
#include "presentation/gif_shared_palette.h"
#include "presentation/table_painter.h"

namespace kesp {
using test::App;
using test::DecodeGif;
using test::MeanDifference;
namespace {

// The table as the painter draws it while four computer players play, one picture per change.
class PlayedTable {
  public:
    PlayedTable() {
        App();
        art_.SetWindow(window_size::Small, 1.0, {760, 500});
        art_.LoadFaceDeck();
        art_.UseRecordingBackground();
        painter_.Layout(window_size::Small, {760, 500}, {}, CardCellFor(1.0, true), 0, false);
        for (int seat = 1; seat <= 4; ++seat)
            painter_.SetSeatName(seat, QStringLiteral("Player %1").arg(seat));
        game_.SeedShuffle(11);
        game_.Setup().AllComputer = true;
        game_.StartDeal(true);
    }

    // The next `count` pictures of the game that differ from each other.
    std::vector<QImage> Frames(int count) {
        std::vector<QImage> frames;
        while (static_cast<int>(frames.size()) < count) {
            const TableView& view = game_.View();
            if (view.action.shown && view.action.enabled)
                game_.ActionButton();
            else
                game_.GameTick();
            painter_.DrawAll(game_);
            if (frames.empty() || frames.back() != painter_.Canvas())
                frames.push_back(painter_.Canvas().copy());
        }
        return frames;
    }

  private:
    Settings settings_;
    Localisation words_;
    CardArt art_{settings_, "/nonexistent/"};
    CardArtPictures pictures_{art_};
    FontRoles fonts_{settings_};
    TablePainter painter_{pictures_, fonts_, words_};
    Game game_;
};

// A small picture that is different for every n.
QImage Numbered(int n) {
    App();  // the text needs the fonts
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(18, 112, 46));
    QPainter p(&image);
    p.setPen(Qt::white);
    p.drawText(image.rect(), Qt::AlignCenter, QString::number(n));
    return image;
}

std::vector<QImage> ReadWithQt(const std::string& bytes) {
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "gif");
    std::vector<QImage> frames;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read())
        frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
    return frames;
}

TEST(GifRecorder, RecordedDealReadsBackAsItsFramesWithTheirDelays) {
    PlayedTable table;
    const std::vector<QImage> captures = table.Frames(40);
    GifRecorder recorder;
    recorder.Start(250);
    for (const QImage& capture : captures) EXPECT_TRUE(recorder.AddFrame(capture));
    ASSERT_EQ(recorder.FrameCount(), 40);
    const std::string bytes = recorder.Finish();
    EXPECT_FALSE(recorder.Recording());
    EXPECT_EQ(recorder.FrameCount(), 0);

    const test::DecodedGif gif = DecodeGif(bytes);
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.screen, QSize(760, 500));
    EXPECT_TRUE(gif.loops);
    ASSERT_EQ(gif.frames.size(), captures.size());
    bool partialFrames = false;
    for (std::size_t i = 0; i < captures.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(gif.delaysCs[i], i + 1 == captures.size() ? 500 : 25);
        // Faces, backs and writing come through with their colours and edges.
        EXPECT_LT(MeanDifference(gif.frames[i], captures[i]), 1.0);
        if (i > 0) {
            EXPECT_NE(gif.frames[i], gif.frames[i - 1]);
        }
        partialFrames |= gif.rects[i] != QRect(0, 0, 760, 500);
    }
    EXPECT_EQ(gif.rects.front(), QRect(0, 0, 760, 500));
    EXPECT_TRUE(partialFrames) << "later frames hold only what changed";
    gif.frames[captures.size() / 2].save(test::ScreenshotDir() + "/recorded-frame.png");

    // A second reader of its own shows the same pictures.
    const std::vector<QImage> qtFrames = ReadWithQt(bytes);
    ASSERT_EQ(qtFrames.size(), gif.frames.size());
    for (std::size_t i = 0; i < qtFrames.size(); ++i) EXPECT_EQ(qtFrames[i], gif.frames[i]) << i;
}

TEST(GifRecorder, StandingStillAddsNoFrames) {
    GifRecorder recorder;
    EXPECT_FALSE(recorder.AddFrame(Numbered(1))) << "not recording";
    recorder.Start(1000);
    EXPECT_TRUE(recorder.AddFrame(Numbered(1)));
    for (int i = 0; i < 30; ++i) EXPECT_FALSE(recorder.AddFrame(Numbered(1)));
    EXPECT_TRUE(recorder.AddFrame(Numbered(2)));
    EXPECT_FALSE(recorder.AddFrame(Numbered(2)));
    EXPECT_EQ(recorder.FrameCount(), 2);
    const test::DecodedGif gif = DecodeGif(recorder.Finish());
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.delaysCs, (std::vector<int>{100, 500}));
}

TEST(GifRecorder, The251stDifferingFrameIsLeftOutAndTheFileStillSaves) {
    GifRecorder recorder;
    recorder.Start(40);
    for (int n = 1; n <= 250; ++n) ASSERT_TRUE(recorder.AddFrame(Numbered(n))) << n;
    EXPECT_FALSE(recorder.AddFrame(Numbered(251)));
    EXPECT_EQ(recorder.FrameCount(), GifRecorder::kMaxFrames);
    const test::DecodedGif gif = DecodeGif(recorder.Finish());
    ASSERT_TRUE(gif.ok);
    ASSERT_EQ(gif.frames.size(), 250u);
    EXPECT_EQ(gif.delaysCs.front(), 4);
    EXPECT_EQ(gif.delaysCs.back(), 500);
    EXPECT_LT(MeanDifference(gif.frames.back(), Numbered(250)), 1.0);
}

TEST(GifRecorder, StartingAgainDropsTheFramesOfBeforeAndACaptureOfAnotherSizeIsFitted) {
    GifRecorder recorder;
    recorder.Start(100);
    recorder.AddFrame(Numbered(1));
    recorder.Start(100);
    EXPECT_EQ(recorder.FrameCount(), 0);
    recorder.AddFrame(Numbered(1));
    QImage larger(80, 60, QImage::Format_ARGB32_Premultiplied);
    larger.fill(Qt::red);
    EXPECT_TRUE(recorder.AddFrame(larger));
    const test::DecodedGif gif = DecodeGif(recorder.Finish());
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.screen, QSize(64, 48));
    EXPECT_EQ(gif.frames.back().pixel(63, 47), qRgb(255, 0, 0));
}

TEST(GifRecorder, ChangedRectHoldsEveryChangedPixel) {
    QImage before(40, 30, QImage::Format_RGB32);
    before.fill(Qt::darkGreen);
    struct Case {
        std::vector<QPoint> changed;
        QRect expected;
    };
    const Case cases[] = {
        {{}, QRect()},
        {{{0, 0}}, QRect(0, 0, 1, 1)},
        {{{39, 29}}, QRect(39, 29, 1, 1)},
        {{{5, 20}, {30, 3}}, QRect(QPoint(5, 3), QPoint(30, 20))},
        {{{10, 10}, {12, 10}, {11, 14}}, QRect(QPoint(10, 10), QPoint(12, 14))},
    };
    for (const Case& c : cases) {
        QImage after = before.copy();
        for (const QPoint& p : c.changed) after.setPixel(p, qRgb(255, 255, 255));
        EXPECT_EQ(ChangedRect(before, after), c.expected);
    }
}

// A frame laid on the canvas may change its indices to compress better, but never what it shows.
TEST(GifCanvas, RewrittenFramesShowWhatTheyShowedAndDropUnusedColours) {
    const gif::Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, grey{9, 9, 9};
    auto shown = [](const gif::Frame& f, std::vector<gif::Rgb> screen) {
        for (int x = 0; x < f.width; ++x) {
            const std::uint8_t p = f.pixels[static_cast<std::size_t>(x)];
            if (p != f.transparentIndex) screen[static_cast<std::size_t>(f.left + x)] = f.palette[p];
        }
        return screen;
    };
    GifCanvas canvas;
    canvas.Reset(6, 1);
    gif::Frame first;
    first.width = 6, first.height = 1;
    first.palette = {red, green, blue, grey};
    first.pixels = {0, 0, 1, 1, 2, 2};
    canvas.Place(first);
    EXPECT_EQ(first.palette.size(), 3u) << "grey was not used";
    const std::vector<gif::Rgb> screen = shown(first, std::vector<gif::Rgb>(6));

    gif::Frame second;
    second.left = 1, second.width = 5, second.height = 1;
    second.palette = {red, green, blue, grey};
    second.transparentIndex = 3;
    second.pixels = {0, 2, 1, 3, 0};  // red again, blue over green, green again, see-through, red over blue
    const std::vector<gif::Rgb> wanted = shown(second, screen);
    canvas.Place(second);
    EXPECT_EQ(shown(second, screen), wanted);
    EXPECT_EQ(second.pixels[0], second.transparentIndex) << "an unchanged pixel turns see-through";
    EXPECT_EQ(second.pixels[2], second.pixels[3]) << "an unchanged pixel continues its left neighbour";
}

// A card-like sprite of many shades moving over felt: every frame after the first takes its colours
// from the file's shared table, and each still shows exactly what was captured.
TEST(GifRecorder, ASpriteMovingOverSeveralFramesSharesOneColourTable) {
    auto capture = [](int x) {
        QImage image(120, 60, QImage::Format_RGB32);
        image.fill(QColor(18, 112, 46));
        for (int row = 0; row < 40; ++row)
            for (int col = 0; col < 30; ++col)
                image.setPixel(x + col, 10 + row, qRgb(200 + row % 6 * 5, 60 + col % 10 * 4, 90));
        return image;
    };
    std::vector<QImage> captures;
    for (int x = 0; x < 80; x += 8) captures.push_back(capture(x));
    GifRecorder recorder;
    recorder.Start(100);
    for (const QImage& c : captures) ASSERT_TRUE(recorder.AddFrame(c));
    const test::DecodedGif gif = DecodeGif(recorder.Finish());
    ASSERT_TRUE(gif.ok);
    ASSERT_EQ(gif.frames.size(), captures.size());
    for (std::size_t i = 0; i < captures.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(gif.frames[i], captures[i]);
        EXPECT_EQ(gif.ownColours[i], i == 0);
    }
}

// Which frames the shared table takes, and which table entry each of their colours becomes.
TEST(GifSharedPalette, TakesFramesWhoseColoursItHoldsOrNearlyHoldsOrThatRepeatTheFrameBefore) {
    auto frame = [](std::vector<gif::Rgb> palette, int transparent = gif::kNoTransparency) {
        gif::Frame f;
        f.width = static_cast<int>(palette.size()), f.height = 1;
        for (std::size_t i = 0; i < palette.size(); ++i) f.pixels.push_back(static_cast<std::uint8_t>(i));
        f.palette = std::move(palette);
        f.transparentIndex = transparent;
        return f;
    };
    auto shownColours = [](const gif::Frame& f) {
        std::vector<gif::Rgb> shown;
        for (std::uint8_t p : f.pixels)
            if (p != f.transparentIndex) shown.push_back(f.palette[p]);
        return shown;
    };
    std::vector<gif::Rgb> many;  // more new colours than a frame may bring at once
    for (int i = 0; i < 40; ++i) many.push_back({static_cast<std::uint8_t>(5 * i), 0, 0});
    const gif::Rgb felt{18, 112, 46}, face{250, 250, 250}, ink{10, 10, 10};

    GifSharedPalette shared;
    gif::Frame first = frame({felt, face});
    EXPECT_FALSE(shared.Adopt(first)) << "the first frame keeps its own colours";
    EXPECT_EQ(first.palette, (std::vector<gif::Rgb>{felt, face}));

    gif::Frame again = frame({face, {0, 0, 0}, felt}, 1);
    ASSERT_TRUE(shared.Adopt(again)) << "its colours were all in the frame before";
    EXPECT_EQ(shownColours(again), (std::vector<gif::Rgb>{face, felt}));
    EXPECT_EQ(again.transparentIndex, 2) << "the lowest index none of its pixels takes";
    EXPECT_EQ(again.pixels[1], again.transparentIndex);
    EXPECT_EQ(SharedColoursNeeded(again), 3);

    gif::Frame close = frame({{21, 109, 49}, ink});  // felt within three levels, one new colour
    ASSERT_TRUE(shared.Adopt(close));
    EXPECT_EQ(shownColours(close), (std::vector<gif::Rgb>{felt, ink}));

    gif::Frame apart = frame({{22, 112, 46}});  // four levels off: a colour of its own
    ASSERT_TRUE(shared.Adopt(apart));
    EXPECT_EQ(shownColours(apart), (std::vector<gif::Rgb>{{22, 112, 46}}));

    gif::Frame strange = frame(many);
    EXPECT_FALSE(shared.Adopt(strange)) << "too many colours the frame before did not use";
    EXPECT_EQ(strange.palette, many);
    gif::Frame repeated = frame(many);
    EXPECT_TRUE(shared.Adopt(repeated)) << "the same colours a second time";
    EXPECT_EQ(shownColours(repeated), many);
    EXPECT_EQ(shared.Table().size(), 4u + many.size());
}

TEST(GifWriter, RefusesFramesOutsideTheScreenOrTheirColours) {
    auto frame = [](int left, int top, int w, int h, std::uint8_t index, int colours) {
        gif::Frame f;
        f.left = left, f.top = top, f.width = w, f.height = h;
        f.pixels.assign(static_cast<std::size_t>(w * h), index);
        f.palette.assign(static_cast<std::size_t>(colours), gif::Rgb{1, 2, 3});
        return f;
    };
    struct Case {
        const char* what;
        gif::Frame frame;
        bool good;
    };
    const Case cases[] = {
        {"fits", frame(2, 2, 6, 6, 2, 3), true},
        {"right edge", frame(5, 0, 6, 6, 0, 2), false},
        {"index beyond its colours", frame(0, 0, 4, 4, 3, 3), false},
        {"no colours and no global table", frame(0, 0, 4, 4, 0, 0), false},
        {"empty", frame(0, 0, 0, 0, 0, 2), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gif::Writer writer(10, 10, {}, false);
        EXPECT_EQ(writer.Add(c.frame), c.good);
        EXPECT_EQ(writer.Finish().empty(), !c.good);
    }
}

TEST(RecordingFiles, NamedByDateAndTimeWithoutReplacingAnEarlierOne) {
    EXPECT_EQ(RecordingFileName(QDateTime(QDate(2024, 5, 17), QTime(13, 45, 7))), "2024.05.17-13.45.07.gif");
    EXPECT_EQ(RecordingFileName(QDateTime(QDate(2026, 12, 1), QTime(0, 0, 0))), "2026.12.01-00.00.00.gif");
    QTemporaryDir dir;
    const QString name = QStringLiteral("2024.05.17-13.45.07.gif");
    EXPECT_EQ(UnusedRecordingPath(dir.path(), name), dir.filePath(name));
    QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    EXPECT_EQ(UnusedRecordingPath(dir.path(), name), dir.filePath("2024.05.17-13.45.07-2.gif"));
    QFile(dir.filePath("2024.05.17-13.45.07-2.gif")).open(QIODevice::WriteOnly);
    EXPECT_EQ(UnusedRecordingPath(dir.path(), name), dir.filePath("2024.05.17-13.45.07-3.gif"));
}

}  // namespace
}  // namespace kesp
