#pragma once
// The drives of the prefix: letters, type, volume facts and free space, as the Windows volume
// calls report them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// GetDriveTypeA values.
enum class DriveType : unsigned { Unknown = 0, NoRoot = 1, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

// GetVolumeInformationA file-system flags that we report as true facts of the host.
enum VolumeFlag : uint32_t {
    FsCaseSensitive = 0x1,     // FILE_CASE_SENSITIVE_SEARCH
    FsCasePreserved = 0x2,     // FILE_CASE_PRESERVED_NAMES
    FsUnicodeOnDisk = 0x4,     // FILE_UNICODE_ON_DISK
    FsPersistentAcls = 0x8,    // FILE_PERSISTENT_ACLS
    FsCompression = 0x10,      // FILE_FILE_COMPRESSION
    FsVolumeCompressed = 0x8000,
};

struct VolumeInfo {
    std::string name;             // .windows-label, else the file-system label, else ""
    uint32_t serial = 0;          // .windows-serial, else derived from the file-system id
    uint32_t maxComponentLength = 255;
    uint32_t flags = 0;           // VolumeFlag bits
    std::string fileSystem;       // "NTFS"-like name of the host file system: "ext4", "btrfs", ...
};

struct DiskSpace {
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;      // free for this user (GetDiskFreeSpaceExA's caller figure)
    uint64_t totalFreeBytes = 0; // free on the volume
    uint32_t sectorsPerCluster = 0;
    uint32_t bytesPerSector = 0;
    uint32_t freeClusters = 0;   // 32-bit as GetDiskFreeSpaceA reports them (clamped)
    uint32_t totalClusters = 0;
};

class Drives {
public:
    virtual ~Drives() = default;
    virtual std::vector<char> letters() = 0; // upper case, sorted
    virtual DriveType type(char letter) = 0;
    virtual std::optional<VolumeInfo> volume(char letter) = 0;
    virtual std::optional<DiskSpace> space(char letter) = 0;
};

} // namespace orvane
