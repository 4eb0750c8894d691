#pragma once
// The program's own prefix, created on first start with the Windows 7 folder layout.

#include "platform/Status.h"

#include <string>

namespace orvane {

// The user name the prefix uses for its profile folder (the login name).
std::string prefixUserName();
// Creates (or completes) the prefix at `root`: dosdevices/c: -> ../drive_c, z: -> /,
// the Windows and profile folders, and `.update-timestamp` = "disable". Existing files are
// left as they are.
Status createOwnPrefix(const std::string& root, const std::string& user);

} // namespace orvane
