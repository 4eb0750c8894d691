#include "TreeGenerator.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orvane::bench {

namespace {

// splitmix64: tiny, fast and identical everywhere (std distributions are not).
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    size_t below(size_t n) { return n ? size_t(next() % n) : 0; }
    bool percent(unsigned p) { return below(100) < p; }

private:
    uint64_t state_;
};

constexpr const char* kWords[] = {"report", "photo", "setup", "data", "cache", "notes", "invoice", "backup",
                                  "music", "draft", "caf\xC3\xA9", "Con \xEC\x9E\x90\xEB\xB0\xB1", "Budget 2024",
                                  "readme", "index", "thumbs"};
constexpr const char* kOrdinaryExtensions[] = {".txt", ".doc", ".jpg", ".pdf", ".mp3", ".xml", ".dll", ".exe",
                                               ".ini", ".cpp", ".html", ""};
// Names that the junk cleaner's masks catch (*.tmp, *.gid, *.$$$, ~*.*, *.---, *.chk, *.ftg,
// *.old, *.~*, *.fts, *.log, *.ac$, *.swr, *.xlg, *.dmp, *.^, *.___, *.chw, *.bk!, *.err, *.??$,
// *.$sa, *.@@@, *.asd, *.nch, *.*~) and backups (*.bak), in the letter cases people leave
// behind; "~%.tmp" matches two masks at once.
constexpr const char* kJunkForms[] = {"%.tmp", "%.TMP", "%.Tmp", "~%.doc", "~%.tmp", "%.gid", "%.$$$", "%.---",
                                      "%.chk", "%.FTG", "%.old", "%.~mp", "%.fts", "%.log", "%.ac$", "%.swr",
                                      "%.xlg", "%.dmp", "%.^", "%.___", "%.chw", "%.bk!", "%.ERR", "%.fi$",
                                      "%.$sa", "%.@@@", "%.asd", "%.nch", "%.txt~", "%.bak"};
constexpr const char* kNonUtf8[] = {"\xFF\xFE", "caf\xE9", "\xC3(", "\xED\xA0\x80"};

template <size_t N>
const char* pick(Random& random, const char* const (&table)[N])
{
    return table[random.below(N)];
}

struct Folder {
    std::string path;
    size_t depth = 0;
    size_t parent = 0;
    bool unreadable = false;
};

struct Written {
    std::string name;
    uint32_t size;
    uint64_t contentSeed;
};

Status writeFile(const std::string& path, uint32_t size, uint64_t contentSeed)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return Status::fromErrno(errno, "Cannot create", path);
    std::vector<char> bytes(size);
    Random content(contentSeed);
    for (size_t i = 0; i < bytes.size(); i += 8) {
        const uint64_t word = content.next();
        for (size_t k = 0; k < 8 && i + k < bytes.size(); ++k)
            bytes[i + k] = char(word >> (8 * k));
    }
    const ssize_t n = bytes.empty() ? 0 : ::write(fd, bytes.data(), bytes.size());
    const int error = errno;
    ::close(fd);
    if (n != ssize_t(bytes.size()))
        return Status::fromErrno(n < 0 ? error : EIO, "Cannot write", path);
    return Status::success();
}

std::string junkName(Random& random, size_t index)
{
    const std::string stem = std::string(pick(random, kWords)) + "_" + std::to_string(index);
    std::string form = pick(random, kJunkForms);
    form.replace(form.find('%'), 1, stem);
    return form;
}

// The folder's ancestors count too: an unreadable folder hides its whole subtree from a user.
bool hidden(const std::vector<Folder>& folders, size_t index)
{
    for (;; index = folders[index].parent) {
        if (folders[index].unreadable)
            return true;
        if (index == 0)
            return false;
    }
}

} // namespace

