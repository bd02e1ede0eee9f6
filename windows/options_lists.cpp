#include "windows/options_lists.h"

#include "presentation/card_art.h"
#include "presentation/table_layout.h"

namespace kesp {

std::vector<WordKey> BackStyleWords() {
    return {WordKey::Classical1, WordKey::Medieval1, WordKey::Medieval2, WordKey::BackCarpet,
            WordKey::Cross,      WordKey::Chess,     WordKey::Diamond,   WordKey::Knightly,
            WordKey::Animals,    WordKey::Flowers,   WordKey::Places,    WordKey::Other,
            WordKey::Russian};
}

std::vector<WordKey> BackgroundPictureWords() {
    return {WordKey::Sun,  WordKey::Felt,   WordKey::Gradient, WordKey::Cloth, WordKey::BackgroundCarpet,
            WordKey::Tree, WordKey::Casino, WordKey::Pattern,  WordKey::Silk,  WordKey::Ornament};
}

std::vector<WordKey> BackgroundColourWords() {
    return {WordKey::Green,     WordKey::Red,      WordKey::Orang, WordKey::Yellow,
            WordKey::LightBlue, WordKey::DarkBlue, WordKey::Violet};
}

WordKey WindowSizeWord(int windowSize) {
    switch (WindowSizeInRange(windowSize)) {
        case window_size::FullScreen:
            return WordKey::FullScreen;
        case window_size::Average1:
            return WordKey::AverageWindow1;
        case window_size::Average2:
            return WordKey::AverageWindow2;
        case window_size::Large:
            return WordKey::LargeWindow;
        default:
            return WordKey::SmallWindow;
    }
}

QString WindowSizeHint(int windowSize) {
    if (WindowSizeInRange(windowSize) == window_size::FullScreen) return {};
    const QSize client = ClientSizeFor(windowSize, QSize());
    return QStringLiteral("%1 x %2").arg(client.width()).arg(client.height());
}

QImage FaceGroupSymbol(int deck) {
    // Spades for the built-in set, then hearts, diamonds and clubs for the three libraries.
    const std::string_view library = FaceDeckLibrary(deck);
    std::uint8_t suit = 0xEF;
    if (library == kCardsLibraryA) suit = 0xF7;
    if (library == kCardsLibraryB) suit = 0xE1;
    if (library == kCardsLibraryC) suit = 0xEA;
    return LoadOwnImage(SymbolName(suit, 0, false));
}

}  // namespace kesp
