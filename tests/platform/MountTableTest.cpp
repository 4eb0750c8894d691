#include "platform/MountTable.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace orvane;

namespace {

const char* const kMountinfo =
    "22 28 0:21 / /proc rw,nosuid,nodev,noexec,relatime shared:5 - proc proc rw\n"
    "28 1 254:1 / / rw,relatime shared:1 - ext4 /dev/vda1 rw,errors=remount-ro\n"
    "40 28 8:17 / /media/usb\\040stick rw,nosuid master:3 propagate_from:2 - vfat /dev/sdb1 rw,codepage=437\n"
    "this line is cut off\n"
    "\n"
    "41 28 0:45 /sub /srv/tab\\011and\\134back rw - btrfs /dev/sda2 rw,compress=zstd:3,space_cache\n"
    "42 28 0:46 / /mnt/share rw - cifs //server/share\\040one rw,vers=3.0\n"
    "43 28 x:y / /bad rw - ext4 /dev/sda3 rw\n"
    "44 28 0:47 / /mnt/remote rw,nosuid shared:9 - fuse.sshfs me@host:/home rw,user_id=0\n"
    "45 28 254:1 / / rw,relatime - ext4 /dev/vda1 rw\n"
    "46 28 0:48 / /no-separator rw ext4 /dev/sda4 rw\n";

TEST(MountTable, ParsesMountinfoText)
{
    const MountTable table = MountTable::parse(kMountinfo);
    ASSERT_EQ(table.entries().size(), 7u);
    EXPECT_EQ(table.malformedLines(), 3u);

    struct Case {
        const char* mountPoint;
        int id;
        unsigned major, minor;
        const char* root;
        const char* fsType;
        const char* source;
    };
    const Case cases[] = {
        {"/proc", 22, 0, 21, "/", "proc", "proc"},
        {"/media/usb stick", 40, 8, 17, "/", "vfat", "/dev/sdb1"},
        {"/srv/tab\tand\\back", 41, 0, 45, "/sub", "btrfs", "/dev/sda2"},
        {"/mnt/share", 42, 0, 46, "/", "cifs", "//server/share one"},
        {"/mnt/remote", 44, 0, 47, "/", "fuse.sshfs", "me@host:/home"},
        {"/", 45, 254, 1, "/", "ext4", "/dev/vda1"}, // mounted over the first "/": the later one hides it
    };
    for (const Case& c : cases) {
        const MountEntry* entry = table.byMountPoint(c.mountPoint);
        ASSERT_NE(entry, nullptr) << c.mountPoint;
        EXPECT_EQ(entry->id, c.id) << c.mountPoint;
        EXPECT_EQ(entry->device, makedev(c.major, c.minor)) << c.mountPoint;
        EXPECT_EQ(entry->root, c.root) << c.mountPoint;
        EXPECT_EQ(entry->fsType, c.fsType) << c.mountPoint;
        EXPECT_EQ(entry->source, c.source) << c.mountPoint;
    }
    EXPECT_EQ(table.byMountPoint("/bad"), nullptr);
    EXPECT_EQ(table.byMountPoint("/media/usb\\040stick"), nullptr);
    EXPECT_EQ(table.byDevice(makedev(254, 1))->id, 45);
    EXPECT_EQ(table.byDevice(makedev(9, 9)), nullptr);

    const MountEntry* btrfs = table.byMountPoint("/srv/tab\tand\\back");
    EXPECT_TRUE(btrfs->hasOption("compress"));
    EXPECT_TRUE(btrfs->hasOption("space_cache"));
    EXPECT_FALSE(btrfs->hasOption("compress-force"));
    EXPECT_FALSE(btrfs->hasOption("zstd"));
    EXPECT_TRUE(table.byMountPoint("/mnt/remote")->hasOption("nosuid"));
    EXPECT_EQ(table.byMountPoint("/mnt/remote")->options, "rw,nosuid");
}

TEST(MountTable, EmptyAndGarbageTextGiveNoEntries)
{
    EXPECT_TRUE(MountTable::parse("").entries().empty());
    const MountTable garbage = MountTable::parse("\x01\x02 - -\n1 2 3\n- - - - - - - - -\n");
    EXPECT_TRUE(garbage.entries().empty());
    EXPECT_EQ(garbage.malformedLines(), 3u);
}

TEST(MountTable, ClassifiesWhatAWalkMayEnter)
{
    struct Case {
        const char* fsType;
        const char* mountPoint;
        MountKind kind;
    };
    const Case cases[] = {
        {"ext4", "/home", MountKind::Local},
        {"btrfs", "/", MountKind::Local},
        {"vfat", "/boot/efi", MountKind::Local},
        {"fuse", "/media/phone", MountKind::Local},
        {"tmpfs", "/tmp", MountKind::Local},
        {"tmpfs", "/run", MountKind::Pseudo},
        {"tmpfs", "/run/user/1000", MountKind::Pseudo},
        {"tmpfs", "/dev/shm", MountKind::Pseudo},
        {"tmpfs", "/runner", MountKind::Local},
        {"proc", "/proc", MountKind::Pseudo},
        {"sysfs", "/sys", MountKind::Pseudo},
        {"devtmpfs", "/dev", MountKind::Pseudo},
        {"cgroup2", "/sys/fs/cgroup", MountKind::Pseudo},
        {"fuse.portal", "/run/user/1000/doc", MountKind::Pseudo},
        {"nfs4", "/mnt/nas", MountKind::Network},
        {"cifs", "/mnt/share", MountKind::Network},
        {"fuse.sshfs", "/home/me/remote", MountKind::Network},
    };
    for (const Case& c : cases)
        EXPECT_EQ(classifyMount(c.fsType, c.mountPoint), c.kind) << c.fsType << " " << c.mountPoint;
}

TEST(MountTable, LiveTableHoldsTheRootFileSystem)
{
    const MountTable live = MountTable::load();
    struct stat st;
    ASSERT_EQ(::stat("/", &st), 0);
    const MountEntry* root = live.byDevice(st.st_dev);
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(root->fsType.empty());
    EXPECT_NE(live.byMountPoint("/"), nullptr);
    EXPECT_EQ(live.malformedLines(), 0u);
}

} // namespace
