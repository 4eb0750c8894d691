#pragma once
// Special folders from a fixed table, for tests of the folder-path detection.

#include "platform/ShellFolders.h"

#include <map>

namespace orvane::test {

class FixedShellFolders : public ShellFolders {
public:
    std::map<int, std::string> folders; // CSIDL -> Windows path; missing = the call fails
    std::optional<std::string> folder(int csidl) override
    {
        const auto it = folders.find(csidl);
        if (it == folders.end())
            return std::nullopt;
        return it->second;
    }
};

} // namespace orvane::test
