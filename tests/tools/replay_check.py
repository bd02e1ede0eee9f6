#!/usr/bin/env python3
"""Checks kesp-sim against the independent model of the rules (replay_oracle.py) on many random
decks, and checks its handling of bad input.

    replay_check.py PATH/TO/kesp-sim
"""
import random
import subprocess
import sys
import unittest

import replay_oracle

SIM = None


def run(args, stdin=""):
    return subprocess.run([SIM] + args, input=stdin.encode(), capture_output=True, timeout=60)


def oracle(args, stdin):
    """The model's trace for the same options as `kesp-sim replay` (run in this process: starting
    a Python for each game took most of the check's time)."""
    options = {"--game-no": 1, "--initial-score": 100}
    options.update((args[i], int(args[i + 1])) for i in range(0, len(args), 2))
    return replay_oracle.trace(options["--game-no"], options["--initial-score"], stdin.splitlines(True))


def random_decks(rng, n):
    lines = []
    for _ in range(n):
        deck = list(range(1, 37))
        rng.shuffle(deck)
        lines.append(" ".join(map(str, deck)))
    return lines


class ReplayMatchesTheModel(unittest.TestCase):
    def test_random_games(self):
        rng = random.Random(20261210)
        for game in range(300):
            args = ["--game-no", str(rng.randint(1, 60)), "--initial-score", rng.choice(["100", "150", "200"])]
            decks = "\n".join(random_decks(rng, 40)) + "\n"
            got = run(["replay"] + args, decks)
            self.assertEqual(got.returncode, 0, got.stderr)
            self.assertEqual(got.stdout.decode(), oracle(args, decks), f"game {game} {args}")
            self.assertTrue(got.stdout.decode().splitlines()[-1].startswith("settle "))

    def test_four_aces_dealt_and_drawn(self):
        # Deck numbers of the aces: 33..36. Seat 4 takes positions 1..5.
        dealt = [33, 34, 35, 36, 1] + [n for n in range(2, 33)]
        got = run(["replay"], " ".join(map(str, dealt)) + "\n")
        self.assertEqual(got.stdout.decode().splitlines()[1:], ["fouraces 4", "settle -100 -100 -100 300"])
        # Game 4: seat 4 deals holding three aces, takes the trump card (6б) and then the ace of
        # spades from position 21.
        rest = [n for n in range(3, 33) if n != 5]
        drawn = [33, 34, 35, 1, 5] + rest[:15] + [36] + rest[15:] + [2]
        text = " ".join(map(str, drawn)) + "\n"
        got = run(["replay", "--game-no", "4"], text).stdout.decode().splitlines()
        self.assertIn("fouraces 4", got)
        self.assertTrue(got[got.index("fouraces 4") - 1].startswith("draw "))
        self.assertEqual("\n".join(got) + "\n", oracle(["--game-no", "4"], text))

    def test_input_runs_out_before_the_end(self):
        rng = random.Random(9)
        decks = "\n\n".join(random_decks(rng, 2)) + "\n"
        out = run(["replay"], decks).stdout.decode().splitlines()
        if out[-1].startswith("score"):
            self.assertEqual(sum(line.startswith("deal ") for line in out), 2)
        self.assertEqual(run(["replay"], "").stdout, b"")


class BadInput(unittest.TestCase):
    def test_bad_deck_lines(self):
        good = " ".join(map(str, range(1, 37)))
        for bad, word in [(" ".join(map(str, range(1, 36))), "35"), (good.replace("7", "x", 1), "x"),
                          (good.replace(" 2 ", " 1 "), "twice"), (good + " 37", "36"), ("0 " + good[2:], "0")]:
            got = run(["replay"], good + "\n" + bad + "\n")
            self.assertEqual(got.returncode, 2, bad)
            self.assertIn("line 2", got.stderr.decode())
            self.assertIn(word, got.stderr.decode())
            self.assertNotIn("deal 2", got.stdout.decode())

    def test_bad_options(self):
        for args, word in [(["replay", "--games", "3"], "--games"), (["play", "--games", "x"], "--games"),
                           (["play"], "--games"), (["replay", "--initial-score", "120"], "--initial-score"),
                           (["replay", "--game-no"], "--game-no"), (["fly"], "fly"),
                           (["play", "--games", "1", "--seed", "-4"], "--seed")]:
            got = run(args)
            self.assertEqual(got.returncode, 2, args)
            self.assertIn(word, got.stderr.decode(), args)


class Play(unittest.TestCase):
    def test_summary(self):
        got = run(["play", "--games", "3000", "--seed", "11", "--initial-score", "150"])
        self.assertEqual(got.returncode, 0)
        fields = dict(line.split(": ", 1) for line in got.stdout.decode().splitlines())
        self.assertEqual(fields["games"], "3000")
        self.assertEqual(fields["settlements summing to zero"], "3000 of 3000")
        self.assertGreater(int(fields["deals"]), 3000)
        for key in ("mean deals per game", "four-aces endings", "deals per second"):
            self.assertIn(key, fields)
        again = run(["play", "--games", "3000", "--seed", "11", "--initial-score", "150"]).stdout.decode()
        self.assertEqual(again.split("seconds")[0], got.stdout.decode().split("seconds")[0])


if __name__ == "__main__":
    SIM = sys.argv.pop(1)
    unittest.main(verbosity=1)
