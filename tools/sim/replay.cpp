#include "tools/sim/replay.h"

#include <array>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "records/cp1251.h"
#include "tools/sim/step.h"

namespace kesp::sim {
namespace {

std::string Utf8(const Card& c) {
    const char bytes[2] = {static_cast<char>(c.rank), static_cast<char>(c.suit)};
    return Cp1251ToUtf8(std::string_view(bytes, 2));
}

std::string SuitUtf8(std::uint8_t suitChar) {
    const char byte = static_cast<char>(suitChar);
    return Cp1251ToUtf8(std::string_view(&byte, 1));
}

// Parses a deck line: 36 numbers 1..36, each once. An error text names what is wrong.
bool ParseDeck(const std::string& line, std::array<std::uint8_t, 36>& deck, std::string& error) {
    std::istringstream fields(line);
    std::string field;
    bool seen[37] = {};
    int n = 0;
    while (fields >> field) {
        if (n == 36) {
            error = "more than 36 numbers";
            return false;
        }
        if (field.size() > 2 || field.find_first_not_of("0123456789") != std::string::npos) {
            error = "'" + field + "' is not a number 1..36";
            return false;
        }
        const int k = std::stoi(field);
        if (k < 1 || k > 36) {
            error = "'" + field + "' is not a number 1..36";
            return false;
        }
        if (seen[k]) {
            error = "number " + field + " appears twice";
            return false;
        }
        seen[k] = true;
        deck[static_cast<std::size_t>(n++)] = static_cast<std::uint8_t>(k);
    }
    if (n != 36) {
        error = "only " + std::to_string(n) + " numbers, 36 needed";
        return false;
    }
    return true;
}

class DeckReader {
  public:
    DeckReader(std::istream& in, std::ostream& err) : in_(in), err_(err) {}
    enum class Result { Deck, End, Bad };
    Result Next(std::array<std::uint8_t, 36>& deck) {
        std::string line;
        while (std::getline(in_, line)) {
            ++lineNo_;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.find_first_not_of(" \t") == std::string::npos) continue;
            std::string error;
            if (ParseDeck(line, deck, error)) return Result::Deck;
            err_ << "kesp-sim: line " << lineNo_ << ": not a deck: " << error << "\n";
            return Result::Bad;
        }
        return Result::End;
    }

  private:
    std::istream& in_;
    std::ostream& err_;
    int lineNo_ = 0;
};

int FourAcesSeat(const GameState& gs) {
    for (int s = 1; s <= 4; ++s) {
        int aces = 0;
        for (int k = 1; k <= 5; ++k) aces += gs.Hand[s][k].IsAce() ? 1 : 0;
        if (aces == 4) return s;
    }
    return 0;
}

bool InHand(const GameState& gs, int s, const Card& c) {
    for (int k = 1; k <= 5; ++k)
        if (!gs.Hand[s][k].IsEmpty() && gs.Hand[s][k] == c) return true;
    return false;
}

}  // namespace

void ReportStep(const GameState& before, const GameState& after, std::ostream& out) {
    const int p = before.Phase;
    if (after.Phase == phase::GameOverPhase && p != phase::GameOverPhase && p != phase::DealOver) {
        out << "fouraces " << FourAcesSeat(after) << "\n";
        return;
    }
    // "To Begin" without four aces; elsewhere the first decision begins the deal as well.
    if (before.DealStarted == 1 && before.Phase == after.Phase) return;
    if (phase::IsDecision(p)) {
        out << "decide " << p << (after.Plays[p] ? " play" : " pass") << "\n";
    } else if (phase::IsDiscard(p)) {
        const int s = p - phase::DiscardBase;
        out << "discard " << s;
        bool any = false;
        for (int k = 1; k <= 5; ++k) {
            const Card& c = before.Hand[s][k];
            if (c.IsEmpty() || InHand(after, s, c)) continue;
            out << " " << Utf8(c);
            any = true;
        }
        out << (any ? "\n" : " -\n");
    } else if (p == phase::DiscardsDone) {
        for (int i = 0, s = before.Dealer; i < 4; ++i, s = NextSeat(s)) {
            if (!after.Plays[s]) continue;
            out << "draw " << s;
            // The trump card comes first, then the stock in deck order.
            bool any = false;
            auto takenFrom = [&](int pos) {
                const Card& c = after.Deck[pos];
                if (!InHand(after, s, c) || InHand(before, s, c)) return;
                out << " " << Utf8(c);
                any = true;
            };
            takenFrom(36);
            for (int pos = 21; pos <= 35; ++pos) takenFrom(pos);
            out << (any ? "\n" : " -\n");
        }
    } else if (phase::IsPlay(p)) {
        const int s = p - phase::PlayBase;
        const int pos = before.TablePos;
        const Card& c = after.TablePos == 1 ? after.LastTrick[pos] : after.Table[pos];
        out << "play " << s << " " << (before.Plays[s] ? Utf8(c) : std::string("-")) << "\n";
        if (after.TrickNo != before.TrickNo)
            out << "trick " << int(before.TrickNo) << " " << int(after.Leader) << "\n";
    } else if (p == phase::DealOver) {
        out << "score";
        for (int s = 1; s <= 4; ++s) out << " " << after.TrickPoints[s] + after.Penalty[s];
        out << " =";
        for (int s = 1; s <= 4; ++s) out << " " << after.Score[s];
        out << "\n";
    } else if (p == phase::GameOverPhase) {
        out << "settle";
        for (int s = 1; s <= 4; ++s) out << " " << after.Score[s];
        out << "\n";
    }
}

void TraceChange(GameState& last, const GameState& now, std::ostream& out) {
    if (now == last) return;
    if (now.DealRunning && (!last.DealRunning || now.DealNo != last.DealNo))
        ReportDeal(now, out);
    else if (now.DealRunning)
        ReportStep(last, now, out);
    out.flush();
    last = now;
}

void ReportDeal(const GameState& gs, std::ostream& out) {
    out << "deal " << gs.DealNo << " dealer " << int(gs.Dealer) << " trump " << SuitUtf8(gs.Trump) << "\n";
}

int Replay(std::istream& in, std::ostream& out, std::ostream& err, const ReplayOptions& options) {
    DeckReader reader(in, err);
    std::array<std::uint8_t, 36> deck{};
    // The exit status when the input has no further deck: 0 at its end, 2 for a bad line.
    auto noDeck = [&]() -> std::optional<int> {
        switch (reader.Next(deck)) {
            case DeckReader::Result::End:
                return 0;
            case DeckReader::Result::Bad:
                return 2;
            case DeckReader::Result::Deck:
                break;
        }
        return std::nullopt;
    };
    if (const std::optional<int> status = noDeck()) return *status;

    Game game;
    SetUpComputerTable(game, options.initialScore);
    GameState& gs = game.State();
    gs.GameNo = options.gameNo;
    gs.RunningTotal = 0;
    game.UseDeck(deck);
    game.StartDeal(true);
    ReportDeal(gs, out);

    while (gs.Phase != phase::GameSettled) {
        if (gs.Phase == phase::DealScored) {
            if (const std::optional<int> status = noDeck()) return *status;
            game.UseDeck(deck);
            game.ActionButton();
            ReportDeal(gs, out);
            continue;
        }
        const GameState before = gs;
        if (!Step(game)) {
            err << "kesp-sim: the game stopped in phase " << int(gs.Phase) << "\n";
            return 1;
        }
        ReportStep(before, gs, out);
    }
    return 0;
}

}  // namespace kesp::sim
