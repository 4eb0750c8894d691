#include "platform/RegistryText.h"

namespace orvane::reg {

namespace {

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xc0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3f));
    } else if (cp < 0x10000) {
        out += char(0xe0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3f));
        out += char(0x80 | (cp & 0x3f));
    } else {
        out += char(0xf0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3f));
        out += char(0x80 | ((cp >> 6) & 0x3f));
        out += char(0x80 | (cp & 0x3f));
    }
}

// Decodes one code point at `i` (advancing it); invalid input gives U+FFFD and one byte.
char32_t decodeUtf8(std::string_view s, std::size_t& i)
{
    auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = b0 >= 0xf0 && b0 < 0xf5 ? 3 : b0 >= 0xe0 ? 2 : b0 >= 0xc2 ? 1 : -1;
    if (b0 >= 0xf5)
        extra = -1;
    if (extra < 0 || i + extra >= s.size()) {
        ++i;
        return 0xfffd;
    }
    char32_t cp = b0 & (0x3f >> extra);
    for (int k = 1; k <= extra; ++k) {
        auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xc0) != 0x80) {
            ++i;
            return 0xfffd;
        }
        cp = (cp << 6) | (b & 0x3f);
    }
    static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < minimum[extra] || cp > 0x10ffff) {
        ++i;
        return 0xfffd;
    }
    i += extra + 1;
    return cp;
}

// Yields the UTF-16 units of a UTF-8 string one at a time.
struct UnitReader {
    std::string_view s;
    std::size_t i = 0;
    char16_t pendingLow = 0;

    bool done() const { return pendingLow == 0 && i >= s.size(); }
    char16_t next()
    {
        if (pendingLow) {
            char16_t u = pendingLow;
            pendingLow = 0;
            return u;
        }
        char32_t cp = decodeUtf8(s, i);
        if (cp < 0x10000)
            return char16_t(cp);
        cp -= 0x10000;
        pendingLow = char16_t(0xdc00 | (cp & 0x3ff));
        return char16_t(0xd800 | (cp >> 10));
    }
};

} // namespace

std::string utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t u = text[i];
        if (u >= 0xd800 && u < 0xdc00 && i + 1 < text.size() && text[i + 1] >= 0xdc00 && text[i + 1] < 0xe000) {
            char32_t cp = 0x10000 + ((char32_t(u) - 0xd800) << 10) + (text[i + 1] - 0xdc00);
            appendUtf8(out, cp);
            ++i;
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

void utf16BytesToUtf8(std::string_view bytes, std::string& out)
{
    out.clear();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = bytes.size() / 2;
    for (std::size_t i = 0; i < n; ++i) {
        char16_t u = char16_t(p[2 * i] | (p[2 * i + 1] << 8));
        if (u < 0x80) {
            out += char(u);
            continue;
        }
        if (u >= 0xd800 && u < 0xdc00 && i + 1 < n) {
            char16_t low = char16_t(p[2 * i + 2] | (p[2 * i + 3] << 8));
            if (low >= 0xdc00 && low < 0xe000) {
                appendUtf8(out, 0x10000 + ((char32_t(u) - 0xd800) << 10) + (low - 0xdc00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, u);
    }
}

std::u16string utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    UnitReader reader{text};
    while (!reader.done())
        out += reader.next();
    return out;
}

std::u16string bytesToUnits(std::string_view bytes)
{
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = char16_t(static_cast<unsigned char>(bytes[2 * i]) | (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return out;
}

std::string unitsToBytes(std::u16string_view units)
{
    std::string out(units.size() * 2, '\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        out[2 * i] = char(units[i] & 0xff);
        out[2 * i + 1] = char(units[i] >> 8);
    }
    return out;
}

char16_t foldUnit(char16_t u)
{
    if (u < 0x80)
        return (u >= 'A' && u <= 'Z') ? char16_t(u + 32) : u;
    if (u >= 0xc0 && u <= 0xde && u != 0xd7)
        return char16_t(u + 32);
    if (u >= 0x100 && u <= 0x17f) {
        // Pairs upper/lower: even/odd, except 0x130-0x138 and 0x139-0x148 / 0x179-0x17e (odd/even).
        if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17e))
            return (u & 1) ? char16_t(u + 1) : u;
        if (u == 0x130 || u == 0x131 || u == 0x138 || u == 0x149 || u == 0x17f)
            return u;
        return (u & 1) ? u : char16_t(u + 1);
    }
    if (u >= 0x391 && u <= 0x3ab && u != 0x3a2)
        return char16_t(u + 32);
    if (u >= 0x410 && u <= 0x42f)
        return char16_t(u + 32);
    if (u >= 0x400 && u <= 0x40f)
        return char16_t(u + 80);
    return u;
}

int compareNames(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    // ASCII fast path: most names never leave it.
    for (; i < n; ++i) {
        auto ca = static_cast<unsigned char>(a[i]);
        auto cb = static_cast<unsigned char>(b[i]);
        if ((ca | cb) & 0x80)
            break;
        if (ca == cb)
            continue;
        ca = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
        cb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i == n)
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    UnitReader ra{a.substr(i)}, rb{b.substr(i)};
    while (!ra.done() && !rb.done()) {
        char16_t ua = foldUnit(ra.next());
        char16_t ub = foldUnit(rb.next());
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
    if (ra.done() && rb.done())
        return 0;
    return ra.done() ? -1 : 1;
}

std::size_t utf16Length(std::string_view text)
{
    std::size_t n = 0;
    for (unsigned char c : text) {
        if ((c & 0xc0) != 0x80)
            ++n;
        if (c >= 0xf0 && c < 0xf5)
            ++n; // four-byte sequences are surrogate pairs
    }
    return n;
}

std::string asciiUpper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return out;
}

} // namespace orvane::reg
