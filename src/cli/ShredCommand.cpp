#include "cli/Commands.h"

#include <cstdio>

namespace orvane::cli {

int shredCommand(const std::vector<std::string>&)
{
    std::fputs("orvane-cli: the shred command is not built yet\n", stderr);
    return 1;
}

} // namespace orvane::cli
