// Emptying every trash of the user (SHEmptyRecycleBinA with no root: all drives).

#include "platform/FreedesktopTrash.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {

bool isRealFolder(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> namesIn(int folderFd)
{
    std::vector<std::string> names;
    const int copy = ::dup(folderFd);
    DIR* dir = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (!dir) {
        if (copy >= 0)
            ::close(copy);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

} // namespace

Status removeFolderContents(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Status::success() : Status::fromErrno(errno, "Cannot empty", folder);
    struct stat rootStat;
    ::fstat(fd, &rootStat);

    // One frame per open level: the names read from it and how far we got. Only the deepest
    // level is open; going up re-opens ".." and checks it is still the folder we came from.
    struct Frame {
        std::string name; // in the parent frame's folder
        std::vector<std::string> names;
        size_t next = 0;
        dev_t device;
        ino_t inode;
    };
    std::vector<Frame> stack;
    stack.push_back({"", namesIn(fd), 0, rootStat.st_dev, rootStat.st_ino});
    Status first;
    auto note = [&first, &folder](int error, std::string_view name) {
        if (first)
            first = Status::fromErrno(error, "Cannot remove", folder + "/.../" + std::string(name));
    };

    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.names.size()) {
            const std::string name = top.names[top.next++];
            struct stat st;
            if (::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno != ENOENT)
                    note(errno, name);
                continue;
            }
            if (!S_ISDIR(st.st_mode)) {
                if (::unlinkat(fd, name.c_str(), 0) != 0 && errno != ENOENT)
                    note(errno, name);
                continue;
            }
            if (st.st_dev != top.device) {
                note(EXDEV, name); // a mount point: another file system is not ours to empty
                continue;
            }
            // Our own read-only folders would keep their entries: open them up first.
            if ((st.st_mode & S_IRWXU) != S_IRWXU && st.st_uid == ::geteuid())
                ::fchmodat(fd, name.c_str(), (st.st_mode & 07777) | S_IRWXU, 0);
            const int child = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            struct stat childStat;
            if (child < 0 || ::fstat(child, &childStat) != 0 || childStat.st_ino != st.st_ino
                || childStat.st_dev != st.st_dev) {
                note(child < 0 ? errno : EAGAIN, name);
                if (child >= 0)
                    ::close(child);
                continue;
            }
            ::close(fd);
            fd = child;
            stack.push_back({name, namesIn(fd), 0, childStat.st_dev, childStat.st_ino});
            continue;
        }
        if (stack.size() == 1)
            break;
        const std::string name = top.name;
        const int parent = ::openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        stack.pop_back();
        struct stat parentStat;
        if (parent < 0 || ::fstat(parent, &parentStat) != 0 || parentStat.st_dev != stack.back().device
            || parentStat.st_ino != stack.back().inode) {
            if (parent >= 0)
                ::close(parent);
            return Status::failure(EAGAIN, "Cannot empty " + folder + ": a folder inside it was moved meanwhile");
        }
        fd = parent;
        if (::unlinkat(fd, name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT)
            note(errno, name);
    }
    ::close(fd);
    return first;
}

std::vector<std::string> FreedesktopTrash::existingTrashes() const
{
    std::vector<std::string> trashes;
    std::set<std::pair<dev_t, ino_t>> seen;
    auto add = [&](const std::string& path, bool mayBeLink) {
        struct stat st;
        if ((mayBeLink ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0 || !S_ISDIR(st.st_mode)
            || st.st_uid != ::geteuid())
            return;
        if (seen.insert({st.st_dev, st.st_ino}).second)
            trashes.push_back(path);
    };
    add(home_, true);
    const std::string uid = std::to_string(::geteuid());
    const MountTable mounts = mounts_ ? *mounts_ : MountTable::load();
    for (const MountEntry& mount : mounts.entries()) {
        // Network shares may hang, and looking into an automounter's folders mounts them; a
        // tmpfs is real storage wherever it is mounted.
        const MountKind kind = classifyMount(mount.fsType, mount.mountPoint);
        if (kind == MountKind::Network || (kind == MountKind::Pseudo && mount.fsType != "tmpfs"))
            continue;
        const std::string top = mount.mountPoint == "/" ? "" : mount.mountPoint;
        if (isRealFolder(top + "/.Trash"))
            add(top + "/.Trash/" + uid, false);
        add(top + "/.Trash-" + uid, false);
    }
    return trashes;
}

Status FreedesktopTrash::emptyAll()
{
    Status first;
    for (const std::string& trash : existingTrashes()) {
        for (const char* sub : {"/files", "/info"}) {
            if (!isRealFolder(trash + sub))
                continue;
            Status s = removeFolderContents(trash + sub);
            if (!s && first)
                first = std::move(s);
        }
        // Sizes of folders that are gone would mislead whoever reads the cache.
        const std::string cache = trash + "/directorysizes";
        if (isRealFolder(trash + "/files") && ::truncate(cache.c_str(), 0) != 0 && errno != ENOENT && first)
            first = Status::fromErrno(errno, "Cannot clear", cache);
    }
    return first;
}

} // namespace orvane
