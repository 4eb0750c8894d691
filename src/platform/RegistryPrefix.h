#pragma once
// Opening the registry of a prefix: its three hive files, its user SID, and read-only mode
// while Wine runs on it.

#include "platform/Registry.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {
class Prefix;
}

namespace orvane::reg {

// Wine's fixed SID for the prefix user, used when user.reg does not name one.
constexpr const char* kDefaultUserSid = "S-1-5-21-0-0-0-1000";
// Shown when a write is refused because Wine uses the prefix.
constexpr const char* kWineRunningReason =
    "Wine is running on this prefix: close the Wine programs of this prefix first.";

// The SID named by user.reg's ";; All keys relative to REGISTRY\\User\\<SID>" line, or empty.
std::string userSidFromHiveText(std::string_view userRegText);

// Loads system.reg, user.reg and userdef.reg of the prefix folder `root`. Read-only while a
// wineserver runs for it.
std::unique_ptr<Registry> openRegistryAt(const std::string& root);
std::unique_ptr<Registry> openPrefixRegistry(const Prefix& prefix);

} // namespace orvane::reg
