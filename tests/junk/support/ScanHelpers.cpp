#include "support/ScanHelpers.h"

namespace orvane::test {

std::vector<std::string> ScanRun::rows(const AppState& state) const
{
    std::vector<std::string> out;
    for (int r = 1; r <= state.foundCount; ++r)
        out.push_back(table.cell(r, junk::NameColumn) + "|" + table.cell(r, junk::PathColumn) + "|" +
                      table.cell(r, junk::SizeColumn));
    return out;
}

std::vector<std::string> ScanRun::visited() const
{
    // The root is shown twice (before and after its search); every other folder once.
    std::vector<std::string> out;
    for (size_t i = 1; i < progress.texts.size(); ++i)
        if (!progress.texts[i].empty())
            out.push_back(progress.texts[i]);
    return out;
}

void runScan(ScanRun& run, FileSystem& fs, AppState& state, const std::string& root, size_t capacity)
{
    junk::ScanHooks hooks;
    hooks.storeFolderPath = [&run](const std::string& entry) { run.stored.push_back(entry); };
    junk::DriveScan scan(fs, state, run.table, run.progress, hooks, capacity);
    run.outcome = scan.run(root, '.');
}

} // namespace orvane::test
