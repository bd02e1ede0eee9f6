#include "service/schema.h"

namespace kesp::service {
namespace {

// The accounts, sessions, world lists and statistics.
std::vector<std::vector<QString>> ServiceMigrations(bool postgres) {
    const QString id = postgres ? "BIGSERIAL PRIMARY KEY" : "INTEGER PRIMARY KEY AUTOINCREMENT";
    QString profileColumns;
    for (const char* name : {"name1", "name2", "about", "telephone", "emailo", "website", "skype", "ok", "vk",
                             "telegram", "facebook", "twitter", "instagramm", "youtube"})
        profileColumns += QStringLiteral(", p_%1 TEXT NOT NULL DEFAULT ''").arg(name);
    return {{
        // Accounts with their record of this game and their public profile. nick_key is the nick in
        // lower case, so "Anna" and "ANNA" cannot both be taken.
        "CREATE TABLE accounts (id " + id +
            ", nick TEXT NOT NULL UNIQUE, nick_key TEXT NOT NULL UNIQUE, pw_hash TEXT NOT NULL,"
            " city TEXT NOT NULL, country1 TEXT NOT NULL, country2 TEXT NOT NULL, sex TEXT NOT NULL,"
            " email TEXT NOT NULL, dater TEXT NOT NULL, r01 TEXT NOT NULL, r02 TEXT NOT NULL, r03 TEXT NOT "
            "NULL,"
            " r04 BIGINT NOT NULL, r05 BIGINT NOT NULL, r06 BIGINT NOT NULL, created BIGINT NOT NULL,"
            " kon BIGINT NOT NULL DEFAULT 0, best BIGINT NOT NULL DEFAULT 0,"
            " rating DOUBLE PRECISION NOT NULL DEFAULT 0, sessions BIGINT NOT NULL DEFAULT 0,"
            " konl BIGINT NOT NULL DEFAULT 0, score BIGINT NOT NULL DEFAULT 0, r1 BIGINT NOT NULL DEFAULT 0,"
            " r2 TEXT NOT NULL DEFAULT '#'" +
            profileColumns + ")",
        "CREATE INDEX accounts_by_rating ON accounts (rating, kon)",
        // Sessions are kept by the hash of their cookie, never the cookie itself.
        "CREATE TABLE sessions (token_hash TEXT PRIMARY KEY, nick TEXT NOT NULL, created BIGINT NOT NULL)",
        // Every post to a world list is an entry; list 100 is the games chat, numbered by the service.
        "CREATE TABLE world_entries (id " + id +
            ", list BIGINT NOT NULL, nick TEXT NOT NULL, city TEXT NOT NULL, country TEXT NOT NULL,"
            " score BIGINT NOT NULL, r7 TEXT NOT NULL, r8 TEXT NOT NULL, r9 TEXT NOT NULL, r10 TEXT NOT NULL,"
            " posted BIGINT NOT NULL)",
        "CREATE INDEX world_entries_by_place ON world_entries (list, score, id)",
        "CREATE INDEX world_entries_by_player ON world_entries (list, nick, city)",
        "CREATE UNIQUE INDEX chat_numbers ON world_entries (list, score) WHERE list = 100",
        "CREATE TABLE statistics (gid BIGINT PRIMARY KEY, stat1 BIGINT NOT NULL DEFAULT 0,"
        " stat2 BIGINT NOT NULL DEFAULT 0, stat3 BIGINT NOT NULL DEFAULT 0, stat4 TEXT NOT NULL DEFAULT '',"
        " x1 BIGINT NOT NULL DEFAULT 0, x2 BIGINT NOT NULL DEFAULT 0, x3 BIGINT NOT NULL DEFAULT 0,"
        " x4 BIGINT NOT NULL DEFAULT 0, x5 BIGINT NOT NULL DEFAULT 0, x6 BIGINT NOT NULL DEFAULT 0,"
        " x7 BIGINT NOT NULL DEFAULT 0, x8 BIGINT NOT NULL DEFAULT 0, x9 BIGINT NOT NULL DEFAULT 0,"
        " x10 BIGINT NOT NULL DEFAULT 0, x11 BIGINT NOT NULL DEFAULT 0, x12 BIGINT NOT NULL DEFAULT 0,"
        " results BIGINT NOT NULL DEFAULT 0)",
        // One like per nick and day.
        "CREATE TABLE likes (nick TEXT NOT NULL, day TEXT NOT NULL, PRIMARY KEY (nick, day))",
    }};
}

// The tables of the online tournament.
std::vector<QString> TablesMigration() {
    return {
        // The game server admits a player only from the address his session came from.
        "ALTER TABLE sessions ADD COLUMN remote TEXT NOT NULL DEFAULT ''",
        // The ten tables: a row per taken seat, a row per table while its game runs, and the
        // seats left lately (whoever left may clear the seats above his for a while).
        "CREATE TABLE table_seats (table_no BIGINT NOT NULL, seat BIGINT NOT NULL, nick TEXT NOT NULL,"
        " remote TEXT NOT NULL, taken BIGINT NOT NULL, PRIMARY KEY (table_no, seat))",
        "CREATE TABLE tables_playing (table_no BIGINT PRIMARY KEY, started BIGINT NOT NULL)",
        "CREATE TABLE seat_leavings (table_no BIGINT NOT NULL, seat BIGINT NOT NULL, nick TEXT NOT NULL,"
        " left_at BIGINT NOT NULL)",
        // The tournament standing of every nick that finished a table game.
        "CREATE TABLE tournament_standings (nick TEXT PRIMARY KEY, score BIGINT NOT NULL DEFAULT 0,"
        " kon BIGINT NOT NULL DEFAULT 0, rating BIGINT NOT NULL DEFAULT 0, updated BIGINT NOT NULL)",
    };
}

// Counts that keep the busiest reads from walking through whole lists.
std::vector<QString> CountsMigration() {
    return {
        // How many entries each world list holds at each score: an entry's place is the sum over the
        // higher scores, and a list's size the sum over all of them.
        "CREATE TABLE world_scores (list BIGINT NOT NULL, score BIGINT NOT NULL, entries BIGINT NOT NULL,"
        " PRIMARY KEY (list, score))",
        "INSERT INTO world_scores (list, score, entries) SELECT list, score, COUNT(*) FROM world_entries"
        " GROUP BY list, score",
        // A place by rating counts only the rated accounts above it.
        "CREATE INDEX accounts_rated ON accounts (rating) WHERE kon > 0",
    };
}

}  // namespace

std::vector<std::vector<QString>> SchemaMigrations(bool postgres) {
    auto migrations = ServiceMigrations(postgres);
    migrations.push_back(TablesMigration());
    migrations.push_back(CountsMigration());
    return migrations;
}

}  // namespace kesp::service
