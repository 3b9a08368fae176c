#include "platform/identity.h"

#include <pwd.h>
#include <unistd.h>

#include <climits>

namespace tavo::platform {

std::string UserName() {
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name) return pw->pw_name;
    return {};
}

std::string ComputerName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

bool IsAdministrator() {
    return ::geteuid() == 0;
}

}  // namespace tavo::platform