Status generateTree(const std::string& root, const TreeSpec& spec, TreeSummary& summary)
{
    summary = {};
    if (::mkdir(root.c_str(), 0755) != 0)
        return Status::fromErrno(errno, "Cannot create the tree root", root);
    Random random(spec.seed);

    std::vector<Folder> folders{{root, 0, 0, false}};
    std::vector<size_t> open{0}; // folders that may still get subfolders
    for (size_t i = 0; i < spec.folders && !open.empty(); ++i) {
        const size_t parent = open[random.below(open.size())];
        Folder folder{folders[parent].path + "/" + pick(random, kWords) + "_d" + std::to_string(i),
                      folders[parent].depth + 1, parent, false};
        if (::mkdir(folder.path.c_str(), 0755) != 0)
            return Status::fromErrno(errno, "Cannot create", folder.path);
        if (folder.depth < spec.maxDepth)
            open.push_back(folders.size());
        folders.push_back(std::move(folder));
        ++summary.folders;
    }

    std::vector<Written> earlier; // a sample of written files, the sources of duplicates
    std::vector<size_t> fileFolder(spec.files);
    for (size_t i = 0; i < spec.files; ++i) {
        const size_t where = random.below(folders.size());
        fileFolder[i] = where;
        Written file;
        bool junk = false;
        if (!earlier.empty() && random.percent(spec.duplicatePercent)) {
            file = earlier[random.below(earlier.size())];
            const std::string path = folders[where].path + "/" + file.name;
            if (::access(path.c_str(), F_OK) == 0)
                file.name = "copy_" + std::to_string(i) + "_" + file.name;
            else
                ++summary.duplicateFiles;
        } else {
            junk = random.percent(spec.junkPercent);
            file.name = junk ? junkName(random, i)
                             : std::string(pick(random, kWords)) + "_" + std::to_string(i)
                                   + pick(random, kOrdinaryExtensions);
            if (i < spec.nonUtf8Names) {
                file.name = pick(random, kNonUtf8) + file.name;
                ++summary.nonUtf8Names;
            }
            file.size = uint32_t(random.below(size_t(spec.maxFileBytes) + 1));
            file.contentSeed = random.next();
            if (earlier.size() < 4096)
                earlier.push_back(file);
            else
                earlier[random.below(earlier.size())] = file;
        }
        if (Status s = writeFile(folders[where].path + "/" + file.name, file.size, file.contentSeed); !s)
            return s;
        summary.junkFiles += junk ? 1 : 0;
        summary.bytes += file.size;
        ++summary.files;
    }

    for (size_t i = 0; i < spec.symlinks; ++i) {
        const size_t where = random.below(folders.size());
        std::string target;
        switch (i % 3) {
        case 0: target = "../"; break;                      // a loop back to an ancestor (or out of the root)
        case 1: target = folders[random.below(folders.size())].path; break;
        default: target = "missing_" + std::to_string(i); break;
        }
        const std::string link = folders[where].path + "/link_" + std::to_string(i) + (i % 2 ? ".tmp" : "");
        if (::symlink(target.c_str(), link.c_str()) != 0)
            return Status::fromErrno(errno, "Cannot create the link", link);
        ++summary.symlinks;
    }

    for (size_t i = 0; i < spec.unreadableFolders && folders.size() > 1; ++i)
        folders[1 + random.below(folders.size() - 1)].unreadable = true;
    for (size_t i = 0; i < spec.files; ++i)
        summary.filesInUnreadable += hidden(folders, fileFolder[i]) ? 1 : 0;
    // Deepest first, so a locked folder never stops the locking of one below it.
    for (size_t i = folders.size(); i-- > 1;) {
        if (!folders[i].unreadable)
            continue;
        if (::chmod(folders[i].path.c_str(), 0) != 0)
            return Status::fromErrno(errno, "Cannot lock", folders[i].path);
        ++summary.unreadableFolders;
    }
    return Status::success();
}

Status removeTree(const std::string& root)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<fs::path> pending{root};
    while (!pending.empty()) {
        const fs::path folder = std::move(pending.back());
        pending.pop_back();
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_directory(ec) && !it->is_symlink(ec))
                pending.push_back(it->path());
    }
    fs::remove_all(root, ec);
    return ec ? Status::failure(ec.value(), "Cannot remove " + root + ": " + ec.message()) : Status::success();
}

} // namespace orvane::bench
