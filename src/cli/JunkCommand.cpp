#include "cli/Commands.h"

#include <cstdio>

namespace orvane::cli {

int junkCommand(const std::vector<std::string>&)
{
    std::fputs("orvane-cli: the junk command is not built yet\n", stderr);
    return 1;
}

} // namespace orvane::cli
