#include "junk/FolderPathDetection.h"

namespace orvane::junk {

namespace {

void fromShell(ShellFolders& shell, int csidl, std::string& path, const char* key, const StoreFolderPathFn& store)
{
    const auto folder = shell.folder(csidl);
    if (!folder)
        return;
    path = *folder;
    if (key && store)
        store(key + path);
}

void testCandidates(FileSystem& fs, FolderPaths& paths, const StoreFolderPathFn& store)
{
    for (const char* candidate : RecycleBinCandidates) {
        if (!fs.isFolder(candidate))
            continue;
        paths.recycleBin = candidate;
        if (store)
            store("lx" + paths.recycleBin);
    }
}

} // namespace

void detectFolderPathsAtStartup(ShellFolders& shell, FileSystem& fs, FolderPaths& paths, const StoreFolderPathFn& store)
{
    fromShell(shell, CsidlCookies, paths.ieCookies, nullptr, store);
    fromShell(shell, CsidlHistory, paths.ieHistory, "hi", store);
    fromShell(shell, CsidlInternetCache, paths.ieCache, "ie", store);
    fromShell(shell, CsidlRecent, paths.recent, nullptr, store);
    fromShell(shell, CsidlWindows, paths.windows, nullptr, store);
    fromShell(shell, CsidlBitBucket, paths.recycleBin, "lx", store);
    testCandidates(fs, paths, store);
}

void autoDetectFolderPaths(ShellFolders& shell, FileSystem& fs, FolderPaths& paths, const StoreFolderPathFn& store)
{
    fromShell(shell, CsidlCookies, paths.ieCookies, nullptr, store);
    fromShell(shell, CsidlHistory, paths.ieHistory, nullptr, store);
    fromShell(shell, CsidlInternetCache, paths.ieCache, nullptr, store);
    fromShell(shell, CsidlRecent, paths.recent, nullptr, store);
    fromShell(shell, CsidlBitBucket, paths.recycleBin, nullptr, store);
    testCandidates(fs, paths, store);
    if (!store)
        return;
    const std::pair<const char*, const std::string*> stored[] = {
        {"ie", &paths.ieCache}, {"hi", &paths.ieHistory}, {"lx", &paths.recycleBin},
        {"ni", &paths.mozHistory}, {"nc", &paths.mozCache}};
    for (const auto& [key, path] : stored)
        if (!path->empty())
            store(key + *path);
}

} // namespace orvane::junk
