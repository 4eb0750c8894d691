#pragma once
// Running the junk scan on a test prefix and reading its rows back.

#include "junk/DriveScan.h"
#include "platform/Progress.h"

#include <string>
#include <vector>

namespace orvane::test {

// Records every status text; folders searched are the texts that name a folder.
class RecordingProgress : public Progress {
public:
    std::vector<std::string> texts;
    void status(std::string_view text) override { texts.emplace_back(text); }
};

struct ScanRun {
    junk::ResultsTable table;
    RecordingProgress progress;
    std::vector<std::string> stored;
    junk::ScanOutcome outcome;

    // Data rows 1..FoundCount as "NAME|PATH|SIZE".
    std::vector<std::string> rows(const AppState& state) const;
    // Folders searched, in order (status texts of the walk, root first).
    std::vector<std::string> visited() const;
};

void runScan(ScanRun& run, FileSystem& fs, AppState& state, const std::string& root,
             size_t capacity = junk::PendingFolders::DefaultCapacity);

} // namespace orvane::test
