#pragma once
// config.TXT: the user's pattern boxes, delete mode and browser / Recycle Bin folder paths.
// The file's lines are kept in memory while the program runs; every save writes them all back.
// Line 1 is never read or changed; key lines are recognised by their first three bytes.

#include "app/AppState.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class Settings {
public:
    // `hostPath` is the full path of config.TXT; save errors are shown through `dialogs`.
    Settings(std::string hostPath, Dialogs& dialogs);

    // Reads the file into the list. On failure the list stays empty and the error is returned
    // (the caller shows it). An existing file that could not be read is never overwritten.
    Status read();

    // Applies every key line to `state` (boxes, delete mode, folder paths of
    // state.currentDriveLetter), later lines winning, then saves.
    void LoadSettings(AppState& state);
    // Rewrites each existing check-box and delete-mode line from `state` and saves the list.
    // Never adds a line. A failed save is shown; the list keeps the new values.
    Status SaveSettings(const AppState& state);
    // `entry` is a two-letter folder key followed by a path ("ieD:\Cache"). Replaces the line
    // with the same first three bytes, or appends the entry, and saves.
    Status StoreFolderPath(std::string_view entry);

    const std::vector<std::string>& lines() const { return lines_; }
    const std::string& path() const { return path_; }

private:
    Status save();

    std::string path_;
    Dialogs& dialogs_;
    std::vector<std::string> lines_;
    bool writable_ = true; // false after a read error on a file that exists
};

// Handler of both delete-mode menu items: switches the mode, whichever item was chosen, and saves.
void Deletefiles1Click(AppState& state, Settings& settings);

} // namespace orvane
