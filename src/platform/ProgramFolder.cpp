#include "platform/ProgramFolder.h"

#include "platform/PosixFiles.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#ifndef ORVANE_SOURCE_DATA_DIR
#define ORVANE_SOURCE_DATA_DIR ""
#endif

namespace orvane {

namespace {

using posix::makeFolders;
using posix::writeAll;

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string homeFolder()
{
    std::string home = environment("HOME");
    if (home.empty())
        if (const passwd* pw = ::getpwuid(::getuid()))
            home = pw->pw_dir;
    return home;
}

bool isFolder(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string executableFolder()
{
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0 || size_t(n) >= buffer.size())
        return {};
    buffer.resize(size_t(n));
    const size_t slash = buffer.rfind('/');
    return slash == std::string::npos ? std::string() : buffer.substr(0, slash);
}
Status readAll(const std::string& path, std::string& out, mode_t& mode)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return Status::fromErrno(errno, "Cannot read", path);
    struct stat st;
    if (::fstat(fd, &st) == 0)
        mode = st.st_mode & 0777;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return Status::fromErrno(error, "Cannot read", path);
        }
        if (n == 0)
            break;
        out.append(buffer, size_t(n));
    }
    ::close(fd);
    return Status::success();
}

// Copies `from` to `to` unless `to` exists. The copy appears whole or not at all: it is written
// under a temporary name and linked into place, and link() never replaces an existing name.
Status copyIfAbsent(const std::string& from, const std::string& to)
{
    struct stat st;
    if (::lstat(to.c_str(), &st) == 0)
        return Status::success();
    std::string content;
    mode_t mode = 0644;
    if (Status s = readAll(from, content, mode); !s)
        return s;
    std::string temporary = to + ".seed-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return Status::fromErrno(errno, "Cannot create", to);
    Status status = writeAll(fd, content, to);
    if (status && ::fchmod(fd, mode | 0600) != 0)
        status = Status::fromErrno(errno, "Cannot set the permissions of", to);
    if (::close(fd) != 0 && status)
        status = Status::fromErrno(errno, "Cannot write", to);
    if (status && ::link(temporary.c_str(), to.c_str()) != 0 && errno != EEXIST)
        status = Status::fromErrno(errno, "Cannot create", to);
    ::unlink(temporary.c_str());
    return status;
}

} // namespace

ProgramFolder ProgramFolder::locate()
{
    if (std::string home = environment("ORVANE_HOME"); !home.empty())
        return ProgramFolder(home);
    // The XDG base-directory rules ignore a relative XDG_DATA_HOME.
    if (std::string data = environment("XDG_DATA_HOME"); !data.empty() && data.front() == '/')
        return ProgramFolder(data + "/orvane");
    return ProgramFolder(homeFolder() + "/.local/share/orvane");
}

std::string ProgramFolder::shippedDataFolder()
{
    if (const std::string exe = executableFolder(); !exe.empty())
        for (const char* relative : {"/../data", "/../share/orvane/data"})
            if (isFolder(exe + relative))
                return exe + relative;
    return ORVANE_SOURCE_DATA_DIR;
}

std::string ProgramFolder::file(std::string_view name) const
{
    std::string full = path_;
    if (full.empty() || full.back() != '/')
        full += '/';
    full += name;
    return full;
}

Status ProgramFolder::seed(const std::string& shippedFolder) const
{
    if (Status s = makeFolders(path_); !s)
        return s;
    if (!isFolder(shippedFolder))
        return Status::failure(ENOENT, "The shipped data folder " + shippedFolder + " does not exist");

    // Folders still to copy, as paths relative to both roots ("" is the root itself).
    std::vector<std::string> pending{""};
    Status first;
    auto note = [&first](Status s) {
        if (!s && first)
            first = std::move(s);
    };
    while (!pending.empty()) {
        const std::string relative = std::move(pending.back());
        pending.pop_back();
        const std::string source = shippedFolder + relative;
        DIR* dir = ::opendir(source.c_str());
        if (!dir) {
            note(Status::fromErrno(errno, "Cannot read the folder", source));
            continue;
        }
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            const std::string childRelative = relative + "/" + name;
            struct stat st;
            if (::lstat((shippedFolder + childRelative).c_str(), &st) != 0)
                continue;
            if (S_ISDIR(st.st_mode)) {
                const Status made = makeFolders(path_ + childRelative);
                note(made);
                if (made)
                    pending.push_back(childRelative);
            } else if (S_ISREG(st.st_mode)) {
                note(copyIfAbsent(shippedFolder + childRelative, path_ + childRelative));
            }
        }
        ::closedir(dir);
    }
    return first;
}

} // namespace orvane
