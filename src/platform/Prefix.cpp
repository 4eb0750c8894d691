#include "platform/Prefix.h"

#include "platform/PathComponents.h"
#include "platform/WinPath.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

using pathparts::joinHost;
using pathparts::normalComponents;

namespace {

using winpath::equalsNoCase;
constexpr auto lower = winpath::lowerAscii;

// The target of a dosdevices link as an absolute path: canonical when it exists, else the
// link text made absolute (the drive is then reported as having no root).
std::string resolveDriveLink(const std::string& dosdevices, const std::string& entry)
{
    const std::string linkPath = joinHost(dosdevices, entry);
    if (char* real = ::realpath(linkPath.c_str(), nullptr)) {
        std::string out(real);
        std::free(real);
        return out;
    }
    char target[PATH_MAX];
    const ssize_t n = ::readlink(linkPath.c_str(), target, sizeof target - 1);
    if (n <= 0)
        return linkPath;
    const std::string text(target, size_t(n));
    return text.front() == '/' ? text : joinHost(dosdevices, text);
}

// The on-disk spelling of `name` in the open folder `dir` (closed here) when only its case
// differs; nullopt if none. The first match in listing order wins.
std::optional<std::string> findNoCase(DIR* dir, std::string_view name)
{
    if (!dir)
        return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(dir)) {
        if (equalsNoCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// Opens `host` (whose descriptor without access rights is `pathFd`) for reading its names, as
// opendir(host) would: read permission on the folder itself is enough, and a path the kernel
// would refuse as too long fails here too.
DIR* openForNames(int pathFd, const std::string& host)
{
    if (pathFd < 0 || host.size() >= PATH_MAX)
        return nullptr;
    int fd = ::openat(pathFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) // "." needs search permission, opendir does not
        fd = ::open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR* dir = ::fdopendir(fd);
    if (!dir)
        ::close(fd);
    return dir;
}

class PathFd {
public:
    explicit PathFd(int fd) : fd_(fd) {}
    PathFd(const PathFd&) = delete;
    PathFd& operator=(const PathFd&) = delete;
    ~PathFd() { reset(-1); }
    int get() const { return fd_; }
    void reset(int fd)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

} // namespace

Prefix Prefix::open(std::string root)
{
    Prefix prefix;
    prefix.root_ = std::move(root);
    const std::string dosdevices = joinHost(prefix.root_, "dosdevices");
    DIR* dir = ::opendir(dosdevices.c_str());
    if (!dir)
        return prefix;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        // Only "a:" .. "z:" are drives; "com1", "c::" (raw devices) and the rest are not.
        if (name.size() != 2 || name[1] != ':')
            continue;
        const char letter = lower(name[0]);
        if (letter < 'a' || letter > 'z')
            continue;
        prefix.drives_[char(letter - 'a' + 'A')] = resolveDriveLink(dosdevices, std::string(name));
    }
    ::closedir(dir);
    return prefix;
}

std::string Prefix::chooseRoot(const std::string& programFolder)
{
    for (const char* variable : {"ORVANE_PREFIX", "WINEPREFIX"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return joinHost(programFolder, "prefix");
}

std::vector<char> Prefix::driveLetters() const
{
    std::vector<char> letters;
    for (const auto& [letter, folder] : drives_)
        letters.push_back(letter);
    return letters;
}

std::optional<std::string> Prefix::driveRoot(char letter) const
{
    const char upper = (letter >= 'a' && letter <= 'z') ? char(letter - 'a' + 'A') : letter;
    const auto it = drives_.find(upper);
    if (it == drives_.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> Prefix::toHost(std::string_view windowsPath) const
{
    if (windowsPath.size() < 2 || windowsPath[1] != ':')
        return std::nullopt;
    const auto root = driveRoot(windowsPath[0]);
    if (!root)
        return std::nullopt;
    const auto parts = normalComponents(windowsPath.substr(2));
    std::string host = *root;
    if (parts.empty())
        return host;

    // Fast path: the whole path exists as written (one lookup by the kernel).
    std::string exact = host;
    for (const auto part : parts)
        exact = joinHost(exact, part);
    struct stat st;
    if (::lstat(exact.c_str(), &st) == 0)
        return exact;

    // Component by component from a descriptor of the folder reached so far, so each step
    // costs one lookup whatever the depth. The outcome is that of checking every prefix path
    // with lstat and listing its parent when it is missing, including the kernel's refusal
    // of paths of PATH_MAX bytes or more.
    PathFd folder(::open(host.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    bool lookUp = true; // once a component is missing, nothing below it can exist
    for (const auto part : parts) {
        std::string next = joinHost(host, part);
        if (lookUp) {
            const std::string name(part);
            const bool exists = next.size() < PATH_MAX && folder.get() >= 0
                && ::fstatat(folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
            std::string onDisk = name;
            if (!exists) {
                if (const auto spelled = findNoCase(openForNames(folder.get(), host), part)) {
                    onDisk = *spelled;
                    next = joinHost(host, onDisk);
                } else {
                    lookUp = false;
                }
            }
            if (lookUp) {
                const int child = folder.get() < 0
                    ? -1
                    : ::openat(folder.get(), onDisk.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
                folder.reset(child);
            }
        }
        host = std::move(next);
    }
    return host;
}

std::optional<std::string> Prefix::toWindows(std::string_view hostPath) const
{
    // A host name holding a backslash has no Windows spelling.
    if (hostPath.empty() || hostPath.front() != '/' || hostPath.find('\\') != std::string_view::npos)
        return std::nullopt;
    std::string normal;
    for (const auto part : normalComponents(hostPath))
        normal = joinHost(normal, part);
    if (normal.empty())
        normal = "/";

    const std::pair<const char, std::string>* best = nullptr;
    for (const auto& drive : drives_) {
        const std::string& root = drive.second;
        const bool holds = root == "/"
            || (normal.compare(0, root.size(), root) == 0 && (normal.size() == root.size() || normal[root.size()] == '/'));
        if (holds && (!best || root.size() > best->second.size()))
            best = &drive;
    }
    if (!best)
        return std::nullopt;
    std::string out{best->first, ':'};
    const std::string_view rest = std::string_view(normal).substr(best->second == "/" ? 0 : best->second.size());
    for (const auto part : normalComponents(rest)) {
        out += '\\';
        out += part;
    }
    return out;
}

} // namespace orvane
