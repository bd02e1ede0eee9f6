// Card art: the built-in pictures, the size classes, libraries present and missing, the drawing
// helpers and the banner recolouring.
#include "presentation/card_art.h"

#include <gtest/gtest.h>

#include "qt_test_app.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <set>

namespace kesp {
using test::App;
using test::ScreenshotDir;
namespace {

// One QApplication for the whole program: fonts and pictures need it.
class CardArtTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        ASSERT_TRUE(dir_.isValid());
        programDir_ = dir_.path().toStdString() + "/game/";
        QDir().mkpath(dir_.path() + "/game");
    }
    CardArt Art(double scale, int windowSize = 1) {
        CardArt art(settings_, programDir_);
        art.SetWindow(windowSize, scale, QSize(RoundTo(760 * scale), RoundTo(500 * scale)));
        return art;
    }
    static int RoundTo(double v) { return static_cast<int>(v + 0.5); }

    QTemporaryDir dir_;
    std::string programDir_;
    Settings settings_;
};

TEST_F(CardArtTest, EveryBuiltInPictureExistsAtItsSize) {
    for (int k = 1; k <= 36; ++k) {
        const Card card = Card::FromDeckNumber(k);
        EXPECT_EQ(LoadOwnImage(FaceName(card, 0, false)).size(), QSize(69, 94)) << FaceName(card, 0, false);
        EXPECT_EQ(LoadOwnImage(FaceName(card, 0, true)).size(), QSize(146, 198)) << FaceName(card, 0, true);
    }
    for (std::uint8_t s : SuitsInDeckOrder) {
        EXPECT_EQ(LoadOwnImage(SymbolName(s, 0, false)).size(), QSize(20, 20));
        EXPECT_EQ(LoadOwnImage(SymbolName(s, 0, true)).size(), QSize(40, 40));
    }
    for (int b = 1; b <= 7; ++b) {
        EXPECT_EQ(LoadOwnImage(BackName(b, false, 0, "")).size(), QSize(69, 94)) << BackName(b, false, 0, "");
        EXPECT_EQ(LoadOwnImage(BackName(b, true, 0, "")).size(), QSize(94, 69));
        EXPECT_EQ(LoadOwnImage(BackName(b, false, 0, "B")).size(), QSize(146, 198));
        EXPECT_EQ(LoadOwnImage(BackName(b, true, 0, "B")).size(), QSize(198, 146));
    }
    EXPECT_EQ(LoadOwnImage("FonG").size(), QSize(760, 500));
    EXPECT_EQ(LoadOwnImage("fongb").size(), QSize(1520, 1000));  // any case
    EXPECT_TRUE(LoadOwnImage("NoSuchPicture").isNull());
}

TEST_F(CardArtTest, PictureNamesFollowTheScheme) {
    const Card sixHearts = Card::Make(rank::Six, suit::Hearts);
    const Card aceSpades = Card::Make(rank::Ace, suit::Spades);
    EXPECT_EQ(FaceName(sixHearts, 0, false), "Ch06");
    EXPECT_EQ(FaceName(aceSpades, 0, false), "Pi5A");
    EXPECT_EQ(FaceName(Card::Make(rank::Ten, suit::Clubs), 9, true), "Kr10FraB");
    EXPECT_EQ(FaceName(Card::Make(rank::Jack, suit::Diamonds), 40, false), "Bu2JFra");
    EXPECT_EQ(FaceName(Card::Empty(), 0, false), "");
    EXPECT_EQ(SymbolName(suit::Spades, 0, true), "PikiB");
    EXPECT_EQ(SymbolName(suit::Hearts, 17, false), "Cher004");
    EXPECT_EQ(BackName(6, false, 0, ""), "Ob06Su");
    EXPECT_EQ(BackName(1, true, 0, "B"), "Ob01MoRB");
    EXPECT_EQ(BackName(9, true, 8, "U"), "Ob09XXRAniU");
    EXPECT_EQ(BackgroundName(2, 0, true), "FonGB");
    EXPECT_EQ(BackgroundName(10, 4, false), "Fon10B1");
    EXPECT_EQ(BackgroundName(2, 6, true), "Fon02FiB");
    // Decks 9 and 40 share a code but not a library.
    EXPECT_EQ(FaceDeckLibrary(9), kCardsLibraryA);
    EXPECT_EQ(FaceDeckLibrary(40), kCardsLibraryC);
    EXPECT_EQ(FaceDeckLibrary(32), kCardsLibraryB);
}

