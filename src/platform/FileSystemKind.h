#pragma once
// Which kind of file system holds a host path, and whether overwriting a file in place there
// is known not to reach every copy of its data.

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// "ext4", "btrfs", "xfs", "zfs", "overlay", "tmpfs", ... from statfs; "unknown (0x...)" for a
// type this list does not name; nullopt when statfs fails (the path does not exist).
std::optional<std::string> fileSystemName(const std::string& hostPath);

// Copy-on-write, log-structured, layered and network file systems: an overwrite writes new
// blocks (or a new layer, or a server's copy) and leaves the old data where it was.
bool overwriteIsUnreliable(std::string_view fileSystemName);

} // namespace orvane
