#pragma once
// Current-user equivalents: which keys are only another view of an alias root (HKCR, HKCU,
// HKCC), found by writing a probe under the candidate and looking for it through the alias.
// The registry walk skips the keys listed here so each key is examined once.

#include "platform/Registry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::registry {

using reg::Registry;
using reg::Root;

// Upper-cased "ROOT NAME\PATH" of each backing key, in the order found.
using EquivKeys = std::vector<std::string>;

// ProbeAlias answers.
enum ProbeResult : int {
    ProbeEquivalent = 0,      // the probe was seen through the alias
    ProbeNotSeen = 1,         // written, but not visible through the alias
    ProbeNotCreated = 2,      // the probe key could not be created
    ProbeCandidateClosed = 3, // the candidate could not be opened with full access
};

// Builds the list once at start-up: HKCR, then HKCU, then HKCC equivalents. Leaves no probe
// behind and no unsaved change of its own.
EquivKeys BuildEquivalents(Registry& registry);

bool AddIfEquivalent(Registry& registry, EquivKeys& list, std::string_view rootName, std::string_view path,
                     Root candidate, Root alias);
// `path` starts with "\".
int ProbeAlias(Registry& registry, Root alias, Root candidate, std::string_view path);
bool SameKeyInfo(Registry& registry, Root alias, Root candidate, std::string_view path);
bool FindHKCUEquivalent(Registry& registry, EquivKeys& list);
// `ntFamily` false takes the Windows 9x branch ("CONFIG\<CurrentConfig>").
bool FindHKCCEquivalent(Registry& registry, EquivKeys& list, bool ntFamily = true);
// The name to try first under HKEY_USERS; ".Default" when nothing better is known.
std::string CurrentUserKeyName(Registry& registry, bool ntFamily = true);

// A security identifier: 6-byte identifier authority (big-endian) and sub-authorities.
struct Sid {
    std::array<std::uint8_t, 6> authority{};
    std::vector<std::uint32_t> subAuthorities;
};
// "S-1-5-21-..." -> Sid; nullopt when the text is not a SID.
std::optional<Sid> ParseSid(std::string_view text);
// The standard string form: "S-1-", the authority (decimal, or "0x" and twelve upper-case hex
// digits when its two high bytes are not 0), then "-" and each sub-authority unsigned.
std::string FormatSid(const Sid& sid);
// The SID of the prefix's user (the account the registry belongs to); nullopt on failure.
std::optional<std::string> CurrentUserSID(Registry& registry);

} // namespace orvane::registry
