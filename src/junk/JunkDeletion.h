#pragma once
// The engine part of the Delete button (BB5Click): removes every row still marked "Yes",
// to the disk or to the Recycle Bin, and counts only what is really gone.

#include "app/AppState.h"
#include "junk/ResultsTable.h"
#include "platform/FileSystem.h"
#include "platform/Progress.h"
#include "platform/RecycleBin.h"

#include <string>
#include <vector>

namespace orvane::junk {

struct NotRemoved {
    std::string path;
    std::string reason; // why it is still there
};

struct DeletionOutcome {
    int removed = 0;                   // files really gone
    double recoveredKB = 0;            // what was added to RecoveredKB
    std::vector<NotRemoved> notRemoved; // changed since listed, locked, no permission, gone
    // Per grid row 1..FoundCount: "removed", "kept" (marked "No"), "listed twice" (a file
    // matching two masks, removed with its first row), or why it was not removed.
    std::vector<std::string> fates;
    // Set when a "Yes" row's SIZE cell is not a number: the deletion stopped at that row and
    // the grid was left as it was.
    std::string conversionError;
};

// Status texts of the deletion.
inline constexpr const char* DeletingStatusText = "Deleting junk files - please wait (can take some minutes).";
inline constexpr const char* CleanedStatusText = "----------- Disk garbage cleaned";
std::string deletingFileStatus(const std::string& name);

// Rows 1..FoundCount: a "Yes" row's file is removed when it is still the file that was listed
// (same device, inode, size and modification time). Its SIZE kilobytes go to RecoveredKB only
// when this row removed it (a second row of the same file adds nothing). The grid is cleared at the end (not after a conversion error).
DeletionOutcome deleteMarkedRows(FileSystem& fs, RecycleBin& bin, AppState& state, ResultsTable& table,
                                 Progress& progress);

// "3 files could not be removed:" followed by a line per file (at most `maxLines`).
std::string notRemovedReport(const DeletionOutcome& outcome, size_t maxLines = 10);

} // namespace orvane::junk
