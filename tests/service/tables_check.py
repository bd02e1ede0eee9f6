"""The tables requests of kesp-service through real HTTP: the ten tables, the seats taken in order
from a logged-in session, the clear rules, and the tournament standings, places and top ten.
Usage: tables_check.py KESP_SERVICE_PROGRAM (KESP_TEST_DATABASE for PostgreSQL)."""
import os
import sqlite3
import subprocess
import sys
import unittest

import service_fixture
from service_fixture import DATABASE, PSQL, Service, list_form, number, records, text_form

TABLES = "tables"


def seat_body(seat, table, can, nick="X", sex="X", number="0", text="X"):
    s = str(seat)
    return text_form(("client4on" + s, "0"), ("gid", "36"), ("num", str(table)), ("can", str(can)),
                     ("nick" + s, nick), ("score" + s, number), ("kon" + s, number), ("rating" + s, number),
                     ("country" + s, text), ("city" + s, text), ("sex" + s, sex), ("ip" + s, "127.0.0.1"))


class Player:
    """One game program: its own cookies, logged in as `nick`."""

    def __init__(self, service, nick):
        self.service, self.nick, self.cookies = service, nick, {}
        service.create(nick)
        assert self.post("account", list_form(("nick", nick), ("pw", "secret1"), ("label0", "0"))).startswith("$")

    def post(self, address, body):
        saved, self.service.cookies = self.service.cookies, self.cookies
        try:
            return self.service.post(address, body)
        finally:
            self.service.cookies = saved

    def take(self, table, seat):
        return self.post(TABLES, seat_body(seat, table, 1, self.nick, "M", "0", "Moscow"))

    def free(self, table, seat):
        return self.post(TABLES, seat_body(seat, table, 2))

    def clear(self, table, seat):
        return self.post(TABLES, seat_body(seat, table, 0))


def sql(service, statement):
    """A statement run straight on the service's database: the standings of finished games."""
    if DATABASE:
        subprocess.run([PSQL, "-q", "-v", "ON_ERROR_STOP=1", DATABASE, "-c", statement], check=True,
                       capture_output=True)
    else:
        with sqlite3.connect(os.path.join(service.data, "kesp.sqlite"), timeout=10) as db:
            db.execute(statement)


