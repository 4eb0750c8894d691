// Known answers come from isaac_ref.py beside this file (its output is isaac_ref.out).
#include "platform/SeedSources.h"
#include "shredder/TIARand.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace orvane {
namespace {

uint64_t fnv1a64(const std::vector<uint8_t>& data)
{
    uint64_t h = 0xCBF29CE484222325ULL;
    for (uint8_t b : data) {
        h ^= b;
        h *= 0x100000001B3ULL;
    }
    return h;
}

struct KnownAnswer {
    const char* name;
    std::function<void(TIARand&)> feed;
    uint32_t word1, word2, word256, word257;
    uint64_t fillHash;
    uint8_t fillFirst, fillLast;
    uint32_t wordAfterFill;
};

const KnownAnswer kKnown[] = {
    {"zero", [](TIARand&) {}, 0xF980F760, 0xCC6A40E0, 0xAF311494, 0xAD1F22D9,
     0xA9F21F92FF3BE550ULL, 0x39, 0x73, 0x016409E7},
    {"ramp",
     [](TIARand& r) {
         std::vector<uint8_t> pool(1024);
         for (size_t i = 0; i < pool.size(); ++i)
             pool[i] = uint8_t(i * 7 + 3);
         r.AddBytes(pool.data(), pool.size());
     },
     0x5632D3FF, 0x7C41E770, 0xF1E58C9E, 0x39BB5E85, 0xC2405F07793AD382ULL, 0x90, 0xA0, 0x4A74E9CE},
    {"words",
     [](TIARand& r) {
         for (uint32_t i = 0; i < 256; ++i)
             r.AddWord(0x01000193u * (i + 1));
     },
     0xD20CCE47, 0xD332B616, 0xDD2B7C2B, 0xF1925732, 0x78CBACD016229EB0ULL, 0xC8, 0x5E, 0x2EF5BDB0},
};

TIARand seeded(const KnownAnswer& known)
{
    TIARand r{TIARand::Unseeded{}};
    known.feed(r);
    r.InitState();
    return r;
}

TEST(TIARand, WordsMatchTheReferenceAndCountDownFrom255)
{
    for (const auto& known : kKnown) {
        SCOPED_TRACE(known.name);
        TIARand r = seeded(known);
        EXPECT_EQ(r.rounds(), 1u);
        const auto initial = r.results();
        std::vector<uint32_t> words;
        for (int i = 0; i < 257; ++i)
            words.push_back(r.NextWord());
        EXPECT_EQ(words[0], known.word1);
        EXPECT_EQ(words[1], known.word2);
        EXPECT_EQ(words[255], known.word256);
        EXPECT_EQ(words[256], known.word257);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(words[size_t(i)], initial[size_t(255 - i)]) << "word " << i + 1;
        EXPECT_EQ(r.rounds(), 2u); // only the 257th word started a round
        EXPECT_EQ(words[256], r.results()[255]);
    }
}

TEST(TIARand, FillRandomMatchesTheReference)
{
    for (const auto& known : kKnown) {
        SCOPED_TRACE(known.name);
        TIARand r = seeded(known);
        std::vector<uint8_t> data(1500);
        r.FillRandom(data.data(), data.size());
        EXPECT_EQ(fnv1a64(data), known.fillHash);
        EXPECT_EQ(data.front(), known.fillFirst);
        EXPECT_EQ(data.back(), known.fillLast);
        EXPECT_EQ(r.resultsLeft(), 256); // FillRandom leaves the word output where it was
        EXPECT_EQ(r.NextWord(), known.wordAfterFill);
    }
}

TEST(TIARand, FillRandomRunsOneRoundPerBlockPlusOne)
{
    const struct {
        size_t count;
        uint64_t rounds;
    } cases[] = {{0, 1}, {1, 2}, {1023, 2}, {1024, 2}, {1025, 3}, {1500, 3}, {2048, 3}, {135168, 133}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        TIARand r{TIARand::Unseeded{}};
        r.InitState();
        const uint64_t before = r.rounds();
        std::vector<uint8_t> data(c.count + 8, 0xEE);
        r.FillRandom(data.data(), c.count);
        EXPECT_EQ(r.rounds() - before, c.rounds);
        for (size_t i = c.count; i < data.size(); ++i)
            ASSERT_EQ(data[i], 0xEE) << "wrote past the count at " << i;
    }
}

TEST(TIARand, HandedOutBytesAreNotLeftInTheResults)
{
    TIARand r{TIARand::Unseeded{}};
    r.InitState();
    std::vector<uint8_t> data(1500);
    r.FillRandom(data.data(), data.size());
    const auto& results = r.results();
    EXPECT_NE(0, std::memcmp(data.data() + 1024, results.data(), 476));
    EXPECT_NE(0, std::memcmp(data.data(), results.data(), 1024));
}

TEST(TIARand, PoolWrapsAfter1024Bytes)
{
    TIARand r{TIARand::Unseeded{}};
    std::vector<uint8_t> pool(1024, 0x10);
    r.AddBytes(pool.data(), pool.size());
    r.AddByte(0xF5); // the 1,025th byte lands on byte 0, modulo 256
    EXPECT_EQ(r.poolByte(0), 0x05);
    EXPECT_EQ(r.poolByte(1), 0x10);
    EXPECT_EQ(r.poolByte(1023), 0x10);
}

TEST(TIARand, WordsEnterThePoolMostSignificantByteFirst)
{
    TIARand r{TIARand::Unseeded{}};
    r.AddWord(0x11223344);
    EXPECT_EQ(r.poolByte(0), 0x11);
    EXPECT_EQ(r.poolByte(3), 0x44);
    EXPECT_EQ(r.results()[0], 0x44332211u); // the pool is the little-endian image of Results
}

TEST(TIARand, SystemSeededGeneratorsDiffer)
{
    TIARand a;
    TIARand b;
    std::vector<uint8_t> x(4096), y(4096);
    a.FillRandom(x.data(), x.size());
    b.FillRandom(y.data(), y.size());
    EXPECT_NE(x, y);
    EXPECT_EQ(a.resultsLeft(), 256);
}

} // namespace
} // namespace orvane

namespace orvane {
namespace {

// The seed material keeps the shape of the original sources, row by row: words, one byte,
// and structures of the sizes the generator was written for.
TEST(SeedSources, ComeInTheOriginalShape)
{
    const auto items = gatherSeedSources();
    std::string shape;
    for (const auto& item : items) {
        if (item.kind == SeedItem::Word)
            shape += "W ";
        else if (item.kind == SeedItem::Byte)
            shape += "b ";
        else
            shape += "B" + std::to_string(item.bytes.size()) + " ";
    }
    const std::string head = "W W W W W W W W W W W b W W W W W W B16 B8 B16 B8 B8 B32 B8 B8 B8 B8 B8 B8 B8 B8 W W B68 B36 B8 ";
    EXPECT_EQ(shape.rfind(head, 0), 0u) << shape;
    EXPECT_TRUE(shape.ends_with("B40 B32 ")) << shape; // heap figures, then the kernel's bytes
    const auto again = gatherSeedSources();
    ASSERT_EQ(again.size(), items.size());
    EXPECT_NE(again.back().bytes, items.back().bytes);
}

} // namespace
} // namespace orvane
