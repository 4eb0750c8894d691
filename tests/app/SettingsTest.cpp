#include "app/Settings.h"

#include "support/RecordingSeams.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace orvane {
namespace {

using test::readFile;
using test::RecordingDialogs;
using test::TempDir;

struct LoadCase {
    const char* name;
    std::string file;     // config.TXT as stored
    char drive;           // CurrentDriveLetter
    std::function<void(Settings&, AppState&)> then; // after LoadSettings (may be empty)
    std::function<void(const AppState&)> check;
    std::string fileAfter; // config.TXT after everything
};

const std::vector<LoadCase> loadCases = {
    {"first line is never read or changed", "c10\r\nc11\r\n", 'C', nullptr,
     [](const AppState& s) { EXPECT_TRUE(s.ticked(Pattern::Tmp)); }, "c10\r\nc11\r\n"},
    {"text after a box key is dropped", "head\r\nc10 and more\r\n", 'C', nullptr,
     [](const AppState& s) { EXPECT_FALSE(s.ticked(Pattern::Tmp)); }, "head\r\nc10\r\n"},
    {"the later of two lines wins, both rewritten", "head\r\nc11\r\nc10\r\n", 'C', nullptr,
     [](const AppState& s) { EXPECT_FALSE(s.ticked(Pattern::Tmp)); }, "head\r\nc10\r\nc10\r\n"},
    {"folder line of the selected drive only, then replaced", "head\r\nieC:\\A\r\nieD:\\B\r\n", 'D',
     [](Settings& st, AppState&) { st.StoreFolderPath("ieD:\\C"); },
     [](const AppState& s) { EXPECT_EQ(s.paths.ieCache, "D:\\B"); }, "head\r\nieC:\\A\r\nieD:\\C\r\n"},
    {"a folder entry without a line is appended", "head\r\nc11\r\n", 'C',
     [](Settings& st, AppState&) { st.StoreFolderPath("lxC:\\RECYCLER"); },
     [](const AppState& s) { EXPECT_EQ(s.paths.recycleBin, ""); }, "head\r\nc11\r\nlxC:\\RECYCLER\r\n"},
    {"folder keys are matched to the upper-case drive letter", "head\r\nhic:\\low\r\nhiC:\\Hist\r\nnC:\\x\r\n", 'c', nullptr,
     [](const AppState& s) { EXPECT_EQ(s.paths.ieHistory, "C:\\Hist"); }, "head\r\nhic:\\low\r\nhiC:\\Hist\r\nnC:\\x\r\n"},
    {"every folder key", "h\r\nieC:\\1\r\nhiC:\\2\r\nncC:\\3\r\nniC:\\4\r\nlxC:\\5\r\n", 'C', nullptr,
     [](const AppState& s) {
         EXPECT_EQ(s.paths.ieCache, "C:\\1");
         EXPECT_EQ(s.paths.ieHistory, "C:\\2");
         EXPECT_EQ(s.paths.mozCache, "C:\\3");
         EXPECT_EQ(s.paths.mozHistory, "C:\\4");
         EXPECT_EQ(s.paths.recycleBin, "C:\\5");
     },
     "h\r\nieC:\\1\r\nhiC:\\2\r\nncC:\\3\r\nniC:\\4\r\nlxC:\\5\r\n"},
    {"storing the same entry again changes nothing", "h\r\nieC:\\A\r\n", 'C',
     [](Settings& st, AppState&) { st.StoreFolderPath("ieC:\\A"); }, nullptr, "h\r\nieC:\\A\r\n"},
    {"delete mode to the Recycle Bin", "h\r\nr*1\r\n", 'C', nullptr,
     [](const AppState& s) { EXPECT_FALSE(s.deleteFromDisk); }, "h\r\nr*1\r\n"},
    {"choosing the checked disk item switches to the Recycle Bin", "h\r\nr*0\r\n", 'C',
     [](Settings& st, AppState& s) { Deletefiles1Click(s, st); },
     [](const AppState& s) { EXPECT_FALSE(s.deleteFromDisk); }, "h\r\nr*1\r\n"},
    {"choosing again switches back", "h\r\nr*1 extra\r\n", 'C',
     [](Settings& st, AppState& s) { Deletefiles1Click(s, st); },
     [](const AppState& s) { EXPECT_TRUE(s.deleteFromDisk); }, "h\r\nr*0\r\n"},
    {"keys absent keep the design state and are never added", "h\r\n", 'C',
     [](Settings& st, AppState& s) {
         s.patterns.fill(false);
         st.SaveSettings(s);
     },
     [](const AppState& s) { EXPECT_FALSE(s.deadLinks); }, "h\r\n"},
    {"the hidden D-link box and a star key", "h\r\ne01\r\nc*0\r\ne60\r\n", 'C', nullptr,
     [](const AppState& s) {
         EXPECT_TRUE(s.deadLinks);
         EXPECT_FALSE(s.ticked(Pattern::Fts));
         EXPECT_FALSE(s.ticked(Pattern::Asd));
         EXPECT_TRUE(s.ticked(Pattern::Log));
     },
     "h\r\ne01\r\nc*0\r\ne60\r\n"},
    {"a saved change of a box rewrites its line", "h\r\nl*1\r\n", 'C',
     [](Settings& st, AppState& s) {
         s.patterns[size_t(Pattern::Log)] = false;
         st.SaveSettings(s);
     },
     nullptr, "h\r\nl*0\r\n"},
    {"unknown, short and empty lines stay in place", "h\r\nzz\r\n\r\nq\r\nxyz123\r\nc21\r\n", 'C', nullptr,
     [](const AppState& s) { EXPECT_TRUE(s.ticked(Pattern::Gid)); }, "h\r\nzz\r\n\r\nq\r\nxyz123\r\nc21\r\n"},
    {"LF line ends are written back as CR LF", "h\nc30\n", 'C', nullptr,
     [](const AppState& s) { EXPECT_FALSE(s.ticked(Pattern::Dollar3)); }, "h\r\nc30\r\n"},
    {"bytes that are not UTF-8 survive", "\xff\xfe\r\nie\xe9:\\x\r\nzz\x80\r\n", 'C', nullptr, nullptr,
     "\xff\xfe\r\nie\xe9:\\x\r\nzz\x80\r\n"},
    {"a last line without line end", "h\r\nc61", 'C', nullptr,
     [](const AppState& s) { EXPECT_TRUE(s.ticked(Pattern::Chk)); }, "h\r\nc61\r\n"},
};

TEST(Settings, LoadSaveAndStoreCases)
{
    for (const LoadCase& c : loadCases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.write("config.TXT", c.file);
        RecordingDialogs dialogs;
        Settings settings(path, dialogs);
        ASSERT_TRUE(settings.read().ok());
        AppState state;
        state.currentDriveLetter = c.drive;
        settings.LoadSettings(state);
        if (c.then)
            c.then(settings, state);
        if (c.check)
            c.check(state);
        EXPECT_EQ(readFile(path), c.fileAfter);
        EXPECT_TRUE(dialogs.calls.empty());
    }
}

TEST(Settings, LoadNeverClearsAFolderPath)
{
    TempDir dir;
    RecordingDialogs dialogs;
    Settings settings(dir.write("config.TXT", "h\r\nieD:\\Other\r\n"), dialogs);
    ASSERT_TRUE(settings.read().ok());
    AppState state;
    state.paths.ieCache = "C:\\Kept";
    settings.LoadSettings(state);
    EXPECT_EQ(state.paths.ieCache, "C:\\Kept");
}

TEST(Settings, MissingFileGivesTheOpenErrorNamingIt)
{
    TempDir dir;
    RecordingDialogs dialogs;
    Settings settings(dir / "config.TXT", dialogs);
    const Status status = settings.read();
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message.find(dir / "config.TXT"), std::string::npos);
    EXPECT_TRUE(settings.lines().empty());
}

