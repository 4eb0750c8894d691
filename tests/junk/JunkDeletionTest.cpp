#include "junk/JunkDeletion.h"
#include "platform/FreedesktopTrash.h"
#include "support/PrefixFixture.h"
#include "support/ScanHelpers.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace orvane {
namespace {

struct DeletionCase : ::testing::Test {
    test::PrefixFixture p;
    AppState state;
    test::ScanRun run;
    std::string trashHome = p.dir.mkdir("home-trash");
    FreedesktopTrash trash{p.prefix, trashHome};

    void SetUp() override
    {
        std::filesystem::remove_all(p.host("C:\\Windows"));
        std::filesystem::remove_all(p.host("C:\\Users"));
    }
    void scan() { test::runScan(run, p.fs, state, "C:"); }
    int rowOf(const std::string& name)
    {
        for (int r = 1; r <= state.foundCount; ++r)
            if (run.table.cell(r, junk::NameColumn) == name)
                return r;
        return 0;
    }
    junk::DeletionOutcome remove() { return junk::deleteMarkedRows(p.fs, trash, state, run.table, run.progress); }
};

TEST_F(DeletionCase, DiskModeRemovesTheYesRowsAndCountsTheirRoundedKilobytes)
{
    const std::string a = p.write("C:\\D\\a.tmp", "");
    const std::string b = p.write("C:\\D\\b.tmp", std::string(1023, 'x'));
    const std::string c = p.write("C:\\D\\c.tmp", std::string(1024, 'x'));
    const std::string kept = p.write("C:\\D\\kept.tmp", std::string(5000, 'x'));
    scan();
    run.table.toggleMark(rowOf("kept.tmp"));
    state.recoveredKB = 10;
    const junk::DeletionOutcome out = remove();
    EXPECT_EQ(out.removed, 3);
    EXPECT_TRUE(out.notRemoved.empty());
    EXPECT_EQ(out.recoveredKB, 4); // 1 + 1 + 2
    EXPECT_EQ(state.recoveredKB, 14);
    EXPECT_FALSE(test::hostExists(a) || test::hostExists(b) || test::hostExists(c));
    EXPECT_TRUE(test::hostExists(kept));
    EXPECT_EQ(run.table.rowCount(), 2); // cleared
    EXPECT_EQ(run.progress.texts.back().rfind("Deleting junk file: ", 0), 0u);
    EXPECT_EQ(junk::deletingFileStatus("c.tmp"), "Deleting junk file: c.tmp - please wait(can take some minutes).");
}

TEST_F(DeletionCase, TrashModeMovesFilesIntoTheTrashWithTheirInformation)
{
    const std::string a = p.write("C:\\D\\a.tmp", "abc");
    scan();
    state.deleteFromDisk = false;
    const junk::DeletionOutcome out = remove();
    EXPECT_EQ(out.removed, 1);
    EXPECT_FALSE(test::hostExists(a));
    EXPECT_EQ(test::readFile(trashHome + "/files/a.tmp"), "abc");
    const std::string info = test::readFile(trashHome + "/info/a.tmp.trashinfo");
    EXPECT_NE(info.find("[Trash Info]"), std::string::npos);
    EXPECT_NE(info.find("a.tmp"), std::string::npos);
}

TEST_F(DeletionCase, FilesThatChangedOrCannotBeRemovedAreKeptReportedAndNotCounted)
{
    const std::string changed = p.write("C:\\D\\changed.tmp", "x");
    const std::string replaced = p.write("C:\\D\\replaced.tmp", "x");
    const std::string gone = p.write("C:\\D\\gone.tmp", "x");
    const std::string ok = p.write("C:\\D\\ok.tmp", "x");
    scan();
    ASSERT_EQ(state.foundCount, 4);
    { std::ofstream(changed, std::ios::app) << "more"; }
    std::filesystem::remove(replaced);
    p.write("C:\\D\\replaced.tmp", "y"); // same name, another file
    std::filesystem::remove(gone);
    const junk::DeletionOutcome out = remove();
    EXPECT_EQ(out.removed, 1);
    EXPECT_EQ(out.recoveredKB, 1);
    EXPECT_EQ(state.recoveredKB, 1);
    ASSERT_EQ(out.notRemoved.size(), 3u);
    EXPECT_TRUE(test::hostExists(changed));
    EXPECT_TRUE(test::hostExists(replaced));
    EXPECT_FALSE(test::hostExists(ok));
    const std::string report = junk::notRemovedReport(out);
    EXPECT_EQ(report.rfind("3 files could not be removed:", 0), 0u);
    EXPECT_NE(report.find("C:\\D\\changed.tmp"), std::string::npos);
}

TEST_F(DeletionCase, AFileTheTrashCannotTakeStaysAndIsNotCounted)
{
    p.write("C:\\D\\a.tmp", "x");
    scan();
    std::filesystem::permissions(trashHome, std::filesystem::perms::none);
    std::filesystem::remove_all(trashHome);
    {
        std::ofstream blocker(trashHome); // a file where the Trash folder should be
    }
    state.deleteFromDisk = false;
    const junk::DeletionOutcome out = remove();
    EXPECT_EQ(out.removed, 0);
    EXPECT_EQ(state.recoveredKB, 0);
    EXPECT_TRUE(test::hostExists(p.host("C:\\D\\a.tmp")));
}

TEST_F(DeletionCase, ASizeThatIsNotANumberStopsTheDeletionAndKeepsTheGrid)
{
    const std::string a = p.write("C:\\D\\a.tmp", "x");
    const std::string b = p.write("C:\\D\\b.old", "x");
    scan();
    run.table.setCell(2, junk::SizeColumn, "big KB");
    const junk::DeletionOutcome out = remove();
    EXPECT_FALSE(out.conversionError.empty());
    EXPECT_EQ(out.removed, 1);
    EXPECT_FALSE(test::hostExists(a));
    EXPECT_TRUE(test::hostExists(b));
    EXPECT_EQ(run.table.rowCount(), 5); // not cleared
}

TEST_F(DeletionCase, DeleteWithNothingFoundRunsThroughNoRow)
{
    scan();
    const junk::DeletionOutcome out = remove();
    EXPECT_EQ(out.removed, 0);
    EXPECT_TRUE(out.notRemoved.empty());
    EXPECT_EQ(run.table.rowCount(), 2);
}

} // namespace
} // namespace orvane

namespace orvane {
namespace {

TEST_F(DeletionCase, AFileListedTwiceIsRemovedAndCountedOnce)
{
    const std::string f = p.write("C:\\D\\~x.tmp", "x");
    scan();
    ASSERT_EQ(state.foundCount, 2); // "*.TMP" and "~*.*"
    const junk::DeletionOutcome out = remove();
    EXPECT_FALSE(test::hostExists(f));
    EXPECT_EQ(out.removed, 1);
    EXPECT_TRUE(out.notRemoved.empty());
    EXPECT_EQ(state.recoveredKB, 1);
    EXPECT_EQ(out.fates, (std::vector<std::string>{"removed", "listed twice"}));
}

} // namespace
} // namespace orvane
