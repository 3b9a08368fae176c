#include "tools/tavopack_usage.h"

#include "tools/archive_commands.h"
#include "tools/block_commands.h"
#include "tools/setup_commands.h"

namespace tavo {

std::string TavopackUsage() {
    return BlockUsage() + ArchiveUsage() + SetupUsage();
}

}  // namespace tavo
