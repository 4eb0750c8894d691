// Reading Wine's registry files. Tolerant where Wine is (CRLF, blank lines, section and value
// order, duplicate sections, upper-case hex); strict where a wrong guess would lose data.

#include "platform/RegFile.h"

#include "platform/TextScan.h"

#include "platform/RegistryText.h"

#include <cerrno>
#include <cstring>

namespace orvane::reg {

namespace {

constexpr std::string_view kFirstLine = "WINE REGISTRY Version 2";
constexpr std::string_view kRootComment = ";; All keys relative to ";

using text::hexDigit;
using text::LineReader;

// Appends the UTF-16 units of one raw UTF-8 sequence at `pos`; a byte that does not start a
// valid sequence is taken as a Latin-1 character.
void appendRawChar(std::string_view s, std::size_t& pos, std::u16string& out)
{
    auto b0 = static_cast<unsigned char>(s[pos]);
    int extra = b0 >= 0xf0 && b0 < 0xf5 ? 3 : b0 >= 0xe0 ? 2 : b0 >= 0xc2 && b0 < 0xe0 ? 1 : 0;
    if (extra && pos + extra < s.size()) {
        bool valid = true;
        for (int k = 1; k <= extra; ++k)
            valid = valid && (static_cast<unsigned char>(s[pos + k]) & 0xc0) == 0x80;
        if (valid) {
            out += utf8ToUtf16(s.substr(pos, std::size_t(extra) + 1));
            pos += std::size_t(extra) + 1;
            return;
        }
    }
    out += char16_t(b0);
    ++pos;
}

// Reads an escaped string up to the unescaped `end` character (consumed). False when the
// line ends first.
bool readEscaped(std::string_view s, std::size_t& pos, char end, std::u16string& out)
{
    while (pos < s.size()) {
        char c = s[pos];
        if (c == end) {
            ++pos;
            return true;
        }
        if (static_cast<unsigned char>(c) >= 0x80) {
            appendRawChar(s, pos, out);
            continue;
        }
        if (c != '\\') {
            out += char16_t(c);
            ++pos;
            continue;
        }
        if (++pos >= s.size())
            return false;
        c = s[pos++];
        switch (c) {
        case 'a': out += u'\a'; break;
        case 'b': out += u'\b'; break;
        case 'e': out += char16_t(0x1b); break;
        case 'f': out += u'\f'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case 'v': out += u'\v'; break;
        case 'x': {
            unsigned value = 0;
            int digits = 0;
            while (digits < 4 && pos < s.size() && hexDigit(s[pos]) >= 0) {
                value = value * 16 + unsigned(hexDigit(s[pos++]));
                ++digits;
            }
            if (digits == 0)
                out += u'x';
            else
                out += char16_t(value);
            break;
        }
        case '0': case '1': case '2': case '3': case '4': case '5': case '6': case '7': {
            unsigned value = unsigned(c - '0');
            for (int digits = 1; digits < 3 && pos < s.size() && s[pos] >= '0' && s[pos] <= '7'; ++digits)
                value = value * 8 + unsigned(s[pos++] - '0');
            out += char16_t(value);
            break;
        }
        default:
            if (static_cast<unsigned char>(c) >= 0x80) {
                --pos;
                appendRawChar(s, pos, out);
            } else {
                out += char16_t(c);
            }
        }
    }
    return false;
}

// Fast path for the common case: plain ASCII up to the closing quote.
bool readName(std::string_view s, std::size_t& pos, char end, std::string& out)
{
    std::size_t i = pos;
    while (i < s.size() && s[i] != end && s[i] != '\\' && static_cast<unsigned char>(s[i]) < 0x80)
        ++i;
    if (i < s.size() && s[i] == end) {
        out.assign(s.substr(pos, i - pos));
        pos = i + 1;
        return true;
    }
    std::u16string units;
    if (!readEscaped(s, pos, end, units))
        return false;
    out = utf16ToUtf8(units);
    return true;
}

void skipSpaces(std::string_view s, std::size_t& pos)
{
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
        ++pos;
}

bool restIsBlank(std::string_view s, std::size_t pos)
{
    skipSpaces(s, pos);
    return pos >= s.size();
}

struct Parser {
    std::string_view fileName;
    LineReader lines;
    Hive& hive;
    std::string error;

    bool fail(int line, std::string_view what, std::string_view input)
    {
        error = std::string(fileName) + ":" + std::to_string(line) + ": " + std::string(what);
        if (!input.empty())
            error += " '" + std::string(input.substr(0, 80)) + "'";
        return false;
    }

