#include "platform/WineServer.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {

std::string readSmallFile(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[256];
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    std::string text = n > 0 ? std::string(buffer, std::size_t(n)) : std::string();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

} // namespace

std::vector<std::string> wineServerFolders(const std::string& prefixRoot, const std::string& xdgRuntimeDir,
                                           unsigned uid, const std::string& tmpDir)
{
    struct stat st {};
    if (::stat(prefixRoot.c_str(), &st) != 0)
        return {};
    char leaf[64];
    std::snprintf(leaf, sizeof leaf, "server-%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    std::vector<std::string> folders;
    struct stat xdg {};
    if (!xdgRuntimeDir.empty() && ::stat(xdgRuntimeDir.c_str(), &xdg) == 0)
        folders.push_back(xdgRuntimeDir + "/wine/" + leaf);
    std::string name = readSmallFile(prefixRoot + "/wineserver");
    if (!name.empty() && name.find('/') == std::string::npos && name != "." && name != "..")
        folders.push_back(tmpDir + "/" + name + "/" + leaf);
    folders.push_back(tmpDir + "/.wine-" + std::to_string(uid) + "/" + leaf);
    return folders;
}

std::optional<long> lockHolder(const std::string& serverFolder)
{
    int fd = ::open((serverFolder + "/lock").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct flock query {};
    query.l_type = F_WRLCK;
    query.l_whence = SEEK_SET;
    query.l_start = 0;
    query.l_len = 0;
    int rc = ::fcntl(fd, F_GETLK, &query);
    ::close(fd);
    if (rc != 0 || query.l_type == F_UNLCK)
        return std::nullopt;
    return static_cast<long>(query.l_pid);
}

std::optional<long> runningWineServer(const std::string& prefixRoot)
{
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    for (const std::string& folder : wineServerFolders(prefixRoot, xdg ? xdg : "", ::getuid()))
        if (auto pid = lockHolder(folder))
            return pid;
    return std::nullopt;
}

} // namespace orvane
