#pragma once

#include <utility>

namespace tavo::platform {

// Owns one file descriptor and closes it on every path.
class UniqueFd {
  public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& o) noexcept : fd_(std::exchange(o.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& o) noexcept {
        if (this != &o) {
            Reset();
            fd_ = std::exchange(o.fd_, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void Reset();
    // Gives up ownership; the caller closes the descriptor.
    int Release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

}  // namespace tavo::platform
