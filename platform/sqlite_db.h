#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace tavo::platform {

// A small owner of one SQLite connection and its prepared statements.
class SqliteDb {
  public:
    // Opens (and with create, makes) the database file; empty on failure.
    static std::optional<SqliteDb> Open(const std::string& path, bool writable, bool create);

    SqliteDb(SqliteDb&&) noexcept = default;
    SqliteDb& operator=(SqliteDb&&) noexcept = default;
    ~SqliteDb() = default;

    bool Exec(const char* sql);
    bool ReadOnly() const;
    std::string LastError() const;
    std::int64_t LastInsertId() const;
    int Changes() const;
    sqlite3* handle() const { return db_.get(); }

  private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    explicit SqliteDb(sqlite3* db) : db_(db) {}
    std::unique_ptr<sqlite3, Closer> db_;
};

// One prepared statement with positional parameters from 1.
class SqliteStmt {
  public:
    SqliteStmt(const SqliteDb& db, const char* sql);
    ~SqliteStmt();
    SqliteStmt(const SqliteStmt&) = delete;
    SqliteStmt& operator=(const SqliteStmt&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    SqliteStmt& Bind(int index, std::int64_t value);
    SqliteStmt& Bind(int index, const std::string& value);
    SqliteStmt& BindNull(int index);
    // Steps once: true while a row is there.
    bool Row();
    // Runs a statement that returns no rows; true on success.
    bool Run();
    std::int64_t Int(int column) const;
    std::string Text(int column) const;
    bool IsNull(int column) const;

  private:
    sqlite3_stmt* stmt_ = nullptr;
    bool failed_ = false;
};

// BEGIN IMMEDIATE ... COMMIT; rolled back unless committed.
class SqliteTransaction {
  public:
    explicit SqliteTransaction(SqliteDb& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    bool active() const { return active_; }
    bool Commit();

  private:
    SqliteDb& db_;
    bool active_ = false;
};

}  // namespace tavo::platform
