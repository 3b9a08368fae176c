// tavopack: builds and inspects the setup's payload containers.
#include <iostream>
#include <string>
#include <vector>

#include "tools/archive_commands.h"
#include "tools/block_commands.h"
#include "tools/setup_commands.h"
#include "tools/tavopack_usage.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "block")
        return tavo::RunBlockCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
    if (!args.empty() && args[0] == "archive")
        return tavo::RunArchiveCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
    if (!args.empty() && args[0] == "setup")
        return tavo::RunSetupCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
    std::cerr << tavo::TavopackUsage();
    return 2;
}
