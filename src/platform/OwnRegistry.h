#pragma once
// The registry files of the program's own prefix, written on first start in Wine's format with
// the Windows 7 layout: what the cleaners and the special-folder lookup read.

#include "platform/Status.h"

#include <string>

namespace orvane::reg {

// Writes `<prefixRoot>/system.reg`, `user.reg` and `userdef.reg` for `user`, each only when it
// does not exist yet (a file a user or Wine changed is never replaced), and
// `.update-timestamp` = "disable" when missing, so that Wine started on the prefix keeps them.
Status createOwnRegistry(const std::string& prefixRoot, const std::string& user);

// The texts of the three files, for tests and for the writer above.
std::string ownSystemReg(const std::string& user);
std::string ownUserReg(const std::string& user);
std::string ownUserDefaultReg(const std::string& user);

} // namespace orvane::reg
