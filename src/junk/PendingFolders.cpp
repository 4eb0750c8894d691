#include "junk/PendingFolders.h"

namespace orvane::junk {

PendingFolders::PendingFolders(size_t capacity) : capacity_(capacity < 1 ? 1 : capacity) { reset(); }

void PendingFolders::reset()
{
    count_ = 1;
    occupied_ = 0;
    slots_.assign(1, std::string());
    slots_.shrink_to_fit();
    used_.assign(1, 0);
    free_ = {};
    free_.push(1);
}

size_t PendingFolders::queue(std::string path)
{
    size_t slot = 0;
    if (!free_.empty()) {
        slot = free_.top();
        free_.pop();
    } else {
        if (count_ >= capacity_)
            return 0;
        slot = ++count_;
        slots_.emplace_back();
        used_.push_back(0);
    }
    slots_[slot - 1] = std::move(path);
    used_[slot - 1] = 1;
    ++occupied_;
    return slot;
}

void PendingFolders::release(size_t slot)
{
    if (!holds(slot))
        return;
    used_[slot - 1] = 0;
    std::string().swap(slots_[slot - 1]);
    --occupied_;
    free_.push(slot);
}

} // namespace orvane::junk
