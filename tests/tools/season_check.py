#!/usr/bin/env python3
"""Plays seasons with `kesp-sim season` into a temporary club folder and checks the club and
history files byte by byte with checks written independently of the program, including after
the process was killed in the middle of its work.

    season_check.py PATH/TO/kesp-sim PATH/TO/FOLDER/WITH/SUPPLIED/CLUB/FILES
"""
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

SIM = CLUBS = None


def sums(data):
    a = sum(data)
    b = sum(data[i] for i in range(1, len(data), 2))  # positions 2, 4, ...
    c = sum(data[i] for i in range(2, len(data), 3))  # positions 3, 6, ...
    return a, b, c


def check_club(path):
    data = open(path, "rb").read()
    lines = data.split(b"\r\n")
    assert lines[-1] == b"", "the file ends with CR LF"
    lines = lines[:-1]
    assert len(lines) == 17, len(lines)
    assert all(len(line) == 59 for line in lines[:5])
    assert all(len(line) == 26 for line in lines[5:15])
    assert len(lines[15]) == 28 and lines[15].startswith(b"\x88}")
    assert len(lines[16]) == 28
    a, b, c = sums(b"".join(lines[:16]))
    control = lines[16]
    assert (int(control[10:16]), int(control[16:22]), int(control[22:28])) == (a, b, c), "club checksums"
    return lines


def check_history(path):
    lines = open(path, "rb").read().split(b"\r\n")
    totals = [0, 0, 0]
    records = 0
    for i, line in enumerate(lines):
        assert len(line) == 114, (i, len(line))
        line_sums = sums(line[:99])
        assert (int(line[99:104]), int(line[104:109]), int(line[109:114])) == tuple(x % 100000 for x in line_sums) \
            or (int(line[99:104]), int(line[104:109]), int(line[109:114])) == line_sums, "line sums"
        for k in range(3):
            totals[k] += line_sums[k]
        if line.startswith(b"$"):
            assert line[1:3] == b"\x88}" and line[3:99] == b"#" * 96
            total_line = lines[i + 1]
            assert (int(total_line[0:10]), int(total_line[10:20]), int(total_line[20:30])) == tuple(totals)
            assert lines[i + 2:] == [b""], "nothing after the totals line"
            return records
        records += 1
        assert line[2:3] == b":" and line[66:69] == b"  1" and line[89:99] == b"L#########"
        assert line[79:89].strip().replace(b"-", b"").replace(b",", b"").isdigit()
        assert line[86:87] == b","
    raise AssertionError("no end line")


class Season(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="kesp-season-")
        for name in ("Kesp.clb", "Kesp.net"):
            shutil.copy(os.path.join(CLUBS, name), self.dir)

    def tearDown(self):
        shutil.rmtree(self.dir)

    def season(self, games, name="Anna", password="pw1", seed=4):
        return subprocess.run([SIM, "season", "--dir", self.dir, "--games", str(games), "--name", name,
                               "--password", password, "--seed", str(seed)], capture_output=True, timeout=120)

    def test_hundred_games(self):
        got = self.season(100)
        self.assertEqual(got.returncode, 0, got.stderr)
        out = got.stdout.decode().splitlines()
        self.assertEqual(len(out), 100)
        results, total = [], 0
        for n, line in enumerate(out, 1):
            f = line.split()
            self.assertEqual((f[0], f[1], f[2], f[4], f[6], f[8]), ("game", str(n), "result", "rating", "total", "place"))
            results.append(int(f[3]))
            total = int(f[3]) if (n - 1) % 25 == 0 else total + int(f[3])
            self.assertEqual(int(f[7]), total, line)
            self.assertAlmostEqual(float(f[5]), max(-99.99, min(99.99, sum(results) / n / 20)), places=4)
            self.assertEqual(f[9] == "-", n % 25 != 0, line)
        lines = check_club(os.path.join(self.dir, "Kesp.clb"))
        self.assertTrue(lines[0].startswith(b"Anna" + b" " * 16))
        self.assertEqual(int(lines[0][30:37]), 100)  # games played
        self.assertEqual(int(lines[0][38:44]), 0)  # game 100 ended a cycle: its total starts again
        self.assertEqual(lines[0][20:30].strip().replace(b",", b".").decode(), "%.6f" % float(out[-1].split()[5]))
        top = [line for line in lines[5:15] if line.startswith(b"Anna")]
        self.assertGreaterEqual(len(top), 1)
        history = os.path.join(self.dir, "History", "Kesp_I0001.hst")
        self.assertEqual(check_history(history), 100)
        check_club(os.path.join(self.dir, "Kesp.net"))

    def test_missing_or_damaged_club_file_stops_it(self):
        os.remove(os.path.join(self.dir, "Kesp.net"))
        got = self.season(1)
        self.assertEqual(got.returncode, 2)
        self.assertIn(b"Can`t find the file", got.stderr)
        shutil.copy(os.path.join(CLUBS, "Kesp.net"), self.dir)
        path = os.path.join(self.dir, "Kesp.clb")
        data = bytearray(open(path, "rb").read())
        data[3] ^= 1
        open(path, "wb").write(data)
        got = self.season(1)
        self.assertEqual(got.returncode, 2)
        self.assertIn(b"The incorrect file", got.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.dir, "History")))

    def test_member_password(self):
        self.assertEqual(self.season(2).returncode, 0)
        got = self.season(1, password="other")
        self.assertEqual(got.returncode, 2)
        self.assertEqual(self.season(1).stdout.decode().split()[1], "3")  # game number 3 of Anna

    def test_killed_in_the_middle_never_leaves_a_damaged_file(self):
        rng = random.Random(1)
        for _ in range(12):
            p = subprocess.Popen([SIM, "season", "--dir", self.dir, "--games", "100000", "--name", "Bo",
                                  "--password", "x"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(rng.uniform(0.05, 0.4))
            p.send_signal(signal.SIGKILL)
            p.wait()
            check_club(os.path.join(self.dir, "Kesp.clb"))
            history = os.path.join(self.dir, "History")
            for name in os.listdir(history) if os.path.isdir(history) else []:  # none before a first game
                if ".tmp" in name:  # an unfinished write: never taken for a history file
                    continue
                check_history(os.path.join(self.dir, "History", name))
        # The next run that has the folder to itself clears what the killed writes left.
        self.assertEqual(self.season(1, name="Bo", password="x").returncode, 0)
        for folder in (self.dir, os.path.join(self.dir, "History")):
            self.assertEqual([n for n in os.listdir(folder) if ".tmp" in n], [], folder)


if __name__ == "__main__":
    SIM, CLUBS = sys.argv.pop(1), sys.argv.pop(1)
    unittest.main(verbosity=1)
