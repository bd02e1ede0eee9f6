// The animations drawn at build time: each one loads from the compiled-in resources under the name
// the windows ask for, at the size of the place the window gives it, with its frames and looping.
#include <gtest/gtest.h>

#include "qt_test_app.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QMovie>
#include <QPainter>

#include "records/club_list.h"
#include "tools/artgen/art_resources.h"

namespace kesp {
using test::App;
using test::ScreenshotDir;
namespace {

struct Expected {
    const char* name;
    QSize size;
    int frames;
    bool loops;
    bool opaque;  // the menu's pictures bring their own felt; the windows' ones let the paper through
};

// The top-ten window gives a column 140 wide: 200 high for the cup, 240 for the club emblem; the
// end-of-game window 140 x 440; the menu 160 x 200 on each side.
const Expected kAnimations[] = {
    {"GTopTen", {140, 200}, 24, true, false},   {"GClubF", {140, 240}, 24, true, false},
    {"GClubG", {140, 240}, 24, true, false},    {"GEndBest", {140, 440}, 28, false, false},
    {"GEndGood", {140, 440}, 26, false, false}, {"GEndBads", {140, 440}, 24, true, false},
    {"GifMenu1", {160, 200}, 30, true, true},   {"GifMenu2", {160, 200}, 30, true, true},
};

class AnimationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        InitArtResources();
    }
};

int TransparentPixels(const QImage& frame) {
    const QImage image = frame.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) == 0;
    return count;
}

TEST_F(AnimationsTest, EachLoadsWithItsSizeFramesAndLooping) {
    for (const Expected& e : kAnimations) {
        SCOPED_TRACE(e.name);
        // Looked up the way the windows do: ":/" and the upper-case name, no extension.
        QMovie movie(":/" + QString(e.name).toUpper());
        ASSERT_TRUE(movie.isValid());
        EXPECT_EQ(movie.frameCount(), e.frames);
        EXPECT_EQ(movie.loopCount(), e.loops ? -1 : 0);
        std::vector<QImage> frames;
        for (int i = 0; i < e.frames; ++i) {
            ASSERT_TRUE(movie.jumpToFrame(i)) << "frame " << i;
            frames.push_back(movie.currentImage());
            ASSERT_EQ(frames.back().size(), e.size) << "frame " << i;
        }
        // A smooth pace, not a flicker. The file's own delays: the movie's next delay is already
        // shortened by the time its decoding took, which varies with the machine's load.
        QImageReader reader(":/" + QString(e.name).toUpper());
        for (int i = 0; i < e.frames; ++i) {
            ASSERT_FALSE(reader.read().isNull()) << "frame " << i;
            EXPECT_GE(reader.nextImageDelay(), 50) << "frame " << i;
        }
        // Neighbouring frames differ (it moves), yet the whole loop stays in one picture: no
        // frame is empty.
        for (int i = 0; i + 1 < e.frames; ++i) {
            const int empty = TransparentPixels(frames[static_cast<std::size_t>(i)]);
            EXPECT_LT(empty, e.size.width() * e.size.height() * 95 / 100) << "frame " << i;
            if (e.opaque) {
                EXPECT_EQ(empty, 0) << "frame " << i;
            }
        }
        int moving = 0;
        for (int i = 0; i + 1 < e.frames; ++i)
            moving += frames[static_cast<std::size_t>(i)] != frames[static_cast<std::size_t>(i + 1)];
        EXPECT_GE(moving, e.frames / 2);
        if (!e.opaque) {
            EXPECT_GT(TransparentPixels(frames[0]), 0);
        }

        // A strip of every frame beside the build, for looking at them.
        QImage strip(e.size.width() * 6, e.size.height() * ((e.frames + 5) / 6), QImage::Format_RGB32);
        strip.fill(QColor(246, 238, 214));
        QPainter p(&strip);
        for (int i = 0; i < e.frames; ++i)
            p.drawImage((i % 6) * e.size.width(), (i / 6) * e.size.height(),
                        frames[static_cast<std::size_t>(i)]);
        p.end();
        strip.save(QDir::current().filePath("animation_" + QString(e.name).toUpper() + ".png"));
    }
}

TEST_F(AnimationsTest, EndOfGameAnimationsHaveTheirStillFrameAndLooping) {
    for (int place : {1, 5, 0}) {
        const EndOfGameView view = EndOfGame(place, 1234, false);
        const QString name =
            QString::fromLatin1(view.Animation.data(), static_cast<qsizetype>(view.Animation.size()));
        SCOPED_TRACE(name.toStdString());
        QMovie movie(":/" + name.toUpper());
        ASSERT_TRUE(movie.isValid());
        // The window stands on this frame when animations are off; it must be there, not the fallback.
        EXPECT_GE(movie.frameCount(), view.StillFrame);
        EXPECT_TRUE(movie.jumpToFrame(view.StillFrame - 1));
        EXPECT_EQ(movie.loopCount() == -1, view.AnimationLoops);
    }
}

}  // namespace
}  // namespace kesp
