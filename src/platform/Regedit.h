#pragma once
// Registry editor text files: "REGEDIT4" (ANSI, here UTF-8) and "Windows Registry Editor
// Version 5.00" (UTF-16LE with a byte-order mark, or UTF-8). Import validates the whole file
// before it changes anything; export writes a key with everything below it.

#include "platform/Registry.h"
#include "platform/Status.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::reg {

enum class RegeditVersion { Regedit4, Version5 };

// One change a file asks for.
struct RegeditOp {
    enum Kind { CreateKey, DeleteKey, SetValue, DeleteValue } kind = CreateKey;
    Root root = Root::LocalMachine;
    std::string path;          // below the root, '\' separated
    std::string name;          // value name, empty for the default value
    std::uint32_t type = 0;
    std::string data;          // as stored: strings UTF-16LE with their NUL
    int line = 0;              // 1-based line of the file
};

struct RegeditFile {
    RegeditVersion version = RegeditVersion::Regedit4;
    std::vector<RegeditOp> ops;
    std::vector<std::string> errors; // "line 7: ...", one per malformed line
};

// Parses the raw bytes of a file (any of the encodings above).
RegeditFile parseRegedit(std::string_view bytes);

// Applies a file. When it has errors, or a key it writes is read-only, nothing is changed and
// the failure lists every problem with its line number.
Status importRegedit(Registry& registry, std::string_view bytes);

// The text of `root\path` and its subkeys (link keys are left out: a file cannot restore
// them as links). REGEDIT4 text is UTF-8; version 5 is UTF-16LE with a byte-order mark.
// Fails with ERROR_FILE_NOT_FOUND etc. in `error` when the key cannot be opened.
std::string exportRegedit(Registry& registry, Root root, std::string_view path, RegeditVersion version,
                          long* error = nullptr);

} // namespace orvane::reg
