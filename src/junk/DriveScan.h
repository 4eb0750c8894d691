#pragma once
// The drive scan behind the Search button: walks every folder of a drive without recursion
// through the PendingFolders slot table and lists the junk files into the results table.

#include "app/AppState.h"
#include "junk/MaskMatcher.h"
#include "junk/PendingFolders.h"
#include "junk/ResultsTable.h"
#include "platform/FileSystem.h"
#include "platform/Progress.h"

#include <functional>
#include <string>
#include <vector>

namespace orvane::junk {

struct ScanHooks {
    // StoreFolderPath: a two-letter key followed by a path, for each special folder met.
    std::function<void(const std::string&)> storeFolderPath;
    // The file counter changed ("files : " + FoundCount).
    std::function<void(int foundCount)> fileCounter;
};

struct ScanOutcome {
    int deadLinkCount = 0;        // DeadLinkCount: dead shortcuts listed
    size_t foldersSearched = 0;   // the root included
    size_t foldersRefused = 0;    // did not fit in the slot table; not searched
    size_t foldersUnreadable = 0; // could not be listed
    std::string totalText;        // SIZE cell of the total row, "" when nothing was found
};

class DriveScan {
public:
    DriveScan(FileSystem& fs, AppState& state, ResultsTable& table, Progress& progress, ScanHooks hooks = {},
              size_t slotCapacity = PendingFolders::DefaultCapacity);

    // The engine part of BB4Click for `root` ("C:", or a folder such as "Z:\home\me"):
    // counters and grid reset, root searched, then the slot table emptied pass by pass,
    // total row written. The boxes of `state` are read again for every folder.
    ScanOutcome run(const std::string& root, char decimalSeparator);

private:
    struct Mask {
        Pattern pattern;
        MaskMatcher matcher;
        bool isLog;
    };

    void visit(const std::string& folder, ScanOutcome& outcome);
    void searchFolder(const std::string& folder);
    void searchDeadLinks(const std::string& folder, ScanOutcome& outcome);
    void examineFolder(const std::string& folder, ScanOutcome& outcome);
    void store(const char* key, const std::string& path);
    bool locked(size_t entry, const std::string& path);

    FileSystem& fs_;
    AppState& state_;
    ResultsTable& table_;
    Progress& progress_;
    ScanHooks hooks_;
    PendingFolders slots_;
    std::vector<Mask> masks_;  // all masks in search order
    MaskMatcher linkMask_;
    std::vector<FileEntry> listing_;          // the current folder's entries, reused
    std::vector<std::vector<uint32_t>> hits_; // per mask: matching entries in listing order
    std::vector<signed char> lockCache_;      // per entry: -1 unknown, 0 free, 1 in use
};

// The message shown when the scan ends, in the language of `languageIndex`.
std::string scanResultMessage(int languageIndex, const std::string& totalText, int foundCount);
// Told when folders did not fit in the slot table.
std::string slotTableFullMessage(size_t refused, size_t capacity);

} // namespace orvane::junk
