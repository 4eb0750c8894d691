#pragma once
// Volatile facts of the running system that seed the shredder's random generator: clocks,
// counters, process and thread ids, memory and disk figures, /proc/self/stat and a few bytes
// of the kernel's random source. None of them is secret on its own; together they make two
// generators created at different moments start from different states.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

// One piece of seed material and how the generator takes it into its pool.
struct SeedItem {
    enum Kind { Word, Byte, Bytes };
    Kind kind = Word;
    uint32_t value = 0;         // Word and Byte (low 8 bits)
    std::vector<uint8_t> bytes; // Bytes: a structure as the system returned it
};

// The seed material, in a fixed order: the same kinds of source as the generator's original
// Windows queries, row for row, with getrandom bytes as one more source at the end.
std::vector<SeedItem> gatherSeedSources();

// The memory page size in bytes (sysconf(_SC_PAGESIZE)); 4,096 if the system does not say.
size_t systemPageSize();

} // namespace orvane
