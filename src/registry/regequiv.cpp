#include "registry/regequiv.h"

#include "platform/RegistryText.h"

#include <cstdio>
#include <random>

namespace orvane::registry {

using namespace orvane::reg;

namespace {

// A new GUID in its registry text form with braces.
std::string NewGuidText()
{
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    std::uint64_t a = engine(), b = engine();
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}", unsigned(a >> 32), unsigned((a >> 16) & 0xffff),
                  unsigned((a & 0x0fff) | 0x4000), unsigned(((b >> 48) & 0x3fff) | 0x8000),
                  static_cast<unsigned long long>(b & 0xffffffffffffULL));
    return text;
}

std::string_view withoutLeadingBackslash(std::string_view path)
{
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    return path;
}

} // namespace

EquivKeys BuildEquivalents(Registry& registry)
{
    EquivKeys list;
    AddIfEquivalent(registry, list, "HKEY_LOCAL_MACHINE", "SOFTWARE\\Classes", Root::LocalMachine, Root::ClassesRoot);
    FindHKCUEquivalent(registry, list);
    FindHKCCEquivalent(registry, list);
    return list;
}

bool AddIfEquivalent(Registry& registry, EquivKeys& list, std::string_view rootName, std::string_view path,
                     Root candidate, Root alias)
{
    std::string rooted = "\\" + std::string(path);
    int r = ProbeAlias(registry, alias, candidate, rooted);
    bool equivalent = r == ProbeEquivalent || (r == ProbeNotCreated && SameKeyInfo(registry, alias, candidate, rooted));
    if (equivalent)
        list.push_back(asciiUpper(std::string(rootName) + "\\" + std::string(path)));
    return equivalent;
}

int ProbeAlias(Registry& registry, Root alias, Root candidate, std::string_view path)
{
    std::string_view relative = withoutLeadingBackslash(path);
    RegKey opened;
    if (registry.openKey(candidate, relative, KEY_ALL_ACCESS, opened) != ERROR_SUCCESS)
        return ProbeCandidateClosed;
    const std::string probeKey = NewGuidText();
    const std::string probeValue = NewGuidText();
    // The probe is an experiment, not a change: put back the candidate's time and the
    // unsaved-changes state once the probe is gone again.
    Registry::TouchState before = registry.captureTouch(opened);
    RegKey probe;
    if (registry.createKey(opened, probeKey, KEY_ALL_ACCESS, probe) != ERROR_SUCCESS)
        return ProbeNotCreated;
    int answer = ProbeNotSeen;
    static constexpr std::string_view kTest{"test\0", 5};
    if (registry.setValue(probe, probeValue, REG_SZ, kTest) == ERROR_SUCCESS) {
        RegKey seen;
        if (registry.openKey(alias, probeKey, KEY_READ, seen) == ERROR_SUCCESS) {
            std::uint32_t type = 0;
            std::string data;
            if (registry.queryValue(seen, probeValue, &type, &data) == ERROR_SUCCESS && data == kTest)
                answer = ProbeEquivalent;
        }
    }
    std::string full = std::string(relative) + "\\" + probeKey;
    if (registry.deleteKey(candidate, full) == ERROR_SUCCESS)
        registry.restoreTouch(before);
    return answer;
}

bool SameKeyInfo(Registry& registry, Root alias, Root candidate, std::string_view path)
{
    KeyInfo aliasInfo, candidateInfo;
    if (registry.queryInfoKey(alias, aliasInfo) != ERROR_SUCCESS)
        return false;
    RegKey opened;
    if (registry.openKey(candidate, withoutLeadingBackslash(path), KEY_READ, opened) != ERROR_SUCCESS)
        return false;
    if (registry.queryInfoKey(opened, candidateInfo) != ERROR_SUCCESS)
        return false;
    bool same = aliasInfo.className == candidateInfo.className && aliasInfo.subKeys == candidateInfo.subKeys &&
                aliasInfo.maxSubKeyLen == candidateInfo.maxSubKeyLen &&
                aliasInfo.maxClassLen == candidateInfo.maxClassLen && aliasInfo.values == candidateInfo.values &&
                aliasInfo.maxValueNameLen == candidateInfo.maxValueNameLen &&
                aliasInfo.maxValueLen == candidateInfo.maxValueLen;
    if (same && alias != Root::ClassesRoot)
        same = aliasInfo.securityDescriptorSize == candidateInfo.securityDescriptorSize &&
               aliasInfo.lastWriteTime == candidateInfo.lastWriteTime;
    return same;
}

bool FindHKCUEquivalent(Registry& registry, EquivKeys& list)
{
    if (AddIfEquivalent(registry, list, "HKEY_USERS", CurrentUserKeyName(registry), Root::Users, Root::CurrentUser))
        return true;
    std::string name;
    for (std::uint32_t i = 0; registry.enumKey(Root::Users, i, name) == ERROR_SUCCESS; ++i)
        if (AddIfEquivalent(registry, list, "HKEY_USERS", name, Root::Users, Root::CurrentUser))
            return true;
    return false;
}

