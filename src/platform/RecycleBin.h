#pragma once
// The Recycle Bin, backed by the freedesktop.org Trash.

#include "platform/Status.h"

#include <string>
#include <string_view>

namespace orvane {

class RecycleBin {
public:
    virtual ~RecycleBin() = default;
    // Moves the file (or link) into the Trash of its file system, restorable from a desktop
    // file manager. Fails, leaving the item in place, when no Trash can take it there.
    virtual Status recycleFile(std::string_view windowsPath) = 0;
    virtual Status recycleFolder(std::string_view windowsPath) = 0;
    // SHEmptyRecycleBinA for every Trash the user has.
    virtual Status emptyAll() = 0;
    // The bit bucket (CSIDL 10): the home Trash's "files" folder as a Windows path, or "".
    virtual std::string binFolder() = 0;
};

} // namespace orvane
