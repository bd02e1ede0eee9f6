#include "network/online_session_core.h"

#include <algorithm>

#include "engine/game.h"
#include "engine/game_messages.h"
#include "network/lan_protocol.h"
#include "network/message_check.h"
#include "network/printable_bytes.h"

namespace kesp {
namespace {

constexpr std::string_view kLogHead = "kesp: online: ";
constexpr int kOwnPosition = 4;
// Character 6 of an 'a' frame ("abort" + seat) names the player who left.
constexpr std::size_t kLeaverAt = 5;

}  // namespace

int ClockPosition(const Game& game) {
    const GameState& gs = game.State();
    const int p = gs.Phase;
    int seat = 0;
    if (phase::IsDecision(p))
        seat = p;
    else if (phase::IsDiscard(p))
        seat = p - phase::DiscardBase;
    else if (phase::IsPlay(p))
        seat = p - phase::PlayBase;
    const bool seatActs = seat != 0 && (phase::IsDecision(p) || gs.Plays[seat] != 0);
    return seatActs ? seat : TablePositionOf(game.OwnNetworkSeat(), 1);
}

std::string_view ClockSound(const MoveClock& clock) {
    if (clock.position != kOwnPosition || clock.countdown < 1) return {};
    return clock.countdown > 7 ? "STimerA" : "STimerB";
}

// Connecting and leaving.

void OnlineSessionCore::Connect(int seat, LanTime now) {
    if (seat < 1 || seat > 4) return;
    Close();
    outbox_.clear();
    deferred_.clear();
    reader_ = OnlineReader{};
    unsent_ = 0;
    seat_ = seat;
    state_ = OnlineState::Connecting;
    open_ = true;
    gameBegun_ = false;
    connectionError_ = false;
    connectSince_ = now;
    now_ = now;
    clock_ = MoveClock{};
    if (game_ != nullptr) game_->Setup().OnlineSeat = static_cast<std::uint8_t>(seat);
}

void OnlineSessionCore::Writable() {
    if (state_ != OnlineState::Connecting || !open_) return;
    Send("connect" + std::to_string(seat_));
    state_ = OnlineState::Greeted;
    if (game_ != nullptr) game_->State().GameNo = 0;
    Push(OnlineEvent::Greeted);
}

void OnlineSessionCore::Leave() {
    if (state_ == OnlineState::Greeted) Send("disA");
    Close();
    deferred_.clear();
    StopClock();
    state_ = OnlineState::Idle;
    seat_ = 0;
}

void OnlineSessionCore::Close() {
    if (!open_) return;
    open_ = false;
    outbox_.push_back({OnlineAction::Kind::Close, OnlineEvent::Log, 0, {}});
}

// The connection broke (or failed): during the game the game stops; before it, the tournament
// window's watch is to report it.
void OnlineSessionCore::Failed() {
    if (!open_) return;
    // The server closes every connection right after the end of the game; an end that still waits
    // behind a busy step is delivered later, not a loss.
    if (std::any_of(deferred_.begin(), deferred_.end(), [](const std::string& f) { return f[0] == 'e'; }))
        return Close();
    if (Playing() && state_ != OnlineState::Finished) return StopEarly(OnlineEvent::ConnectionLost, 0);
    Close();
    if (state_ == OnlineState::Finished) return;
    connectionError_ = true;
    Push(OnlineEvent::ConnectionError);
}

void OnlineSessionCore::Disconnected() {
    Failed();
}

void OnlineSessionCore::Tick(LanTime now) {
    now_ = now;
    if (open_ && state_ == OnlineState::Connecting && now - connectSince_ >= limits_.connectTimeout) Failed();
    if (open_ && state_ == OnlineState::Greeted && !gameBegun_ && now - connectSince_ >= limits_.dealWait) {
        Leave();
        Push(OnlineEvent::NoDeal);
    }
    if (log_.HasSuppressed()) {
        const std::string summary = log_.Flush(now);
        if (!summary.empty()) Push(OnlineEvent::Log, std::string(kLogHead) + summary);
    }
}

// Sending.

void OnlineSessionCore::Send(std::string_view message) {
    if (!open_) return;
    const std::string frame = OnlineFrame(message, seat_);
    unsent_ += frame.size();
    outbox_.push_back({OnlineAction::Kind::Send, OnlineEvent::Log, 0, frame});
    if (unsent_ > limits_.maxUnsentBytes) {
        Reject("the server takes nothing, connection dropped", message);
        Failed();
    }
}

void OnlineSessionCore::Announce(std::string_view message) {
    if (state_ != OnlineState::Greeted || message.empty()) return;
    if (message[0] == 'o') {  // the settled results: the game is over for this machine
        Send(message);
        state_ = OnlineState::Finished;
        StopClock();
        return;
    }
    if (message[0] != 'h' && message != "bnext") return;
    Send(message);
    RestartClock();
}

void OnlineSessionCore::SendChat(std::string_view text) {
    text = text.substr(0, ChatTextLimit);
    if (text.empty() || state_ != OnlineState::Greeted) return;
    Send("s" + std::string(text));
}

// Receiving.

std::size_t OnlineSessionCore::Receive(std::string_view bytes, LanTime now) {
    now_ = now;
    if (!open_) return bytes.size();
    const std::size_t taken = reader_.Feed(bytes);
    std::string_view frame;
    while (open_ && reader_.Next(frame)) {
        const std::string kept(frame);
        Handle(kept);
    }
    return taken;
}

void OnlineSessionCore::Handle(const std::string& frame) {
    if (state_ != OnlineState::Greeted && state_ != OnlineState::Finished)
        return Reject("a frame before the greeting", frame);
    const bool over = state_ == OnlineState::Finished;
    switch (frame[0]) {
        case 's':
            return HandleChat(frame);
        case 'a':
            if (over) return;
            return StopEarly(OnlineEvent::PlayerLeft, frame[kLeaverAt] - '0');
        case 'T':
            if (over) return;
            return StopEarly(OnlineEvent::PlayerTimedOut, OnlineFrameSender(frame));
        case 'b':
        case 'h':
        case 'e':
            if (over && frame[0] != 'e') return;
            break;
        default:
            return Reject("not a frame of ours", frame);
    }
    // Deals, steps and the end keep their order behind what the busy game has not taken yet.
    while (DeliverOneDeferred(now_)) {
    }
    if (!Busy() && deferred_.empty()) {
        deferred_.push_back(frame);
        DeliverOneDeferred(now_);
        return;
    }
    if (deferred_.size() >= limits_.maxDeferred) {
        Reject("too many frames while the game is busy, connection dropped", frame);
        return Failed();
    }
    deferred_.push_back(frame);
}

bool OnlineSessionCore::DeliverOneDeferred(LanTime now) {
    now_ = now;
    if (deferred_.empty() || Busy()) return false;
    const std::string frame = std::move(deferred_.front());
    deferred_.pop_front();
    if (state_ == OnlineState::Finished && frame[0] != 'e') return true;
    switch (frame[0]) {
        case 'b':
            HandleDeal(frame);
            break;
        case 'h':
            HandleGameMessage(frame);
            break;
        default:
            EndedByServer();
            break;
    }
    return true;
}

void OnlineSessionCore::HandleDeal(std::string_view frame) {
    if (game_ == nullptr) return;
    const bool newGame = !gameBegun_;
    if (!ParseOnlineDeal(frame)) return Reject("a broken deal", frame);
    TableSetup& setup = game_->Setup();
    if (newGame) {
        if (game_->State().DealRunning) return Reject("a deal while another game runs", frame);
        setup.kind = GameKind::Online;
        setup.LanRole = 0;
        setup.LanClientIndex = -1;
        setup.OnlineSeat = static_cast<std::uint8_t>(seat_);
        setup.Tournament = true;
        setup.AccountGame = false;
        setup.AllComputer = false;
    }
    if (!game_->ReceiveOnlineDeal(frame, newGame)) return Reject("a deal that is not due", frame);
    gameBegun_ = true;
    RestartClock();
    Push(OnlineEvent::DealArrived, {}, newGame ? 1 : 0);
}

void OnlineSessionCore::HandleGameMessage(std::string_view frame) {
    if (game_ == nullptr) return;
    const std::string_view message = frame.substr(0, GameMessageLength);
    const MessageVerdict verdict = CheckGameMessage(*game_, message, OnlineFrameSender(frame));
    if (verdict != MessageVerdict::Ok) return Reject(VerdictText(verdict), frame);
    game_->ApplyGameMessage(message);
    RestartClock();
    Push(OnlineEvent::GameMessageApplied, std::string(message));
}

void OnlineSessionCore::HandleChat(std::string_view frame) {
    const int sender = OnlineFrameSender(frame);
    if (sender == 0 || sender == seat_) return Reject("a chat line under no or the own seat", frame);
    if (!chatAllowance_.Take(now_)) return Reject("chat lines too fast", frame);
    Push(OnlineEvent::ChatReceived, std::string(OnlineChatText(frame)), sender);
}

void OnlineSessionCore::EndedByServer() {
    state_ = OnlineState::Finished;
    StopClock();
    if (game_ != nullptr) game_->OnlineGameEnded();
    Push(OnlineEvent::GameEnded);
}

// A player left or ran out of time, the own time ran out, or the connection went: the game
// stops where it is.
void OnlineSessionCore::StopEarly(OnlineEvent event, int networkSeat) {
    state_ = OnlineState::Finished;
    deferred_.clear();
    StopClock();
    if (game_ != nullptr) game_->StopOnlineGame();
    Close();
    const int position = networkSeat >= 1 && networkSeat <= 4 ? TablePositionOf(seat_, networkSeat) : 0;
    Push(event, {}, position);
}

// The move clock.

void OnlineSessionCore::RestartClock() {
    if (game_ == nullptr) return;
    clock_ = {MoveClock::Seconds, ClockPosition(*game_), true};
    Push(OnlineEvent::ClockChanged);
}

void OnlineSessionCore::StopClock() {
    if (!clock_.running) return;
    clock_.running = false;
    Push(OnlineEvent::ClockChanged);
}

void OnlineSessionCore::ClockSecond() {
    if (!clock_.running || game_ == nullptr || state_ != OnlineState::Greeted) return;
    // The clock follows the game: a step that waits (a card in flight) passes the turn later.
    clock_.position = ClockPosition(*game_);
    if (clock_.countdown > 0) --clock_.countdown;
    Push(OnlineEvent::ClockChanged);
    if (clock_.countdown >= 1 || clock_.position != kOwnPosition) return;
    Send("TOut");
    StopEarly(OnlineEvent::OwnTimeUp, 0);
}

bool OnlineSessionCore::Playing() const {
    return gameBegun_ && game_ != nullptr && game_->State().DealRunning;
}

void OnlineSessionCore::Push(OnlineEvent event, std::string bytes, int seat) {
    outbox_.push_back({OnlineAction::Kind::Event, event, seat, std::move(bytes)});
}

OnlineAction OnlineSessionCore::TakeAction() {
    OnlineAction action = std::move(outbox_.front());
    outbox_.pop_front();
    return action;
}

void OnlineSessionCore::Reject(std::string_view what, std::string_view frame) {
    std::string summary;
    const bool allowed = log_.Allow(now_, summary);
    if (!summary.empty()) Push(OnlineEvent::Log, std::string(kLogHead) + summary);
    if (allowed)
        Push(OnlineEvent::Log,
             std::string(kLogHead) + "frame ignored (" + std::string(what) + "): " + PrintableBytes(frame));
}

}  // namespace kesp
