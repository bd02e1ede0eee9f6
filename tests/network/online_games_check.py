"""Real online games between kesp-sim players: a kesp-service is started in a temporary folder,
four accounts sit down at one table, and several games are played through the service's game
server, the players taking their seats anew after each game in whatever order they come. Every
player's trace settles each game alike and the tournament standings take every game; a player
killed in the middle of a deal ends the game for the others with exit status 3; a seat that cannot
be had and a table that does not fill are given up in time.

usage: online_games_check.py KESP_SIM KESP_SERVICE"""
import os
import re
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "service"))
import service_fixture  # noqa: E402

SIM = ""
NICKS = service_fixture.TABLE_NICKS


class OnlineGames(service_fixture.TablePlayers):
    def seat(self, table, seat, games=1, wait_for_seat=True, *waits):
        p = subprocess.Popen([SIM, "online", "table", "--service", self.base, "--table", str(table),
                              "--seat", str(seat), "--nick", NICKS[seat - 1], "--password", "secret1",
                              "--games", str(games)] + list(waits),
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.players.append(p)
        # Seats are taken in order: the next one waits until this one holds its seat.
        deadline = time.time() + 10
        while wait_for_seat and time.time() < deadline:
            if self.holder(table, seat) == NICKS[seat - 1] or p.poll() is not None:
                break
            time.sleep(0.05)
        return p

    def holder(self, table, seat):
        reply = self.service.post("tables", service_fixture.text_form(
            ("readclient%d" % seat, "0"), ("gid", "36"), ("num", str(table))))
        return reply.strip("$").split()[0]

    def test_four_players_finish_three_games_alike_and_the_standings_take_each(self):
        games = 3
        players = [self.seat(2, s, games) for s in range(1, 5)]
        outputs = [p.communicate(timeout=120) for p in players]
        settlements = []
        for s, (p, (out, err)) in enumerate(zip(players, outputs), 1):
            self.assertEqual(0, p.returncode, "seat %d: %s" % (s, err.decode(errors="replace")))
            found = re.findall(r"^settle (-?\d+) (-?\d+) (-?\d+) (-?\d+)$", out.decode(), re.M)
            self.assertEqual(games, len(found), out.decode()[-500:])
            settlements.append([[int(v) for v in game] for game in found])
        for g in range(games):
            first = settlements[0][g]
            self.assertEqual(0, sum(first))
            # Every seat sees the same results, turned round the table to its own place.
            for s in range(1, 4):
                seen = settlements[s][g]
                self.assertTrue(any(seen == first[k:] + first[:k] for k in range(4)), (g, first, seen))
        # The own seat is the last of a trace's four: the standings hold the sum of its games.
        for s, nick in enumerate(NICKS):
            self.assertEqual((sum(game[3] for game in settlements[s]), games), self.standing(nick))

    def test_a_player_killed_mid_deal_ends_the_game_for_the_others(self):
        players = [self.seat(3, s) for s in range(1, 5)]
        # Wait for the first deal in seat 2's trace, then kill seat 2.
        line = players[1].stdout.readline()
        deadline = time.time() + 20
        while not line and time.time() < deadline:
            line = players[1].stdout.readline()
        self.assertTrue(line, "no deal began")
        players[1].kill()
        players[1].wait()
        for s in (0, 2, 3):
            players[s].communicate(timeout=60)
            self.assertEqual(3, players[s].returncode, "seat %d" % (s + 1))

    def test_a_seat_out_of_reach_and_a_table_that_does_not_fill_are_given_up(self):
        # Seat 3 with seats 1 and 2 free is refused until its wait is over.
        refused = self.seat(4, 3, 1, False, "--seat-wait", "700")
        _, err = refused.communicate(timeout=30)
        self.assertEqual(1, refused.returncode, err.decode(errors="replace"))
        self.assertIn("not taken within 700 ms", err.decode(errors="replace"))
        # Seat 1 alone gets no deal: it gives its seat back and leaves.
        alone = self.seat(4, 1, 1, True, "--deal-wait", "1500")
        _, err = alone.communicate(timeout=30)
        self.assertEqual(3, alone.returncode, err.decode(errors="replace"))
        self.assertIn("other players did not come", err.decode(errors="replace"))
        self.assertEqual("X", self.holder(4, 1))


if __name__ == "__main__":
    SIM = sys.argv[1]
    service_fixture.SERVICE = sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
