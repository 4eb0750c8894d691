#include "platform/LinuxFileSystem.h"
#include "support/PrefixFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace orvane;
using orvane::test::PrefixFixture;
using orvane::test::readFile;
using orvane::test::hostExists;

namespace {

std::vector<FileEntry> listAll(FileSystem& fs, std::string_view folder, std::string_view mask = "*.*")
{
    std::vector<FileEntry> entries;
    const Status status = fs.list(folder, mask, entries);
    EXPECT_TRUE(status.ok()) << status.message;
    return entries;
}

const FileEntry* find(const std::vector<FileEntry>& entries, std::string_view name)
{
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const FileEntry& e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

std::string storedValue(const std::string& hostPath)
{
    char value[64];
    const ssize_t n = ::lgetxattr(hostPath.c_str(), "user.DOSATTRIB", value, sizeof value);
    return n < 0 ? std::string("<none>") : std::string(value, size_t(n));
}

void store(const std::string& hostPath, std::string_view value)
{
    ASSERT_EQ(::setxattr(hostPath.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0), 0);
}

// A process of its own holding `hostPath` open read/write until it is stopped.
class Holder {
public:
    explicit Holder(const std::string& hostPath, const std::string& marker)
    {
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setpgid(0, 0);
            ::execl("/bin/sh", "sh", "-c", "exec 3<>\"$1\"; : > \"$2\"; sleep 30", "sh", hostPath.c_str(), marker.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int i = 0; i < 500 && !hostExists(marker); ++i)
            ::usleep(10000);
    }
    ~Holder() { stop(); }
    void stop()
    {
        if (pid_ <= 0)
            return;
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
        ::usleep(50000); // the orphaned sleep of the group dies with its descriptor
    }

private:
    pid_t pid_ = -1;
};

class LinuxFileSystemTest : public ::testing::Test {
protected:
    PrefixFixture p;
};

TEST_F(LinuxFileSystemTest, AttributesComeFromModesNamesAndDosAttrib)
{
    p.write("C:\\t\\plain.txt", "12345");
    ::chmod(p.write("C:\\t\\locked.txt").c_str(), 0444);
    ::chmod(p.write("C:\\t\\groupwrite.txt").c_str(), 0464); // owner cannot write: read-only for the owner's view
    p.write("C:\\t\\.profile");
    store(p.write("C:\\t\\hidden.txt"), "0x2");
    store(p.write("C:\\t\\system.txt"), "0x4");
    store(p.write("C:\\t\\both.txt"), "0x6");
    store(p.write("C:\\t\\samba4.txt"), std::string_view("0x22\0\x03\x00", 7)); // text, zero, binary
    store(p.write("C:\\t\\garbage.txt"), "hidden");
    p.mkdir("C:\\t\\folder");
    store(p.mkdir("C:\\t\\Recycled"), "0x6");
    std::filesystem::create_symlink("plain.txt", p.host("C:\\t\\tofile"));
    std::filesystem::create_symlink("folder", p.host("C:\\t\\tofolder"));
    std::filesystem::create_symlink("nowhere", p.host("C:\\t\\dangling"));
    ASSERT_EQ(::mkfifo(p.host("C:\\t\\pipe").c_str(), 0644), 0);

    struct Case {
        const char* name;
        uint32_t attributes;
        uint64_t size;
    };
    const Case cases[] = {
        {"plain.txt", AttrArchive, 5},
        {"locked.txt", AttrArchive | AttrReadOnly, 0},
        {"groupwrite.txt", AttrArchive | AttrReadOnly, 0},
        {".profile", AttrArchive | AttrHidden, 0},
        {"hidden.txt", AttrArchive | AttrHidden, 0},
        {"system.txt", AttrArchive | AttrSystem, 0},
        {"both.txt", AttrArchive | AttrHidden | AttrSystem, 0},
        {"samba4.txt", AttrArchive | AttrHidden, 0},
        {"garbage.txt", AttrArchive, 0},
        {"folder", AttrDirectory, 0},
        {"Recycled", AttrDirectory | AttrHidden | AttrSystem, 0},
        {"tofile", AttrReparsePoint, 0},
        {"tofolder", AttrReparsePoint | AttrDirectory, 0},
        {"dangling", AttrReparsePoint, 0},
        {"pipe", AttrDevice, 0},
    };
    const auto entries = listAll(p.fs, "C:\\t");
    EXPECT_EQ(entries.size(), std::size(cases));
    for (const Case& c : cases) {
        const FileEntry* listed = find(entries, c.name);
        ASSERT_NE(listed, nullptr) << c.name;
        EXPECT_EQ(listed->attributes, c.attributes) << c.name;
        EXPECT_EQ(listed->size, c.size) << c.name;
        const auto single = p.fs.stat(std::string("C:\\T\\") + c.name);
        ASSERT_TRUE(single) << c.name;
        EXPECT_EQ(single->attributes, c.attributes) << c.name;
        EXPECT_EQ(p.fs.attributes(std::string("c:\\t\\") + c.name), c.attributes) << c.name;
    }
    EXPECT_TRUE(find(entries, "tofolder")->isLink());
    EXPECT_FALSE(find(entries, "tofolder")->isFolder());
    EXPECT_TRUE(p.fs.isFolder("C:\\t\\folder"));
    EXPECT_FALSE(p.fs.isFolder("C:\\t\\tofolder"));
}

TEST_F(LinuxFileSystemTest, ListingMatchesMasksAndSkipsWhatWindowsCannotName)
{
    p.write("C:\\t\\a.tmp");
    p.write("C:\\t\\B.TMP");
    p.write("C:\\t\\c.txt");
    p.write("C:\\t\\back\\slash.tmp"); // a folder "back" holding a file
    p.write(std::string("C:\\t\\bad\xff\xfe.tmp"), "xyz");
    const std::string odd = p.host("C:\\t") + "/odd\\name.tmp";
    ASSERT_TRUE(std::ofstream(odd).good());

    std::vector<std::string> names;
    for (const auto& e : listAll(p.fs, "C:\\T", "*.tmp"))
        names.push_back(e.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"B.TMP", "a.tmp", "bad\xff\xfe.tmp"}));

