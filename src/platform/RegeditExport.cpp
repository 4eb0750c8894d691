#include "platform/Regedit.h"

#include "platform/RegFile.h"
#include "platform/RegistryText.h"

#include <cstdio>

namespace orvane::reg {

namespace {

void appendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

// A string that reads back exactly from the quoted form: one final NUL, no other control
// characters.
bool quotable(const Value& value)
{
    if (value.type != REG_SZ || value.data.size() < 2 || value.data.size() % 2)
        return false;
    std::u16string units = bytesToUnits(value.data);
    if (units.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < units.size(); ++i)
        if (units[i] < 0x20)
            return false;
    return true;
}

void appendValue(std::string& out, const Value& value, RegeditVersion version)
{
    std::size_t start = out.size();
    if (value.name.empty())
        out += '@';
    else
        appendQuoted(out, value.name);
    out += '=';
    if (quotable(value)) {
        std::u16string units = bytesToUnits(value.data);
        units.pop_back();
        appendQuoted(out, utf16ToUtf8(units));
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        std::uint32_t n = 0;
        for (int b = 3; b >= 0; --b)
            n = (n << 8) | static_cast<unsigned char>(value.data[std::size_t(b)]);
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08x", n);
        out += text;
    } else {
        std::string data = value.data;
        if (version == RegeditVersion::Regedit4 && isStringType(value.type))
            data = utf16ToUtf8(bytesToUnits(data));
        if (value.type == REG_BINARY) {
            out += "hex:";
        } else {
            char text[24];
            std::snprintf(text, sizeof text, "hex(%x):", value.type);
            out += text;
        }
        appendWineHex(out, data, out.size() - start);
    }
    out += "\r\n";
}

} // namespace

std::string exportRegedit(Registry& registry, Root root, std::string_view path, RegeditVersion version, long* error)
{
    std::string out = version == RegeditVersion::Regedit4 ? "REGEDIT4\r\n" : "Windows Registry Editor Version 5.00\r\n";
    long rc = ERROR_SUCCESS;
    // Depth first in enumeration order, with an explicit stack.
    std::vector<std::string> pending{std::string(path)};
    while (!pending.empty()) {
        std::string at = std::move(pending.back());
        pending.pop_back();
        RegKey key;
        long opened = registry.openKey(root, at, KEY_READ, key, REG_OPTION_OPEN_LINK);
        if (opened != ERROR_SUCCESS) {
            if (at == path)
                rc = opened;
            continue;
        }
        KeyInfo info;
        if (registry.queryInfoKey(key, info) == ERROR_SUCCESS && info.link)
            continue;
        out += "\r\n[";
        out += rootName(root);
        if (!at.empty())
            out += "\\" + at;
        out += "]\r\n";
        Value value;
        for (std::uint32_t i = 0; registry.enumValueRaw(key, i, value) == ERROR_SUCCESS; ++i)
            appendValue(out, value, version);
        std::vector<std::string> children;
        std::string name;
        for (std::uint32_t i = 0; registry.enumKey(key, i, name) == ERROR_SUCCESS; ++i)
            children.push_back(at.empty() ? name : at + "\\" + name);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.push_back(std::move(*it));
    }
    if (error)
        *error = rc;
    if (rc != ERROR_SUCCESS)
        return {};
    out += "\r\n";
    if (version == RegeditVersion::Version5)
        return "\xff\xfe" + unitsToBytes(utf8ToUtf16(out));
    return out;
}

} // namespace orvane::reg
