#include "platform/unique_fd.h"

#include <unistd.h>

namespace tavo::platform {

void UniqueFd::Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace tavo::platform
