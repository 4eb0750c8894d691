#pragma once
// The shredder's random generator: IA (indirection and addition), the 256-word predecessor of
// ISAAC, initialised with ISAAC's routine from a 1,024-byte pool of system seed material.
// Not reproducible and not to be seeded by callers; tests reach the pool through Unseeded.

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane {

class TIARand {
public:
    // Seeds itself from the running system (Reseed).
    TIARand();
    // A generator with an all-zero state and an empty pool: fill the pool with AddBytes /
    // AddWord / AddByte, then call InitState. For known-answer tests.
    struct Unseeded {};
    explicit TIARand(Unseeded) {}

    void Reseed();
    uint32_t NextWord();
    // Writes `count` random bytes into `buffer`, 1,024 bytes per round, then runs one more
    // round so the bytes handed out are no longer in the state.
    void FillRandom(void* buffer, size_t count);

    // Pool feeding; the pool is the byte image of Results and wraps after 1,024 bytes.
    void AddByte(uint8_t b);
    void AddWord(uint32_t w); // most significant byte first
    void AddBytes(const void* buffer, size_t n);

    void GatherEntropy();
    void InitState();

    // Read-only views for tests.
    const std::array<uint32_t, 256>& results() const { return Results; }
    int resultsLeft() const { return ResultsLeft; }
    uint64_t rounds() const { return rounds_; } // IA rounds run since creation
    // Pool byte i (0..1,023): byte i of the little-endian image of Results.
    uint8_t poolByte(size_t i) const { return uint8_t(Results[i / 4] >> (8 * (i % 4))); }

private:
    void Refill();

    std::array<uint32_t, 256> Results{}; // last IA round's output; the seed pool before InitState
    std::array<uint32_t, 256> Memory{};  // the IA state
    int32_t ResultsLeft = 0;             // words of Results not yet handed out by NextWord
    uint32_t Carry = 0;                  // carried from one IA round to the next
    int32_t PoolIndex = 0;               // next pool byte AddByte adds to (0..1,023)
    uint64_t rounds_ = 0;
};

} // namespace orvane
