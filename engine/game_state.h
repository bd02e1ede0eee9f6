// The state of one table: every field the steps of a deal read and write. Plain data only,
// so a deal never allocates and a whole game can be copied or compared.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

#include "engine/card.h"

namespace kesp {

// A fixed array indexed First..Last (1-based for seats, slots, tricks and table positions).
template <typename T, int First, int Last>
struct Slots {
    std::array<T, Last - First + 1> items{};

    constexpr T& operator[](int i) {
        assert(i >= First && i <= Last);
        return items[static_cast<std::size_t>(i - First)];
    }
    constexpr const T& operator[](int i) const {
        assert(i >= First && i <= Last);
        return items[static_cast<std::size_t>(i - First)];
    }
    constexpr void Fill(const T& v) { items.fill(v); }
    friend constexpr bool operator==(const Slots&, const Slots&) = default;
};

template <typename T>
using PerSeat = Slots<T, 1, 4>;
using HandSlots = Slots<Card, 1, 5>;
using HandValues = Slots<std::uint8_t, 1, 5>;

// A set of suits, one bit per suit in deck order (hearts, diamonds, clubs, spades).
struct SuitSet {
    std::uint8_t bits = 0;
    static constexpr int Bit(std::uint8_t suitChar) { return kBits[suitChar]; }
    constexpr void Add(std::uint8_t suitChar) { bits = static_cast<std::uint8_t>(bits | Bit(suitChar)); }
    constexpr bool Has(std::uint8_t suitChar) const { return (bits & Bit(suitChar)) != 0; }
    constexpr void Clear() { bits = 0; }
    friend constexpr bool operator==(const SuitSet&, const SuitSet&) = default;

  private:
    static constexpr std::array<std::uint8_t, 256> kBits = [] {
        std::array<std::uint8_t, 256> bits{};
        for (int i = 0; i < 4; ++i) bits[SuitsInDeckOrder[i]] = static_cast<std::uint8_t>(1 << i);
        return bits;
    }();
};

// A set of seats 1..4.
struct SeatSet {
    static constexpr std::uint8_t All = 0x1E;  // the bits of seats 1..4
    std::uint8_t bits = 0;
    constexpr void Add(int seat) { bits = static_cast<std::uint8_t>(bits | (1 << seat)); }
    constexpr bool Has(int seat) const { return (bits & (1 << seat)) != 0; }
    constexpr void Clear() { bits = 0; }
    friend constexpr bool operator==(const SeatSet&, const SeatSet&) = default;
};

// Where a deal stands. Values with a seat carry it in their last digit.
namespace phase {
inline constexpr std::uint8_t Menu = 0;
inline constexpr std::uint8_t DecideFirst = 1;  // 1..4: seat decides to play or pass
inline constexpr std::uint8_t DecisionsDone = 46;
inline constexpr std::uint8_t DiscardBase = 50;  // 51..54: seat discards
inline constexpr std::uint8_t DiscardsDone = 65;
inline constexpr std::uint8_t Drawn = 69;
inline constexpr std::uint8_t DrawBase = 70;  // 71..74: seat draws
inline constexpr std::uint8_t PlayBase = 80;  // 81..84: seat plays a card
inline constexpr std::uint8_t TrickComplete = 85;
inline constexpr std::uint8_t DealOver = 90;
inline constexpr std::uint8_t DealScored = 91;
inline constexpr std::uint8_t GameOverPhase = 93;
inline constexpr std::uint8_t GameSettled = 94;

// The phase in which seat s (1..4) decides, discards, draws or plays.
constexpr std::uint8_t Decision(int s) {
    return static_cast<std::uint8_t>(DecideFirst - 1 + s);
}
constexpr std::uint8_t Discard(int s) {
    return static_cast<std::uint8_t>(DiscardBase + s);
}
constexpr std::uint8_t Draw(int s) {
    return static_cast<std::uint8_t>(DrawBase + s);
}
constexpr std::uint8_t Play(int s) {
    return static_cast<std::uint8_t>(PlayBase + s);
}

constexpr bool IsDecision(int p) {
    return p >= 1 && p <= 4;
}
constexpr bool IsDiscard(int p) {
    return p >= 51 && p <= 54;
}
constexpr bool IsPlay(int p) {
    return p >= 81 && p <= 84;
}
}  // namespace phase

struct GameState {
    Slots<Card, 1, 36> Deck;
    Slots<std::uint8_t, 1, 36> DeckValue;
    std::uint8_t NextDraw = 21;
    std::uint8_t Trump = suit::None;

    PerSeat<HandSlots> Hand;
    PerSeat<HandValues> HandValue;
    PerSeat<std::uint8_t> HandCount;
    PerSeat<HandSlots> StartHand;
    PerSeat<HandValues> StartHandValue;

    PerSeat<std::uint8_t> Plays;
    PerSeat<std::uint8_t> HumanSeat;
    std::uint8_t Dealer = 1;
    std::uint8_t Phase = phase::Menu;
    std::uint8_t DealStarted = 0;
    std::uint8_t DecisionCount = 0;
    std::uint8_t PlayerCount = 0;
    Slots<std::uint8_t, 1, 4> DiscardSel;
    std::uint8_t DiscardAsked = 0;
    std::uint8_t TrumpTaken = 0;

    Slots<Card, 1, 4> Table;
    Slots<std::uint8_t, 1, 4> TableValue;
    std::uint8_t TablePos = 1;
    std::uint8_t LedSuit = suit::None;
    std::uint8_t Leader = 1;
    std::uint8_t TableLeader = 1;
    std::uint8_t LastPlayer = 1;
    std::uint8_t TrickNo = 1;
    Slots<Card, 1, 21> History;
    Slots<Card, 1, 4> LastTrick;

    PerSeat<std::uint8_t> TricksWon;
    PerSeat<std::int32_t> TrickPoints;
    PerSeat<std::int32_t> Penalty;
    PerSeat<SuitSet> AcesAtStart;
    SeatSet NoTrumpSeats;
    std::uint8_t SingleOrNone = 0;

    PerSeat<std::int32_t> Score;
    std::int32_t GameNo = 1;
    std::int32_t DealNo = 0;
    std::int32_t RunningTotal = 0;
    std::int32_t Advantage = 0;
    std::int32_t ProvisionalTotal = 0;
    std::uint8_t GameOver = 0;
    std::uint8_t Settled = 0;
    std::uint8_t DealRunning = 0;

    friend bool operator==(const GameState&, const GameState&) = default;
};

// Seat arithmetic wraps in unsigned numbers: seats are 1..4, and the remainder of a positive
// number needs no sign correction.
constexpr int SeatAfter(int s, int steps) {
    return static_cast<int>(static_cast<unsigned>(s - 1 + steps) % 4u) + 1;
}
constexpr int NextSeat(int s) {
    return SeatAfter(s, 1);
}
constexpr int PreviousSeat(int s) {
    return SeatAfter(s, 3);
}

// Seat of table position p of a trick led by `leader`.
constexpr int SeatAtTablePosition(int leader, int p) {
    return SeatAfter(leader, p - 1);
}

// The table position at which own network seat m sees network seat t (seat 4 is always the own
// seat; play goes round the network seats in the order 1, 3, 2, 4).
constexpr int TablePositionOf(int ownNetworkSeat, int networkSeat) {
    constexpr int table[4][4] = {{4, 2, 1, 3}, {2, 4, 3, 1}, {3, 1, 4, 2}, {1, 3, 2, 4}};
    return table[ownNetworkSeat - 1][networkSeat - 1];
}

}  // namespace kesp
