#pragma once
// File I/O of the registry: whole-file reads and crash-safe replacement of a hive file.

#include "platform/Status.h"

#include <string>
#include <string_view>

namespace orvane::reg {

struct LoadedFile {
    Status status;
    bool missing = false; // the file does not exist (not an error for a new hive)
    std::string text;
};

LoadedFile readWholeFile(const std::string& path);

// Writes a temporary file in the same folder, syncs it, gives it the mode and owner of the
// file it replaces (0644 for a new one) and renames it over `path`. On failure the old file is
// untouched and the temporary file removed.
Status writeFileAtomically(const std::string& path, std::string_view content);

// "/x/y/user.reg" -> "user.reg", for messages.
std::string fileNameOf(const std::string& path);

} // namespace orvane::reg
