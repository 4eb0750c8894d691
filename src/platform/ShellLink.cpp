#include "platform/ShellLink.h"

#include <cstring>

namespace orvane {

namespace {

constexpr uint32_t HasLinkTargetIdList = 0x1;
constexpr uint32_t HasLinkInfo = 0x2;
constexpr uint32_t HasName = 0x4;
constexpr uint32_t HasRelativePath = 0x8;
constexpr uint32_t HasWorkingDir = 0x10;
constexpr uint32_t HasArguments = 0x20;
constexpr uint32_t HasIconLocation = 0x40;
constexpr uint32_t IsUnicode = 0x80;
constexpr uint32_t ForceNoLinkInfo = 0x100;

constexpr uint32_t VolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t CommonNetworkRelativeLinkAndPathSuffix = 0x2;

constexpr unsigned char LinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// Bounds-checked little-endian reads over the file's bytes.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool u16(size_t at, uint32_t& v) const
    {
        if (at > bytes_.size() || bytes_.size() - at < 2)
            return false;
        v = uint32_t(uint8_t(bytes_[at])) | uint32_t(uint8_t(bytes_[at + 1])) << 8;
        return true;
    }
    bool u32(size_t at, uint32_t& v) const
    {
        if (at > bytes_.size() || bytes_.size() - at < 4)
            return false;
        v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | uint8_t(bytes_[at + size_t(i)]);
        return true;
    }
    // NUL-terminated 8-bit string starting at `at`, not beyond `end`.
    bool ansiString(size_t at, size_t end, std::string& out) const
    {
        if (end > bytes_.size() || at >= end)
            return false;
        const size_t nul = bytes_.find('\0', at);
        if (nul == std::string_view::npos || nul >= end)
            return false;
        out = fromAnsi(bytes_.substr(at, nul - at));
        return true;
    }
    // NUL-terminated UTF-16LE string starting at `at`, not beyond `end`.
    bool unicodeString(size_t at, size_t end, std::string& out) const
    {
        if (end > bytes_.size())
            return false;
        std::u16string units;
        for (size_t p = at;; p += 2) {
            uint32_t unit = 0;
            if (p + 2 > end || !u16(p, unit))
                return false;
            if (unit == 0)
                break;
            units.push_back(char16_t(unit));
        }
        out = utf8(units);
        return true;
    }
    // `count` UTF-16LE units (or bytes) at `at`.
    bool countedString(size_t at, size_t count, bool unicode, std::string& out) const
    {
        const size_t length = unicode ? count * 2 : count;
        if (at > bytes_.size() || bytes_.size() - at < length)
            return false;
        if (!unicode) {
            out.assign(bytes_.substr(at, count));
            return true;
        }
        std::u16string units;
        for (size_t i = 0; i < count; ++i) {
            uint32_t unit = 0;
            u16(at + 2 * i, unit);
            units.push_back(char16_t(unit));
        }
        out = utf8(units);
        return true;
    }
    size_t size() const { return bytes_.size(); }
    std::string_view bytes() const { return bytes_; }

