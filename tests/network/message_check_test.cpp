// Another machine's game message is applied only when it is well formed, due, the sender's to
// make and within the rules; whole games between a host and a client pass every real message.
#include <deque>

#include "engine/game_messages.h"
#include "engine/rules.h"
#include "network/message_check.h"
#include "table_fixture.h"
#include "tools/sim/seat_player.h"

namespace kesp {
using namespace test;

namespace {

struct Machine : RecordingEvents {
    Game game{*this};
    std::deque<std::string>* out = nullptr;
    void Announce(std::string_view m) override { out->emplace_back(m); }

    Machine(std::deque<std::string>& outbox, int role) {
        out = &outbox;
        answer = true;
        TableSetup& setup = game.Setup();
        setup.kind = role == 1 ? GameKind::LanHost : GameKind::LanClient;
        setup.LanRole = static_cast<std::uint8_t>(role);
        setup.LanClientIndex = 0;
        setup.FlyCards = false;
    }
    // The move this machine makes now, if any: its person's, a button of its own, a timer tick.
    bool Act() {
        if (sim::PlayOwnSeat(game)) return true;
        const GameState before = game.State();
        if (game.View().action.enabled)
            game.ActionButton();
        else if (game.View().second.enabled && game.State().GameOver)
            game.SecondButton();
        else if (game.TimerRunning())
            game.GameTick();
        return !(before == game.State());
    }
};

// Delivers one queued message, checking it first; false when none waits.
bool Deliver(std::deque<std::string>& box, Machine& to, int sender) {
    if (box.empty()) return false;
    const std::string m = box.front();
    box.pop_front();
    if (m[0] == 'b') {
        EXPECT_EQ(CheckDealMessage(to.game, m), MessageVerdict::Ok);
        EXPECT_TRUE(to.game.ReceiveDeal(m));
    } else {
        EXPECT_EQ(CheckGameMessage(to.game, m, sender), MessageVerdict::Ok) << m;
        to.game.ApplyGameMessage(m);
    }
    return true;
}

TEST(MessageCheck, WholeGamesPassEveryRealMessage) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::deque<std::string> toClient, toHost;
        Machine host(toClient, 1), client(toHost, 2);
        host.game.SeedShuffle(seed);
        host.game.StartDeal(true);
        int steps = 0, delivered = 0;
        while ((host.game.State().DealRunning || client.game.State().DealRunning) && steps++ < 40000) {
            if (Deliver(toClient, client, 1) || Deliver(toHost, host, 2)) {
                ++delivered;
                continue;
            }
            if (!client.Act() && !host.Act()) break;
        }
        EXPECT_GT(delivered, 20 * host.game.State().DealNo);
        ASSERT_FALSE(host.game.State().DealRunning) << "seed " << seed;
        ASSERT_FALSE(client.game.State().DealRunning) << "seed " << seed;
        EXPECT_EQ(host.left, std::vector<LeaveReason>{LeaveReason::Finished});
        EXPECT_EQ(client.left, std::vector<LeaveReason>{LeaveReason::Finished});
        EXPECT_TRUE(client.game.State().Settled);
        for (int n = 1; n <= 4; ++n)
            EXPECT_EQ(host.game.State().Score[TablePositionOf(1, n)],
                      client.game.State().Score[TablePositionOf(2, n)]);
    }
}

class FirstDeal : public ::testing::Test {
  protected:
    std::deque<std::string> toClient, toHost;
    Machine host{toClient, 1}, client{toHost, 2};

    // Host positions: 4 the host (network seat 1), 2 the client (2), 1 and 3 computers (3, 4).
    // The first deal's dealer is host position 1, a computer.
    void SetUp() override {
        ASSERT_TRUE(host.game.UseDeck(KnownDeck({{{"Дк", "Кк", "1к", "7п", "Вп"},
                                                  {"7б", "8б", "Вк", "9ч", "Тб"},
                                                  {"9к", "1ч", "Вч", "Дч", "Кч"},
                                                  {"6ч", "7ч", "8п", "9п", "7к"}}},
                                                "6п")));
        host.game.StartDeal(true);
        ASSERT_EQ(toClient.size(), 1u);
        ASSERT_TRUE(client.game.ReceiveDeal(toClient.front()));
        toClient.clear();
    }
    MessageVerdict AtClient(const std::string& m) { return CheckGameMessage(client.game, m, m[4] - '0'); }
    MessageVerdict AtHost(const std::string& m) { return CheckGameMessage(host.game, m, m[4] - '0'); }
};

