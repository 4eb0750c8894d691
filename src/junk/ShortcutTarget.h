#pragma once
// ShortcutTarget: the target path a shortcut file names, "" when it cannot be read.

#include "platform/FileSystem.h"

#include <string>
#include <string_view>

namespace orvane::junk {

// As the shell link object loads it: a path without ".lnk" gets ".lnk" appended first; an
// unreadable, truncated or foreign file gives "".
std::string ShortcutTarget(FileSystem& fs, std::string_view shortcutPath);

} // namespace orvane::junk
