#include "platform/Wildcard.h"

#include "platform/WinPath.h"

#include <cstdint>
#include <cstring>
#include <vector>

// The mask is read the way FindFirstFileA hands it to the file system:
//   '?'                     -> "dos question mark": any one character but '.', or nothing
//                              at a '.' or at the end of the name;
//   '*' followed by '.'     -> "dos star": any run that does not take the name's last '.';
//   '.' before '?', '*' or
//   at the end of the mask  -> "dos dot": a '.', or nothing at the end of the name;
//   other '*'               -> any run; anything else matches itself, ASCII case ignored.
// So "*.*" matches every name, "*." only names without a dot, "~*.*" also "~abc".
// The match simulates the mask as a set of live positions, so it needs no backtracking and,
// for masks of ordinary length, no allocation.

namespace orvane {

namespace {

enum class Token : unsigned char { Literal, Star, DosStar, DosQuestion, DosDot };

Token tokenAt(std::string_view mask, size_t i)
{
    const char c = mask[i];
    const bool last = i + 1 == mask.size();
    const char next = last ? '\0' : mask[i + 1];
    if (c == '?')
        return Token::DosQuestion;
    if (c == '*')
        return next == '.' ? Token::DosStar : Token::Star;
    if (c == '.' && (last || next == '?' || next == '*'))
        return Token::DosDot;
    return Token::Literal;
}

using winpath::equalsNoCase;
constexpr auto lower = winpath::lowerAscii;

// Adds every position reachable from the live ones without consuming a character.
// `at` is the name character now under the mask ('\0' with atEnd at the end of the name).
void close(std::string_view mask, unsigned char* live, char at, bool atEnd)
{
    for (size_t i = 0; i < mask.size(); ++i) {
        if (!live[i])
            continue;
        switch (tokenAt(mask, i)) {
        case Token::Star:
        case Token::DosStar:
            live[i + 1] = 1;
            break;
        case Token::DosQuestion:
            if (atEnd || at == '.')
                live[i + 1] = 1;
            break;
        case Token::DosDot:
            if (atEnd)
                live[i + 1] = 1;
            break;
        case Token::Literal:
            break;
        }
    }
}

bool simulate(std::string_view name, std::string_view mask, unsigned char* live, unsigned char* next)
{
    const size_t states = mask.size() + 1;
    const size_t lastDotPos = name.rfind('.');

    std::memset(live, 0, states);
    live[0] = 1;
    for (size_t n = 0; n < name.size(); ++n) {
        const char c = name[n];
        close(mask, live, c, false);
        std::memset(next, 0, states);
        bool any = false;
        for (size_t i = 0; i < mask.size(); ++i) {
            if (!live[i])
                continue;
            bool stay = false;
            bool advance = false;
            switch (tokenAt(mask, i)) {
            case Token::Star:
                stay = true;
                break;
            case Token::DosStar:
                stay = n != lastDotPos;
                break;
            case Token::DosQuestion:
                advance = c != '.';
                break;
            case Token::DosDot:
                advance = c == '.';
                break;
            case Token::Literal:
                advance = lower(mask[i]) == lower(c);
                break;
            }
            if (stay)
                next[i] = 1;
            if (advance)
                next[i + 1] = 1;
            any = any || stay || advance;
        }
        if (!any)
            return false;
        std::memcpy(live, next, states);
    }
    close(mask, live, '\0', true);
    return live[mask.size()] != 0;
}

// Masks shorter than 64 characters: the live positions are the bits of one word, and each
// name character costs a handful of word operations.
bool simulateBits(std::string_view name, std::string_view mask)
{
    uint64_t stars = 0;    // '*': stays on any character, may take nothing
    uint64_t dosStars = 0; // '*' before '.': stays on anything but the name's last dot
    uint64_t questions = 0;
    uint64_t dots = 0;
    uint64_t literals = 0;
    for (size_t i = 0; i < mask.size(); ++i) {
        const uint64_t bit = uint64_t(1) << i;
        switch (tokenAt(mask, i)) {
        case Token::Star: stars |= bit; break;
        case Token::DosStar: dosStars |= bit; break;
        case Token::DosQuestion: questions |= bit; break;
        case Token::DosDot: dots |= bit; break;
        case Token::Literal: literals |= bit; break;
        }
    }
    const uint64_t anyStar = stars | dosStars;
    const auto close = [&](uint64_t live, uint64_t skippable) {
        for (;;) {
            const uint64_t grown = live | ((live & skippable) << 1);
            if (grown == live)
                return live;
            live = grown;
        }
    };
    const size_t lastDot = name.rfind('.');
    uint64_t live = 1;
    for (size_t n = 0; n < name.size(); ++n) {
        const char c = name[n];
        const bool dot = c == '.';
        live = close(live, anyStar | (dot ? questions : 0));
        uint64_t advance = dot ? dots : questions;
        for (uint64_t rest = live & literals; rest; rest &= rest - 1) {
            const int i = __builtin_ctzll(rest);
            if (lower(mask[size_t(i)]) == lower(c))
                advance |= uint64_t(1) << i;
        }
        const uint64_t stay = stars | (n == lastDot ? 0 : dosStars);
        live = (live & stay) | ((live & advance) << 1);
        if (!live)
            return false;
    }
    live = close(live, anyStar | questions | dots);
    return (live >> mask.size()) & 1;
}

} // namespace

bool matchesWildcard(std::string_view name, std::string_view mask)
{
    if (mask == "*" || mask == "*.*")
        return true;
    // The common shapes, answered directly: a plain name, and "*.EXT" (the dos star ends at
    // the last dot, so the extension is what follows the name's last dot).
    const size_t special = mask.find_first_of("*?");
    if (special == std::string_view::npos && (mask.empty() || mask.back() != '.'))
        return equalsNoCase(name, mask);
    if (special == 0 && mask[0] == '*' && mask.size() > 2 && mask[1] == '.' && mask.find_first_of("*?.", 2) == std::string_view::npos) {
        const std::string_view extension = mask.substr(2);
        return name.size() > extension.size() && name[name.size() - extension.size() - 1] == '.'
            && equalsNoCase(name.substr(name.size() - extension.size()), extension);
    }
    if (mask.size() < 64)
        return simulateBits(name, mask);
    std::vector<unsigned char> buffer(2 * (mask.size() + 1));
    return simulate(name, mask, buffer.data(), buffer.data() + mask.size() + 1);
}

} // namespace orvane
