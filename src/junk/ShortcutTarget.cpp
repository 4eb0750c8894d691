#include "junk/ShortcutTarget.h"

#include "platform/ShellLink.h"

#include <fstream>
#include <iterator>

namespace orvane::junk {

namespace {
constexpr size_t MaxShortcutBytes = 1 << 20; // real shortcuts are a few kilobytes
}

std::string ShortcutTarget(FileSystem& fs, std::string_view shortcutPath)
{
    std::string path(shortcutPath);
    if (path.find(".lnk") == std::string::npos)
        path += ".lnk";
    const auto entry = fs.stat(path);
    if (!entry || entry->isFolder() || entry->isLink())
        return "";
    const auto host = fs.hostPath(path);
    if (!host)
        return "";
    std::ifstream in(*host, std::ios::binary);
    if (!in)
        return "";
    std::string bytes(MaxShortcutBytes, '\0');
    in.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(size_t(in.gcount()));
    const auto link = parseShellLink(bytes);
    return link ? shellLinkTargetPath(*link) : "";
}

} // namespace orvane::junk
