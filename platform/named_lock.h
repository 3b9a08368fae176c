#pragma once

#include <optional>
#include <string>

#include "platform/unique_fd.h"

namespace tavo::platform {

// A named system-wide lock, the counterpart of a named mutex: an exclusive flock on
// R/run/lock/tavo-<name>.lock (R/tmp/ when that folder cannot be used). The kernel releases
// it when the holder dies, so a crashed program never blocks the next start.
class NamedLock {
  public:
    // Takes the lock; empty when another process holds it or the lock file cannot be opened.
    static std::optional<NamedLock> TryAcquire(const std::string& name);

    // Whether another process holds the lock; the probe never keeps it.
    static bool IsHeld(const std::string& name);

    // The lock file used for a name.
    static std::string PathFor(const std::string& name);

    NamedLock(NamedLock&&) noexcept = default;
    NamedLock& operator=(NamedLock&&) noexcept = default;
    ~NamedLock() = default;

    const std::string& path() const { return path_; }

  private:
    NamedLock(UniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}

    UniqueFd fd_;
    std::string path_;
};

}  // namespace tavo::platform
