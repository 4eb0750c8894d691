#include "platform/Registry.h"

#include "platform/RegFile.h"
#include "platform/RegistryFiles.h"
#include "platform/RegistryText.h"

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <sys/stat.h>

namespace orvane::reg {

namespace {

constexpr std::uint32_t kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | KEY_DELETE |
                                       KEY_WRITE_DAC | KEY_WRITE_OWNER;
constexpr int kMaxLinkHops = 16;

std::shared_ptr<Node> childOf(const Node& node, std::string_view name)
{
    std::size_t i = node.subkeyBound(name);
    if (i < node.subkeys.size() && sameName(node.subkeys[i]->name, name))
        return node.subkeys[i];
    return nullptr;
}

// Splits "a\b\\c" into its non-empty components.
std::vector<std::string_view> components(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// UTF-16LE string data as an "A" caller sees it.
std::string toAnsi(const Value& value)
{
    if (!isStringType(value.type))
        return value.data;
    std::string out;
    utf16BytesToUtf8(value.data, out);
    return out;
}

std::string fromAnsi(std::uint32_t type, std::string_view data)
{
    if (!isStringType(type))
        return std::string(data);
    return unitsToBytes(utf8ToUtf16(data));
}

} // namespace

const char* rootName(Root root)
{
    switch (root) {
    case Root::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case Root::CurrentUser: return "HKEY_CURRENT_USER";
    case Root::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case Root::Users: return "HKEY_USERS";
    case Root::CurrentConfig: return "HKEY_CURRENT_CONFIG";
    }
    return "";
}

std::optional<Root> rootFromName(std::string_view name)
{
    static constexpr std::pair<std::string_view, Root> kNames[] = {
        {"HKEY_CLASSES_ROOT", Root::ClassesRoot}, {"HKCR", Root::ClassesRoot},
        {"HKEY_CURRENT_USER", Root::CurrentUser}, {"HKCU", Root::CurrentUser},
        {"HKEY_LOCAL_MACHINE", Root::LocalMachine}, {"HKLM", Root::LocalMachine},
        {"HKEY_USERS", Root::Users}, {"HKU", Root::Users},
        {"HKEY_CURRENT_CONFIG", Root::CurrentConfig}, {"HKCC", Root::CurrentConfig},
    };
    for (const auto& [text, root] : kNames)
        if (sameName(text, name))
            return root;
    return std::nullopt;
}

Registry::Registry(const std::vector<HiveFile>& files, std::string userSid, std::string readOnlyReason)
    : top_(std::make_shared<Node>()), userSid_(std::move(userSid))
{
    for (const HiveFile& file : files) {
        auto hive = std::make_unique<Hive>();
        hive->filePath = file.filePath;
        hive->rootPath = "REGISTRY\\" + file.mountPath;
        LoadedFile loaded = readWholeFile(file.filePath);
        if (loaded.status.ok()) {
            Status parsed = parseHive(loaded.text, fileNameOf(file.filePath), *hive);
            if (!parsed.ok()) {
                hive->readOnly = true;
                hive->problem = parsed.message + " (this part of the registry is read-only until the file is repaired)";
                problems_.push_back(hive->problem);
            }
        } else {
            hive->root = std::make_shared<Node>();
            hive->root->hive = hive.get();
            if (!loaded.missing) {
                hive->readOnly = true;
                hive->problem = loaded.status.message;
                problems_.push_back(hive->problem);
            }
        }
        if (!readOnlyReason.empty()) {
            hive->readOnly = true;
            if (hive->problem.empty())
                hive->problem = readOnlyReason;
        }
        // Mount the hive's root under \Registry, creating the plain keys above it.
        std::vector<std::string_view> parts = components(file.mountPath);
        Node* parent = top_.get();
        for (std::size_t i = 0; i + 1 < parts.size(); ++i)
            parent = &parent->addSubkey(parts[i]);
        hive->root->name = parts.empty() ? std::string() : std::string(parts.back());
        hive->root->parent = parent;
        std::size_t at = parent->subkeyBound(hive->root->name);
        parent->subkeys.insert(parent->subkeys.begin() + std::ptrdiff_t(at), hive->root);
        hives_.push_back(std::move(hive));
    }
}

Registry::~Registry()
{
    flush();
}

std::shared_ptr<Node> Registry::rootNode(Root root) const
{
    auto machine = childOf(*top_, "Machine");
    auto walk = [](std::shared_ptr<Node> node, std::initializer_list<std::string_view> names) {
        for (std::string_view name : names) {
            if (!node)
                return node;
            node = childOf(*node, name);
        }
        return node;
    };
    switch (root) {
    case Root::LocalMachine: return machine;
    case Root::Users: return childOf(*top_, "User");
    case Root::CurrentUser: return walk(childOf(*top_, "User"), {userSid_});
    case Root::ClassesRoot: return walk(machine, {"Software", "Classes"});
    case Root::CurrentConfig:
        return walk(machine, {"System", "CurrentControlSet", "Hardware Profiles", "Current"});
    }
    return nullptr;
}

bool Registry::writable(const Node& node) const
{
    return node.hive && !node.hive->readOnly;
}

long Registry::followLink(std::shared_ptr<Node>& node, int& hops) const
{
    while (node->link) {
        if (++hops > kMaxLinkHops)
            return ERROR_CANT_RESOLVE_FILENAME;
        const Value* target = node->findValue("SymbolicLinkValue");
        if (!target)
            return ERROR_FILE_NOT_FOUND;
        std::string path = utf16ToUtf8(bytesToUnits(target->data));
        std::vector<std::string_view> parts = components(path);
        if (parts.empty() || !sameName(parts[0], "Registry"))
            return ERROR_FILE_NOT_FOUND;
        std::shared_ptr<Node> at = top_;
        for (std::size_t i = 1; i < parts.size(); ++i) {
            at = childOf(*at, parts[i]);
            if (!at)
                return ERROR_FILE_NOT_FOUND;
            if (at->link) {
                long rc = followLink(at, hops);
                if (rc != ERROR_SUCCESS)
                    return rc;
            }
        }
        node = at;
    }
    return ERROR_SUCCESS;
}

long Registry::checkHandle(const RegKey& key, std::uint32_t need, std::shared_ptr<Node>& node)
{
    if (key.root_) {
        node = rootNode(*key.root_);
        return node ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    if (!key.node_)
        return ERROR_INVALID_HANDLE;
    if (key.node_->deleted)
        return ERROR_KEY_DELETED;
    if ((key.access_ & need) != need)
        return ERROR_ACCESS_DENIED;
    node = key.node_;
    return ERROR_SUCCESS;
}

long Registry::resolve(const RegKey& parent, std::string_view subKey, bool create, bool openLink,
                       std::shared_ptr<Node>& out, bool* created, std::string_view className)
{
    std::vector<std::string_view> parts = components(subKey);
    std::shared_ptr<Node> node;
    if (parent.root_) {
        node = rootNode(*parent.root_);
        if (!node) {
            if (!create)
                return ERROR_FILE_NOT_FOUND;
            // HKCR and HKCC exist on Windows even when their backing keys are not in the file.
            auto machine = rootNode(Root::LocalMachine);
            if (!machine || !writable(*machine))
                return ERROR_ACCESS_DENIED;
            std::vector<std::string_view> base = *parent.root_ == Root::ClassesRoot
                ? std::vector<std::string_view>{"Software", "Classes"}
                : std::vector<std::string_view>{"System", "CurrentControlSet", "Hardware Profiles", "Current"};
            Node* at = machine.get();
            for (std::string_view name : base) {
                bool made = false;
                Node& child = at->addSubkey(name, &made);
                if (made) {
                    child.touch();
                    at->touch();
                    at->hive->dirty = true;
                }
                at = &child;
            }
            node = rootNode(*parent.root_);
        }
    } else {
        long rc = checkHandle(parent, create ? std::uint32_t(KEY_CREATE_SUB_KEY) : 0u, node);
        if (rc != ERROR_SUCCESS)
            return rc;
    }
    if (created)
        *created = false;
    int hops = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::shared_ptr<Node> child = childOf(*node, parts[i]);
        if (!child) {
            if (!create)
                return ERROR_FILE_NOT_FOUND;
            if (!writable(*node))
                return ERROR_ACCESS_DENIED;
            Node& made = node->addSubkey(parts[i]);
            made.touch();
            if (i + 1 == parts.size())
                made.className = std::string(className);
            node->touch();
            node->hive->dirty = true;
            if (created)
                *created = true;
            child = childOf(*node, parts[i]);
        }
        if (child->link && !(openLink && i + 1 == parts.size())) {
            long rc = followLink(child, hops);
            if (rc != ERROR_SUCCESS)
                return rc;
        }
        node = std::move(child);
    }
    out = std::move(node);
    return ERROR_SUCCESS;
}

long Registry::openKey(const RegKey& parent, std::string_view subKey, std::uint32_t access, RegKey& result,
                       std::uint32_t options)
{
    std::shared_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = resolve(parent, subKey, false, options & REG_OPTION_OPEN_LINK, node, nullptr, {});
    if (rc != ERROR_SUCCESS)
        return rc;
    if ((access & kWriteRights) && !writable(*node))
        return ERROR_ACCESS_DENIED;
    result.node_ = std::move(node);
    result.root_.reset();
    result.access_ = access;
    return ERROR_SUCCESS;
}

long Registry::createKey(const RegKey& parent, std::string_view subKey, std::uint32_t access, RegKey& result,
                         bool* created, std::string_view className)
{
    std::unique_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = resolve(parent, subKey, true, false, node, created, className);
    if (rc != ERROR_SUCCESS)
        return rc;
    if ((access & kWriteRights) && !writable(*node))
        return ERROR_ACCESS_DENIED;
    result.node_ = std::move(node);
    result.root_.reset();
    result.access_ = access;
    return ERROR_SUCCESS;
}

long Registry::enumKey(const RegKey& key, std::uint32_t index, std::string& name, std::string* className,
                       std::int64_t* lastWriteTime)
{
    std::shared_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = checkHandle(key, KEY_ENUMERATE_SUB_KEYS, node);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (index >= node->subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    const Node& child = *node->subkeys[index];
    name = child.name;
    if (className)
        *className = child.className;
    if (lastWriteTime)
        *lastWriteTime = child.modified;
    return ERROR_SUCCESS;
}

long Registry::enumValueRaw(const RegKey& key, std::uint32_t index, Value& value)
{
    std::shared_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = checkHandle(key, KEY_QUERY_VALUE, node);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (index >= node->values.size())
        return ERROR_NO_MORE_ITEMS;
    value = node->values[index];
    return ERROR_SUCCESS;
}

long Registry::enumValue(const RegKey& key, std::uint32_t index, std::string& name, std::uint32_t* type,
                         std::string* data)
{
    // Straight into the caller's strings: the registry walk calls this for every value.
    std::shared_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = checkHandle(key, KEY_QUERY_VALUE, node);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (index >= node->values.size())
        return ERROR_NO_MORE_ITEMS;
    const Value& value = node->values[index];
    name = value.name;
    if (type)
        *type = value.type;
    if (data) {
        if (isStringType(value.type))
            utf16BytesToUtf8(value.data, *data);
        else
            *data = value.data;
    }
    return ERROR_SUCCESS;
}

long Registry::queryValueRaw(const RegKey& key, std::string_view name, Value& value)
{
    std::shared_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = checkHandle(key, KEY_QUERY_VALUE, node);
    if (rc != ERROR_SUCCESS)
        return rc;
    const Value* found = node->findValue(name);
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    value = *found;
    return ERROR_SUCCESS;
}

long Registry::queryValue(const RegKey& key, std::string_view name, std::uint32_t* type, std::string* data)
{
    Value value;
    long rc = queryValueRaw(key, name, value);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (type)
        *type = value.type;
    if (data)
        *data = toAnsi(value);
    return ERROR_SUCCESS;
}

long Registry::setValueRaw(const RegKey& key, std::string_view name, std::uint32_t type, std::string_view data)
{
    std::unique_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = checkHandle(key, KEY_SET_VALUE, node);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (!writable(*node))
        return ERROR_ACCESS_DENIED;
    node->putValue(Value{std::string(name), type, std::string(data)});
    node->touch();
    node->hive->dirty = true;
    return ERROR_SUCCESS;
}

long Registry::setValue(const RegKey& key, std::string_view name, std::uint32_t type, std::string_view data)
{
    return setValueRaw(key, name, type, fromAnsi(type, data));
}

long Registry::deleteValue(const RegKey& key, std::string_view name)
{
    std::unique_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = checkHandle(key, KEY_SET_VALUE, node);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (!node->findValue(name))
        return ERROR_FILE_NOT_FOUND;
    if (!writable(*node))
        return ERROR_ACCESS_DENIED;
    node->removeValue(name);
    node->touch();
    node->hive->dirty = true;
    return ERROR_SUCCESS;
}

long Registry::deleteKey(const RegKey& parent, std::string_view subKey)
{
    if (parent.root_ && components(subKey).empty())
        return ERROR_ACCESS_DENIED; // a predefined root is never deleted
    std::unique_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = resolve(parent, subKey, false, true, node, nullptr, {});
    if (rc != ERROR_SUCCESS)
        return rc;
    Node* above = node->parent;
    if (!above || !writable(*node) || node.get() == node->hive->root.get())
        return ERROR_ACCESS_DENIED;
    if (!node->subkeys.empty())
        return ERROR_ACCESS_DENIED;
    above->detachSubkey(node->name);
    node->deleted = true;
    above->touch();
    above->hive->dirty = true;
    return ERROR_SUCCESS;
}

long Registry::deleteTree(const RegKey& parent, std::string_view subKey)
{
    if (parent.root_ && components(subKey).empty())
        return ERROR_ACCESS_DENIED;
    std::unique_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = resolve(parent, subKey, false, true, node, nullptr, {});
    if (rc != ERROR_SUCCESS)
        return rc;
    Node* above = node->parent;
    if (!above || !writable(*node) || node.get() == node->hive->root.get())
        return ERROR_ACCESS_DENIED;
    above->detachSubkey(node->name);
    above->touch();
    above->hive->dirty = true;
    // Mark the whole subtree deleted for open handles, without recursion. Links are leaves:
    // their subkeys list is their own, never the target's.
    std::vector<Node*> pending{node.get()};
    while (!pending.empty()) {
        Node* n = pending.back();
        pending.pop_back();
        n->deleted = true;
        for (auto& child : n->subkeys)
            pending.push_back(child.get());
    }
    return ERROR_SUCCESS;
}

long Registry::queryInfoKey(const RegKey& key, KeyInfo& info)
{
    std::shared_lock lock(mutex_);
    std::shared_ptr<Node> node;
    long rc = checkHandle(key, KEY_QUERY_VALUE, node);
    if (rc != ERROR_SUCCESS)
        return rc;
    info = KeyInfo{};
    info.className = node->className;
    info.subKeys = std::uint32_t(node->subkeys.size());
    for (const auto& child : node->subkeys) {
        info.maxSubKeyLen = std::max(info.maxSubKeyLen, std::uint32_t(utf16Length(child->name)));
        info.maxClassLen = std::max(info.maxClassLen, std::uint32_t(utf16Length(child->className)));
    }
    info.values = std::uint32_t(node->values.size());
    for (const Value& value : node->values) {
        info.maxValueNameLen = std::max(info.maxValueNameLen, std::uint32_t(utf16Length(value.name)));
        info.maxValueLen = std::max(info.maxValueLen, std::uint32_t(value.data.size()));
    }
    info.lastWriteTime = node->modified;
    info.link = node->link;
    return ERROR_SUCCESS;
}

std::optional<std::string> Registry::readString(Root root, std::string_view path, std::string_view name)
{
    RegKey key;
    if (openKey(root, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS)
        return std::nullopt;
    Value value;
    if (queryValueRaw(key, name, value) != ERROR_SUCCESS || !isStringType(value.type))
        return std::nullopt;
    std::u16string units = bytesToUnits(value.data);
    while (!units.empty() && units.back() == u'\0')
        units.pop_back();
    return utf16ToUtf8(units);
}

long Registry::writeString(Root root, std::string_view path, std::string_view name, std::string_view text,
                           std::uint32_t type)
{
    RegKey key;
    long rc = createKey(root, path, KEY_SET_VALUE, key);
    if (rc != ERROR_SUCCESS)
        return rc;
    std::u16string units = utf8ToUtf16(text);
    units += u'\0';
    return setValueRaw(key, name, type, unitsToBytes(units));
}

Status Registry::saveHive(Hive& hive)
{
    std::string text = writeHive(hive);
    // Undone changes (a probe written and removed) need no new file; only a file of the same
    // size can be the same.
    struct stat st {};
    if (::stat(hive.filePath.c_str(), &st) == 0 && std::size_t(st.st_size) == text.size()) {
        LoadedFile current = readWholeFile(hive.filePath);
        if (current.status.ok() && current.text == text)
            return Status::success();
    }
    return writeFileAtomically(hive.filePath, text);
}

void Registry::setSaveGuard(std::function<std::string()> guard)
{
    std::unique_lock lock(mutex_);
    saveGuard_ = std::move(guard);
}

Status Registry::flush()
{
    std::unique_lock lock(mutex_);
    bool pending = std::any_of(hives_.begin(), hives_.end(), [](const auto& h) { return h->dirty && !h->readOnly; });
    if (!pending)
        return Status::success();
    if (saveGuard_) {
        std::string why = saveGuard_();
        if (!why.empty())
            return Status::failure(EBUSY, "The registry was not saved: " + why);
    }
    Status result;
    for (auto& hive : hives_) {
        if (!hive->dirty || hive->readOnly)
            continue;
        Status saved = saveHive(*hive);
        if (saved.ok())
            hive->dirty = false;
        else if (result.ok())
            result = saved;
    }
    return result;
}

bool Registry::hasUnsavedChanges() const
{
    std::shared_lock lock(mutex_);
    return std::any_of(hives_.begin(), hives_.end(), [](const auto& h) { return h->dirty && !h->readOnly; });
}

std::string Registry::readOnlyReason(const RegKey& key)
{
    std::shared_lock lock(mutex_);
    std::shared_ptr<Node> node;
    if (checkHandle(key, 0, node) != ERROR_SUCCESS)
        return {};
    if (!node->hive)
        return "This part of the registry cannot be changed.";
    return node->hive->readOnly ? node->hive->problem : std::string();
}

std::vector<std::string> Registry::problems() const
{
    std::shared_lock lock(mutex_);
    return problems_;
}

Registry::TouchState Registry::captureTouch(const RegKey& key)
{
    std::shared_lock lock(mutex_);
    TouchState state;
    if (checkHandle(key, 0, state.node) != ERROR_SUCCESS)
        state.node.reset();
    if (state.node) {
        state.modified = state.node->modified;
        state.headerSeconds = state.node->headerSeconds;
    }
    for (const auto& hive : hives_)
        state.dirty.push_back(hive->dirty);
    return state;
}

void Registry::restoreTouch(const TouchState& state)
{
    std::unique_lock lock(mutex_);
    if (state.node) {
        state.node->modified = state.modified;
        state.node->headerSeconds = state.headerSeconds;
    }
    for (std::size_t i = 0; i < hives_.size() && i < state.dirty.size(); ++i)
        hives_[i]->dirty = state.dirty[i];
}

} // namespace orvane::reg
