"""Four copies of the program at one tournament table: a kesp-service is started in a temporary
folder, four accounts are made, and four window players (each the program's main window on one
private Xvfb display, in a program folder of its own, logged in as its own account) take the four
seats of one table from the tournament window and play the game to its end. Every player exits 0,
all four settle the game alike, the service's standings count the game for each of them, and every
player's pictures (the first deal, the end, the reopened tournament window) are saved.

usage: four_windows_check.py WINDOW_PLAYER KESP_SERVICE SHOTS_FOLDER"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "service"))
import service_fixture  # noqa: E402

PLAYER = ""
SHOTS = ""
NICKS = service_fixture.TABLE_NICKS
TABLE = 6
GAME_SECONDS = 300


class Display:
    """A private Xvfb display; Xvfb picks a free number and tells it on a pipe."""

    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1920x1200x24",
                                         "-nolisten", "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.process.kill()
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number

    def stop(self):
        self.process.terminate()
        self.process.wait(10)


class FourWindows(service_fixture.TablePlayers):
    def setUp(self):
        super().setUp()
        self.display = Display()
        self.folders = tempfile.mkdtemp(prefix="kesp-four-windows-")

    def tearDown(self):
        super().tearDown()
        self.display.stop()
        shutil.copy(os.path.join(self.service.data, "service.log"), os.path.join(SHOTS, "service.log"))
        shutil.rmtree(self.folders, ignore_errors=True)

    def test_four_windows_play_a_tournament_game_to_its_end(self):
        environment = dict(os.environ, DISPLAY=self.display.name, QT_QPA_PLATFORM="xcb")
        for picture in ("deal", "end", "lobby"):
            for seat in range(1, 5):
                path = os.path.join(SHOTS, "seat%d-%s.png" % (seat, picture))
                if os.path.exists(path):
                    os.remove(path)
        # All four start at once: each takes its seat when the seats before it are taken.
        for seat, nick in enumerate(NICKS, 1):
            self.players.append(subprocess.Popen(
                [PLAYER, "--service", self.base, "--table", str(TABLE), "--seat", str(seat), "--nick", nick,
                 "--password", "secret1", "--folder", os.path.join(self.folders, nick), "--shots", SHOTS],
                env=environment, stdout=subprocess.PIPE, stderr=subprocess.STDOUT))
        outputs = []
        for seat, p in enumerate(self.players, 1):
            try:
                outputs.append(p.communicate(timeout=GAME_SECONDS)[0].decode(errors="replace"))
            except subprocess.TimeoutExpired:
                for q in self.players:
                    q.kill()
                said = [q.communicate()[0].decode(errors="replace") for q in self.players]
                self.fail("seat %d did not finish in time\n%s\nservice:\n%s" % (
                    seat, "\n".join(s[-1500:] for s in said), self.service.log_text()[-3000:]))
        for seat, out in enumerate(outputs, 1):  # to look at after the run
            with open(os.path.join(SHOTS, "seat%d.log" % seat), "w") as log:
                log.write(out)
        settled = []
        for seat, (p, out) in enumerate(zip(self.players, outputs), 1):
            self.assertEqual(0, p.returncode, "seat %d:\n%s\nservice:\n%s" % (
                seat, out[-3000:], self.service.log_text()[-3000:]))
            found = re.findall(r"^settle (-?\d+) (-?\d+) (-?\d+) (-?\d+)$", out, re.M)
            self.assertEqual(1, len(found), out[-2000:])
            settled.append([int(v) for v in found[0]])
            standing = re.findall(r"^standing (-?\d+) (\d+)$", out, re.M)
            self.assertEqual([(str(settled[-1][seat - 1]), "1")], standing, out[-2000:])
        # Every window settled the game alike, to results that sum to zero.
        for seat in range(2, 5):
            self.assertEqual(settled[0], settled[seat - 1], "seat %d" % seat)
        self.assertEqual(0, sum(settled[0]))
        # The service counts the game for all four, with each one's result.
        for seat, nick in enumerate(NICKS, 1):
            self.assertEqual((settled[0][seat - 1], 1), self.standing(nick), nick)
        for picture in ("deal", "end", "lobby"):
            for seat in range(1, 5):
                path = os.path.join(SHOTS, "seat%d-%s.png" % (seat, picture))
                self.assertGreater(os.path.getsize(path), 10000, path)


if __name__ == "__main__":
    PLAYER = sys.argv[1]
    service_fixture.SERVICE = sys.argv[2]
    SHOTS = sys.argv[3]
    unittest.main(argv=sys.argv[:1], verbosity=2)
