#pragma once
// The command line shared by the benchmarks that walk a generated tree:
//   [--dir=TREE] [--files=N] [--folders=N] [--seed=N] [--reps=N] [--keep]

#include "Timing.h"
#include "TreeGenerator.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace orvane::bench {

struct TreeBenchOptions {
    std::string tree;  // an existing tree; "" = generate one from `spec`
    uint64_t reps = 5; // repetitions, at least 1
    bool keep = false; // keep a generated tree afterwards
};

// Parses the options into `options` and `spec`; prints the usage for `program` and returns
// false on an unknown argument.
inline bool parseTreeBenchOptions(int argc, char** argv, const char* program, TreeSpec& spec, TreeBenchOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        uint64_t v = 0;
        if (std::strncmp(argv[i], "--dir=", 6) == 0) options.tree = argv[i] + 6;
        else if (numberOption(argv[i], "--files", v)) spec.files = v;
        else if (numberOption(argv[i], "--folders", v)) spec.folders = v;
        else if (numberOption(argv[i], "--seed", v)) spec.seed = v;
        else if (numberOption(argv[i], "--reps", v)) options.reps = v ? v : 1;
        else if (std::strcmp(argv[i], "--keep") == 0) options.keep = true;
        else {
            std::fprintf(stderr, "usage: %s [--dir=TREE] [--files=N] [--folders=N] [--seed=N] [--reps=N] [--keep]\n",
                         program);
            return false;
        }
    }
    return true;
}

} // namespace orvane::bench
