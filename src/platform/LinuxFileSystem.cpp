#include "platform/LinuxFileSystem.h"

#include "platform/DosAttrib.h"
#include "platform/PathComponents.h"
#include "platform/Wildcard.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace orvane {

namespace {

constexpr uint32_t kStoredBits = AttrHidden | AttrSystem;

int64_t nanoseconds(const timespec& t) { return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec; }

std::string_view baseName(std::string_view hostPath)
{
    const size_t slash = hostPath.rfind('/');
    return slash == std::string_view::npos ? hostPath : hostPath.substr(slash + 1);
}

bool isReadOnly(const struct stat& st) { return !S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR); }

// Windows attributes of an entry. `linkToFolder` tells whether a link points at a folder
// (Windows marks directory links as directories too); `storedBits` come from user.DOSATTRIB.
uint32_t attributesOf(const struct stat& st, std::string_view name, bool linkToFolder, uint32_t storedBits)
{
    uint32_t attributes = 0;
    if (S_ISLNK(st.st_mode))
        attributes |= AttrReparsePoint | (linkToFolder ? uint32_t(AttrDirectory) : 0u);
    else if (S_ISDIR(st.st_mode))
        attributes |= AttrDirectory;
    else if (S_ISREG(st.st_mode))
        attributes |= AttrArchive;
    else
        attributes |= AttrDevice;
    if (isReadOnly(st))
        attributes |= AttrReadOnly;
    if (!name.empty() && name.front() == '.')
        attributes |= AttrHidden;
    attributes |= storedBits & kStoredBits;
    return attributes ? attributes : AttrNormal;
}

FileEntry entryOf(const struct stat& st, std::string_view name, bool linkToFolder, uint32_t storedBits)
{
    FileEntry entry;
    entry.name = std::string(name);
    entry.attributes = attributesOf(st, name, linkToFolder, storedBits);
    entry.size = S_ISREG(st.st_mode) ? uint64_t(st.st_size) : 0;
    entry.lastWriteNs = nanoseconds(st.st_mtim);
    return entry;
}

// CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension: Windows (and Wine) find
// these devices in every folder, which is how "A:\nul" tells whether a drive holds a disk.
bool isDosDeviceName(std::string_view name)
{
    const std::string_view stem = name.substr(0, name.find('.'));
    const auto is = [](std::string_view text, std::string_view lowerWord) {
        if (text.size() != lowerWord.size())
            return false;
        for (size_t i = 0; i < text.size(); ++i)
            if (char(text[i] | 0x20) != lowerWord[i])
                return false;
        return true;
    };
    if (is(stem, "con") || is(stem, "prn") || is(stem, "aux") || is(stem, "nul"))
        return true;
    const bool numbered = stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9';
    return numbered && (is(stem.substr(0, 3), "com") || is(stem.substr(0, 3), "lpt"));
}

Status unknownDrive(std::string_view what, std::string_view path)
{
    return Status::failure(ENOENT, std::string(what) + " " + std::string(path) + ": no such drive");
}

// Whether another descriptor, in this or any process, has the open file `fd` open. A write
// lease is granted only to the sole opener; it is given back at once so nobody waits on it.
// Where leases are unavailable (some file systems, files of another owner without CAP_LEASE)
// a non-blocking flock stands in, which sees only other lockers.
bool heldElsewhere(int fd)
{
    // Someone opening the file during the instant we hold the lease makes the kernel signal
    // us; SIGURG is ignored by default, where the default SIGIO would end the program.
    ::fcntl(fd, F_SETSIG, SIGURG);
    if (::fcntl(fd, F_SETLEASE, F_WRLCK) == 0) {
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
        return false;
    }
    if (errno == EAGAIN || errno == EBUSY)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK || errno == EINTR;
    ::flock(fd, LOCK_UN);
    return false;
}

