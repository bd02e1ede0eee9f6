// kesp-deck and kesp-pack: an SVG deck drawn by the test becomes a face set the program loads;
// bad input stops either tool with a message and leaves no library behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "presentation/card_art.h"
#include "qt_test_app.h"

namespace kesp {
namespace {

const char* const kSvgSuits[4] = {"heart", "diamond", "club", "spade"};
const char* const kSvgRanks[9] = {"6", "7", "8", "9", "10", "jack", "queen", "king", "1"};

// The colour of a card in the test deck: every card its own.
QColor CardColour(int suit, int rank) {
    return QColor(20 + suit * 50, 30 + rank * 20, 200);
}

// A deck in the layout of the desktops' SVG decks: one group per card, named by its id.
QString TestDeck(bool withKingOfSpades) {
    QString svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"2000\" height=\"1000\">\n";
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 0; rank < 9; ++rank) {
            if (!withKingOfSpades && suit == 3 && rank == 7) continue;
            const double x = rank * 200, y = suit * 250;
            svg += QString(
                       "<g id=\"%1_%2\"><rect x=\"%3\" y=\"%4\" width=\"167\" height=\"243\" fill=\"%5\"/>"
                       "<circle cx=\"%6\" cy=\"%7\" r=\"30\" fill=\"#ff0000\"/></g>\n")
                       .arg(kSvgRanks[rank], kSvgSuits[suit])
                       .arg(x)
                       .arg(y)
                       .arg(CardColour(suit, rank).name())
                       .arg(x + 83.5)
                       .arg(y + 121.5);
        }
    svg +=
        "<g id=\"back\"><rect x=\"1850\" y=\"0\" width=\"167\" height=\"243\" "
        "fill=\"#000080\"/></g>\n</svg>\n";
    return svg;
}

class LibraryToolsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::App();
        ASSERT_TRUE(dir_.isValid());
        QDir().mkpath(Path("game"));
    }
    QString Path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    // Runs a tool; its exit code, with what it wrote on the error stream.
    int Run(const QString& program, const QStringList& args, QString* errors = nullptr) {
        QProcess process;
        process.start(program, args);
        if (!process.waitForFinished(120000)) return -1;
        if (errors) *errors = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    bool Write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    }
    QTemporaryDir dir_;
    Settings settings_;
};

TEST_F(LibraryToolsTest, SvgDeckBecomesAFaceSetTheProgramLoads) {
    ASSERT_TRUE(Write(Path("deck.svg"), TestDeck(true).toUtf8()));
    // Deck 30 is narrow, deck 5 wide: each gets big faces of its own width.
    ASSERT_EQ(Run(KESP_DECK, {Path("deck.svg"), "5", Path("pictures")}), 0);
    ASSERT_EQ(Run(KESP_DECK, {Path("deck.svg"), "30", Path("pictures")}), 0);
    EXPECT_EQ(QImage(Path("pictures/Pi4KCelB.png")).size(), QSize(146, 198));
    EXPECT_EQ(QImage(Path("pictures/Pi4KSkTB.png")).size(), QSize(126, 198));
    ASSERT_EQ(Run(KESP_PACK, {Path("pictures"), Path("game/ZunCards06A.dll")}), 0);

    // (A narrow deck in a large window also needs the library of backs, which this folder lacks.)
    for (const auto& [deck, scale] : {std::pair{5, 1.0}, std::pair{5, 2.0}, std::pair{30, 1.0}}) {
        SCOPED_TRACE(testing::Message() << "deck " << deck << " scale " << scale);
        settings_.CardFaceSet = deck;
        CardArt art(settings_, Path("game").toStdString() + "/");
        art.SetWindow(scale < 1.3 ? 1 : 5, scale, QSize(int(760 * scale), int(500 * scale)));
        const ArtLoadResult result = art.LoadFaceDeck();
        EXPECT_TRUE(result.ok);
        ASSERT_EQ(settings_.CardFaceSet, deck);
        for (int suit = 0; suit < 4; ++suit)
            for (int rank = 0; rank < 9; ++rank) {
                const Card card = Card::FromDeckNumber(rank * 4 + suit + 1);
                const QImage face = scale < 1.3 ? art.FaceImage(card) : art.FaceImagePng(card);
                // Inside the stored inverted region, off the red circle: the card's own colour.
                const QColor seen = face.pixelColor(face.width() / 5, face.height() / 3);
                const QColor want = CardColour(suit, rank);
                EXPECT_LE(std::abs(seen.red() - want.red()) + std::abs(seen.green() - want.green()) +
                              std::abs(seen.blue() - want.blue()),
                          6)
                    << kSvgRanks[rank] << "_" << kSvgSuits[suit];
            }
        // The suit sign is the middle of the ace: the red circle.
        const QColor sign = art.SymbolImagePng(suit::Spades).pixelColor(20, 20);
        EXPECT_GT(sign.red(), 230);
        EXPECT_LT(sign.green(), 30);
    }

    // --base keeps a library's pictures and adds the folder's.
    QDir().mkpath(Path("extra"));
    QImage extra(30, 20, QImage::Format_RGB32);
    extra.fill(Qt::green);
    ASSERT_TRUE(extra.save(Path("extra/Fancy.png")));
    ASSERT_EQ(
        Run(KESP_PACK, {Path("extra"), Path("game/ZunCards06A.dll"), "--base", Path("game/ZunCards06A.dll")}),
        0);
    settings_.CardFaceSet = 5;
    CardArt art(settings_, Path("game").toStdString() + "/");
    EXPECT_TRUE(art.LoadFaceDeck().ok);
    QImage fancy;
    EXPECT_TRUE(art.LoadLibraryImage(fancy, "FANCY", kCardsLibraryA));
    EXPECT_EQ(fancy.size(), QSize(30, 20));
}

TEST_F(LibraryToolsTest, BadInputStopsWithAMessageAndWritesNoLibrary) {
    QString errors;
    ASSERT_TRUE(Write(Path("short.svg"), TestDeck(false).toUtf8()));
    EXPECT_EQ(Run(KESP_DECK, {Path("short.svg"), "5", Path("short")}, &errors), 1);
    EXPECT_TRUE(errors.contains("king_spade")) << errors.toStdString();
    ASSERT_TRUE(Write(Path("broken.svg"), "<svg><g id=\"1_club\""));
    EXPECT_EQ(Run(KESP_DECK, {Path("broken.svg"), "5", Path("broken")}, &errors), 1);
    EXPECT_EQ(Run(KESP_DECK, {Path("short.svg"), "48", Path("short")}), 2);

    QDir().mkpath(Path("bad"));
    ASSERT_TRUE(Write(Path("bad/Ch06Med.png"), "not a picture"));
    EXPECT_EQ(Run(KESP_PACK, {Path("bad"), Path("game/ZunCards06A.dll")}, &errors), 1);
    EXPECT_TRUE(errors.contains("Ch06Med.png")) << errors.toStdString();
    QDir().mkpath(Path("empty"));
    EXPECT_EQ(Run(KESP_PACK, {Path("empty"), Path("game/ZunCards06A.dll")}), 1);
    EXPECT_FALSE(QFile::exists(Path("game/ZunCards06A.dll")));
    EXPECT_FALSE(QFile::exists(Path("game/ZunCards06A.dll.part")));
}

}  // namespace
}  // namespace kesp
