#include "platform/RegistryFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::reg {

LoadedFile readWholeFile(const std::string& path)
{
    LoadedFile result;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.missing = errno == ENOENT;
        result.status = Status::fromErrno(errno, "Cannot read the registry file", path);
        return result;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        result.text.reserve(std::size_t(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.status = Status::fromErrno(errno, "Cannot read the registry file", path);
            result.text.clear();
            break;
        }
        if (n == 0)
            break;
        result.text.append(buffer, std::size_t(n));
    }
    ::close(fd);
    return result;
}

Status writeFileAtomically(const std::string& path, std::string_view content)
{
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string(".")
                       : slash == 0                ? std::string("/")
                                                   : std::string(path, 0, slash);
    std::string temp = folder + "/.orvane-reg-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Status::fromErrno(errno, "Cannot save the registry file", path);
    auto failWith = [&](int code) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Status::fromErrno(code, "Cannot save the registry file", path);
    };
    struct stat old {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only root can give a file away; a plain user's files are already theirs.
        }
    }
    if (::fchmod(fd, mode) != 0)
        return failWith(errno);
    std::size_t written = 0;
    while (written < content.size()) {
        ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failWith(errno);
        }
        written += std::size_t(n);
    }
    if (::fsync(fd) != 0)
        return failWith(errno);
    if (::close(fd) != 0) {
        int code = errno;
        ::unlink(temp.c_str());
        return Status::fromErrno(code, "Cannot save the registry file", path);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int code = errno;
        ::unlink(temp.c_str());
        return Status::fromErrno(code, "Cannot save the registry file", path);
    }
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return Status::success();
}

std::string fileNameOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace orvane::reg
