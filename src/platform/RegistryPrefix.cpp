#include "platform/RegistryPrefix.h"

#include "platform/Prefix.h"
#include "platform/RegistryFiles.h"
#include "platform/WineServer.h"

namespace orvane::reg {

std::string userSidFromHiveText(std::string_view text)
{
    constexpr std::string_view kMarker = ";; All keys relative to REGISTRY\\\\User\\\\";
    // Only the first lines hold the comment; do not scan a whole large file.
    std::string_view head = text.substr(0, 4096);
    std::size_t at = head.find(kMarker);
    if (at == std::string_view::npos)
        return {};
    std::size_t start = at + kMarker.size();
    std::size_t end = head.find_first_of("\r\n", start);
    std::string_view sid = head.substr(start, end == std::string_view::npos ? head.size() - start : end - start);
    if (sid.substr(0, 2) != "S-" || sid.find('\\') != std::string_view::npos)
        return {};
    return std::string(sid);
}

std::unique_ptr<Registry> openRegistryAt(const std::string& root)
{
    std::string sid = userSidFromHiveText(readWholeFile(root + "/user.reg").text);
    if (sid.empty())
        sid = kDefaultUserSid;
    std::string reason;
    if (runningWineServer(root))
        reason = kWineRunningReason;
    std::vector<HiveFile> files = {
        {root + "/system.reg", "Machine"},
        {root + "/user.reg", "User\\" + sid},
        {root + "/userdef.reg", "User\\.Default"},
    };
    auto registry = std::make_unique<Registry>(files, sid, reason);
    registry->setSaveGuard([root] { return runningWineServer(root) ? std::string(kWineRunningReason) : std::string(); });
    return registry;
}

std::unique_ptr<Registry> openPrefixRegistry(const Prefix& prefix)
{
    return openRegistryAt(prefix.root());
}

} // namespace orvane::reg