    // Reads "hex:"-style bytes from `pos`, following '\' continuation lines.
    bool readHex(std::string_view line, std::size_t pos, std::string& bytes, int firstLine)
    {
        for (;;) {
            skipSpaces(line, pos);
            if (pos >= line.size())
                return true;
            if (line[pos] == '\\' && restIsBlank(line, pos + 1)) {
                if (!lines.next(line))
                    return fail(firstLine, "Unterminated hex data", {});
                pos = 0;
                continue;
            }
            int hi = hexDigit(line[pos]);
            if (hi < 0)
                return fail(lines.number(), "Malformed hex data", line);
            int value = hi;
            ++pos;
            if (pos < line.size() && hexDigit(line[pos]) >= 0)
                value = value * 16 + hexDigit(line[pos++]);
            bytes += char(value);
            skipSpaces(line, pos);
            if (pos < line.size()) {
                if (line[pos] != ',')
                    return fail(lines.number(), "Malformed hex data", line);
                ++pos;
            }
        }
    }

    bool readValue(std::string_view line, Node& key)
    {
        int lineNo = lines.number();
        Value value;
        std::size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else {
            pos = 1;
            if (!readName(line, pos, '"', value.name))
                return fail(lineNo, "Malformed value name", line);
        }
        skipSpaces(line, pos);
        if (pos >= line.size() || line[pos] != '=')
            return fail(lineNo, "Malformed value name", line);
        ++pos;
        skipSpaces(line, pos);
        std::string_view rest = line.substr(pos);
        std::uint32_t type = REG_SZ;
        auto parseTypeNumber = [&](std::size_t start, std::uint32_t& out) -> std::size_t {
            std::size_t i = start;
            std::uint64_t n = 0;
            while (i < rest.size() && hexDigit(rest[i]) >= 0 && i - start < 8)
                n = n * 16 + std::uint64_t(hexDigit(rest[i++]));
            if (i == start || rest.substr(i, 2) != "):")
                return 0;
            out = std::uint32_t(n);
            return i + 2;
        };
        if (!rest.empty() && rest[0] == '"') {
            return readString(line, pos + 1, REG_SZ, std::move(value), key, lineNo);
        }
        if (rest.substr(0, 4) == "str(") {
            std::size_t after = parseTypeNumber(4, type);
            if (!after || after >= rest.size() || rest[after] != '"')
                return fail(lineNo, "Malformed string value", line);
            return readString(line, pos + after + 1, type, std::move(value), key, lineNo);
        }
        if (rest.substr(0, 6) == "dword:") {
            std::size_t i = 6;
            std::uint32_t n = 0;
            while (i < rest.size() && hexDigit(rest[i]) >= 0 && i < 14)
                n = n * 16 + std::uint32_t(hexDigit(rest[i++]));
            if (i == 6 || !restIsBlank(rest, i))
                return fail(lineNo, "Malformed dword value", line);
            value.type = REG_DWORD;
            value.data.resize(4);
            for (int b = 0; b < 4; ++b)
                value.data[std::size_t(b)] = char((n >> (8 * b)) & 0xff);
            key.putValueFast(std::move(value));
            return true;
        }
        std::size_t dataStart = 0;
        if (rest.substr(0, 4) == "hex:") {
            type = REG_BINARY;
            dataStart = 4;
        } else if (rest.substr(0, 4) == "hex(") {
            dataStart = parseTypeNumber(4, type);
        }
        if (!dataStart)
            return fail(lineNo, "Unrecognized value data", line);
        value.type = type;
        if (!readHex(line, pos + dataStart, value.data, lineNo))
            return false;
        key.putValueFast(std::move(value));
        return true;
    }

    bool readString(std::string_view line, std::size_t pos, std::uint32_t type, Value value, Node& key, int lineNo)
    {
        value.type = type;
        // Fast path: ASCII without escapes is widened byte by byte.
        std::size_t i = pos;
        while (i < line.size() && line[i] != '"' && line[i] != '\\' && static_cast<unsigned char>(line[i]) < 0x80)
            ++i;
        if (i < line.size() && line[i] == '"') {
            value.data.assign((i - pos + 1) * 2, '\0');
            for (std::size_t k = pos; k < i; ++k)
                value.data[(k - pos) * 2] = line[k];
            pos = i + 1;
        } else {
            std::u16string units;
            if (!readEscaped(line, pos, '"', units))
                return fail(lineNo, "Unterminated string", line);
            units += u'\0';
            value.data = unitsToBytes(units);
        }
        if (!restIsBlank(line, pos))
            return fail(lineNo, "Unexpected text after the string", line);
        key.putValueFast(std::move(value));
        return true;
    }

