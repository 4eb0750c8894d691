#include "junk/FolderTests.h"

#include <array>

namespace orvane::junk {

namespace {

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

template <size_t N>
bool containsAny(std::string_view text, const std::array<std::string_view, N>& parts)
{
    for (std::string_view p : parts)
        if (contains(text, p))
            return true;
    return false;
}

// A path component equal to `name`, or starting with `prefix` (when given).
bool hasComponent(std::string_view path, std::string_view name, std::string_view prefix = {})
{
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part == name || (!prefix.empty() && part.substr(0, prefix.size()) == prefix))
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace

bool isRecycleFolder(std::string_view folder, std::string_view recycleBinPath)
{
    static constexpr std::array<std::string_view, 3> recy{"RECY", "Recy", "recy"};
    if (containsAny(folder, recy) || (!recycleBinPath.empty() && folder == recycleBinPath))
        return true;
    const size_t home = folder.find("\\.local\\share\\Trash");
    if (home != std::string_view::npos) {
        const size_t after = home + std::string_view("\\.local\\share\\Trash").size();
        if (after == folder.size() || folder[after] == '\\')
            return true;
    }
    return hasComponent(folder, ".Trash", ".Trash-");
}

bool skippedByPatternSearch(std::string_view folder, std::string_view recycleBinPath)
{
    static constexpr std::array<std::string_view, 7> names{"zip", "Temporary", "Hood", "TEMPORARY", "HOOD", "Cookies",
                                                           "COOKIES"};
    return containsAny(folder, names) || isRecycleFolder(folder, recycleBinPath) ||
           contains(folder, "Temporary Internet Files");
}

bool skippedForLogs(std::string_view folder) { return contains(folder, "rogra"); }

bool skippedByDeadLinkSearch(std::string_view folder, std::string_view recycleBinPath)
{
    static constexpr std::array<std::string_view, 6> names{"emporary", "ood", "EMPORARY", "OOD", "Cookies", "COOKIES"};
    return containsAny(folder, names) || isRecycleFolder(folder, recycleBinPath);
}

bool isProtectedName(std::string_view name)
{
    static constexpr std::array<std::string_view, 20> names{
        "DATA.BAK",  "OPA11.BAK", "SCRIPT.BAK", "MENUS.BAK", "data.bak",    "opa11.bak",    "script.bak",
        "menus.bak", "opa12.bak", "OPA12.BAK",  "opa10.bak", "OPA10.BAK",   "opa13.bak",    "OPA13.BAK",
        "opa14.bak", "OPA14.BAK", "insider.bak", "hpqgends.tmp", "user.dmp", "DoNotDelete.tmp"};
    for (std::string_view n : names)
        if (name == n)
            return true;
    return false;
}

bool deadLinkTargetIsWeb(std::string_view target) { return contains(target, "http") || contains(target, "HTTP"); }

bool deadLinkPathExcluded(std::string_view shortcutPath)
{
    static constexpr std::array<std::string_view, 10> parts{"SendTo",  "rede",    "Rede",     "ssis",     "network",
                                                            "Network", "NetHood", "//",       "system32", "\\\\"};
    return containsAny(shortcutPath, parts);
}

bool nameBarsEntry(std::string_view name) { return contains(name, "SYS") || contains(name, "Sys"); }

bool isRecycleBinCandidateName(std::string_view name)
{
    static constexpr std::array<std::string_view, 20> excluded{
        "_RESTORE",     "TEMP",         "ARCHIVE",        "Installer", "Offline",   "INCINERATE", "LOGS",
        "MSNCoreFiles", "SFP",          "EXTRACT",        "LocalService", "NetworkService", "DRM", "CSC",
        "UserData",     "Meus faxes",   "My faxes",       "System Volume Information", "INSTALLER", "ookies"};
    for (std::string_view n : excluded)
        if (name == n)
            return false;
    return !contains(name, ".") && !contains(name, "-");
}

} // namespace orvane::junk
