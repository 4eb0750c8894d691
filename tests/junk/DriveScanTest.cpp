#include "junk/JunkPatterns.h"
#include "support/LnkBuilder.h"
#include "support/PrefixFixture.h"
#include "support/ScanHelpers.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace orvane {
namespace {

using Rows = std::vector<std::string>;

struct ScanCase : ::testing::Test {
    test::PrefixFixture p;
    AppState state;
    test::ScanRun run;

    Rows scan(const std::string& root = "C:")
    {
        test::runScan(run, p.fs, state, root);
        return run.rows(state);
    }
    bool listed(const std::string& name)
    {
        const Rows rows = run.rows(state);
        return std::any_of(rows.begin(), rows.end(), [&](const std::string& r) { return r.rfind(name + "|", 0) == 0; });
    }
};

TEST_F(ScanCase, RowsGoMaskByMaskThenInListingOrderAndAFileMayBeListedTwice)
{
    p.write("C:\\Docs\\~x.tmp", "");
    p.write("C:\\Docs\\b.old", std::string(1024, 'x'));
    p.write("C:\\Docs\\report.tmp", std::string(1023, 'x'));
    p.write("C:\\Docs\\REPORT2.TMP", "");
    const Rows rows = scan();
    ASSERT_EQ(rows.size(), 5u);
    // *.TMP first (three files, listing order), then ~*.* (the same ~x.tmp again), then *.OLD.
    EXPECT_EQ(std::count_if(rows.begin(), rows.begin() + 3, [](auto& r) { return r.find(".tmp|") != std::string::npos ||
                                                                                  r.find(".TMP|") != std::string::npos; }),
              3);
    EXPECT_EQ(rows[3], "~x.tmp|C:\\Docs\\|1 KB");
    EXPECT_EQ(rows[4], "b.old|C:\\Docs\\|2 KB");
    EXPECT_EQ(state.foundCount, 5);
    EXPECT_EQ(state.foundBytes, 1024 + 1023);
    EXPECT_EQ(run.table.rowCount(), 5 + 3);
    EXPECT_EQ(run.table.cell(7, junk::NameColumn), "Total space :");
    EXPECT_EQ(run.outcome.totalText, "2.00   KB");
    EXPECT_EQ(run.table.cell(6, junk::NameColumn), "");
}

TEST_F(ScanCase, FoldersSkippedOrNeverEntered)
{
    struct Case {
        const char* file;
        bool listed;
    } cases[] = {
        {"C:\\Windows\\System32\\a.tmp", false},            // never entered
        {"C:\\Windows\\System32\\sub\\b.tmp", false},       // nor below it
        {"C:\\Cookies\\sub\\c.tmp", false},                 // entered, nothing listed below
        {"C:\\Program Files\\App\\d.log", false},           // no logs below "rogra"
        {"C:\\Program Files\\App\\e.tmp", true},
        {"C:\\Users\\tester\\Temporary Internet Files\\f.tmp", false},
        {"C:\\Cache\\Content.IE5\\g.tmp", false},
        {"C:\\RECYCLER\\h.tmp", false},
        {"C:\\backup.zip.d\\i.tmp", false},
        {"C:\\Docs\\j.log", true},
        {"C:\\Docs\\user.dmp", false},                      // protected name
        {"C:\\Docs\\USER2.DMP", true},
        {"C:\\Trashy\\.Trash-1000\\files\\k.tmp", false},   // a desktop Trash
        {"C:\\Users\\tester\\.local\\share\\Trash\\files\\l.tmp", false},
    };
    for (const Case& c : cases)
        p.write(c.file, "x");
    scan();
    for (const Case& c : cases) {
        const std::string name(std::filesystem::path(std::string(c.file)).filename().string());
        const std::string shortName = name.substr(name.rfind('\\') + 1);
        EXPECT_EQ(listed(shortName), c.listed) << c.file;
    }
    const Rows visited = run.visited();
    EXPECT_NE(std::find(visited.begin(), visited.end(), "C:\\Cookies\\sub"), visited.end());
    EXPECT_EQ(std::find(visited.begin(), visited.end(), "C:\\Windows\\System32"), visited.end());
}

TEST_F(ScanCase, SlotsFreedInAPassAreReusedAndVisitedInTheNextPass)
{
    // Root -> P; P -> Q, R; Q -> S. S takes slot 1 (freed by P) and so comes after R.
    p.mkdir("C:\\P\\Q\\S");
    p.mkdir("C:\\P\\R");
    std::filesystem::remove_all(p.host("C:\\Windows"));
    std::filesystem::remove_all(p.host("C:\\Users"));
    scan();
    const Rows visited = run.visited();
    ASSERT_EQ(visited.size(), 5u);
    EXPECT_EQ(visited[0], "C:");
    EXPECT_EQ(visited[1], "C:\\P");
    EXPECT_EQ(visited[4], "C:\\P\\Q\\S");
}

TEST_F(ScanCase, FilesInUseAndReadOnlyFilesAreNotListed)
{
    const std::string held = p.write("C:\\Docs\\held.tmp", "x");
    const std::string readOnly = p.write("C:\\Docs\\ro.tmp", "x");
    p.write("C:\\Docs\\free.tmp", "x");
    ::chmod(readOnly.c_str(), 0444);
    const int fd = ::open(held.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    scan();
    ::close(fd);
    EXPECT_FALSE(listed("held.tmp"));
    EXPECT_FALSE(listed("ro.tmp"));
    EXPECT_TRUE(listed("free.tmp"));
}

TEST_F(ScanCase, DeadShortcuts)
{
    p.write("C:\\Docs\\target.txt", "x");
    struct Case {
        const char* path;
        test::LnkSpec spec;
        bool listed;
    } cases[] = {
        {"C:\\Docs\\dead.lnk", {"C:\\Gone\\", "x.txt", ""}, true},
        {"C:\\Docs\\alive.lnk", {"C:\\Docs\\", "target.txt", ""}, false},
        {"C:\\Docs\\folder.lnk", {"C:\\Docs", "", ""}, false},
        {"C:\\Docs\\slash.lnk", {"C:\\Docs\\", "", ""}, false},
        {"C:\\Docs\\root.lnk", {"C:\\", "", ""}, false},
        {"C:\\Docs\\case.lnk", {"c:\\DOCS\\", "Target.TXT", ""}, false},
        {"C:\\Docs\\web.lnk", {"C:\\", "http\\gone", ""}, false},
        {"C:\\Users\\tester\\SendTo\\send.lnk", {"C:\\Gone\\", "y.txt", ""}, false},
        {"C:\\Docs\\UPPER.LNK", {"C:\\Gone\\", "z.txt", ""}, false}, // no ".lnk" in the path
        {"C:\\Docs\\idonly.lnk", {"", "", ""}, false},               // no target known
        {"C:\\Docs\\broken.lnk", {}, false},                          // replaced below by junk bytes
    };
    for (const Case& c : cases)
        p.write(c.path, test::buildLnk(c.spec));
    p.write("C:\\Docs\\broken.lnk", "not a shortcut");
    state.deadLinks = true;
    junk::UncheckAllPatterns(state);
    const Rows rows = scan();
    for (const Case& c : cases) {
        const std::string name = std::string(c.path).substr(std::string(c.path).rfind('\\') + 1);
        EXPECT_EQ(listed(name), c.listed) << c.path;
    }
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(run.outcome.deadLinkCount, 1);
    // Dead shortcuts round down without the added kilobyte.
    EXPECT_EQ(rows[0], "dead.lnk|C:\\Docs\\|0 KB");
}

TEST_F(ScanCase, NothingTickedVisitsEveryFolderAndListsNothing)
{
    p.write("C:\\Docs\\a.tmp", "x");
    junk::UncheckAllPatterns(state);
    const Rows rows = scan();
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(run.table.rowCount(), 3);
    EXPECT_EQ(run.outcome.totalText, "");
    const Rows visited = run.visited();
    EXPECT_NE(std::find(visited.begin(), visited.end(), "C:\\Docs"), visited.end());
    EXPECT_EQ(junk::scanResultMessage(1, run.outcome.totalText, 0),
              "Found  in  0 unnecessary, temporary and error files. (click delete button to remove it)");
}

TEST_F(ScanCase, SpecialFoldersAreRecognisedAndStored)
{
    p.mkdir("C:\\Users\\tester\\Temporary Internet Files");
    p.mkdir("C:\\Users\\tester\\Mozilla\\Profile\\Cache");
    p.write("C:\\Users\\tester\\Mozilla\\Profile\\places.sqlite", "");
    p.mkdir("C:\\WINDOWS2\\History");
    scan();
    EXPECT_EQ(state.paths.ieCache, "C:\\Users\\tester\\Temporary Internet Files");
    EXPECT_EQ(state.paths.mozCache, "C:\\Users\\tester\\Mozilla\\Profile\\Cache");
    EXPECT_EQ(state.paths.mozHistory, "C:\\Users\\tester\\Mozilla\\Profile");
    EXPECT_EQ(state.paths.ieHistory, "C:\\Windows\\History");
    EXPECT_NE(std::find(run.stored.begin(), run.stored.end(), "ieC:\\Users\\tester\\Temporary Internet Files"),
              run.stored.end());
    EXPECT_NE(std::find(run.stored.begin(), run.stored.end(), "hiC:\\Windows\\History"), run.stored.end());
}

TEST(DriveScanRecycleBin, TakenForAHiddenSystemFolderWithAPlainNameOnly)
{
    const uint32_t hiddenSystem = AttrHidden | AttrSystem;
    struct Case {
        const char* folder;
        uint32_t attributes;
        bool taken;
    } cases[] = {
        {"C:\\Bin", hiddenSystem, true},
        {"C:\\ARCHIVE", hiddenSystem, false}, // a neighbour's name
        {"C:\\ookies", hiddenSystem, false},
        {"C:\\S-1-5", hiddenSystem, false},   // holds "-"
        {"C:\\a.b", hiddenSystem, false},     // holds "."
        {"C:\\Plain", AttrHidden, false},     // not a system folder
    };
    for (const Case& c : cases) {
        test::PrefixFixture p;
        std::filesystem::remove_all(p.host("C:\\Windows"));
        std::filesystem::remove_all(p.host("C:\\Users"));
        p.mkdir(c.folder);
        p.write(std::string(c.folder) + "\\x.tmp", "x");
        p.mkdir("C:\\Deeper\\Second"); // met later: never taken once the path is set
        if (!p.fs.setAttributes(c.folder, c.attributes).ok() ||
            !p.fs.setAttributes("C:\\Deeper\\Second", hiddenSystem).ok())
            GTEST_SKIP() << "no DOS attributes on this file system";
        ASSERT_EQ(p.fs.attributes(c.folder), c.attributes | AttrDirectory) << c.folder;
        AppState state;
        test::ScanRun run;
        test::runScan(run, p.fs, state, "C:");
        const std::string expected = c.taken ? c.folder : "C:\\Deeper\\Second";
        EXPECT_EQ(state.paths.recycleBin, expected) << c.folder;
        EXPECT_EQ(run.stored, std::vector<std::string>{"lx" + expected}) << c.folder;
        // The Recycle Bin's own files are left alone.
        const auto rows = run.rows(state);
        EXPECT_EQ(std::count(rows.begin(), rows.end(), "x.tmp|" + std::string(c.folder) + "\\|1 KB"), c.taken ? 0 : 1)
            << c.folder;
    }
}

TEST_F(ScanCase, LinksAreNeverFollowedAndOddNamesSurvive)
{
    const std::string outside = p.dir.mkdir("outside");
    p.dir.write("outside/away.tmp", "x");
    std::filesystem::create_directory_symlink(outside, p.host("C:") + "/linked");
    p.write("C:\\Docs\\caf\xff.tmp", "x"); // not valid UTF-8
    scan();
    EXPECT_FALSE(listed("away.tmp"));
    EXPECT_TRUE(listed("caf\xff.tmp"));
}

TEST_F(ScanCase, AFullSlotTableRefusesWithAMessageAndKeepsWhatItHolds)
{
    std::filesystem::remove_all(p.host("C:\\Windows"));
    std::filesystem::remove_all(p.host("C:\\Users"));
    for (int i = 0; i < 8; ++i)
        p.write("C:\\f" + std::to_string(i) + "\\a.tmp", "x");
    test::runScan(run, p.fs, state, "C:", 5);
    EXPECT_EQ(run.outcome.foldersRefused, 3u);
    EXPECT_EQ(state.foundCount, 5);
    EXPECT_NE(junk::slotTableFullMessage(3, 5).find("3 folders"), std::string::npos);
}

TEST_F(ScanCase, ATenThousandLevelTreeDoesNotExhaustTheStack)
{
    // Built with *at calls: the full host path is far beyond PATH_MAX.
    int fd = ::open(p.host("C:").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    for (int depth = 0; depth < 10000; ++depth) {
        ASSERT_EQ(::mkdirat(fd, "d", 0755), 0);
        const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        ASSERT_GE(next, 0);
        fd = next;
        if (depth == 20)
            ::close(::openat(fd, "deep.tmp", O_CREAT | O_WRONLY, 0644));
    }
    ::close(fd);
    scan();
    EXPECT_TRUE(listed("deep.tmp"));
    EXPECT_GT(run.outcome.foldersSearched, 1000u);
    // Leave no tree that a recursive clean-up would trip over.
    std::filesystem::remove_all(p.host("C:") + "/d");
}

TEST_F(ScanCase, AHostFolderCanBeTheRoot)
{
    p.write("C:\\Docs\\a.tmp", "x");
    p.write("C:\\Other\\b.tmp", "x");
    const Rows rows = scan("C:\\Docs");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "a.tmp|C:\\Docs\\|1 KB");
}

TEST_F(ScanCase, ABoxChangedDuringTheScanCountsFromTheNextFolder)
{
    p.write("C:\\a.tmp", "x");
    p.mkdir("C:\\Temporary Internet Files"); // met while the root is examined, after its search
    p.write("C:\\D\\b.tmp", "x");
    junk::ScanHooks hooks;
    hooks.storeFolderPath = [this](const std::string&) { state.patterns[size_t(Pattern::Tmp)] = false; };
    junk::DriveScan scan(p.fs, state, run.table, run.progress, hooks);
    scan.run("C:", '.');
    EXPECT_TRUE(listed("a.tmp"));
    EXPECT_FALSE(listed("b.tmp"));
}

TEST_F(ScanCase, AFolderThatVanishesBeforeItsTurnIsPassedOver)
{
    p.mkdir("C:\\Temporary Internet Files"); // met while the root is examined
    const std::string gone = p.write("C:\\Gone\\a.tmp", "x");
    p.write("C:\\Here\\b.tmp", "x");
    junk::ScanHooks hooks;
    hooks.storeFolderPath = [&](const std::string&) { std::filesystem::remove_all(p.host("C:\\Gone")); };
    junk::DriveScan scan(p.fs, state, run.table, run.progress, hooks);
    const junk::ScanOutcome outcome = scan.run("C:", '.');
    EXPECT_EQ(outcome.foldersUnreadable, 1u);
    EXPECT_FALSE(listed("a.tmp"));
    EXPECT_TRUE(listed("b.tmp"));
}

TEST(ScanTexts, ResultMessageInEveryLanguage)
{
    EXPECT_EQ(junk::scanResultMessage(1, "12.35  MB", 57),
              "Found 12.35  MB in  57 unnecessary, temporary and error files. (click delete button to remove it)");
    EXPECT_EQ(junk::scanResultMessage(8, "1.00   KB", 1),
              "Funnet 1.00   KB i  1 Unødvendig, foreløpig og feil arkiverer. (klikk stryker knapp å fjerne det)");
    EXPECT_EQ(junk::scanResultMessage(2, "", 0).rfind("Encontrou  em  0 arquivos", 0), 0u);
    EXPECT_EQ(junk::scanResultMessage(7, "", 0).rfind("Gefundenen  in  0 Unnötig", 0), 0u);
    EXPECT_EQ(junk::scanResultMessage(9, "", 0), junk::scanResultMessage(1, "", 0));
}

} // namespace
} // namespace orvane