TEST_F(CardArtTest, CardCellBySizeClass) {
    struct Case {
        double scale;
        bool wide;
        QSize cell;
    };
    const Case cases[] = {
        {1.0, true, {71, 96}},   {1.0, false, {71, 96}},   {1.29, false, {71, 96}},
        {1.3, false, {79, 125}}, {1.3, true, {92, 125}},   {1.7, true, {121, 163}},
        {2.0, true, {146, 198}}, {2.0, false, {126, 198}}, {2.53, true, {146, 198}},
    };
    for (const Case& c : cases) EXPECT_EQ(CardCellSize(c.scale, c.wide), c.cell) << c.scale << " " << c.wide;
    EXPECT_TRUE(IsWideDeck(0));
    EXPECT_TRUE(IsWideDeck(27));
    EXPECT_FALSE(IsWideDeck(28));
    EXPECT_TRUE(IsWideDeck(40));
    EXPECT_FALSE(IsWideDeck(41));
    EXPECT_TRUE(IsWideDeck(45));
}

TEST_F(CardArtTest, BuiltInDeckLoadsForEverySizeClass) {
    for (double scale : {1.0, 1.3, 2.0}) {
        CardArt art = Art(scale, scale == 1.0 ? 1 : 3);
        const ArtLoadResult result = art.LoadFaceDeck();
        EXPECT_TRUE(result.ok);
        EXPECT_TRUE(result.messages.empty());
        const bool small = scale < 1.3;
        for (int k = 1; k <= 36; ++k) {
            const Card card = Card::FromDeckNumber(k);
            if (small)
                EXPECT_EQ(art.FaceImage(card).size(), QSize(69, 94));
            else
                EXPECT_EQ(art.FaceImagePng(card).size(), QSize(146, 198));
        }
        EXPECT_TRUE(art.FaceImage(Card::Empty()).isNull());
        EXPECT_TRUE(art.FaceImagePng(Card::Make('x', 'y')).isNull());
        EXPECT_EQ(art.SymbolImage(suit::Clubs).size(), QSize(20, 20));
        EXPECT_EQ(art.SymbolImagePng(suit::Clubs).size(), QSize(40, 40));
        EXPECT_TRUE(art.SymbolImage(suit::None).isNull());
        EXPECT_EQ(art.BackCount(), 7);
        for (int b = 1; b <= 7; ++b) {
            EXPECT_EQ(art.BackImage(b, false).size(), small ? QSize(69, 94) : QSize(146, 198));
            EXPECT_EQ(art.BackImage(b, true).size(), small ? QSize(94, 69) : QSize(198, 146));
        }
        EXPECT_TRUE(art.BackImage(8, false).isNull());
        EXPECT_TRUE(art.BackImage(0, false).isNull());
    }
}

TEST_F(CardArtTest, MissingLibrariesFallBackToTheBuiltInDesignWithAMessage) {
    struct Case {
        int deck, back;
        double scale;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {9, 0, 1.0, {"Can`t find the file ZunCards06A.dll"}},
        {40, 0, 1.0, {"Can`t find the file ZunCards06C.dll"}},
        {33, 0, 2.0, {"Can`t find the file ZunCards06B.dll"}},
        {0, 3, 1.0, {"Can`t find the file ZunCards06B.dll"}},
        {5, 12, 1.3, {"Can`t find the file ZunCards06A.dll", "Can`t find the file ZunCards06B.dll"}},
        {99, 40, 1.0, {}},  // damaged values count as the built-in designs
    };
    for (const Case& c : cases) {
        settings_.CardFaceSet = c.deck;
        settings_.DeckBack = c.back;
        CardArt art = Art(c.scale, c.scale == 1.0 ? 1 : 3);
        const ArtLoadResult result = art.LoadFaceDeck();
        EXPECT_EQ(result.ok, c.deck == 0 || c.deck == 99) << c.deck;
        EXPECT_EQ(result.messages, c.messages) << c.deck;
        EXPECT_EQ(settings_.CardFaceSet, 0);
        EXPECT_EQ(settings_.DeckBack, 0);
        EXPECT_TRUE(art.WideDeck());
        EXPECT_FALSE(art.BackImage(7, true).isNull());
        const Card card = Card::FromDeckNumber(36);
        EXPECT_FALSE((c.scale < 1.3 ? art.FaceImage(card) : art.FaceImagePng(card)).isNull());
    }
}

