#include "presentation/card_art.h"

#include <QFileInfo>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <memory>

#include "art_resources.h"
#include "presentation/resource_library.h"

namespace kesp {
namespace {

int SuitIndex(std::uint8_t suitChar) {
    for (int i = 0; i < 4; ++i)
        if (SuitsInDeckOrder[i] == suitChar) return i;
    return -1;
}

int ValidDeck(int deck) {
    return deck >= 0 && deck < kFaceDeckCount ? deck : 0;
}
int ValidBackStyle(int style) {
    return style >= 0 && style < kBackStyleCount ? style : 0;
}

int RoundEven(double x) {
    return static_cast<int>(std::nearbyint(x));
}

QImage Argb(const QImage& image) {
    return image.isNull() ? image : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A library picture copied into a bitmap of the given size (resampled if it is not that size).
QImage FitTo(const QImage& image, int w, int h) {
    if (image.isNull()) return image;
    if (image.width() == w && image.height() == h) return Argb(image);
    return Argb(image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// Library symbols are drawn on light grey, which becomes transparent.
QImage GreyTransparent(const QImage& source) {
    if (source.isNull()) return source;
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0x00FFFFFFu) == 0x00C0C0C0u) row[x] = 0;
    }
    return Argb(image);
}

}  // namespace

CardSizeClass SizeClassForScale(double scale) {
    if (scale < 1.3) return CardSizeClass::kSmall;
    if (scale < 2.0) return CardSizeClass::kScaled;
    return CardSizeClass::kLarge;
}

QSize CardCellSize(double scale, bool wideDeck) {
    switch (SizeClassForScale(scale)) {
        case CardSizeClass::kSmall:
            return {71, 96};
        case CardSizeClass::kLarge:
            return {wideDeck ? 146 : 126, 198};
        case CardSizeClass::kScaled:
            break;
    }
    return {RoundEven((wideDeck ? 71 : 61) * scale), RoundEven(96 * scale)};
}

std::string FaceName(Card card, int deck, bool big) {
    if (!card.IsCard()) return {};
    return FaceNameAt(SuitIndex(card.suit), RankValue(card.rank) - 1, deck, big);
}

std::string SymbolName(std::uint8_t suitChar, int deck, bool big) {
    return SymbolNameAt(SuitIndex(suitChar), deck, big);
}

void RecolorBanner(QImage& image, int colour) {
    if (image.isNull() || colour < 2 || colour > 8) return;
    const QImage::Format format = image.format();
    QImage work = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < work.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(work.scanLine(y));
        for (int x = 0; x < work.width(); ++x) {
            int r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]);
            switch (colour) {
                case 2:
                    if (r > g && r > b) {
                        b = RoundEven(0.7 * std::min(b, g));
                        g = b + RoundEven(0.4 * (r - b));
                    }
                    break;
                case 3:
                    g = r;
                    break;
                case 4:
                    std::swap(r, g);
                    break;
                case 5: {
                    const int oldR = r;
                    r = b;
                    g = oldR;
                    b = oldR;
                    break;
                }
                case 6:
                    std::swap(r, b);
                    break;
                case 7:
                    b = r;
                    break;
                default:
                    r = g = b = RoundEven(0.3 * r + 0.59 * g + 0.11 * b);
                    break;
            }
            row[x] =
                qRgba(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255), qAlpha(row[x]));
        }
    }
    image = work.convertToFormat(format);
}

QImage LoadOwnImage(std::string_view name) {
    InitArtResources();
    if (name.empty()) return {};
    const QString key = QString::fromUtf8(name.data(), qsizetype(name.size())).toUpper();
    return QImage(QStringLiteral(":/") + key);
}

CardArt::CardArt(Settings& settings, std::string programDir, WordFunction word)
    : settings_(settings), programDir_(std::move(programDir)), word_(std::move(word)) {
    InitArtResources();
    if (!programDir_.empty() && programDir_.back() != '/') programDir_ += '/';
    ComputeCell();
}

void CardArt::SetWindow(int windowSize, double scale, QSize clientSize) {
    windowSize_ = windowSize;
    scale_ = scale > 0 ? scale : 1.0;
    clientSize_ = clientSize;
    ComputeCell();
}

