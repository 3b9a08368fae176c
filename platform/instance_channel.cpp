#include "platform/instance_channel.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>

namespace tavo::platform {
namespace {

constexpr char kRequest[] = "activate\n";

// An abstract socket address: no file to clean up after a crash, and the lock path
// (which carries the root prefix) keeps separate roots apart.
socklen_t AddressFor(const std::string& lockPath, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    std::string name = "tavo-instance:" + lockPath;
    if (name.size() > sizeof addr.sun_path - 1)
        name = "tavo-instance:#" + std::to_string(std::hash<std::string>{}(lockPath));
    std::memcpy(addr.sun_path + 1, name.data(), name.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

}  // namespace

std::optional<InstanceListener> InstanceListener::Listen(const std::string& lockPath) {
    UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!fd.valid()) return std::nullopt;
    sockaddr_un addr;
    const socklen_t len = AddressFor(lockPath, addr);
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&addr), len) != 0) return std::nullopt;
    if (::listen(fd.get(), 4) != 0) return std::nullopt;
    return InstanceListener(std::move(fd));
}

bool InstanceListener::TakeActivationRequests() const {
    bool asked = false;
    for (;;) {
        const UniqueFd client(::accept4(fd_.get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!client.valid()) break;
        char buffer[sizeof kRequest] = {};
        // The second start has written its request before it closes; a short wait is enough.
        timeval tv{0, 200000};
        ::setsockopt(client.get(), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        const ssize_t n = ::recv(client.get(), buffer, sizeof buffer - 1, 0);
        if (n > 0 && std::strncmp(buffer, kRequest, static_cast<size_t>(n)) == 0) asked = true;
    }
    return asked;
}

bool RequestActivation(const std::string& lockPath) {
    const UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.valid()) return false;
    sockaddr_un addr;
    const socklen_t len = AddressFor(lockPath, addr);
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&addr), len) != 0) return false;
    const size_t size = sizeof kRequest - 1;
    return ::send(fd.get(), kRequest, size, MSG_NOSIGNAL) == static_cast<ssize_t>(size);
}

}  // namespace tavo::platform