bool FindHKCCEquivalent(Registry& registry, EquivKeys& list, bool ntFamily)
{
    RegKey config;
    if (registry.openKey(Root::LocalMachine, "System\\CurrentControlSet\\control\\IDConfigDB", KEY_READ, config) !=
        ERROR_SUCCESS)
        return false;
    std::uint32_t type = 0;
    std::string data;
    if (!ntFamily) {
        if (registry.queryValue(config, "CurrentConfig", &type, &data) != ERROR_SUCCESS || !isStringType(type))
            return false;
        while (!data.empty() && data.back() == '\0')
            data.pop_back();
        return AddIfEquivalent(registry, list, "HKEY_LOCAL_MACHINE", "CONFIG\\" + data, Root::LocalMachine,
                               Root::CurrentConfig);
    }
    if (registry.queryValue(config, "CurrentConfig", &type, &data) != ERROR_SUCCESS || data.size() != 4 ||
        (type != REG_DWORD && type != REG_BINARY))
        return false;
    std::int32_t n = 0;
    for (int b = 3; b >= 0; --b)
        n = std::int32_t((std::uint32_t(n) << 8) | static_cast<unsigned char>(data[std::size_t(b)]));
    char candidates[4][128];
    std::snprintf(candidates[0], sizeof candidates[0], "SYSTEM\\ControlSet%.03d\\Hardware Profiles\\Current", n);
    std::snprintf(candidates[1], sizeof candidates[1], "SYSTEM\\ControlSet%.03d\\Hardware Profiles\\%.04d", n, n);
    std::snprintf(candidates[2], sizeof candidates[2], "SYSTEM\\CurrentControlSet\\Hardware Profiles\\%.04d", n);
    std::snprintf(candidates[3], sizeof candidates[3], "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current");
    bool any = false;
    for (const char* candidate : candidates)
        any = AddIfEquivalent(registry, list, "HKEY_LOCAL_MACHINE", candidate, Root::LocalMachine,
                              Root::CurrentConfig) || any;
    return any;
}

std::string CurrentUserKeyName(Registry& registry, bool ntFamily)
{
    std::string name;
    if (ntFamily) {
        if (auto sid = CurrentUserSID(registry)) {
            RegKey key;
            if (registry.openKey(Root::Users, *sid, KEY_READ, key) == ERROR_SUCCESS)
                name = *sid;
        }
    } else if (auto text = registry.readString(Root::LocalMachine, "System\\CurrentControlSet\\control",
                                               "Current User")) {
        name = *text;
    }
    return name.empty() ? ".Default" : name;
}

std::optional<Sid> ParseSid(std::string_view text)
{
    if (text.substr(0, 4) != "S-1-")
        return std::nullopt;
    text.remove_prefix(4);
    auto number = [&](std::uint64_t limit) -> std::optional<std::uint64_t> {
        std::uint64_t n = 0;
        std::size_t i = 0;
        bool hex = text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X";
        if (hex)
            i = 2;
        std::size_t start = i;
        for (; i < text.size() && text[i] != '-'; ++i) {
            char c = text[i];
            int digit = c >= '0' && c <= '9' ? c - '0'
                      : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0)
                return std::nullopt;
            n = n * (hex ? 16 : 10) + std::uint64_t(digit);
            if (n > limit)
                return std::nullopt;
        }
        if (i == start)
            return std::nullopt;
        text.remove_prefix(i < text.size() ? i + 1 : i);
        return n;
    };
    Sid sid;
    auto authority = number(0xffffffffffffULL);
    if (!authority)
        return std::nullopt;
    for (int b = 0; b < 6; ++b)
        sid.authority[std::size_t(b)] = std::uint8_t(*authority >> (8 * (5 - b)));
    while (!text.empty()) {
        auto sub = number(0xffffffffULL);
        if (!sub)
            return std::nullopt;
        sid.subAuthorities.push_back(std::uint32_t(*sub));
    }
    return sid;
}

std::string FormatSid(const Sid& sid)
{
    std::string text = "S-1-";
    const auto& a = sid.authority;
    if (a[0] == 0 && a[1] == 0) {
        std::uint32_t n = (std::uint32_t(a[2]) << 24) | (std::uint32_t(a[3]) << 16) | (std::uint32_t(a[4]) << 8) | a[5];
        text += std::to_string(n);
    } else {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%02X%02X%02X%02X%02X%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
        text += hex;
    }
    for (std::uint32_t sub : sid.subAuthorities)
        text += "-" + std::to_string(sub);
    return text;
}

std::optional<std::string> CurrentUserSID(Registry& registry)
{
    // The account lookup of this platform: the prefix's user is the SID its user.reg names.
    auto sid = ParseSid(registry.userSid());
    if (!sid)
        return std::nullopt;
    return FormatSid(*sid);
}

} // namespace orvane::registry
