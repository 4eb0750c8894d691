#pragma once
// Whether a wineserver is running for a prefix: the server holds a POSIX write lock on the
// `lock` file of its server folder while it runs.

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The folders a server of `prefixRoot` may use, most likely first:
// `$XDG_RUNTIME_DIR/wine/server-<dev>-<ino>`, `/tmp/<name in <prefix>/wineserver>/server-...`
// and `/tmp/.wine-<uid>/server-...` (dev and inode of the prefix folder in lower-case hex).
// Empty when the prefix folder cannot be examined.
std::vector<std::string> wineServerFolders(const std::string& prefixRoot, const std::string& xdgRuntimeDir,
                                           unsigned uid, const std::string& tmpDir = "/tmp");

// The pid of the running server, nullopt when none runs (uses the process environment).
std::optional<long> runningWineServer(const std::string& prefixRoot);

// The lock test on one server folder.
std::optional<long> lockHolder(const std::string& serverFolder);

} // namespace orvane
