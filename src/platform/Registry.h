#pragma once
// The registry service: the Reg* operations of an "A" program in C++ form, on the prefix's
// Wine registry files. Results are Windows error codes so callers compare them as on Windows.
//
// Roots map as Wine maps them: HKLM = \Registry\Machine (system.reg), HKU = \Registry\User,
// HKCU = HKU\<user SID> (user.reg), HKU\.Default (userdef.reg), HKCR = HKLM\Software\Classes,
// HKCC = HKLM\System\CurrentControlSet\Hardware Profiles\Current. Link keys are followed when
// opened; recursive operations treat them as leaves. Changes stay in memory until flush().
// Every call may be made from any thread (reads share a lock, writes take it alone).

#include "platform/RegistryTree.h"
#include "platform/Status.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::reg {

// Windows error codes the operations return.
enum : long {
    ERROR_SUCCESS = 0,
    ERROR_FILE_NOT_FOUND = 2,
    ERROR_ACCESS_DENIED = 5,
    ERROR_INVALID_HANDLE = 6,
    ERROR_INVALID_PARAMETER = 87,
    ERROR_MORE_DATA = 234,
    ERROR_NO_MORE_ITEMS = 259,
    ERROR_KEY_DELETED = 1018,
    ERROR_CANT_RESOLVE_FILENAME = 1921, // a chain of links too long, or a loop
};

// Access rights.
enum : std::uint32_t {
    KEY_QUERY_VALUE = 0x0001,
    KEY_SET_VALUE = 0x0002,
    KEY_CREATE_SUB_KEY = 0x0004,
    KEY_ENUMERATE_SUB_KEYS = 0x0008,
    KEY_NOTIFY = 0x0010,
    KEY_CREATE_LINK = 0x0020,
    KEY_DELETE = 0x10000,
    KEY_WRITE_DAC = 0x40000,
    KEY_WRITE_OWNER = 0x80000,
    KEY_READ = 0x20019,
    KEY_WRITE = 0x20006,
    KEY_ALL_ACCESS = 0xF003F,
};
// Open the link key itself instead of its target.
constexpr std::uint32_t REG_OPTION_OPEN_LINK = 0x8;

enum class Root { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };
// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", ...
const char* rootName(Root root);
// Accepts the long names and HKCR, HKCU, HKLM, HKU, HKCC (any case).
std::optional<Root> rootFromName(std::string_view name);

// An open key. Copies share the key; a key deleted while open answers ERROR_KEY_DELETED.
class RegKey {
public:
    RegKey() = default;
    RegKey(Root root) : root_(root), access_(KEY_ALL_ACCESS) {} // the predefined handles
    bool valid() const { return node_ || root_; }

private:
    friend class Registry;
    std::shared_ptr<Node> node_;
    std::optional<Root> root_;
    std::uint32_t access_ = 0;
};

// What RegQueryInfoKeyA reports. Name lengths count UTF-16 units, data lengths bytes as stored.
struct KeyInfo {
    std::string className;
    std::uint32_t subKeys = 0;
    std::uint32_t maxSubKeyLen = 0;
    std::uint32_t maxClassLen = 0;
    std::uint32_t values = 0;
    std::uint32_t maxValueNameLen = 0;
    std::uint32_t maxValueLen = 0;
    std::uint32_t securityDescriptorSize = 0;
    std::int64_t lastWriteTime = 0; // FILETIME
    bool link = false;              // a link key, opened with REG_OPTION_OPEN_LINK
};

// One registry file and where it appears in the tree.
struct HiveFile {
    std::string filePath;   // host path; a missing file is an empty hive created on flush
    std::string mountPath;  // "Machine", "User\S-1-5-21-0-0-0-1000", "User\.Default"
};