TEST_F(CardArtTest, MissingBackgroundLibraryAndDesignedLook) {
    settings_.Background = 5;
    settings_.BackgroundVariant = 3;
    CardArt art = Art(1.3, 3);
    ArtLoadResult result = art.LoadBackground(false);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.messages, std::vector<std::string>{"Can`t find the file ZunBackG03.dll"});
    EXPECT_EQ(settings_.Background, 2);
    EXPECT_EQ(settings_.BackgroundVariant, 0);
    EXPECT_EQ(art.Background().size(), QSize(988, 650));  // stretched to the client area
    EXPECT_EQ(art.WindowColour(), QColor(0, 128, 0));

    settings_.MenuDesign = 1;
    settings_.TableDesign = 1;
    result = art.LoadBackground(true);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.messages, std::vector<std::string>{"Can`t find the file ZunCGraph1.dll"});
    EXPECT_EQ(settings_.MenuDesign, 0);
    EXPECT_EQ(settings_.TableDesign, 0);
    EXPECT_FALSE(art.Background().isNull());

    settings_.Background = 0;
    CardArt small = Art(1.0);
    EXPECT_TRUE(small.LoadBackground(false).ok);
    EXPECT_TRUE(small.Background().isNull());
    settings_.Background = 2;
    EXPECT_TRUE(small.LoadBackground(false).ok);
    EXPECT_EQ(small.Background().size(), QSize(760, 500));
}

TEST_F(CardArtTest, MessageUsesTheWordOfTheInterfaceLanguage) {
    settings_.CardFaceSet = 1;
    CardArt art(settings_, programDir_, [](std::string_view) { return std::string("Datei fehlt"); });
    EXPECT_EQ(art.LoadFaceDeck().messages, std::vector<std::string>{"Datei fehlt ZunCards06A.dll"});
}

// Builds a resource library with rcc from pictures written into a scratch folder.
class LibraryBuilder {
  public:
    explicit LibraryBuilder(const QString& scratch) : scratch_(scratch) { QDir().mkpath(scratch_); }
    void Add(const QString& fileName, const QImage& image) {
        image.save(QDir(scratch_).filePath(fileName));
        files_ << fileName;
    }
    bool Build(const QString& output) {
        QFile qrc(QDir(scratch_).filePath("lib.qrc"));
        if (!qrc.open(QIODevice::WriteOnly)) return false;
        QTextStream s(&qrc);
        s << "<RCC><qresource prefix=\"/pictures\">";
        for (const QString& f : files_) s << "<file>" << f << "</file>";
        s << "</qresource></RCC>";
        s.flush();
        qrc.close();
        const QString rcc = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/rcc";
        QProcess process;
        process.start(rcc, {"--binary", "-o", output, qrc.fileName()});
        return process.waitForFinished(60000) && process.exitCode() == 0 && QFileInfo(output).isFile();
    }

  private:
    QString scratch_;
    QStringList files_;
};

