#pragma once
// A deterministic test tree for benchmarks: the same seed and counts give the same folders,
// names, sizes and contents on every machine.

#include "platform/Status.h"

#include <cstdint>
#include <string>

namespace orvane::bench {

struct TreeSpec {
    uint64_t seed = 1;
    size_t folders = 20000;          // below the root
    size_t files = 200000;
    size_t maxDepth = 12;            // folder levels below the root
    unsigned junkPercent = 20;       // files named to match a junk mask (*.tmp, ~*.*, *.??$, ...)
    unsigned duplicatePercent = 5;   // files that repeat an earlier file's name and content
    size_t symlinks = 200;           // to files, to folders (ancestor loops) and to nothing
    size_t unreadableFolders = 20;   // mode 000 once filled; root still reads them
    size_t nonUtf8Names = 100;       // file names holding bytes that are not UTF-8
    uint32_t maxFileBytes = 1024;    // sizes are uniform in [0, maxFileBytes]
};

struct TreeSummary {
    size_t folders = 0;
    size_t files = 0;            // regular files
    size_t junkFiles = 0;
    size_t duplicateFiles = 0;
    size_t symlinks = 0;
    size_t unreadableFolders = 0;
    size_t nonUtf8Names = 0;
    size_t filesInUnreadable = 0; // regular files at or below an unreadable folder
    uint64_t bytes = 0;           // sum of the regular files' sizes
};

// Creates the tree in `root`, which must not exist yet.
Status generateTree(const std::string& root, const TreeSpec& spec, TreeSummary& summary);
// Gives back the permissions the generator took and removes the tree.
Status removeTree(const std::string& root);

} // namespace orvane::bench
