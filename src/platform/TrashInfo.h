#pragma once
// The text of the freedesktop.org Trash: `.trashinfo` files, the percent-encoding of their
// paths and the lines of the `directorysizes` cache. Pure text work, no I/O.

#include "platform/Status.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::trashinfo {

struct TrashInfo {
    std::string path;         // decoded bytes: absolute, or relative to the trash's top folder
    std::string deletionDate; // "YYYY-MM-DDThh:mm:ss", local time, as written in the file
};

// RFC 2396 escaping of a path: every byte but letters, digits, "-_.!~*'()" and '/' becomes %XX.
std::string percentEncode(std::string_view bytes);
// The inverse; nullopt on a '%' not followed by two hex digits.
std::optional<std::string> percentDecode(std::string_view text);

// "2024-03-01T09:05:07" for `when` in local time.
std::string formatDeletionDate(std::time_t when);
bool isValidDeletionDate(std::string_view text);

// "[Trash Info]\nPath=<encoded>\nDeletionDate=<date>\n"
std::string format(const TrashInfo& info);
// Reads a `.trashinfo`. Needs the "[Trash Info]" group as the first group and a Path key whose
// escapes are valid; keys it does not know, comments and other groups are ignored. A missing
// or malformed DeletionDate is kept as written (the file still names the original place).
Status parse(std::string_view text, TrashInfo& out);

// One line of `directorysizes`: "<bytes> <trashinfo mtime, seconds> <encoded name>\n".
std::string directorySizesLine(uint64_t bytes, int64_t infoMtimeSeconds, std::string_view name);

} // namespace orvane::trashinfo