class LinuxFileHandle : public FileHandle {
public:
    LinuxFileHandle(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~LinuxFileHandle() override { ::close(fd_); }

    uint64_t size() const override
    {
        struct stat st;
        return ::fstat(fd_, &st) == 0 ? uint64_t(st.st_size) : 0;
    }
    Status seek(uint64_t offset) override
    {
        if (::lseek(fd_, off_t(offset), SEEK_SET) < 0)
            return Status::fromErrno(errno, "Cannot seek in", path_);
        return {};
    }
    Status write(const void* data, size_t length) override
    {
        const char* bytes = static_cast<const char*>(data);
        while (length > 0) {
            const ssize_t n = ::write(fd_, bytes, length);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return Status::fromErrno(errno, "Cannot write to", path_);
            }
            if (n == 0)
                return Status::fromErrno(EIO, "Cannot write to", path_);
            bytes += n;
            length -= size_t(n);
        }
        return {};
    }
    Status read(void* data, size_t length, size_t& got) override
    {
        got = 0;
        char* bytes = static_cast<char*>(data);
        while (got < length) {
            const ssize_t n = ::read(fd_, bytes + got, length - got);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return Status::fromErrno(errno, "Cannot read", path_);
            }
            if (n == 0)
                break;
            got += size_t(n);
        }
        return {};
    }
    Status truncate(uint64_t length) override
    {
        if (::ftruncate(fd_, off_t(length)) != 0)
            return Status::fromErrno(errno, "Cannot truncate", path_);
        return {};
    }
    Status flush() override
    {
        if (::fdatasync(fd_) != 0)
            return Status::fromErrno(errno, "Cannot flush", path_);
        return {};
    }

private:
    int fd_;
    std::string path_; // the Windows path, for messages
};

} // namespace

LinuxFileSystem::LinuxFileSystem(const Prefix& prefix) : prefix_(prefix) {}

bool LinuxFileSystem::isForeignMount(const std::string& hostPath, uint64_t device)
{
    std::lock_guard lock(mountsMutex_);
    const MountEntry* mount = mounts_.byDevice(device);
    if (!mount && !unmounted_.count(device)) {
        mounts_ = MountTable::load();
        mount = mounts_.byDevice(device);
        if (!mount)
            unmounted_.insert(device);
    }
    if (!mount)
        return false;
    return classifyMount(mount->fsType, hostPath) != MountKind::Local;
}

// The folder `folder` open for listing, or an error. The path as written is tried first: when
// it opens, it is what the translation would give (every component exists with its case), so
// the component-wise translation runs only for folders spelled in another case or missing.
int LinuxFileSystem::openFolder(std::string_view folder, std::string& host, Status& status)
{
    const auto root = prefix_.driveRoot(folder.size() >= 2 && folder[1] == ':' ? folder[0] : '\0');
    if (!root) {
        status = unknownDrive("Cannot list", folder);
        return -1;
    }
    host = *root;
    for (const auto part : pathparts::normalComponents(folder.substr(2)))
        host = pathparts::joinHost(host, part);
    int fd = ::open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        const auto translated = prefix_.toHost(folder);
        if (!translated) {
            status = unknownDrive("Cannot list", folder);
            return -1;
        }
        host = *translated;
        fd = ::open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            status = Status::fromErrno(errno, "Cannot list", folder);
    }
    return fd;
}

