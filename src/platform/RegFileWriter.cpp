// Writing Wine's registry files byte for byte as Wine's server writes them, so that a file we
// load and save without changes stays identical.

#include "platform/RegFile.h"

#include "platform/RegistryText.h"

#include <cstdio>
#include <vector>

namespace orvane::reg {

namespace {

constexpr char kHex[] = "0123456789abcdef";

bool isHexChar(char16_t u) { return u < 128 && ((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')); }

void appendHexNumber(std::string& out, std::uint64_t n, int minDigits)
{
    char buf[17];
    int len = 0;
    do {
        buf[len++] = kHex[n & 15];
        n >>= 4;
    } while (n);
    while (len < minDigits)
        buf[len++] = '0';
    while (len)
        out += buf[--len];
}

std::u16string unitsOf(std::string_view utf8)
{
    return utf8ToUtf16(utf8);
}

bool isAsciiPlain(std::string_view s, char q1, char q2)
{
    for (char c : s) {
        auto u = static_cast<unsigned char>(c);
        if (u < 32 || u >= 128 || c == '\\' || c == q1 || c == q2)
            return false;
    }
    return true;
}

// Escaped name without the UTF-16 detour when nothing needs escaping.
std::size_t appendName(std::string& out, std::string_view name, char q1, char q2)
{
    if (isAsciiPlain(name, q1, q2)) {
        out += name;
        return name.size();
    }
    return appendWineEscaped(out, unitsOf(name), q1, q2);
}

void appendValue(std::string& out, const Value& value)
{
    std::size_t column;
    if (value.name.empty()) {
        out += "@=";
        column = 2;
    } else {
        out += '"';
        column = 1 + appendName(out, value.name, '"', '"');
        out += "\"=";
        column += 2;
    }
    const std::string& d = value.data;
    if (isStringType(value.type) && d.size() >= 2 && d.size() % 2 == 0 && d[d.size() - 1] == 0 && d[d.size() - 2] == 0) {
        if (value.type != REG_SZ) {
            out += "str(";
            appendHexNumber(out, value.type, 1);
            out += "):";
        }
        out += '"';
        // The terminating NUL is implied.
        appendWineEscapedBytes(out, std::string_view(d).substr(0, d.size() - 2), '"', '"');
        out += "\"\n";
        return;
    }
    if (value.type == REG_DWORD && d.size() == 4) {
        std::uint32_t n = 0;
        for (int b = 3; b >= 0; --b)
            n = (n << 8) | static_cast<unsigned char>(d[std::size_t(b)]);
        out += "dword:";
        appendHexNumber(out, n, 8);
        out += '\n';
        return;
    }
    if (value.type == REG_BINARY) {
        out += "hex:";
        column += 4;
    } else {
        std::size_t before = out.size();
        out += "hex(";
        appendHexNumber(out, value.type, 1);
        out += "):";
        column += out.size() - before;
    }
    appendWineHex(out, d, column);
    out += '\n';
}

bool hasOwnSection(const Node& key)
{
    // Keys with subkeys but nothing of their own are implied by their children.
    return !key.values.empty() || key.subkeys.empty() || !key.className.empty() || key.link || !key.extraLines.empty();
}

void appendSection(std::string& out, const Node& key, const std::string& path)
{
    out += "\n[";
    out += path;
    out += "] ";
    // Unsigned subtraction: a time read from a file may be anything.
    auto sinceUnixEpoch = static_cast<std::int64_t>(static_cast<std::uint64_t>(key.modified) -
                                                    static_cast<std::uint64_t>(kTicks1601To1970));
    std::int64_t seconds = key.headerSeconds >= 0 ? key.headerSeconds : sinceUnixEpoch / 10000000;
    out += std::to_string(static_cast<unsigned int>(seconds));
    out += "\n#time=";
    auto t = static_cast<std::uint64_t>(key.modified);
    appendHexNumber(out, t >> 32, 1);
    appendHexNumber(out, t & 0xffffffffu, 8);
    out += '\n';
    if (!key.className.empty()) {
        out += "#class=\"";
        appendWineEscaped(out, unitsOf(key.className), '"', '"');
        out += "\"\n";
    }
    if (key.link)
        out += "#link\n";
    for (const std::string& line : key.extraLines) {
        out += line;
        out += '\n';
    }
    for (const Value& value : key.values)
        appendValue(out, value);
}

} // namespace

namespace {

// Wine's dump_strW over any sequence of UTF-16 units.
template <typename UnitAt>
std::size_t escapeUnits(std::string& out, std::size_t count, UnitAt unitAt, char quote1, char quote2)
{
    static constexpr char kEscapes[33] = ".......abtnvfr.............e....";
    std::size_t before = out.size();
    for (std::size_t i = 0; i < count; ++i) {
        char16_t u = unitAt(i);
        if (u >= 32 && u < 128) {
            if (u == '\\' || u == char16_t(quote1) || u == char16_t(quote2))
                out += '\\';
            out += char(u);
            continue;
        }
        bool more = i + 1 < count;
        if (u > 127) {
            out += "\\x";
            appendHexNumber(out, u, more && isHexChar(unitAt(i + 1)) ? 4 : 1);
            continue;
        }
        out += '\\';
        if (kEscapes[u] != '.') {
            out += kEscapes[u];
        } else {
            char16_t next = more ? unitAt(i + 1) : 0;
            bool octalNext = more && next >= '0' && next <= '7';
            char buf[4];
            std::snprintf(buf, sizeof buf, octalNext ? "%03o" : "%o", unsigned(u));
            out += buf;
        }
    }
    return out.size() - before;
}

} // namespace

std::size_t appendWineEscaped(std::string& out, std::u16string_view s, char quote1, char quote2)
{
    return escapeUnits(out, s.size(), [&](std::size_t i) { return s[i]; }, quote1, quote2);
}

std::size_t appendWineEscapedBytes(std::string& out, std::string_view utf16le, char quote1, char quote2)
{
    const auto* p = reinterpret_cast<const unsigned char*>(utf16le.data());
    return escapeUnits(out, utf16le.size() / 2, [p](std::size_t i) { return char16_t(p[2 * i] | (p[2 * i + 1] << 8)); },
                       quote1, quote2);
}

void appendWineHex(std::string& out, std::string_view bytes, std::size_t column)
{
    // At most "xx," plus a line break of four characters per byte.
    std::size_t at = out.size();
    out.resize(at + bytes.size() * 7);
    char* p = out.data() + at;
    char* const start = p;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        *p++ = kHex[b >> 4];
        *p++ = kHex[b & 15];
        column += 2;
        if (i + 1 < bytes.size()) {
            *p++ = ',';
            if (++column > 76) {
                *p++ = '\\';
                *p++ = '\n';
                *p++ = ' ';
                *p++ = ' ';
                column = 2;
            }
        }
    }
    out.resize(at + std::size_t(p - start));
}

std::string writeHive(const Hive& hive)
{
    std::string out;
    out.reserve(1 << 16);
    out += "WINE REGISTRY Version 2\n";
    if (hive.preamble.empty()) {
        out += ";; All keys relative to ";
        for (char c : hive.rootPath) {
            if (c == '\\')
                out += '\\';
            out += c;
        }
        out += "\n\n#arch=win64\n";
    } else {
        for (const std::string& line : hive.preamble) {
            out += line;
            out += '\n';
        }
    }
    if (!hive.root)
        return out;

    // Depth-first without recursion: deep trees must not exhaust the stack.
    struct Frame {
        const Node* node;
        std::size_t next;
        std::size_t pathLength;
    };
    std::string path;
    std::vector<Frame> stack;
    if (hasOwnSection(*hive.root))
        appendSection(out, *hive.root, path);
    stack.push_back({hive.root.get(), 0, 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next >= top.node->subkeys.size()) {
            path.resize(top.pathLength);
            stack.pop_back();
            continue;
        }
        const Node& child = *top.node->subkeys[top.next++];
        std::size_t base = path.size();
        if (top.node != hive.root.get())
            path += "\\\\";
        appendName(path, child.name, '[', ']');
        if (hasOwnSection(child))
            appendSection(out, child, path);
        stack.push_back({&child, 0, base});
    }
    return out;
}

} // namespace orvane::reg
