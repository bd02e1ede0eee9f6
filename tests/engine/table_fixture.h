// Helpers for engine tests: cards written as their UTF-8 names ("1ч", "Тп"), hands and tables
// set up from such names, and an event recorder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "engine/game.h"
#include "engine/hand.h"
#include "records/cp1251.h"

namespace kesp::test {

inline Card C(const std::string& utf8) {
    const auto bytes = Utf8ToCp1251(utf8);
    if (!bytes || bytes->size() != 2) {
        ADD_FAILURE() << "not a card: " << utf8;
        return Card::Empty();
    }
    return Card::Make(static_cast<std::uint8_t>((*bytes)[0]), static_cast<std::uint8_t>((*bytes)[1]));
}

inline std::uint8_t S(const std::string& utf8) {
    const auto bytes = Utf8ToCp1251(utf8);
    return bytes && bytes->size() == 1 ? static_cast<std::uint8_t>((*bytes)[0]) : 0;
}

inline std::string Name(const Card& c) {
    if (c.length == 0) return "";
    const char bytes[2] = {static_cast<char>(c.rank), static_cast<char>(c.suit)};
    return Cp1251ToUtf8(std::string_view(bytes, 2));
}

// Seat s's slots 1..5 from names; "##" or missing entries are empty.
inline void SetHand(GameState& gs, int s, std::initializer_list<const char*> cards) {
    int k = 1;
    for (const char* name : cards)
        SetHandSlot(gs, s, k++, std::string(name) == "##" ? Card::Empty() : C(name));
    for (; k <= 5; ++k) SetHandSlot(gs, s, k, Card::Empty());
    int n = 0;
    for (int i = 1; i <= 5; ++i) n += gs.Hand[s][i].IsEmpty() ? 0 : 1;
    gs.HandCount[s] = static_cast<std::uint8_t>(n);
}

// Puts seat s's cards into hand order the plain way, by a stable sort of the whole hand
// (non-trumps, then trumps, by rising rank value), with their values, the empty slots last and
// the count: the model that the engine's changes of a hand in place are checked against.
inline void SortHand(GameState& gs, int s) {
    std::vector<Card> cards;
    for (const Card& c : gs.Hand[s].items)
        if (!c.IsEmpty()) cards.push_back(c);
    const auto key = [&](const Card& c) { return (c.suit == gs.Trump ? 16 : 0) + RankValue(c.rank); };
    std::stable_sort(cards.begin(), cards.end(),
                     [&](const Card& a, const Card& b) { return key(a) < key(b); });
    for (int k = 1; k <= 5; ++k)
        SetHandSlot(
            gs, s, k,
            k <= static_cast<int>(cards.size()) ? cards[static_cast<std::size_t>(k - 1)] : Card::Empty());
    gs.HandCount[s] = static_cast<std::uint8_t>(cards.size());
}

inline std::string HandText(const GameState& gs, int s) {
    std::string out;
    for (int k = 1; k <= 5; ++k)
        out += (k > 1 ? " " : "") + (gs.Hand[s][k].IsEmpty() ? std::string("##") : Name(gs.Hand[s][k]));
    return out;
}

inline void SetTable(GameState& gs, std::initializer_list<const char*> cards) {
    int p = 1;
    for (const char* name : cards) {
        const Card c = std::string(name) == "##" ? Card::Empty() : C(name);
        gs.Table[p] = c;
        gs.TableValue[p] = c.IsEmpty() ? 0 : c.Value();
        ++p;
    }
    for (; p <= 4; ++p) {
        gs.Table[p] = Card::Empty();
        gs.TableValue[p] = 0;
    }
}

// A deck whose deck numbers are given; the deal's blocks come from positions 1..20.
inline std::array<std::uint8_t, 36> DeckFromCards(const std::vector<std::string>& first) {
    std::array<std::uint8_t, 36> deck{};
    bool used[37] = {};
    std::size_t i = 0;
    for (const auto& name : first) {
        const int k = C(name).DeckNumber();
        deck[i++] = static_cast<std::uint8_t>(k);
        used[k] = true;
    }
    for (int k = 1; k <= 36 && i < 36; ++k)
        if (!used[k]) deck[i++] = static_cast<std::uint8_t>(k);
    return deck;
}

// Records what the engine asks of the table.
class RecordingEvents : public TableEvents {
  public:
    std::vector<std::string> announced;
    std::vector<std::string> sounds;
    std::vector<std::pair<std::string, bool>> soundCalls;  // each sound with its wait flag
    std::vector<WordId> questions;
    std::vector<WordId> messages;
    std::vector<int> pauses;
    int flights = 0;
    int newDeals = 0;
    bool answer = false;