QImage Solid(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

TEST_F(CardArtTest, LibraryDeckLoadsFromTheFolderAboveAndIsRestored) {
    // Deck 41 ("Mus", narrow) in ZunCards06C.dll one folder up, names in lower case, faces stored
    // with their ellipse inverted; symbols on light grey.
    LibraryBuilder builder(dir_.path() + "/scratch");
    for (int k = 1; k <= 36; ++k) {
        QImage face = Solid(69, 94, QColor(10 + k, 200, 30));
        InvertFaceRegion(face, 0);
        builder.Add(QString::fromStdString(FaceName(Card::FromDeckNumber(k), 41, false)).toLower() + ".png",
                    face);
    }
    for (std::uint8_t s : SuitsInDeckOrder) {
        QImage symbol = Solid(20, 20, QColor(192, 192, 192));
        symbol.setPixelColor(10, 10, Qt::red);
        builder.Add(QString::fromStdString(SymbolName(s, 41, false)) + ".png", symbol);
        builder.Add(QString::fromStdString(SymbolName(s, 41, true)) + ".png", Solid(40, 40, Qt::blue));
    }
    QImage jpeg(30, 20, QImage::Format_RGB32);
    jpeg.fill(QColor(0, 0, 200));
    builder.Add("Fancy.jpg", jpeg);
    if (!builder.Build(dir_.path() + "/ZunCards06C.dll")) GTEST_SKIP() << "rcc is not available";

    settings_.CardFaceSet = 41;
    CardArt art = Art(1.0);
    const ArtLoadResult result = art.LoadFaceDeck();
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(settings_.CardFaceSet, 41);
    for (int k = 1; k <= 36; ++k) {
        const QImage face = art.FaceImage(Card::FromDeckNumber(k));
        ASSERT_EQ(face.size(), QSize(69, 94));
        for (QPoint p : {QPoint(47, 34), QPoint(11, 34), QPoint(2, 2), QPoint(68, 93)})
            EXPECT_EQ(face.pixelColor(p), QColor(10 + k, 200, 30)) << k << " " << p.x() << "," << p.y();
    }
    const QImage symbol = art.SymbolImage(suit::Diamonds);
    EXPECT_EQ(symbol.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(symbol.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(art.SymbolImagePng(suit::Diamonds).size(), QSize(40, 40));

    QImage picture = Solid(3, 3, Qt::green);
    EXPECT_TRUE(art.LoadLibraryImage(picture, "FANCY", kCardsLibraryC));
    EXPECT_EQ(picture.size(), QSize(30, 20));
    QImage untouched = Solid(3, 3, Qt::green);
    EXPECT_FALSE(art.LoadLibraryImage(untouched, "NoSuch", kCardsLibraryC));
    EXPECT_FALSE(art.LoadLibraryImage(untouched, "Fancy", kCardsLibraryA));
    EXPECT_EQ(untouched.size(), QSize(3, 3));
    EXPECT_EQ(untouched.pixelColor(1, 1), QColor(Qt::green));

    // The library is released after loading: it can be replaced and loaded again.
    ASSERT_TRUE(QFile::remove(dir_.path() + "/ZunCards06C.dll"));
    EXPECT_FALSE(art.LoadLibraryImage(picture, "Fancy", kCardsLibraryC));

    // A narrow deck in a large window needs the narrow backs of ZunCards06B.dll; without it both
    // the back style and the face deck fall back to the built-in designs.
    ASSERT_TRUE(builder.Build(dir_.path() + "/game/ZunCards06C.dll"));
    settings_.CardFaceSet = 41;
    settings_.DeckBack = 4;
    CardArt large = Art(2.0, 5);
    const ArtLoadResult fallback = large.LoadFaceDeck();
    EXPECT_FALSE(fallback.ok);
    EXPECT_EQ(fallback.messages, std::vector<std::string>{"Can`t find the file ZunCards06B.dll"});
    EXPECT_EQ(settings_.CardFaceSet, 0);
    EXPECT_EQ(settings_.DeckBack, 0);
    EXPECT_EQ(large.CardCell(), QSize(146, 198));
    EXPECT_EQ(large.FaceImagePng(Card::FromDeckNumber(1)).size(), QSize(146, 198));
    EXPECT_EQ(large.BackImage(1, false).size(), QSize(146, 198));
}

TEST_F(CardArtTest, BackForDealFollowsWeekdayOrRule) {
    CardArt art = Art(1.0);
    const QDate monday(2024, 1, 1);
    for (int d = 0; d < 7; ++d) EXPECT_EQ(art.BackForDeal(monday.addDays(d)), d + 1);
    settings_.OneBackOnly = true;
    EXPECT_EQ(art.BackForDeal(monday), 7);
    settings_.DeckBack = 12;
    EXPECT_EQ(art.BackForDeal(monday), 7);
    settings_.OneBackOnly = false;
    EXPECT_EQ(art.BackForDeal(monday.addDays(2)), 3);
    // Ten-back styles draw at random whatever the modification says.
    settings_.DeckBack = 8;
    settings_.OneBackOnly = true;
    art.SeedRandom(7);
    std::set<int> seen;
    for (int i = 0; i < 400; ++i) {
        const int b = art.BackForDeal(monday);
        EXPECT_GE(b, 1);
        EXPECT_LE(b, 10);
        seen.insert(b);
    }
    EXPECT_EQ(seen.size(), 10u);
}

TEST_F(CardArtTest, DrawCardCellSmallDrawsFrameAndFace) {
    CardArt art = Art(1.0);
    art.LoadFaceDeck();
    const QColor felt(0, 100, 0);
    QImage table(100, 120, QImage::Format_RGB32);
    table.fill(felt);
    const Card card = Card::Make(rank::King, suit::Hearts);
    {
        QPainter p(&table);
        art.DrawCardCell(5, 7, card, p);
        art.DrawCardCell(50, 7, Card::Empty(), p);
    }
    // The frame: black lines with the corners left open.
    EXPECT_EQ(table.pixelColor(7, 7), QColor(Qt::black));
    EXPECT_EQ(table.pixelColor(73, 102), QColor(Qt::black));
    EXPECT_EQ(table.pixelColor(5, 9), QColor(Qt::black));
    EXPECT_EQ(table.pixelColor(75, 100), QColor(Qt::black));
    EXPECT_EQ(table.pixelColor(5, 7), felt);
    EXPECT_EQ(table.pixelColor(75, 102), felt);
    // The face inside, pixel for pixel; nothing outside the cell.
    const QImage face = art.FaceImage(card);
    for (QPoint p : {QPoint(34, 47), QPoint(10, 5), QPoint(60, 80)})
        EXPECT_EQ(table.pixelColor(p + QPoint(6, 8)).rgb(), face.pixelColor(p).rgb());
    EXPECT_EQ(table.pixelColor(77, 50), felt);
    EXPECT_EQ(table.pixelColor(90, 115), felt);
}

TEST_F(CardArtTest, DrawCardCellScaledRoundsTheCorners) {
    CardArt art = Art(1.3, 3);
    art.LoadFaceDeck();
    ASSERT_EQ(art.CardCell(), QSize(92, 125));
    const QColor felt(0, 100, 0);
    QImage table(120, 150, QImage::Format_RGB32);
    table.fill(felt);
    {
        QPainter p(&table);
        art.DrawCardCell(10, 10, Card::Make(rank::Seven, suit::Spades), p);
        art.DrawBackCell(0, 0, false, p);  // over it: the back covers the whole cell, rounded too
    }
    EXPECT_EQ(table.pixelColor(0, 0), felt);      // the back's cut corner
    EXPECT_EQ(table.pixelColor(101, 134), felt);  // the face's cut corner
    EXPECT_NE(table.pixelColor(95, 120), felt);   // the face
    EXPECT_NE(table.pixelColor(46, 62), felt);    // the back
    EXPECT_EQ(table.pixelColor(110, 140), felt);  // outside both
}

TEST(RecolorBannerTest, ChangesRedArtworkByColour) {
    const QRgb red = qRgba(200, 50, 30, 255);
    const QRgb green = qRgba(10, 200, 30, 128);
    struct Case {
        int colour;
        QRgb fromRed, fromGreen;
    };
    const Case cases[] = {
        {1, qRgb(200, 50, 30), qRgb(10, 200, 30)},  {2, qRgb(200, 93, 21), qRgb(10, 200, 30)},
        {3, qRgb(200, 200, 30), qRgb(10, 10, 30)},  {4, qRgb(50, 200, 30), qRgb(200, 10, 30)},
        {5, qRgb(30, 200, 200), qRgb(30, 10, 10)},  {6, qRgb(30, 50, 200), qRgb(30, 200, 10)},
        {7, qRgb(200, 50, 200), qRgb(10, 200, 10)}, {8, qRgb(93, 93, 93), qRgb(124, 124, 124)},
        {9, qRgb(200, 50, 30), qRgb(10, 200, 30)},
    };
    for (const Case& c : cases) {
        QImage image(2, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, red);
        image.setPixel(1, 0, green);
        RecolorBanner(image, c.colour);
        EXPECT_EQ(image.pixel(0, 0), (c.fromRed & 0xFFFFFFu) | 0xFF000000u) << c.colour;
        EXPECT_EQ(image.pixel(1, 0) & 0xFFFFFFu, c.fromGreen & 0xFFFFFFu) << c.colour;
        EXPECT_EQ(qAlpha(image.pixel(1, 0)), 128);
        EXPECT_EQ(image.format(), QImage::Format_ARGB32);
    }
}

}  // namespace
}  // namespace kesp
