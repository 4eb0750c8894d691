#pragma once
// StartupDriveSizes: total and free megabytes of every fixed and network drive, measured once
// at start-up and kept in a data file of the program folder (one line per drive), so the
// statistics and drive information screens show the sizes as they were when the program started.

#include "platform/Drives.h"
#include "platform/Status.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

inline constexpr std::string_view driveSizesFileName = "drivesizes.txt";

struct DriveSize {
    char letter = 0;        // upper case
    std::string totalMB;    // Trunc(total bytes / 1,048,576), as text
    std::string freeMB;     // Trunc(bytes free for the user / 1,048,576), as text
    uint32_t freeClusters = 0;  // recorded as 0, as the information screen expects
    uint32_t totalClusters = 0; // recorded as 0
    bool operator==(const DriveSize&) const = default;
};

class StartupDriveSizes {
public:
    static constexpr size_t capacity = 20; // entries; further drives are not measured

    // Fixed (3) and network (4) drives among `letters`, in their order, that report a size.
    static StartupDriveSizes measure(Drives& drives, const std::vector<char>& letters);

    // The data file: one line "<letter>:<TAB><total MB><TAB><free MB>" per drive.
    std::string toText() const;
    // Reads lines in the form above; malformed lines are skipped.
    static StartupDriveSizes fromText(std::string_view text);
    Status save(const std::string& hostPath) const;
    static StartupDriveSizes load(const std::string& hostPath);

    // The entry for `letter` (either case), if one was measured.
    std::optional<DriveSize> find(char letter) const;
    const std::vector<DriveSize>& entries() const { return entries_; }

private:
    std::vector<DriveSize> entries_;
};

} // namespace orvane
