// Steps made on another machine, applied from their game messages.
#include "engine/game.h"
#include "engine/game_messages.h"

namespace kesp {
namespace {
int SlotDigit(char c) { return c >= '0' && c <= '5' ? c - '0' : -1; }
}  // namespace

void Game::ApplyGameMessage(std::string_view m) {
    if (m.size() < 9 || m[0] != 'h' || !gs_.DealRunning) return;
    const char code = m[1] == '1' ? msg::Decision : m[1];
    const bool byComputer = m[8] == static_cast<char>(Actor::Computer);
    switch (code) {
        case msg::Decision:
            if (!phase::IsDecision(gs_.Phase)) return;
            if (gs_.DealStarted == 1) {  // another machine began the deal
                gs_.DealStarted = 2;
                SetTimer(timer::Move, true);
            }
            Decide(byComputer, m[2] == '1', false);
            break;
        case msg::StartDiscards: StartDiscards(false); break;
        case msg::Discard: {
            if (byComputer) {
                Discard(true, {}, false);
                break;
            }
            Slots<std::uint8_t, 1, 4> slots{};
            const char digits[4] = {m[5], m[6], m[7], m[3]};
            for (int i = 0; i < 4; ++i) {
                const int k = SlotDigit(digits[i]);
                if (k < 0) return;
                slots[i + 1] = static_cast<std::uint8_t>(k);
            }
            Discard(false, slots, false);
            break;
        }
        case msg::Draw: DrawAll(false); break;
        case msg::StartTricks: StartTricks(false); break;
        case msg::PlayCard: {
            const int k = SlotDigit(m[2]);
            if (k < 0 || !phase::IsPlay(gs_.Phase)) return;
            PlayCard(gs_.Phase - phase::PlayBase, k, false);
            break;
        }
        case msg::ClearTrick: ClearTrick(false); break;
        case msg::ScoreDeal: ScoreDeal(false); break;
        case msg::FourAces: CheckFourAces(false); break;
        default: break;
    }
}

bool Game::ReceiveDeal(std::string_view message) {
    if (setup_.kind != GameKind::LanClient) return false;
    const bool newGame = !gs_.DealRunning;
    if (!newGame && (gs_.Phase != phase::DealScored || gs_.GameOver)) return false;
    const std::optional<ReceivedDeal> deal = ParseDealMessage(message);
    if (!deal) return false;
    gs_.Deck = deal->deck;
    gs_.DeckValue = deal->values;
    setup_.InitialScore = deal->initialScore;
    StartDeal(newGame);
    return true;
}

}  // namespace kesp
