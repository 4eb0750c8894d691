#include "platform/Wildcard.h"

#include <cstring>
#include <vector>

// The mask is read the way FindFirstFileA hands it to the file system:
//   '?'                     -> "dos question mark": any one character, or nothing at a '.'
//                              or at the end of the name;
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

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

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
                advance = true;
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

} // namespace

bool matchesWildcard(std::string_view name, std::string_view mask)
{
    if (mask == "*" || mask == "*.*")
        return true;
    constexpr size_t kStackStates = 512;
    if (mask.size() < kStackStates) {
        unsigned char live[kStackStates];
        unsigned char next[kStackStates];
        return simulate(name, mask, live, next);
    }
    std::vector<unsigned char> buffer(2 * (mask.size() + 1));
    return simulate(name, mask, buffer.data(), buffer.data() + mask.size() + 1);
}

} // namespace orvane
