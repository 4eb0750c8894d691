// bench-listing: lists every folder of a generated tree with LinuxFileSystem::list (mask "*"),
// walking without recursion, and compares the time with GNU find on the same tree.
//   bench-listing [--dir=TREE] [--files=N] [--folders=N] [--seed=N] [--reps=N] [--keep]
// Without --dir a tree is generated in $TMPDIR (or /tmp) and removed afterwards.

#include "TreeGenerator.h"
#include "Timing.h"
#include "TreeBenchOptions.h"

#include "platform/LinuxFileSystem.h"
#include "platform/Prefix.h"
#include "platform/WinPath.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace orvane;
using namespace orvane::bench;

namespace {

struct Counts {
    size_t files = 0;   // regular files (links and folders excluded), as find -type f counts
    size_t folders = 0;
    size_t unreadable = 0;
};

Counts walk(FileSystem& files, const std::string& root)
{
    Counts counts;
    std::vector<std::string> pending{root};
    std::vector<FileEntry> entries;
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        entries.clear();
        if (!files.list(folder, "*", entries))
            ++counts.unreadable;
        for (const FileEntry& entry : entries) {
            if (entry.isFolder()) {
                ++counts.folders;
                pending.push_back(winpath::join(folder, entry.name));
            } else if (!entry.isLink()) {
                ++counts.files;
            }
        }
    }
    return counts;
}

// `withStat`: find also prints each file's size and time, as our listing reports them, which
// costs find one stat per file; plain -type f needs only the listing's file types.
size_t findCount(const std::string& root, bool withStat)
{
    const std::string print = withStat ? " -printf '%s %T@\\n'" : "";
    return std::strtoull(
        commandOutput("find " + shellQuote(root) + " -type f" + print + " 2>/dev/null | wc -l").c_str(), nullptr, 10);
}

} // namespace

int main(int argc, char** argv)
{
    TreeSpec spec;
    spec.maxFileBytes = 0; // listing reads no data; empty files keep the tree small on disk
    TreeBenchOptions options;
    if (!parseTreeBenchOptions(argc, argv, "bench-listing", spec, options))
        return 2;
    std::string& tree = options.tree;
    const uint64_t reps = options.reps;
    const bool keep = options.keep;

    const std::string work = makeWorkFolder("bench-listing");
    if (work.empty())
        return 1;
    const bool generated = tree.empty();
    if (generated) {
        tree = work + "/tree";
        TreeSummary summary;
        std::printf("generating %zu files in %zu folders (seed %llu)...\n", spec.files, spec.folders,
                    static_cast<unsigned long long>(spec.seed));
        const double seconds = secondsOf([&] {
            if (const Status s = generateTree(tree, spec, summary); !s) {
                std::fprintf(stderr, "bench-listing: %s\n", s.message.c_str());
                std::exit(1);
            }
        });
        std::printf("generated in %.1f s: %zu files, %zu folders, %zu links, %zu unreadable folders\n", seconds,
                    summary.files, summary.folders, summary.symlinks, summary.unreadableFolders);
    }

    // A prefix whose drive T: is the tree, as the program would see a mounted disk.
    ::mkdir((work + "/prefix").c_str(), 0755);
    ::mkdir((work + "/prefix/dosdevices").c_str(), 0755);
    if (::symlink(tree.c_str(), (work + "/prefix/dosdevices/t:").c_str()) != 0) {
        std::perror("bench-listing: symlink");
        return 1;
    }
    const Prefix prefix = Prefix::open(work + "/prefix");
    LinuxFileSystem files(prefix);

    // Warm the cache and check both count the same files before timing anything.
    const Counts ours = walk(files, "T:");
    const size_t theirs = findCount(tree, false);
    std::printf("orvane: %zu files, %zu folders, %zu unreadable; find: %zu files\n", ours.files, ours.folders,
                ours.unreadable, theirs);
    int result = 0;
    if (ours.files != theirs) {
        std::fprintf(stderr, "bench-listing: the counts differ\n");
        result = 1;
    }

    std::vector<double> oursTimes, findTimes, findStatTimes;
    for (uint64_t r = 0; r < reps; ++r) {
        Counts again;
        oursTimes.push_back(secondsOf([&] { again = walk(files, "T:"); }));
        size_t found = 0, foundWithStat = 0;
        findTimes.push_back(secondsOf([&] { found = findCount(tree, false); }));
        findStatTimes.push_back(secondsOf([&] { foundWithStat = findCount(tree, true); }));
        if (again.files != ours.files || found != theirs || foundWithStat != theirs)
            result = 1;
    }
    const double a = median(oursTimes), b = median(findTimes), c = median(findStatTimes);
    std::printf("median of %llu warm runs:\n  LinuxFileSystem::list walk      %.3f s\n"
                "  find -type f | wc -l            %.3f s\n  find -type f -printf size,time  %.3f s\n",
                static_cast<unsigned long long>(reps), a, b, c);
    std::printf("ratio orvane / find = %.2f\nratio orvane / find with sizes and times = %.2f\n", b > 0 ? a / b : 0.0,
                c > 0 ? a / c : 0.0);

    ::unlink((work + "/prefix/dosdevices/t:").c_str());
    if (generated && !keep) {
        removeTree(tree);
    } else if (generated) {
        std::printf("tree kept in %s\n", tree.c_str());
    }
    if (!keep) {
        ::rmdir((work + "/prefix/dosdevices").c_str());
        ::rmdir((work + "/prefix").c_str());
        ::rmdir(work.c_str());
    }
    return result;
}
