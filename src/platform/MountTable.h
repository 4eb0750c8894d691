#pragma once
// The host's mounts, from /proc/self/mountinfo: which file system holds a folder, and whether
// a walk may enter it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct MountEntry {
    int id = 0;
    int parentId = 0;
    uint64_t device = 0;      // makedev(major, minor): what stat() reports as st_dev
    std::string root;         // folder of the file system that is mounted here
    std::string mountPoint;   // host path, octal escapes decoded
    std::string options;      // per-mount options: "rw,nosuid,relatime"
    std::string fsType;       // "ext4", "tmpfs", "fuse.sshfs", ...
    std::string source;       // "/dev/sda1", "server:/export", "none"
    std::string superOptions; // per-file-system options: "rw,compress=zstd:3"

    // True when `name` is one of the comma-separated options or super options, or one
    // of them starts with `name` followed by '=' ("compress" finds "compress=zstd").
    bool hasOption(std::string_view name) const;
};

// What a walk should make of a file system mounted below the folder it walks.
enum class MountKind {
    Local,   // a disk or other local storage: part of the drive
    Pseudo,  // kernel views (/proc, /sys, /dev, cgroups, ...) and run-time folders
    Network, // NFS, SMB, network FUSE file systems
};

// `mountPoint` matters for tmpfs: /tmp is local storage, /run and /dev/shm are not.
MountKind classifyMount(std::string_view fsType, std::string_view mountPoint);

class MountTable {
public:
    // Parses mountinfo text. Lines that do not have the expected fields are skipped and
    // counted in `malformedLines`.
    static MountTable parse(std::string_view text);
    // The live table of this process; empty when /proc is not mounted.
    static MountTable load();

    const std::vector<MountEntry>& entries() const { return entries_; }
    size_t malformedLines() const { return malformed_; }

    // The mount at exactly this host path; the last one mounted there wins (it hides the others).
    const MountEntry* byMountPoint(std::string_view mountPoint) const;
    // The last-mounted entry of this device; nullptr when the device is not mounted (for
    // example a btrfs subvolume reached through its parent).
    const MountEntry* byDevice(uint64_t device) const;

private:
    std::vector<MountEntry> entries_;
    size_t malformed_ = 0;
};

} // namespace orvane
