#pragma once
// The shared state of the main window, the junk cleaner and the privacy cleaners. Owned by
// the main window and passed by reference to those who use it.

#include <array>
#include <cstdint>
#include <string>

namespace orvane {

// Junk pattern boxes in their search order (the order decides the order of result rows).
enum class Pattern : int {
    Tmp, Gid, Dollar3, Tilde, Dash3, Chk, Ftg, Old, TildeExt, Fts, Log, AcDollar, Swr, Xlg,
    Dmp, Caret, Underscore3, Chw, BkBang, Err, QqDollar, DollarSa, Asd, Nch, TildeEnd, Chklist,
    Count
};
constexpr int PatternCount = int(Pattern::Count); // 26 boxes: "*.Asd" stands for two masks

struct FolderPaths {
    std::string ieCache;    // IeCachePath
    std::string ieHistory;  // IeHistoryPath
    std::string ieCookies;  // IeCookiesPath
    std::string mozCache;   // MozCachePath
    std::string mozHistory; // MozHistoryPath
    std::string recycleBin; // RecycleBinPath
    std::string recent;     // RecentPath
    std::string windows;    // WindowsPath
};

struct AppState {
    std::array<bool, PatternCount> patterns{}; // ticked boxes, by Pattern
    bool deadLinks = false;                    // the hidden "D-link" box
    bool deleteFromDisk = true;                // Deletefiles1 checked; false = to the Recycle Bin

    FolderPaths paths;
    char currentDriveLetter = 'C'; // CurrentDriveLetter
    int languageIndex = 1;         // LanguageIndex, 1..8 (other values keep the texts)

    int foundCount = 0;      // FoundCount: rows listed by the last search or cleaner
    double foundBytes = 0;   // FoundBytes: their total size in bytes
    double recoveredKB = 0;  // RecoveredKB: kilobytes removed since the start

    AppState() { patterns.fill(true); }
    bool ticked(Pattern p) const { return patterns[size_t(p)]; }
};

} // namespace orvane
