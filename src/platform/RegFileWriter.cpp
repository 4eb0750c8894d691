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
        std::u16string units = bytesToUnits(d);
        units.pop_back(); // the terminating NUL is implied
        appendWineEscaped(out, units, '"', '"');
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
    std::int64_t seconds = key.headerSeconds >= 0 ? key.headerSeconds : (key.modified - kTicks1601To1970) / 10000000;
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

std::size_t appendWineEscaped(std::string& out, std::u16string_view s, char quote1, char quote2)
{
    static constexpr char kEscapes[33] = ".......abtnvfr.............e....";
    std::size_t before = out.size();
    for (std::size_t i = 0; i < s.size(); ++i) {
        char16_t u = s[i];
        bool more = i + 1 < s.size();
        if (u > 127) {
            out += "\\x";
            appendHexNumber(out, u, more && isHexChar(s[i + 1]) ? 4 : 1);
            continue;
        }
        if (u < 32) {
            out += '\\';
            if (kEscapes[u] != '.') {
                out += kEscapes[u];
            } else {
                bool octalNext = more && s[i + 1] >= '0' && s[i + 1] <= '7';
                char buf[4];
                std::snprintf(buf, sizeof buf, octalNext ? "%03o" : "%o", unsigned(u));
                out += buf;
            }
            continue;
        }
        if (u == '\\' || u == char16_t(quote1) || u == char16_t(quote2))
            out += '\\';
        out += char(u);
    }
    return out.size() - before;
}

void appendWineHex(std::string& out, std::string_view bytes, std::size_t column)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        out += kHex[b >> 4];
        out += kHex[b & 15];
        column += 2;
        if (i + 1 < bytes.size()) {
            out += ',';
            if (++column > 76) {
                out += "\\\n  ";
                column = 2;
            }
        }
    }
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
