// The deal: a new game or the next deal of a game.
#include <chrono>

#include "engine/computer_player.h"
#include "engine/game.h"
#include "engine/game_messages.h"
#include "engine/hand.h"
#include "engine/sounds.h"

namespace kesp {

namespace {
constexpr auto kDeckCards = [] {
    std::array<Card, 37> cards{};
    for (int k = 1; k <= 36; ++k) cards[static_cast<std::size_t>(k)] = Card::FromDeckNumber(k);
    return cards;
}();
// The rank value of deck number k.
constexpr auto kDeckValues = [] {
    std::array<std::uint8_t, 37> values{};
    for (int k = 1; k <= 36; ++k)
        values[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>((k + 3) / 4);
    return values;
}();
// Bit i of a shuffle's set of placed deck numbers: read from a table, it costs the draw loop no
// shift (and no register for the shift count).
constexpr auto kDeckBits = [] {
    std::array<std::uint64_t, 36> bits{};
    for (std::size_t i = 0; i < 36; ++i) bits[i] = std::uint64_t{1} << i;
    return bits;
}();
}  // namespace

void Game::PlaceInDeck(int p, int k) {
    gs_.Deck[p] = kDeckCards[static_cast<std::size_t>(k)];
    gs_.DeckValue[p] = kDeckValues[static_cast<std::size_t>(k)];
}

// The ~150 draws of a shuffle are most of a deal's work. Out of line, and with the generator in a
// local copy, they stay in registers; inlined into the deal they went through memory every time.
[[gnu::noinline]] void Game::Shuffle() {
    if (nextDeck_) {
        for (int p = 1; p <= 36; ++p) PlaceInDeck(p, (*nextDeck_)[static_cast<std::size_t>(p - 1)]);
        nextDeck_.reset();
        return;
    }
    if (!fixedSeed_)
        random_.Seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    // Rejection: draw 1..36 for each place until the number is not placed yet.
    Random random = random_;
    std::uint64_t placed = 0;  // bit i: deck number i + 1 is placed
    // The places count up from -36 to 0 from the deck's end: the count's step is its own test.
    Card* const deckEnd = gs_.Deck.items.data() + 36;
    std::uint8_t* const valuesEnd = gs_.DeckValue.items.data() + 36;
    for (std::ptrdiff_t p = -36; p != 0; ++p) {
        const std::size_t i =
            random.BelowUnless(36, [placed](std::uint64_t n) { return (placed >> n & 1) != 0; });
        deckEnd[p] = kDeckCards[i + 1];
        valuesEnd[p] = kDeckValues[i + 1];
        placed |= kDeckBits[i];
    }
    random_ = random;
}

// Blocks of five by network seat: on a local network seat n takes positions 5n-4..5n; online the
// order is reversed (seat 4 first). Each block goes to the table position of its network seat, in
// hand order (the trump is known by now).
void Game::DealBlocks() {
    const int own = OwnNetworkSeat();
    for (int n = 1; n <= 4; ++n) {
        const int block = setup_.kind == GameKind::Online ? 5 - n : n;
        const int seat = TablePositionOf(own, n);
        DealHand(gs_, seat, 5 * block - 4);
    }
}

int Game::ChooseDealer() const {
    if (setup_.kind == GameKind::Local) {
        const int r = (gs_.GameNo + gs_.DealNo - 1) % 4;
        return r == 0 ? 4 : r;
    }
    // The host's choice, seen from the own network seat.
    const int r = gs_.DealNo % 4;
    const int hostDealer = r == 0 ? 4 : r;
    const int role = OwnNetworkSeat();
    if (role <= 1) return hostDealer;
    static constexpr int kRotation[3][4] = {{3, 4, 1, 2}, {4, 1, 2, 3}, {2, 3, 4, 1}};
    return kRotation[role - 2][hostDealer - 1];
}

void Game::SetHumanSeats() {
    gs_.HumanSeat.Fill(0);
    switch (setup_.kind) {
        case GameKind::Local:
            gs_.HumanSeat[4] = setup_.AllComputer ? 0 : 1;
            break;
        case GameKind::Online:
            gs_.HumanSeat.Fill(1);
            break;
        case GameKind::LanHost:
        case GameKind::LanClient:
            // The host and its clients sit at network seats 1..clients+1.
            for (int n = 1; n <= setup_.LanClientIndex + 2 && n <= 4; ++n)
                gs_.HumanSeat[TablePositionOf(OwnNetworkSeat(), n)] = 1;
            break;
    }
}

void Game::WorkOutIntentions() {
    for (int s = 1; s <= 4; ++s) gs_.Plays[s] = Intention(gs_, s);
}

void Game::StartDeal(bool newGame) {
    CancelWait();
    if (newGame) {
        gs_.Score.Fill(setup_.InitialScore);
        gs_.GameOver = 0;
        gs_.DealNo = 0;
    }
    ++gs_.DealNo;

    const bool dealsItself = setup_.kind == GameKind::Local || setup_.kind == GameKind::LanHost;
    for (int s = 1; s <= 4; ++s) {
        gs_.StartHand[s].Fill(Card::Empty());
        gs_.StartHandValue[s].Fill(EmptyValue);
    }
    // The hands are dealt whole below; a table that is watched shows them empty until then.
    if (watched_) {
        for (int s = 1; s <= 4; ++s) {
            gs_.Hand[s].Fill(Card::Empty());
            gs_.HandValue[s].Fill(EmptyValue);
            gs_.HandCount[s] = 0;
        }
    }
    gs_.History.Fill(Card::Empty());
    gs_.LastTrick.Fill(Card::Empty());
    if (dealsItself) Shuffle();
    if (setup_.kind == GameKind::LanHost) events_->Announce(MakeDealMessage(gs_, setup_.InitialScore).view());

    gs_.Dealer = static_cast<std::uint8_t>(ChooseDealer());
    gs_.Phase = gs_.Dealer;
    gs_.Advantage = gs_.Score[1] + gs_.Score[2] + gs_.Score[3] - 3 * gs_.Score[4];
    gs_.ProvisionalTotal = gs_.RunningTotal + gs_.Advantage;

    gs_.Plays.Fill(0);
    gs_.TricksWon.Fill(0);
    gs_.TrickPoints.Fill(0);
    gs_.Penalty.Fill(0);
    for (int s = 1; s <= 4; ++s) gs_.AcesAtStart[s].Clear();
    gs_.NoTrumpSeats.Clear();
    gs_.Table.Fill(Card::Empty());
    gs_.TableValue.Fill(0);
    gs_.LedSuit = suit::None;
    gs_.DecisionCount = 0;
    gs_.PlayerCount = 0;
    gs_.SingleOrNone = 0;
    gs_.TrickNo = 1;
    gs_.TablePos = 1;
    gs_.TrumpTaken = 0;
    gs_.DiscardSel.Fill(0);
    gs_.DiscardAsked = 0;
    gs_.Settled = 0;
    gs_.NextDraw = 21;
    gs_.DealRunning = 1;
    gs_.Leader = gs_.Dealer;
    gs_.TableLeader = gs_.Dealer;
    lastPlayerTrick_ = 0;

    view_.menuQuit = view_.menuGenCount = true;
    view_.menuChangeName = setup_.kind == GameKind::Local && !setup_.AccountGame;
    SetHumanSeats();
    const bool personDeals = gs_.HumanSeat[gs_.Dealer] != 0;
    const bool mayBegin = personDeals ? gs_.Dealer == 4 : IsDrivingMachine();
    SetButtons(WordId::ToBegin, mayBegin, WordId::ExitToMenu, false);

    for (int s = 1; s <= 4; ++s) {
        view_.tabs[s] = SeatTab{};
        view_.tabs[s].leads = s == gs_.Dealer;
    }
    if (watched_)
        for (int i = 0, s = gs_.Dealer; i < 4; ++i, s = NextSeat(s)) events_->DrawSeatTab(s);

    if (watched_) events_->NewDeal();
    gs_.Trump = gs_.Deck[36].Suit();
    DealBlocks();
    view_.trumpCardOnDeck = 1;
    if (watched_) {
        events_->DrawDeck();
        events_->DrawInfoPanel();
    }

    WorkOutIntentions();
    for (int s = 1; s <= 4; ++s) {
        view_.handFaceUp[s] = s == 4 ? 1 : 0;
        ShowHand(s);
        SetBubble(s, Bubble::SeatName);
    }
    if (watched_) {
        events_->PlaySound(sound::Shuffle);
        events_->StartRecording();
    }
    gs_.DealStarted = 1;
    SetTimer(timer::Move, false);
}

}  // namespace kesp
