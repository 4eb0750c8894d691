#include "support/ReferenceScan.h"

#include "junk/FolderTests.h"
#include "junk/JunkPatterns.h"
#include "junk/ShortcutTarget.h"
#include "junk/SizeFormat.h"

#include <optional>

namespace orvane::test {

namespace {

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

struct Reference {
    FileSystem& fs;
    AppState state;
    size_t capacity;
    std::vector<std::optional<std::string>> slots; // slot n at index n-1
    ReferenceResult result;

    void QueueFolder(const std::string& path)
    {
        for (auto& s : slots)
            if (!s) {
                s = path;
                return;
            }
        if (slots.size() < capacity)
            slots.emplace_back(path);
    }
    bool FindPendingFolder() const
    {
        for (const auto& s : slots)
            if (s)
                return true;
        return false;
    }
    void ReleaseFolder(const std::string& path)
    {
        for (auto& s : slots)
            if (s && *s == path) {
                s.reset();
                return;
            }
    }
    void addRow(const std::string& name, const std::string& folder, std::string size, uint64_t bytes)
    {
        result.rows.push_back({{name, folder + "\\", std::move(size), "Yes"}});
        result.foundBytes += double(bytes);
    }
    void SearchFolder(const std::string& folder, std::string_view mask)
    {
        if (junk::skippedByPatternSearch(folder, state.paths.recycleBin))
            return;
        if (mask == "*.LOG" && junk::skippedForLogs(folder))
            return;
        std::vector<FileEntry> entries;
        fs.list(folder, mask, entries);
        for (const FileEntry& e : entries) {
            if (e.attributes & AttrDirectory || junk::isProtectedName(e.name))
                continue;
            if (fs.isFileLocked(folder + "\\" + e.name))
                continue;
            addRow(e.name, folder, junk::junkFileSizeText(e.size), e.size);
        }
    }
    void SearchDeadLinks(const std::string& folder)
    {
        if (junk::skippedByDeadLinkSearch(folder, state.paths.recycleBin))
            return;
        std::vector<FileEntry> entries;
        fs.list(folder, "*.LNK", entries);
        for (const FileEntry& e : entries) {
            if (e.attributes & AttrDirectory)
                continue;
            const std::string path = folder + "\\" + e.name;
            const std::string target = junk::ShortcutTarget(fs, path);
            if (junk::deadLinkTargetIsWeb(target) || junk::deadLinkPathExcluded(path))
                continue;
            if (target.empty() || fs.exists(target))
                continue;
            addRow(e.name, folder, junk::deadLinkSizeText(e.size), e.size);
        }
    }
    void store(const char* key, const std::string& path) { result.stored.push_back(key + path); }
    void ExamineFolder(const std::string& folder)
    {
        FolderPaths& p = state.paths;
        std::vector<FileEntry> entries;
        fs.list(folder, "*.*", entries);
        for (const FileEntry& e : entries) {
            const std::string& name = e.name;
            if (p.ieHistory.empty() && name.substr(0, 4) == "Hist" && contains(folder, "WINDOWS")) {
                p.ieHistory = "C:\\Windows\\" + name;
                store("hi", p.ieHistory);
            }
            if (!e.isFolder() || contains(name, "SYS") || contains(name, "Sys")) {
                if (name == "netscape.hst" || name == "history.dat" || name == "places.sqlite") {
                    p.mozHistory = folder;
                    store("ni", folder);
                }
                continue;
            }
            if ((name == "cache" || name == "Cache") && (contains(folder, "Nets") || contains(folder, "Mozi"))) {
                p.mozCache = folder + "\\" + name;
                store("nc", p.mozCache);
            }
            if (p.ieCache.empty() && name == "Temporary Internet Files") {
                p.ieCache = folder + "\\" + name;
                store("ie", p.ieCache);
            }
            if (p.recycleBin.empty() && e.attributes == (AttrDirectory | AttrHidden | AttrSystem) &&
                junk::isRecycleBinCandidateName(name)) {
                p.recycleBin = folder + "\\" + name;
                store("lx", p.recycleBin);
            }
            const std::string sub = folder + "\\" + name;
            if (!contains(sub, "Content.IE5"))
                QueueFolder(sub);
        }
    }
    void searchAll(const std::string& folder)
    {
        result.visited.push_back(folder);
        for (const junk::SearchMask& m : junk::searchMasks())
            if (state.ticked(m.pattern))
                SearchFolder(folder, m.mask);
        if (state.deadLinks)
            SearchDeadLinks(folder);
    }
};

} // namespace

ReferenceResult referenceScan(FileSystem& fs, AppState state, const std::string& root, size_t capacity)
{
    Reference r{fs, std::move(state), capacity, {}, {}};
    r.slots.resize(1);
    r.searchAll(root);
    r.ExamineFolder(root);
    while (r.FindPendingFolder()) {
        const size_t count = r.slots.size();
        for (size_t i = 0; i < count; ++i) {
            if (!r.slots[i])
                continue;
            const std::string path = *r.slots[i];
            r.searchAll(path);
            r.ExamineFolder(path);
            r.ReleaseFolder(path);
        }
    }
    r.result.paths = r.state.paths;
    return r.result;
}

} // namespace orvane::test
