-- A service that has run for a while: 20,000 accounts, 120,000 world list entries and 5,000 chat
-- messages, so that the load test reads through indexes and counts of a realistic size. Runs on
-- SQLite and on PostgreSQL alike (bench/service_load.sh with KESP_BENCH_FILL=1).
INSERT INTO accounts (nick, nick_key, pw_hash, city, country1, country2, sex, email, dater, r01, r02, r03,
                      r04, r05, r06, created, kon, rating)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
SELECT 'Fill' || i, 'fill' || i, '-', 'City' || (i % 300), 'Russia', '1-001', 'M', 'f@x.ru', '01.01.2026',
       'xxx', 'xxx', 'xxx', 0, 0, 0, i, i % 40, (i * 7919 % 100000) / 100.0
FROM n;

INSERT INTO world_entries (list, nick, city, country, score, r7, r8, r9, r10, posted)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 120000)
SELECT CASE WHEN i % 6 < 4 THEN 36 WHEN i % 6 = 4 THEN 136 ELSE 336 END, 'Fill' || (i % 20000),
       'City' || (i % 300), '1-001', i * 7919 % 5000, 'M', '5.7f', '#', '#', i
FROM n;

INSERT INTO world_entries (list, nick, city, country, score, r7, r8, r9, r10, posted)
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000)
SELECT 100, 'Fill' || (i % 20000), 'City' || (i % 300), '1-001', i, 'M', '5.7f', 'Hello_' || i, '12:00:00', i
FROM n;

-- The per-score counts that the service keeps beside its lists, as its own posts would have left them.
DELETE FROM world_scores;
INSERT INTO world_scores (list, score, entries) SELECT list, score, COUNT(*) FROM world_entries GROUP BY list, score;

ANALYZE;
