#include "junk/FolderPathDetection.h"
#include "support/FixedShellFolders.h"
#include "support/PrefixFixture.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(FolderPathDetection, StartupTakesTheShellThenTheLastExistingCandidate)
{
    struct Case {
        std::vector<const char*> candidates; // folders that exist
        const char* recycleBin;
        std::vector<std::string> lxStored;
    } cases[] = {
        {{}, "Z:\\trash\\files", {"lxZ:\\trash\\files"}},
        {{"C:\\RECYCLER"}, "C:\\RECYCLER", {"lxZ:\\trash\\files", "lxC:\\RECYCLER"}},
        {{"C:\\RECYCLER", "C:\\$Recycle.Bin"}, "C:\\$Recycle.Bin",
         {"lxZ:\\trash\\files", "lxC:\\RECYCLER", "lxC:\\$Recycle.Bin"}},
    };
    for (const Case& c : cases) {
        test::PrefixFixture p;
        for (const char* folder : c.candidates)
            p.mkdir(folder);
        test::FixedShellFolders shell;
        shell.folders = {{CsidlCookies, "C:\\Cookies"}, {CsidlHistory, "C:\\History"},
                         {CsidlInternetCache, "C:\\Cache"}, {CsidlRecent, "C:\\Recent"},
                         {CsidlWindows, "C:\\Windows"}, {CsidlBitBucket, "Z:\\trash\\files"}};
        FolderPaths paths;
        paths.mozCache = "C:\\kept";
        std::vector<std::string> stored;
        junk::detectFolderPathsAtStartup(shell, p.fs, paths, [&](const std::string& e) { stored.push_back(e); });
        EXPECT_EQ(paths.recycleBin, c.recycleBin);
        EXPECT_EQ(paths.ieCookies, "C:\\Cookies");
        EXPECT_EQ(paths.windows, "C:\\Windows");
        EXPECT_EQ(paths.mozCache, "C:\\kept");
        std::vector<std::string> expected{"hiC:\\History", "ieC:\\Cache"};
        expected.insert(expected.end(), c.lxStored.begin(), c.lxStored.end());
        EXPECT_EQ(stored, expected);
    }
}

TEST(FolderPathDetection, AFailingShellCallLeavesThePathAndAutoDetectRecordsEveryPath)
{
    test::PrefixFixture p;
    p.mkdir("C:\\RECYCLER");
    test::FixedShellFolders shell;
    shell.folders = {{CsidlHistory, "C:\\History"}};
    FolderPaths paths;
    paths.ieCache = "C:\\OldCache";
    paths.mozHistory = "C:\\Moz";
    std::vector<std::string> stored;
    junk::autoDetectFolderPaths(shell, p.fs, paths, [&](const std::string& e) { stored.push_back(e); });
    EXPECT_EQ(paths.ieCache, "C:\\OldCache");
    EXPECT_EQ(paths.ieHistory, "C:\\History");
    EXPECT_EQ(stored, (std::vector<std::string>{"lxC:\\RECYCLER", "ieC:\\OldCache", "hiC:\\History",
                                                "lxC:\\RECYCLER", "niC:\\Moz"}));
}

} // namespace
} // namespace orvane
