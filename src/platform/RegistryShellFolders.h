#pragma once
// Special folders from the prefix's registry, resolved as Windows and Wine resolve them:
// "User Shell Folders" (expanded) first, then "Shell Folders" of the current user.

#include "platform/Registry.h"
#include "platform/ShellFolders.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::reg {

class RegistryShellFolders : public ShellFolders {
public:
    // `bitBucket` answers CSIDL_BITBUCKET (the Recycle Bin service knows where the Trash is).
    RegistryShellFolders(Registry& registry, std::function<std::optional<std::string>()> bitBucket);

    std::optional<std::string> folder(int csidl) override;

    // ExpandEnvironmentStrings on the prefix: %USERPROFILE%, %SystemRoot%, %windir%,
    // %SystemDrive%, %USERNAME%, then the user's and the system's Environment keys. Unknown
    // names stay as written.
    std::string expand(std::string_view text);

private:
    std::optional<std::string> variable(std::string_view name);
    std::optional<std::string> profile();
    std::optional<std::string> systemRoot();

    Registry& registry_;
    std::function<std::optional<std::string>()> bitBucket_;
    int depth_ = 0; // nesting of expand(), bounded
};

} // namespace orvane::reg
