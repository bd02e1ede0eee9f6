#include "engine/game_messages.h"

#include <algorithm>
#include <iterator>

namespace kesp {
namespace {
char Digit(int d) {
    return static_cast<char>('0' + d);
}

GameMessage Message(char code, char p3, char p4, int sender, char p6, char p7, char p8, char p9) {
    return {{'h', code, p3, p4, Digit(sender), p6, p7, p8, p9}};
}

// `pattern` with '?' for any character.
bool Matches(std::string_view m, std::string_view pattern) {
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] != '?' && pattern[i] != m[i]) return false;
    return true;
}

int SlotDigit(char c) {
    return c >= '0' && c <= '5' ? c - '0' : -1;
}

// "b", the 36 cards and their 36 rank values: how both deal messages begin.
void WriteDeal(const GameState& gs, char* text) {
    text[0] = 'b';
    for (int p = 1; p <= 36; ++p) {
        text[2 * p - 1] = static_cast<char>(gs.Deck[p].rank);
        text[2 * p] = static_cast<char>(gs.Deck[p].suit);
        text[72 + p] = Digit(gs.DeckValue[p] % 10);
    }
}
}  // namespace

GameMessage MakeStepMessage(char code, int sender) {
    return Message(code, '0', '#', sender, '0', '0', '0', '0');
}

GameMessage MakeDecisionMessage(bool play, Actor actor, int sender) {
    return Message(msg::Decision, play ? '1' : '0', '#', sender, '0', '0', '0', static_cast<char>(actor));
}

GameMessage MakeComputerDiscardMessage(int sender) {
    return Message(msg::Discard, '0', '#', sender, 'x', 'x', 'x', static_cast<char>(Actor::Computer));
}

GameMessage MakePersonDiscardMessage(const Slots<std::uint8_t, 1, 4>& sel, int sender) {
    return Message(msg::Discard, '0', Digit(sel[4]), sender, Digit(sel[1]), Digit(sel[2]), Digit(sel[3]),
                   static_cast<char>(Actor::Person));
}

GameMessage MakePlayMessage(int slot, int sender) {
    return Message(msg::PlayCard, Digit(slot), '#', sender, '0', '0', '0', '0');
}

bool MayBeginGameMessage(std::string_view t) {
    constexpr char codes[] = {
        msg::Decision,    '1',           msg::StartDiscards, msg::Discard,   msg::Draw,
        msg::StartTricks, msg::PlayCard, msg::ClearTrick,    msg::ScoreDeal, msg::FourAces};
    constexpr char actors[] = {static_cast<char>(Actor::Person), static_cast<char>(Actor::Computer),
                               static_cast<char>(Actor::None)};
    if (t.empty() || t[0] != 'h') return false;
    if (t.size() > 1 && std::find(std::begin(codes), std::end(codes), t[1]) == std::end(codes)) return false;
    if (t.size() > 4 && (t[4] < '0' || t[4] > '4')) return false;
    return t.size() <= 8 || std::find(std::begin(actors), std::end(actors), t[8]) != std::end(actors);
}

std::optional<ParsedGameMessage> ParseGameMessage(std::string_view m) {
    if (m.size() != GameMessageLength || m[0] != 'h' || m[4] < '0' || m[4] > '4') return std::nullopt;
    ParsedGameMessage p;
    p.code = m[1] == '1' ? msg::Decision : m[1];
    p.sender = m[4] - '0';
    switch (p.code) {
        case msg::Decision:
            if (!Matches(m, "h??#?000?") || (m[2] != '0' && m[2] != '1')) return std::nullopt;
            if (m[8] != static_cast<char>(Actor::Person) && m[8] != static_cast<char>(Actor::Computer))
                return std::nullopt;
            p.play = m[2] == '1';
            p.actor = static_cast<Actor>(m[8]);
            return p;
        case msg::Discard: {
            if (Matches(m, "h40#?xxxc")) {
                p.actor = Actor::Computer;
                return p;
            }
            if (!Matches(m, "h40?????m")) return std::nullopt;
            const char digits[4] = {m[5], m[6], m[7], m[3]};
            for (int i = 0; i < 4; ++i) {
                const int k = SlotDigit(digits[i]);
                if (k < 0) return std::nullopt;
                p.discard[i + 1] = static_cast<std::uint8_t>(k);
            }
            p.actor = Actor::Person;
            return p;
        }
        case msg::PlayCard:
            if (!Matches(m, "h9?#?0000") || SlotDigit(m[2]) < 0) return std::nullopt;
            p.slot = m[2] - '0';
            return p;
        case msg::StartDiscards:
        case msg::Draw:
        case msg::StartTricks:
        case msg::ClearTrick:
        case msg::ScoreDeal:
        case msg::FourAces:
            if (!Matches(m, "h?0#?0000")) return std::nullopt;
            return p;
        default:
            return std::nullopt;
    }
}

