#include "engine/game_messages.h"
#include "table_fixture.h"

namespace kesp {
using namespace test;

namespace {
std::array<std::uint8_t, 36> Identity() {
    std::array<std::uint8_t, 36> deck{};
    for (int i = 0; i < 36; ++i) deck[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    return deck;
}

// Which deck positions (block of five) seat s received: 1 for 1..5, 2 for 6..10, ...
int BlockOf(const GameState& gs, int s) {
    for (int b = 1; b <= 4; ++b) {
        bool all = true;
        for (int p = 5 * b - 4; p <= 5 * b; ++p) all = all && HandHasCard(gs, s, gs.Deck[p]);
        if (all) return b;
    }
    return 0;
}
}  // namespace

TEST(Shuffle, IsAlwaysAPermutationAndRepeatsWithTheSeed) {
    Game a, b;
    a.SeedShuffle(42);
    b.SeedShuffle(42);
    for (int deal = 0; deal < 200; ++deal) {
        a.StartDeal(deal == 0);
        b.StartDeal(deal == 0);
        bool seen[37] = {};
        for (int p = 1; p <= 36; ++p) {
            const int k = a.State().Deck[p].DeckNumber();
            ASSERT_GE(k, 1);
            ASSERT_FALSE(seen[k]);
            seen[k] = true;
            ASSERT_EQ(a.State().DeckValue[p], a.State().Deck[p].Value());
        }
        ASSERT_EQ(a.State().Deck, b.State().Deck);
    }
}

TEST(Shuffle, UseDeckRefusesWhatIsNoPermutation) {
    Game game;
    auto deck = Identity();
    deck[5] = 1;
    EXPECT_FALSE(game.UseDeck(deck));
    deck[5] = 37;
    EXPECT_FALSE(game.UseDeck(deck));
    EXPECT_TRUE(game.UseDeck(Identity()));
}

TEST(StartDeal, NewGameResetsScoresAndDealsFiveEach) {
    Game game;
    game.Setup().InitialScore = 150;
    GameState& gs = game.State();
    gs.Score.Fill(3);
    gs.GameOver = 1;
    game.UseDeck(Identity());
    game.StartDeal(true);
    EXPECT_EQ(gs.DealNo, 1);
    EXPECT_EQ(gs.GameOver, 0);
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(gs.Score[s], 150);
        EXPECT_EQ(gs.HandCount[s], 5);
    }
    EXPECT_EQ(gs.Trump, S("п"));  // position 36 is deck number 36, the ace of spades
    EXPECT_EQ(gs.NextDraw, 21);
    EXPECT_EQ(gs.DealStarted, 1);
    EXPECT_EQ(gs.Phase, gs.Dealer);
    EXPECT_EQ(gs.DealRunning, 1);
    EXPECT_EQ(gs.LedSuit, suit::None);
    EXPECT_FALSE(game.TimerRunning());
    EXPECT_EQ(game.TimerInterval(), timer::Move);
    // The trump card is no seat's: nobody holds position 36.
    for (int s = 1; s <= 4; ++s) EXPECT_FALSE(HandHasCard(gs, s, gs.Deck[36]));
    EXPECT_EQ(game.View().action, (ButtonState{WordId::ToBegin, true, true}));
    EXPECT_EQ(game.View().second, (ButtonState{WordId::ExitToMenu, false, true}));
    game.StartDeal(false);
    EXPECT_EQ(gs.DealNo, 2);
}

TEST(StartDeal, LocalDealerFollowsGameAndDealNumbers) {
    const struct {
        int gameNo, deals, dealer;
    } cases[] = {{4, 1, 4}, {1, 1, 1}, {1, 2, 2}, {1, 4, 4}, {1, 5, 1}, {2, 3, 4}, {7, 1, 3}};
    for (const auto& c : cases) {
        Game game;
        game.State().GameNo = c.gameNo;
        for (int d = 1; d <= c.deals; ++d) game.StartDeal(d == 1);
        EXPECT_EQ(game.State().Dealer, c.dealer) << "game " << c.gameNo << " deal " << c.deals;
    }
}

TEST(StartDeal, NetworkDealerAsEachMachineSeesIt) {
    // r = DealNo mod 4 for DealNo 1, 2, 3, 4; expected dealer seat on each machine.
    const struct {
        GameKind kind;
        int role;
        int dealers[4];
    } cases[] = {
        {GameKind::LanHost, 1, {1, 2, 3, 4}},
        {GameKind::LanClient, 2, {3, 4, 1, 2}},
        {GameKind::LanClient, 3, {4, 1, 2, 3}},
        {GameKind::LanClient, 4, {2, 3, 4, 1}},
    };
    for (const auto& c : cases) {
        Game game;
        game.Setup().kind = c.kind;
        game.Setup().LanRole = static_cast<std::uint8_t>(c.role);
        game.Setup().LanClientIndex = 2;
        for (int d = 1; d <= 4; ++d) {
            game.StartDeal(d == 1);
            EXPECT_EQ(game.State().Dealer, c.dealers[d - 1]) << "role " << c.role << " deal " << d;
        }
    }
}

TEST(StartDeal, BlocksGoToTheTablePositionsOfTheirNetworkSeats) {
    // Block b (deck positions 5b-4..5b) for table positions 1..4.
    const struct {
        GameKind kind;
        int role;
        int blockAt[4];
    } cases[] = {
        {GameKind::Local, 0, {3, 2, 4, 1}},     {GameKind::LanHost, 1, {3, 2, 4, 1}},
        {GameKind::LanClient, 2, {4, 1, 3, 2}}, {GameKind::LanClient, 3, {2, 4, 1, 3}},
        {GameKind::LanClient, 4, {1, 3, 2, 4}},
    };
    for (const auto& c : cases) {
        Game game;
        game.Setup().kind = c.kind;
        game.Setup().LanRole = static_cast<std::uint8_t>(c.role);
        game.Setup().LanClientIndex = 2;
        if (c.kind == GameKind::LanClient) {  // a client deals the deck it received
            for (int p = 1; p <= 36; ++p) {
                game.State().Deck[p] = Card::FromDeckNumber(p);
                game.State().DeckValue[p] = game.State().Deck[p].Value();
            }
        } else {
            game.UseDeck(Identity());
        }
        game.StartDeal(true);
        for (int s = 1; s <= 4; ++s)
            EXPECT_EQ(BlockOf(game.State(), s), c.blockAt[s - 1]) << c.role << " seat " << s;
    }
    // Online the blocks go the other way round: network seat 4 takes positions 1..5.
    Game online;
    online.Setup().kind = GameKind::Online;
    online.Setup().OnlineSeat = 1;
    for (int p = 1; p <= 36; ++p) online.State().Deck[p] = Card::FromDeckNumber(p);
    online.StartDeal(true);
    EXPECT_EQ(BlockOf(online.State(), 4), 4);  // own network seat 1 took 16..20
    EXPECT_EQ(BlockOf(online.State(), 3), 1);  // network seat 4 took 1..5
}

TEST(StartDeal, HumanSeatsByMode) {
    const struct {
        GameKind kind;
        int role, clientIndex;
        const char* humans;
    } cases[] = {
        {GameKind::Local, 0, -1, "0001"},    {GameKind::LanHost, 1, 0, "0101"},
        {GameKind::LanClient, 2, 0, "0101"}, {GameKind::LanHost, 1, 1, "1101"},
        {GameKind::LanClient, 2, 1, "0111"}, {GameKind::LanClient, 3, 1, "1011"},
        {GameKind::LanHost, 1, 2, "1111"},   {GameKind::LanClient, 4, 2, "1111"},
        {GameKind::Online, 0, -1, "1111"},
    };
    for (const auto& c : cases) {
        Game game;
        game.Setup().kind = c.kind;
        game.Setup().LanRole = static_cast<std::uint8_t>(c.role);
        game.Setup().LanClientIndex = c.clientIndex;
        game.StartDeal(true);
        std::string humans;
        for (int s = 1; s <= 4; ++s) humans += static_cast<char>('0' + game.State().HumanSeat[s]);
        EXPECT_EQ(humans, c.humans) << "role " << c.role << " clients " << c.clientIndex + 1;
    }
}

TEST(StartDeal, TheTablePicksTheBackOnceForEveryDeal) {
    RecordingEvents events;
    Game game(events);
    game.UseDeck(Identity());
    game.StartDeal(true);
    EXPECT_EQ(events.newDeals, 1);
    game.StartDeal(false);
    EXPECT_EQ(events.newDeals, 2);
}

TEST(StartDeal, HostSendsTheDeckAndOnlyTheRightMachineMayBegin) {
    RecordingEvents events;
    Game host(events);
    host.Setup().kind = GameKind::LanHost;
    host.Setup().LanRole = 1;
    host.Setup().LanClientIndex = 0;
    host.Setup().InitialScore = 150;
    host.UseDeck(Identity());
    host.StartDeal(true);
    ASSERT_EQ(events.announced.size(), 1u);
    const std::string& deck = events.announced[0];
    ASSERT_EQ(deck.size(), 112u);
    EXPECT_EQ(deck[0], 'b');
    EXPECT_EQ(deck.substr(1, 2), "\x36\xF7");   // "6ч"
    EXPECT_EQ(deck.substr(71, 2), "\xD2\xEF");  // "Тп"
    EXPECT_EQ(deck.substr(73, 36), "111122223333444455556666777788889999");
    EXPECT_EQ(deck.substr(109), "150");
    // First deal on the host: dealer seat 1, a computer seat, so the host begins.
    EXPECT_TRUE(host.View().action.enabled);

    // A client whose dealer is the remote host person may not begin.
    Game client;
    client.Setup().kind = GameKind::LanClient;
    client.Setup().LanRole = 2;
    client.Setup().LanClientIndex = 0;
    client.StartDeal(true);
    EXPECT_EQ(client.State().Dealer, 3);
    EXPECT_FALSE(client.View().action.enabled);
}

TEST(Games, SeveralTablesInOneProcessDoNotShareState) {
    Game a, b;
    a.SeedShuffle(1);
    b.SeedShuffle(2);
    a.StartDeal(true);
    const GameState before = a.State();
    b.StartDeal(true);
    b.ActionButton();
    EXPECT_EQ(a.State(), before);
}

}  // namespace kesp

