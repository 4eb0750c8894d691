// orvane-cli junk: the junk scan without a window, one tab-separated line per listed file.

#include "app/Settings.h"
#include "cli/Commands.h"
#include "junk/DriveScan.h"
#include "junk/JunkDeletion.h"
#include "junk/JunkPatterns.h"
#include "junk/SizeFormat.h"
#include "platform/FreedesktopTrash.h"
#include "platform/LinuxFileSystem.h"
#include "platform/OwnPrefix.h"
#include "platform/Prefix.h"
#include "platform/ProgramFolder.h"

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orvane::cli {

namespace {

int junkUsage()
{
    std::fputs("usage: orvane-cli junk <drive letter or host folder> [--all] [--delete|--trash]\n"
               "  Lists the junk files of a drive (\"C\", \"C:\") or of a host folder below a drive,\n"
               "  with the pattern boxes of config.TXT, or every pattern with --all.\n"
               "  --delete removes the listed files from the disk, --trash moves them to the Trash.\n",
               stderr);
    return 2;
}

// Messages of the settings file go to the terminal.
class TerminalDialogs : public Dialogs {
public:
    void message(const std::string&, const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void warning(const std::string&, const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void error(const std::string&, const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool confirm(const std::string&, const std::string&) override { return false; }
    std::vector<std::string> openFiles(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

// "C", "c:", "C:\" -> "C:"; a host folder -> its Windows path; nullopt otherwise.
std::optional<std::string> scanRoot(const std::string& arg, const Prefix& prefix)
{
    const bool letter = (arg.size() == 1 || (arg.size() == 2 && arg[1] == ':') ||
                         (arg.size() == 3 && arg[1] == ':' && arg[2] == '\\')) &&
                        std::isalpha(static_cast<unsigned char>(arg[0]));
    if (letter) {
        const char drive = char(std::toupper(static_cast<unsigned char>(arg[0])));
        if (!prefix.driveRoot(drive))
            return std::nullopt;
        return std::string(1, drive) + ":";
    }
    std::error_code error;
    const auto host = std::filesystem::canonical(arg, error);
    if (error || !std::filesystem::is_directory(host, error))
        return std::nullopt;
    auto windows = prefix.toWindows(host.string());
    if (windows && windows->size() > 2 && windows->back() == '\\')
        windows->pop_back();
    return windows;
}

} // namespace

int junkCommand(const std::vector<std::string>& args)
{
    std::setlocale(LC_NUMERIC, "");
    std::string target;
    bool all = false, remove = false, trash = false;
    for (const std::string& a : args) {
        if (a == "--all")
            all = true;
        else if (a == "--delete")
            remove = true;
        else if (a == "--trash")
            trash = true;
        else if (!a.empty() && a[0] == '-')
            return junkUsage();
        else if (target.empty())
            target = a;
        else
            return junkUsage();
    }
    if (target.empty() || (remove && trash))
        return junkUsage();

    const ProgramFolder folder = ProgramFolder::locate();
    folder.seed(ProgramFolder::shippedDataFolder());
    const std::string root = Prefix::chooseRoot(folder.path());
    if (root == folder.path() + "/prefix")
        createOwnPrefix(root, prefixUserName());
    const Prefix prefix = Prefix::open(root);
    const auto scanFrom = scanRoot(target, prefix);
    if (!scanFrom) {
        std::fprintf(stderr, "orvane-cli: %s is neither a drive of the prefix %s nor a folder on one of its drives\n",
                     target.c_str(), root.c_str());
        return junkUsage();
    }

    AppState state;
    state.currentDriveLetter = (*scanFrom)[0];
    TerminalDialogs dialogs;
    Settings settings(folder.file("config.TXT"), dialogs);
    const bool haveSettings = settings.read().ok();
    if (haveSettings)
        settings.LoadSettings(state);
    if (all)
        junk::CheckAllPatterns(state);

    LinuxFileSystem fs(prefix);
    junk::ResultsTable table;
    NullProgress progress;
    junk::ScanHooks hooks;
    if (haveSettings)
        hooks.storeFolderPath = [&settings](const std::string& entry) { settings.StoreFolderPath(entry); };
    junk::DriveScan scan(fs, state, table, progress, hooks);
    const char separator = junk::localeDecimalSeparator();
    const junk::ScanOutcome outcome = scan.run(*scanFrom, separator);
    if (outcome.foldersRefused)
        std::fprintf(stderr, "%s\n",
                     junk::slotTableFullMessage(outcome.foldersRefused, junk::PendingFolders::DefaultCapacity).c_str());

    // Rows are printed before a deletion clears them; a deletion marks each with its fate.
    struct Line {
        std::string name, path, size, status;
    };
    std::vector<Line> lines;
    for (int r = 1; r <= state.foundCount; ++r)
        lines.push_back({table.cell(r, junk::NameColumn), table.cell(r, junk::PathColumn),
                         table.cell(r, junk::SizeColumn), table.cell(r, junk::DeleteColumn)});
    const std::string total = outcome.totalText;
    const int found = state.foundCount;
    int status = 0;
    if (remove || trash) {
        state.deleteFromDisk = remove;
        FreedesktopTrash bin(prefix, "");
        const junk::DeletionOutcome out = junk::deleteMarkedRows(fs, bin, state, table, progress);
        for (size_t i = 0; i < lines.size() && i < out.fates.size(); ++i) {
            const std::string& fate = out.fates[i];
            if (fate == "removed")
                lines[i].status = remove ? "deleted" : "trashed";
            else if (fate == "listed twice" || fate == "kept")
                lines[i].status = fate;
            else
                lines[i].status = "not removed: " + fate;
        }
        if (!out.notRemoved.empty()) {
            std::fprintf(stderr, "%s\n", junk::notRemovedReport(out).c_str());
            status = 1;
        }
    }
    for (const Line& l : lines)
        std::printf("%s\t%s\t%s\t%s\n", l.name.c_str(), l.path.c_str(), l.size.c_str(), l.status.c_str());
    std::printf("Total space :\t%d files\t%s\t\n", found, total.empty() ? "0 KB" : total.c_str());
    return status;
}

} // namespace orvane::cli
