#include "platform/Wildcard.h"

#include <gtest/gtest.h>

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

TEST(Wildcard, VeryLongMaskStillMatches)
{
    const std::string name(2000, 'a');
    EXPECT_TRUE(matchesWildcard(name, std::string(1000, '?') + "*"));
    EXPECT_FALSE(matchesWildcard(name, std::string(1000, 'a') + "b*"));
}

} // namespace