class Registry {
public:
    // Loads every file. A damaged or unreadable file leaves its hive empty and read-only with a
    // message naming the file and line (see problems()); the others load normally.
    // `readOnlyReason` non-empty makes every hive read-only with that reason.
    Registry(const std::vector<HiveFile>& files, std::string userSid, std::string readOnlyReason = {});
    ~Registry(); // flushes what is left
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // RegOpenKeyExA: `subKey` relative to `parent`, components separated by '\'. Write access
    // to a read-only hive is refused with ERROR_ACCESS_DENIED.
    long openKey(const RegKey& parent, std::string_view subKey, std::uint32_t access, RegKey& result,
                 std::uint32_t options = 0);
    // RegCreateKeyExA: opens or creates every missing component.
    long createKey(const RegKey& parent, std::string_view subKey, std::uint32_t access, RegKey& result,
                   bool* created = nullptr, std::string_view className = {});
    // RegEnumKeyExA: subkeys in Wine's order.
    long enumKey(const RegKey& key, std::uint32_t index, std::string& name, std::string* className = nullptr,
                 std::int64_t* lastWriteTime = nullptr);
    // RegEnumValueA / RegQueryValueExA: string types come back as UTF-8 with each UTF-16 unit
    // converted, the final NUL included when it is stored.
    long enumValue(const RegKey& key, std::uint32_t index, std::string& name, std::uint32_t* type = nullptr,
                   std::string* data = nullptr);
    long queryValue(const RegKey& key, std::string_view name, std::uint32_t* type, std::string* data);
    // RegSetValueExA: string data is UTF-8 and converted as given (include the NUL to store one).
    long setValue(const RegKey& key, std::string_view name, std::uint32_t type, std::string_view data);
    // The same with data exactly as stored (strings as UTF-16LE).
    long enumValueRaw(const RegKey& key, std::uint32_t index, Value& value);
    long queryValueRaw(const RegKey& key, std::string_view name, Value& value);
    long setValueRaw(const RegKey& key, std::string_view name, std::uint32_t type, std::string_view data);
    // RegDeleteKeyA: fails with ERROR_ACCESS_DENIED while the key has subkeys. A link key is
    // deleted itself, never its target.
    long deleteKey(const RegKey& parent, std::string_view subKey);
    // Deletes a key with everything below it; links are leaves, their targets stay.
    long deleteTree(const RegKey& parent, std::string_view subKey);
    long deleteValue(const RegKey& key, std::string_view name);
    long queryInfoKey(const RegKey& key, KeyInfo& info);

    // Convenience: a string value as UTF-8 without its final NUL; nullopt when missing or not
    // a string type.
    std::optional<std::string> readString(Root root, std::string_view path, std::string_view name);
    // Creates the key when needed and stores `text` with its NUL.
    long writeString(Root root, std::string_view path, std::string_view name, std::string_view text,
                     std::uint32_t type = REG_SZ);

    // Writes every hive with unsaved changes atomically. Files whose text would not change
    // are left untouched. Refused, with the changes kept, while the save guard objects.
    Status flush();
    // Asked before each save; a non-empty answer is why files must not be written now (Wine
    // started on the prefix after we loaded it would overwrite them, and we its changes).
    void setSaveGuard(std::function<std::string()> guard);
    bool hasUnsavedChanges() const;
    // Why writes under `key` fail; empty when they can succeed.
    std::string readOnlyReason(const RegKey& key);
    // Load problems, one message per damaged file.
    std::vector<std::string> problems() const;
    const std::string& userSid() const { return userSid_; }

    // Lets a caller write and remove a probe without leaving a trace: restoring puts back the
    // last-write time of `key` and the unsaved-changes state of every hive.
    struct TouchState {
        std::shared_ptr<Node> node;
        std::int64_t modified = 0;
        std::int64_t headerSeconds = -1;
        std::vector<bool> dirty;
    };
    TouchState captureTouch(const RegKey& key);
    void restoreTouch(const TouchState& state);

private:
    long resolve(const RegKey& parent, std::string_view subKey, bool create, bool openLink,
                 std::shared_ptr<Node>& out, bool* created, std::string_view className);
    std::shared_ptr<Node> rootNode(Root root) const;
    long followLink(std::shared_ptr<Node>& node, int& hops) const;
    long checkHandle(const RegKey& key, std::uint32_t need, std::shared_ptr<Node>& node);
    bool writable(const Node& node) const;
    Status saveHive(Hive& hive);

    mutable std::shared_mutex mutex_;
    std::vector<std::unique_ptr<Hive>> hives_;
    std::shared_ptr<Node> top_; // \Registry
    std::string userSid_;
    std::vector<std::string> problems_;
    std::function<std::string()> saveGuard_;
};

} // namespace orvane::reg
