#include "platform/FreedesktopTrash.h"

#include "platform/PosixFiles.h"
#include "platform/TrashInfo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {

constexpr size_t kNameMax = 255;             // bytes of one name on the file systems we meet
constexpr std::string_view kInfoSuffix = ".trashinfo";

struct Trash {
    std::string folder; // holds files/ and info/
    std::string topdir; // "" for the home trash, whose Path entries are absolute
};

std::string parentOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string joinHost(const std::string& folder, std::string_view name)
{
    std::string out = folder;
    if (out.empty() || out.back() != '/')
        out += '/';
    out += name;
    return out;
}

std::optional<std::string> realFolder(const std::string& path)
{
    char buffer[PATH_MAX];
    if (!::realpath(path.c_str(), buffer))
        return std::nullopt;
    return std::string(buffer);
}

// Device of the path, or of its nearest existing ancestor (a home trash not made yet).
std::optional<dev_t> deviceOfNearest(std::string path)
{
    for (;;) {
        struct stat st;
        if (::stat(path.c_str(), &st) == 0)
            return st.st_dev;
        if (path == "/" || path == ".")
            return std::nullopt;
        path = parentOf(path);
    }
}

// mkdir -p with private permissions for what it creates.
bool makePrivateFolders(const std::string& path)
{
    struct stat existing;
    if (::stat(path.c_str(), &existing) == 0)
        return S_ISDIR(existing.st_mode);
    for (size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/')
            continue;
        const std::string part = path.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A trash folder we may use: a folder of ours with files/ and info/. A top-folder trash must not
// be a link (anyone may plant one there); the home trash may be one, the user's own doing.
bool usableTrash(const std::string& folder, bool create, bool mayBeLink = false)
{
    if (create && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st;
    const int found = mayBeLink ? ::stat(folder.c_str(), &st) : ::lstat(folder.c_str(), &st);
    if (found != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    for (const char* sub : {"/files", "/info"}) {
        const std::string path = folder + sub;
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return false;
    }
    return true;
}

// The highest folder above `folder` that is still on `device`: the file system's top folder.
std::string topFolder(std::string folder, dev_t device)
{
    while (folder != "/") {
        const std::string up = parentOf(folder);
        struct stat st;
        if (::stat(up.c_str(), &st) != 0 || st.st_dev != device)
            break;
        folder = up;
    }
    return folder;
}

std::optional<Trash> topdirTrash(const std::string& topdir)
{
    const std::string uid = std::to_string(::geteuid());
    // An administrator's shared .Trash counts only when it is a real sticky folder.
    const std::string shared = joinHost(topdir, ".Trash");
    struct stat st;
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)
        && usableTrash(shared + "/" + uid, true))
        return Trash{shared + "/" + uid, topdir};
    const std::string own = joinHost(topdir, ".Trash-" + uid);
    if (usableTrash(own, true))
        return Trash{own, topdir};
    return std::nullopt;
}

// Shortens a name so that "<name>.<n>.trashinfo" fits, cutting at a UTF-8 character boundary.
std::string fittingName(std::string name)
{
    constexpr size_t room = kNameMax - kInfoSuffix.size() - 8;
    if (name.size() <= room)
        return name;
    size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    name.resize(cut);
    return name;
}
// Claims a name by creating info/<name>.trashinfo with O_EXCL; the name is free in files/ too.
Status claimName(const Trash& trash, const std::string& base, const std::string& infoText, std::string& name,
                 std::string& infoPath)
{
    for (unsigned n = 1; n < 1000000; ++n) {
        name = n == 1 ? base : base + "." + std::to_string(n);
        struct stat st;
        if (::lstat((trash.folder + "/files/" + name).c_str(), &st) == 0)
            continue;
        infoPath = trash.folder + "/info/" + name + std::string(kInfoSuffix);
        const int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return Status::fromErrno(errno, "Cannot write the trash information", infoPath);
        Status status = posix::writeAll(fd, infoText, infoPath);
        if (::close(fd) != 0 && status)
            status = Status::fromErrno(errno, "Cannot write the trash information", infoPath);
        if (!status)
            ::unlink(infoPath.c_str());
        return status;
    }
    return Status::failure(EEXIST, "No free name in the trash " + trash.folder + " for " + base);
}

// Bytes of disk the folder takes, as `du -B1` counts them; links are not followed.
uint64_t diskUsage(const std::string& root)
{
    uint64_t total = 0;
    std::vector<std::string> pending{root};
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        struct stat st;
        if (::lstat(folder.c_str(), &st) == 0)
            total += uint64_t(st.st_blocks) * 512;
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            continue;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            const std::string path = joinHost(folder, name);
            if (::lstat(path.c_str(), &st) != 0)
                continue;
            if (S_ISDIR(st.st_mode))
                pending.push_back(path);
            else
                total += uint64_t(st.st_blocks) * 512;
        }
        ::closedir(dir);
    }
    return total;
}

