#include "network/message_check.h"

#include "engine/game.h"
#include "engine/game_messages.h"
#include "engine/hand.h"
#include "network/lan_reader.h"

namespace kesp {
namespace {

constexpr int kDrivingSeat = 1;  // the host's network seat

// `pattern` with '?' for any character.
bool Matches(std::string_view m, std::string_view pattern) {
    if (m.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < m.size(); ++i)
        if (pattern[i] != '?' && pattern[i] != m[i]) return false;
    return true;
}

bool IsSlotDigit(char c) {
    return c >= '0' && c <= '5';
}

bool SomeoneHoldsFourAces(const GameState& gs) {
    for (int s = 1; s <= 4; ++s)
        if (CountAces(gs, s) == 4) return true;
    return false;
}

// A person's discard of the slots d1, d2, d3, d4 (0 = none) from seat s.
MessageVerdict CheckPersonDiscard(const GameState& gs, int s, const char (&digits)[4]) {
    bool marked[6] = {};
    int count = 0;
    for (char d : digits) {
        const int k = d - '0';
        if (k == 0) continue;
        if (marked[k]) return MessageVerdict::Impossible;
        marked[k] = true;
        ++count;
        if (gs.Hand[s][k].IsEmpty()) return MessageVerdict::EmptySlot;
        if (gs.Hand[s][k].IsAce()) return MessageVerdict::Impossible;
    }
    // The dealer takes the trump card, so he lays down at least one card.
    return count == 0 && s == gs.Dealer ? MessageVerdict::Impossible : MessageVerdict::Ok;
}

MessageVerdict CheckDecision(const GameState& gs, std::string_view m, int from, bool driver) {
    if (!Matches(m, "h??#?000?") || (m[2] != '0' && m[2] != '1') || m[8] == '0')
        return MessageVerdict::Malformed;
    const int s = gs.Phase;
    if (!phase::IsDecision(s)) return MessageVerdict::WrongPhase;
    const bool person = gs.HumanSeat[s] != 0;
    if (person ? (from != s || m[8] != 'm') : (!driver || m[8] != 'c')) return MessageVerdict::WrongSender;
    const bool forced = gs.DecisionCount == 3 && CountPlaying(gs) == 0;
    if (person && m[2] == '0' && (forced || CountAces(gs, s) > 0)) return MessageVerdict::Impossible;
    return MessageVerdict::Ok;
}

MessageVerdict CheckDiscard(const GameState& gs, std::string_view m, int from, bool driver) {
    const bool byComputer = Matches(m, "h40#?xxxc");
    const bool byPerson = Matches(m, "h40????m") || (m.size() == 9 && m[8] == 'm');
    if (!byComputer && !(byPerson && IsSlotDigit(m[3]) && IsSlotDigit(m[5]) && IsSlotDigit(m[6]) &&
                         IsSlotDigit(m[7]) && m[2] == '0'))
        return MessageVerdict::Malformed;
    if (!phase::IsDiscard(gs.Phase)) return MessageVerdict::WrongPhase;
    const int s = gs.Phase - phase::DiscardBase;
    const bool person = gs.HumanSeat[s] && gs.Plays[s];
    if (person ? (from != s || !byPerson) : (!driver || !byComputer)) return MessageVerdict::WrongSender;
    if (!person) return MessageVerdict::Ok;
    const char digits[4] = {m[5], m[6], m[7], m[3]};
    return CheckPersonDiscard(gs, s, digits);
}

MessageVerdict CheckPlay(const GameState& gs, std::string_view m, int from, bool driver) {
    if (!Matches(m, "h9?#?0000") || !IsSlotDigit(m[2])) return MessageVerdict::Malformed;
    if (!phase::IsPlay(gs.Phase)) return MessageVerdict::WrongPhase;
    const int s = gs.Phase - phase::PlayBase;
    const bool plays = gs.Plays[s] != 0;
    if ((gs.HumanSeat[s] && plays) ? from != s : !driver) return MessageVerdict::WrongSender;
    const int k = m[2] - '0';
    if (!plays) return k == 0 ? MessageVerdict::Ok : MessageVerdict::Impossible;
    if (k == 0 || gs.Hand[s][k].IsEmpty()) return MessageVerdict::EmptySlot;
    return IsIllegalCard(gs, s, k) ? MessageVerdict::Impossible : MessageVerdict::Ok;
}

// The steps of the buttons that belong to nobody: only the driving machine presses them.
MessageVerdict CheckStep(const GameState& gs, std::string_view m, bool driver, int from) {
    if (!Matches(m, "h?0#?0000")) return MessageVerdict::Malformed;
    const int p = gs.Phase;
    if (m[1] == msg::FourAces) {
        if (!SomeoneHoldsFourAces(gs)) return MessageVerdict::Impossible;
        const bool atBegin = gs.DealStarted == 1 && p == gs.Dealer;
        if (!atBegin && p != phase::Drawn) return MessageVerdict::WrongPhase;
        // "To Begin" is the dealer's when a person deals.
        const bool mayPress = atBegin && gs.HumanSeat[gs.Dealer] ? from == gs.Dealer : driver;
        return mayPress ? MessageVerdict::Ok : MessageVerdict::WrongSender;
    }
    int due = 0;
    switch (m[1]) {
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
    if (m[1] == msg::StartTricks && SomeoneHoldsFourAces(gs)) return MessageVerdict::Impossible;
    return MessageVerdict::Ok;
}

}  // namespace

MessageVerdict CheckGameMessage(const Game& game, std::string_view m, int sender) {
    if (m.size() != 9 || !LooksLikeGameMessage(m) || m[4] != static_cast<char>('0' + sender))
        return MessageVerdict::Malformed;
    const GameState& gs = game.State();
    if (!gs.DealRunning) return MessageVerdict::WrongPhase;
    const int own = game.OwnNetworkSeat();
    if (sender < 1 || sender > 4 || sender == own || own < 1 || own > 4) return MessageVerdict::WrongSender;
    const int from = TablePositionOf(own, sender);
    const bool driver = sender == kDrivingSeat;
    const char code = m[1] == '1' ? msg::Decision : m[1];
    // Before "To Begin" only the first decision, or four aces, may come.
    if (gs.DealStarted != 2 && code != msg::Decision && code != msg::FourAces)
        return MessageVerdict::WrongPhase;
    switch (code) {
        case msg::Decision:
            return CheckDecision(gs, m, from, driver);
        case msg::Discard:
            return CheckDiscard(gs, m, from, driver);
        case msg::PlayCard:
            return CheckPlay(gs, m, from, driver);
        default:
            return CheckStep(gs, m, driver, from);
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