    const auto all = listAll(p.fs, "C:\\t");
    EXPECT_EQ(find(all, "."), nullptr);
    EXPECT_EQ(find(all, ".."), nullptr);
    EXPECT_EQ(find(all, "odd\\name.tmp"), nullptr);
    EXPECT_EQ(all.size(), 5u);

    // A name that is not valid UTF-8 works through every call.
    const std::string bad = "C:\\t\\bad\xff\xfe.tmp";
    ASSERT_TRUE(p.fs.stat(bad));
    EXPECT_EQ(p.fs.stat(bad)->size, 3u);
    EXPECT_TRUE(p.fs.deleteFile(bad).ok());
    EXPECT_FALSE(p.fs.exists(bad));
}

TEST_F(LinuxFileSystemTest, PseudoFileSystemsBelowADriveAreNotListed)
{
    p.addDrive('Z', "/");
    const auto root = listAll(p.fs, "Z:");
    struct Case {
        const char* name;
        bool listed;
    };
    for (const Case c : {Case{"proc", false}, Case{"sys", false}, Case{"dev", false}, Case{"usr", true}, Case{"etc", true}})
        EXPECT_EQ(find(root, c.name) != nullptr, c.listed) << c.name;
    // Asked for directly, such a folder is still listed.
    EXPECT_FALSE(listAll(p.fs, "Z:\\proc\\self").empty());
}

TEST_F(LinuxFileSystemTest, BadFoldersGiveAnErrorAndNoEntries)
{
    p.write("C:\\file.txt");
    p.mkdir("C:\\closed");
    p.write("C:\\closed\\inside.tmp");
    struct Case {
        const char* folder;
        int code;
    };
    for (const Case c : {Case{"Q:\\x", ENOENT}, Case{"C:\\missing", ENOENT}, Case{"C:\\file.txt", ENOTDIR}}) {
        std::vector<FileEntry> entries;
        const Status status = p.fs.list(c.folder, "*.*", entries);
        EXPECT_EQ(status.code, c.code) << c.folder;
        EXPECT_NE(status.message.find(c.folder), std::string::npos) << status.message;
        EXPECT_TRUE(entries.empty());
    }

    // A folder the user may not read (root reads everything, so the check runs as nobody).
    ::chmod(p.dir.path().c_str(), 0755);
    ::chmod(p.host("C:\\closed").c_str(), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            ::_exit(3);
        std::vector<FileEntry> entries;
        const Status status = p.fs.list("C:\\closed", "*.*", entries);
        ::_exit(status.code == EACCES && entries.empty() ? 0 : 1);
    }
    int wstatus = 0;
    ::waitpid(child, &wstatus, 0);
    EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0) << wstatus;
}

