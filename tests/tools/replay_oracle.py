#!/usr/bin/env python3
"""An independent model of the replay trace of `kesp-sim replay`, written straight from the rules
of the game, used to check the engine on many decks.

    replay_oracle.py [--game-no G] [--initial-score S] < decks
"""
import argparse
import sys

RANKS = "6789" + "1" + "ВДКТ"  # rank value = index + 1
SUITS = "чбкп"                   # deck order: hearts, diamonds, clubs, spades
ACE_VALUE = {"ч": 20, "б": 15, "к": 10, "п": 5}


class Card:
    def __init__(self, number):
        self.number = number
        self.value = (number - 1) // 4 + 1
        self.suit = SUITS[(number - 1) % 4]

    def is_ace(self):
        return self.value == 9

    def __str__(self):
        return RANKS[self.value - 1] + self.suit


def nxt(s):
    return s % 4 + 1


def prv(s):
    return (s + 2) % 4 + 1


class Deal:
    def __init__(self, game_no, deal_no, numbers, scores, out):
        self.out = out
        self.scores = scores
        self.deck = [None] + [Card(n) for n in numbers]
        self.trump = self.deck[36].suit
        r = (game_no + deal_no - 1) % 4
        self.dealer = r if r else 4
        self.hands = {s: [] for s in range(1, 5)}
        for seat, first in ((4, 1), (2, 6), (1, 11), (3, 16)):
            self.hands[seat] = [self.deck[p] for p in range(first, first + 5)]
            self.sort(seat)
        out.append(f"deal {deal_no} dealer {self.dealer} trump {self.trump}")

    def sort(self, s):
        # Python's sort is stable.
        self.hands[s].sort(key=lambda c: (c.suit == self.trump, c.value))

    def four_aces(self):
        for s in range(1, 5):
            if sum(c.is_ace() for c in self.hands[s]) == 4:
                self.out.append(f"fouraces {s}")
                self.scores[s] = 0
                return True
        return False

    def trumps(self, s):
        return [c for c in self.hands[s] if c.suit == self.trump]

    def play(self):
        """Plays the deal; returns True when the game ended by four aces."""
        if self.four_aces():
            return True
        plays = {}
        for s in range(1, 5):
            h = self.hands[s]
            n = len(self.trumps(s))
            plays[s] = any(c.is_ace() for c in h) or n >= 2 or (n == 1 and s == self.dealer)
        s = self.dealer
        for count in range(4):
            forced = count == 3 and not any(plays.values())
            plays[s] = plays[s] or forced
            self.out.append(f"decide {s} {'play' if plays[s] else 'pass'}")
            s = nxt(s)
        self.plays = plays
        if sum(plays.values()) <= 1:
            changes = {s: -5 if plays[s] else 0 for s in range(1, 5)}
            self.finish(changes)
            return False
        self.discard_and_draw()
        if self.four_aces():
            return True
        self.tricks()
        return False

    def discard_and_draw(self):
        s = self.dealer
        for _ in range(4):
            h = self.hands[s]
            if not self.plays[s]:
                gone = list(h)
            else:
                gone = [c for c in h[:4] if c.suit != self.trump and not c.is_ace()]
                if not gone and s == self.dealer:
                    low = sorted((c for c in h[:4] if c.suit == self.trump), key=lambda c: c.value)
                    gone = low[:1]
            self.out.append(f"discard {s} " + (" ".join(map(str, gone)) if gone else "-"))
            self.hands[s] = [c for c in h if c not in gone]
            s = nxt(s)
        stock = 21
        s = self.dealer
        for _ in range(4):
            if self.plays[s]:
                taken = []
                if s == self.dealer:
                    taken.append(self.deck[36])
                while len(self.hands[s]) + len(taken) < 5:
                    taken.append(self.deck[stock])
                    stock += 1
                self.hands[s] += taken
                self.sort(s)
                self.out.append(f"draw {s} " + (" ".join(map(str, taken)) if taken else "-"))
            s = nxt(s)

    def tricks(self):
        plays = self.plays
        self.aces = {s: [c.suit for c in self.hands[s] if c.is_ace()] for s in range(1, 5)}
        self.history = []
        if not plays[self.dealer]:
            self.history.append(self.deck[36])
        self.no_trump = set()
        self.points = {s: 0 for s in range(1, 5)}
        self.won = {s: 0 for s in range(1, 5)}
        leader = self.dealer
        while not plays[leader]:
            leader = nxt(leader)
        for t in range(1, 6):
            last = prv(leader)
            while not plays[last]:
                last = prv(last)
            self.table = []  # (seat, card) in table order
            self.led = None
            for p in range(4):
                s = (leader + p - 1) % 4 + 1
                if not plays[s]:
                    self.out.append(f"play {s} -")
                    self.no_trump.add(s)
                    continue
                card = self.lead(s) if p == 0 else self.follow(s, s == last)
                self.hands[s].remove(card)
                if p == 0:
                    self.led = card.suit
                elif card.suit not in (self.led, self.trump):
                    self.no_trump.add(s)
                self.table.append((s, card))
                self.out.append(f"play {s} {card}")
            best = None
            for s, c in self.table:
                if best is None or self.better(c, best[1]):
                    best = (s, c)
            winner = best[0]
            self.points[winner] -= 1 + sum(ACE_VALUE[c.suit] for _, c in self.table if c.is_ace())
            self.won[winner] += 1
            self.history += [c for _, c in self.table]
            self.out.append(f"trick {t} {winner}")
            leader = winner
        changes = {}
        for s in range(1, 5):
            penalty = 0
            if plays[s] and self.won[s] == 0:
                penalty = 5 + sum(ACE_VALUE[x] for x in self.aces[s])
            changes[s] = self.points[s] + penalty
        self.finish(changes)

    def better(self, c, best):
        trump_on_table = any(x.suit == self.trump for _, x in self.table)
        suit = self.trump if trump_on_table else self.led
        if c.suit != suit:
            return False
        return best.suit != suit or c.value > best.value

    def finish(self, changes):
        for s in range(1, 5):
            self.scores[s] += changes[s]
        self.out.append("score " + " ".join(str(changes[s]) for s in range(1, 5)) + " = "
                        + " ".join(str(self.scores[s]) for s in range(1, 5)))

    # The computer player.
    def lead(self, s):
        h = self.hands[s]
        trumps = self.trumps(s)
        seen = len(trumps) + sum(c.suit == self.trump for c in self.history)
        others_out = all(o in self.no_trump for o in range(1, 5) if o != s)
        if seen != 9 and not others_out and trumps:
            top = max(trumps, key=lambda c: c.value)
            played = {c.value for c in self.history if c.suit == self.trump}
            if all(v in played for v in range(top.value + 1, 10)):
                return top
        if any(c.suit != self.trump and not c.is_ace() for c in h) and trumps:
            low = h[0]
            aces = [c for c in h[1:] if c.is_ace() and c.suit == low.suit]
            return aces[-1] if aces else low
        return h[-1]

    def follow(self, s, last):
        h = self.hands[s]
        L, T = self.led, self.trump
        on_table = [c for _, c in self.table]
        top = {x: max((c.value for c in on_table if c.suit == x), default=0) for x in (L, T)}
        mine = {x: sorted((c for c in h if c.suit == x), key=lambda c: c.value) for x in (L, T)}
        trumps, leds = mine[T], mine[L]

        def lowest_above(cards, v):
            return next(c for c in cards if c.value > v)

        if L == T:
            if not trumps:
                return self.shed(s)
            if trumps[-1].value > top[T]:
                return lowest_above(trumps, top[T]) if last else trumps[-1]
            return trumps[0]
        if top[T] == 0:
            if leds:
                if leds[-1].value > top[L]:
                    if not last:
                        return leds[-1]
                    if leds[-1].is_ace():
                        return leds[-1]
                    return lowest_above(leds, top[L])
                return leds[0]
            if trumps:
                return trumps[0] if last else trumps[-1]
            return self.shed(s)
        if leds:
            return leds[0]
        if trumps:
            if trumps[-1].value > top[T]:
                return lowest_above(trumps, top[T]) if last else trumps[-1]
            return trumps[0]
        return self.shed(s)

    def shed(self, s):
        h = self.hands[s]
        if all(c.is_ace() for c in h):
            for suit in "пкбч":
                for c in h:
                    if c.suit == suit:
                        return c
        plain = [c for c in h if c.suit != self.trump]
        return min(plain, key=lambda c: c.value)  # min keeps the first of equal values


def trace(game_no, initial_score, lines):
    """The trace of a game from its deck lines, as `kesp-sim replay` prints it."""
    scores = {s: initial_score for s in range(1, 5)}
    out = []
    deal_no = 0
    for line in lines:
        if not line.strip():
            continue
        deal_no += 1
        deal = Deal(game_no, deal_no, [int(x) for x in line.split()], scores, out)
        four_aces = deal.play()
        if four_aces or any(scores[s] < 1 for s in range(1, 5)):
            results = [sum(scores[o] - scores[s] for o in range(1, 5) if o != s) for s in range(1, 5)]
            out.append("settle " + " ".join(map(str, results)))
            break
    return "".join(line + "\n" for line in out)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--game-no", type=int, default=1)
    ap.add_argument("--initial-score", type=int, default=100)
    args = ap.parse_args()
    sys.stdout.write(trace(args.game_no, args.initial_score, sys.stdin))


if __name__ == "__main__":
    main()
