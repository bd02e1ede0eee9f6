"""Real online games between kesp-sim players: a kesp-service is started in a temporary folder,
four accounts sit down at one table, and the game is played through the service's game server.
Every player's trace ends with the same final scores and the tournament standings take the game;
a player killed in the middle of a deal ends the game for the others with exit status 3.

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
NICKS = ["Anna", "Boris", "Clara", "Dmitri"]


class OnlineGames(unittest.TestCase):
    def setUp(self):
        self.service = service_fixture.Service()
        self.base = "http://127.0.0.1:%d/" % self.service.port
        for nick in NICKS:
            self.assertEqual("ok", self.service.create(nick))
        self.players = []

    def tearDown(self):
        for p in self.players:
            if p.poll() is None:
                p.kill()
                p.wait()
        self.service.stop()

    def seat(self, table, seat, games=1):
        p = subprocess.Popen([SIM, "online", "table", "--service", self.base, "--table", str(table),
                              "--seat", str(seat), "--nick", NICKS[seat - 1], "--password", "secret1",
                              "--games", str(games)],
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.players.append(p)
        # Seats are taken in order: the next one waits until this one holds its seat.
        deadline = time.time() + 10
        while time.time() < deadline:
            reply = self.service.post("tables", service_fixture.text_form(
                ("readclient%d" % seat, "0"), ("gid", "36"), ("num", str(table))))
            if NICKS[seat - 1] in reply or p.poll() is not None:
                break
            time.sleep(0.05)
        return p

    def test_four_players_finish_a_game_alike_and_the_standings_take_it(self):
        players = [self.seat(2, s) for s in range(1, 5)]
        outputs = [p.communicate(timeout=120) for p in players]
        for s, (p, (out, err)) in enumerate(zip(players, outputs), 1):
            self.assertEqual(0, p.returncode, "seat %d: %s" % (s, err.decode(errors="replace")))
        finals = []
        for out, _ in outputs:
            scores = re.findall(r"^settle (-?\d+) (-?\d+) (-?\d+) (-?\d+)$", out.decode(), re.M)
            self.assertTrue(scores, out.decode()[-500:])
            finals.append(sorted(int(v) for v in scores[-1]))
        self.assertTrue(all(f == finals[0] for f in finals), finals)
        games = 0
        for nick in NICKS:
            reply = self.service.post("tables", service_fixture.text_form(("readrating36", "0"), ("nick", nick)))
            values = reply.strip("$").split()
            self.assertEqual(3, len(values), reply)
            games += int(values[2])
        self.assertEqual(4, games)

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


if __name__ == "__main__":
    SIM = sys.argv[1]
    service_fixture.SERVICE = sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
