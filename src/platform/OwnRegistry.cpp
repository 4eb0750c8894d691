#include "platform/OwnRegistry.h"

#include "platform/RegFile.h"
#include "platform/RegistryFiles.h"
#include "platform/RegistryPrefix.h"
#include "platform/RegistryText.h"

#include <sys/stat.h>
#include <utility>
#include <vector>

namespace orvane::reg {

namespace {

// Builds one hive in memory; the writer gives it Wine's exact form.
class HiveBuilder {
public:
    explicit HiveBuilder(std::string rootPath)
    {
        hive_.rootPath = std::move(rootPath);
        hive_.root = std::make_shared<Node>();
        hive_.root->hive = &hive_;
        hive_.root->modified = now_;
    }

    Node& key(std::string_view path)
    {
        Node* node = hive_.root.get();
        std::size_t start = 0;
        while (start <= path.size()) {
            std::size_t end = path.find('\\', start);
            if (end == std::string_view::npos)
                end = path.size();
            if (end > start) {
                node = &node->addSubkey(path.substr(start, end - start));
                node->modified = now_;
            }
            start = end + 1;
        }
        return *node;
    }

    HiveBuilder& text(std::string_view path, std::string_view name, std::string_view value,
                      std::uint32_t type = REG_SZ)
    {
        std::u16string units = utf8ToUtf16(value);
        units += u'\0';
        key(path).putValue(Value{std::string(name), type, unitsToBytes(units)});
        return *this;
    }

    HiveBuilder& dword(std::string_view path, std::string_view name, std::uint32_t n)
    {
        std::string data(4, '\0');
        for (int b = 0; b < 4; ++b)
            data[std::size_t(b)] = char((n >> (8 * b)) & 0xff);
        key(path).putValue(Value{std::string(name), REG_DWORD, data});
        return *this;
    }

    std::string write() const { return writeHive(hive_); }

private:
    Hive hive_;
    std::int64_t now_ = fileTimeNow();
};

// Windows 7 profile folders: value name -> path below the profile folder.
const std::vector<std::pair<const char*, const char*>>& profileFolders()
{
    static const std::vector<std::pair<const char*, const char*>> kFolders = {
        {"AppData", "AppData\\Roaming"},
        {"Cache", "AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files"},
        {"Cookies", "AppData\\Roaming\\Microsoft\\Windows\\Cookies"},
        {"Desktop", "Desktop"},
        {"Favorites", "Favorites"},
        {"History", "AppData\\Local\\Microsoft\\Windows\\History"},
        {"Local AppData", "AppData\\Local"},
        {"My Music", "Music"},
        {"My Pictures", "Pictures"},
        {"My Video", "Videos"},
        {"NetHood", "AppData\\Roaming\\Microsoft\\Windows\\Network Shortcuts"},
        {"Personal", "Documents"},
        {"PrintHood", "AppData\\Roaming\\Microsoft\\Windows\\Printer Shortcuts"},
        {"Programs", "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
        {"Recent", "AppData\\Roaming\\Microsoft\\Windows\\Recent"},
        {"SendTo", "AppData\\Roaming\\Microsoft\\Windows\\SendTo"},
        {"Start Menu", "AppData\\Roaming\\Microsoft\\Windows\\Start Menu"},
        {"Startup", "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"},
        {"Templates", "AppData\\Roaming\\Microsoft\\Windows\\Templates"},
    };
    return kFolders;
}

void addShellFolders(HiveBuilder& hive, const std::string& user)
{
    const std::string profile = "C:\\Users\\" + user;
    constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    for (const auto& [name, below] : profileFolders()) {
        hive.text(std::string(kExplorer) + "Shell Folders", name, profile + "\\" + below);
        hive.text(std::string(kExplorer) + "User Shell Folders", name, std::string("%USERPROFILE%\\") + below,
                  REG_EXPAND_SZ);
    }
}

Status writeIfMissing(const std::string& path, const std::string& text)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0)
        return Status::success();
    return writeFileAtomically(path, text);
}

} // namespace

std::string ownSystemReg(const std::string& user)
{
    HiveBuilder hive("REGISTRY\\Machine");
    hive.key("Software\\Classes");
    hive.text("Software\\Microsoft\\Internet Explorer", "Version", "8.0.7601.17514")
        .text("Software\\Microsoft\\Internet Explorer", "Build", "87601");
    constexpr const char* kNt = "Software\\Microsoft\\Windows NT\\CurrentVersion";
    hive.text(kNt, "SystemRoot", "C:\\Windows")
        .text(kNt, "ProductName", "Microsoft Windows 7")
        .text(kNt, "CurrentVersion", "6.1")
        .text(kNt, "CurrentBuild", "7601")
        .text(kNt, "CSDVersion", "Service Pack 1");
    const std::string profiles = std::string(kNt) + "\\ProfileList";
    hive.text(profiles, "ProfilesDirectory", "C:\\Users")
        .text(profiles + "\\" + kDefaultUserSid, "ProfileImagePath", "C:\\Users\\" + user, REG_EXPAND_SZ);
    constexpr const char* kControl = "System\\CurrentControlSet\\Control";
    hive.dword(std::string(kControl) + "\\IDConfigDB", "CurrentConfig", 1);
    const std::string environment = std::string(kControl) + "\\Session Manager\\Environment";
    hive.text(environment, "TEMP", "%SystemRoot%\\TEMP", REG_EXPAND_SZ)
        .text(environment, "TMP", "%SystemRoot%\\TEMP", REG_EXPAND_SZ)
        .text(environment, "windir", "%SystemRoot%", REG_EXPAND_SZ);
    // HKCC shows this key (Wine maps it without numbered profiles).
    hive.dword("System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts", "LogPixels", 96);
    hive.dword("System\\Select", "Current", 1);
    return hive.write();
}

std::string ownUserReg(const std::string& user)
{
    HiveBuilder hive(std::string("REGISTRY\\User\\") + kDefaultUserSid);
    hive.text("Environment", "TEMP", "%USERPROFILE%\\AppData\\Local\\Temp", REG_EXPAND_SZ)
        .text("Environment", "TMP", "%USERPROFILE%\\AppData\\Local\\Temp", REG_EXPAND_SZ);
    addShellFolders(hive, user);
    hive.dword("Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache", "Persistent", 1);
    hive.text("Volatile Environment", "USERPROFILE", "C:\\Users\\" + user)
        .text("Volatile Environment", "USERNAME", user);
    return hive.write();
}

std::string ownUserDefaultReg(const std::string& user)
{
    HiveBuilder hive("REGISTRY\\User\\.Default");
    addShellFolders(hive, user);
    return hive.write();
}

Status createOwnRegistry(const std::string& prefixRoot, const std::string& user)
{
    Status result = writeIfMissing(prefixRoot + "/system.reg", ownSystemReg(user));
    for (const auto& [file, text] : {std::pair{"/user.reg", ownUserReg(user)},
                                     std::pair{"/userdef.reg", ownUserDefaultReg(user)}}) {
        Status s = writeIfMissing(prefixRoot + file, text);
        if (result.ok())
            result = s;
    }
    Status s = writeIfMissing(prefixRoot + "/.update-timestamp", "disable");
    if (result.ok())
        result = s;
    return result;
}

} // namespace orvane::reg
