#pragma once
// The Recycle Bin as the freedesktop.org Trash (version 1.0): the home trash for files on its
// file system, `$topdir/.Trash/$uid` or `$topdir/.Trash-$uid` for files elsewhere. Items are
// moved with rename() only: what no trash can take stays where it is and the call fails.

#include "platform/MountTable.h"
#include "platform/Prefix.h"
#include "platform/RecycleBin.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

class FreedesktopTrash : public RecycleBin {
public:
    // `homeTrashFolder` "" = $XDG_DATA_HOME/Trash, else ~/.local/share/Trash. The prefix must
    // outlive the trash.
    FreedesktopTrash(const Prefix& prefix, std::string homeTrashFolder);

    Status recycleFile(std::string_view windowsPath) override;
    Status recycleFolder(std::string_view windowsPath) override;
    Status emptyAll() override;
    std::string binFolder() override;

    const std::string& homeTrash() const { return home_; }
    static std::string defaultHomeTrash();
    // Every trash of this user that exists now: the home trash, then the top-folder trashes of
    // the mounted local file systems.
    std::vector<std::string> existingTrashes() const;

    // The mounts whose top-folder trashes emptyAll() visits; the live table when never set.
    void useMountTable(MountTable mounts) { mounts_ = std::move(mounts); }

    // Recycles by host path; `folder` says which kind the caller expects.
    Status recycleHost(const std::string& hostPath, bool folder, std::string_view shownPath);

private:
    const Prefix& prefix_;
    std::string home_;
    std::optional<MountTable> mounts_;
};

// Removes everything inside `folder` (kept itself) without following links or entering other
// file systems, without recursion and with one folder open at a time, so any depth works.
Status removeFolderContents(const std::string& folder);

} // namespace orvane
