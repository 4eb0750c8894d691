#include "junk/PendingFolders.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace orvane::junk {
namespace {

// The table as first described: a linear search for the lowest free slot and for the path.
class LinearSlots {
public:
    explicit LinearSlots(size_t capacity) : capacity_(capacity) { slots_.assign(1, Free); }
    size_t queue(const std::string& path)
    {
        for (size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i] == Free) {
                slots_[i] = path;
                return i + 1;
            }
        if (slots_.size() >= capacity_)
            return 0;
        slots_.push_back(path);
        return slots_.size();
    }
    void release(const std::string& path)
    {
        for (auto& s : slots_)
            if (s == path) {
                s = Free;
                return;
            }
    }
    size_t count() const { return slots_.size(); }

private:
    inline static const std::string Free = "\x01free";
    size_t capacity_;
    std::vector<std::string> slots_;
};

TEST(PendingFolders, StartsWithOneFreeSlotAndReusesTheLowestFreedSlot)
{
    PendingFolders t(10);
    EXPECT_EQ(t.count(), 1u);
    EXPECT_FALSE(t.anyPending());
    EXPECT_EQ(t.queue("a"), 1u);
    EXPECT_EQ(t.queue("b"), 2u);
    EXPECT_EQ(t.queue("c"), 3u);
    EXPECT_EQ(t.queue("d"), 4u);
    t.release(3);
    t.release(2);
    EXPECT_EQ(t.queue("e"), 2u); // lowest free first, whatever the order of release
    EXPECT_EQ(t.queue("f"), 3u);
    EXPECT_EQ(t.queue("g"), 5u);
    EXPECT_EQ(t.count(), 5u);
    EXPECT_EQ(t.path(2), "e");
    t.reset();
    EXPECT_EQ(t.count(), 1u);
    EXPECT_FALSE(t.anyPending());
    EXPECT_EQ(t.queue("x"), 1u);
}

TEST(PendingFolders, AFullTableRefusesAndKeepsWhatItHolds)
{
    PendingFolders t(3);
    EXPECT_EQ(t.queue("a"), 1u);
    EXPECT_EQ(t.queue("b"), 2u);
    EXPECT_EQ(t.queue("c"), 3u);
    EXPECT_EQ(t.queue("d"), 0u);
    EXPECT_EQ(t.count(), 3u);
    EXPECT_EQ(t.path(3), "c");
    t.release(2);
    EXPECT_EQ(t.queue("d"), 2u);
}

TEST(PendingFolders, MatchesTheLinearTableOnRandomOperations)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        const size_t capacity = 1 + rng() % 40;
        PendingFolders fast(capacity);
        LinearSlots slow(capacity);
        std::vector<std::pair<size_t, std::string>> held;
        for (int op = 0; op < 300; ++op) {
            if (held.empty() || rng() % 3 != 0) {
                const std::string path = "p" + std::to_string(round) + "_" + std::to_string(op);
                const size_t a = fast.queue(path);
                ASSERT_EQ(a, slow.queue(path)) << "round " << round << " op " << op;
                if (a)
                    held.emplace_back(a, path);
            } else {
                const size_t k = rng() % held.size();
                fast.release(held[k].first);
                slow.release(held[k].second);
                held.erase(held.begin() + long(k));
            }
            ASSERT_EQ(fast.count(), slow.count());
            ASSERT_EQ(fast.anyPending(), !held.empty());
        }
    }
}

} // namespace
} // namespace orvane::junk
