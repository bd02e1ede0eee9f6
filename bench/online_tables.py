"""Ten tables of four kesp-sim players each play GAMES games at one kesp-service; prints the games
per minute and the service's CPU seconds and peak resident memory."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "service"))
import service_fixture  # noqa: E402


def main():
    sim, service_fixture.SERVICE, games = sys.argv[1], sys.argv[2], int(sys.argv[3])
    service = service_fixture.Service()
    base = "http://127.0.0.1:%d/" % service.port
    nicks = ["T%dS%d" % (t, s) for t in range(1, 11) for s in range(1, 5)]
    for nick in nicks:
        service.create(nick)
        time.sleep(6.1)  # the service takes ten new accounts a minute from one address
    start = time.time()
    players = []
    for s in range(1, 5):  # seats are taken in order at every table
        for t in range(1, 11):
            # The service takes thirty log-ins a minute from one address.
            time.sleep(max(0.0, start + len(players) * 2.05 - time.time()))
            players.append(subprocess.Popen(
                [sim, "online", "table", "--service", base, "--table", str(t), "--seat", str(s), "--nick",
                 "T%dS%d" % (t, s), "--password", "secret1", "--games", str(games), "--pace", "1"],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            # The next seat of a table only once this one is held.
            deadline = time.time() + 10
            while time.time() < deadline and players[-1].poll() is None:
                reply = service.post("tables", service_fixture.text_form(
                    ("readclient%d" % s, "0"), ("gid", "36"), ("num", str(t))))
                if "T%dS%d" % (t, s) in reply:
                    break
                time.sleep(0.02)
    seated = time.time()  # the last player has his seat; the log-ins were paced until now
    codes = [p.wait() for p in players]
    elapsed = time.time() - start
    after_seating = time.time() - seated
    with open("/proc/%d/stat" % service.process.pid) as f:
        fields = f.read().split(")")[1].split()
    cpu = (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    with open("/proc/%d/status" % service.process.pid) as f:
        peak = next(line.split()[1] for line in f if line.startswith("VmHWM"))
    finished = sum(1 for c in codes if c == 0) // 4 * games
    print("tables 10, games %d, players ok %d/40, %.1f s (%.1f s after the last seat was taken), "
          "%.1f games/minute, service CPU %.2f s, peak RSS %s kB"
          % (finished, codes.count(0), elapsed, after_seating, finished * 60 / elapsed, cpu, peak))
    service.stop()


if __name__ == "__main__":
    main()