TEST_F(LinuxFileSystemTest, SetAttributesStoresWhatWineReads)
{
    const std::string file = p.write("C:\\a.txt", "x");
    struct Step {
        uint32_t set;
        std::string stored; // user.DOSATTRIB afterwards
        bool ownerWrite;
        uint32_t read;
    };
    const Step steps[] = {
        {AttrHidden, "0x2", true, AttrArchive | AttrHidden},
        {AttrHidden | AttrSystem, "0x6", true, AttrArchive | AttrHidden | AttrSystem},
        {AttrReadOnly | AttrSystem, "0x4", false, AttrArchive | AttrReadOnly | AttrSystem},
        {AttrNormal, "<none>", true, AttrArchive},
        {AttrArchive, "<none>", true, AttrArchive},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(p.fs.setAttributes("C:\\A.TXT", s.set).ok()) << s.set;
        EXPECT_EQ(storedValue(file), s.stored) << s.set;
        struct stat st;
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ((st.st_mode & S_IWUSR) != 0, s.ownerWrite) << s.set;
        if (!s.ownerWrite) {
            EXPECT_EQ(st.st_mode & 0222, 0u) << "read-only clears every write bit, as Wine does";
        }
        EXPECT_EQ(p.fs.attributes("C:\\a.txt"), s.read) << s.set;
    }

    // Samba's archive bit and anything else it stored survive a change of hidden.
    store(file, "0x20");
    ASSERT_TRUE(p.fs.setAttributes("C:\\a.txt", AttrHidden).ok());
    EXPECT_EQ(storedValue(file), "0x22");

    // A dot name stays hidden whatever is stored.
    p.write("C:\\.dot");
    ASSERT_TRUE(p.fs.setAttributes("C:\\.dot", AttrNormal).ok());
    EXPECT_EQ(p.fs.attributes("C:\\.dot"), AttrArchive | AttrHidden);

    // A link keeps nothing; asking it to is an error, and its target is untouched.
    std::filesystem::create_symlink("a.txt", p.host("C:\\link"));
    EXPECT_FALSE(p.fs.setAttributes("C:\\link", AttrHidden).ok());
    EXPECT_TRUE(p.fs.setAttributes("C:\\link", AttrNormal).ok());
    EXPECT_EQ(storedValue(file), "0x22");
    EXPECT_FALSE(p.fs.setAttributes("C:\\missing", AttrHidden).ok());
}

TEST_F(LinuxFileSystemTest, DeletionRefusesWhatWindowsRefusesAndNeverFollowsLinks)
{
    const std::string target = p.write("C:\\target.txt", "keep");
    p.mkdir("C:\\dir");
    p.write("C:\\dir\\inner.txt", "keep");
    std::filesystem::create_symlink(target, p.host("C:\\link.txt"));
    std::filesystem::create_symlink(p.host("C:\\dir"), p.host("C:\\dirlink"));
    ::chmod(p.write("C:\\ro.txt", "keep").c_str(), 0444);
    p.mkdir("C:\\full");
    p.write("C:\\full\\x");
    p.mkdir("C:\\empty");

    struct Case {
        const char* path;
        bool folder;   // removeFolder instead of deleteFile
        int code;      // 0 = removed
        const char* gone;
    };
    const Case cases[] = {
        {"C:\\link.txt", false, 0, "C:\\link.txt"},
        {"C:\\ro.txt", false, EACCES, nullptr},
        {"C:\\dir", false, EISDIR, nullptr},
        {"C:\\missing.txt", false, ENOENT, nullptr},
        {"Q:\\x.txt", false, ENOENT, nullptr},
        {"C:\\full", true, ENOTEMPTY, nullptr},
        {"C:\\target.txt", true, ENOTDIR, nullptr},
        {"C:\\empty", true, 0, "C:\\empty"},
        {"C:\\dirlink", true, 0, "C:\\dirlink"},
    };
    for (const Case& c : cases) {
        const Status status = c.folder ? p.fs.removeFolder(c.path) : p.fs.deleteFile(c.path);
        EXPECT_EQ(status.code, c.code) << c.path << ": " << status.message;
        if (c.code) {
            EXPECT_NE(status.message.find(c.path), std::string::npos) << status.message;
        }
        if (c.gone) {
            EXPECT_FALSE(p.fs.exists(c.gone)) << c.path;
        }
    }
    EXPECT_EQ(readFile(target), "keep");
    EXPECT_EQ(readFile(p.host("C:\\dir\\inner.txt")), "keep");
    EXPECT_EQ(readFile(p.host("C:\\ro.txt")), "keep");
}

