#include "platform/RegistryShellFolders.h"

#include "platform/RegistryText.h"

namespace orvane::reg {

namespace {

constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
constexpr const char* kNt = "Software\\Microsoft\\Windows NT\\CurrentVersion";

// CSIDL -> value name in "Shell Folders" / "User Shell Folders".
const char* folderValue(int csidl)
{
    switch (csidl) {
    case 0: return "Desktop";
    case 2: return "Programs";
    case 5: return "Personal";
    case 6: return "Favorites";
    case 7: return "Startup";
    case CsidlRecent: return "Recent";
    case 9: return "SendTo";
    case 11: return "Start Menu";
    case 13: return "My Music";
    case 14: return "My Video";
    case 19: return "NetHood";
    case 21: return "Templates";
    case CsidlAppData: return "AppData";
    case 27: return "PrintHood";
    case CsidlLocalAppData: return "Local AppData";
    case CsidlInternetCache: return "Cache";
    case CsidlCookies: return "Cookies";
    case CsidlHistory: return "History";
    case 39: return "My Pictures";
    default: return nullptr;
    }
}

} // namespace

RegistryShellFolders::RegistryShellFolders(Registry& registry, std::function<std::optional<std::string>()> bitBucket)
    : registry_(registry), bitBucket_(std::move(bitBucket))
{
}

std::optional<std::string> RegistryShellFolders::systemRoot()
{
    return registry_.readString(Root::LocalMachine, kNt, "SystemRoot");
}

std::optional<std::string> RegistryShellFolders::profile()
{
    std::string list = std::string(kNt) + "\\ProfileList\\" + registry_.userSid();
    if (auto path = registry_.readString(Root::LocalMachine, list, "ProfileImagePath"))
        return expand(*path);
    return registry_.readString(Root::CurrentUser, "Volatile Environment", "USERPROFILE");
}

std::optional<std::string> RegistryShellFolders::variable(std::string_view name)
{
    if (sameName(name, "USERPROFILE"))
        return profile();
    if (sameName(name, "SystemRoot") || sameName(name, "windir"))
        return systemRoot();
    if (sameName(name, "SystemDrive")) {
        auto root = systemRoot();
        if (root && root->size() >= 2)
            return root->substr(0, 2);
        return std::nullopt;
    }
    if (auto value = registry_.readString(Root::CurrentUser, "Volatile Environment", name))
        return *value;
    if (auto value = registry_.readString(Root::CurrentUser, "Environment", name))
        return *value;
    return registry_.readString(Root::LocalMachine, "System\\CurrentControlSet\\Control\\Session Manager\\Environment",
                                name);
}

std::string RegistryShellFolders::expand(std::string_view text)
{
    // A profile path may itself name variables; a value naming itself must not loop.
    if (depth_ >= 4)
        return std::string(text);
    ++depth_;
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t open = text.find('%', pos);
        std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            out += text.substr(pos);
            break;
        }
        out += text.substr(pos, open - pos);
        std::string_view name = text.substr(open + 1, close - open - 1);
        std::optional<std::string> value;
        if (!name.empty())
            value = variable(name);
        if (value) {
            out += *value;
            pos = close + 1;
        } else {
            out += text.substr(open, close - open);
            pos = close; // the closing '%' may open the next name
        }
    }
    --depth_;
    return out;
}

std::optional<std::string> RegistryShellFolders::folder(int csidl)
{
    csidl &= 0xff; // CSIDL_FLAG_CREATE and friends
    switch (csidl) {
    case CsidlBitBucket:
        return bitBucket_ ? bitBucket_() : std::nullopt;
    case CsidlWindows:
        return systemRoot();
    case CsidlProfile:
        return profile();
    default:
        break;
    }
    const char* name = folderValue(csidl);
    if (!name)
        return std::nullopt;
    if (auto path = registry_.readString(Root::CurrentUser, std::string(kExplorer) + "User Shell Folders", name))
        if (!path->empty())
            return expand(*path);
    auto path = registry_.readString(Root::CurrentUser, std::string(kExplorer) + "Shell Folders", name);
    if (path && !path->empty())
        return path;
    return std::nullopt;
}

} // namespace orvane::reg
