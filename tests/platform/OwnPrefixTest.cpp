#include "platform/OwnPrefix.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvane;
using orvane::test::TempDir;
using orvane::test::readFile;

namespace {

bool isFolder(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string linkTarget(const std::string& path)
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
    return n < 0 ? std::string() : std::string(buffer, size_t(n));
}

} // namespace

TEST(OwnPrefix, HasTheWindows7Layout)
{
    TempDir temp;
    const std::string root = temp / "prefix";
    ASSERT_TRUE(createOwnPrefix(root, "alice").ok());

    EXPECT_EQ(linkTarget(root + "/dosdevices/c:"), "../drive_c");
    EXPECT_EQ(linkTarget(root + "/dosdevices/z:"), "/");
    EXPECT_TRUE(isFolder(root + "/dosdevices/c:/Windows/Temp")) << "c: must resolve relative to dosdevices";
    const std::string profile = root + "/drive_c/Users/alice";
    for (const std::string& folder :
         {root + "/drive_c/Windows/Temp", root + "/drive_c/Program Files", root + "/drive_c/ProgramData",
          profile + "/AppData/Local/Temp", profile + "/AppData/Local/Microsoft/Windows/Temporary Internet Files",
          profile + "/AppData/Local/Microsoft/Windows/History", profile + "/AppData/Roaming/Microsoft/Windows/Cookies",
          profile + "/AppData/Roaming/Microsoft/Windows/Recent"})
        EXPECT_TRUE(isFolder(folder)) << folder;
    EXPECT_EQ(readFile(root + "/.update-timestamp"), "disable");
    EXPECT_FALSE(orvane::test::hostExists(root + "/system.reg")) << "the registry files are made elsewhere";
}

TEST(OwnPrefix, SecondRunKeepsWhatIsThere)
{
    TempDir temp;
    const std::string root = temp / "prefix";
    ASSERT_TRUE(createOwnPrefix(root, "bob").ok());
    temp.write("prefix/drive_c/Windows/Temp/work.tmp", "keep");
    temp.write("prefix/.update-timestamp", "1676758571\r\n");
    ASSERT_EQ(::unlink((root + "/dosdevices/z:").c_str()), 0);
    ASSERT_EQ(::symlink("/home", (root + "/dosdevices/z:").c_str()), 0);

    ASSERT_TRUE(createOwnPrefix(root, "bob").ok());
    EXPECT_EQ(readFile(root + "/drive_c/Windows/Temp/work.tmp"), "keep");
    EXPECT_EQ(readFile(root + "/.update-timestamp"), "1676758571\r\n");
    EXPECT_EQ(linkTarget(root + "/dosdevices/z:"), "/home");
    EXPECT_EQ(linkTarget(root + "/dosdevices/c:"), "../drive_c");
}

TEST(OwnPrefix, FailsClearlyWhenAFileIsInTheWay)
{
    TempDir temp;
    temp.write("prefix/drive_c", "not a folder");
    const auto status = createOwnPrefix(temp / "prefix", "carol");
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message.find("drive_c"), std::string::npos) << status.message;
    EXPECT_EQ(readFile(temp / "prefix/drive_c"), "not a folder");
}

TEST(OwnPrefix, UserNameIsUsableAsAFolderName)
{
    const std::string name = prefixUserName();
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.find_first_of("/\\:"), std::string::npos);
}