// The directorysizes cache is kept only where someone started it; it is rewritten whole and
// renamed into place, and a failure leaves the old cache (it is only a cache).
void noteFolderSize(const Trash& trash, const std::string& name, const std::string& infoPath)
{
    const std::string cache = trash.folder + "/directorysizes";
    const int in = ::open(cache.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (in < 0)
        return;
    std::string text;
    char buffer[8192];
    ssize_t n;
    while ((n = ::read(in, buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(n));
    ::close(in);
    if (n < 0)
        return;
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    struct stat st;
    if (::stat(infoPath.c_str(), &st) != 0)
        return;
    text += trashinfo::directorySizesLine(diskUsage(trash.folder + "/files/" + name), st.st_mtime, name);

    std::string temporary = cache + ".XXXXXX";
    const int out = ::mkstemp(temporary.data());
    if (out < 0)
        return;
    const bool written = posix::writeAll(out, text, temporary).ok();
    if (::close(out) != 0 || !written || ::rename(temporary.c_str(), cache.c_str()) != 0)
        ::unlink(temporary.c_str());
}

} // namespace

FreedesktopTrash::FreedesktopTrash(const Prefix& prefix, std::string homeTrashFolder)
    : prefix_(prefix), home_(homeTrashFolder.empty() ? defaultHomeTrash() : std::move(homeTrashFolder))
{
}

std::string FreedesktopTrash::defaultHomeTrash()
{
    // The XDG base-directory rules ignore a relative XDG_DATA_HOME.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return std::string(data) + "/Trash";
    std::string home;
    if (const char* env = std::getenv("HOME"); env && *env)
        home = env;
    else if (const passwd* pw = ::getpwuid(::geteuid()))
        home = pw->pw_dir;
    return home + "/.local/share/Trash";
}

Status FreedesktopTrash::recycleFile(std::string_view windowsPath)
{
    const auto host = prefix_.toHost(windowsPath);
    if (!host)
        return Status::failure(ENOENT, "Cannot recycle " + std::string(windowsPath) + ": the drive does not exist");
    return recycleHost(*host, false, windowsPath);
}

Status FreedesktopTrash::recycleFolder(std::string_view windowsPath)
{
    const auto host = prefix_.toHost(windowsPath);
    if (!host)
        return Status::failure(ENOENT, "Cannot recycle " + std::string(windowsPath) + ": the drive does not exist");
    return recycleHost(*host, true, windowsPath);
}

Status FreedesktopTrash::recycleHost(const std::string& hostPath, bool folder, std::string_view shownPath)
{
    std::string path = hostPath;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    struct stat item;
    if (::lstat(path.c_str(), &item) != 0)
        return Status::fromErrno(errno, "Cannot recycle", shownPath);
    if (folder != S_ISDIR(item.st_mode))
        return Status::fromErrno(folder ? ENOTDIR : EISDIR, "Cannot recycle", shownPath);
    const std::string name(path.substr(path.rfind('/') + 1));
    const auto parent = realFolder(parentOf(path));
    if (name.empty() || name == "." || name == ".." || !parent)
        return Status::fromErrno(EINVAL, "Cannot recycle", shownPath);
    const std::string absolute = joinHost(*parent, name);
    struct stat parentStat;
    if (::stat(parent->c_str(), &parentStat) != 0)
        return Status::fromErrno(errno, "Cannot recycle", shownPath);
    if (parentStat.st_dev != item.st_dev)
        return Status::failure(EBUSY, "Cannot recycle " + std::string(shownPath)
                                          + ": another file system is mounted there, so it was left in place");

    std::optional<Trash> trash;
    if (deviceOfNearest(home_) == item.st_dev) {
        if (!makePrivateFolders(home_) || !usableTrash(home_, false, true))
            return Status::failure(EACCES, "Cannot recycle " + std::string(shownPath) + ": the trash folder " + home_
                                               + " cannot be used, so the item was left in place");
        trash = Trash{home_, ""};
    } else {
        const std::string top = topFolder(*parent, item.st_dev);
        trash = topdirTrash(top);
        if (!trash)
            return Status::failure(EXDEV, "Cannot recycle " + std::string(shownPath)
                                              + ": no trash can be used on the file system at " + top
                                              + ", so the item was left in place");
    }

    trashinfo::TrashInfo info;
    info.path = trash->topdir.empty() ? absolute
                                      : absolute.substr(trash->topdir == "/" ? 1 : trash->topdir.size() + 1);
    info.deletionDate = trashinfo::formatDeletionDate(std::time(nullptr));
    std::string trashedName, infoPath;
    if (Status s = claimName(*trash, fittingName(name), trashinfo::format(info), trashedName, infoPath); !s)
        return s;
    if (::rename(path.c_str(), (trash->folder + "/files/" + trashedName).c_str()) != 0) {
        const int error = errno;
        ::unlink(infoPath.c_str());
        return Status::fromErrno(error, "Cannot recycle", shownPath);
    }
    if (folder)
        noteFolderSize(*trash, trashedName, infoPath);
    return Status::success();
}

std::string FreedesktopTrash::binFolder()
{
    // On Windows the bit bucket always exists; desktops create the home trash the same way.
    makePrivateFolders(home_ + "/files");
    makePrivateFolders(home_ + "/info");
    const std::string files = realFolder(home_ + "/files").value_or(home_ + "/files");
    return prefix_.toWindows(files).value_or("");
}

} // namespace orvane
