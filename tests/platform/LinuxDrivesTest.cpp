#include "platform/LinuxDrives.h"
#include "support/PrefixFixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/statvfs.h>

using namespace orvane;
using orvane::test::PrefixFixture;

namespace {

MountEntry mount(const char* type, const char* options = "rw", const char* superOptions = "rw")
{
    MountEntry entry;
    entry.fsType = type;
    entry.options = options;
    entry.superOptions = superOptions;
    return entry;
}

TEST(DriveFacts, TypeFollowsTheFileSystemAndDevice)
{
    struct Case {
        const char* fsType;
        const char* source;
        unsigned major;
        bool removable;
        DriveType type;
    };
    const Case cases[] = {
        {"ext4", "/dev/sda1", 8, false, DriveType::Fixed},
        {"vfat", "/dev/sdb1", 8, true, DriveType::Removable},
        {"iso9660", "/dev/loop0", 7, false, DriveType::CdRom},
        {"udf", "/dev/sr0", 11, true, DriveType::CdRom},
        {"auto", "/dev/sr1", 11, true, DriveType::CdRom},
        {"nfs4", "server:/export", 0, false, DriveType::Remote},
        {"cifs", "//server/share", 0, false, DriveType::Remote},
        {"fuse.sshfs", "me@host:", 0, false, DriveType::Remote},
        {"tmpfs", "tmpfs", 0, false, DriveType::RamDisk},
        {"ramfs", "none", 0, false, DriveType::RamDisk},
        {"overlay", "overlay", 0, false, DriveType::Fixed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(driveTypeFor(c.fsType, c.source, c.major, c.removable), c.type) << c.fsType << " " << c.source;
}

TEST(DriveFacts, FlagsAreWhatTheFileSystemDoes)
{
    constexpr uint32_t linuxNames = FsCaseSensitive | FsCasePreserved | FsUnicodeOnDisk;
    struct Case {
        MountEntry mount;
        uint32_t flags;
    };
    const Case cases[] = {
        {mount("ext4"), linuxNames | FsPersistentAcls},
        {mount("ext4", "rw,noacl"), linuxNames},
        {mount("xfs"), linuxNames | FsPersistentAcls},
        {mount("btrfs", "rw", "rw,compress=zstd:3,space_cache=v2"), linuxNames | FsPersistentAcls | FsCompression},
        {mount("btrfs", "rw", "rw,compress-force=lzo"), linuxNames | FsPersistentAcls | FsCompression},
        {mount("tmpfs"), linuxNames},
        {mount("tmpfs", "rw", "rw,posixacl"), linuxNames | FsPersistentAcls},
        {mount("vfat", "rw", "rw,codepage=437,iocharset=utf8"), FsCasePreserved | FsUnicodeOnDisk},
        {mount("msdos"), 0},
        {mount("ntfs3", "rw", "rw,acl"), linuxNames | FsCompression | FsPersistentAcls},
    };
    for (const Case& c : cases)
        EXPECT_EQ(volumeFlagsFor(c.mount), c.flags) << c.mount.fsType << " " << c.mount.superOptions;
}

TEST(DriveFacts, SpaceFiguresAndClusterGeometry)
{
    struct Case {
        uint64_t fragment, blocks, freeBlocks, available;
        DiskSpace expected;
    };
    const Case cases[] = {
        {4096, 1000, 600, 500, {4096000, 2048000, 2457600, 8, 512, 500, 1000}},
        {1024, 10, 5, 5, {10240, 5120, 5120, 2, 512, 5, 10}},
        {100, 10, 5, 5, {1000, 500, 500, 1, 100, 5, 10}},
        // 20 TB in 4 KB clusters: the byte figures are exact, the 32-bit cluster counts clamp.
        {4096, 5000000000ull, 4500000000ull, 4400000000ull,
         {20480000000000ull, 18022400000000ull, 18432000000000ull, 8, 512, 0xFFFFFFFFu, 0xFFFFFFFFu}},
        {0, 10, 5, 5, {}},
    };
    for (const Case& c : cases) {
        const DiskSpace s = diskSpaceFor(c.fragment, c.blocks, c.freeBlocks, c.available);
        EXPECT_EQ(s.totalBytes, c.expected.totalBytes) << c.fragment << " " << c.blocks;
        EXPECT_EQ(s.freeBytes, c.expected.freeBytes) << c.fragment << " " << c.blocks;
        EXPECT_EQ(s.totalFreeBytes, c.expected.totalFreeBytes) << c.fragment << " " << c.blocks;
        EXPECT_EQ(s.sectorsPerCluster, c.expected.sectorsPerCluster) << c.fragment;
        EXPECT_EQ(s.bytesPerSector, c.expected.bytesPerSector) << c.fragment;
        EXPECT_EQ(s.freeClusters, c.expected.freeClusters) << c.blocks;
        EXPECT_EQ(s.totalClusters, c.expected.totalClusters) << c.blocks;
    }
}

TEST(DriveFacts, WineLabelAndSerialFilesAndUdevNames)
{
    struct SerialCase {
        const char* text;
        std::optional<uint32_t> serial;
    };
    for (const SerialCase c : {SerialCase{"1234abcd\n", 0x1234ABCDu}, SerialCase{"0xFFFFFFFF", 0xFFFFFFFFu},
                               SerialCase{" 1a2b", 0x1A2Bu}, SerialCase{"123456789", std::nullopt},
                               SerialCase{"serial", std::nullopt}, SerialCase{"", std::nullopt}})
        EXPECT_EQ(parseWindowsSerial(c.text), c.serial) << c.text;
    EXPECT_EQ(parseWindowsLabel("Backup disk\r\nsecond line"), "Backup disk");
    EXPECT_EQ(parseWindowsLabel(""), "");
    EXPECT_EQ(decodeByLabelName("My\\x20Disk\\x2f2"), "My Disk/2");
    EXPECT_EQ(decodeByLabelName("odd\\xZZ"), "odd\\xZZ");
}

class LinuxDrivesOnPrefix : public ::testing::Test {
protected:
    PrefixFixture p;
    LinuxDrives drives{p.prefix};
};

TEST_F(LinuxDrivesOnPrefix, DrivesOfThePrefixWithTheirFacts)
{
    const std::string d = p.addDriveFolder('D');
    p.addDrive('N', p.dir / "unplugged");
    test::TempDir labelled;
    labelled.write(".windows-label", "Backup disk\n");
    labelled.write(".windows-serial", "1234abcd\n");
    p.addDrive('E', labelled.path());

    EXPECT_EQ(drives.letters(), (std::vector<char>{'C', 'D', 'E', 'N'}));

    const MountTable live = MountTable::load();
    struct stat st;
    ASSERT_EQ(::stat(p.driveC.c_str(), &st), 0);
    const MountEntry* holding = live.byDevice(st.st_dev);
    const bool onTmpfs = holding && holding->fsType == "tmpfs";
    EXPECT_EQ(drives.type('C'), onTmpfs ? DriveType::RamDisk : DriveType::Fixed);
    EXPECT_EQ(drives.type('n'), DriveType::NoRoot);
    EXPECT_EQ(drives.type('Q'), DriveType::NoRoot);
    EXPECT_EQ(drives.volume('N'), std::nullopt);
    EXPECT_EQ(drives.space('N'), std::nullopt);

    const auto e = drives.volume('E');
    ASSERT_TRUE(e);
    EXPECT_EQ(e->name, "Backup disk");
    EXPECT_EQ(e->serial, 0x1234ABCDu);

    // Without Wine's files the serial comes from the file system: stable, and the same for
    // two drives on one volume.
    const auto c = drives.volume('C');
    ASSERT_TRUE(c);
    EXPECT_EQ(c->serial, drives.volume('D')->serial);
    EXPECT_EQ(c->serial, drives.volume('C')->serial);
    EXPECT_NE(c->serial, 0u);
    EXPECT_EQ(c->maxComponentLength, 255u);
    ASSERT_NE(holding, nullptr);
    EXPECT_EQ(c->fileSystem, holding->fsType);
    EXPECT_TRUE(c->flags & FsCasePreserved);

    const auto space = drives.space('C');
    ASSERT_TRUE(space);
    struct statvfs vfs;
    ASSERT_EQ(::statvfs(p.driveC.c_str(), &vfs), 0);
    EXPECT_EQ(space->totalBytes, uint64_t(vfs.f_blocks) * vfs.f_frsize);
    EXPECT_LE(space->freeBytes, space->totalFreeBytes);
    EXPECT_LE(space->totalFreeBytes, space->totalBytes);
    EXPECT_EQ(uint64_t(space->bytesPerSector) * space->sectorsPerCluster, vfs.f_frsize);
}

} // namespace
