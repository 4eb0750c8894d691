#include "junk/DriveScan.h"

#include "junk/FolderTests.h"
#include "junk/JunkPatterns.h"
#include "junk/ShortcutTarget.h"
#include "junk/SizeFormat.h"

namespace orvane::junk {

namespace {

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

std::string childPath(const std::string& folder, const std::string& name)
{
    std::string out;
    out.reserve(folder.size() + 1 + name.size());
    out += folder;
    out += '\\';
    out += name;
    return out;
}

} // namespace

DriveScan::DriveScan(FileSystem& fs, AppState& state, ResultsTable& table, Progress& progress, ScanHooks hooks,
                     size_t slotCapacity)
    : fs_(fs), state_(state), table_(table), progress_(progress), hooks_(std::move(hooks)), slots_(slotCapacity),
      linkMask_(DeadLinkMask)
{
    for (const SearchMask& m : searchMasks())
        masks_.push_back({m.pattern, MaskMatcher(m.mask), m.mask == "*.LOG"});
    hits_.resize(masks_.size());
}

ScanOutcome DriveScan::run(const std::string& root, char decimalSeparator)
{
    ScanOutcome outcome;
    table_.ClearResultsGrid();
    state_.foundCount = 0;
    state_.foundBytes = 0;
    slots_.reset();
    progress_.status(root);

    visit(root, outcome);
    while (slots_.anyPending()) {
        const size_t passEnd = slots_.count();
        for (size_t slot = 1; slot <= passEnd; ++slot) {
            if (!slots_.holds(slot))
                continue;
            const std::string folder = slots_.path(slot);
            visit(folder, outcome);
            slots_.release(slot);
        }
    }

    progress_.status("");
    progress_.pump();
    outcome.totalText = table_.writeTotalRow(state_, decimalSeparator);
    slots_.reset();
    return outcome;
}

void DriveScan::visit(const std::string& folder, ScanOutcome& outcome)
{
    ++outcome.foldersSearched;
    listing_.clear();
    if (!fs_.list(folder, "*.*", listing_).ok()) {
        listing_.clear();
        ++outcome.foldersUnreadable;
    }
    searchFolder(folder);
    if (state_.deadLinks)
        searchDeadLinks(folder, outcome);
    progress_.status(folder);
    progress_.pump();
    examineFolder(folder, outcome);
}

bool DriveScan::locked(size_t entry, const std::string& path)
{
    if (lockCache_[entry] < 0)
        lockCache_[entry] = fs_.isFileLocked(path) ? 1 : 0;
    return lockCache_[entry] == 1;
}

void DriveScan::searchFolder(const std::string& folder)
{
    if (skippedByPatternSearch(folder, state_.paths.recycleBin))
        return;
    const bool skipLogs = skippedForLogs(folder);
    bool any = false;
    for (size_t m = 0; m < masks_.size(); ++m) {
        hits_[m].clear();
        any = any || state_.ticked(masks_[m].pattern);
    }
    if (!any)
        return;
    // One pass over the listing against every ticked mask; rows then go out mask by mask.
    for (size_t i = 0; i < listing_.size(); ++i) {
        const FileEntry& e = listing_[i];
        if (e.attributes & AttrDirectory || isProtectedName(e.name))
            continue;
        for (size_t m = 0; m < masks_.size(); ++m)
            if (state_.ticked(masks_[m].pattern) && !(masks_[m].isLog && skipLogs) && masks_[m].matcher.matches(e.name))
                hits_[m].push_back(uint32_t(i));
    }
    lockCache_.assign(listing_.size(), -1);
    for (size_t m = 0; m < masks_.size(); ++m) {
        for (uint32_t i : hits_[m]) {
            const FileEntry& e = listing_[i];
            const std::string path = childPath(folder, e.name);
            if (locked(i, path))
                continue;
            table_.addFoundRow(state_, e.name, folder, junkFileSizeText(e.size), e.size, fs_.identity(path));
            if (hooks_.fileCounter)
                hooks_.fileCounter(state_.foundCount);
        }
    }
}

void DriveScan::searchDeadLinks(const std::string& folder, ScanOutcome& outcome)
{
    if (skippedByDeadLinkSearch(folder, state_.paths.recycleBin))
        return;
    for (const FileEntry& e : listing_) {
        if (e.attributes & AttrDirectory || !linkMask_.matches(e.name))
            continue;
        const std::string path = childPath(folder, e.name);
        if (deadLinkPathExcluded(path))
            continue;
        const std::string target = ShortcutTarget(fs_, path);
        if (target.empty() || deadLinkTargetIsWeb(target) || fs_.exists(target))
            continue;
        table_.addFoundRow(state_, e.name, folder, deadLinkSizeText(e.size), e.size, fs_.identity(path));
        ++outcome.deadLinkCount;
    }
}

void DriveScan::store(const char* key, const std::string& path)
{
    if (hooks_.storeFolderPath)
        hooks_.storeFolderPath(key + path);
}

void DriveScan::examineFolder(const std::string& folder, ScanOutcome& outcome)
{
    FolderPaths& paths = state_.paths;
    for (const FileEntry& e : listing_) {
        const std::string& name = e.name;
        if (paths.ieHistory.empty() && name.compare(0, 4, "Hist") == 0 && contains(folder, "WINDOWS")) {
            paths.ieHistory = "C:\\Windows\\" + name;
            store("hi", paths.ieHistory);
        }
        if (!e.isFolder() || nameBarsEntry(name)) {
            if (name == "netscape.hst" || name == "history.dat" || name == "places.sqlite") {
                paths.mozHistory = folder;
                store("ni", paths.mozHistory);
            }
            continue;
        }
        if ((name == "cache" || name == "Cache") && (contains(folder, "Nets") || contains(folder, "Mozi"))) {
            paths.mozCache = childPath(folder, name);
            store("nc", paths.mozCache);
        }
        if (paths.ieCache.empty() && name == "Temporary Internet Files") {
            paths.ieCache = childPath(folder, name);
            store("ie", paths.ieCache);
        }
        if (paths.recycleBin.empty() && e.attributes == (AttrDirectory | AttrHidden | AttrSystem) &&
            isRecycleBinCandidateName(name)) {
            paths.recycleBin = childPath(folder, name);
            store("lx", paths.recycleBin);
        }
        std::string sub = childPath(folder, name);
        if (!contains(sub, "Content.IE5") && slots_.queue(std::move(sub)) == 0)
            ++outcome.foldersRefused;
    }
}

std::string slotTableFullMessage(size_t refused, size_t capacity)
{
    return "The folder table is full (" + std::to_string(capacity) + " folders waiting at once): " +
           std::to_string(refused) + " folders and everything below them were not searched.";
}

} // namespace orvane::junk
