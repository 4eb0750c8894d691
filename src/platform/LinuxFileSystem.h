#pragma once
// The file-system service on a Linux host: Windows paths are translated through the prefix's
// drives, attributes are derived from lstat and user.DOSATTRIB, and "in use" is decided with
// a write lease (no other descriptor open anywhere) or, where leases are unavailable, flock.

#include "platform/FileSystem.h"
#include "platform/MountTable.h"
#include "platform/Prefix.h"

#include <mutex>
#include <set>

namespace orvane {

class LinuxFileSystem : public FileSystem {
public:
    // `prefix` must outlive this object; it may be reassigned (re-opened) in place.
    explicit LinuxFileSystem(const Prefix& prefix);

    Status list(std::string_view folder, std::string_view mask, std::vector<FileEntry>& out) override;
    std::optional<FileEntry> stat(std::string_view path) override;
    std::optional<FileIdentity> identity(std::string_view path) override;
    std::optional<uint32_t> attributes(std::string_view path) override;
    Status setAttributes(std::string_view path, uint32_t attributes) override;
    // Also true for a DOS device name ("nul", "COM1.txt") in an existing folder, as on Windows.
    bool exists(std::string_view path) override;
    bool isFolder(std::string_view path) override;
    Status deleteFile(std::string_view path) override;
    Status removeFolder(std::string_view path) override;
    Status createFolder(std::string_view path) override;
    Status move(std::string_view from, std::string_view to) override;
    std::unique_ptr<FileHandle> openExclusive(std::string_view path, bool writeThrough, Status& status) override;
    bool isFileLocked(std::string_view path) override;
    std::optional<std::string> hostPath(std::string_view path) override;
    size_t maxNameLength(std::string_view path) override;

    // True when a walk must not enter the folder `hostPath`, which is mounted from `device`
    // (a different device than its parent's): pseudo and network file systems.
    bool isForeignMount(const std::string& hostPath, uint64_t device);

private:
    // Opens `folder` for listing and sets `host` to its host path; -1 and `status` on failure.
    int openFolder(std::string_view folder, std::string& host, Status& status);

    const Prefix& prefix_;
    std::mutex mountsMutex_;
    MountTable mounts_;           // reloaded when an unknown device turns up
    std::set<uint64_t> unmounted_; // devices still unknown after a reload (btrfs subvolumes)
};

} // namespace orvane
