#include "platform/PosixFiles.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::posix {

Status writeAll(int fd, const std::string& data, const std::string& path)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Status::fromErrno(n < 0 ? errno : EIO, "Cannot write", path);
        done += size_t(n);
    }
    return Status::success();
}

Status makeFolders(const std::string& path)
{
    for (size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/')
            continue;
        const std::string part = path.substr(0, pos);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return Status::fromErrno(errno, "Cannot create the folder", part);
        struct stat st;
        if (::stat(part.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return Status::failure(ENOTDIR, "Cannot create the folder " + part + ": a file of that name is in the way");
    }
    return Status::success();
}

} // namespace orvane::posix
