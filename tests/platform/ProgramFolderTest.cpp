#include "platform/ProgramFolder.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

using namespace orvane;
using orvane::test::TempDir;
using orvane::test::readFile;

namespace {

// Sets (or unsets) an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(ProgramFolder, LocateFollowsTheVariablesInOrder)
{
    const struct {
        std::optional<std::string> orvaneHome, xdgDataHome, home;
        std::string expected;
    } cases[] = {
        {"/opt/o", "/x", "/h", "/opt/o"},
        {std::nullopt, "/x", "/h", "/x/orvane"},
        {"", "/x", "/h", "/x/orvane"},
        {std::nullopt, std::nullopt, "/h", "/h/.local/share/orvane"},
        {std::nullopt, "relative/data", "/h", "/h/.local/share/orvane"},
    };
    for (const auto& c : cases) {
        ScopedEnv a("ORVANE_HOME", c.orvaneHome), b("XDG_DATA_HOME", c.xdgDataHome), h("HOME", c.home);
        EXPECT_EQ(ProgramFolder::locate().path(), c.expected);
    }
}

TEST(ProgramFolder, FileIsAFullPathInTheFolder)
{
    EXPECT_EQ(ProgramFolder("/data/orvane").file("config.TXT"), "/data/orvane/config.TXT");
    EXPECT_EQ(ProgramFolder("/data/orvane/").file("idiom.txt"), "/data/orvane/idiom.txt");
}

TEST(ProgramFolder, ShippedDataFolderExists)
{
    struct stat st;
    const std::string shipped = ProgramFolder::shippedDataFolder();
    ASSERT_FALSE(shipped.empty());
    EXPECT_EQ(::stat(shipped.c_str(), &st), 0) << shipped;
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST(ProgramFolder, SeedCopiesMissingFilesAndNeverOverwrites)
{
    TempDir temp;
    temp.write("shipped/config.TXT", "shipped settings");
    temp.write("shipped/SPY.TXT", "pest list");
    temp.write("shipped/help/tavrel.htm", "<html>help</html>");
    temp.write("shipped/help/deep/er/img.png", std::string("\x89PNG\0\xff", 6));
    temp.write("home/config.TXT", "the user's own settings");
    ::chmod((temp / "shipped/SPY.TXT").c_str(), 0444);

    const ProgramFolder folder(temp / "home");
    ASSERT_TRUE(folder.seed(temp / "shipped").ok());
    EXPECT_EQ(readFile(temp / "home/config.TXT"), "the user's own settings");
    EXPECT_EQ(readFile(temp / "home/SPY.TXT"), "pest list");
    EXPECT_EQ(readFile(temp / "home/help/tavrel.htm"), "<html>help</html>");
    EXPECT_EQ(readFile(temp / "home/help/deep/er/img.png"), std::string("\x89PNG\0\xff", 6));

    // A seeded copy is the user's to change, even when the shipped file is read-only.
    struct stat st;
    ASSERT_EQ(::stat((temp / "home/SPY.TXT").c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IWUSR);

    // A second start changes nothing the user edited, and leaves no temporary files behind.
    temp.write("home/SPY.TXT", "edited");
    ASSERT_TRUE(folder.seed(temp / "shipped").ok());
    EXPECT_EQ(readFile(temp / "home/SPY.TXT"), "edited");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp / "home"))
        EXPECT_EQ(entry.path().filename().string().find(".seed-"), std::string::npos) << entry.path();
}

TEST(ProgramFolder, SeedReportsWhatItCouldNotDoAndCopiesTheRest)
{
    TempDir temp;
    temp.write("shipped/a.txt", "a");
    temp.write("shipped/sub/b.txt", "b");
    temp.write("shipped/z.txt", "z");
    temp.write("home/sub", "a file where the shipped data has a folder");

    const auto status = ProgramFolder(temp / "home").seed(temp / "shipped");
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message.find("sub"), std::string::npos) << status.message;
    EXPECT_EQ(readFile(temp / "home/a.txt"), "a");
    EXPECT_EQ(readFile(temp / "home/z.txt"), "z");
    EXPECT_EQ(readFile(temp / "home/sub"), "a file where the shipped data has a folder");

    const auto missing = ProgramFolder(temp / "other").seed(temp / "no-such-folder");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.message.find("no-such-folder"), std::string::npos);
}
