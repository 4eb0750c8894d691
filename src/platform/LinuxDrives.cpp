#include "platform/LinuxDrives.h"

#include "platform/TextScan.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace orvane {

namespace {

constexpr uint32_t kLinuxNames = FsCaseSensitive | FsCasePreserved | FsUnicodeOnDisk;
constexpr unsigned kScsiCdromMajor = 11;

bool oneOf(std::string_view value, std::initializer_list<std::string_view> list)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// Small text files only (labels, serials, sysfs values).
std::optional<std::string> readSmallFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    char buffer[256];
    ssize_t n;
    do
        n = ::read(fd, buffer, sizeof buffer);
    while (n < 0 && errno == EINTR);
    ::close(fd);
    if (n < 0)
        return std::nullopt;
    return std::string(buffer, size_t(n));
}

// The root of a drive when it exists, with its stat.
std::optional<std::string> existingRoot(const Prefix& prefix, char letter, struct stat& st)
{
    const auto root = prefix.driveRoot(letter);
    if (!root || ::stat(root->c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    return root;
}

// The mount holding `root`: by device, else the longest mount point above it (a btrfs
// subvolume has a device number of its own that mountinfo does not show).
std::optional<MountEntry> mountOf(const std::string& root, dev_t device)
{
    const MountTable table = MountTable::load();
    if (const MountEntry* byDevice = table.byDevice(device))
        return *byDevice;
    const MountEntry* best = nullptr;
    for (const MountEntry& entry : table.entries()) {
        const std::string& point = entry.mountPoint;
        const bool holds = point == "/"
            || (root.compare(0, point.size(), point) == 0 && (root.size() == point.size() || root[point.size()] == '/'));
        if (holds && (!best || point.size() >= best->mountPoint.size()))
            best = &entry;
    }
    if (!best)
        return std::nullopt;
    return *best;
}

// /sys/dev/block/<major>:<minor> is the partition or the disk; "removable" sits on the disk.
bool isRemovableDevice(dev_t device)
{
    const std::string link = "/sys/dev/block/" + std::to_string(major(device)) + ":" + std::to_string(minor(device));
    char* real = ::realpath(link.c_str(), nullptr);
    if (!real)
        return false;
    std::string disk(real);
    std::free(real);
    struct stat st;
    if (::stat((disk + "/partition").c_str(), &st) == 0)
        disk.resize(disk.rfind('/'));
    const auto value = readSmallFile(disk + "/removable");
    return value && !value->empty() && value->front() == '1';
}

// The file-system label udev publishes for the device, or "".
std::string labelOfDevice(dev_t device)
{
    const char* folder = "/dev/disk/by-label";
    DIR* dir = ::opendir(folder);
    if (!dir)
        return {};
    std::string label;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat st;
        const std::string path = std::string(folder) + "/" + entry->d_name;
        if (::stat(path.c_str(), &st) == 0 && S_ISBLK(st.st_mode) && st.st_rdev == device) {
            label = decodeByLabelName(entry->d_name);
            break;
        }
    }
    ::closedir(dir);
    return label;
}

uint32_t serialFromFileSystem(const struct statfs& fs, dev_t device)
{
    int words[2];
    static_assert(sizeof words == sizeof fs.f_fsid);
    std::memcpy(words, &fs.f_fsid, sizeof words);
    const uint32_t fromId = uint32_t(words[0]) ^ uint32_t(words[1]);
    if (fromId)
        return fromId;
    const uint64_t dev = device;
    return uint32_t(dev) ^ uint32_t(dev >> 32);
}

} // namespace

DriveType driveTypeFor(std::string_view fsType, std::string_view source, unsigned deviceMajor, bool removableDevice)
{
    if (oneOf(fsType, {"iso9660", "udf"}) || source.substr(0, 7) == "/dev/sr" || deviceMajor == kScsiCdromMajor)
        return DriveType::CdRom;
    if (classifyMount(fsType, "") == MountKind::Network)
        return DriveType::Remote;
    if (oneOf(fsType, {"tmpfs", "ramfs"}))
        return DriveType::RamDisk;
    if (removableDevice)
        return DriveType::Removable;
    return DriveType::Fixed;
}

