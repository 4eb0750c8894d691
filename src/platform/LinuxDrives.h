#pragma once
// The prefix's drives described from the host: type from the mount and the block device,
// volume name and serial from Wine's .windows-label / .windows-serial files or the file
// system, flags as the file system really behaves, sizes from statvfs.

#include "platform/Drives.h"
#include "platform/MountTable.h"
#include "platform/Prefix.h"

#include <string>
#include <string_view>

namespace orvane {

class LinuxDrives : public Drives {
public:
    // `prefix` must outlive this object.
    explicit LinuxDrives(const Prefix& prefix);

    std::vector<char> letters() override;
    DriveType type(char letter) override;
    std::optional<VolumeInfo> volume(char letter) override;
    std::optional<DiskSpace> space(char letter) override;

private:
    const Prefix& prefix_;
};

// The decisions behind the queries, apart from the system calls.

// `removableDevice`: /sys/block/<disk>/removable of the device holding the file system.
DriveType driveTypeFor(std::string_view fsType, std::string_view source, unsigned deviceMajor, bool removableDevice);
uint32_t volumeFlagsFor(const MountEntry& mount);
// From statvfs figures: `fragmentSize` (f_frsize) in bytes, block counts in fragments.
DiskSpace diskSpaceFor(uint64_t fragmentSize, uint64_t blocks, uint64_t freeBlocks, uint64_t availableBlocks);
// Wine's .windows-serial: hexadecimal text ("1234abcd\n"); nullopt when it is not.
std::optional<uint32_t> parseWindowsSerial(std::string_view text);
// Wine's .windows-label: the first line.
std::string parseWindowsLabel(std::string_view text);
// A /dev/disk/by-label link name back to the label: udev writes "\x20" for a space.
std::string decodeByLabelName(std::string_view name);

} // namespace orvane
