#include "network/message_check.h"

#include "engine/game.h"
#include "engine/game_messages.h"
#include "engine/hand.h"
#include "engine/rules.h"

namespace kesp {
namespace {

constexpr int kDrivingSeat = 1;  // the host's network seat

bool SomeoneHoldsFourAces(const GameState& gs) {
    for (int s = 1; s <= 4; ++s)
        if (CountAces(gs, s) == 4) return true;
    return false;
}

MessageVerdict CheckDecision(const GameState& gs, const ParsedGameMessage& m, int from, bool driver) {
    const int s = gs.Phase;
    if (!phase::IsDecision(s)) return MessageVerdict::WrongPhase;
    const bool person = gs.HumanSeat[s] != 0;
    const Actor due = person ? Actor::Person : Actor::Computer;
    if ((person ? from != s : !driver) || m.actor != due) return MessageVerdict::WrongSender;
    if (person && !m.play && !MayPass(gs, s)) return MessageVerdict::Impossible;
    return MessageVerdict::Ok;
}

MessageVerdict CheckDiscard(const GameState& gs, const ParsedGameMessage& m, int from, bool driver) {
    if (!phase::IsDiscard(gs.Phase)) return MessageVerdict::WrongPhase;
    const int s = gs.Phase - phase::DiscardBase;
    const bool person = gs.HumanSeat[s] && gs.Plays[s];
    const Actor due = person ? Actor::Person : Actor::Computer;
    if ((person ? from != s : !driver) || m.actor != due) return MessageVerdict::WrongSender;
    if (!person) return MessageVerdict::Ok;
    for (int i = 1; i <= 4; ++i)
        if (m.discard[i] != 0 && gs.Hand[s][m.discard[i]].IsEmpty()) return MessageVerdict::EmptySlot;
    return IsDiscardAllowed(gs, s, m.discard) ? MessageVerdict::Ok : MessageVerdict::Impossible;
}

MessageVerdict CheckPlay(const GameState& gs, const ParsedGameMessage& m, int from, bool driver) {
    if (!phase::IsPlay(gs.Phase)) return MessageVerdict::WrongPhase;
    const int s = gs.Phase - phase::PlayBase;
    const bool plays = gs.Plays[s] != 0;
    if ((gs.HumanSeat[s] && plays) ? from != s : !driver) return MessageVerdict::WrongSender;
    const int k = m.slot;
    if (!plays) return k == 0 ? MessageVerdict::Ok : MessageVerdict::Impossible;
    if (k == 0 || gs.Hand[s][k].IsEmpty()) return MessageVerdict::EmptySlot;
    return IsIllegalCard(gs, s, k) ? MessageVerdict::Impossible : MessageVerdict::Ok;
}

// The steps of the buttons that belong to nobody: only the driving machine presses them.
MessageVerdict CheckStep(const GameState& gs, const ParsedGameMessage& m, bool driver, int from) {
    const int p = gs.Phase;
    if (m.code == msg::FourAces) {
        if (!SomeoneHoldsFourAces(gs)) return MessageVerdict::Impossible;
        const bool atBegin = gs.DealStarted == 1 && p == gs.Dealer;
        if (!atBegin && p != phase::Drawn) return MessageVerdict::WrongPhase;
        // "To Begin" is the dealer's when a person deals.
        const bool mayPress = atBegin && gs.HumanSeat[gs.Dealer] ? from == gs.Dealer : driver;
        return mayPress ? MessageVerdict::Ok : MessageVerdict::WrongSender;
    }
    int due = 0;
    switch (m.code) {
        case msg::StartDiscards:
            due = phase::DecisionsDone;
            break;
        case msg::Draw:
            due = phase::DiscardsDone;
            break;
        case msg::StartTricks:
            due = phase::Drawn;
            break;
        case msg::ClearTrick:
            due = phase::TrickComplete;
            break;
        case msg::ScoreDeal:
            due = phase::DealOver;
            break;
        default:
            return MessageVerdict::Malformed;
    }
    if (p != due) return MessageVerdict::WrongPhase;
    if (!driver) return MessageVerdict::WrongSender;
    // With four aces in a hand the game ends instead of trick play.
    if (m.code == msg::StartTricks && SomeoneHoldsFourAces(gs)) return MessageVerdict::Impossible;
    return MessageVerdict::Ok;
}

}  // namespace

MessageVerdict CheckGameMessage(const Game& game, std::string_view text, int sender) {
    const std::optional<ParsedGameMessage> m = ParseGameMessage(text);
    if (!m) return MessageVerdict::Malformed;
    // Online the sender comes from the frame; the message itself carries '0' (or the seat).
    const bool anonymous = game.Setup().kind == GameKind::Online && m->sender == 0;
    if (m->sender != sender && !anonymous) return MessageVerdict::Malformed;
    const GameState& gs = game.State();
    if (!gs.DealRunning) return MessageVerdict::WrongPhase;
    const int own = game.OwnNetworkSeat();
    if (sender < 1 || sender > 4 || sender == own || own < 1 || own > 4) return MessageVerdict::WrongSender;
    const int from = TablePositionOf(own, sender);
    const bool driver = sender == kDrivingSeat;
    // Before "To Begin" only the first decision, or four aces, may come.
    if (gs.DealStarted != 2 && m->code != msg::Decision && m->code != msg::FourAces)
        return MessageVerdict::WrongPhase;
    switch (m->code) {
        case msg::Decision:
            return CheckDecision(gs, *m, from, driver);
        case msg::Discard:
            return CheckDiscard(gs, *m, from, driver);
        case msg::PlayCard:
            return CheckPlay(gs, *m, from, driver);
        default:
            return CheckStep(gs, *m, driver, from);
    }
}

MessageVerdict CheckDealMessage(const Game& game, std::string_view message) {
    if (game.Setup().kind != GameKind::LanClient || !ParseDealMessage(message))
        return MessageVerdict::Malformed;
    const GameState& gs = game.State();
    if (gs.DealRunning && (gs.Phase != phase::DealScored || gs.GameOver)) return MessageVerdict::WrongPhase;
    return MessageVerdict::Ok;
}

const char* VerdictText(MessageVerdict verdict) {
    switch (verdict) {
        case MessageVerdict::Ok:
            return "accepted";
        case MessageVerdict::Malformed:
            return "malformed";
        case MessageVerdict::WrongPhase:
            return "not due in this phase";
        case MessageVerdict::WrongSender:
            return "not that machine's move";
        case MessageVerdict::EmptySlot:
            return "names an empty slot";
        case MessageVerdict::Impossible:
            return "against the rules";
    }
    return "?";
}

}  // namespace kesp