TEST_F(LinuxFileSystemTest, MoveNeverReplacesAndCreateFolderReportsErrors)
{
    p.write("C:\\a.txt", "a");
    p.write("C:\\b.txt", "b");
    EXPECT_EQ(p.fs.move("C:\\a.txt", "C:\\b.txt").code, EEXIST);
    EXPECT_EQ(readFile(p.host("C:\\a.txt")), "a");
    EXPECT_EQ(readFile(p.host("C:\\b.txt")), "b");
    ASSERT_TRUE(p.fs.move("C:\\a.txt", "C:\\c.txt").ok());
    EXPECT_FALSE(p.fs.exists("C:\\a.txt"));
    EXPECT_EQ(readFile(p.host("C:\\c.txt")), "a");

    EXPECT_TRUE(p.fs.createFolder("C:\\new").ok());
    EXPECT_TRUE(p.fs.isFolder("C:\\NEW"));
    EXPECT_EQ(p.fs.createFolder("C:\\new").code, EEXIST);
    EXPECT_EQ(p.fs.createFolder("C:\\none\\deeper").code, ENOENT);
}

TEST_F(LinuxFileSystemTest, InUseMeansReadOnlyOrOpenAnywhere)
{
    const std::string plain = p.write("C:\\plain.tmp", "x");
    ::chmod(p.write("C:\\ro.tmp", "x").c_str(), 0444);
    p.mkdir("C:\\folder.tmp");
    std::filesystem::create_symlink(plain, p.host("C:\\link.tmp"));
    struct Case {
        const char* path;
        bool locked;
    };
    for (const Case c : {Case{"C:\\plain.tmp", false}, Case{"C:\\ro.tmp", true}, Case{"C:\\folder.tmp", false},
                         Case{"C:\\link.tmp", false}, Case{"C:\\missing.tmp", false}, Case{"Q:\\x.tmp", false}})
        EXPECT_EQ(p.fs.isFileLocked(c.path), c.locked) << c.path;

    for (const int mode : {O_RDONLY, O_RDWR}) {
        const int fd = ::open(plain.c_str(), mode);
        ASSERT_GE(fd, 0);
        EXPECT_TRUE(p.fs.isFileLocked("C:\\plain.tmp")) << mode;
        Status status;
        EXPECT_EQ(p.fs.openExclusive("C:\\plain.tmp", false, status), nullptr);
        EXPECT_EQ(status.code, EBUSY);
        ::close(fd);
        EXPECT_FALSE(p.fs.isFileLocked("C:\\plain.tmp")) << mode;
    }

    Holder holder(plain, p.dir / "held");
    EXPECT_TRUE(p.fs.isFileLocked("C:\\plain.tmp"));
    holder.stop();
    EXPECT_FALSE(p.fs.isFileLocked("C:\\plain.tmp"));
}

