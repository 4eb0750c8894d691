#include "platform/OwnPrefix.h"

#include "platform/PosixFiles.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {

using posix::makeFolders;

// The Windows 7 folders every cleaner expects, relative to drive_c; "<user>" is the profile.
constexpr const char* kFolders[] = {
    "Windows/Temp",
    "Windows/System32",
    "Windows/Fonts",
    "Program Files",
    "ProgramData",
    "Users/Public",
    "Users/<user>/Desktop",
    "Users/<user>/Documents",
    "Users/<user>/Favorites",
    "Users/<user>/AppData/Local/Temp",
    "Users/<user>/AppData/Local/Microsoft/Windows/Temporary Internet Files",
    "Users/<user>/AppData/Local/Microsoft/Windows/History",
    "Users/<user>/AppData/Roaming/Microsoft/Windows/Cookies",
    "Users/<user>/AppData/Roaming/Microsoft/Windows/Recent",
    "Users/<user>/AppData/Roaming/Microsoft/Windows/SendTo",
    "Users/<user>/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Startup",
};
// A drive link the user may have pointed elsewhere is theirs to keep.
Status makeDriveLink(const std::string& link, const char* target)
{
    if (::symlink(target, link.c_str()) == 0)
        return Status::success();
    struct stat st;
    if (errno == EEXIST && ::lstat(link.c_str(), &st) == 0)
        return Status::success();
    return Status::fromErrno(errno, "Cannot create the drive link", link);
}

Status writeIfAbsent(const std::string& path, const std::string& content)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno == EEXIST ? Status::success() : Status::fromErrno(errno, "Cannot create", path);
    const ssize_t n = ::write(fd, content.data(), content.size());
    const int error = n < 0 ? errno : EIO;
    ::close(fd);
    if (n != ssize_t(content.size())) {
        ::unlink(path.c_str());
        return Status::fromErrno(error, "Cannot write", path);
    }
    return Status::success();
}

std::string safeUserName(std::string name)
{
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':')
            c = '_';
    if (name.empty() || name == "." || name == "..")
        return "user";
    return name;
}

} // namespace

std::string prefixUserName()
{
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name && *pw->pw_name)
        return safeUserName(pw->pw_name);
    if (const char* user = std::getenv("USER"))
        return safeUserName(user);
    return "user";
}

Status createOwnPrefix(const std::string& root, const std::string& user)
{
    if (Status s = makeFolders(root + "/dosdevices"); !s)
        return s;
    if (Status s = makeFolders(root + "/drive_c"); !s)
        return s;
    if (Status s = makeDriveLink(root + "/dosdevices/c:", "../drive_c"); !s)
        return s;
    if (Status s = makeDriveLink(root + "/dosdevices/z:", "/"); !s)
        return s;

    const std::string profile = safeUserName(user);
    for (std::string relative : kFolders) {
        if (const size_t at = relative.find("<user>"); at != std::string::npos)
            relative.replace(at, 6, profile);
        if (Status s = makeFolders(root + "/drive_c/" + relative); !s)
            return s;
    }
    // Keeps a Wine started on this prefix from rewriting it.
    return writeIfAbsent(root + "/.update-timestamp", "disable");
}

} // namespace orvane
