#pragma once
// The wipe engine: overwrites a file several times, truncates it, renames it to a meaningless
// name and deletes it; destroys folder trees file by file, depth first, without recursion.

#include "platform/FileSystem.h"
#include "platform/Progress.h"
#include "shredder/TIARand.h"

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvane {

// Raised when a file cannot be opened ("Error opening " + path), or was opened but could not
// be fully overwritten or removed (then the file is left where it is).
class EWipe : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The method box's items: index 0, 1, 2.
enum WipeMethod : int { SinglePass = 0, TriplePass = 1, DoDSevenPass = 2 };

inline constexpr std::string_view IdleStatusText = "Status : Idle";
// "Deleting file : " + path + "  Pass : " + number (counted from 1).
std::string passStatusText(std::string_view path, int pass);

class TSWipe {
public:
    static constexpr size_t BufferSize = 135'168; // bytes per write; a multiple of 3
    static constexpr int PatternCount = 35;
    using PassList = std::array<int32_t, PatternCount>;
    // -1 is a random pass; any other value v writes the bytes v>>16, v>>8, v, repeated.
    static const PassList PatternTable;
    static constexpr size_t ZeroNameLength = 200; // the rename target: this many '0's at most

    // `method` is asked for the method index (WipeMethod) each time a file's pass list is
    // built, so a change during a folder wipe applies from the next file. `progress` gets the
    // status texts and is pumped after each pass.
    TSWipe(FileSystem& files, Progress& progress, std::function<int()> method, size_t pageSize = 0);

    // Copies PatternTable, shuffles entries 5 to 31 and sets PassCount from the method.
    PassList BuildPassList();

    // Destroys one file. true when it was overwritten and removed; EWipe otherwise (the file
    // stays: "Error opening " + path when it could not be opened or is not a plain file).
    bool WipeFile(std::string_view path);
    // Destroys a folder tree, the folder itself last. false when a folder could not be
    // listed or removed (folderFailure() says which and why); EWipe of a file passes through
    // and ends the walk.
    bool WipeFolder(std::string_view path);

    const std::string& folderFailure() const { return folderFailure_; }
    uint64_t wipeLength() const { return WipeLength; }
    int passCount() const { return PassCount; }
    int passesDone() const { return PassesDone; }
    TIARand& random() { return Rand; }

private:
    void writePasses(FileHandle& file, std::string_view path, const PassList& passes, std::vector<uint8_t>& buffer);
    void removeWiped(std::string_view path);

    FileSystem& files_;
    Progress& progress_;
    std::function<int()> method_;
    size_t pageSize_;            // bytes; WipeLength is rounded up to a multiple of it
    uint64_t WipeLength = 0;     // bytes written per pass for the current file
    int PassCount = 0;           // 1, 3 or 7
    int PassesDone = 0;          // passes written so far for the current file
    TIARand Rand;                // seeded when the engine is created
    std::string folderFailure_;  // why the last WipeFolder returned false
};

} // namespace orvane
