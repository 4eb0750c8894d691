#pragma once
// The file-system service. Every path is a Windows path ("C:\dir\file", root "C:");
// the implementation translates it through the prefix's drives.

#include "platform/Status.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Windows file attribute bits, as FindFirstFileA / GetFileAttributesA report them.
enum FileAttribute : uint32_t {
    AttrReadOnly = 0x1,
    AttrHidden = 0x2,
    AttrSystem = 0x4,
    AttrDirectory = 0x10,
    AttrArchive = 0x20,
    AttrDevice = 0x40,        // a pipe, socket or device node: a name with no data of its own
    AttrNormal = 0x80,
    AttrReparsePoint = 0x400, // a symbolic link: never followed by walks or deletions
};

struct FileEntry {
    std::string name;        // the name only, UTF-8 bytes as stored on disk
    uint32_t attributes = 0; // FileAttribute bits
    uint64_t size = 0;       // bytes; 0 for folders and links
    int64_t lastWriteNs = 0; // last write time, nanoseconds since the Unix epoch

    bool isFolder() const { return (attributes & AttrDirectory) && !(attributes & AttrReparsePoint); }
    bool isLink() const { return attributes & AttrReparsePoint; }
    bool isDevice() const { return attributes & AttrDevice; }
};

// What a file was when it was listed; a later change of any field means another file.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

// An open file (exclusive read/write). Closed when destroyed.
class FileHandle {
public:
    virtual ~FileHandle() = default;
    virtual uint64_t size() const = 0;
    virtual Status seek(uint64_t offset) = 0;
    // Writes all of `length` bytes at the current position or fails; never a short success.
    virtual Status write(const void* data, size_t length) = 0;
    virtual Status read(void* data, size_t length, size_t& got) = 0;
    virtual Status truncate(uint64_t length) = 0; // SetEndOfFile at `length`
    virtual Status flush() = 0;                   // data reaches the disk (fdatasync)
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Entries of `folder` whose names match `mask` (Windows wildcard rules, case-insensitive),
    // over all attributes, in the file system's own listing order. "." and ".." are not
    // listed; nor are host names holding '\', nor mount points of pseudo or network file
    // systems. A folder that cannot be read gives an error and no entries.
    virtual Status list(std::string_view folder, std::string_view mask, std::vector<FileEntry>& out) = 0;

    // The entry itself (lstat: a link is reported as a link). nullopt when it does not exist.
    virtual std::optional<FileEntry> stat(std::string_view path) = 0;
    virtual std::optional<FileIdentity> identity(std::string_view path) = 0;

    // GetFileAttributesA / SetFileAttributesA: read-only, hidden, system, archive are settable.
    virtual std::optional<uint32_t> attributes(std::string_view path) = 0;
    virtual Status setAttributes(std::string_view path, uint32_t attributes) = 0;

    virtual bool exists(std::string_view path) = 0;   // file, folder or link
    virtual bool isFolder(std::string_view path) = 0; // a real folder, not a link to one

    // DeleteFileA: fails on folders and on read-only files; a link is removed as a link.
    virtual Status deleteFile(std::string_view path) = 0;
    virtual Status removeFolder(std::string_view path) = 0; // RemoveDirectoryA: only when empty
    virtual Status createFolder(std::string_view path) = 0;
    virtual Status move(std::string_view from, std::string_view to) = 0; // MoveFileA: fails if `to` exists

    // CreateFileA with read/write access, no sharing, OPEN_EXISTING. `writeThrough` asks that
    // each write reach the disk before it returns (FILE_FLAG_WRITE_THROUGH).
    virtual std::unique_ptr<FileHandle> openExclusive(std::string_view path, bool writeThrough, Status& status) = 0;

    // True when `path` is an existing file that cannot be opened for exclusive read/write:
    // read-only, not accessible, or held open by any other descriptor of any process.
    virtual bool isFileLocked(std::string_view path) = 0;

    // The host path behind a Windows path (for messages, the Trash and Qt); nullopt when the
    // drive letter is unknown.
    virtual std::optional<std::string> hostPath(std::string_view path) = 0;
    // Longest name a component may have on the file system holding `path` (NAME_MAX).
    virtual size_t maxNameLength(std::string_view path) = 0;
};

} // namespace orvane
