#include "junk/JunkPatterns.h"
#include "junk/MaskMatcher.h"
#include "platform/Wildcard.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace orvane::junk {
namespace {

TEST(MaskMatcher, AgreesWithTheListingsWildcardRulesOnRandomNames)
{
    std::vector<std::string> masks;
    for (const SearchMask& m : searchMasks())
        masks.emplace_back(m.mask);
    masks.emplace_back(DeadLinkMask);
    // Alphabet rich in the characters the masks are made of.
    const std::string alphabet = "aAtTmMpP.~$^_-!@?gGiIdDlLoOkKcChHsSnNwWrRxX #";
    std::mt19937 rng(11);
    for (int i = 0; i < 50000; ++i) {
        std::string name;
        const size_t length = 1 + rng() % 10;
        for (size_t k = 0; k < length; ++k)
            name += alphabet[rng() % alphabet.size()];
        if (rng() % 4 == 0) { // a real extension now and then
            const std::string& m = masks[rng() % masks.size()];
            name += m.substr(m.find('.') == std::string::npos ? 0 : m.find('.'));
        }
        for (const std::string& mask : masks)
            ASSERT_EQ(MaskMatcher(mask).matches(name), matchesWildcard(name, mask)) << name << " vs " << mask;
    }
}

TEST(MaskMatcher, JunkNames)
{
    struct Case {
        const char* mask;
        const char* name;
        bool match;
    } cases[] = {
        {"*.TMP", "report.tmp", true}, {"*.TMP", "REPORT.TMP", true}, {"*.TMP", "a.tmp.tmp", true},
        {"*.TMP", "a.tmpx", false},    {"*.TMP", ".tmp", true},       {"~*.*", "~x.tmp", true},
        {"~*.*", "~abc", true},        {"*.~*", "a.~1", true},        {"*.*~", "a.txt~", true},
        {"*.??$", "a.ab$", true},      {"*.??$", "a.a$", false},       {"CHKLIST.MS", "chklist.ms", true},
        {"CHKLIST.MS", "chklist.msx", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaskMatcher(c.mask).matches(c.name), c.match) << c.mask << " " << c.name;
}

} // namespace
} // namespace orvane::junk
