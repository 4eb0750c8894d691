#include "TreeGenerator.h"

#include "platform/Wildcard.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvane::bench;
namespace fs = std::filesystem;

namespace {

struct Seen {
    size_t folders = 0, files = 0, links = 0, junk = 0;
    uint64_t bytes = 0;
    std::map<std::string, std::string> content; // relative path -> file bytes or link target
};

Seen look(const std::string& root)
{
    Seen seen;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const std::string relative = it->path().string().substr(root.size());
        const auto status = it->symlink_status();
        if (fs::is_symlink(status)) {
            ++seen.links;
            seen.content[relative] = "-> " + fs::read_symlink(it->path()).string().substr(0, 8);
        } else if (fs::is_directory(status)) {
            ++seen.folders;
            seen.content[relative] = "/";
        } else {
            ++seen.files;
            seen.bytes += fs::file_size(it->path());
            seen.content[relative] = orvane::test::readFile(it->path().string());
            const std::string name = it->path().filename().string();
            for (const char* mask : {"*.TMP", "*.GID", "*.$$$", "~*.*", "*.---", "*.CHK", "*.FTG", "*.OLD", "*.~*",
                                     "*.FTS", "*.LOG", "*.AC$", "*.SWR", "*.XLG", "*.DMP", "*.^", "*.___", "*.CHW",
                                     "*.BK!", "*.ERR", "*.??$", "*.$SA", "*.@@@", "*.ASD", "*.NCH", "*.*~", "*.bak"})
                if (orvane::matchesWildcard(name, mask)) {
                    ++seen.junk;
                    break;
                }
        }
    }
    return seen;
}

} // namespace

TEST(TreeGenerator, SummaryTellsWhatIsOnDisk)
{
    const struct {
        const char* label;
        TreeSpec spec;
    } cases[] = {
        {"plain", {3, 60, 500, 4, 30, 0, 0, 0, 0, 300}},
        {"everything", {4, 80, 800, 3, 25, 10, 12, 5, 20, 200}},
        {"deep, no junk", {5, 40, 40, 40, 0, 0, 3, 0, 0, 10}},
    };
    for (const auto& c : cases) {
        orvane::test::TempDir temp;
        const std::string root = temp / "tree";
        TreeSummary summary;
        ASSERT_TRUE(generateTree(root, c.spec, summary).ok()) << c.label;
        const Seen seen = look(root);
        const size_t hidden = ::geteuid() == 0 ? 0 : summary.filesInUnreadable;
        EXPECT_EQ(summary.folders, c.spec.folders) << c.label;
        EXPECT_EQ(summary.files, c.spec.files) << c.label;
        EXPECT_EQ(summary.symlinks, c.spec.symlinks) << c.label;
        EXPECT_EQ(seen.files, summary.files - hidden) << c.label;
        EXPECT_EQ(seen.links, summary.symlinks) << c.label;
        if (::geteuid() == 0 || summary.unreadableFolders == 0) {
            EXPECT_EQ(seen.folders, summary.folders) << c.label;
            EXPECT_EQ(seen.bytes, summary.bytes) << c.label;
        }
        if (c.spec.duplicatePercent == 0 && c.spec.nonUtf8Names == 0) {
            EXPECT_EQ(seen.junk, summary.junkFiles) << c.label << ": junk names must match the junk masks";
        }
        EXPECT_EQ(summary.junkFiles > 0, c.spec.junkPercent > 0) << c.label;
    }
}

TEST(TreeGenerator, SameSeedSameTreeOtherSeedOtherTree)
{
    orvane::test::TempDir temp;
    const TreeSpec spec{11, 50, 300, 5, 20, 10, 9, 0, 10, 128};
    TreeSpec other = spec;
    other.seed = 12;
    TreeSummary a, b, c;
    ASSERT_TRUE(generateTree(temp / "a", spec, a).ok());
    ASSERT_TRUE(generateTree(temp / "b", spec, b).ok());
    ASSERT_TRUE(generateTree(temp / "c", other, c).ok());
    EXPECT_EQ(look(temp / "a").content, look(temp / "b").content);
    EXPECT_NE(look(temp / "a").content, look(temp / "c").content);
    EXPECT_EQ(a.bytes, b.bytes);
    EXPECT_EQ(a.duplicateFiles, b.duplicateFiles);
}

TEST(TreeGenerator, RefusesAnExistingRootAndRemovesLockedTrees)
{
    orvane::test::TempDir temp;
    TreeSummary summary;
    const std::string root = temp / "tree";
    ASSERT_TRUE(generateTree(root, {1, 30, 60, 3, 20, 0, 3, 10, 0, 16}, summary).ok());
    EXPECT_GT(summary.unreadableFolders, 0u);
    TreeSummary again;
    EXPECT_FALSE(generateTree(root, {}, again).ok());
    ASSERT_TRUE(removeTree(root).ok());
    EXPECT_FALSE(orvane::test::hostExists(root));
}