TEST_F(FirstDeal, ClientHoldsTheHostsCardsRotated) {
    // The client's own seat holds network seat 2's cards, which the host shows at position 2.
    EXPECT_EQ(HandText(client.game.State(), 4), HandText(host.game.State(), 2));
    EXPECT_EQ(HandText(client.game.State(), 2), HandText(host.game.State(), 4));
    EXPECT_EQ(client.game.State().Dealer, 3);  // network seat 3, host position 1
    EXPECT_EQ(client.game.Setup().InitialScore, 100);
    // A second deal is not due while this one runs; a damaged deal is never dealt.
    const std::string deal(MakeDealMessage(host.game.State(), 150).view());
    EXPECT_EQ(CheckDealMessage(client.game, deal), MessageVerdict::WrongPhase);
    Machine fresh(toHost, 2);
    EXPECT_EQ(CheckDealMessage(fresh.game, deal), MessageVerdict::Ok);
    for (std::string bad : {deal.substr(0, 111), deal + "0"}) EXPECT_FALSE(fresh.game.ReceiveDeal(bad));
    std::string twice = deal;
    twice[3] = twice[1], twice[4] = twice[2];  // one card twice
    std::string badValue = deal;
    badValue[80] = badValue[80] == '1' ? '2' : '1';
    std::string badScore = deal;
    badScore[110] = '2';
    for (const std::string& bad : {twice, badValue, badScore})
        EXPECT_EQ(CheckDealMessage(fresh.game, bad), MessageVerdict::Malformed);
    EXPECT_FALSE(fresh.game.State().DealRunning);
}

TEST_F(FirstDeal, BeforeTheBeginOnlyTheDealersDecisionIsDue) {
    struct Case {
        const char* message;
        MessageVerdict verdict;
    } cases[] = {
        {"h01#1000c", MessageVerdict::Ok},           // the computer dealer decides, from the host
        {"h11#1000c", MessageVerdict::Ok},           // '1' is read as '0'
        {"h01#1000m", MessageVerdict::WrongSender},  // a computer's decision is marked 'c'
        {"h01#3000c", MessageVerdict::WrongSender},  // only the driving machine moves computers
        {"h01#2000c", MessageVerdict::WrongSender},  // the client's own seat never comes back
        {"h30#10000", MessageVerdict::WrongPhase},  {"h91#10000", MessageVerdict::WrongPhase},
        {"hc0#10000", MessageVerdict::Impossible},  // nobody holds four aces
        {"h01#1000", MessageVerdict::Malformed},    {"h01#1000x", MessageVerdict::Malformed},
        {"hz1#1000c", MessageVerdict::Malformed},   {"h02#1000c", MessageVerdict::Malformed},
        {"h01#1001c", MessageVerdict::Malformed},
    };
    for (const Case& c : cases) EXPECT_EQ(AtClient(c.message), c.verdict) << c.message;
}

