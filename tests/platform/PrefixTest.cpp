#include "platform/Prefix.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

using orvane::Prefix;
using orvane::test::TempDir;

namespace {

// dosdevices as Wine leaves it, plus the entries a drive scan must not mistake for drives.
class PrefixLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.mkdir("prefix/dosdevices");
        dir.mkdir("prefix/drive_c/windows/temp");
        dir.mkdir("prefix/drive_c/Users/Me/AppData");
        dir.mkdir("other");
        link("../drive_c", "c:");
        link("/", "z:");
        link(dir / "other", "E:");         // upper-case entry: still drive E
        link(dir / "gone", "n:");          // dangling: a drive without a root
        link("/dev/null", "com1");         // serial port, not a drive
        link("../drive_c", "c::");         // raw device entry, not a drive
        link("../drive_c", "aa");
        prefix = Prefix::open(dir / "prefix");
        driveC = std::filesystem::canonical(dir / "prefix/drive_c").string();
    }
    void link(const std::string& target, const std::string& name)
    {
        std::filesystem::create_symlink(target, dir / ("prefix/dosdevices/" + name));
    }

    TempDir dir;
    Prefix prefix = Prefix::open("");
    std::string driveC;
};

TEST_F(PrefixLayout, DrivesAreTheSingleLetterEntries)
{
    EXPECT_EQ(prefix.driveLetters(), (std::vector<char>{'C', 'E', 'N', 'Z'}));
    EXPECT_EQ(prefix.driveRoot('c'), driveC);
    EXPECT_EQ(prefix.driveRoot('C'), driveC);
    EXPECT_EQ(prefix.driveRoot('Z'), "/");
    EXPECT_EQ(prefix.driveRoot('N'), dir / "gone");
    EXPECT_EQ(prefix.driveRoot('D'), std::nullopt);
}

TEST_F(PrefixLayout, WindowsPathsBecomeHostPaths)
{
    struct Case {
        std::string windows;
        std::optional<std::string> host;
    };
    const Case cases[] = {
        {"C:", driveC},
        {"c:\\", driveC},
        {"C:\\windows\\temp", driveC + "/windows/temp"},
        {"C:\\WINDOWS\\Temp\\new.tmp", driveC + "/windows/temp/new.tmp"}, // case looked up, missing leaf kept
        {"C:\\users\\ME\\appdata", driveC + "/Users/Me/AppData"},
        {"C:/Windows/TEMP", driveC + "/windows/temp"},
        {"C:\\\\windows\\\\temp\\", driveC + "/windows/temp"},
        {"C:\\Nowhere\\Windows", driveC + "/Nowhere/Windows"},               // below a missing folder: as written
        {"C:\\windows\\..\\..\\..\\etc", driveC + "/etc"},                    // never above the drive root
        {"C:\\.\\windows\\.\\TEMP", driveC + "/windows/temp"},
        {"Z:\\", "/"},
        {"z:\\etc", "/etc"},
        {"D:\\x", std::nullopt},
        {"windows\\temp", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(prefix.toHost(c.windows), c.host) << c.windows;
}

TEST_F(PrefixLayout, HostPathsGoThroughTheLongestDriveRoot)
{
    const auto viaZ = [](std::string host) {
        for (char& c : host)
            if (c == '/')
                c = '\\';
        return "Z:" + host;
    };
    struct Case {
        std::string host;
        std::optional<std::string> windows;
    };
    const Case cases[] = {
        {driveC, "C:"},
        {driveC + "/windows/temp", "C:\\windows\\temp"},
        {driveC + "//windows/./temp/", "C:\\windows\\temp"},
        {driveC + "x/file", viaZ(driveC + "x/file")}, // a sibling with a longer name is not on C:
        {dir / "other/a", "E:\\a"},
        {"/", "Z:"},
        {"/etc/passwd", "Z:\\etc\\passwd"},
        {driveC + "/../drive_c/windows", "C:\\windows"},
        {"/tmp/back\\slash", std::nullopt},
        {"relative/path", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(prefix.toWindows(c.host), c.windows) << c.host;
}

TEST_F(PrefixLayout, WithoutZNothingOutsideTheDrivesMaps)
{
    std::filesystem::remove(dir / "prefix/dosdevices/z:");
    const Prefix noZ = Prefix::open(dir / "prefix");
    EXPECT_EQ(noZ.toWindows("/etc"), std::nullopt);
    EXPECT_EQ(noZ.toWindows(driveC + "/windows"), "C:\\windows");
}

TEST(Prefix, WithoutDosdevicesThereAreNoDrives)
{
    TempDir dir;
    const Prefix prefix = Prefix::open(dir.path());
    EXPECT_TRUE(prefix.driveLetters().empty());
    EXPECT_EQ(prefix.toHost("C:\\x"), std::nullopt);
}

TEST(Prefix, RootComesFromTheEnvironmentFirst)
{
    struct Case {
        const char* orvane;
        const char* wine;
        std::string expected;
    };
    const Case cases[] = {
        {"/o", "/w", "/o"},
        {nullptr, "/w", "/w"},
        {"", "/w", "/w"},
        {nullptr, nullptr, "/program/prefix"},
    };
    for (const Case& c : cases) {
        c.orvane ? ::setenv("ORVANE_PREFIX", c.orvane, 1) : ::unsetenv("ORVANE_PREFIX");
        c.wine ? ::setenv("WINEPREFIX", c.wine, 1) : ::unsetenv("WINEPREFIX");
        EXPECT_EQ(Prefix::chooseRoot("/program"), c.expected);
    }
    ::unsetenv("ORVANE_PREFIX");
    ::unsetenv("WINEPREFIX");
}

} // namespace