class Tables(unittest.TestCase):
    def setUp(self):
        self.service = Service()

    def tearDown(self):
        self.service.stop()
        self.service.remove()

    def tables(self):
        reply = self.service.post(TABLES, list_form(("readtable410", "36"), ("gid", "36")))
        return records(reply)

    def test_the_list_names_ten_tables_last_first(self):
        listed = self.tables()
        self.assertEqual(10, len(listed))
        self.assertEqual([str(t) for t in range(10, 0, -1)], [r[0] for r in listed])
        first = listed[0]
        self.assertEqual(38, len(first))
        self.assertEqual("127.0.0.1", first[1])
        base = int(listed[9][2]) - 1
        self.assertEqual(str(base + 10), first[2], "table t on the game port base + t")
        self.assertEqual(["4", "0", "#"], first[3:6])
        self.assertEqual(["X", "0", "0", "0", "X", "X", "X", "X"] * 4, first[6:])
        info = records(self.service.post(TABLES, list_form(("serverinforead", "0"), ("gid", "36"))), " ", "$")
        self.assertEqual("Y", info[0][0])
        self.assertNotIn(" ", info[0][1], "blanks of the notice travel as '_'")
        with open(os.path.join(self.service.data, "tables_notice.txt"), "w") as f:
            f.write("Closed for repairs tonight\n")
        reply = self.service.post(TABLES, list_form(("serverinforead", "0"), ("gid", "36")))
        self.assertEqual("$Y Closed_for_repairs_tonight$", reply)

    def test_a_wildcard_listener_names_the_address_it_was_reached_on(self):
        self.service.stop()
        self.service.remove()
        self.service = Service(listen_host="0.0.0.0")
        self.assertEqual("127.0.0.1", self.tables()[0][1])

    def test_seats_are_taken_in_order_by_their_own_session(self):
        s = self.service
        anna, boris, carl, dora = (Player(s, n) for n in ("Anna", "Boris", "Carl", "Dora"))
        self.assertEqual("no", boris.take(3, 2), "seat 2 before seat 1")
        self.assertEqual("no", s.post(TABLES, seat_body(1, 3, 1, "Anna", "M", "0", "Moscow")), "no session")
        self.assertEqual("no", anna.post(TABLES, seat_body(1, 3, 1, "Boris", "M", "0", "Moscow")),
                         "another nick's seat")
        self.assertEqual("ok", anna.take(3, 1))
        self.assertEqual("ok", anna.take(3, 1), "taking one's own seat again")
        self.assertEqual("is", boris.take(3, 1))
        self.assertEqual("no", anna.take(4, 1), "one seat per player")
        self.assertEqual("ok", boris.take(3, 2))
        self.assertEqual("no", dora.take(3, 4), "seat 4 before seat 3")
        self.assertEqual("ok", carl.take(3, 3))
        self.assertEqual("ok", dora.take(3, 4))
        seat = records(s.post(TABLES, list_form(("readclient1", "0"), ("gid", "36"), ("num", "3"))), " ", "$")
        self.assertEqual(["Anna", "0", "0", "0", "1-001", "Moscow", "M", "127.0.0.1"], seat[0])
        table3 = self.tables()[7]
        self.assertEqual(["3", "0", "0"], [table3[0], table3[3], table3[4]])
        self.assertEqual(["Anna", "Boris", "Carl", "Dora"], [table3[6 + 8 * k] for k in range(4)])
        self.assertEqual("no", dora.free(3, 4), "seat 4 cannot be freed")
        # After a connection error the game clears its own seat and those after it.
        self.assertEqual("ok", carl.clear(3, 3))
        self.assertEqual("ok", carl.clear(3, 4))
        self.assertEqual(["Anna", "Boris", "X", "X"], [self.tables()[7][6 + 8 * k] for k in range(4)])
        self.assertEqual("ok", carl.take(3, 3))
        self.assertEqual("ok", dora.take(3, 4))
        # No game outlives the game server: a restart frees every table.
        s.stop()
        s.start()
        self.assertEqual("4", self.tables()[7][3])

    def test_clear_rules(self):
        s = self.service
        anna, boris, carl, eve = (Player(s, n) for n in ("Anna", "Boris", "Carl", "Eve"))
        for player, seat in ((anna, 1), (boris, 2), (carl, 3)):
            self.assertEqual("ok", player.take(5, seat))
        self.assertEqual("no", eve.clear(5, 2), "a stranger")
        self.assertEqual("no", carl.clear(5, 2), "a higher seat")
        self.assertEqual("no", eve.clear(5, 3), "a stranger, a higher seat")
        self.assertEqual("no", anna.free(5, 2), "another's seat")
        # Leaving seat 1 clears seats 2 and 3.
        self.assertEqual("ok", anna.free(5, 1))
        self.assertEqual("ok", anna.clear(5, 2))
        self.assertEqual("ok", anna.clear(5, 3))
        self.assertEqual(["X", "X", "X"], [self.tables()[5][6 + 8 * k] for k in range(3)])
        self.assertEqual("ok", boris.take(5, 1))
        self.assertEqual("ok", carl.take(5, 2))
        self.assertEqual("ok", boris.clear(5, 2), "a lower seat may clear a higher one")

    def test_standings_places_and_top_ten(self):
        s = self.service
        for nick, sex in (("Anna", "W"), ("Boris", "M"), ("Carl", "M")):
            s.create(nick, sex=sex)
        sql(s, "INSERT INTO tournament_standings (nick, score, kon, rating, updated) VALUES"
               " ('Anna', 300, 2, 150, 0), ('Boris', 250, 5, 50, 0), ('Carl', -40, 1, -40, 0)")
        self.assertEqual("$300 150 2$", s.post(TABLES, text_form(("readrating36", "0"), ("nick", "Anna"))))
        self.assertEqual("$-1 0 0$", s.post(TABLES, text_form(("readrating36", "0"), ("nick", "Nobody"))))
        cases = [("s", "score1", "260", 2), ("s", "score1", "301", 1), ("r", "rating1", "50", 2),
                 ("k", "kon1", "1", 3), ("k", "kon1", "9", 1)]
        for kind, key, value, place in cases:
            with self.subTest(kind=kind, value=value):
                reply = s.post(TABLES, text_form(("place%s36" % kind, "0"), (key, value)))
                self.assertEqual(place, number(reply))
        self.assertEqual("no", s.post(TABLES, text_form(("places36", "0"), ("score1", "x"))))
        tops = {kind: records(s.post(TABLES, list_form(("top10%s36" % kind, "0"), ("nick", "z"))))
                for kind in "srk"}
        self.assertEqual(["1", "#", "300", "Anna", "1-001", "Moscow", "W", "#", "#", "#"], tops["s"][0])
        self.assertEqual(["Anna", "Boris", "Carl"], [r[3] for r in tops["s"]])
        self.assertEqual(["150", "50", "-40"], [r[2] for r in tops["r"]])
        self.assertEqual(["Boris", "Anna", "Carl"], [r[3] for r in tops["k"]])


if __name__ == "__main__":
    os.environ["KESP_SERVICE_PROGRAM"] = os.path.abspath(sys.argv.pop(1))
    service_fixture.SERVICE = os.environ["KESP_SERVICE_PROGRAM"]
    unittest.main(verbosity=2)
