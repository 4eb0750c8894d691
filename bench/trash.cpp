// bench-trash: recycles every top-level folder of a generated tree into a scratch home trash,
// then empties it, and compares the emptying with `rm -rf` of an identical tree (same seed).
//   bench-trash [--files=N] [--folders=N] [--seed=N]
// Works in $TMPDIR (or /tmp) only; the user's own trashes are never looked at.

#include "TreeGenerator.h"
#include "Timing.h"

#include "platform/FreedesktopTrash.h"
#include "platform/Prefix.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace orvane;
using namespace orvane::bench;

namespace {

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                names.emplace_back(e->d_name);
        ::closedir(dir);
    }
    return names;
}

} // namespace

int main(int argc, char** argv)
{
    TreeSpec spec;
    spec.files = 50000;
    spec.folders = 5000;
    spec.maxFileBytes = 0;
    spec.unreadableFolders = 0; // rm -rf as a normal user could not empty them either
    for (int i = 1; i < argc; ++i) {
        uint64_t v = 0;
        if (numberOption(argv[i], "--files", v)) spec.files = v;
        else if (numberOption(argv[i], "--folders", v)) spec.folders = v;
        else if (numberOption(argv[i], "--seed", v)) spec.seed = v;
        else {
            std::fprintf(stderr, "usage: bench-trash [--files=N] [--folders=N] [--seed=N]\n");
            return 2;
        }
    }
    const std::string work = makeWorkFolder("bench-trash");
    if (work.empty())
        return 1;
    TreeSummary ours, theirs;
    if (Status s = generateTree(work + "/tree", spec, ours); !s) {
        std::fprintf(stderr, "bench-trash: %s\n", s.message.c_str());
        return 1;
    }
    if (Status s = generateTree(work + "/copy", spec, theirs); !s) {
        std::fprintf(stderr, "bench-trash: %s\n", s.message.c_str());
        return 1;
    }
    ::mkdir((work + "/prefix").c_str(), 0755);
    ::mkdir((work + "/prefix/dosdevices").c_str(), 0755);
    ::symlink((work + "/tree").c_str(), (work + "/prefix/dosdevices/t:").c_str());
    const Prefix prefix = Prefix::open(work + "/prefix");
    FreedesktopTrash trash(prefix, work + "/Trash");
    trash.useMountTable(MountTable::parse("")); // the scratch home trash only

    int result = 0;
    // One by one, as the junk cleaner's Recycle mode sends files: the first files of a walk.
    std::vector<std::string> singles;
    for (std::vector<std::string> pending{""}; !pending.empty() && singles.size() < 5000;) {
        const std::string folder = pending.back();
        pending.pop_back();
        for (const std::string& name : namesIn(work + "/tree" + folder)) {
            struct stat st;
            if (::lstat((work + "/tree" + folder + "/" + name).c_str(), &st) != 0)
                continue;
            if (S_ISDIR(st.st_mode))
                pending.push_back(folder + "/" + name);
            else if (S_ISREG(st.st_mode) && singles.size() < 5000)
                singles.push_back(folder + "/" + name);
        }
    }
    for (std::string& path : singles)
        for (char& c : path)
            c = c == '/' ? '\\' : c;
    const double singleSeconds = secondsOf([&] {
        for (const std::string& path : singles)
            if (const Status s = trash.recycleFile("T:" + path); !s) {
                std::fprintf(stderr, "bench-trash: %s\n", s.message.c_str());
                result = 1;
            }
    });
    size_t recycled = 0;
    const double recycleSeconds = secondsOf([&] {
        for (const std::string& name : namesIn(work + "/tree")) {
            struct stat st;
            if (::lstat((work + "/tree/" + name).c_str(), &st) != 0)
                continue;
            const std::string windows = "T:\\" + name;
            const Status s = S_ISDIR(st.st_mode) ? trash.recycleFolder(windows) : trash.recycleFile(windows);
            if (!s) {
                std::fprintf(stderr, "bench-trash: %s\n", s.message.c_str());
                result = 1;
            }
            ++recycled;
        }
    });
    const double emptySeconds = secondsOf([&] {
        if (const Status s = trash.emptyAll(); !s) {
            std::fprintf(stderr, "bench-trash: %s\n", s.message.c_str());
            result = 1;
        }
    });
    const double rmSeconds = secondsOf([&] { commandOutput("rm -rf " + shellQuote(work + "/copy")); });
    if (!namesIn(work + "/Trash/files").empty() || !namesIn(work + "/Trash/info").empty() || !namesIn(work + "/tree").empty()) {
        std::fprintf(stderr, "bench-trash: something was left behind\n");
        result = 1;
    }
    std::printf("%zu files in %zu folders\n", ours.files, ours.folders);
    std::printf("recycle %zu files one by one: %.3f s (%.1f us each)\n", singles.size(), singleSeconds,
                singles.empty() ? 0.0 : singleSeconds * 1e6 / double(singles.size()));
    std::printf("recycle the %zu remaining top-level items: %.3f s\n", recycled, recycleSeconds);
    std::printf("emptyAll %.3f s, rm -rf %.3f s, ratio orvane / rm = %.2f\n", emptySeconds, rmSeconds,
                rmSeconds > 0 ? emptySeconds / rmSeconds : 0.0);

    ::unlink((work + "/prefix/dosdevices/t:").c_str());
    commandOutput("rm -rf " + shellQuote(work));
    return result;
}