TEST_F(LinuxFileSystemTest, ExclusiveHandleWritesTruncatesAndHoldsTheFile)
{
    for (const bool writeThrough : {false, true}) {
        const std::string file = p.write("C:\\data.bin", "hello world");
        Status status;
        auto handle = p.fs.openExclusive("C:\\DATA.BIN", writeThrough, status);
        ASSERT_NE(handle, nullptr) << status.message;
        EXPECT_EQ(handle->size(), 11u);
        EXPECT_TRUE(p.fs.isFileLocked("C:\\data.bin")) << "an open handle is a holder like any other";
        ASSERT_TRUE(handle->seek(6).ok());
        char buffer[16] = {};
        size_t got = 0;
        ASSERT_TRUE(handle->read(buffer, sizeof buffer, got).ok());
        EXPECT_EQ(std::string(buffer, got), "world");
        ASSERT_TRUE(handle->seek(0).ok());
        ASSERT_TRUE(handle->write("J", 1).ok());
        ASSERT_TRUE(handle->truncate(5).ok());
        ASSERT_TRUE(handle->flush().ok());
        EXPECT_EQ(handle->size(), 5u);
        handle.reset();
        EXPECT_EQ(readFile(file), "Jello");
        EXPECT_FALSE(p.fs.isFileLocked("C:\\data.bin"));
    }

    ::chmod(p.write("C:\\ro.bin", "keep").c_str(), 0444);
    p.mkdir("C:\\dir");
    std::filesystem::create_symlink(p.host("C:\\data.bin"), p.host("C:\\link.bin"));
    struct Case {
        const char* path;
        int code;
    };
    for (const Case c : {Case{"C:\\ro.bin", EACCES}, Case{"C:\\dir", EISDIR}, Case{"C:\\link.bin", EINVAL},
                         Case{"C:\\missing.bin", ENOENT}, Case{"Q:\\x", ENOENT}}) {
        Status status;
        EXPECT_EQ(p.fs.openExclusive(c.path, true, status), nullptr) << c.path;
        EXPECT_EQ(status.code, c.code) << c.path;
        EXPECT_NE(status.message.find(c.path), std::string::npos) << status.message;
    }
    EXPECT_EQ(readFile(p.host("C:\\ro.bin")), "keep");
}

TEST_F(LinuxFileSystemTest, AShortWriteIsContinuedAndAFailedOneReported)
{
    p.write("C:\\big.bin");
    Status status;
    auto handle = p.fs.openExclusive("C:\\big.bin", false, status);
    ASSERT_NE(handle, nullptr);
    const std::string data(100000, 'x');

    // A file-size limit makes write() stop short at the limit, then fail with EFBIG.
    struct rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 65536;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const Status failed = handle->write(data.data(), data.size());
    const uint64_t sizeAtLimit = handle->size();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);

    EXPECT_EQ(failed.code, EFBIG);
    EXPECT_NE(failed.message.find("C:\\big.bin"), std::string::npos);
    EXPECT_EQ(sizeAtLimit, 65536u) << "the bytes up to the limit were written, not just the first call's";

    ASSERT_TRUE(handle->seek(0).ok());
    EXPECT_TRUE(handle->write(data.data(), data.size()).ok());
    EXPECT_EQ(handle->size(), data.size());
}

TEST_F(LinuxFileSystemTest, PathsTranslateThroughTheDrives)
{
    const std::string file = p.write("C:\\Windows\\Temp\\Mixed.Tmp", "abc");
    EXPECT_TRUE(p.fs.exists("c:\\WINDOWS\\temp\\mixed.tmp"));
    EXPECT_EQ(p.fs.hostPath("C:\\windows\\TEMP\\MIXED.TMP"), file);
    EXPECT_EQ(p.fs.hostPath("Q:\\x"), std::nullopt);
    EXPECT_FALSE(p.fs.exists("Q:\\x"));

    // Device names exist in every existing folder (the "is there a disk in A:" test).
    p.addDrive('A', p.dir / "floppy");
    struct Case {
        const char* path;
        bool exists;
    };
    for (const Case c : {Case{"C:\\nul", true}, Case{"C:\\Windows\\NUL.txt", true}, Case{"C:\\com1", true},
                         Case{"C:\\lpt9.x", true}, Case{"C:\\com0", false}, Case{"C:\\null", false},
                         Case{"C:\\missing\\nul", false}, Case{"A:\\nul", false}})
        EXPECT_EQ(p.fs.exists(c.path), c.exists) << c.path;
    std::filesystem::create_directory(p.dir / "floppy");
    EXPECT_TRUE(p.fs.exists("A:\\nul"));
    EXPECT_EQ(p.fs.stat("C:\\windows\\temp\\mixed.tmp")->name, "Mixed.Tmp");
    EXPECT_EQ(p.fs.maxNameLength("C:\\Windows"), 255u);
    EXPECT_EQ(p.fs.maxNameLength("C:\\not\\there\\yet.txt"), 255u);

    const auto before = p.fs.identity("C:\\Windows\\Temp\\Mixed.Tmp");
    ASSERT_TRUE(before);
    p.write("C:\\Windows\\Temp\\Mixed.Tmp", "abcd");
    EXPECT_NE(p.fs.identity("C:\\Windows\\Temp\\Mixed.Tmp"), before);
    EXPECT_EQ(p.fs.identity("C:\\missing"), std::nullopt);
}

} // namespace
