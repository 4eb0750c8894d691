#include "junk/FolderTests.h"

#include <gtest/gtest.h>

namespace orvane::junk {
namespace {

TEST(FolderTests, WhichFoldersEachSearchSkips)
{
    const std::string bin = "C:\\$Bin";
    struct Case {
        const char* folder;
        bool patterns;
        bool deadLinks;
    } cases[] = {
        {"C:", false, false},
        {"C:\\Users\\me\\Documents", false, false},
        {"C:\\files.zip.d", true, false},
        {"C:\\ZIP", false, false},                 // case-sensitive: "ZIP" is not listed
        {"C:\\Temporary", true, true},
        {"C:\\temporary", false, true},            // "emporary" only for shortcuts
        {"C:\\NetHood", true, true},
        {"C:\\Food", false, true},                 // "ood" for shortcuts
        {"C:\\Users\\me\\Cookies", true, true},
        {"C:\\cookies", false, false},
        {"C:\\RECYCLER", true, true},
        {"C:\\$Recycle.Bin\\S-1", true, true},
        {"C:\\recycled", true, true},
        {"C:\\$Bin", true, true},                  // RecycleBinPath itself
        {"C:\\$Bin\\sub", false, false},           // below it: only by its name
        {"Z:\\home\\me\\.local\\share\\Trash", true, true},
        {"Z:\\home\\me\\.local\\share\\Trash\\files\\old", true, true},
        {"Z:\\home\\me\\.local\\share\\Trashcan", false, false},
        {"Z:\\mnt\\disk\\.Trash-1000\\files", true, true},
        {"Z:\\mnt\\disk\\.Trash\\1000", true, true},
        {"Z:\\mnt\\disk\\.Trashy", false, false},
        {"C:\\Users\\me\\Temporary Internet Files", true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skippedByPatternSearch(c.folder, bin), c.patterns) << c.folder;
        EXPECT_EQ(skippedByDeadLinkSearch(c.folder, bin), c.deadLinks) << c.folder;
    }
    EXPECT_TRUE(skippedForLogs("C:\\Program Files\\App"));
    EXPECT_FALSE(skippedForLogs("C:\\PROGRAM FILES\\App"));
}

TEST(FolderTests, ProtectedNamesAreExactAndCaseSensitive)
{
    for (const char* name : {"DATA.BAK", "data.bak", "opa13.bak", "OPA14.BAK", "insider.bak", "hpqgends.tmp",
                             "user.dmp", "DoNotDelete.tmp"})
        EXPECT_TRUE(isProtectedName(name)) << name;
    for (const char* name : {"Data.bak", "USER.DMP", "donotdelete.tmp", "xuser.dmp", "insider.bak "})
        EXPECT_FALSE(isProtectedName(name)) << name;
}

TEST(FolderTests, DeadShortcutExclusions)
{
    for (const char* path : {"C:\\Users\\me\\SendTo\\a.lnk", "C:\\rede\\a.lnk", "C:\\Assistant\\a.lnk",
                             "C:\\network\\a.lnk", "C:\\Windows\\system32\\a.lnk", "C:\\a\\\\b.lnk", "C://a.lnk"})
        EXPECT_TRUE(deadLinkPathExcluded(path)) << path;
    EXPECT_FALSE(deadLinkPathExcluded("C:\\Users\\me\\Desktop\\a.lnk"));
    EXPECT_TRUE(deadLinkTargetIsWeb("http://example.org"));
    EXPECT_TRUE(deadLinkTargetIsWeb("C:\\HTTP\\x"));
    EXPECT_FALSE(deadLinkTargetIsWeb("Http://x"));
}

TEST(FolderTests, EntryAndRecycleBinNames)
{
    for (const char* name : {"System32", "SYSTEM", "System Volume Information", "mySys", "xSYSx"})
        EXPECT_TRUE(nameBarsEntry(name)) << name;
    EXPECT_FALSE(nameBarsEntry("system"));
    for (const char* name : {"RECYCLER", "Bin", "Trash"})
        EXPECT_TRUE(isRecycleBinCandidateName(name)) << name;
    for (const char* name : {"_RESTORE", "TEMP", "ookies", "My faxes", "a.b", "S-1-5", "CSC"})
        EXPECT_FALSE(isRecycleBinCandidateName(name)) << name;
}

} // namespace
} // namespace orvane::junk