void CardArt::ComputeCell() {
    sizeClass_ = SizeClassForScale(scale_);
    cell_ = CardCellSize(scale_, wide_);
}

std::string CardArt::MissingMessage(std::string_view library) const {
    const std::string word = word_ ? word_(kCantFindFileWord) : std::string(kCantFindFileWord);
    return word + " " + std::string(library);
}

void CardArt::LoadOwnFaces() {
    const bool big = sizeClass_ != CardSizeClass::kSmall;
    for (int k = 1; k <= 36; ++k) {
        const QImage image = Argb(LoadOwnImage(FaceName(Card::FromDeckNumber(k), 0, big)));
        (big ? bigFaces_ : smallFaces_)[k - 1] = image;
    }
    for (int s = 0; s < 4; ++s) {
        smallSymbols_[s] = Argb(LoadOwnImage(SymbolName(SuitsInDeckOrder[s], 0, false)));
        bigSymbols_[s] = Argb(LoadOwnImage(SymbolName(SuitsInDeckOrder[s], 0, true)));
    }
}

ArtLoadResult CardArt::LoadFaceDeck() {
    ArtLoadResult result;
    int deck = ValidDeck(settings_.CardFaceSet);
    settings_.CardFaceSet = deck;
    sizeClass_ = SizeClassForScale(scale_);
    const bool big = sizeClass_ != CardSizeClass::kSmall;
    smallFaces_.fill(QImage());
    bigFaces_.fill(QImage());
    if (deck != 0) {
        const std::string_view libraryName = FaceDeckLibrary(deck);
        ResourceLibrary library(programDir_, libraryName);
        if (!library.Found()) {
            result.ok = false;
            result.messages.push_back(MissingMessage(libraryName));
            settings_.CardFaceSet = deck = 0;
        } else {
            const int kind = big ? (IsWideDeck(deck) ? 1 : 2) : 0;
            for (int k = 1; k <= 36; ++k) {
                QImage image = library.LoadImage(FaceName(Card::FromDeckNumber(k), deck, big));
                if (!big)
                    image = FitTo(image, 69, 94);
                else
                    image = Argb(image);
                // Library faces are stored with a region inverted; put it back.
                InvertFaceRegion(image, kind);
                (big ? bigFaces_ : smallFaces_)[k - 1] = image;
            }
            for (int s = 0; s < 4; ++s) {
                smallSymbols_[s] = FitTo(
                    GreyTransparent(library.LoadImage(SymbolName(SuitsInDeckOrder[s], deck, false))), 20, 20);
                bigSymbols_[s] = Argb(library.LoadImage(SymbolName(SuitsInDeckOrder[s], deck, true)));
            }
        }
    }
    if (deck == 0) LoadOwnFaces();
    wide_ = IsWideDeck(deck);
    ComputeCell();
    const int chosen = deck;
    ArtLoadResult backs = LoadBacks();
    result.messages.insert(result.messages.end(), backs.messages.begin(), backs.messages.end());
    // The backs may have had to give up a narrow deck as well.
    if (settings_.CardFaceSet != chosen) result.ok = false;
    return result;
}

