#!/usr/bin/env bash
# Many log-ins at the same moment: how many the service answers with the account and how many it
# refuses (their password checks could not wait their turn), how long the burst took, and the
# service's peak memory before and after it (each password check takes 64 MiB while it runs).
# Usage: bench/login_burst.sh [LOG_INS]   (default 30; build/service/kesp-service must be built)
# Each log-in comes from a loopback address of its own, so no per-address limit answers for it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${KESP_BENCH_PROGRAM:-$root/build/service/kesp-service}
count=${1:-30}
data=$(mktemp -d /tmp/kesp-service-burst-XXXXXX)
"$program" --listen 127.0.0.1:0 --data "$data" >"$data/out" 2>"$data/log" &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$data"' EXIT
for _ in $(seq 50); do grep -qs listening "$data/out" && break; sleep 0.1; done
port=$(grep -o 'http://127.0.0.1:[0-9]*/' "$data/out" | grep -o '[0-9]*/$' | tr -d /)
python3 - "$port" "$pid" "$count" <<'PY'
import concurrent.futures, http.client, sys, time

port, pid, count = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])

def post(body, source="127.0.0.1"):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=30, source_address=(source, 0))
    connection.request("POST", "/account", body=body, headers={"Content-Type": "application/x-www-form-urlencoded"})
    response = connection.getresponse()
    reply = response.read().decode("cp1251")
    connection.close()
    return reply if response.status == 200 else "HTTP %d" % response.status

def peak_memory():
    with open("/proc/%s/status" % pid) as status:
        return next(line.split()[1] for line in status if line.startswith("VmHWM")) + " kB"

assert post(b"nick=Burst&pw=secret1&city=Moscow&country1=Russia&country2=1-001&sex=M&email=b@x.ru"
            b"&dater=01.01.2026&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0") == "ok"
before = peak_memory()
login = b"nick=Burst&&pw=secret1&&label0=0"
started = time.monotonic()
with concurrent.futures.ThreadPoolExecutor(count) as pool:
    replies = list(pool.map(lambda i: post(login, "127.0.%d.%d" % (1 + i // 200, 10 + i % 200)), range(count)))
took = time.monotonic() - started
answered = sum(reply.startswith("$") for reply in replies)
refused = replies.count("no")
print("%d log-ins at once: %d answered, %d refused, %d other, in %.2f s; peak memory %s before, %s after"
      % (count, answered, refused, count - answered - refused, took, before, peak_memory()))
PY
