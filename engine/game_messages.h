// The texts by which a step made on one machine is told to the others: the nine-character game
// message and the deal. Built into fixed buffers, so announcing never allocates.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/game_state.h"

namespace kesp {

// Message codes (second character).
namespace msg {
inline constexpr char Decision = '0';
inline constexpr char StartDiscards = '3';
inline constexpr char Discard = '4';
inline constexpr char Draw = '5';
inline constexpr char StartTricks = '8';
inline constexpr char PlayCard = '9';
inline constexpr char ClearTrick = 'a';
inline constexpr char ScoreDeal = 'b';
inline constexpr char FourAces = 'c';
}  // namespace msg

// Who made a decision: a person ('m'), a computer player ('c'), or nobody in particular ('0').
enum class Actor : char { Person = 'm', Computer = 'c', None = '0' };

struct GameMessage {
    std::array<char, 9> text{};
    std::string_view view() const { return {text.data(), text.size()}; }
};

// The builders, one per message; `sender` is the sender's LanRole digit (0 outside a local
// network).
// A step of the buttons that belong to nobody: "h" + code + "0#" + sender + "0000".
GameMessage MakeStepMessage(char code, int sender);
// Play or pass: "h0" + (1 play, 0 pass) + "#" + sender + "000" + actor ('m' or 'c').
GameMessage MakeDecisionMessage(bool play, Actor actor, int sender);
// A computer player's discard, which every machine works out itself: "h40#" + sender + "xxxc".
GameMessage MakeComputerDiscardMessage(int sender);
// A person's discard of DiscardSel: "h40" + D4 + sender + D1 + D2 + D3 + "m".
GameMessage MakePersonDiscardMessage(const Slots<std::uint8_t, 1, 4>& sel, int sender);
// A card played from hand slot 1..5, 0 for a seat that passed: "h9" + slot + "#" + sender + "0000".
GameMessage MakePlayMessage(int slot, int sender);

// What a game message says. Every message has the exact shape of its kind; anything else is no
// game message.
struct ParsedGameMessage {
    char code = msg::Decision;  // a second character '1' is read as a decision
    int sender = 0;             // 0..4
    Actor actor = Actor::None;
    bool play = false;                    // a decision: play
    int slot = 0;                         // a played card's slot, 0 for a passed seat
    Slots<std::uint8_t, 1, 4> discard{};  // a person's discard, in DiscardSel order
};
std::optional<ParsedGameMessage> ParseGameMessage(std::string_view text);
inline constexpr std::size_t GameMessageLength = 9;
// False as soon as the characters that have arrived cannot begin a game message ('h', a known
// code, a sender digit, an actor mark), so a reader can drop them before the rest comes.
bool MayBeginGameMessage(std::string_view text);

// The host's deal: "b", the 36 cards, the 36 rank values as digits, InitialScore as three digits.
struct DealMessage {
    std::array<char, 112> text{};
    std::string_view view() const { return {text.data(), text.size()}; }
};
DealMessage MakeDealMessage(const GameState& gs, int initialScore);
inline constexpr std::size_t DealMessageLength = 112;

// The tournament server's deal: the same "b", cards and rank values, without the starting score
// (an online game always starts from 100).
struct OnlineDealMessage {
    std::array<char, 109> text{};
    std::string_view view() const { return {text.data(), text.size()}; }
};
OnlineDealMessage MakeOnlineDealMessage(const GameState& gs);

// What a deal message carries: the deck in dealing order, each card's rank value, the score the
// game starts from. Nothing unless the text is exactly a deal of the 36 different cards with
// their own rank values and a starting score of 100, 150 or 200.
struct ReceivedDeal {
    Slots<Card, 1, 36> deck;
    Slots<std::uint8_t, 1, 36> values;
    int initialScore = 100;
};
std::optional<ReceivedDeal> ParseDealMessage(std::string_view text);
// The game server's deal: the same "b", cards and values without a score (an online game starts
// from 100).
inline constexpr std::size_t OnlineDealFrameLength = 109;
std::optional<ReceivedDeal> ParseOnlineDeal(std::string_view text);

// The settled results for the tournament server: "o" and four five-character fields.
struct ResultsMessage {
    std::array<char, 21> text{};
    std::string_view view() const { return {text.data(), text.size()}; }
};
ResultsMessage MakeResultsMessage(const PerSeat<std::int32_t>& results, const int (&seatOrder)[4]);

}  // namespace kesp
