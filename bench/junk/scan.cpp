// bench-junk-scan: the junk scan engine (every pattern ticked, no window) against
// `find DIR -type f \( -iname ... -o ... \)` with the same 27 patterns, warm, side by side.
//   bench-junk-scan [--dir=TREE] [--files=N] [--folders=N] [--seed=N] [--reps=N] [--keep]
// Without --dir a tree is generated in $TMPDIR (or /tmp) and removed afterwards.

#include "TreeGenerator.h"
#include "Timing.h"
#include "TreeBenchOptions.h"

#include "junk/DriveScan.h"
#include "junk/JunkPatterns.h"
#include "platform/LinuxFileSystem.h"
#include "platform/Prefix.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvane;
using namespace orvane::bench;

namespace {

const char* const FindPatterns[] = {"*.tmp", "*.gid", "*.$$$", "~*.*", "*.---", "*.chk", "*.ftg", "*.old", "*.~*",
                                    "*.fts", "*.log", "*.ac$", "*.swr", "*.xlg", "*.dmp", "*.^", "*.___", "*.chw",
                                    "*.bk!", "*.err", "*.??$", "*.$sa", "*.@@@", "*.asd", "*.nch", "*.*~",
                                    "chklist.ms"};

std::string findCommand(const std::string& root)
{
    std::string cmd = "find " + shellQuote(root) + " -type f \\(";
    bool first = true;
    for (const char* p : FindPatterns) {
        cmd += first ? " -iname " : " -o -iname ";
        cmd += shellQuote(p);
        first = false;
    }
    return cmd + " \\) 2>/dev/null | wc -l";
}

struct ScanFigures {
    int rows = 0;
    size_t distinctFiles = 0;
    size_t folders = 0;
};

ScanFigures scanOnce(FileSystem& fs)
{
    AppState state;
    junk::CheckAllPatterns(state);
    state.deadLinks = false;
    junk::ResultsTable table;
    NullProgress progress;
    junk::DriveScan scan(fs, state, table, progress);
    const junk::ScanOutcome outcome = scan.run("T:", '.');
    ScanFigures f;
    f.rows = state.foundCount;
    f.folders = outcome.foldersSearched;
    std::set<std::string> distinct;
    for (int r = 1; r <= state.foundCount; ++r)
        distinct.insert(table.cell(r, junk::PathColumn) + table.cell(r, junk::NameColumn));
    f.distinctFiles = distinct.size();
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    TreeSpec spec;
    spec.maxFileBytes = 64;
    TreeBenchOptions options;
    if (!parseTreeBenchOptions(argc, argv, "bench-junk-scan", spec, options))
        return 2;
    std::string& tree = options.tree;
    const uint64_t reps = options.reps;
    const bool keep = options.keep;

    const std::string work = makeWorkFolder("bench-junk-scan");
    if (work.empty())
        return 1;
    const bool generated = tree.empty();
    if (generated) {
        tree = work + "/tree";
        TreeSummary summary;
        std::printf("generating %zu files in %zu folders (seed %llu)...\n", spec.files, spec.folders,
                    static_cast<unsigned long long>(spec.seed));
        if (const Status s = generateTree(tree, spec, summary); !s) {
            std::fprintf(stderr, "bench-junk-scan: %s\n", s.message.c_str());
            return 1;
        }
        std::printf("generated: %zu files (%zu junk-named), %zu folders\n", summary.files, summary.junkFiles,
                    summary.folders);
    }
    ::mkdir((work + "/prefix").c_str(), 0755);
    ::mkdir((work + "/prefix/dosdevices").c_str(), 0755);
    if (::symlink(tree.c_str(), (work + "/prefix/dosdevices/t:").c_str()) != 0) {
        std::perror("bench-junk-scan: symlink");
        return 1;
    }
    const Prefix prefix = Prefix::open(work + "/prefix");
    LinuxFileSystem fs(prefix);

    // Warm the cache; the scan's own folder and name rules make it list a little less than find.
    const ScanFigures ours = scanOnce(fs);
    const size_t theirs = std::strtoull(commandOutput(findCommand(tree)).c_str(), nullptr, 10);
    std::printf("orvane: %d rows, %zu distinct files, %zu folders searched; find: %zu files\n", ours.rows,
                ours.distinctFiles, ours.folders, theirs);
    int result = 0;
    std::vector<double> oursTimes, findTimes;
    for (uint64_t r = 0; r < reps; ++r) {
        ScanFigures again;
        oursTimes.push_back(secondsOf([&] { again = scanOnce(fs); }));
        size_t found = 0;
        findTimes.push_back(secondsOf([&] { found = std::strtoull(commandOutput(findCommand(tree)).c_str(), nullptr, 10); }));
        if (again.rows != ours.rows || found != theirs)
            result = 1;
    }
    const double a = median(oursTimes), b = median(findTimes);
    std::printf("median of %llu warm runs:\n  junk scan engine            %.3f s\n  find with the 27 patterns   %.3f s\n"
                "ratio orvane / find = %.2f\n",
                static_cast<unsigned long long>(reps), a, b, b > 0 ? a / b : 0.0);

    ::unlink((work + "/prefix/dosdevices/t:").c_str());
    if (generated && !keep)
        removeTree(tree);
    else if (generated)
        std::printf("tree kept in %s\n", tree.c_str());
    ::rmdir((work + "/prefix/dosdevices").c_str());
    ::rmdir((work + "/prefix").c_str());
    if (generated && !keep)
        ::rmdir(work.c_str());
    return result;
}
