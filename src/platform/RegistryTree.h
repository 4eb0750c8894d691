#pragma once
// The in-memory registry: keys with their values, sorted as Wine sorts them, grouped in hives
// (one per registry file).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::reg {

// Value types.
enum : std::uint32_t {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
    REG_DWORD_BIG_ENDIAN = 5,
    REG_LINK = 6,
    REG_MULTI_SZ = 7,
    REG_RESOURCE_LIST = 8,
    REG_QWORD = 11,
};

inline bool isStringType(std::uint32_t type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// 100 ns ticks between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kTicks1601To1970 = 116444736000000000LL;
std::int64_t fileTimeNow();

struct Value {
    std::string name;        // UTF-8, case kept; empty for the default value
    std::uint32_t type = REG_NONE;
    std::string data;        // raw bytes as stored: strings are UTF-16LE with their final NUL
};

struct Hive;

struct Node {
    std::string name;                              // UTF-8, case kept
    Node* parent = nullptr;                        // null for the top and for deleted keys
    Hive* hive = nullptr;                          // file holding this key; null above the hives
    std::vector<std::shared_ptr<Node>> subkeys;    // in Wine's order
    std::vector<Value> values;                     // in Wine's order, default value first
    std::string className;                         // UTF-8
    std::int64_t modified = 0;                     // last write, FILETIME (100 ns since 1601)
    std::int64_t headerSeconds = -1;               // header number as read; -1 = from `modified`
    std::vector<std::string> extraLines;           // lines of the section we keep but do not use
    bool link = false;                             // symbolic link (#link)
    bool deleted = false;                          // removed while a handle still held it

    // Index of the first subkey not ordered before `name`.
    std::size_t subkeyBound(std::string_view name) const;
    Node* findSubkey(std::string_view name) const;
    // Returns the existing subkey of that name or a new one inserted in order.
    Node& addSubkey(std::string_view name, bool* created = nullptr);
    // Appends without a search when `name` sorts after the last subkey (file loading).
    Node& addSubkeyFast(std::string_view name);
    std::shared_ptr<Node> detachSubkey(std::string_view name);

    std::size_t valueBound(std::string_view name) const;
    const Value* findValue(std::string_view name) const;
    void putValue(Value value); // replaces a value of the same name
    void putValueFast(Value value);
    bool removeValue(std::string_view name);

    // Sets the last write time to now and forgets the header number read from the file.
    void touch();
};

// One registry file: system.reg, user.reg or userdef.reg.
struct Hive {
    std::string filePath;                 // host path of the file
    std::string rootPath;                 // e.g. "REGISTRY\User\S-1-5-21-0-0-0-1000"
    std::vector<std::string> preamble;    // lines between the first line and the first key
    std::shared_ptr<Node> root;
    bool dirty = false;                   // changes not yet written
    bool readOnly = false;
    std::string problem;                  // why it is read-only, for the user
};

} // namespace orvane::reg
