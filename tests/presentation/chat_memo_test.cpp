// The table chat's strip: the four lines, their seat colours and the shortening of long lines.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

#include "presentation/chat_memo.h"
#include "qt_test_app.h"

namespace kesp {
namespace {

TEST(ChatMemo, AFifthLinePushesTheFirstOut) {
    ChatMemo memo;
    for (int i = 1; i <= 4; ++i) memo.Add(i, QString::number(i));
    ASSERT_EQ(memo.Count(), 4);
    EXPECT_EQ(memo.Line(1).text, "1");
    memo.Add(2, "5");
    ASSERT_EQ(memo.Count(), 4);
    EXPECT_EQ(memo.Line(1).text, "2");
    EXPECT_EQ(memo.Line(1).seat, 2);
    EXPECT_EQ(memo.Line(4).text, "5");
    EXPECT_EQ(memo.Line(4).seat, 2);
    memo.Clear();
    EXPECT_EQ(memo.Count(), 0);
}

TEST(ChatMemo, EachSeatHasItsColour) {
    EXPECT_EQ(ChatSeatColour(1), QColor(128, 0, 0));
    EXPECT_EQ(ChatSeatColour(2), QColor(0, 0, 128));
    EXPECT_EQ(ChatSeatColour(3), QColor(0, 128, 0));
    EXPECT_EQ(ChatSeatColour(4), QColor(128, 128, 0));
}

TEST(ChatMemo, LinesLoseTheirLeadingSAndAreCutAtMostTwelveTimes) {
    auto fitsIn = [](int characters) {
        return [characters](const QString& t) { return t.size() <= characters; };
    };
    const struct {
        QString text;
        int room;
        QString shown;
    } cases[] = {
        {"shello", 10, "hello"},                      // fits: nothing cut, no dots
        {"sABCDEFGHIJKLMNO", 15, "ABCDEFGHIJKLMNO"},  // 15 characters that fit
        {"sABCDEFGHIJKLMNO", 10, "ABCDEFGHIJ..."},    // cut five times
        {"sABCDEFGHIJKLMNO", 1, "ABC..."},            // at most twelve cuts
        {"s", 0, ""},                                 // an empty line stays empty
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitChatLine(c.text, fitsIn(c.room)), c.shown) << c.text.toStdString();
}

// A stand-in for the art: no pictures, so the strip draws its substitute frame.
class NoArt : public TableArt {
  public:
    QImage Picture(std::string_view) const override { return {}; }
    QImage Background() const override { return {}; }
    QColor WindowColour() const override { return Qt::darkGreen; }
    QImage Symbol(std::uint8_t, bool) const override { return {}; }
    bool DrawFace(QPainter&, int, int, Card) const override { return false; }
    bool DrawBack(QPainter&, int, int, bool) const override { return false; }
};

TEST(ChatStrip, AWideLineIsCutToTheStripAndDrawnInItsSeatColour) {
    test::App();
    NoArt art;
    ChatStrip strip(art);
    WindowScales scales;
    const Placement place(scales);
    TableGeometry geometry;
    geometry.chatBox = place.Rect(615, 30, 130, 90);
    strip.Layout(geometry, place, true, QStringLiteral("DejaVu Sans"));
    strip.ShowLine(3, QStringLiteral("sWWWWWWWWWWWWWWW"));  // 15 wide letters
    strip.ShowLine(1, QStringLiteral("shi"));
    ASSERT_EQ(strip.Memo().Count(), 2);
    const QString cut = strip.Memo().Line(1).text;
    EXPECT_TRUE(cut.endsWith("...")) << cut.toStdString();
    EXPECT_LT(cut.size(), 15 + 3);
    EXPECT_EQ(strip.Memo().Line(2).text, "hi");

    strip.resize(geometry.chatBox.size());
    const QImage shot = strip.grab().toImage();
    shot.save(test::ScreenshotDir() + "/chat_strip.png");
    // Line 1 (at y 17..31) holds the seat-3 green of its letters.
    bool green = false;
    for (int y = 17; y < 31 && !green; ++y)
        for (int x = 20; x < 105 && !green; ++x) green = shot.pixelColor(x, y) == QColor(0, 128, 0);
    EXPECT_TRUE(green);
}

}  // namespace
}  // namespace kesp
