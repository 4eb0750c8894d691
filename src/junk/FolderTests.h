#pragma once
// The name and path verdicts of the drive scan. Case-sensitive "contains" tests, as listed.

#include <string_view>

namespace orvane::junk {

// Folders whose files the pattern search never lists.
bool skippedByPatternSearch(std::string_view folder, std::string_view recycleBinPath);
// "*.LOG" is not searched below installed programs ("rogra").
bool skippedForLogs(std::string_view folder);
// Folders whose dead shortcuts are never listed.
bool skippedByDeadLinkSearch(std::string_view folder, std::string_view recycleBinPath);
// Recycle Bins: "RECY"/"Recy"/"recy", RecycleBinPath itself, and the desktop's Trash folders
// (home trash ".local\share\Trash", per-volume ".Trash" and ".Trash-<uid>"), so a scan never
// lists what the user already threw away.
bool isRecycleFolder(std::string_view folder, std::string_view recycleBinPath);

// File names that are never listed (exact, case-sensitive).
bool isProtectedName(std::string_view name);

// A dead-shortcut candidate whose own path or target rules it out (web and network
// shortcuts, SendTo).
bool deadLinkTargetIsWeb(std::string_view target);
bool deadLinkPathExcluded(std::string_view shortcutPath);

// ExamineFolder: entries never entered ("SYS"/"Sys" in the name).
bool nameBarsEntry(std::string_view name);
// Folders named like the Recycle Bin's neighbours that are never taken for it.
bool isRecycleBinCandidateName(std::string_view name);

} // namespace orvane::junk
