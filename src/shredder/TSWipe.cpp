#include "shredder/TSWipe.h"

#include "platform/SeedSources.h"
#include "platform/WinPath.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace orvane {

const TSWipe::PassList TSWipe::PatternTable = {
    -1, -1, -1, -1,
    0x555555, 0xAAAAAA, 0x924924, 0x492492, 0x249249,
    0x000000, 0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x666666, 0x777777,
    0x888888, 0x999999, 0xAAAAAA, 0xBBBBBB, 0xCCCCCC, 0xDDDDDD, 0xEEEEEE, 0xFFFFFF,
    0x924924, 0x492492, 0x249249, 0x6DB6DB, 0xB6DB6D, 0xDB6DB6,
    -1, -1, -1, -1,
};

std::string passStatusText(std::string_view path, int pass)
{
    return "Deleting file : " + std::string(path) + "  Pass : " + std::to_string(pass);
}

namespace {

std::string reason(const Status& status)
{
    return status.message.empty() ? std::strerror(status.code) : status.message;
}

// Zeroes memory in a way the optimiser may not drop.
void scrub(void* data, size_t size)
{
    volatile auto* p = static_cast<volatile uint8_t*>(data);
    for (size_t i = 0; i < size; ++i)
        p[i] = 0;
}

} // namespace

TSWipe::TSWipe(FileSystem& files, Progress& progress, std::function<int()> method, size_t pageSize)
    : files_(files), progress_(progress), method_(std::move(method)),
      pageSize_(pageSize ? pageSize : systemPageSize())
{
}

TSWipe::PassList TSWipe::BuildPassList()
{
    PassList passes = PatternTable;
    // Entries 5 to 31 (indices 4 to 30) are the 27 fixed patterns.
    for (uint32_t i = 26; i >= 1; --i) {
        const uint32_t j = Rand.NextWord() % (i + 1);
        std::swap(passes[4 + i], passes[4 + j]);
    }
    switch (method_ ? method_() : SinglePass) {
    case TriplePass: PassCount = 3; break;
    case DoDSevenPass: PassCount = 7; break;
    default: PassCount = 1; break;
    }
    return passes;
}

bool TSWipe::WipeFile(std::string_view path)
{
    const std::string name(path);
    const auto entry = files_.stat(path);
    if (!entry)
        throw EWipe("Error opening " + name);
    if (entry->isLink())
        throw EWipe("Error opening " + name + ": it is a symbolic link, not shredded");
    if (entry->attributes & AttrDirectory)
        throw EWipe("Error opening " + name + ": it is a folder");

    const auto attributes = files_.attributes(path);
    const uint32_t cleared = attributes.value_or(0) & ~uint32_t(AttrReadOnly | AttrHidden);
    const bool changed = attributes && cleared != *attributes;
    if (changed)
        files_.setAttributes(path, cleared);
    auto restoreAttributes = [&] {
        if (changed)
            files_.setAttributes(path, *attributes);
    };

    Status status;
    // Each pass is flushed with fdatasync instead of opening write-through: the same promise
    // (a pass is on the disk before the next starts) without a disk round trip per chunk.
    auto file = files_.openExclusive(path, false, status);
    if (!file || !status) {
        restoreAttributes();
        throw EWipe("Error opening " + name);
    }

    const uint64_t size = file->size();
    WipeLength = (size + pageSize_ - 1) / pageSize_ * pageSize_;
    PassList passes = BuildPassList();
    std::vector<uint8_t> buffer(BufferSize);
    PassesDone = 0;
    try {
        writePasses(*file, path, passes, buffer);
    } catch (const EWipe&) {
        scrub(buffer.data(), buffer.size());
        scrub(passes.data(), sizeof passes);
        file.reset();
        restoreAttributes();
        throw;
    }
    scrub(buffer.data(), buffer.size());
    scrub(passes.data(), sizeof passes);
    buffer.clear();
    buffer.shrink_to_fit();

    file->seek(0);
    file->truncate(0);
    file->flush();
    file.reset();

    removeWiped(path);
    progress_.status(IdleStatusText);
    return true;
}

void TSWipe::writePasses(FileHandle& file, std::string_view path, const PassList& passes, std::vector<uint8_t>& buffer)
{
    auto fail = [&](std::string_view what, const Status& status) {
        throw EWipe("Error writing " + std::string(path) + ": " + std::string(what) + " (" + reason(status) +
                    "); the file was not fully overwritten and is left in place");
    };
    for (int p = 1; p <= PassCount; ++p) {
        const int32_t value = passes[size_t(p - 1)];
        progress_.status(passStatusText(path, p));
        progress_.pump();
        ++PassesDone;
        if (Status s = file.seek(0); !s)
            fail("seek", s);
        const bool random = value < 0;
        if (!random) {
            const uint8_t pattern[3] = {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
            for (size_t i = 0; i < BufferSize; i += 3)
                std::memcpy(buffer.data() + i, pattern, 3);
        }
        // Whole buffers while more than one remains, then the rest. A random pass fills the
        // rest even when it is empty: FillRandom still runs its round, as for any other file.
        uint64_t left = WipeLength;
        while (left > BufferSize) {
            if (random)
                Rand.FillRandom(buffer.data(), BufferSize);
            if (Status s = file.write(buffer.data(), BufferSize); !s)
                fail("write", s);
            left -= BufferSize;
        }
        if (random)
            Rand.FillRandom(buffer.data(), size_t(left));
        if (left > 0)
            if (Status s = file.write(buffer.data(), size_t(left)); !s)
                fail("write", s);
        if (Status s = file.flush(); !s)
            fail("flush", s);
        progress_.pump();
    }
}

void TSWipe::removeWiped(std::string_view path)
{
    const std::string_view folder = winpath::parent(path);
    const size_t length = std::clamp<size_t>(files_.maxNameLength(folder), 1, ZeroNameLength);
    const std::string zeroName = winpath::join(folder, std::string(length, '0'));
    // A name already taken (by the user's own file, or an earlier leftover) is never
    // replaced: the file is then deleted under its own name.
    std::string current(path);
    if (files_.move(path, zeroName))
        current = zeroName;
    if (Status s = files_.deleteFile(current); !s)
        throw EWipe("Error deleting " + std::string(path) + ": " + reason(s) +
                    "; its contents were overwritten and it is left empty as " + current);
}

} // namespace orvane
