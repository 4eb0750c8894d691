#include "shredder/TIARand.h"

#include "platform/SeedSources.h"

#include <bit>
#include <cstring>

namespace orvane {
namespace {

struct Mix {
    uint32_t a, b, c, d, e, f, g, h;

    void run()
    {
        a ^= b << 11; d += a; b += c;
        b ^= c >> 2;  e += b; c += d;
        c ^= d << 8;  f += c; d += e;
        d ^= e >> 16; g += d; e += f;
        e ^= f << 10; h += e; f += g;
        f ^= g >> 4;  a += f; g += h;
        g ^= h << 8;  b += g; h += a;
        h ^= a >> 9;  c += h; a += b;
    }
    void add(const uint32_t* w)
    {
        a += w[0]; b += w[1]; c += w[2]; d += w[3];
        e += w[4]; f += w[5]; g += w[6]; h += w[7];
    }
    void store(uint32_t* w) const
    {
        w[0] = a; w[1] = b; w[2] = c; w[3] = d;
        w[4] = e; w[5] = f; w[6] = g; w[7] = h;
    }
};

// The pool and the random bytes are the little-endian image of the words.
void copyLittleEndian(uint8_t* out, const uint32_t* words, size_t bytes)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, words, bytes);
    } else {
        for (size_t i = 0; i < bytes; ++i)
            out[i] = uint8_t(words[i / 4] >> (8 * (i % 4)));
    }
}

} // namespace

TIARand::TIARand()
{
    Reseed();
}

void TIARand::Reseed()
{
    PoolIndex = 0;
    Results.fill(0);
    Memory.fill(0);
    ResultsLeft = 0;
    Carry = 0;
    GatherEntropy();
    InitState();
}

void TIARand::AddByte(uint8_t b)
{
    if (PoolIndex > 1023)
        PoolIndex = 0;
    const size_t word = size_t(PoolIndex) / 4;
    const unsigned shift = 8 * (unsigned(PoolIndex) % 4);
    const uint8_t sum = uint8_t(uint8_t(Results[word] >> shift) + b);
    Results[word] = (Results[word] & ~(0xFFu << shift)) | (uint32_t(sum) << shift);
    ++PoolIndex;
}

void TIARand::AddWord(uint32_t w)
{
    AddByte(uint8_t(w >> 24));
    AddByte(uint8_t(w >> 16));
    AddByte(uint8_t(w >> 8));
    AddByte(uint8_t(w));
}

void TIARand::AddBytes(const void* buffer, size_t n)
{
    const auto* p = static_cast<const uint8_t*>(buffer);
    for (size_t i = 0; i < n; ++i)
        AddByte(p[i]);
}

void TIARand::GatherEntropy()
{
    for (const SeedItem& item : gatherSeedSources()) {
        switch (item.kind) {
        case SeedItem::Word: AddWord(item.value); break;
        case SeedItem::Byte: AddByte(uint8_t(item.value)); break;
        case SeedItem::Bytes: AddBytes(item.bytes.data(), item.bytes.size()); break;
        }
    }
}

void TIARand::InitState()
{
    Carry = 0;
    Mix m{0x9E3779B9, 0x9E3779B9, 0x9E3779B9, 0x9E3779B9, 0x9E3779B9, 0x9E3779B9, 0x9E3779B9, 0x9E3779B9};
    for (int i = 0; i < 4; ++i)
        m.run();
    for (size_t i = 0; i < 256; i += 8) {
        m.add(&Results[i]);
        m.run();
        m.store(&Memory[i]);
    }
    for (size_t i = 0; i < 256; i += 8) {
        m.add(&Memory[i]);
        m.run();
        m.store(&Memory[i]);
    }
    Refill();
    ResultsLeft = 256;
}

void TIARand::Refill()
{
    uint32_t k = Carry;
    uint32_t* mem = Memory.data();
    uint32_t* res = Results.data();
    for (size_t i = 0; i < 256; ++i) {
        const uint32_t x = mem[i];
        const uint32_t y = mem[x & 0xFF] + k;
        mem[i] = y;
        k = mem[(y >> 8) & 0xFF] + x;
        res[i] = k;
    }
    Carry = k;
    ++rounds_;
}

uint32_t TIARand::NextWord()
{
    if (ResultsLeft == 0) {
        Refill();
        ResultsLeft = 255;
    } else {
        --ResultsLeft;
    }
    return Results[size_t(ResultsLeft)];
}

void TIARand::FillRandom(void* buffer, size_t count)
{
    auto* out = static_cast<uint8_t*>(buffer);
    constexpr size_t block = sizeof Results;
    for (; count >= block; count -= block, out += block) {
        Refill();
        copyLittleEndian(out, Results.data(), block);
    }
    if (count > 0) {
        Refill();
        copyLittleEndian(out, Results.data(), count);
    }
    Refill();
}

} // namespace orvane
