#include "engine/game_messages.h"

namespace kesp {
namespace {
char Digit(int d) { return static_cast<char>('0' + d); }
}  // namespace

GameMessage MakeGameMessage(char code, char p3, char p4, int sender, const char (&p678)[4], Actor actor) {
    return {{'h', code, p3, p4, Digit(sender), p678[0], p678[1], p678[2], static_cast<char>(actor)}};
}

GameMessage MakeStepMessage(char code, int sender) {
    return MakeGameMessage(code, '0', '#', sender, "000", Actor::None);
}

GameMessage MakePersonDiscardMessage(const Slots<std::uint8_t, 1, 4>& sel, int sender) {
    return {{'h', msg::Discard, '0', Digit(sel[4]), Digit(sender), Digit(sel[1]), Digit(sel[2]), Digit(sel[3]),
             static_cast<char>(Actor::Person)}};
}

DealMessage MakeDealMessage(const GameState& gs, int initialScore) {
    DealMessage m;
    m.text[0] = 'b';
    for (int p = 1; p <= 36; ++p) {
        m.text[static_cast<std::size_t>(2 * p - 1)] = static_cast<char>(gs.Deck[p].rank);
        m.text[static_cast<std::size_t>(2 * p)] = static_cast<char>(gs.Deck[p].suit);
        m.text[static_cast<std::size_t>(72 + p)] = Digit(gs.DeckValue[p] % 10);
    }
    int v = initialScore;
    for (int i = 111; i >= 109; --i, v /= 10) m.text[static_cast<std::size_t>(i)] = Digit(((v % 10) + 10) % 10);
    return m;
}

std::optional<ReceivedDeal> ParseDealMessage(std::string_view text) {
    if (text.size() != DealMessageLength || text[0] != 'b') return std::nullopt;
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
    const std::string_view score = text.substr(109);
    if (score == "100" || score == "150" || score == "200")
        deal.initialScore = (score[0] - '0') * 100 + (score[1] - '0') * 10 + (score[2] - '0');
    else
        return std::nullopt;
    return deal;
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
