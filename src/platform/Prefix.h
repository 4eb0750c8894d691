#pragma once
// A Wine-compatible prefix: its folder, its drives (dosdevices links) and the translation of
// Windows paths to host paths.

#include "platform/Status.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class Prefix {
public:
    // Reads `<root>/dosdevices`. A prefix without drives is valid (no letters).
    static Prefix open(std::string root);
    // ORVANE_PREFIX, else WINEPREFIX, else `<programFolder>/prefix`.
    static std::string chooseRoot(const std::string& programFolder);

    const std::string& root() const { return root_; }
    std::vector<char> driveLetters() const;                  // upper case, sorted
    std::optional<std::string> driveRoot(char letter) const; // host folder, symlink resolved

    // "C:\Windows\temp" -> "<drive_c>/windows/temp": '\' -> '/', each component that does not
    // exist with its exact case is matched case-insensitively (Wine's rule). Components that
    // do not exist at all are kept as written. nullopt for an unknown drive.
    std::optional<std::string> toHost(std::string_view windowsPath) const;
    // The inverse, through the drive whose root is the longest prefix of `hostPath`
    // (so a file in the prefix maps to C:, not to Z:). nullopt when no drive holds it.
    std::optional<std::string> toWindows(std::string_view hostPath) const;

private:
    std::string root_;
    std::map<char, std::string> drives_; // letter -> canonical host folder
};

} // namespace orvane