    // The 8-bit paths of a link are in the code page of the machine that wrote it. Ours is
    // UTF-8; text that is not valid UTF-8 came from a Western Windows (code page 1252), so it
    // is converted rather than compared byte for byte against UTF-8 names.
    static std::string fromAnsi(std::string_view text)
    {
        if (validUtf8(text))
            return std::string(text);
        static constexpr char16_t high[32] = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
            0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
        std::u16string units;
        for (unsigned char c : text)
            units.push_back(c >= 0x80 && c < 0xA0 ? high[c - 0x80] : char16_t(c));
        return utf8(units);
    }
    static bool validUtf8(std::string_view text)
    {
        for (size_t i = 0; i < text.size();) {
            const unsigned char c = uint8_t(text[i]);
            const size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
            if (length == 0 || (length == 2 && c < 0xC2) || text.size() - i < length)
                return false;
            for (size_t k = 1; k < length; ++k)
                if ((uint8_t(text[i + k]) & 0xC0) != 0x80)
                    return false;
            i += length;
        }
        return true;
    }
    static std::string utf8(const std::u16string& units)
    {
        std::string out;
        for (size_t i = 0; i < units.size(); ++i) {
            uint32_t c = units[i];
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
                ++i;
            } else if (c >= 0xD800 && c <= 0xDFFF) {
                c = 0xFFFD; // a lone surrogate
            }
            if (c < 0x80) {
                out += char(c);
            } else if (c < 0x800) {
                out += char(0xC0 | c >> 6);
                out += char(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                out += char(0xE0 | c >> 12);
                out += char(0x80 | (c >> 6 & 0x3F));
                out += char(0x80 | (c & 0x3F));
            } else {
                out += char(0xF0 | c >> 18);
                out += char(0x80 | (c >> 12 & 0x3F));
                out += char(0x80 | (c >> 6 & 0x3F));
                out += char(0x80 | (c & 0x3F));
            }
        }
        return out;
    }

private:
    std::string_view bytes_;
};

bool readLinkInfo(const Reader& r, size_t at, ShellLinkInfo& info, size_t& next)
{
    uint32_t size = 0, headerSize = 0, flags = 0, localOffset = 0, networkOffset = 0, suffixOffset = 0;
    if (!r.u32(at, size) || size < 0x1C || size > r.size() - at)
        return false;
    const size_t end = at + size;
    if (!r.u32(at + 4, headerSize) || !r.u32(at + 8, flags) || !r.u32(at + 16, localOffset) ||
        !r.u32(at + 20, networkOffset) || !r.u32(at + 24, suffixOffset))
        return false;
    if (headerSize < 0x1C || headerSize > size)
        return false;
    uint32_t localOffsetW = 0, suffixOffsetW = 0;
    if (headerSize >= 0x24 && (!r.u32(at + 28, localOffsetW) || !r.u32(at + 32, suffixOffsetW)))
        return false;

    if (flags & VolumeIdAndLocalBasePath) {
        const bool ok = localOffsetW ? r.unicodeString(at + localOffsetW, end, info.localBasePath)
                                     : r.ansiString(at + localOffset, end, info.localBasePath);
        if (!ok)
            return false;
    }
    if (flags & CommonNetworkRelativeLinkAndPathSuffix) {
        const size_t net = at + networkOffset;
        uint32_t netSize = 0, netNameOffset = 0, netNameOffsetW = 0;
        if (!r.u32(net, netSize) || netSize < 0x14 || netSize > end - net || !r.u32(net + 8, netNameOffset))
            return false;
        if (netNameOffset > 0x14 && !r.u32(net + 20, netNameOffsetW))
            return false;
        const bool ok = netNameOffsetW ? r.unicodeString(net + netNameOffsetW, net + netSize, info.networkName)
                                       : r.ansiString(net + netNameOffset, net + netSize, info.networkName);
        if (!ok)
            return false;
    }
    if (flags & (VolumeIdAndLocalBasePath | CommonNetworkRelativeLinkAndPathSuffix)) {
        const bool ok = suffixOffsetW ? r.unicodeString(at + suffixOffsetW, end, info.commonPathSuffix)
                                      : r.ansiString(at + suffixOffset, end, info.commonPathSuffix);
        if (!ok)
            return false;
    }
    next = end;
    return true;
}

} // namespace

std::optional<ShellLinkInfo> parseShellLink(std::string_view bytes)
{
    const Reader r(bytes);
    uint32_t headerSize = 0, flags = 0;
    if (!r.u32(0, headerSize) || headerSize != 0x4C || bytes.size() < 0x4C)
        return std::nullopt;
    if (std::memcmp(bytes.data() + 4, LinkClsid, sizeof LinkClsid) != 0)
        return std::nullopt;
    r.u32(20, flags);

    ShellLinkInfo info;
    size_t at = 0x4C;
    if (flags & HasLinkTargetIdList) {
        uint32_t idListSize = 0;
        if (!r.u16(at, idListSize) || idListSize > bytes.size() - at - 2)
            return std::nullopt;
        at += 2 + idListSize;
    }
    if ((flags & HasLinkInfo) && !(flags & ForceNoLinkInfo)) {
        if (!readLinkInfo(r, at, info, at))
            return std::nullopt;
    } else if (flags & HasLinkInfo) {
        uint32_t size = 0; // present but to be ignored
        if (!r.u32(at, size) || size > bytes.size() - at)
            return std::nullopt;
        at += size;
    }
    const bool unicode = flags & IsUnicode;
    const std::pair<uint32_t, std::string*> strings[] = {
        {HasName, &info.name},           {HasRelativePath, &info.relativePath}, {HasWorkingDir, &info.workingDir},
        {HasArguments, &info.arguments}, {HasIconLocation, &info.iconLocation},
    };
    for (const auto& [flag, target] : strings) {
        if (!(flags & flag))
            continue;
        uint32_t count = 0;
        if (!r.u16(at, count) || !r.countedString(at + 2, count, unicode, *target))
            return std::nullopt;
        at += 2 + (unicode ? 2 * size_t(count) : size_t(count));
    }
    return info;
}

std::string shellLinkTargetPath(const ShellLinkInfo& link)
{
    if (!link.networkName.empty()) {
        if (link.commonPathSuffix.empty())
            return link.networkName;
        return link.networkName + "\\" + link.commonPathSuffix;
    }
    if (!link.localBasePath.empty())
        return link.localBasePath + link.commonPathSuffix;
    return "";
}

} // namespace orvane
