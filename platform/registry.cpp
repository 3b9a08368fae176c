#include "platform/registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/folders.h"
#include "platform/root.h"
#include "platform/utf8.h"

namespace tavo::platform {
namespace {

constexpr char kSchema[] =
    "CREATE TABLE IF NOT EXISTS keys(id INTEGER PRIMARY KEY, parent INTEGER NOT NULL,"
    " name TEXT NOT NULL, fold TEXT NOT NULL, UNIQUE(parent, fold));"
    "CREATE TABLE IF NOT EXISTS vals(key INTEGER NOT NULL, name TEXT NOT NULL,"
    " fold TEXT NOT NULL, kind INTEGER NOT NULL, text TEXT, num INTEGER,"
    " PRIMARY KEY(key, fold));";

constexpr char kClassesRoot[] = "Software\\Classes";

std::string FolderOf(const std::string& file) {
    return file.substr(0, file.rfind('/') + 1);
}

// Folders of the machine hive stay readable for everyone.
bool MakeHiveFolder(const std::string& folder) {
    const mode_t old = ::umask(022);
    const bool made = MakeFolders(folder);
    ::umask(old);
    return made;
}

}  // namespace

std::string RegistryFileFor(RegHive hive) {
    if (hive == RegHive::CurrentUser) return HomeFolder() + ".local/share/tavo/registry/user.db";
    return UnderRoot("/var/lib/tavo/registry/machine.db");
}

Registry::Registry(RegHive hive) : hive_(hive) {}

bool Registry::Fail(const std::string& reason) {
    lastError_ = reason;
    return false;
}

bool Registry::Connect(bool writable) {
    if (db_ && (writable_ || !writable)) return true;
    const std::string file = RegistryFileFor(hive_);
    if (writable) {
        db_.reset();
        if (MakeHiveFolder(FolderOf(file))) db_ = SqliteDb::Open(file, true, true);
        // A hive we may not change opens read-only: reads work, writes are refused.
        if (db_ && !db_->ReadOnly() && db_->Exec(kSchema)) {
            writable_ = true;
            return true;
        }
        db_.reset();
    }
    std::error_code ec;
    if (!db_ && std::filesystem::exists(file, ec)) db_ = SqliteDb::Open(file, false, false);
    writable_ = false;
    if (!db_) return Fail("Registry nicht verfügbar: " + file);
    return !writable || Fail("Keine Schreibrechte für die Registry: " + file);
}

std::vector<std::string> Registry::Segments(const std::string& path) const {
    std::vector<std::string> parts;
    const bool absolute = !path.empty() && path[0] == '\\';
    const bool fromRoot = absolute || !keyOpen_;
    std::string full = fromRoot ? path : currentPath_ + "\\" + path;
    // The classes hive is a branch of the machine hive; the open key's path already has it.
    if (fromRoot && hive_ == RegHive::ClassesRoot) full = std::string(kClassesRoot) + "\\" + full;
    size_t pos = 0;
    while (pos <= full.size()) {
        const size_t end = std::min(full.find('\\', pos), full.size());
        if (end > pos) parts.push_back(full.substr(pos, end - pos));
        pos = end + 1;
    }
    return parts;
}

std::optional<Registry::Found> Registry::Resolve(const std::string& path, bool create,
                                                 bool* existed) {
    if (existed) *existed = true;
    Found found{0, ""};
    for (const std::string& segment : Segments(path)) {
        const std::string fold = CaseFold(segment);
        SqliteStmt find(*db_, "SELECT id, name FROM keys WHERE parent = ?1 AND fold = ?2");
        find.Bind(1, found.id).Bind(2, fold);
        std::string name = segment;
        if (find.Row()) {
            found.id = find.Int(0);
            name = find.Text(1);
        } else if (create) {
            SqliteStmt insert(*db_, "INSERT INTO keys(parent, name, fold) VALUES(?1, ?2, ?3)");
            if (!insert.Bind(1, found.id).Bind(2, segment).Bind(3, fold).Run()) return std::nullopt;
            found.id = db_->LastInsertId();
            if (existed) *existed = false;
        } else {
            return std::nullopt;
        }
        found.path += (found.path.empty() ? "" : "\\") + name;
    }
    return found;
}

bool Registry::OpenKeyAccess(const std::string& path, bool canCreate, bool writable) {
    if (!Connect(writable)) return false;
    std::optional<Found> found;
    if (canCreate) {
        SqliteTransaction tx(*db_);
        if (!tx.active()) return Fail("Registry belegt: " + db_->LastError());
        found = Resolve(path, true, nullptr);
        if (!found || !tx.Commit()) return Fail("Schlüssel nicht angelegt: " + path);
    } else {
        found = Resolve(path, false, nullptr);
        if (!found) return Fail("Schlüssel nicht gefunden: " + path);
    }
    currentKey_ = found->id;
    currentPath_ = found->path;
    keyOpen_ = true;
    return true;
}

bool Registry::OpenKey(const std::string& path, bool canCreate) {
    return OpenKeyAccess(path, canCreate, true);
}

bool Registry::OpenKeyReadOnly(const std::string& path) {
    return OpenKeyAccess(path, false, false);
}

bool Registry::CreateKey(const std::string& path, bool* existed) {
    if (!Connect(true)) return false;
    SqliteTransaction tx(*db_);
    if (!tx.active()) return Fail("Registry belegt: " + db_->LastError());
    if (!Resolve(path, true, existed) || !tx.Commit())
        return Fail("Schlüssel nicht angelegt: " + path);
    return true;
}

void Registry::CloseKey() {
    currentKey_ = 0;
    currentPath_.clear();
    keyOpen_ = false;
}

bool Registry::KeyExists(const std::string& path) {
    return Connect(false) && Resolve(path, false, nullptr).has_value();
}

bool Registry::DeleteKey(const std::string& path) {
    if (!Connect(true)) return false;
    SqliteTransaction tx(*db_);
    if (!tx.active()) return Fail("Registry belegt: " + db_->LastError());
    const auto found = Resolve(path, false, nullptr);
    if (!found) return Fail("Schlüssel nicht gefunden: " + path);
    if (found->id == 0) return Fail("Der Stamm der Registry kann nicht gelöscht werden");
    constexpr char kSubtree[] =
        "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL"
        " SELECT keys.id FROM keys JOIN sub ON keys.parent = sub.id) ";
    SqliteStmt values(*db_, (std::string(kSubtree) + "DELETE FROM vals WHERE key IN sub").c_str());
    SqliteStmt keys(*db_, (std::string(kSubtree) + "DELETE FROM keys WHERE id IN sub").c_str());
    if (!values.Bind(1, found->id).Run() || !keys.Bind(1, found->id).Run() || !tx.Commit())
        return Fail("Schlüssel nicht gelöscht: " + path);
    if (keyOpen_ && (currentKey_ == found->id || !KeyStillThere(currentKey_))) CloseKey();
    return true;
}

std::vector<std::string> Registry::GetKeyNames() {
    std::vector<std::string> names;
    if (!Connect(false)) return names;
    SqliteStmt list(*db_, "SELECT name FROM keys WHERE parent = ?1 ORDER BY fold");
    list.Bind(1, currentKey_);
    while (list.Row()) names.push_back(list.Text(0));
    return names;
}

bool Registry::KeyStillThere(std::int64_t id) {
    if (id == 0) return true;
    SqliteStmt find(*db_, "SELECT 1 FROM keys WHERE id = ?1");
    return find.Bind(1, id).Row();
}

RegValueType Registry::GetDataType(const std::string& name) {
    if (!Connect(false)) return RegValueType::None;
    SqliteStmt find(*db_, "SELECT kind FROM vals WHERE key = ?1 AND fold = ?2");
    if (!find.Bind(1, currentKey_).Bind(2, CaseFold(name)).Row()) return RegValueType::None;
    return static_cast<RegValueType>(find.Int(0));
}

bool Registry::ValueExists(const std::string& name) {
    return GetDataType(name) != RegValueType::None;
}

std::optional<std::string> Registry::ReadString(const std::string& name) {
    if (!Connect(false)) return std::nullopt;
    SqliteStmt find(*db_, "SELECT kind, text FROM vals WHERE key = ?1 AND fold = ?2");
    if (!find.Bind(1, currentKey_).Bind(2, CaseFold(name)).Row()) {
        Fail("Wert nicht gefunden: " + name);
        return std::nullopt;
    }
    if (find.Int(0) != static_cast<int>(RegValueType::String)) {
        Fail("Wert ist keine Zeichenkette: " + name);
        return std::nullopt;
    }
    return find.Text(1);
}

std::optional<std::int32_t> Registry::ReadInteger(const std::string& name) {
    if (!Connect(false)) return std::nullopt;
    SqliteStmt find(*db_, "SELECT kind, num FROM vals WHERE key = ?1 AND fold = ?2");
    if (!find.Bind(1, currentKey_).Bind(2, CaseFold(name)).Row()) {
        Fail("Wert nicht gefunden: " + name);
        return std::nullopt;
    }
    if (find.Int(0) != static_cast<int>(RegValueType::Integer)) {
        Fail("Wert ist keine Zahl: " + name);
        return std::nullopt;
    }
    return static_cast<std::int32_t>(find.Int(1));
}

bool Registry::WriteValue(const std::string& name, RegValueType type, const std::string& text,
                          std::int64_t number) {
    if (!Connect(true)) return false;
    SqliteTransaction tx(*db_);
    if (!tx.active()) return Fail("Registry belegt: " + db_->LastError());
    // Another process may have deleted the open key meanwhile.
    if (!KeyStillThere(currentKey_)) return Fail("Schlüssel nicht mehr vorhanden: " + currentPath_);
    SqliteStmt upsert(*db_,
                      "INSERT INTO vals(key, name, fold, kind, text, num) VALUES(?1,?2,?3,?4,?5,?6)"
                      " ON CONFLICT(key, fold) DO UPDATE SET kind = excluded.kind,"
                      " text = excluded.text, num = excluded.num");
    upsert.Bind(1, currentKey_).Bind(2, name).Bind(3, CaseFold(name));
    upsert.Bind(4, static_cast<std::int64_t>(type));
    if (type == RegValueType::String)
        upsert.Bind(5, text).BindNull(6);
    else
        upsert.BindNull(5).Bind(6, number);
    if (!upsert.Run() || !tx.Commit()) return Fail("Wert nicht geschrieben: " + name);
    return true;
}

bool Registry::WriteString(const std::string& name, const std::string& value) {
    return WriteValue(name, RegValueType::String, value, 0);
}

bool Registry::WriteInteger(const std::string& name, std::int32_t value) {
    return WriteValue(name, RegValueType::Integer, {}, value);
}

bool Registry::DeleteValue(const std::string& name) {
    if (!Connect(true)) return false;
    SqliteStmt remove(*db_, "DELETE FROM vals WHERE key = ?1 AND fold = ?2");
    if (!remove.Bind(1, currentKey_).Bind(2, CaseFold(name)).Run())
        return Fail("Wert nicht gelöscht: " + name);
    if (db_->Changes() == 0) return Fail("Wert nicht gefunden: " + name);
    return true;
}

std::vector<std::string> Registry::GetValueNames() {
    std::vector<std::string> names;
    if (!Connect(false)) return names;
    SqliteStmt list(*db_, "SELECT name FROM vals WHERE key = ?1 ORDER BY fold");
    list.Bind(1, currentKey_);
    while (list.Row()) names.push_back(list.Text(0));
    return names;
}

}  // namespace tavo::platform
