// The service's database through Qt SQL: an SQLite file by default, PostgreSQL on request, used
// through a small pool of connections; the schema is brought up to date at start.
#pragma once

#include <QSqlDatabase>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "service/connection_pool.h"

namespace kesp::service {

using Row = std::vector<QVariant>;
using Rows = std::vector<Row>;

class Store {
  public:
    // `databaseUrl` empty: SQLite in `sqliteFile`; otherwise postgresql://USER:PW@HOST:PORT/DB.
    static std::optional<Store> Open(const std::string& sqliteFile, const std::string& databaseUrl,
                                     std::string& error);

    // Applies the migrations the database has not seen yet.
    bool Migrate(std::string& error);
    bool IsPostgres() const { return settings_.postgres; }

    // Runs `work` on one of the pool's connections and returns once it has run. The connection is
    // not open when the database cannot be reached.
    PoolTiming Use(const std::function<void(QSqlDatabase&)>& work) const;
    // Runs `work` on one of the pool's connections later, without waiting for it.
    bool Post(ConnectionPool::Work work) const;
    // The same as Use on the few connections kept for work that hashes passwords; not run (and
    // `ran` false) when too many wait for them or the wait is too long.
    PoolTiming UseForPasswords(const std::function<void(QSqlDatabase&)>& work) const;

    struct Settings {
        bool postgres = false;
        QString host, user, password, name;
        int port = 0;
    };

  private:
    Store() = default;
    Settings settings_;
    std::shared_ptr<ConnectionPool> pool_, passwordPool_;
};

// postgresql://USER:PW@HOST:PORT/DB (or postgres://) read into `settings`; false when it is not one.
bool ReadDatabaseUrl(const std::string& url, Store::Settings& settings);

// A UTF-8 text as a bound value, and a text column's value back.
inline QVariant Text(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string String(const QVariant& value) {
    return value.toString().toStdString();
}

// A statement with bound values; nothing on a database error.
std::optional<Rows> Select(QSqlDatabase& db, const QString& sql, const std::vector<QVariant>& values = {});
bool Execute(QSqlDatabase& db, const QString& sql, const std::vector<QVariant>& values = {});

// One transaction: rolled back unless Commit succeeds. Writers take the write lock at the start,
// so two writers never deadlock over an upgrade.
class Transaction {
  public:
    Transaction(QSqlDatabase& db, bool postgres);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool Began() const { return began_; }
    bool Commit();

  private:
    QSqlDatabase& db_;
    bool began_ = false;
    bool done_ = false;
};

// One statement in a transaction of its own; true once it is committed.
bool ExecuteCommitted(QSqlDatabase& db, bool postgres, const QString& sql,
                      const std::vector<QVariant>& values);

}  // namespace kesp::service
