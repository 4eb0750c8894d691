#pragma once
// Where the browser folders and the Recycle Bin are: start-up detection from the shell's
// special folders and the fixed Recycle Bin candidates, and the folder screen's Auto Detect.

#include "app/AppState.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"

#include <array>
#include <functional>
#include <string>

namespace orvane::junk {

using StoreFolderPathFn = std::function<void(const std::string& entry)>; // key + path

// Tested in this order; the last one that exists as a folder wins.
inline constexpr std::array<const char*, 3> RecycleBinCandidates{"C:\\RECYCLED", "C:\\RECYCLER", "C:\\$Recycle.Bin"};

// Start-up: cookies, history ("hi" stored), internet cache ("ie" stored), recent, Windows and
// bit bucket ("lx" stored) from the shell, then the fixed candidates ("lx" stored each).
void detectFolderPathsAtStartup(ShellFolders& shell, FileSystem& fs, FolderPaths& paths, const StoreFolderPathFn& store);

// Auto Detect: cookies, history, internet cache, recent and bit bucket from the shell, the
// candidates (each stored at once), then every non-empty stored path recorded again.
void autoDetectFolderPaths(ShellFolders& shell, FileSystem& fs, FolderPaths& paths, const StoreFolderPathFn& store);

} // namespace orvane::junk
