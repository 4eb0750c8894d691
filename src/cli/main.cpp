#include "cli/Commands.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::fputs("usage: orvane-cli junk <drive letter or host folder> [--all] [--delete|--trash]\n"
               "       orvane-cli shred [--passes 1|3|7] [--yes] PATH...\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "junk")
        return orvane::cli::junkCommand(args);
    if (command == "shred")
        return orvane::cli::shredCommand(args);
    return usage();
}