Status LinuxFileSystem::list(std::string_view folder, std::string_view mask, std::vector<FileEntry>& out)
{
    std::string host;
    Status opened;
    const int dirFd = openFolder(folder, host, opened);
    if (dirFd < 0)
        return opened;
    struct stat folderStat;
    if (::fstat(dirFd, &folderStat) != 0) {
        const int error = errno;
        ::close(dirFd);
        return Status::fromErrno(error, "Cannot list", folder);
    }
    DIR* dir = ::fdopendir(dirFd);
    if (!dir) {
        const int error = errno;
        ::close(dirFd);
        return Status::fromErrno(error, "Cannot list", folder);
    }

    const size_t firstNew = out.size();
    bool storedBitsReadable = true; // false once the file system says it keeps no xattrs
    bool readAtWorks = true;        // false when the kernel reads xattrs only by path
    for (;;) {
        errno = 0;
        const dirent* d = ::readdir(dir);
        if (!d)
            break;
        const std::string_view name = d->d_name;
        if (name == "." || name == ".." || name.find('\\') != std::string_view::npos)
            continue;
        if (!matchesWildcard(name, mask))
            continue;
        struct stat st;
        // AT_NO_AUTOMOUNT: listing a folder must not mount the network shares parked in it.
        if (::fstatat(dirFd, d->d_name, &st, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) != 0)
            continue; // gone since readdir
        if (S_ISDIR(st.st_mode) && st.st_dev != folderStat.st_dev
            && isForeignMount(pathparts::joinHost(host, name), st.st_dev))
            continue;
        bool linkToFolder = false;
        if (S_ISLNK(st.st_mode)) {
            struct stat target;
            linkToFolder = ::fstatat(dirFd, d->d_name, &target, AT_NO_AUTOMOUNT) == 0 && S_ISDIR(target.st_mode);
        }
        uint32_t stored = 0;
        if (storedBitsReadable && !S_ISLNK(st.st_mode)) {
            int error = 0;
            if (readAtWorks) {
                stored = dosattrib::readAt(dirFd, d->d_name, &error);
                readAtWorks = error != ENOSYS;
            }
            if (!readAtWorks)
                stored = dosattrib::read(pathparts::joinHost(host, name), &error);
            storedBitsReadable = error != ENOTSUP;
        }
        out.push_back(entryOf(st, name, linkToFolder, stored));
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        out.resize(firstNew);
        return Status::fromErrno(readError, "Cannot list", folder);
    }
    return {};
}

