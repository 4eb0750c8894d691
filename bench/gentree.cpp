// orvane-gentree: creates a benchmark tree.
//   orvane-gentree DIR [--seed=N] [--files=N] [--folders=N] [--depth=N] [--junk=PERCENT]
//                      [--duplicates=PERCENT] [--links=N] [--unreadable=N] [--non-utf8=N] [--max-bytes=N]

#include "TreeGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace orvane::bench;

namespace {

bool option(const char* arg, const char* name, uint64_t& value)
{
    const size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) != 0 || arg[length] != '=')
        return false;
    char* end = nullptr;
    value = std::strtoull(arg + length + 1, &end, 10);
    if (!end || *end) {
        std::fprintf(stderr, "orvane-gentree: %s needs a number\n", name);
        std::exit(2);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    TreeSpec spec;
    std::string root;
    for (int i = 1; i < argc; ++i) {
        uint64_t v = 0;
        const char* a = argv[i];
        if (option(a, "--seed", v)) spec.seed = v;
        else if (option(a, "--files", v)) spec.files = v;
        else if (option(a, "--folders", v)) spec.folders = v;
        else if (option(a, "--depth", v)) spec.maxDepth = v;
        else if (option(a, "--junk", v)) spec.junkPercent = unsigned(v);
        else if (option(a, "--duplicates", v)) spec.duplicatePercent = unsigned(v);
        else if (option(a, "--links", v)) spec.symlinks = v;
        else if (option(a, "--unreadable", v)) spec.unreadableFolders = v;
        else if (option(a, "--non-utf8", v)) spec.nonUtf8Names = v;
        else if (option(a, "--max-bytes", v)) spec.maxFileBytes = uint32_t(v);
        else if (a[0] != '-' && root.empty()) root = a;
        else {
            std::fprintf(stderr, "usage: orvane-gentree DIR [--seed=N] [--files=N] [--folders=N] [--depth=N] "
                                 "[--junk=P] [--duplicates=P] [--links=N] [--unreadable=N] [--non-utf8=N] "
                                 "[--max-bytes=N]\n");
            return 2;
        }
    }
    if (root.empty()) {
        std::fprintf(stderr, "orvane-gentree: which folder? (it must not exist yet)\n");
        return 2;
    }
    TreeSummary s;
    if (const auto status = generateTree(root, spec, s); !status) {
        std::fprintf(stderr, "orvane-gentree: %s\n", status.message.c_str());
        return 1;
    }
    std::printf("folders %zu\nfiles %zu\njunk files %zu\nduplicate files %zu\nsymlinks %zu\n"
                "unreadable folders %zu\nfiles in unreadable folders %zu\nnon-UTF-8 names %zu\nbytes %llu\n",
                s.folders, s.files, s.junkFiles, s.duplicateFiles, s.symlinks, s.unreadableFolders,
                s.filesInUnreadable, s.nonUtf8Names, static_cast<unsigned long long>(s.bytes));
    return 0;
}
