// Folder trees: depth first with an explicit stack, so the depth of a tree never reaches the
// call stack.
#include "shredder/TSWipe.h"

#include "platform/WinPath.h"

#include <vector>

namespace orvane {
namespace {

struct Frame {
    std::string folder;             // full path of the folder being emptied
    std::vector<FileEntry> entries; // its listing, taken once when it was entered
    size_t next = 0;                // the next entry to handle
};

} // namespace

bool TSWipe::WipeFolder(std::string_view path)
{
    folderFailure_.clear();
    std::string root(path);
    if (!root.empty() && root.back() == '\\' && root.size() > 3)
        root.pop_back();

    const auto fail = [&](std::string text) {
        folderFailure_ = std::move(text);
        return false;
    };
    const auto rootEntry = files_.stat(root);
    if (!rootEntry || !rootEntry->isFolder())
        return fail(root + " is not a folder" + (rootEntry && rootEntry->isLink() ? " (a symbolic link)" : ""));
    const auto rootIdentity = files_.identity(root);

    std::vector<Frame> stack;
    const auto enter = [&](std::string folder) {
        Frame frame{std::move(folder), {}, 0};
        if (Status s = files_.list(frame.folder, "*.*", frame.entries); !s)
            return fail("Cannot list the folder " + frame.folder + ": " + s.message);
        stack.push_back(std::move(frame));
        return true;
    };
    if (!enter(root))
        return false;

    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.entries.size()) {
            const FileEntry& entry = top.entries[top.next++];
            const std::string child = winpath::join(top.folder, entry.name);
            if (entry.isLink()) {
                // Removed as a link; what it points to is outside this tree's business.
                if (Status s = files_.deleteFile(child); !s)
                    return fail("Cannot remove the link " + child + ": " + s.message);
            } else if (entry.isDevice()) {
                // A pipe, socket or device node holds no data to overwrite: only its name goes.
                if (Status s = files_.deleteFile(child); !s)
                    return fail("Cannot remove " + child + ": " + s.message);
            } else if (entry.isFolder()) {
                const auto id = files_.identity(child);
                if (rootIdentity && id && id->device != rootIdentity->device)
                    return fail(child + " is another file system mounted in the tree; it was not shredded");
                if (!enter(child))
                    return false;
            } else {
                WipeFile(child);
            }
            continue;
        }
        if (Status s = files_.removeFolder(top.folder); !s)
            return fail("Cannot remove the folder " + top.folder + ": " + s.message);
        stack.pop_back();
    }
    return true;
}

} // namespace orvane
