// Cards as the game stores and transmits them: two single-byte characters of the Cyrillic
// code page 1251, rank then suit, in a slot that also carries a length byte.
#pragma once

#include <array>
#include <cstdint>

namespace kesp {

// Rank characters (code page 1251 bytes). The ten is the single character '1'.
namespace rank {
inline constexpr std::uint8_t Six = 0x36;    // '6'
inline constexpr std::uint8_t Seven = 0x37;  // '7'
inline constexpr std::uint8_t Eight = 0x38;  // '8'
inline constexpr std::uint8_t Nine = 0x39;   // '9'
inline constexpr std::uint8_t Ten = 0x31;    // '1'
inline constexpr std::uint8_t Jack = 0xC2;   // 'В'
inline constexpr std::uint8_t Queen = 0xC4;  // 'Д'
inline constexpr std::uint8_t King = 0xCA;   // 'К'
inline constexpr std::uint8_t Ace = 0xD2;    // 'Т'
}  // namespace rank

// Suit characters (code page 1251 bytes).
namespace suit {
inline constexpr std::uint8_t Hearts = 0xF7;    // 'ч'
inline constexpr std::uint8_t Diamonds = 0xE1;  // 'б'
inline constexpr std::uint8_t Clubs = 0xEA;     // 'к'
inline constexpr std::uint8_t Spades = 0xEF;    // 'п'
inline constexpr std::uint8_t None = 0x23;      // '#'
}  // namespace suit

inline constexpr std::uint8_t EmptyChar = 0x23;  // '#'
inline constexpr std::uint8_t EmptyValue = 99;   // rank value of an empty slot

namespace detail {
constexpr std::array<std::uint8_t, 256> MakeRankValues() {
    std::array<std::uint8_t, 256> values{};
    const std::uint8_t ranks[9] = {rank::Six,  rank::Seven, rank::Eight, rank::Nine, rank::Ten,
                                   rank::Jack, rank::Queen, rank::King,  rank::Ace};
    for (int i = 0; i < 9; ++i) values[ranks[i]] = static_cast<std::uint8_t>(i + 1);
    return values;
}
inline constexpr std::array<std::uint8_t, 256> kRankValues = MakeRankValues();
// Rank values of slot first characters: an empty slot's '#' has the value 99.
constexpr std::array<std::uint8_t, 256> MakeSlotValues() {
    std::array<std::uint8_t, 256> values = MakeRankValues();
    values[0x23] = 99;
    return values;
}
inline constexpr std::array<std::uint8_t, 256> kSlotValues = MakeSlotValues();
}  // namespace detail

// Rank values 1 (six) .. 9 (ace); 0 for a byte that is no rank.
constexpr std::uint8_t RankValue(std::uint8_t rankChar) {
    return detail::kRankValues[rankChar];
}

namespace detail {
inline constexpr std::array<std::uint8_t, 256> kAceValues = [] {
    std::array<std::uint8_t, 256> values{};
    values[suit::Hearts] = 20;
    values[suit::Diamonds] = 15;
    values[suit::Clubs] = 10;
    values[suit::Spades] = 5;
    return values;
}();
}  // namespace detail

// Points an ace of the suit costs its taker (0 for a byte that is no suit); also the order in which
// the computer sheds aces.
constexpr int AceValue(std::uint8_t suitChar) {
    return detail::kAceValues[suitChar];
}

constexpr bool IsSuit(std::uint8_t c) {
    return c == suit::Hearts || c == suit::Diamonds || c == suit::Clubs || c == suit::Spades;
}

// The four suits in deck-numbering order, and the order the computer sheds aces in.
inline constexpr std::uint8_t SuitsInDeckOrder[4] = {suit::Hearts, suit::Diamonds, suit::Clubs, suit::Spades};
inline constexpr std::uint8_t RanksInOrder[9] = {rank::Six,  rank::Seven, rank::Eight, rank::Nine, rank::Ten,
                                                 rank::Jack, rank::Queen, rank::King,  rank::Ace};

// A card slot: a short string of at most two characters. Length 0 (never written) and "##"
// are both empty.
struct alignas(4) Card {
    std::uint8_t length = 0;
    std::uint8_t rank = 0;    // first character
    std::uint8_t suit = 0;    // second character
    std::uint8_t unused = 0;  // keeps a slot one aligned word

    static constexpr Card Make(std::uint8_t rankChar, std::uint8_t suitChar) {
        return {2, rankChar, suitChar, 0};
    }
    static constexpr Card Empty() { return {2, EmptyChar, EmptyChar, 0}; }
    // Card of deck number k (1..36): rank (k-1) div 4, suit (k-1) mod 4 in deck order.
    static constexpr Card FromDeckNumber(int k) {
        return Make(RanksInOrder[(k - 1) / 4], SuitsInDeckOrder[(k - 1) % 4]);
    }

    constexpr bool IsEmpty() const { return length < 2 || (rank == EmptyChar && suit == EmptyChar); }
    constexpr bool IsCard() const { return length == 2 && RankValue(rank) != 0 && IsSuit(suit); }
    constexpr bool IsAce() const { return length == 2 && rank == rank::Ace; }
    // Suit of a real card; '#' for an empty slot, so an empty slot never matches a suit.
    // ("##" holds '#' as its suit and 99 as its value, so these need no emptiness test.)
    constexpr std::uint8_t Suit() const { return length == 2 ? suit : suit::None; }
    constexpr std::uint8_t Value() const { return length == 2 ? detail::kSlotValues[rank] : EmptyValue; }
    // Deck number 1..36, 0 for anything that is not a card.
    constexpr int DeckNumber() const {
        if (!IsCard()) return 0;
        int s = 0;
        while (SuitsInDeckOrder[s] != suit) ++s;
        return (RankValue(rank) - 1) * 4 + s + 1;
    }

    // Two cards match when both hold the same two bytes.
    friend constexpr bool operator==(const Card& a, const Card& b) {
        return a.length == b.length &&
               (a.length == 0 || (a.rank == b.rank && (a.length < 2 || a.suit == b.suit)));
    }
};

}  // namespace kesp
