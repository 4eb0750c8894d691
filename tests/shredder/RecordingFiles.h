#pragma once
// A file-system decorator for the wipe tests: every call goes to the real file system, and
// the bytes of each pass, the moves, deletions and folder removals are recorded. It can also
// make one chosen operation fail, for faults a real disk does not produce on demand.

#include "platform/FileSystem.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane::test {

class RecordingFiles : public FileSystem {
public:
    explicit RecordingFiles(FileSystem& real) : real_(real) {}

    struct Pass {
        std::string path;
        std::string bytes; // what the pass wrote, from offset 0 (kept up to keepBytes)
        uint64_t length = 0; // bytes written in the pass
    };
    std::vector<Pass> passes;       // one per seek(0) on an opened file
    std::vector<std::string> events; // "open X", "truncate X 0", "move X Y", "delete X", "rmdir X"
    size_t keepBytes = 1 << 20;

    // Fault injection: returns a failure for the named operation ("write", "flush",
    // "removeFolder", "deleteFile") on its `nth` call (1-based).
    std::string failOperation;
    int failOn = 0;
    // When set, writes are counted and dropped and size() reports this: for sizes a test
    // cannot afford to write.
    std::optional<uint64_t> fakeSize;
    std::optional<size_t> nameLimit; // overrides maxNameLength

    bool shouldFail(const std::string& operation);

    Status list(std::string_view folder, std::string_view mask, std::vector<FileEntry>& out) override
    {
        return real_.list(folder, mask, out);
    }
    std::optional<FileEntry> stat(std::string_view path) override { return real_.stat(path); }
    std::optional<FileIdentity> identity(std::string_view path) override { return real_.identity(path); }
    std::optional<uint32_t> attributes(std::string_view path) override { return real_.attributes(path); }
    Status setAttributes(std::string_view path, uint32_t attributes) override
    {
        return real_.setAttributes(path, attributes);
    }
    bool exists(std::string_view path) override { return real_.exists(path); }
    bool isFolder(std::string_view path) override { return real_.isFolder(path); }
    Status deleteFile(std::string_view path) override;
    Status removeFolder(std::string_view path) override;
    Status createFolder(std::string_view path) override { return real_.createFolder(path); }
    Status move(std::string_view from, std::string_view to) override;
    std::unique_ptr<FileHandle> openExclusive(std::string_view path, bool writeThrough, Status& status) override;
    bool isFileLocked(std::string_view path) override { return real_.isFileLocked(path); }
    std::optional<std::string> hostPath(std::string_view path) override { return real_.hostPath(path); }
    size_t maxNameLength(std::string_view path) override { return nameLimit ? *nameLimit : real_.maxNameLength(path); }

private:
    FileSystem& real_;
    std::map<std::string, int> calls_;
};

} // namespace orvane::test