TEST(Settings, FailedSaveIsShownAndTheListKeepsTheValues)
{
    TempDir dir;
    const std::string path = dir.write("config.TXT", "h\r\nc11\r\n");
    ::chmod(path.c_str(), 0444); // read-only: refused like a read-only file on Windows
    RecordingDialogs dialogs;
    Settings settings(path, dialogs);
    ASSERT_TRUE(settings.read().ok());
    AppState state;
    state.patterns[size_t(Pattern::Tmp)] = false;
    EXPECT_FALSE(settings.SaveSettings(state).ok());
    ASSERT_EQ(dialogs.texts("error").size(), 1u);
    EXPECT_NE(dialogs.texts("error")[0].find("config.TXT"), std::string::npos);
    EXPECT_EQ(settings.lines()[1], "c10");
    EXPECT_EQ(readFile(path), "h\r\nc11\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));

    EXPECT_FALSE(settings.StoreFolderPath("ieC:\\New").ok());
    EXPECT_EQ(settings.lines().back(), "ieC:\\New");
    EXPECT_EQ(dialogs.texts("error").size(), 2u);
}

TEST(Settings, SaveIntoAFolderThatIsGoneIsShown)
{
    TempDir dir;
    const std::string path = dir.write("gone/config.TXT", "h\r\nc11\r\n");
    RecordingDialogs dialogs;
    Settings settings(path, dialogs);
    ASSERT_TRUE(settings.read().ok());
    std::filesystem::remove_all(dir / "gone");
    AppState state;
    EXPECT_FALSE(settings.SaveSettings(state).ok());
    EXPECT_EQ(dialogs.texts("error").size(), 1u);
}

TEST(Settings, SaveThroughASymbolicLinkKeepsTheLink)
{
    TempDir dir;
    const std::string real = dir.write("dotfiles/config.TXT", "h\r\nc11\r\n");
    const std::string link = dir / "config.TXT";
    std::filesystem::create_symlink(real, link);
    RecordingDialogs dialogs;
    Settings settings(link, dialogs);
    ASSERT_TRUE(settings.read().ok());
    AppState state;
    state.patterns[size_t(Pattern::Tmp)] = false;
    EXPECT_TRUE(settings.SaveSettings(state).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFile(real), "h\r\nc10\r\n");
}

TEST(Settings, AFileThatCouldNotBeReadIsNeverReplaced)
{
    TempDir dir;
    dir.mkdir("config.TXT"); // exists, cannot be read as a file
    RecordingDialogs dialogs;
    Settings settings(dir / "config.TXT", dialogs);
    EXPECT_FALSE(settings.read().ok());
    AppState state;
    settings.SaveSettings(state);
    settings.StoreFolderPath("ieC:\\x");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "config.TXT"));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST(Settings, ShippedFileHasOneLineForEverySettingMeantToPersist)
{
    RecordingDialogs dialogs;
    Settings settings(std::string(ORVANE_SOURCE_DATA_DIR) + "/config.TXT", dialogs);
    ASSERT_TRUE(settings.read().ok());
    AppState designTime;
    AppState state;
    state.patterns.fill(false);
    state.deadLinks = true;
    state.deleteFromDisk = false;
    // Loading the shipped file must give the design-time state back from every line.
    const auto lines = settings.lines();
    std::vector<std::string> keys(lines.begin() + 1, lines.end());
    EXPECT_EQ(keys.size(), size_t(PatternCount) + 2);
    TempDir dir;
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    Settings copy(dir.write("config.TXT", text), dialogs);
    ASSERT_TRUE(copy.read().ok());
    copy.LoadSettings(state);
    EXPECT_EQ(state.patterns, designTime.patterns);
    EXPECT_EQ(state.deadLinks, designTime.deadLinks);
    EXPECT_EQ(state.deleteFromDisk, designTime.deleteFromDisk);
}

} // namespace
} // namespace orvane
