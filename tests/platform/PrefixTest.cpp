#include "platform/Prefix.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <filesystem>
#include <optional>
#include <string>

using orvane::Prefix;
using orvane::test::TempDir;
namespace test = orvane::test;

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

// The translation as first written: every prefix path checked with lstat, the parent listed
// when a component is missing. Quadratic in depth, kept as the reference for the fast one.
namespace literal {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::optional<std::string> toHost(const Prefix& prefix, const std::string& windowsPath)
{
    const auto root = prefix.driveRoot(windowsPath[0]);
    if (!root)
        return std::nullopt;
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 2; i <= windowsPath.size(); ++i) {
        if (i == windowsPath.size() || windowsPath[i] == '\\') {
            if (part == "..") {
                if (!parts.empty())
                    parts.pop_back();
            } else if (!part.empty() && part != ".") {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part += windowsPath[i];
        }
    }
    std::string host = *root;
    bool lookUp = true;
    for (const auto& name : parts) {
        std::string next = host + (host.back() == '/' ? "" : "/") + name;
        struct stat st;
        if (lookUp && ::lstat(next.c_str(), &st) != 0) {
            std::optional<std::string> spelled;
            if (DIR* dir = ::opendir(host.c_str())) {
                while (const dirent* entry = ::readdir(dir))
                    if (equalsNoCase(entry->d_name, name)) {
                        spelled = entry->d_name;
                        break;
                    }
                ::closedir(dir);
            }
            if (spelled)
                next = host + (host.back() == '/' ? "" : "/") + *spelled;
            else
                lookUp = false;
        }
        host = std::move(next);
    }
    return host;
}

} // namespace literal

// Random trees of mixed-case names (names differing only in case, files, links to folders,
// dangling links, a folder without search permission) and random spellings of their paths.
TEST(PrefixTranslation, FastTranslationEqualsTheLiteralOneOnRandomTrees)
{
    const char* names[] = {"a", "A", "ab", "Ab", "aB", "Docs", "DOCS", "x.txt", "X.TXT", "q"};
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto pick = [&](size_t n) { return size_t(random() % n); };
        TempDir dir;
        dir.mkdir("prefix/dosdevices");
        dir.mkdir("prefix/drive_c");
        std::filesystem::create_symlink("../drive_c", dir / "prefix/dosdevices/c:");
        std::vector<std::string> folders{""}; // relative to drive_c, '/'-separated
        std::vector<std::string> all{""};
        for (int i = 0; i < 60; ++i) {
            const std::string parent = folders[pick(folders.size())];
            const std::string rel = parent + (parent.empty() ? "" : "/") + names[pick(std::size(names))];
            const std::string host = dir / ("prefix/drive_c/" + rel);
            if (test::hostExists(host))
                continue;
            switch (pick(6)) {
            case 0: dir.write("prefix/drive_c/" + rel, "x"); break;
            case 1: std::filesystem::create_directory_symlink(folders[pick(folders.size())].empty() ? "/" : dir / ("prefix/drive_c/" + folders[pick(folders.size())]), host); break;
            case 2: std::filesystem::create_symlink("missing", host); break;
            default: dir.mkdir("prefix/drive_c/" + rel); folders.push_back(rel);
            }
            all.push_back(rel);
        }
        ::chmod((dir / ("prefix/drive_c/" + folders.back())).c_str(), 0600);
        const Prefix prefix = Prefix::open(dir / "prefix");
        for (int q = 0; q < 300; ++q) {
            std::string windows = "C:";
            std::string rel = all[pick(all.size())];
            for (char& c : rel)
                if (pick(3) == 0)
                    c = char(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c) : std::toupper(c));
            for (char c : rel)
                windows += c == '/' ? '\\' : c;
            if (pick(4) == 0)
                windows += std::string("\\") + names[pick(std::size(names))];
            if (pick(6) == 0)
                windows += "\\..\\q";
            SCOPED_TRACE(windows);
            EXPECT_EQ(prefix.toHost(windows), literal::toHost(prefix, windows));
        }
        ::chmod((dir / ("prefix/drive_c/" + folders.back())).c_str(), 0700);
    }
}

// A path beyond PATH_MAX: the kernel refuses the long prefixes, and the translation keeps
// the refusal's outcome while fixing the case of the components it can still reach.
TEST(PrefixTranslation, PathsLongerThanTheKernelAcceptsTranslateAsBefore)
{
    TempDir dir;
    dir.mkdir("prefix/dosdevices");
    dir.mkdir("prefix/drive_c");
    std::filesystem::create_symlink("../drive_c", dir / "prefix/dosdevices/c:");
    int fd = ::open((dir / "prefix/drive_c").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    std::string windows = "C:";
    for (int depth = 0; depth < 1000; ++depth) {
        ASSERT_EQ(::mkdirat(fd, "Dddd", 0755), 0);
        const int next = ::openat(fd, "Dddd", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        windows += depth % 97 == 3 ? "\\dddd" : "\\Dddd";
    }
    ::close(fd);
    const Prefix prefix = Prefix::open(dir / "prefix");
    for (const size_t cut : {size_t(40), windows.size() - 4000, windows.size() - 600, windows.size()}) {
        const std::string path = windows.substr(0, windows.find('\\', cut) == std::string::npos ? windows.size() : windows.find('\\', cut));
        SCOPED_TRACE(path.size());
        EXPECT_EQ(prefix.toHost(path), literal::toHost(prefix, path));
        EXPECT_EQ(prefix.toHost(path + "\\new"), literal::toHost(prefix, path + "\\new"));
    }
    std::filesystem::remove_all(dir / "prefix/drive_c/Dddd");
}

} // namespace
