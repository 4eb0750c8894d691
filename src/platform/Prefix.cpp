#include "platform/Prefix.h"

#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::string joinHost(const std::string& folder, std::string_view name)
{
    std::string out = folder;
    if (out.empty() || out.back() != '/')
        out += '/';
    out += name;
    return out;
}

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

// The on-disk spelling of `name` in `folder` when only its case differs; nullopt if none.
std::optional<std::string> findNoCase(const std::string& folder, std::string_view name)
{
    DIR* dir = ::opendir(folder.c_str());
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

// "." and ".." are resolved by text and never climb above the drive root, as on Windows.
std::vector<std::string_view> normalComponents(std::string_view path)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    return parts;
}

bool hostExists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

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

    // Fast path: the whole path exists as written.
    std::string exact = host;
    for (const auto part : parts)
        exact = joinHost(exact, part);
    if (hostExists(exact))
        return exact;

    bool lookUp = true; // once a component is missing, nothing below it can exist
    for (const auto part : parts) {
        std::string next = joinHost(host, part);
        if (lookUp && !hostExists(next)) {
            if (const auto spelled = findNoCase(host, part))
                next = joinHost(host, *spelled);
            else
                lookUp = false;
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
