#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/sqlite_db.h"

namespace tavo::platform {

// The registry: hives kept in SQLite files under the root prefix.
//   HKEY_LOCAL_MACHINE  R/var/lib/tavo/registry/machine.db   (writable only for root)
//   HKEY_CURRENT_USER   R$HOME/.local/share/tavo/registry/user.db
//   HKEY_CLASSES_ROOT   HKEY_LOCAL_MACHINE\Software\Classes
// Tables:
//   keys(id, parent, name, fold)              parent 0 is the hive's root; fold = case-folded
//   vals(key, name, fold, kind, text, num)    kind 1 string (REG_SZ), 4 integer (REG_DWORD)
// Key paths and value names compare by their case-folded form and keep the spelling they
// were first written with. Every change is one transaction, so it lands whole or not at all,
// and a busy hive is waited for, so several processes can use it at once.
enum class RegHive { LocalMachine, CurrentUser, ClassesRoot };
enum class RegValueType { None = 0, String = 1, Integer = 4 };

std::string RegistryFileFor(RegHive hive);

class Registry {
  public:
    explicit Registry(RegHive hive);

    // A path beginning with "\" starts at the hive's root, any other at the open key.
    bool OpenKey(const std::string& path, bool canCreate);
    bool OpenKeyReadOnly(const std::string& path);
    bool CreateKey(const std::string& path, bool* existed = nullptr);
    void CloseKey();
    bool KeyExists(const std::string& path);
    bool DeleteKey(const std::string& path);  // with all its subkeys and values
    std::vector<std::string> GetKeyNames();
    // The open key's path from the hive's root, in the spelling first written.
    const std::string& CurrentPath() const { return currentPath_; }

    // Values of the open key (or of the hive's root when none is open). "" is the default.
    bool ValueExists(const std::string& name);
    RegValueType GetDataType(const std::string& name);
    std::optional<std::string> ReadString(const std::string& name);
    std::optional<std::int32_t> ReadInteger(const std::string& name);
    bool WriteString(const std::string& name, const std::string& value);
    bool WriteInteger(const std::string& name, std::int32_t value);
    bool DeleteValue(const std::string& name);
    std::vector<std::string> GetValueNames();

    // Why the last operation failed (German, for the log).
    const std::string& LastError() const { return lastError_; }

  private:
    struct Found {
        std::int64_t id;
        std::string path;
    };
    bool Connect(bool writable);
    std::vector<std::string> Segments(const std::string& path) const;
    std::optional<Found> Resolve(const std::string& path, bool create, bool* existed);
    bool OpenKeyAccess(const std::string& path, bool canCreate, bool writable);
    bool KeyStillThere(std::int64_t id);
    bool Fail(const std::string& reason);
    bool WriteValue(const std::string& name, RegValueType type, const std::string& text,
                    std::int64_t number);

    RegHive hive_;
    std::optional<SqliteDb> db_;
    bool writable_ = false;
    std::int64_t currentKey_ = 0;
    std::string currentPath_;
    bool keyOpen_ = false;
    std::string lastError_;
};

}  // namespace tavo::platform