uint32_t volumeFlagsFor(const MountEntry& mount)
{
    const std::string_view type = mount.fsType;
    uint32_t flags = 0;
    if (oneOf(type, {"vfat", "exfat"}))
        flags = FsCasePreserved | FsUnicodeOnDisk;
    else if (oneOf(type, {"msdos", "iso9660"}))
        flags = 0;
    else if (type == "udf")
        flags = FsCasePreserved | FsUnicodeOnDisk;
    else if (oneOf(type, {"cifs", "smb3", "smbfs"}))
        flags = FsCasePreserved | FsUnicodeOnDisk;
    else if (oneOf(type, {"ntfs", "ntfs3", "fuseblk"}))
        flags = kLinuxNames | FsCompression;
    else
        flags = kLinuxNames;

    // POSIX ACLs: asked for by a mount option, or on by default for these file systems.
    const bool aclByDefault = oneOf(type, {"ext2", "ext3", "ext4", "xfs", "btrfs", "f2fs", "bcachefs"});
    if (mount.hasOption("acl") || mount.hasOption("posixacl") || (aclByDefault && !mount.hasOption("noacl")))
        flags |= FsPersistentAcls;
    if (type == "btrfs" && (mount.hasOption("compress") || mount.hasOption("compress-force")))
        flags |= FsCompression;
    return flags;
}

DiskSpace diskSpaceFor(uint64_t fragmentSize, uint64_t blocks, uint64_t freeBlocks, uint64_t availableBlocks)
{
    DiskSpace space;
    if (fragmentSize == 0)
        return space;
    space.totalBytes = blocks * fragmentSize;
    space.freeBytes = availableBlocks * fragmentSize;
    space.totalFreeBytes = freeBlocks * fragmentSize;
    // A cluster is the allocation unit; sectors are 512 bytes when the unit divides that way.
    const uint64_t sector = fragmentSize % 512 == 0 ? 512 : fragmentSize;
    space.bytesPerSector = uint32_t(std::min<uint64_t>(sector, UINT32_MAX));
    space.sectorsPerCluster = uint32_t(std::min<uint64_t>(fragmentSize / sector, UINT32_MAX));
    space.totalClusters = uint32_t(std::min<uint64_t>(blocks, UINT32_MAX));
    space.freeClusters = uint32_t(std::min<uint64_t>(availableBlocks, UINT32_MAX));
    return space;
}

std::optional<uint32_t> parseWindowsSerial(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X")
        i += 2;
    uint64_t value = 0;
    size_t digits = 0;
    for (; i < text.size(); ++i, ++digits) {
        const char c = text[i];
        const int digit = text::hexDigit(c);
        if (digit < 0)
            break;
        value = value * 16 + uint64_t(digit);
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    return uint32_t(value);
}

std::string parseWindowsLabel(std::string_view text)
{
    const size_t end = text.find_first_of("\r\n");
    return std::string(text.substr(0, end));
}

std::string decodeByLabelName(std::string_view name)
{
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const auto high = parseWindowsSerial(name.substr(i + 2, 1));
            const auto low = parseWindowsSerial(name.substr(i + 3, 1));
            if (high && low) {
                out += char(*high * 16 + *low);
                i += 3;
                continue;
            }
        }
        out += name[i];
    }
    return out;
}

LinuxDrives::LinuxDrives(const Prefix& prefix) : prefix_(prefix) {}

std::vector<char> LinuxDrives::letters() { return prefix_.driveLetters(); }

DriveType LinuxDrives::type(char letter)
{
    struct stat st;
    const auto root = existingRoot(prefix_, letter, st);
    if (!root)
        return DriveType::NoRoot;
    const auto mount = mountOf(*root, st.st_dev);
    if (!mount)
        return DriveType::Fixed;
    return driveTypeFor(mount->fsType, mount->source, major(mount->device), isRemovableDevice(mount->device));
}

std::optional<VolumeInfo> LinuxDrives::volume(char letter)
{
    struct stat st;
    const auto root = existingRoot(prefix_, letter, st);
    struct statfs fs;
    if (!root || ::statfs(root->c_str(), &fs) != 0)
        return std::nullopt;
    const auto mount = mountOf(*root, st.st_dev);

    VolumeInfo info;
    if (const auto label = readSmallFile(*root + "/.windows-label"))
        info.name = parseWindowsLabel(*label);
    else if (mount)
        info.name = labelOfDevice(mount->device);
    const auto serialText = readSmallFile(*root + "/.windows-serial");
    const auto serial = serialText ? parseWindowsSerial(*serialText) : std::nullopt;
    info.serial = serial ? *serial : serialFromFileSystem(fs, st.st_dev);
    info.maxComponentLength = fs.f_namelen > 0 ? uint32_t(fs.f_namelen) : 255;
    if (mount) {
        info.fileSystem = mount->fsType;
        info.flags = volumeFlagsFor(*mount);
    } else {
        info.flags = kLinuxNames;
    }
    return info;
}

std::optional<DiskSpace> LinuxDrives::space(char letter)
{
    struct stat st;
    const auto root = existingRoot(prefix_, letter, st);
    struct statvfs vfs;
    if (!root || ::statvfs(root->c_str(), &vfs) != 0)
        return std::nullopt;
    const uint64_t fragment = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    return diskSpaceFor(fragment, vfs.f_blocks, vfs.f_bfree, vfs.f_bavail);
}

} // namespace orvane