DealMessage MakeDealMessage(const GameState& gs, int initialScore) {
    DealMessage m;
    WriteDeal(gs, m.text.data());
    int v = initialScore;
    for (int i = 111; i >= 109; --i, v /= 10)
        m.text[static_cast<std::size_t>(i)] = Digit(((v % 10) + 10) % 10);
    return m;
}

OnlineDealMessage MakeOnlineDealMessage(const GameState& gs) {
    OnlineDealMessage m;
    WriteDeal(gs, m.text.data());
    return m;
}

namespace {
// The 36 cards and their 36 rank values that follow the 'b' of a deal; nothing unless they are
// the 36 different cards with their own values.
std::optional<ReceivedDeal> ParseDeck(std::string_view text) {
    if (text.size() < OnlineDealFrameLength || text[0] != 'b') return std::nullopt;
    ReceivedDeal deal;
    bool seen[37] = {};
    for (int p = 1; p <= 36; ++p) {
        const Card c = Card::Make(static_cast<std::uint8_t>(text[static_cast<std::size_t>(2 * p - 1)]),
                                  static_cast<std::uint8_t>(text[static_cast<std::size_t>(2 * p)]));
        const int number = c.DeckNumber();
        if (number == 0 || seen[number]) return std::nullopt;
        seen[number] = true;
        if (text[static_cast<std::size_t>(72 + p)] != Digit(c.Value())) return std::nullopt;
        deal.deck[p] = c;
        deal.values[p] = c.Value();
    }
    return deal;
}
}  // namespace

std::optional<ReceivedDeal> ParseDealMessage(std::string_view text) {
    if (text.size() != DealMessageLength) return std::nullopt;
    std::optional<ReceivedDeal> deal = ParseDeck(text);
    if (!deal) return std::nullopt;
    const std::string_view score = text.substr(109);
    if (score == "100" || score == "150" || score == "200")
        deal->initialScore = (score[0] - '0') * 100 + (score[1] - '0') * 10 + (score[2] - '0');
    else
        return std::nullopt;
    return deal;
}

std::optional<ReceivedDeal> ParseOnlineDeal(std::string_view text) {
    if (text.size() != OnlineDealFrameLength) return std::nullopt;
    return ParseDeck(text);
}

ResultsMessage MakeResultsMessage(const PerSeat<std::int32_t>& results, const int (&seatOrder)[4]) {
    ResultsMessage m;
    m.text.fill(' ');
    m.text[0] = 'o';
    for (int f = 0; f < 4; ++f) {
        char digits[12];
        int n = 0;
        const std::int32_t r = results[seatOrder[f]];
        long long v = r < 0 ? -static_cast<long long>(r) : r;
        do {
            digits[n++] = Digit(static_cast<int>(v % 10));
            v /= 10;
        } while (v != 0);
        if (r < 0) digits[n++] = '-';
        // Right-aligned in five characters; a longer number keeps its last five.
        for (int i = 0; i < 5 && i < n; ++i) m.text[static_cast<std::size_t>(1 + f * 5 + 4 - i)] = digits[i];
    }
    return m;
}

}  // namespace kesp
