#include "platform/FreedesktopTrash.h"

#include "platform/OwnPrefix.h"
#include "platform/TrashInfo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <functional>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvane;
using orvane::test::TempDir;
using orvane::test::hostExists;
using orvane::test::readFile;

namespace {

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (std::string_view(e->d_name) != "." && std::string_view(e->d_name) != "..")
                names.emplace_back(e->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string realPath(const std::string& path)
{
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

bool isLink(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

trashinfo::TrashInfo infoOf(const std::string& trash, const std::string& name)
{
    trashinfo::TrashInfo info;
    const auto status = trashinfo::parse(readFile(trash + "/info/" + name + ".trashinfo"), info);
    EXPECT_TRUE(status.ok()) << name << ": " << status.message;
    return info;
}

std::time_t parseLocal(const std::string& date)
{
    std::tm tm{};
    tm.tm_isdst = -1;
    sscanf(date.c_str(), "%d-%d-%dT%d:%d:%d", &tm.tm_year, &tm.tm_mon, &tm.tm_mday, &tm.tm_hour, &tm.tm_min,
           &tm.tm_sec);
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    return std::mktime(&tm);
}

class TrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(createOwnPrefix(temp / "prefix", "user").ok());
        prefix = std::make_unique<Prefix>(Prefix::open(temp / "prefix"));
        trashRoot = temp / "Trash";
        trash = std::make_unique<FreedesktopTrash>(*prefix, trashRoot);
    }
    // A file in the prefix's Windows temp folder: its host path and its Windows path.
    std::string put(const std::string& relative, const std::string& content = "x")
    {
        return temp.write("prefix/drive_c/Windows/Temp/" + relative, content);
    }
    static std::string win(const std::string& relative) { return "C:\\Windows\\Temp\\" + relative; }

    TempDir temp;
    std::unique_ptr<Prefix> prefix;
    std::string trashRoot;
    std::unique_ptr<FreedesktopTrash> trash;
};

} // namespace

TEST_F(TrashTest, RecyclesAFileWithItsOriginalPlace)
{
    const std::string host = put("old report.tmp", "payload");
    const std::time_t before = std::time(nullptr);
    ASSERT_TRUE(trash->recycleFile(win("old report.tmp")).ok());

    EXPECT_FALSE(hostExists(host));
    EXPECT_EQ(readFile(trashRoot + "/files/old report.tmp"), "payload");
    const std::string text = readFile(trashRoot + "/info/old report.tmp.trashinfo");
    EXPECT_EQ(text.rfind("[Trash Info]\nPath=/", 0), 0u) << text;
    EXPECT_NE(text.find("old%20report.tmp\n"), std::string::npos) << text;
    const auto info = infoOf(trashRoot, "old report.tmp");
    EXPECT_EQ(info.path, realPath(temp / "prefix/drive_c/Windows/Temp") + "/old report.tmp");
    ASSERT_TRUE(trashinfo::isValidDeletionDate(info.deletionDate)) << info.deletionDate;
    EXPECT_LE(std::abs(parseLocal(info.deletionDate) - before), 5) << "local time, not UTC";

    struct stat st;
    ASSERT_EQ(::stat(trashRoot.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "a new trash is private";
}

TEST_F(TrashTest, SameNameTwiceGetsANumberedName)
{
    for (int round = 0; round < 3; ++round) {
        put("dup.bak", "round " + std::to_string(round));
        ASSERT_TRUE(trash->recycleFile(win("dup.bak")).ok()) << round;
    }
    EXPECT_EQ(namesIn(trashRoot + "/files"), (std::vector<std::string>{"dup.bak", "dup.bak.2", "dup.bak.3"}));
    EXPECT_EQ(readFile(trashRoot + "/files/dup.bak.3"), "round 2");
    EXPECT_EQ(infoOf(trashRoot, "dup.bak.2").path, infoOf(trashRoot, "dup.bak").path);

    // A leftover in files/ without its information file is not overwritten either.
    temp.write("Trash/files/orphan.log", "someone else's");
    put("orphan.log", "mine");
    ASSERT_TRUE(trash->recycleFile(win("orphan.log")).ok());
    EXPECT_EQ(readFile(trashRoot + "/files/orphan.log"), "someone else's");
    EXPECT_EQ(readFile(trashRoot + "/files/orphan.log.2"), "mine");
}

TEST_F(TrashTest, RecyclesAFolderAndNotesItsSize)
{
    put("old stuff/a.txt", std::string(10000, 'a'));
    put("old stuff/deeper/b.txt", "b");
    temp.write("Trash/directorysizes", "123 1700000000 earlier\n");
    ASSERT_TRUE(trash->recycleFolder(win("old stuff")).ok());

    EXPECT_FALSE(hostExists(temp / "prefix/drive_c/Windows/Temp/old stuff"));
    EXPECT_EQ(readFile(trashRoot + "/files/old stuff/deeper/b.txt"), "b");
    const std::string sizes = readFile(trashRoot + "/directorysizes");
    ASSERT_EQ(sizes.rfind("123 1700000000 earlier\n", 0), 0u) << sizes;
    unsigned long long bytes = 0;
    long long mtime = 0;
    char name[64] = {};
    ASSERT_EQ(sscanf(sizes.c_str() + 23, "%llu %lld %63s", &bytes, &mtime, name), 3) << sizes;
    EXPECT_GE(bytes, 10000u);
    EXPECT_STREQ(name, "old%20stuff");
    struct stat st;
    ASSERT_EQ(::stat((trashRoot + "/info/old stuff.trashinfo").c_str(), &st), 0);
    EXPECT_EQ(mtime, st.st_mtime);
}

TEST_F(TrashTest, OddItemsAreRecycledAsTheyAre)
{
    const std::string outside = temp.write("outside/target.txt", "target");
    const std::string link = temp / "prefix/drive_c/Windows/Temp/link.tmp";
    ASSERT_EQ(::symlink((temp / "outside").c_str(), link.c_str()), 0);
    put("\xFF\xFE bytes.tmp", "not utf-8");
    const std::string longName = std::string(120, 'n') + "\xC3\xA9" + std::string(120, 'n') + ".tmp";
    put(longName, "long");

    ASSERT_TRUE(trash->recycleFile(win("link.tmp")).ok());
    ASSERT_TRUE(trash->recycleFile(win("\xFF\xFE bytes.tmp")).ok());
    ASSERT_TRUE(trash->recycleFile(win(longName)).ok());

    EXPECT_TRUE(isLink(trashRoot + "/files/link.tmp")) << "a link goes to the trash as a link";
    EXPECT_EQ(readFile(outside), "target");
    EXPECT_EQ(readFile(trashRoot + "/files/\xFF\xFE bytes.tmp"), "not utf-8");
    EXPECT_NE(readFile(trashRoot + "/info/\xFF\xFE bytes.tmp.trashinfo").find("/%FF%FE%20bytes.tmp"),
              std::string::npos);
    // The trash name is shortened to fit beside ".trashinfo"; Path keeps the whole name.
    std::string shortened;
    for (const std::string& name : namesIn(trashRoot + "/info")) {
        EXPECT_LE(name.size(), 255u);
        if (name.rfind("nnnn", 0) == 0)
            shortened = name.substr(0, name.size() - std::string(".trashinfo").size());
    }
    ASSERT_FALSE(shortened.empty());
    EXPECT_EQ(readFile(trashRoot + "/files/" + shortened), "long");
    const std::string original = infoOf(trashRoot, shortened).path;
    EXPECT_EQ(original.substr(original.rfind('/') + 1), longName);
}

TEST_F(TrashTest, FailureLeavesTheItemWhereItIs)
{
    const std::string file = put("keep.tmp", "keep");
    put("folder/inner.txt", "inner");
    temp.write("blocker", "a file where the trash folder should be");
    FreedesktopTrash blocked(*prefix, temp / "blocker/Trash");
    // A trash inside the folder to recycle: the move itself fails, after the information file
    // was written.
    const std::string innerTrash = temp / "prefix/drive_c/Windows/Temp/folder/Trash";
    FreedesktopTrash inside(*prefix, innerTrash);

    const struct {
        const char* label;
        FreedesktopTrash* bin;
        bool folder;
        std::string path;
    } cases[] = {
        {"trash cannot be created", &blocked, false, win("keep.tmp")},
        {"folder given as a file", trash.get(), false, win("folder")},
        {"file given as a folder", trash.get(), true, win("keep.tmp")},
        {"missing item", trash.get(), false, win("nothing.tmp")},
        {"unknown drive", trash.get(), false, "Q:\\keep.tmp"},
        {"move into itself", &inside, true, win("folder")},
    };
    for (const auto& c : cases) {
        const Status status = c.folder ? c.bin->recycleFolder(c.path) : c.bin->recycleFile(c.path);
        EXPECT_FALSE(status.ok()) << c.label;
        EXPECT_FALSE(status.message.empty()) << c.label;
        EXPECT_EQ(readFile(file), "keep") << c.label;
        EXPECT_EQ(readFile(temp / "prefix/drive_c/Windows/Temp/folder/inner.txt"), "inner") << c.label;
        EXPECT_TRUE(namesIn(trashRoot + "/info").empty()) << c.label << ": no information file is left behind";
        EXPECT_TRUE(namesIn(innerTrash + "/info").empty()) << c.label << ": no information file is left behind";
    }
    EXPECT_NE(blocked.recycleFile(win("keep.tmp")).message.find("left in place"), std::string::npos);
}

TEST_F(TrashTest, AMountPointIsNotRecycled)
{
    struct stat proc, root;
    if (::stat("/proc/self", &proc) != 0 || ::stat("/", &root) != 0 || proc.st_dev == root.st_dev)
        GTEST_SKIP() << "/proc is not mounted";
    const bool hadRootTrash = hostExists("/.Trash-" + std::to_string(::geteuid()));
    const Status status = trash->recycleFolder("Z:\\proc");
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message.find("mounted"), std::string::npos) << status.message;
    EXPECT_TRUE(hostExists("/proc/self"));
    EXPECT_EQ(hostExists("/.Trash-" + std::to_string(::geteuid())), hadRootTrash) << "no trash made for it";
}

TEST_F(TrashTest, BinFolderIsTheHomeTrashSeenThroughADrive)
{
    const std::string bin = trash->binFolder();
    ASSERT_FALSE(bin.empty());
    EXPECT_EQ(prefix->toHost(bin), realPath(trashRoot + "/files"));
}

TEST_F(TrashTest, EmptyAllEmptiesEveryTrashWithoutFollowingLinks)
{
    const std::string uid = std::to_string(::geteuid());
    // Home trash: files, a read-only folder, a link to a folder outside that must survive.
    put("a.tmp");
    put("tree/sub/b.tmp");
    ASSERT_TRUE(trash->recycleFile(win("a.tmp")).ok());
    ASSERT_TRUE(trash->recycleFolder(win("tree")).ok());
    const std::string outside = temp.write("outside/precious.txt", "precious");
    ASSERT_EQ(::symlink((temp / "outside").c_str(), (trashRoot + "/files/link").c_str()), 0);
    temp.write("Trash/files/locked/inside.txt", "x");
    ::chmod((trashRoot + "/files/locked").c_str(), 0500);
    temp.write("Trash/directorysizes", "4096 1 tree\n");

    // Top-folder trashes of two mounts: a local disk (emptied) and a network share (left alone).
    temp.write("disk/.Trash-" + uid + "/files/c.tmp", "c");
    temp.write("disk/.Trash-" + uid + "/info/c.tmp.trashinfo", "[Trash Info]\nPath=c.tmp\n");
    temp.write("net/.Trash-" + uid + "/files/d.tmp", "d");
    temp.write("ram/.Trash-" + uid + "/files/e.tmp", "e");
    temp.write("auto/.Trash-" + uid + "/files/f.tmp", "f");
    trash->useMountTable(MountTable::parse("21 1 8:1 / " + (temp / "disk") + " rw - ext4 /dev/sdb1 rw\n"
                                           "22 1 0:50 / " + (temp / "net") + " rw - nfs4 server:/x rw\n"
                                           "23 1 0:51 / " + (temp / "ram") + " rw - tmpfs tmpfs rw\n"
                                           "24 1 0:52 / " + (temp / "auto") + " rw - autofs systemd-1 rw\n"));

    ASSERT_TRUE(trash->emptyAll().ok());
    EXPECT_TRUE(namesIn(trashRoot + "/files").empty());
    EXPECT_TRUE(namesIn(trashRoot + "/info").empty());
    EXPECT_EQ(readFile(trashRoot + "/directorysizes"), "");
    EXPECT_EQ(readFile(outside), "precious");
    EXPECT_TRUE(namesIn(temp / ("disk/.Trash-" + uid + "/files")).empty());
    EXPECT_TRUE(namesIn(temp / ("disk/.Trash-" + uid + "/info")).empty());
    EXPECT_EQ(readFile(temp / ("net/.Trash-" + uid + "/files/d.tmp")), "d");
    EXPECT_EQ(readFile(temp / ("auto/.Trash-" + uid + "/files/f.tmp")), "f");
    EXPECT_TRUE(namesIn(temp / ("ram/.Trash-" + uid + "/files")).empty());
    EXPECT_TRUE(hostExists(trashRoot + "/files")) << "the trash itself stays";
}

TEST(TrashEmptying, VeryDeepTreeIsRemovedWithoutRecursion)
{
    TempDir temp;
    const std::string top = temp.mkdir("files");
    // 6,000 levels: far beyond PATH_MAX, so only descriptor-relative calls reach the bottom.
    int fd = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < 6000; ++level) {
        ASSERT_EQ(::mkdirat(fd, "level", 0700), 0);
        const int child = ::openat(fd, "level", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = child;
    }
    const int file = ::openat(fd, "bottom.tmp", O_WRONLY | O_CREAT, 0600);
    ::close(file);
    ::close(fd);

    ASSERT_TRUE(removeFolderContents(top).ok());
    EXPECT_TRUE(namesIn(top).empty());
    EXPECT_TRUE(hostExists(top));
}

// Takes back what a test put in a shared folder, also when an assertion ends the test early.
struct Cleanup {
    std::function<void()> run;
    ~Cleanup() { run(); }
};

// A file on another file system than the home trash goes to that file system's own trash.
// /dev/shm is a separate tmpfs on most machines; the test says so when it is not.
TEST(TrashTopFolder, OtherFileSystemUsesItsTopFolderTrash)
{
    TempDir home;
    struct stat a, b;
    if (::stat("/dev/shm", &a) != 0 || ::stat(home.path().c_str(), &b) != 0 || a.st_dev == b.st_dev
        || ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second writable file system at /dev/shm";
    const std::string uid = std::to_string(::geteuid());
    const std::string top = "/dev/shm/.Trash-" + uid;
    const bool hadTrash = hostExists(top);
    const std::string folderName = "orvane-trash-" + std::to_string(::getpid());
    const std::string folder = "/dev/shm/" + folderName;
    const std::string item = folder + "/far.tmp";
    const std::string windowsItem = "Z:\\dev\\shm\\" + folderName + "\\far.tmp";
    std::string trashedName;
    const Cleanup cleanup{[&] {
        if (!trashedName.empty()) {
            ::unlink((top + "/files/" + trashedName).c_str());
            ::unlink((top + "/info/" + trashedName + ".trashinfo").c_str());
        }
        ::unlink(item.c_str());
        ::rmdir(folder.c_str());
        if (!hadTrash) {
            ::unlink(top.c_str()); // the planted link, if the test ended while it was there
            ::rmdir((top + "/files").c_str());
            ::rmdir((top + "/info").c_str());
            ::rmdir(top.c_str());
        }
    }};
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    { std::FILE* f = std::fopen(item.c_str(), "w"); std::fputs("far", f); std::fclose(f); }
    ASSERT_TRUE(createOwnPrefix(home / "prefix", "user").ok());
    const Prefix prefix = Prefix::open(home / "prefix");
    FreedesktopTrash trash(prefix, home / "Trash");

    if (!hadTrash) {
        // A planted link is not a trash: the recycle fails and writes nothing through it.
        const std::string elsewhere = home.mkdir("elsewhere");
        ASSERT_EQ(::symlink(elsewhere.c_str(), top.c_str()), 0);
        const Status refused = trash.recycleFile(windowsItem);
        ::unlink(top.c_str());
        EXPECT_FALSE(refused.ok());
        EXPECT_TRUE(hostExists(item));
        EXPECT_TRUE(namesIn(elsewhere).empty());
    }

    const Status status = trash.recycleFile(windowsItem);
    EXPECT_TRUE(status.ok()) << status.message;
    EXPECT_FALSE(hostExists(item));
    EXPECT_FALSE(hostExists(home / "Trash/files/far.tmp")) << "never copied to the home trash";
    for (const std::string& name : namesIn(top + "/info"))
        if (readFile(top + "/info/" + name).find("Path=" + folderName + "/far.tmp\n") != std::string::npos)
            trashedName = name.substr(0, name.size() - std::string(".trashinfo").size());
    ASSERT_FALSE(trashedName.empty()) << "Path is relative to the top folder";
    EXPECT_EQ(readFile(top + "/files/" + trashedName), "far");
    struct stat st;
    ASSERT_EQ(::lstat(top.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}
