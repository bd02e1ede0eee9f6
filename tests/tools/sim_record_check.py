"""kesp-sim online record against a real kesp-service: each post prints the place its score reached
in the list, and the service keeps what was sent under the game's version."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "service"))
import service_fixture  # noqa: E402

SIM = sys.argv[1]
service_fixture.SERVICE = sys.argv[2]


def record(base, *args):
    done = subprocess.run([SIM, "online", "record", "--service", base, *args],
                          capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout.strip()


def main():
    service = service_fixture.Service()
    try:
        base = "http://127.0.0.1:%d/" % service.port
        common = ["--list", "36", "--city", "Oslo", "--country", "3-047"]
        cases = [  # nick, score, expected output
            ("Alice", "120", "place 1"),
            ("Bob", "150", "place 1"),
            ("Carol", "-30", "place 3"),
            ("Dave", "130", "place 2"),
        ]
        for nick, score, expected in cases:
            rc, out = record(base, "--nick", nick, "--score", score, *common)
            assert (rc, out) == (0, expected), (nick, rc, out)
        reply = service.post("worldtop", service_fixture.list_form(("gid", "36")))
        rows = service_fixture.records(reply)
        assert [(r[3], r[2], r[6]) for r in rows] == [
            ("Bob", "150", "M"), ("Dave", "130", "M"), ("Alice", "120", "M"), ("Carol", "-30", "M")], rows
        assert all(r[7] == "5.7f" for r in rows), rows

        # Bad options are refused before anything is sent.
        for bad in (["--score", "many"], ["--score", "1", "--list", "0"], ["--score", "1", "--sex", "X"]):
            rc, _ = record(base, "--nick", "Eve", "--city", "Oslo", "--country", "3-047", "--list", "36", *bad)
            assert rc == 2, bad
        # A service that is gone gives no place.
        service.stop()
        rc, out = record(base, "--nick", "Eve", "--score", "10", *common)
        assert (rc, out) == (0, "place -1"), (rc, out)
    finally:
        service.stop()
        service.remove()
    print("ok")


main()
