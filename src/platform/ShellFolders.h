#pragma once
// The shell's special folders (SHGetFolderPathA), resolved from the prefix's registry as
// Windows and Wine resolve them.

#include <optional>
#include <string>

namespace orvane {

// CSIDL values the program asks for.
enum Csidl : int {
    CsidlRecent = 8,
    CsidlBitBucket = 10,
    CsidlAppData = 26,
    CsidlLocalAppData = 28,
    CsidlInternetCache = 32,
    CsidlCookies = 33,
    CsidlHistory = 34,
    CsidlWindows = 36,
    CsidlProfile = 40,
};

class ShellFolders {
public:
    virtual ~ShellFolders() = default;
    // The folder as a Windows path ("C:\Users\me\AppData\Roaming\Microsoft\Windows\Recent"),
    // nullopt when the call fails (unknown folder, value missing).
    virtual std::optional<std::string> folder(int csidl) = 0;
};

} // namespace orvane
