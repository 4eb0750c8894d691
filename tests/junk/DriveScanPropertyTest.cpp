// The fast scan (one listing per folder, free-slot heap) against the literal procedure on
// random trees: same rows in the same order, same folders in the same order, same paths.

#include "support/LnkBuilder.h"
#include "support/PrefixFixture.h"
#include "support/ReferenceScan.h"
#include "support/ScanHelpers.h"

#include <gtest/gtest.h>

#include <random>

namespace orvane {
namespace {

const char* const FolderNames[] = {"a", "Docs", "WINDOWS", "System32", "Program Files", "Cookies", "old.zipdir",
                                   "Temporary Internet Files", "Content.IE5", "Mozilla", "Cache", "cache", "x-y",
                                   "History", "deep", "SendTo", "net", "Recycled"};
const char* const FileNames[] = {"a.tmp", "B.TMP", "~x.tmp", "c.gid", "d.$$$", "~lock", "e.---", "f.chk", "g.ftg",
                                 "h.old", "i.~1", "j.fts", "k.log", "l.ac$", "m.swr", "n.xlg", "o.dmp", "p.^",
                                 "q.___", "r.chw", "s.bk!", "t.err", "u.ab$", "v.$sa", "w.@@@", "x.asd", "y.nch",
                                 "z.txt~", "CHKLIST.MS", "user.dmp", "DATA.BAK", "keep.txt", "readme", "places.sqlite",
                                 "Hist.dat", "dead.lnk", "live.lnk", "web.lnk", "SYS.tmp", "a.tmp.txt"};

void buildRandomTree(test::PrefixFixture& p, std::mt19937& rng, int folders)
{
    std::vector<std::string> made{"C:"};
    for (int i = 0; i < folders; ++i) {
        const std::string& parent = made[rng() % made.size()];
        std::string name = FolderNames[rng() % std::size(FolderNames)];
        if (rng() % 2)
            name += std::to_string(i);
        const std::string path = parent + "\\" + name;
        p.mkdir(path);
        made.push_back(path);
    }
    for (const std::string& folder : made) {
        const int files = int(rng() % 6);
        for (int k = 0; k < files; ++k) {
            const std::string name = FileNames[rng() % std::size(FileNames)];
            const std::string path = folder + "\\" + name;
            if (name == "dead.lnk")
                p.write(path, test::buildLnk({"C:\\gone\\", "missing.txt", ""}));
            else if (name == "live.lnk")
                p.write(path, test::buildLnk({"C:\\", "Docs", ""}));
            else if (name == "web.lnk")
                p.write(path, test::buildLnk({"C:\\", "http-cache.txt", ""}));
            else
                p.write(path, std::string(rng() % 3000, 'x'));
        }
    }
}

TEST(DriveScanProperty, FastScanEqualsTheLiteralProcedureOnRandomTrees)
{
    std::mt19937 rng(2024);
    for (int round = 0; round < 12; ++round) {
        test::PrefixFixture p;
        buildRandomTree(p, rng, 20 + int(rng() % 120));
        AppState state;
        for (auto& ticked : state.patterns)
            ticked = rng() % 4 != 0;
        state.deadLinks = rng() % 2;
        if (rng() % 3 == 0)
            state.paths.recycleBin = "C:\\Docs";
        const size_t capacity = rng() % 2 ? 250000 : 3 + rng() % 8; // small tables refuse some folders

        const test::ReferenceResult expected = test::referenceScan(p.fs, state, "C:", capacity);
        AppState fastState = state;
        test::ScanRun run;
        test::runScan(run, p.fs, fastState, "C:", capacity);

        std::vector<test::ReferenceRow> got;
        for (int r = 1; r <= fastState.foundCount; ++r)
            got.push_back({{run.table.cell(r, 0), run.table.cell(r, 1), run.table.cell(r, 2), run.table.cell(r, 3)}});
        ASSERT_EQ(got, expected.rows) << "round " << round;
        ASSERT_EQ(run.visited(), expected.visited) << "round " << round;
        EXPECT_EQ(run.stored, expected.stored) << "round " << round;
        EXPECT_EQ(fastState.paths.recycleBin, expected.paths.recycleBin);
        EXPECT_EQ(fastState.paths.mozHistory, expected.paths.mozHistory);
        EXPECT_EQ(fastState.paths.mozCache, expected.paths.mozCache);
        EXPECT_EQ(fastState.foundBytes, expected.foundBytes);
        EXPECT_GT(fastState.foundCount + int(expected.visited.size()), 1);
    }
}

} // namespace
} // namespace orvane
