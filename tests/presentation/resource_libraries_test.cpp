// The resource libraries the build draws beside the program: every picture the program looks up
// in them is there, loads, has its size and, for faces, comes back restored.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QMovie>

#include "presentation/card_art.h"
#include "presentation/cursors.h"
#include "presentation/resource_library.h"
#include "qt_test_app.h"

namespace kesp {
namespace {

const std::string kBuildDir = KESP_LIBRARY_DIR "/";
const char* const kSuffixes[8] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze"};

class ResourceLibrariesTest : public ::testing::Test {
  protected:
    void SetUp() override { test::App(); }
    CardArt Art(double scale, int windowSize) {
        CardArt art(settings_, kBuildDir);
        art.SetWindow(windowSize, scale, QSize(int(760 * scale + 0.5), int(500 * scale + 0.5)));
        return art;
    }
    Settings settings_;
};

TEST_F(ResourceLibrariesTest, EveryFaceDeckLoadsRestoredInBothSizeClasses) {
    for (int deck = 1; deck < kFaceDeckCount; ++deck) {
        for (const auto& [scale, windowSize] : {std::pair{1.0, 1}, std::pair{2.0, 5}}) {
            SCOPED_TRACE(testing::Message() << "deck " << deck << " scale " << scale);
            settings_.CardFaceSet = deck;
            settings_.DeckBack = 0;
            CardArt art = Art(scale, windowSize);
            const ArtLoadResult result = art.LoadFaceDeck();
            ASSERT_TRUE(result.ok);
            ASSERT_TRUE(result.messages.empty());
            ASSERT_EQ(settings_.CardFaceSet, deck);
            const bool small = scale < 1.3;
            const QSize size =
                small ? kSmallCardSize : (IsWideDeck(deck) ? kBigWideCardSize : kBigNarrowCardSize);
            for (int k = 1; k <= 36; ++k) {
                const Card card = Card::FromDeckNumber(k);
                const QImage face = small ? art.FaceImage(card) : art.FaceImagePng(card);
                ASSERT_EQ(face.size(), size) << k;
            }
            // The six has no pip in its middle: once restored, the paper shows there.
            const QImage six =
                small ? art.FaceImage(Card::FromDeckNumber(1)) : art.FaceImagePng(Card::FromDeckNumber(1));
            EXPECT_GT(six.pixelColor(six.width() / 2, six.height() / 2).lightness(), 180);
            for (std::uint8_t suit : SuitsInDeckOrder) {
                EXPECT_EQ(art.SymbolImage(suit).size(), QSize(20, 20));
                EXPECT_EQ(art.SymbolImagePng(suit).size(), QSize(40, 40));
            }
            // Narrow decks in larger windows take the narrow backs of the cards library B.
            EXPECT_EQ(art.BackImage(1, false).size(), small ? kSmallCardSize : size);
        }
    }
}

TEST_F(ResourceLibrariesTest, EveryBackStyleHasItsBacksUprightAndTurnedAtEverySize) {
    for (int style = 0; style < kBackStyleCount; ++style) {
        for (int deck : {0, 30}) {  // a wide and a narrow deck
            for (const auto& [scale, windowSize] : {std::pair{1.0, 1}, std::pair{2.0, 5}}) {
                SCOPED_TRACE(testing::Message()
                             << "style " << style << " deck " << deck << " scale " << scale);
                settings_.CardFaceSet = deck;
                settings_.DeckBack = style;
                CardArt art = Art(scale, windowSize);
                ASSERT_TRUE(art.LoadFaceDeck().ok);
                ASSERT_EQ(art.BackCount(), BackCountOfStyle(style));
                const QSize upright =
                    scale < 1.3 ? kSmallCardSize : (IsWideDeck(deck) ? kBigWideCardSize : kBigNarrowCardSize);
                for (int back = 1; back <= art.BackCount(); ++back) {
                    EXPECT_EQ(art.BackImage(back, false).size(), upright) << back;
                    EXPECT_EQ(art.BackImage(back, true).size(), upright.transposed()) << back;
                }
            }
        }
    }
}

TEST_F(ResourceLibrariesTest, EveryBackgroundLoadsAtTheWindowSize) {
    for (int style = 1; style <= kBackgroundStyleCount; ++style)
        for (int colour = 0; colour < kBackgroundColourCount; ++colour)
            for (const auto& [scale, windowSize] : {std::pair{1.0, 1}, std::pair{1.3, 3}}) {
                SCOPED_TRACE(testing::Message()
                             << "style " << style << " colour " << colour << " size " << windowSize);
                settings_.Background = style;
                settings_.BackgroundVariant = colour;
                CardArt art = Art(scale, windowSize);
                const ArtLoadResult result = art.LoadBackground(false);
                EXPECT_TRUE(result.ok);
                EXPECT_EQ(settings_.Background, style);
                EXPECT_EQ(art.Background().size(), QSize(int(760 * scale + 0.5), int(500 * scale + 0.5)));
                if (style == 2 && colour == 0) continue;
                // The stored picture itself: the small one as the smallest window shows it, the big
                // one for all others.
                const ResourceLibrary library(kBuildDir, kBackgroundLibrary);
                EXPECT_EQ(library.LoadImage(BackgroundName(style, colour, windowSize != 1)).size(),
                          windowSize == 1 ? QSize(760, 500) : QSize(1520, 1000));
            }
}

TEST_F(ResourceLibrariesTest, GraphicsLibraryHoldsEveryDesignPicture) {
    const ResourceLibrary library(kBuildDir, kGraphicsLibrary);
    ASSERT_TRUE(library.Found());
    std::vector<std::string> pictures = {
        "BGLilu",      "GTouch",     "GLenta280x090",  "GLenta590x116", "GIcon48WT",
        "GIcon48Opt",  "GIcon48Acc", "GIcon48History", "GIcon48Tour",   "GFormOpt",
        "GFormAcc1",   "GFormPass",  "GFormSpeed",     "GFormHistory",  "GFormThank",
        "GFormAdv",    "GFormTour",  "GFormTourL",     "GFormTopTenL",  "WorldOnlineTournament",
        "OnlineTopTen"};
    for (const char* suffix : kSuffixes)
        for (const char* prefix :
             {"GFormOpt", "GFormAcc1", "GFormPass", "GFormSpeed", "GFormHistory", "GFormThank", "GFormAdv",
              "GFormEndG", "EndGame", "MyAccount", "MyAccountR", "Passport", "Options", "History", "Speed",
              "OurGames", "SupportUs", "ZunGamesChat"})
            pictures.push_back(std::string(prefix) + suffix);
    for (const std::string& name : pictures) EXPECT_FALSE(library.LoadImage(name).isNull()) << name;
    EXPECT_EQ(library.LoadImage("GIcon48Opt").size(), QSize(48, 48));
    EXPECT_EQ(library.LoadImage("BGLilu").size(), QSize(760, 500));
    for (const char* animation : {"GifC", "GifF", "GifA", "GifB", "GifG", "GifE", "GOpt"}) {
        QByteArray bytes = library.LoadBytes(animation);
        QBuffer buffer(&bytes);
        QMovie movie(&buffer);
        EXPECT_TRUE(movie.isValid()) << animation;
        EXPECT_GE(movie.frameCount(), 20) << animation;
    }
    // The click burst as the window reads it: 30 frames of 100 x 100.
    EXPECT_EQ(LoadTouchBurstStrip(kBuildDir).size(), QSize(3000, 100));
}

TEST_F(ResourceLibrariesTest, DesignedBackgroundSwitchesBetweenMenuAndTable) {
    settings_.MenuDesign = 0;
    settings_.TableDesign = 1;
    CardArt art = Art(1.3, 3);
    EXPECT_TRUE(art.LoadScreenBackground(false, true).ok);
    const QImage menu = art.Background();
    EXPECT_TRUE(art.LoadScreenBackground(true).ok);
    const QImage table = art.Background();
    ASSERT_EQ(table.size(), QSize(988, 650));
    // The purple of the design against the green felt.
    EXPECT_GT(table.pixelColor(494, 325).blue(), table.pixelColor(494, 325).green());
    EXPECT_GT(menu.pixelColor(494, 325).green(), menu.pixelColor(494, 325).blue());
    EXPECT_EQ(settings_.TableDesign, 1);
    EXPECT_EQ(art.LoadScreenBackground(false).messages.size(), 0u);
    EXPECT_EQ(art.Background().pixelColor(10, 10), menu.pixelColor(10, 10));
}

}  // namespace
}  // namespace kesp
