#pragma once

#include <optional>
#include <string>

#include "platform/unique_fd.h"

namespace tavo::platform {

// How a second start reaches the running instance: the instance that holds the
// single-instance lock listens on a local socket named after the lock file; a second
// start connects and asks it to come to the front.
class InstanceListener {
  public:
    // Listens for the instance that holds the lock at lockPath; empty on failure.
    static std::optional<InstanceListener> Listen(const std::string& lockPath);

    // Descriptor to watch for readability (a pending activation request).
    int fd() const { return fd_.get(); }

    // Accepts all pending requests; true when at least one asked for activation.
    bool TakeActivationRequests() const;

  private:
    explicit InstanceListener(UniqueFd fd) : fd_(std::move(fd)) {}
    UniqueFd fd_;
};

// Asks the instance holding the lock at lockPath to come to the front; true when it listened.
bool RequestActivation(const std::string& lockPath);

}  // namespace tavo::platform