ArtLoadResult CardArt::LoadBacks() {
    ArtLoadResult result;
    int style = ValidBackStyle(settings_.DeckBack);
    settings_.DeckBack = style;
    const bool big = sizeClass_ != CardSizeClass::kSmall;
    // The big backs of narrow decks exist only in the library, for every style.
    const bool narrowBig = big && !wide_;
    std::unique_ptr<ResourceLibrary> library;
    if (style != 0 || narrowBig) {
        library = std::make_unique<ResourceLibrary>(programDir_, kCardsLibraryB);
        if (!library->Found()) {
            result.ok = false;
            result.messages.push_back(MissingMessage(kCardsLibraryB));
            settings_.DeckBack = style = 0;
            library.reset();
            if (narrowBig) {
                // Without the library a narrow deck has no backs at this size: the built-in deck
                // (wide) takes its place, and its own backs follow.
                settings_.CardFaceSet = 0;
                ArtLoadResult faces = LoadFaceDeck();
                result.messages.insert(result.messages.end(), faces.messages.begin(), faces.messages.end());
                return result;
            }
        }
    }
    backCount_ = BackCountOfStyle(style);
    backs_.fill(QImage());
    turnedBacks_.fill(QImage());
    const std::string_view suffix = !big ? "" : (wide_ ? "B" : "U");
    for (int b = 1; b <= backCount_; ++b) {
        const std::string upright = BackName(b, false, style, suffix);
        const std::string turned = BackName(b, true, style, suffix);
        if (library) {
            backs_[b - 1] = Argb(library->LoadImage(upright));
            turnedBacks_[b - 1] = Argb(library->LoadImage(turned));
        } else {
            backs_[b - 1] = Argb(LoadOwnImage(upright));
            turnedBacks_[b - 1] = Argb(LoadOwnImage(turned));
        }
    }
    currentBack_ = std::clamp(currentBack_, 1, backCount_);
    return result;
}

