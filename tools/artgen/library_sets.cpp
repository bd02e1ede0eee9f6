// The face sets, back styles and backgrounds of the libraries, under the names the program looks
// them up by. Library faces are stored with their elliptical region inverted, as the loader expects.
#include "library.h"
#include "presentation/art_names.h"

namespace artgen {
namespace {

QString Name(const std::string& name) {
    return QString::fromStdString(name);
}

// A small suit symbol on the light grey the loader makes transparent: crisp edges, no grey halo.
QImage GreyKeyed(const QImage& symbol) {
    QImage image = symbol.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = qAlpha(row[x]) >= 110 ? (row[x] | 0xFF000000u) : qRgb(192, 192, 192);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

void DrawFaceDecks(ArtWriter& out, int firstDeck, int lastDeck) {
    for (int deck = firstDeck; deck <= lastDeck; ++deck) {
        const DeckStyle style = LibraryDeckStyle(deck);
        const bool wide = kesp::IsWideDeck(deck);
        const QSize bigSize = wide ? kesp::kBigWideCardSize : kesp::kBigNarrowCardSize;
        for (int suit = 0; suit < 4; ++suit) {
            for (int rank = 0; rank < 9; ++rank) {
                QImage small = DrawFace(kesp::kSmallCardSize, false, style, suit, rank);
                kesp::InvertFaceRegion(small, 0);
                out.Png(Name(kesp::FaceNameAt(suit, rank, deck, false)), small);
                QImage big = DrawFace(bigSize, true, style, suit, rank);
                kesp::InvertFaceRegion(big, wide ? 1 : 2);
                out.Png(Name(kesp::FaceNameAt(suit, rank, deck, true)), big);
            }
            out.Png(Name(kesp::SymbolNameAt(suit, deck, false)),
                    GreyKeyed(DrawSymbol(suit, kesp::kSmallSymbolSize, style)));
            out.Png(Name(kesp::SymbolNameAt(suit, deck, true)),
                    DrawSymbol(suit, kesp::kBigSymbolSize, style));
        }
    }
}

void DrawLibraryBacks(ArtWriter& out, int firstStyle, int lastStyle) {
    const QSize small = kesp::kSmallCardSize, wide = kesp::kBigWideCardSize,
                narrow = kesp::kBigNarrowCardSize;
    for (int style = firstStyle; style <= lastStyle; ++style) {
        for (int back = 1; back <= kesp::BackCountOfStyle(style); ++back) {
            // Style 0 is the program's own; the library adds only its backs for narrow decks.
            auto draw = [&](QSize size, bool big) {
                return style == 0 ? DrawClassicBack(size.width(), size.height(), back - 1, big)
                                  : DrawLibraryBack(style, back, size.width(), size.height(), big);
            };
            const std::pair<const char*, QImage> sizes[3] = {{"", style == 0 ? QImage() : draw(small, false)},
                                                             {"B", style == 0 ? QImage() : draw(wide, true)},
                                                             {"U", draw(narrow, true)}};
            for (const auto& [suffix, image] : sizes) {
                if (image.isNull()) continue;
                out.Png(Name(kesp::BackName(back, false, style, suffix)), image);
                out.Png(Name(kesp::BackName(back, true, style, suffix)), Turned(image));
            }
        }
    }
}

void DrawBackgrounds(ArtWriter& out, int firstStyle, int lastStyle) {
    for (int style = firstStyle; style <= lastStyle; ++style)
        for (int colour = 0; colour < kesp::kBackgroundColourCount; ++colour) {
            if (style == 2 && colour == 0) continue;  // the program's own felt
            out.Jpeg(Name(kesp::BackgroundName(style, colour, false)),
                     DrawBackground(style, colour, 760, 500), 90);
            out.Jpeg(Name(kesp::BackgroundName(style, colour, true)),
                     DrawBackground(style, colour, 1520, 1000), 88);
        }
}

}  // namespace artgen
