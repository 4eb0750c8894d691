#include "RecordingFiles.h"
#include "shredder/TSWipe.h"
#include "support/PrefixFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

using test::PrefixFixture;
using test::RecordingFiles;

struct FolderFixture {
    PrefixFixture p;
    RecordingFiles files{p.fs};
    NullProgress progress;
    TSWipe engine{files, progress, [] { return int(SinglePass); }, 4096};

    size_t indexOf(const std::string& event) const
    {
        const auto it = std::find(files.events.begin(), files.events.end(), event);
        return it == files.events.end() ? size_t(-1) : size_t(it - files.events.begin());
    }
};

TEST(TSWipeFolder, TreeIsWipedDepthFirstAndRootRemovedLast)
{
    for (const char* given : {"C:\\Tree", "C:\\Tree\\"}) {
        SCOPED_TRACE(given);
        FolderFixture f;
        f.p.write("C:\\Tree\\a.txt", "a");
        f.p.write("C:\\Tree\\Sub\\b.txt", "bb");
        f.p.write("C:\\Tree\\Sub\\Deeper\\c.txt", "ccc");
        f.p.write("C:\\Tree\\Sub\\.hidden", "h");
        ASSERT_TRUE(f.p.fs.setAttributes("C:\\Tree\\Sub\\.hidden", AttrReadOnly | AttrHidden));
        EXPECT_TRUE(f.engine.WipeFolder(given));
        EXPECT_FALSE(test::hostExists(f.p.host("C:\\Tree")));
        const size_t deeper = f.indexOf("rmdir C:\\Tree\\Sub\\Deeper");
        const size_t sub = f.indexOf("rmdir C:\\Tree\\Sub");
        const size_t root = f.indexOf("rmdir C:\\Tree");
        ASSERT_NE(root, size_t(-1));
        EXPECT_LT(f.indexOf("open C:\\Tree\\Sub\\Deeper\\c.txt"), deeper);
        EXPECT_LT(deeper, sub);
        EXPECT_LT(sub, root);
        EXPECT_EQ(root, f.files.events.size() - 1);
        EXPECT_EQ(f.files.passes.size(), 4u) << "every file overwritten";
    }
}

TEST(TSWipeFolder, LinksAreRemovedAsLinksAndTheirTargetsKept)
{
    FolderFixture f;
    const std::string outsideFile = f.p.write("C:\\Outside\\keep.txt", "keep me");
    const std::string outsideFolder = f.p.mkdir("C:\\Outside\\Folder");
    f.p.write("C:\\Outside\\Folder\\inner.txt", "inner");
    f.p.write("C:\\Tree\\own.txt", "own");
    std::filesystem::create_symlink(outsideFile, f.p.host("C:\\Tree") + "/file-link");
    std::filesystem::create_symlink(outsideFolder, f.p.host("C:\\Tree") + "/folder-link");
    std::filesystem::create_symlink("/nonexistent/dangling", f.p.host("C:\\Tree") + "/dangling");
    EXPECT_TRUE(f.engine.WipeFolder("C:\\Tree"));
    EXPECT_FALSE(test::hostExists(f.p.host("C:\\Tree")));
    EXPECT_EQ(test::readFile(outsideFile), "keep me");
    EXPECT_EQ(test::readFile(f.p.host("C:\\Outside\\Folder\\inner.txt")), "inner");
    for (const auto& event : f.files.events)
        EXPECT_EQ(event.find("Outside"), std::string::npos) << event;
}

TEST(TSWipeFolder, PipesAndSocketsAreRemovedByNameWithoutOpening)
{
    FolderFixture f;
    f.p.write("C:\\Tree\\own.txt", "own");
    const std::string pipe = f.p.host("C:\\Tree") + "/pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_TRUE(f.engine.WipeFolder("C:\\Tree")) << f.engine.folderFailure();
    EXPECT_FALSE(test::hostExists(f.p.host("C:\\Tree")));
    for (const auto& event : f.files.events)
        EXPECT_NE(event, "open C:\\Tree\\pipe"); // opening a pipe would block or fail
    EXPECT_EQ(f.files.passes.size(), 1u) << "only the file is overwritten";
}

TEST(TSWipeFolder, FileThatCannotBeOpenedStopsTheWalk)
{
    FolderFixture f;
    const std::string busy = f.p.write("C:\\Tree\\busy.txt", "held");
    const int holder = ::open(busy.c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    try {
        f.engine.WipeFolder("C:\\Tree");
        ADD_FAILURE() << "no EWipe";
    } catch (const EWipe& e) {
        EXPECT_STREQ(e.what(), "Error opening C:\\Tree\\busy.txt");
    }
    ::close(holder);
    EXPECT_EQ(test::readFile(busy), "held");
    EXPECT_EQ(f.indexOf("rmdir C:\\Tree"), size_t(-1));
}

TEST(TSWipeFolder, FailuresReturnFalseWithAReason)
{
    {
        FolderFixture f;
        f.p.write("C:\\Tree\\Sub\\x.txt", "x");
        f.p.write("C:\\Tree\\y.txt", "y");
        f.files.failOperation = "removeFolder";
        f.files.failOn = 1; // C:\Tree\Sub
        EXPECT_FALSE(f.engine.WipeFolder("C:\\Tree"));
        EXPECT_NE(f.engine.folderFailure().find("C:\\Tree\\Sub"), std::string::npos) << f.engine.folderFailure();
        EXPECT_EQ(f.indexOf("rmdir C:\\Tree"), size_t(-1)) << "nothing further up is removed";
        EXPECT_TRUE(test::hostExists(f.p.host("C:\\Tree")));
    }
    {
        FolderFixture f;
        f.p.mkdir("C:\\Real");
        std::filesystem::create_symlink(f.p.host("C:\\Real"), f.p.host("C:\\") + "/Linked");
        f.p.write("C:\\Plain.txt", "p");
        for (const char* path : {"C:\\Missing", "C:\\Linked", "C:\\Plain.txt"}) {
            SCOPED_TRACE(path);
            EXPECT_FALSE(f.engine.WipeFolder(path));
            EXPECT_NE(f.engine.folderFailure().find(path), std::string::npos);
        }
        EXPECT_TRUE(test::hostExists(f.p.host("C:\\Real")));
        EXPECT_TRUE(test::hostExists(f.p.host("C:\\Plain.txt")));
    }
}

TEST(TSWipeFolder, VeryDeepTreeIsWiped)
{
    FolderFixture f;
    std::string path = f.p.host("C:\\Deep");
    std::filesystem::create_directory(path);
    for (int i = 0; i < 1500; ++i) {
        path += "/d";
        ASSERT_EQ(::mkdir(path.c_str(), 0700), 0) << i;
    }
    std::FILE* leaf = std::fopen((path + "/leaf.txt").c_str(), "w");
    ASSERT_NE(leaf, nullptr);
    std::fputs("leaf", leaf);
    std::fclose(leaf);
    EXPECT_TRUE(f.engine.WipeFolder("C:\\Deep"));
    EXPECT_FALSE(test::hostExists(f.p.host("C:\\Deep")));
}

} // namespace
} // namespace orvane
