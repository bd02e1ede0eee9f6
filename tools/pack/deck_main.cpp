// kesp-deck: turns a card deck drawn as one SVG file, in the layout of the free SVG decks of the
// Linux desktops (one element per card: "1_club" .. "10_club", "jack_club", "queen_club",
// "king_club", and so on for "diamond", "heart" and "spade"), into the pictures of one face deck of
// the program: the 36 faces at both sizes and the four suit symbols, which it takes from the aces'
// middles. kesp-pack then packs them into a library.
// Usage: kesp-deck <deck.svg> <deck number 1..47> <folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

#include "presentation/art_names.h"

namespace {

// Suits in the program's order (hearts, diamonds, clubs, spades) and ranks six .. ace.
const char* const kSvgSuits[4] = {"heart", "diamond", "club", "spade"};
const char* const kSvgRanks[9] = {"6", "7", "8", "9", "10", "jack", "queen", "king", "1"};

QImage Render(QSvgRenderer& svg, const QString& id, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&p, id, QRectF(0, 0, size.width(), size.height()));
    return image;
}

// The suit sign of a deck: the middle of its ace, with the card's white made transparent.
QImage Symbol(const QImage& ace, int size) {
    const int side = ace.width() / 2;
    QImage middle = ace.copy((ace.width() - side) / 2, (ace.height() - side) / 2, side, side)
                        .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < middle.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(middle.scanLine(y));
        for (int x = 0; x < middle.width(); ++x)
            if (qRed(row[x]) > 235 && qGreen(row[x]) > 235 && qBlue(row[x]) > 235) row[x] = 0;
    }
    return middle.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void Fail(const QString& message) {
    std::fprintf(stderr, "kesp-deck: %s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool numberOk = false;
    const int deck = args.size() == 3 ? args[1].toInt(&numberOk) : 0;
    if (args.size() != 3 || !numberOk || deck < 1 || deck >= kesp::kFaceDeckCount) {
        std::fprintf(stderr, "usage: kesp-deck <deck.svg> <deck number 1..47> <folder>\n");
        return 2;
    }
    QSvgRenderer svg(args[0]);
    if (!svg.isValid()) {
        Fail(QStringLiteral("%1 is not an SVG picture").arg(args[0]));
        return 1;
    }
    const QDir folder(args[2]);
    if (!QDir().mkpath(folder.path())) {
        Fail(QStringLiteral("cannot make %1").arg(args[2]));
        return 1;
    }
    const QSize big = kesp::IsWideDeck(deck) ? kesp::kBigWideCardSize : kesp::kBigNarrowCardSize;
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 0; rank < 9; ++rank) {
            const QString id = QStringLiteral("%1_%2").arg(QString::fromLatin1(kSvgRanks[rank]),
                                                           QString::fromLatin1(kSvgSuits[suit]));
            if (!svg.elementExists(id)) {
                Fail(QStringLiteral("%1 has no card \"%2\"").arg(args[0], id));
                return 1;
            }
            const QImage bigFace = Render(svg, id, big);
            const QImage smallFace = Render(svg, id, kesp::kSmallCardSize);
            const auto save = [&](const std::string& name, const QImage& image) {
                return image.save(folder.filePath(QString::fromStdString(name) + ".png"), "PNG");
            };
            bool ok = save(kesp::FaceNameAt(suit, rank, deck, false), smallFace) &&
                      save(kesp::FaceNameAt(suit, rank, deck, true), bigFace);
            if (rank == 8)
                ok = ok &&
                     save(kesp::SymbolNameAt(suit, deck, false), Symbol(bigFace, kesp::kSmallSymbolSize)) &&
                     save(kesp::SymbolNameAt(suit, deck, true), Symbol(bigFace, kesp::kBigSymbolSize));
            if (!ok) {
                Fail(QStringLiteral("cannot write into %1").arg(args[2]));
                return 1;
            }
        }
    }
    std::printf("kesp-deck: deck %d (\"%s\") written to %s\n", deck, kesp::FaceDeckCode(deck).data(),
                qPrintable(args[2]));
    return 0;
}