    // With `holdWaits` every flight, rest and waited sound takes time: the step stops and the
    // test resumes it with ResumeWait.
    bool holdWaits = false;
    int waitsStarted = 0;
    std::uint32_t ticket = 0;
    const Game* game = nullptr;

    // From now on the waits of `g` take time.
    void HoldWaitsOf(const Game& g) {
        holdWaits = true;
        game = &g;
    }

    bool Hold() {
        if (!holdWaits) return false;
        ++waitsStarted;
        if (game) ticket = game->WaitTicket();
        return true;
    }

    void Announce(std::string_view message) override { announced.emplace_back(message); }
    bool PlaySound(std::string_view name, bool wait) override {
        sounds.emplace_back(name);
        soundCalls.emplace_back(name, wait);
        return wait && Hold();
    }
    std::vector<LeaveReason> left;
    std::vector<std::string> spoken;
    int generalCounts = 0;
    std::optional<bool> AskYesNo(WordId question, WordId, std::string_view) override {
        questions.push_back(question);
        if (holdWaits) return std::nullopt;
        return answer;
    }
    void ShowMessage(WordId message) override { messages.push_back(message); }
    bool Pause(int ms) override {
        pauses.push_back(ms);
        return Hold();
    }
    void NewDeal() override { ++newDeals; }
    bool FlyCard(Flight, int, const Card&) override {
        ++flights;
        return Hold();
    }
    int cancelled = 0;
    void CancelWaits() override { ++cancelled; }
    void LeaveTable(LeaveReason reason) override { left.push_back(reason); }
    void SpeakCard(const Card& card) override { spoken.push_back(Name(card)); }
    void ShowGeneralCount() override { ++generalCounts; }
};

}  // namespace kesp::test

namespace kesp::test {

// A deck that deals the given hands on a local table (or a host): seat 4 takes positions 1..5,
// seat 2 6..10, seat 1 11..15, seat 3 16..20; `stock` fills positions 21.. in order and
// `trumpCard` lies at position 36. Unnamed cards fill the rest of the stock.
inline std::array<std::uint8_t, 36> KnownDeck(const std::array<std::vector<std::string>, 4>& hands,
                                              const std::string& trumpCard,
                                              const std::vector<std::string>& stock = {}) {
    std::vector<std::string> first;
    for (int seat : {4, 2, 1, 3})
        for (const auto& c : hands[static_cast<std::size_t>(seat - 1)]) first.push_back(c);
    for (const auto& c : stock) first.push_back(c);
    auto deck = DeckFromCards(first);
    // Move the trump card to position 36.
    const auto trump = static_cast<std::uint8_t>(C(trumpCard).DeckNumber());
    for (auto& n : deck)
        if (n == trump) std::swap(n, deck[35]);
    return deck;
}

// A local game (game number chosen for the dealer) dealt from known hands.
inline void DealKnown(Game& game, int dealer, const std::array<std::vector<std::string>, 4>& hands,
                      const std::string& trumpCard, const std::vector<std::string>& stock = {}) {
    game.State().GameNo = dealer;  // first deal: dealer = GameNo mod 4 (4 for 0)
    EXPECT_TRUE(game.UseDeck(KnownDeck(hands, trumpCard, stock)));
    game.StartDeal(true);
    EXPECT_EQ(game.State().Dealer, dealer);
}

// Runs timer ticks while the driving machine has automatic moves to make.
inline void TickWhileAutomatic(Game& game, int limit = 100) {
    for (int i = 0; i < limit; ++i) {
        const GameState& gs = game.State();
        const int before = gs.Phase, pos = gs.TablePos;
        game.GameTick();
        if (gs.Phase == before && gs.TablePos == pos) return;
    }
}

}  // namespace kesp::test
