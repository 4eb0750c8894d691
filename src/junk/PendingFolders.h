#pragma once
// The folder-slot table of the drive scan: fixed capacity, slots numbered from 1, free slots
// below the high-water count reused lowest first (kept in a min-heap, not searched for).

#include <cstddef>
#include <functional>
#include <queue>
#include <string>
#include <vector>

namespace orvane::junk {

class PendingFolders {
public:
    static constexpr size_t DefaultCapacity = 250000;

    explicit PendingFolders(size_t capacity = DefaultCapacity);

    // Count 1, slot 1 free, every other slot forgotten.
    void reset();
    // QueueFolder: the lowest free slot among 1..count, else a new slot count + 1. Returns the
    // slot number, or 0 when the table is full (nothing is stored).
    size_t queue(std::string path);
    // FindPendingFolder: some slot holds a path.
    bool anyPending() const { return occupied_ > 0; }
    // ReleaseFolder for a slot known to hold the path (the one being visited).
    void release(size_t slot);

    size_t count() const { return count_; } // high-water count of slots, at least 1
    size_t capacity() const { return capacity_; }
    bool holds(size_t slot) const { return slot >= 1 && slot <= count_ && used_[slot - 1]; }
    const std::string& path(size_t slot) const { return slots_[slot - 1]; }

private:
    size_t capacity_;
    size_t count_ = 1;
    size_t occupied_ = 0;
    std::vector<std::string> slots_; // grows with the high-water count
    std::vector<char> used_;
    std::priority_queue<size_t, std::vector<size_t>, std::greater<size_t>> free_; // free slots <= count
};

} // namespace orvane::junk
