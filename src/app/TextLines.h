#pragma once
// A text file held as a list of lines, as the settings and language files are kept in memory.
// Lines are bytes as stored (not necessarily valid UTF-8); they are written back with CR LF.

#include "platform/Status.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Splits on LF; a CR before the LF is dropped. A final line ending adds no empty line.
std::vector<std::string> splitLines(std::string_view text);
// Every line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

// Reads a whole file. A missing or unreadable file gives the open error, naming the file.
Status readLines(const std::string& hostPath, std::vector<std::string>& lines);
// Replaces the file with `lines`: written beside it, flushed, then renamed over it, so a failed
// save leaves the old file whole. A file without write permission is refused as Windows refuses
// a read-only file.
Status writeLines(const std::string& hostPath, const std::vector<std::string>& lines);

} // namespace orvane
