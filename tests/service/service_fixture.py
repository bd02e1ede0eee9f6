"""Starts a real kesp-service on a free loopback port in a temporary data folder and talks to it
the way the game does: form posts with the game's User-Agent, bodies in Windows-1251."""
import http.client
import os
import re
import shutil
import signal
import subprocess
import tempfile
import unittest
import urllib.parse

SERVICE = os.environ.get("KESP_SERVICE_PROGRAM", "")
# postgresql://USER:PW@HOST:PORT/DB of an empty database, or unset for SQLite.
DATABASE = os.environ.get("KESP_TEST_DATABASE", "")
PSQL = os.environ.get("KESP_TEST_PSQL", "psql")


def cp(text):
    return text.encode("cp1251")


def list_form(*pairs):
    """The list form: each name and value percent-encoded in Windows-1251, joined by "&&"."""
    return b"&&".join(urllib.parse.quote_from_bytes(cp(k)).encode() + b"=" +
                      urllib.parse.quote_from_bytes(cp(v)).encode() for k, v in pairs)


def text_form(*pairs):
    """The text form: values inserted as they are, Windows-1251, joined by '&'."""
    return b"&".join(cp(k) + b"=" + cp(v) for k, v in pairs)


def reset_database():
    """Empties the test database, so each service starts on a fresh store."""
    if DATABASE:
        subprocess.run([PSQL, "-q", "-v", "ON_ERROR_STOP=1", DATABASE, "-c",
                        "DROP SCHEMA public CASCADE; CREATE SCHEMA public;"],
                       check=True, capture_output=True)


def free_port_block():
    """A base port whose next ten ports are free now: the game server's tables."""
    import random
    import socket
    for _ in range(100):
        # Below the range of ports for outgoing connections, which could take them meanwhile.
        base = random.randrange(20000, 32000)
        probes = []
        try:
            for t in range(1, 11):
                probe = socket.socket()
                probes.append(probe)
                probe.bind(("127.0.0.1", base + t))
            return base
        except OSError:
            continue
        finally:
            for probe in probes:
                probe.close()
    raise RuntimeError("no free block of ports for the game server")


class Service:
    def __init__(self, data=None, fresh=True, listen_host="127.0.0.1"):
        self.listen_host = listen_host
        self.data = data or tempfile.mkdtemp(prefix="kesp-service-test-")
        if fresh:
            reset_database()
        self.cookies = {}
        self.start()

    def start(self):
        self.game_port = free_port_block()
        args = [SERVICE, "--listen", self.listen_host + ":0", "--game-port", str(self.game_port), "--data", self.data]
        if DATABASE:
            args += ["--database", DATABASE]
        self.log = open(os.path.join(self.data, "service.log"), "ab")
        self.process = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=self.log)
        line = self.process.stdout.readline().decode()
        found = re.search(r"http://127\.0\.0\.1:(\d+)/", line)
        if not found:
            self.process.kill()
            raise RuntimeError("kesp-service did not start: " + line + self.log_text())
        self.port = int(found.group(1))

    def log_text(self):
        if not self.log.closed:
            self.log.flush()
        with open(os.path.join(self.data, "service.log"), "rb") as f:
            return f.read().decode("utf-8", "replace")

    def post(self, address, body, cookie=True):
        """The reply of a form post, decoded from Windows-1251."""
        status, reply, headers = self.raw("POST", "/" + address, body, cookie)
        if status != 200:
            return "HTTP %d" % status
        return reply.decode("cp1251")

    def raw(self, method, path, body=None, cookie=True):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        headers = {"User-Agent": "QuorbHelvinta", "Accept": "text/html, */*"}
        if body is not None:
            headers["Content-Type"] = "application/x-www-form-urlencoded"
        if cookie and self.cookies:
            headers["Cookie"] = "; ".join("%s=%s" % kv for kv in self.cookies.items())
        connection.request(method, path, body=body, headers=headers)
        response = connection.getresponse()
        data = response.read()
        for value in response.headers.get_all("Set-Cookie") or []:
            name, _, rest = value.partition("=")
            self.cookies[name] = rest.split(";")[0]
        connection.close()
        return response.status, data, response.headers

    def get(self, path):
        status, data, _ = self.raw("GET", path, cookie=False)
        return status, data

    def stop(self, sig=signal.SIGTERM):
        if self.process.poll() is None:
            self.process.send_signal(sig)
            code = self.process.wait(timeout=10)
        else:
            code = self.process.returncode
        self.process.stdout.close()
        self.log.close()
        return code

    def remove(self):
        shutil.rmtree(self.data, ignore_errors=True)

    # The game's requests, as the game words them.
    def create(self, nick, pw="secret1", city="Moscow", country1="Russia", country2="1-001", sex="M",
               email="a@b.ru"):
        return self.post("account", text_form(
            ("nick", nick), ("pw", pw), ("city", city), ("country1", country1), ("country2", country2),
            ("sex", sex), ("email", email), ("dater", "17.05.2024"), ("R01", "xxx"), ("R02", "xxx"),
            ("R03", "xxx"), ("R04", "0"), ("R05", "0"), ("R06", "0")))

    def login(self, nick, pw="secret1"):
        return self.post("account", list_form(("nick", nick), ("pw", pw), ("label0", "0")))

    def save_record(self, nick, pw, kon, rating, best=0, sessions=0, konl=0, score=0, cookie=True):
        return self.post("account", text_form(
            ("nick", nick), ("pw", pw), ("crdkespkon", str(kon)), ("crdkespbest", str(best)),
            ("crdkesprating", rating), ("crdkespses", str(sessions)), ("crdkespkonl", str(konl)),
            ("crdkespscore", str(score)), ("crdkespR1", "0"), ("crdkespR2", "#")), cookie)

    def post_record(self, gid, nick, score, city="Moscow", country="1-001", sex="M", r9="#", r10="#"):
        return self.post("worldtop", text_form(
            ("gid", str(gid)), ("nick", nick), ("city", city), ("country", country), ("score", str(score)),
            ("R7", sex), ("R8", "5.7f"), ("R9", r9), ("R10", r10)) + b"*")


def records(reply, separator=" ", terminator="*"):
    """The records of a reply, each a list of values, as the game splits them."""
    out = []
    for part in reply.split("$")[1:]:
        text = part.split(terminator)[0] if terminator in part else part
        out.append(text.split(separator))
    return out


def number(reply):
    """The number after the last '$', or None."""
    if "$" not in reply:
        return None
    found = re.match(r"\d+", reply[reply.rindex("$") + 1:])
    return int(found.group(0)) if found else None


TABLE_NICKS = ["Anna", "Boris", "Clara", "Dmitri"]


class TablePlayers(unittest.TestCase):
    """A service with the accounts of four table players; the player processes a test appends to
    self.players are killed after it if they still run."""

    def setUp(self):
        self.service = Service()
        self.base = "http://127.0.0.1:%d/" % self.service.port
        for nick in TABLE_NICKS:
            self.assertEqual("ok", self.service.create(nick))
        self.players = []

    def tearDown(self):
        for p in self.players:
            if p.poll() is None:
                p.kill()
                p.wait()
        self.service.stop()

    def standing(self, nick):
        """(score, games) of the nick's tournament standing."""
        reply = self.service.post("tables", text_form(("readrating36", "0"), ("nick", nick)))
        values = reply.strip("$").split()
        self.assertEqual(3, len(values), reply)
        return int(values[0]), int(values[2])
