#include "junk/JunkDeletion.h"

#include "junk/SizeFormat.h"

#include <unordered_set>

namespace orvane::junk {

std::string deletingFileStatus(const std::string& name)
{
    return "Deleting junk file: " + name + " - please wait(can take some minutes).";
}

namespace {

// Removes one listed file; "" when it is gone, else the reason it is not.
std::string removeListedFile(FileSystem& fs, RecycleBin& bin, const AppState& state, const std::string& path,
                             const ResultRow& row)
{
    if (row.identity) {
        const auto now = fs.identity(path);
        if (!now)
            return "it no longer exists";
        if (!(*now == *row.identity))
            return "it changed since the search";
    } else if (!fs.exists(path)) {
        return "it no longer exists";
    }
    const Status status = state.deleteFromDisk ? fs.deleteFile(path) : bin.recycleFile(path);
    if (!status.ok())
        return status.message.empty() ? "it could not be removed" : status.message;
    if (fs.exists(path))
        return "it is still there";
    return "";
}

} // namespace

DeletionOutcome deleteMarkedRows(FileSystem& fs, RecycleBin& bin, AppState& state, ResultsTable& table,
                                 Progress& progress)
{
    DeletionOutcome outcome;
    std::unordered_set<std::string> removedPaths;
    for (int r = 1; r <= state.foundCount && r < table.rowCount(); ++r) {
        if (table.cell(r, PathColumn) == "C:")
            table.setCell(r, PathColumn, "C:\\");
        if (table.cell(r, DeleteColumn).compare(0, 3, "Yes") != 0) {
            outcome.fates.push_back("kept");
            continue;
        }
        const std::string& name = table.cell(r, NameColumn);
        double kb = 0;
        if (!sizeCellKilobytes(table.cell(r, SizeColumn), kb)) {
            outcome.conversionError = "'" + table.cell(r, SizeColumn) + "' is not a valid size";
            return outcome;
        }
        const std::string path = table.cell(r, PathColumn) + name;
        if (removedPaths.count(path)) {
            outcome.fates.push_back("listed twice");
            continue;
        }
        const std::string reason = removeListedFile(fs, bin, state, path, table.row(r));
        progress.status(deletingFileStatus(name));
        progress.pump();
        if (!reason.empty()) {
            outcome.notRemoved.push_back({path, reason});
            outcome.fates.push_back(reason);
            continue;
        }
        removedPaths.insert(path);
        outcome.fates.push_back("removed");
        ++outcome.removed;
        outcome.recoveredKB += kb;
        state.recoveredKB += kb;
    }
    table.ClearResultsGrid();
    return outcome;
}

std::string notRemovedReport(const DeletionOutcome& outcome, size_t maxLines)
{
    if (outcome.notRemoved.empty())
        return "";
    const size_t n = outcome.notRemoved.size();
    std::string text = std::to_string(n) + (n == 1 ? " file could not be removed:" : " files could not be removed:");
    for (size_t i = 0; i < n && i < maxLines; ++i)
        text += "\n" + outcome.notRemoved[i].path + " — " + outcome.notRemoved[i].reason;
    if (n > maxLines)
        text += "\n…";
    return text;
}

} // namespace orvane::junk