ArtLoadResult CardArt::LoadBackground(bool designed) {
    ArtLoadResult result;
    QImage image;
    bool loaded = false;
    if (designed) {
        ResourceLibrary library(programDir_, kGraphicsLibrary);
        if (library.Found()) {
            // Larger windows take the big picture where the library has one.
            if (windowSize_ != 1) image = library.LoadImage("BGLiluB");
            if (image.isNull()) image = library.LoadImage("BGLilu");
            loaded = !image.isNull();
        } else {
            result.ok = false;
            result.messages.push_back(MissingMessage(kGraphicsLibrary));
            // Without the graphics library there are no designed looks at all.
            settings_.MenuDesign = 0;
            settings_.TableDesign = 0;
        }
    }
    designedBackground_ = loaded;
    if (!loaded) {
        int style = settings_.Background;
        int colour = settings_.BackgroundVariant;
        if (style < 0 || style > 10 || colour < 0 || colour > 6) {
            settings_.Background = style = 2;
            settings_.BackgroundVariant = colour = 0;
        }
        const bool big = windowSize_ != 1;
        if (style == 0) {
            background_ = QImage();
            return result;
        }
        if (style != 2 || colour != 0) {
            ResourceLibrary library(programDir_, kBackgroundLibrary);
            if (library.Found()) {
                image = library.LoadImage(BackgroundName(style, colour, big));
            } else {
                result.ok = false;
                result.messages.push_back(MissingMessage(kBackgroundLibrary));
                settings_.Background = 2;
                settings_.BackgroundVariant = 0;
            }
        }
        // The built-in felt, also when a present library lacks the picture.
        if (image.isNull()) image = LoadOwnImage(BackgroundName(2, 0, big));
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    background_ = windowSize_ != 1 ? StretchedToClient(image) : image;
    return result;
}

ArtLoadResult CardArt::LoadScreenBackground(bool table, bool force) {
    const bool designed = (table ? settings_.TableDesign : settings_.MenuDesign) == 1;
    if (!force && designed == designedBackground_ && !background_.isNull()) return {};
    return LoadBackground(designed);
}

bool CardArt::UseRecordingBackground() {
    const QImage felt = LoadOwnImage("GIFBackGr");
    if (felt.isNull()) return false;
    background_ = StretchedToClient(felt.convertToFormat(QImage::Format_RGB32));
    return true;
}

QImage CardArt::StretchedToClient(const QImage& image) const {
    if (image.isNull() || !clientSize_.isValid() || clientSize_.isEmpty() || image.size() == clientSize_)
        return image;
    return image.scaled(clientSize_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage CardArt::FaceImage(Card card) const {
    const int k = card.DeckNumber();
    return k == 0 ? QImage() : smallFaces_[k - 1];
}

QImage CardArt::FaceImagePng(Card card) const {
    const int k = card.DeckNumber();
    return k == 0 ? QImage() : bigFaces_[k - 1];
}

QImage CardArt::SymbolImage(std::uint8_t suitChar) const {
    const int s = SuitIndex(suitChar);
    return s < 0 ? QImage() : smallSymbols_[s];
}

QImage CardArt::SymbolImagePng(std::uint8_t suitChar) const {
    const int s = SuitIndex(suitChar);
    return s < 0 ? QImage() : bigSymbols_[s];
}

QImage CardArt::BackImage(int back, bool turned) const {
    if (back < 1 || back > backCount_) return {};
    return turned ? turnedBacks_[back - 1] : backs_[back - 1];
}

QColor CardArt::WindowColour() const {
    if (settings_.MenuDesign == 1) return {120, 0, 200};
    if (settings_.Background == 0) return {0, 128, 0};
    static const QColor colours[7] = {{0, 128, 0},   {128, 0, 0}, {128, 64, 0}, {128, 128, 0},
                                      {0, 128, 128}, {0, 0, 128}, {128, 0, 128}};
    const int c = settings_.BackgroundVariant;
    return c >= 0 && c < 7 ? colours[c] : colours[0];
}

int CardArt::BackForDeal(QDate today) {
    const int style = ValidBackStyle(settings_.DeckBack);
    if (BackCountOfStyle(style) == 10)
        currentBack_ = 1 + static_cast<int>(random_() % 10);
    else if (settings_.OneBackOnly)
        currentBack_ = 7;
    else
        currentBack_ = today.isValid() ? today.dayOfWeek() : 1;
    return currentBack_;
}

void CardArt::DrawCardPng(int x, int y, const QImage& image, bool rounded, int w, int h,
                          QPainter& target) const {
    if (image.isNull() || w <= 0 || h <= 0) return;
    if (image.width() == w && image.height() == h) {
        target.drawImage(x, y, image);
        return;
    }
    const QImage scaled = Argb(image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    if (!rounded) {
        target.drawImage(x, y, scaled);
        return;
    }
    // Cut the corners with an antialiased rounded rectangle instead of a colour key, so no colour
    // of the picture itself can turn transparent.
    const double radius = RoundEven(8 * scale_);
    QImage card(w, h, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    {
        QPainter p(&card);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(scaled));
        p.drawRoundedRect(QRectF(0, 0, w, h), radius, radius);
    }
    target.drawImage(x, y, card);
}

namespace {
// The small cell's frame: four black lines with the corners left open.
void DrawSmallFrame(QPainter& target, int x, int y, int w, int h) {
    target.save();
    target.setRenderHint(QPainter::Antialiasing, false);
    target.setPen(QPen(Qt::black, 1));
    target.drawLine(x + 2, y, x + w - 3, y);
    target.drawLine(x + 2, y + h - 1, x + w - 3, y + h - 1);
    target.drawLine(x, y + 2, x, y + h - 3);
    target.drawLine(x + w - 1, y + 2, x + w - 1, y + h - 3);
    target.restore();
}
}  // namespace

void CardArt::DrawCardCell(int x, int y, Card code, QPainter& target) const {
    if (!code.IsCard()) return;
    if (sizeClass_ == CardSizeClass::kSmall) {
        DrawSmallFrame(target, x, y, 71, 96);
        const QImage face = FaceImage(code);
        if (!face.isNull()) target.drawImage(x + 1, y + 1, face);
        return;
    }
    DrawCardPng(x, y, FaceImagePng(code), true, cell_.width(), cell_.height(), target);
}

void CardArt::DrawBackCell(int x, int y, bool turned, QPainter& target) const {
    const QImage back = BackImage(currentBack_, turned);
    if (sizeClass_ == CardSizeClass::kSmall) {
        DrawSmallFrame(target, x, y, turned ? 96 : 71, turned ? 71 : 96);
        if (!back.isNull()) target.drawImage(x + 1, y + 1, back);
        return;
    }
    const int w = turned ? cell_.height() : cell_.width();
    const int h = turned ? cell_.width() : cell_.height();
    DrawCardPng(x, y, back, true, w, h, target);
}

bool CardArt::LoadLibraryImage(QImage& image, std::string_view name, std::string_view library) const {
    ResourceLibrary lib(programDir_, library);
    if (!lib.Found()) return false;
    QImage loaded = lib.LoadImage(name);
    if (loaded.isNull()) return false;
    image = loaded;
    return true;
}

}  // namespace kesp
