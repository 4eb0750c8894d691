#include "support/LnkBuilder.h"

#include <cstdint>

namespace orvane::test {

namespace {

void u16(std::string& out, uint32_t v)
{
    out += char(v & 0xFF);
    out += char(v >> 8 & 0xFF);
}

void u32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += char(v >> (8 * i) & 0xFF);
}

void put32(std::string& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + size_t(i)] = char(v >> (8 * i) & 0xFF);
}

std::string wide(const std::string& s)
{
    std::string out;
    for (char c : s)
        u16(out, uint8_t(c));
    return out;
}

std::string linkInfo(const LnkSpec& spec)
{
    const bool local = !spec.localBasePath.empty();
    const bool net = !spec.networkName.empty();
    const uint32_t headerSize = spec.unicodeLinkInfo ? 0x24 : 0x1C;
    std::string body(headerSize, '\0');
    uint32_t flags = (local ? 1 : 0) | (net ? 2 : 0);
    uint32_t volumeOffset = 0, localOffset = 0, netOffset = 0, suffixOffset = 0, localOffsetW = 0, suffixOffsetW = 0;
    if (local) {
        volumeOffset = uint32_t(body.size());
        std::string volume; // VolumeID: size, drive type 3, serial, label offset 0x10, label ""
        u32(volume, 0x11);
        u32(volume, 3);
        u32(volume, 0x1234ABCD);
        u32(volume, 0x10);
        volume += '\0';
        body += volume;
        localOffset = uint32_t(body.size());
        body += spec.localBasePath + '\0';
    }
    if (net) {
        netOffset = uint32_t(body.size());
        std::string cnrl;
        u32(cnrl, 0); // size, patched
        u32(cnrl, 0); // flags
        u32(cnrl, 0x14); // net name offset
        u32(cnrl, 0); // device name offset
        u32(cnrl, 0x20000); // provider type
        cnrl += spec.networkName + '\0';
        put32(cnrl, 0, uint32_t(cnrl.size()));
        body += cnrl;
    }
    suffixOffset = uint32_t(body.size());
    body += spec.commonPathSuffix + '\0';
    if (spec.unicodeLinkInfo) {
        if (local) {
            localOffsetW = uint32_t(body.size());
            body += wide(spec.localBasePath) + std::string(2, '\0');
        }
        suffixOffsetW = uint32_t(body.size());
        body += wide(spec.commonPathSuffix) + std::string(2, '\0');
    }
    put32(body, 0, uint32_t(body.size()));
    put32(body, 4, headerSize);
    put32(body, 8, flags);
    put32(body, 12, volumeOffset);
    put32(body, 16, localOffset);
    put32(body, 20, netOffset);
    put32(body, 24, suffixOffset);
    if (spec.unicodeLinkInfo) {
        put32(body, 28, localOffsetW);
        put32(body, 32, suffixOffsetW);
    }
    return body;
}

void stringData(std::string& out, const std::string& s, bool unicode)
{
    u16(out, uint32_t(s.size()));
    out += unicode ? wide(s) : s;
}

} // namespace

std::string buildLnk(const LnkSpec& spec)
{
    const bool hasInfo = !spec.localBasePath.empty() || !spec.networkName.empty();
    uint32_t flags = (spec.idList ? 0x1 : 0) | (hasInfo ? 0x2 : 0) | (spec.name.empty() ? 0 : 0x4) |
                     (spec.relativePath.empty() ? 0 : 0x8) | (spec.unicodeStrings ? 0x80 : 0);
    std::string out;
    u32(out, 0x4C);
    const unsigned char clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
    out.append(reinterpret_cast<const char*>(clsid), 16);
    u32(out, flags);
    u32(out, 0x20);                  // file attributes: archive
    out += std::string(24, '\0');    // creation, access, write times
    u32(out, 0);                     // file size
    u32(out, 0);                     // icon index
    u32(out, 1);                     // show command: normal
    out += std::string(12, '\0');    // hot key, three reserved fields
    if (spec.idList) {
        std::string items; // one made-up item, then the terminator
        u16(items, 6);
        items += "\x1f\x50\x00\x00";
        u16(items, 0);
        u16(out, uint32_t(items.size()));
        out += items;
    }
    if (hasInfo)
        out += linkInfo(spec);
    if (!spec.name.empty())
        stringData(out, spec.name, spec.unicodeStrings);
    if (!spec.relativePath.empty())
        stringData(out, spec.relativePath, spec.unicodeStrings);
    u32(out, 0); // terminal block of the extra data
    return out;
}

} // namespace orvane::test