    // Plain ASCII paths, where "\\\\" only separates components, skip the UTF-16 detour.
    static bool plainPath(std::string_view line, std::size_t& end)
    {
        for (std::size_t i = 1; i < line.size(); ++i) {
            auto c = static_cast<unsigned char>(line[i]);
            if (c == ']') {
                end = i;
                return true;
            }
            if (c >= 0x80 || c < 0x20)
                return false;
            if (c == '\\') {
                if (i + 1 >= line.size() || line[i + 1] != '\\')
                    return false;
                ++i;
            }
        }
        return false;
    }

    Node* readHeader(std::string_view line, int lineNo)
    {
        std::size_t pos = 1;
        std::string path;
        std::size_t end = 0;
        if (plainPath(line, end)) {
            path.reserve(end);
            for (std::size_t i = 1; i < end; ++i) {
                path += line[i];
                if (line[i] == '\\')
                    ++i;
            }
            pos = end + 1;
        } else {
            std::u16string units;
            if (!readEscaped(line, pos, ']', units)) {
                fail(lineNo, "Malformed key header", line);
                return nullptr;
            }
            path = utf16ToUtf8(units);
        }
        Node* node = hive.root.get();
        std::size_t start = 0;
        while (start <= path.size()) {
            std::size_t stop = path.find('\\', start);
            if (stop == std::string::npos)
                stop = path.size();
            if (stop > start)
                node = &node->addSubkeyFast(std::string_view(path).substr(start, stop - start));
            start = stop + 1;
        }
        skipSpaces(line, pos);
        std::int64_t seconds = -1;
        if (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
            // Wine writes an unsigned 32-bit number; a longer one is no time at all.
            seconds = 0;
            while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9' && seconds <= 0xffffffffLL)
                seconds = seconds * 10 + (line[pos++] - '0');
            if (seconds > 0xffffffffLL)
                seconds = -1;
        }
        if (seconds >= 0) {
            node->headerSeconds = seconds;
            node->modified = seconds * 10000000 + kTicks1601To1970;
        } else if (node->modified == 0) {
            node->modified = fileTimeNow();
        }
        return node;
    }

    bool run()
    {
        std::string_view line;
        if (!lines.next(line) || line != kFirstLine)
            return fail(1, "not a valid registry file (the first line must be \"WINE REGISTRY Version 2\")", {});
        Node* key = nullptr;
        while (lines.next(line)) {
            int lineNo = lines.number();
            if (!line.empty() && line[0] == '[') {
                key = readHeader(line, lineNo);
                if (!key)
                    return false;
                continue;
            }
            if (!key) {
                if (line.substr(0, kRootComment.size()) == kRootComment) {
                    std::u16string units;
                    std::size_t pos = kRootComment.size();
                    std::string raw = std::string(line.substr(pos)) + '\x01';
                    std::size_t p = 0;
                    readEscaped(raw, p, '\x01', units);
                    hive.rootPath = utf16ToUtf8(units);
                }
                hive.preamble.emplace_back(line);
                continue;
            }
            if (line.empty())
                continue;
            char c = line[0];
            if (c == '"' || c == '@') {
                if (!readValue(line, *key))
                    return false;
            } else if (line.substr(0, 6) == "#time=") {
                std::uint64_t t = 0;
                std::size_t i = 6;
                while (i < line.size() && hexDigit(line[i]) >= 0 && i < 22)
                    t = t * 16 + std::uint64_t(hexDigit(line[i++]));
                if (i == 6 || !restIsBlank(line, i))
                    return fail(lineNo, "Malformed time", line);
                key->modified = static_cast<std::int64_t>(t);
            } else if (line.substr(0, 8) == "#class=\"") {
                std::u16string units;
                std::size_t pos = 8;
                if (!readEscaped(line, pos, '"', units))
                    return fail(lineNo, "Malformed class name", line);
                key->className = utf16ToUtf8(units);
            } else if (line == "#link") {
                key->link = true;
            } else if (c == '#' || c == ';') {
                key->extraLines.emplace_back(line);
            } else {
                return fail(lineNo, "Unrecognized input", line);
            }
        }
        if (!hive.preamble.empty() && hive.preamble.back().empty())
            hive.preamble.pop_back();
        return true;
    }
};

} // namespace

Status parseHive(std::string_view text, std::string_view fileName, Hive& hive)
{
    hive.root = std::make_shared<Node>();
    hive.root->hive = &hive;
    hive.preamble.clear();
    Parser parser{fileName, LineReader(text), hive, {}};
    if (parser.run())
        return Status::success();
    hive.root = std::make_shared<Node>();
    hive.root->hive = &hive;
    hive.preamble.clear();
    return Status::failure(EIO, parser.error);
}

} // namespace orvane::reg
