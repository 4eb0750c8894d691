#include "platform/Wildcard.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using orvane::matchesWildcard;

namespace {

struct Case {
    const char* mask;
    const char* name;
    bool match;
};

// What FindFirstFileA answers for each pair (long names, no 8.3 aliases).
const Case kCases[] = {
    // "*.*" and "*" take everything, dots or not.
    {"*.*", "readme", true},
    {"*.*", "a.b.c", true},
    {"*.*", ".profile", true},
    {"*", "x.tmp", true},
    // Extension masks, case ignored, last extension counts.
    {"*.TMP", "x.tmp", true},
    {"*.TMP", "X.Tmp", true},
    {"*.TMP", "a.b.tmp", true},
    {"*.TMP", "x.tmp.bak", false},
    {"*.TMP", "xtmp", false},
    {"*.TMP", ".tmp", true},
    {"*.TMP", "x.tmpx", false},
    // "~*.*": names starting with '~', with or without a dot.
    {"~*.*", "~x.doc", true},
    {"~*.*", "~lock", true},
    {"~*.*", "~", true},
    {"~*.*", "x~.doc", false},
    // "*.~*": extension starting with '~'.
    {"*.~*", "a.~mp", true},
    {"*.~*", "a.~", true},
    {"*.~*", "a.~x.c", true},
    {"*.~*", "a~b", false},
    {"*.~*", "a.b~", false},
    // "*.*~": a dot somewhere, name ending with '~'.
    {"*.*~", "a.txt~", true},
    {"*.*~", "a.~", true},
    {"*.*~", "a~", false},
    {"*.*~", "a.txt", false},
    // "*.??$": a '?' takes one character, or nothing at a dot or the end.
    {"*.??$", "setup.ex$", true},
    {"*.??$", "a.b.dl$", true},
    {"*.??$", "a.x$", false},
    {"*.??$", "a.$", false},
    {"*.??$", "a.exe$", false},
    {"*.??$", "ab$", false},
    // Plain names.
    {"CHKLIST.MS", "chklist.ms", true},
    {"CHKLIST.MS", "ChkList.Ms", true},
    {"CHKLIST.MS", "chklist.msx", false},
    {"CHKLIST.MS", "xchklist.ms", false},
    // A mask ending in '.' wants names without an extension.
    {"*.", "readme", true},
    {"*.", "read.me", false},
    {"READ*.", "readme", true},
    // '?' runs before a dot may match fewer characters.
    {"a??.txt", "a.txt", true},
    {"a??.txt", "ab.txt", true},
    {"a??.txt", "abcd.txt", false},
    {"a?b", "a.b", false},
    {"?", "", true},
    {"?", "ab", false},
    // Non-ASCII bytes compare exactly.
    {"*.TXT", "\xc3\xa9t\xc3\xa9.txt", true},
    {"\xc3\xa9*", "\xc3\x89t\xc3\xa9", false},
    {"", "", true},
    {"", "a", false},
};

TEST(Wildcard, FindFirstFileRules)
{
    for (const Case& c : kCases)
        EXPECT_EQ(matchesWildcard(c.name, c.mask), c.match) << "mask '" << c.mask << "' name '" << c.name << "'";
}

// The file system's matching written down literally: each mask character becomes its FindFirstFile
// meaning and every way of matching is tried by recursion. Exponential, but plain to read.
bool referenceMatch(std::string_view name, size_t n, std::string_view mask, size_t m)
{
    if (m == mask.size())
        return n == name.size();
    const char c = mask[m];
    const bool last = m + 1 == mask.size();
    const char next = last ? '\0' : mask[m + 1];
    const bool atEnd = n == name.size();
    const auto lower = [](char x) { return (x >= 'A' && x <= 'Z') ? char(x - 'A' + 'a') : x; };
    if (c == '*') {
        const size_t lastDot = name.rfind('.');
        for (size_t k = n; k <= name.size(); ++k) {
            // Followed by '.', the star may not take the name's last dot.
            if (next == '.' && k > n && k - 1 == lastDot)
                break;
            if (referenceMatch(name, k, mask, m + 1))
                return true;
        }
        return false;
    }
    if (c == '?') {
        if (atEnd || name[n] == '.')
            return referenceMatch(name, n, mask, m + 1);
        return referenceMatch(name, n + 1, mask, m + 1);
    }
    if (c == '.' && (last || next == '?' || next == '*')) {
        if (atEnd)
            return referenceMatch(name, n, mask, m + 1);
        return name[n] == '.' && referenceMatch(name, n + 1, mask, m + 1);
    }
    return !atEnd && lower(name[n]) == lower(c) && referenceMatch(name, n + 1, mask, m + 1);
}

TEST(Wildcard, SameAnswersAsTheLiteralDefinition)
{
    std::mt19937 random(20260101);
    const std::string nameChars = "aAb.~$";
    const std::string maskChars = "aBb.~$*?";
    const std::string extensionChars = "aB~$";
    const auto pick = [&](const std::string& from, size_t maxLength) {
        std::string out(random() % (maxLength + 1), ' ');
        for (char& c : out)
            c = from[random() % from.size()];
        return out;
    };
    for (int i = 0; i < 200000; ++i) {
        const std::string name = pick(nameChars, 8);
        // Every third mask has the common "*.EXT" or plain-name shape.
        const std::string mask = i % 3 == 0 ? "*." + pick(extensionChars, 3) : i % 3 == 1 ? pick(maskChars, 6) : pick(nameChars, 4);
        if (mask == "*" || mask == "*.*")
            continue; // shortcuts the literal reading agrees with trivially
        const bool expected = referenceMatch(name, 0, mask, 0);
        ASSERT_EQ(matchesWildcard(name, mask), expected) << "mask '" << mask << "' name '" << name << "'";
        // The same question asked with a mask too long for the one-word simulation.
        if (i % 16 == 0) {
            const std::string longName = std::string(70, 'x') + name;
            const std::string longMask = std::string(70, '?') + mask;
            ASSERT_EQ(matchesWildcard(longName, longMask), expected) << "mask '" << mask << "' name '" << name << "'";
        }
    }
}

TEST(Wildcard, VeryLongMaskStillMatches)
{
    const std::string name(2000, 'a');
    EXPECT_TRUE(matchesWildcard(name, std::string(1000, '?') + "*"));
    EXPECT_FALSE(matchesWildcard(name, std::string(1000, 'a') + "b*"));
}

} // namespace
