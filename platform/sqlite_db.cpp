#include "platform/sqlite_db.h"

#include <sqlite3.h>

namespace tavo::platform {

void SqliteDb::Closer::operator()(sqlite3* db) const {
    ::sqlite3_close_v2(db);
}

std::optional<SqliteDb> SqliteDb::Open(const std::string& path, bool writable, bool create) {
    int flags = writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
    if (writable && create) flags |= SQLITE_OPEN_CREATE;
    flags |= SQLITE_OPEN_NOMUTEX;
    sqlite3* raw = nullptr;
    const int rc = ::sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    SqliteDb db(raw);
    if (rc != SQLITE_OK) return std::nullopt;
    // Several processes share a hive: wait for a busy writer instead of failing.
    ::sqlite3_busy_timeout(raw, 10000);
    return db;
}

bool SqliteDb::Exec(const char* sql) {
    return ::sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool SqliteDb::ReadOnly() const {
    return ::sqlite3_db_readonly(db_.get(), "main") == 1;
}

std::string SqliteDb::LastError() const {
    return ::sqlite3_errmsg(db_.get());
}

std::int64_t SqliteDb::LastInsertId() const {
    return ::sqlite3_last_insert_rowid(db_.get());
}

int SqliteDb::Changes() const {
    return ::sqlite3_changes(db_.get());
}

SqliteStmt::SqliteStmt(const SqliteDb& db, const char* sql) {
    if (::sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr) != SQLITE_OK) {
        ::sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

SqliteStmt::~SqliteStmt() {
    ::sqlite3_finalize(stmt_);
}

SqliteStmt& SqliteStmt::Bind(int index, std::int64_t value) {
    if (stmt_ && ::sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) failed_ = true;
    return *this;
}

SqliteStmt& SqliteStmt::Bind(int index, const std::string& value) {
    if (stmt_ && ::sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()),
                                     SQLITE_TRANSIENT) != SQLITE_OK)
        failed_ = true;
    return *this;
}

SqliteStmt& SqliteStmt::BindNull(int index) {
    if (stmt_ && ::sqlite3_bind_null(stmt_, index) != SQLITE_OK) failed_ = true;
    return *this;
}

bool SqliteStmt::Row() {
    return stmt_ && !failed_ && ::sqlite3_step(stmt_) == SQLITE_ROW;
}

bool SqliteStmt::Run() {
    return stmt_ && !failed_ && ::sqlite3_step(stmt_) == SQLITE_DONE;
}

std::int64_t SqliteStmt::Int(int column) const {
    return ::sqlite3_column_int64(stmt_, column);
}

std::string SqliteStmt::Text(int column) const {
    const auto* text = ::sqlite3_column_text(stmt_, column);
    const int size = ::sqlite3_column_bytes(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size))
                : std::string();
}

bool SqliteStmt::IsNull(int column) const {
    return ::sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

SqliteTransaction::SqliteTransaction(SqliteDb& db) : db_(db) {
    active_ = db_.Exec("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (active_) db_.Exec("ROLLBACK");
}

bool SqliteTransaction::Commit() {
    if (!active_) return false;
    active_ = false;
    if (db_.Exec("COMMIT")) return true;
    db_.Exec("ROLLBACK");
    return false;
}

}  // namespace tavo::platform
