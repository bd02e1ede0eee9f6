"""Ten tables of four kesp-sim players each play GAMES games at one kesp-service; prints the games
per minute, the games the tournament standings took, and the service's CPU seconds and peak
resident memory.

The service keeps its data folder between runs (DATA, default build/bench/online_tables_data), so
the forty accounts are created once: the service takes ten new accounts a minute from one address.
The players log in themselves, thirty a minute from one address, table after table, started a
moment apart: the service checks a few passwords at a time and refuses a log-in that cannot have
its turn within two seconds. They take their seats in whatever order they come, the service giving
seat s only once seats 1..s-1 are held."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "service"))
import service_fixture  # noqa: E402

LOG_INS_PER_MINUTE = 30
# Between two players' starts: about the time of one password check on this machine when busy.
START_APART_SECONDS = 0.3


def has_account(service, nick):
    reply = service.post("account", service_fixture.text_form(("nick", nick), ("labelinforead", "0")))
    return reply.startswith("$")


def create_accounts(service, nicks):
    for nick in nicks:
        if has_account(service, nick):  # unlike creating, reading a profile is not rate-limited
            continue
        deadline = time.time() + 90
        while True:
            reply = service.create(nick)
            if reply in ("ok", "is"):
                break
            if time.time() > deadline:
                raise RuntimeError("account %s not created: %s" % (nick, reply))
            time.sleep(2)  # past the ten a minute: the next minute takes more


def games_counted(service, nicks):
    total = 0
    for nick in nicks:
        reply = service.post("tables", service_fixture.text_form(("readrating36", "0"), ("nick", nick)))
        values = reply.strip("$").split()
        total += max(0, int(values[2])) if len(values) == 3 else 0
    return total


def main():
    sim, service_fixture.SERVICE, games, data = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
    os.makedirs(data, exist_ok=True)
    service = service_fixture.Service(data=data, fresh=False)
    base = "http://127.0.0.1:%d/" % service.port
    nicks = ["T%dS%d" % (t, s) for t in range(1, 11) for s in range(1, 5)]
    create_accounts(service, nicks)
    counted_before = games_counted(service, nicks)
    logs = os.path.join(data, "players")
    os.makedirs(logs, exist_ok=True)
    start = time.time()
    players = []
    for i, nick in enumerate(nicks):
        if i > 0 and i % LOG_INS_PER_MINUTE == 0:
            # The service counts log-ins from one address per minute from the first of them.
            time.sleep(max(0.0, start + 61.0 * (i // LOG_INS_PER_MINUTE) - time.time()))
        elif i > 0:
            time.sleep(START_APART_SECONDS)
        t, s = i // 4 + 1, i % 4 + 1
        players.append(subprocess.Popen(
            [sim, "online", "table", "--service", base, "--table", str(t), "--seat", str(s), "--nick", nick,
             "--password", "secret1", "--games", str(games), "--pace", "1"],
            stdout=subprocess.DEVNULL, stderr=open(os.path.join(logs, nick + ".log"), "wb")))
    launched = time.time()
    codes = [p.wait() for p in players]
    elapsed = time.time() - start
    after_launch = time.time() - launched
    with open("/proc/%d/stat" % service.process.pid) as f:
        fields = f.read().split(")")[1].split()
    cpu = (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    with open("/proc/%d/status" % service.process.pid) as f:
        peak = next(line.split()[1] for line in f if line.startswith("VmHWM"))
    counted = (games_counted(service, nicks) - counted_before) // 4
    service.stop()
    for nick, code in zip(nicks, codes):
        if code != 0:
            with open(os.path.join(logs, nick + ".log"), errors="replace") as f:
                print("%s exit %d: %s" % (nick, code, f.read().strip().splitlines()[-1:]))
    print("tables 10, games %d each, players ok %d/40, games counted by the standings %d/%d, %.1f s "
          "(%.1f s after the last player started), %.1f games/minute, service CPU %.2f s, peak RSS %s kB"
          % (games, codes.count(0), counted, 10 * games, elapsed, after_launch, counted * 60 / elapsed, cpu,
             peak))
    return 0 if counted == 10 * games and codes.count(0) == 40 else 1


if __name__ == "__main__":
    sys.exit(main())
