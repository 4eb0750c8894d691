#include "platform/FileSystemKind.h"

#include <cstdint>
#include <cstdio>
#include <sys/vfs.h>

namespace orvane {
namespace {

struct Kind {
    uint32_t magic; // statfs f_type
    const char* name;
    bool unreliable;
};

constexpr Kind kKinds[] = {
    {0xEF53, "ext4", false}, // ext2, ext3 and ext4 share the magic
    {0x01021994, "tmpfs", false},
    {0x858458F6, "ramfs", false},
    {0x4D44, "vfat", false},
    {0x2011BAB0, "exfat", false},
    {0x5346544E, "ntfs", false},
    {0x7366746E, "ntfs3", false},
    {0x3153464A, "jfs", false},
    {0x52654973, "reiserfs", false},
    {0x9123683E, "btrfs", true},
    {0x2FC12FC1, "zfs", true},
    {0x58465342, "xfs", true}, // reflinks share blocks between files
    {0xCA451A4E, "bcachefs", true},
    {0x794C7630, "overlay", true},
    {0x3434, "nilfs2", true},
    {0xF2F52010, "f2fs", true},
    {0x72B6, "jffs2", true},
    {0x24051905, "ubifs", true},
    {0x6969, "nfs", true},
    {0xFF534D42, "cifs", true},
    {0xFE534D42, "smb2", true},
    {0x65735546, "fuse", true},
};

} // namespace

std::optional<std::string> fileSystemName(const std::string& hostPath)
{
    struct statfs info {};
    if (::statfs(hostPath.c_str(), &info) != 0)
        return std::nullopt;
    const auto magic = uint32_t(info.f_type);
    for (const Kind& kind : kKinds)
        if (kind.magic == magic)
            return kind.name;
    char text[32];
    std::snprintf(text, sizeof text, "unknown (0x%X)", unsigned(magic));
    return text;
}

bool overwriteIsUnreliable(std::string_view fileSystemName)
{
    for (const Kind& kind : kKinds)
        if (fileSystemName == kind.name)
            return kind.unreliable;
    return false;
}

} // namespace orvane
