#pragma once
// Small POSIX helpers shared by the Linux services: whole writes and folder creation.

#include "platform/Status.h"

#include <string>

namespace orvane::posix {

// Writes all of `data` to `fd` (retrying short writes and EINTR); `path` names it in errors.
Status writeAll(int fd, const std::string& data, const std::string& path);
// mkdir -p with mode 0755; existing folders are fine, a file in the way is an error.
Status makeFolders(const std::string& path);

} // namespace orvane::posix
