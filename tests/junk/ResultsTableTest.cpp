#include "junk/JunkPatterns.h"
#include "junk/ResultsTable.h"

#include <gtest/gtest.h>

namespace orvane::junk {
namespace {

TEST(ResultsTable, RowsCountersAndTheTotalRow)
{
    AppState state;
    ResultsTable t;
    EXPECT_EQ(t.rowCount(), 2);
    EXPECT_EQ(t.cell(0, DeleteColumn), "DELETE?");
    t.addFoundRow(state, "a.tmp", "C:", "1 KB", 0, std::nullopt);
    t.addFoundRow(state, "b.tmp", "C:\\x", "2 KB", 1024, std::nullopt);
    t.addFoundRow(state, "c.tmp", "C:\\x", "2 KB", 1023 + 1024, std::nullopt);
    EXPECT_EQ(state.foundCount, 3);
    EXPECT_EQ(state.foundBytes, 3071);
    EXPECT_EQ(t.rowCount(), 4);
    EXPECT_EQ(t.cell(1, PathColumn), "C:\\");
    EXPECT_EQ(t.cell(2, PathColumn), "C:\\x\\");
    EXPECT_EQ(t.cell(2, DeleteColumn), "Yes");
    EXPECT_EQ(t.writeTotalRow(state, '.'), "3.00   KB");
    EXPECT_EQ(t.rowCount(), 6);
    EXPECT_EQ(t.cell(4, NameColumn), "");
    EXPECT_EQ(t.cell(5, NameColumn), "Total space :");
    EXPECT_EQ(t.cell(5, PathColumn), "    =    ");
    EXPECT_EQ(t.cell(5, SizeColumn), "3.00   KB");
    EXPECT_EQ(t.cell(5, DeleteColumn), "");
    t.ClearResultsGrid();
    EXPECT_EQ(t.rowCount(), 2);
    EXPECT_EQ(t.cell(1, NameColumn), "");
}

TEST(ResultsTable, NothingFoundKeepsTheHeaderAndTwoEmptyRows)
{
    AppState state;
    ResultsTable t;
    EXPECT_EQ(t.writeTotalRow(state, '.'), "");
    EXPECT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.cell(2, NameColumn), "");
}

TEST(ResultsTable, ClickTogglesNoAndAnythingElse)
{
    AppState state;
    ResultsTable t;
    t.addFoundRow(state, "a.tmp", "C:", "1 KB", 0, std::nullopt);
    t.writeTotalRow(state, '.');
    t.toggleMark(1);
    EXPECT_EQ(t.cell(1, DeleteColumn), "No");
    t.toggleMark(1);
    EXPECT_EQ(t.cell(1, DeleteColumn), "Yes");
    t.toggleMark(2); // the empty row under the data
    EXPECT_EQ(t.cell(2, DeleteColumn), "No");
    t.toggleMark(99); // outside: nothing
    EXPECT_EQ(t.rowCount(), 4);
}

TEST(JunkPatterns, MasksInSearchOrderAndTheAllBoxesOperations)
{
    const auto& masks = searchMasks();
    ASSERT_EQ(masks.size(), 27u);
    EXPECT_EQ(masks.front().mask, "*.TMP");
    EXPECT_EQ(masks[6].mask, "*.FTG");
    EXPECT_EQ(masks[8].mask, "*.~*");
    EXPECT_EQ(masks[22].mask, "*.@@@");
    EXPECT_EQ(masks[23].mask, "*.ASD");
    EXPECT_EQ(masks.back().mask, "CHKLIST.MS");
    for (size_t i = 1; i < masks.size(); ++i)
        EXPECT_LE(int(masks[i - 1].pattern), int(masks[i].pattern));

    AppState state;
    state.deadLinks = true;
    UncheckAllPatterns(state);
    EXPECT_TRUE(tickedMasks(state).empty());
    EXPECT_TRUE(state.deadLinks);
    state.patterns[size_t(Pattern::Asd)] = true;
    ASSERT_EQ(tickedMasks(state).size(), 2u); // "*.Asd" governs "*.@@@" and "*.ASD"
    CheckAllPatterns(state);
    EXPECT_EQ(tickedMasks(state).size(), 27u);
    EXPECT_TRUE(state.deadLinks);
}

} // namespace
} // namespace orvane::junk