std::optional<FileEntry> LinuxFileSystem::stat(std::string_view path)
{
    const auto host = prefix_.toHost(path);
    struct stat st;
    if (!host || ::lstat(host->c_str(), &st) != 0)
        return std::nullopt;
    bool linkToFolder = false;
    if (S_ISLNK(st.st_mode)) {
        struct stat target;
        linkToFolder = ::stat(host->c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    }
    const uint32_t stored = S_ISLNK(st.st_mode) ? 0 : dosattrib::read(*host);
    // A drive root is named by its letter alone; its host folder's name means nothing here.
    const std::string_view name = path.size() <= 3 ? std::string_view() : baseName(*host);
    return entryOf(st, name, linkToFolder, stored);
}

std::optional<FileIdentity> LinuxFileSystem::identity(std::string_view path)
{
    const auto host = prefix_.toHost(path);
    struct stat st;
    if (!host || ::lstat(host->c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{uint64_t(st.st_dev), uint64_t(st.st_ino), S_ISREG(st.st_mode) ? uint64_t(st.st_size) : 0,
                        nanoseconds(st.st_mtim)};
}

std::optional<uint32_t> LinuxFileSystem::attributes(std::string_view path)
{
    const auto entry = stat(path);
    if (!entry)
        return std::nullopt;
    return entry->attributes;
}

Status LinuxFileSystem::setAttributes(std::string_view path, uint32_t attributes)
{
    const auto host = prefix_.toHost(path);
    if (!host)
        return unknownDrive("Cannot set the attributes of", path);
    struct stat st;
    if (::lstat(host->c_str(), &st) != 0)
        return Status::fromErrno(errno, "Cannot set the attributes of", path);
    if (S_ISLNK(st.st_mode)) {
        // Linux keeps neither modes nor user attributes on a link: only "nothing to store" works.
        if (attributes & (kStoredBits | AttrReadOnly))
            return Status::fromErrno(EPERM, "Cannot set the attributes of", path);
        return {};
    }

    // Read-only as Wine stores it: no write bit at all; clearing it gives the owner write
    // access back. Folders keep their modes (a read-only folder is only a display flag on
    // Windows, but on Linux it would stop files being created or deleted in it).
    mode_t mode = st.st_mode & 07777;
    if (!S_ISDIR(st.st_mode) && (attributes & AttrReadOnly))
        mode &= ~mode_t(0222);
    else if (!(attributes & AttrReadOnly))
        mode |= S_IWUSR;
    if (mode != (st.st_mode & 07777) && ::chmod(host->c_str(), mode) != 0)
        return Status::fromErrno(errno, "Cannot set the attributes of", path);

    // Hidden and system live in user.DOSATTRIB. A dot name is hidden whatever is stored, as
    // in Wine, which also stores the bit for such names when asked to.
    int error = 0;
    const uint32_t stored = dosattrib::read(*host, &error);
    const uint32_t wanted = (stored & ~kStoredBits) | (attributes & kStoredBits);
    if (wanted != stored || (error == ENOTSUP && (attributes & kStoredBits))) {
        if (const int failed = dosattrib::write(*host, wanted))
            return Status::fromErrno(failed, "Cannot set the hidden or system attribute of", path);
    }
    return {};
}

bool LinuxFileSystem::exists(std::string_view path)
{
    const auto host = prefix_.toHost(path);
    struct stat st;
    if (!host)
        return false;
    if (::lstat(host->c_str(), &st) == 0)
        return true;
    const std::string_view name = baseName(*host);
    if (!isDosDeviceName(name) || host->size() == name.size())
        return false;
    const std::string parent = host->substr(0, host->size() - name.size());
    return ::stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool LinuxFileSystem::isFolder(std::string_view path)
{
    const auto host = prefix_.toHost(path);
    struct stat st;
    return host && ::lstat(host->c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Status LinuxFileSystem::deleteFile(std::string_view path)
{
    const auto host = prefix_.toHost(path);
    if (!host)
        return unknownDrive("Cannot delete", path);
    struct stat st;
    if (::lstat(host->c_str(), &st) != 0)
        return Status::fromErrno(errno, "Cannot delete", path);
    if (S_ISDIR(st.st_mode))
        return Status::fromErrno(EISDIR, "Cannot delete", path);
    if (isReadOnly(st))
        return Status::failure(EACCES, "Cannot delete " + std::string(path) + ": the file is read-only");
    if (::unlink(host->c_str()) != 0)
        return Status::fromErrno(errno, "Cannot delete", path);
    return {};
}

Status LinuxFileSystem::removeFolder(std::string_view path)
{
    const auto host = prefix_.toHost(path);
    if (!host)
        return unknownDrive("Cannot remove the folder", path);
    struct stat st;
    if (::lstat(host->c_str(), &st) != 0)
        return Status::fromErrno(errno, "Cannot remove the folder", path);
    if (S_ISLNK(st.st_mode)) {
        // RemoveDirectoryA on a directory link removes the link, never what it points at.
        struct stat target;
        if (::stat(host->c_str(), &target) != 0 || !S_ISDIR(target.st_mode))
            return Status::fromErrno(ENOTDIR, "Cannot remove the folder", path);
        if (::unlink(host->c_str()) != 0)
            return Status::fromErrno(errno, "Cannot remove the folder", path);
        return {};
    }
    if (::rmdir(host->c_str()) != 0)
        return Status::fromErrno(errno, "Cannot remove the folder", path);
    return {};
}

Status LinuxFileSystem::createFolder(std::string_view path)
{
    const auto host = prefix_.toHost(path);
    if (!host)
        return unknownDrive("Cannot create the folder", path);
    if (::mkdir(host->c_str(), 0777) != 0)
        return Status::fromErrno(errno, "Cannot create the folder", path);
    return {};
}

Status LinuxFileSystem::move(std::string_view from, std::string_view to)
{
    const auto hostFrom = prefix_.toHost(from);
    const auto hostTo = prefix_.toHost(to);
    if (!hostFrom || !hostTo)
        return unknownDrive("Cannot move", hostFrom ? to : from);
    if (::renameat2(AT_FDCWD, hostFrom->c_str(), AT_FDCWD, hostTo->c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return Status::fromErrno(errno, "Cannot move", std::string(from) + " to " + std::string(to));
    // File systems without RENAME_NOREPLACE: a hard link refuses an existing target atomically.
    struct stat st;
    if (::lstat(hostFrom->c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
        if (::link(hostFrom->c_str(), hostTo->c_str()) != 0)
            return Status::fromErrno(errno, "Cannot move", std::string(from) + " to " + std::string(to));
        ::unlink(hostFrom->c_str());
        return {};
    }
    if (::lstat(hostTo->c_str(), &st) == 0)
        return Status::fromErrno(EEXIST, "Cannot move", std::string(from) + " to " + std::string(to));
    if (::rename(hostFrom->c_str(), hostTo->c_str()) != 0)
        return Status::fromErrno(errno, "Cannot move", std::string(from) + " to " + std::string(to));
    return {};
}

std::unique_ptr<FileHandle> LinuxFileSystem::openExclusive(std::string_view path, bool writeThrough, Status& status)
{
    status = {};
    const auto host = prefix_.toHost(path);
    if (!host) {
        status = unknownDrive("Cannot open", path);
        return nullptr;
    }
    struct stat st;
    if (::lstat(host->c_str(), &st) != 0) {
        status = Status::fromErrno(errno, "Cannot open", path);
        return nullptr;
    }
    // Only regular files: opening a device or a fifo can have effects of its own.
    if (!S_ISREG(st.st_mode)) {
        status = Status::fromErrno(S_ISDIR(st.st_mode) ? EISDIR : EINVAL, "Cannot open", path);
        return nullptr;
    }
    // Root could open it, Windows refuses write access to a read-only file for everyone.
    if (isReadOnly(st)) {
        status = Status::failure(EACCES, "Cannot open " + std::string(path) + ": the file is read-only");
        return nullptr;
    }
    const int flags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (writeThrough ? O_DSYNC : 0);
    const int fd = ::open(host->c_str(), flags);
    if (fd < 0) {
        status = Status::fromErrno(errno, "Cannot open", path);
        return nullptr;
    }
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) {
        ::close(fd);
        status = Status::fromErrno(ESTALE, "Cannot open", path);
        return nullptr;
    }
    if (heldElsewhere(fd)) {
        ::close(fd);
        status = Status::failure(EBUSY, "Cannot open " + std::string(path) + ": the file is in use");
        return nullptr;
    }
    // Held for the handle's life so that cooperating lockers (our other processes) stay out.
    ::flock(fd, LOCK_EX | LOCK_NB);
    // Blocking writes from here on.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<LinuxFileHandle>(fd, std::string(path));
}

bool LinuxFileSystem::isFileLocked(std::string_view path)
{
    const auto host = prefix_.toHost(path);
    struct stat st;
    if (!host || ::lstat(host->c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (isReadOnly(st))
        return true;
    // O_NONBLOCK: a file under someone else's lease fails at once instead of waiting for it.
    const int fd = ::open(host->c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno != ENOENT; // vanished since the test: not in use
    const bool held = heldElsewhere(fd);
    ::close(fd);
    return held;
}

std::optional<std::string> LinuxFileSystem::hostPath(std::string_view path)
{
    return prefix_.toHost(path);
}

size_t LinuxFileSystem::maxNameLength(std::string_view path)
{
    auto host = prefix_.toHost(path);
    if (!host)
        return 255;
    // The nearest existing folder decides: a file not created yet is named on its parent's volume.
    for (;;) {
        struct statfs fs;
        if (::statfs(host->c_str(), &fs) == 0)
            return fs.f_namelen > 0 ? size_t(fs.f_namelen) : 255;
        const size_t slash = host->rfind('/');
        if (slash == std::string::npos || slash == 0)
            return 255;
        host->resize(slash);
    }
}

} // namespace orvane