namespace kesp {

TEST(Buttons, WhichMachineDrivesAndWhoMayBegin) {
    const struct {
        GameKind kind;
        int role, clientIndex, onlineSeat;
        bool drives;
    } cases[] = {
        {GameKind::Local, 0, -1, 1, true},     {GameKind::LanHost, 1, 0, 1, true},
        {GameKind::LanHost, 1, 2, 1, true},    {GameKind::LanClient, 2, 0, 1, false},
        {GameKind::LanClient, 3, 1, 1, false}, {GameKind::LanClient, 4, 2, 1, false},
        {GameKind::Online, 0, -1, 1, true},    {GameKind::Online, 0, -1, 3, false},
    };
    for (const auto& c : cases) {
        for (int deal = 1; deal <= 4; ++deal) {
            Game game;
            game.Setup().kind = c.kind;
            game.Setup().LanRole = static_cast<std::uint8_t>(c.role);
            game.Setup().LanClientIndex = c.clientIndex;
            game.Setup().OnlineSeat = static_cast<std::uint8_t>(c.onlineSeat);
            for (int d = 1; d <= deal; ++d) game.StartDeal(d == 1);
            EXPECT_EQ(game.IsDrivingMachine(), c.drives);
            const GameState& gs = game.State();
            // "To Begin": the dealer's own machine when a person deals, the driving one otherwise.
            const bool expected = gs.HumanSeat[gs.Dealer] ? gs.Dealer == 4 : c.drives;
            EXPECT_EQ(game.View().action.enabled, expected) << "kind " << int(c.kind) << " role " << c.role
                                                            << " seat " << c.onlineSeat << " deal " << deal;
        }
    }
}

}  // namespace kesp