TEST_F(FirstDeal, PersonsMovesComeFromTheirOwnMachine) {
    host.game.ActionButton();  // To Begin
    host.game.GameTick();      // the computer dealer decides
    ASSERT_EQ(toClient.size(), 1u);
    client.game.ApplyGameMessage(toClient.front());
    toClient.clear();
    // Now the client's seat decides (host position 2); its hand holds the ace of diamonds.
    ASSERT_EQ(host.game.State().Phase, 2);
    EXPECT_EQ(AtHost("h00#2000m"), MessageVerdict::Impossible);  // a seat with an ace must play
    EXPECT_EQ(AtHost("h01#2000c"), MessageVerdict::WrongSender);
    EXPECT_EQ(AtHost("h01#3000m"), MessageVerdict::WrongSender);  // an empty seat
    EXPECT_EQ(AtHost("h01#2000m"), MessageVerdict::Ok);
    client.game.ActionButton();  // To Play
    ASSERT_EQ(toHost, std::deque<std::string>{"h01#2000m"});
    Deliver(toHost, host, 2);
    host.game.GameTick();  // position 3, a computer
    // The host's person: he holds no ace and may pass.
    ASSERT_EQ(host.game.State().Phase, 4);
    host.game.SecondButton();
    for (auto& m : toClient) client.game.ApplyGameMessage(m);
    toClient.clear();
    ASSERT_EQ(client.game.State().Phase, phase::DecisionsDone);
    EXPECT_EQ(AtClient("h30#20000"), MessageVerdict::WrongSender);  // the driving machine's button
    EXPECT_EQ(AtClient("h50#10000"), MessageVerdict::WrongPhase);
    EXPECT_EQ(AtClient("h30#10000"), MessageVerdict::Ok);
    host.game.ActionButton();  // To communicate cards: the computer dealer discards first
    client.game.ApplyGameMessage(toClient.front());
    toClient.clear();
    host.game.GameTick();
    client.game.ApplyGameMessage(toClient.front());
    toClient.clear();
    // The client's discard: slots of its own hand, no ace, no slot twice.
    const GameState& c = client.game.State();
    ASSERT_EQ(host.game.State().Phase, phase::Discard(2));
    int ace = 0;
    for (int k = 1; k <= 5; ++k)
        if (c.Hand[4][k].IsAce()) ace = k;
    ASSERT_NE(ace, 0);
    const char aceDigit = static_cast<char>('0' + ace), other = ace == 1 ? '2' : '1';
    EXPECT_EQ(AtHost(std::string("h400") + "2" + aceDigit + "00m"), MessageVerdict::Impossible);
    EXPECT_EQ(AtHost(std::string("h400") + "2" + other + other + "0m"), MessageVerdict::Impossible);
    EXPECT_EQ(AtHost("h40#2xxxc"), MessageVerdict::WrongSender);  // a person's discard is his own
    EXPECT_EQ(AtHost(std::string("h400") + "2" + other + "00m"), MessageVerdict::Ok);
    EXPECT_EQ(AtHost("h400200m"), MessageVerdict::Malformed);
}

TEST_F(FirstDeal, CardsMustBeHeldAndFollowSuit) {
    // Play the deal up to the client's first card, every message applied on both machines.
    int steps = 0;
    while (steps++ < 500) {
        if (Deliver(toClient, client, 1) || Deliver(toHost, host, 2)) continue;
        const GameState& h = host.game.State();
        if (h.Phase == phase::Play(2) && h.TablePos > 1) break;
        if (!host.Act()) {
            ASSERT_TRUE(client.Act());
        }
    }
    const GameState& h = host.game.State();
    ASSERT_EQ(h.Phase, phase::Play(2)) << "the client does not follow in this deal";
    ASSERT_TRUE(h.Plays[2]);
    int legal = 0, illegal = 0, empty = 0;
    for (int k = 1; k <= 5; ++k) {
        if (h.Hand[2][k].IsEmpty())
            empty = empty ? empty : k;
        else if (IsIllegalCard(h, 2, k))
            illegal = illegal ? illegal : k;
        else
            legal = legal ? legal : k;
    }
    auto play = [](int k, char sender) { return std::string("h9") + char('0' + k) + "#" + sender + "0000"; };
    ASSERT_NE(legal, 0);
    EXPECT_EQ(AtHost(play(legal, '2')), MessageVerdict::Ok);
    EXPECT_EQ(AtHost(play(legal, '3')), MessageVerdict::WrongSender);
    EXPECT_EQ(AtHost(play(0, '2')), MessageVerdict::EmptySlot);
    if (empty) {
        EXPECT_EQ(AtHost(play(empty, '2')), MessageVerdict::EmptySlot);
    }
    if (illegal) {
        EXPECT_EQ(AtHost(play(illegal, '2')), MessageVerdict::Impossible);
    }
    EXPECT_EQ(AtHost("h97#20000"), MessageVerdict::Malformed);
}

}  // namespace
}  // namespace kesp
