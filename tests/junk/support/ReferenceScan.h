#pragma once
// The drive scan exactly as first described, kept as the reference for the fast engine: one
// listing per folder and mask, a linear search for free slots and for released paths.

#include "app/AppState.h"
#include "platform/FileSystem.h"

#include <array>
#include <string>
#include <vector>

namespace orvane::test {

struct ReferenceRow {
    std::array<std::string, 4> cells; // NAME, PATH, SIZE, DELETE?
    bool operator==(const ReferenceRow&) const = default;
};

struct ReferenceResult {
    std::vector<ReferenceRow> rows;
    std::vector<std::string> visited; // folders in the order they were searched
    std::vector<std::string> stored;  // StoreFolderPath entries
    FolderPaths paths;
    double foundBytes = 0;
};

// `state` gives the boxes and the folder paths at the start.
ReferenceResult referenceScan(FileSystem& fs, AppState state, const std::string& root, size_t capacity = 250000);

} // namespace orvane::test
