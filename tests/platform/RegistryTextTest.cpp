#include "platform/RegistryText.h"
#include "platform/RegistryTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace orvane::reg;

namespace {

// Wine's rule written out literally: both names as UTF-16, each unit lower-cased, compared
// unit by unit, a shorter prefix first.
int referenceCompare(std::string_view a, std::string_view b)
{
    std::u16string ua = utf8ToUtf16(a), ub = utf8ToUtf16(b);
    for (auto& u : ua)
        u = foldUnit(u);
    for (auto& u : ub)
        u = foldUnit(u);
    return ua < ub ? -1 : ua == ub ? 0 : 1;
}

std::string randomName(std::mt19937& rng)
{
    static const char* const kPieces[] = {"a", "A", "b", "B", "_", "z", "Z", "0", "~", " ", "\xc3\xa9", "\xc3\x89",
                                          "\xe4\xb8\xad", "\xf0\x9f\x8c\x8d", "\xef\xbf\xbd", "\xd0\x96", "\xd0\xb6",
                                          "\xc4\x80", "\xc4\x81", "\xed\xa0\xbc", "\xff"};
    std::string name;
    int length = int(rng() % 6);
    for (int i = 0; i < length; ++i)
        name += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
    return name;
}

} // namespace

TEST(RegistryText, FastNameOrderMatchesTheLiteralRule)
{
    std::mt19937 rng(7);
    for (int i = 0; i < 200000; ++i) {
        std::string a = randomName(rng), b = randomName(rng);
        ASSERT_EQ(compareNames(a, b), referenceCompare(a, b)) << a << " | " << b;
    }
}

TEST(RegistryText, SortedInsertionGivesTheReferenceOrder)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        Node node;
        std::vector<std::string> names;
        for (int i = 0; i < 50; ++i) {
            std::string name = randomName(rng);
            bool created = false;
            node.addSubkey(name, &created);
            if (created)
                names.push_back(name);
        }
        std::stable_sort(names.begin(), names.end(),
                         [](const std::string& x, const std::string& y) { return referenceCompare(x, y) < 0; });
        ASSERT_EQ(node.subkeys.size(), names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            ASSERT_EQ(node.subkeys[i]->name, names[i]);
    }
}

TEST(RegistryText, ConversionsRoundTripEveryUnit)
{
    struct Case {
        std::u16string units;
    } cases[] = {
        {u"plain"}, {u"caf\u00e9 \u4e2d"}, {u"\U0001F30D"}, {std::u16string(1, char16_t(0xd83c))},
        {std::u16string(1, char16_t(0xdf0d)) + u"x"}, {std::u16string(u"a\0b", 3)},
    };
    for (const Case& c : cases) {
        std::string utf8 = utf16ToUtf8(c.units);
        EXPECT_EQ(utf8ToUtf16(utf8), c.units);
        std::string viaBytes;
        utf16BytesToUtf8(unitsToBytes(c.units), viaBytes);
        EXPECT_EQ(viaBytes, utf8);
        EXPECT_EQ(utf16Length(utf8), c.units.size());
    }
    EXPECT_EQ(utf8ToUtf16("a\xff" "b"), u"a\ufffd" "b") << "invalid bytes become U+FFFD";
}
