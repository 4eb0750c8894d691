#include "platform/RegistryTree.h"

#include "platform/RegistryText.h"

#include <algorithm>
#include <chrono>

namespace orvane::reg {

std::int64_t fileTimeNow()
{
    auto since1970 = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch()).count();
    return since1970 / 100 + kTicks1601To1970;
}

std::size_t Node::subkeyBound(std::string_view key) const
{
    auto it = std::lower_bound(subkeys.begin(), subkeys.end(), key,
        [](const std::shared_ptr<Node>& n, std::string_view k) { return compareNames(n->name, k) < 0; });
    return std::size_t(it - subkeys.begin());
}

Node* Node::findSubkey(std::string_view key) const
{
    std::size_t i = subkeyBound(key);
    if (i < subkeys.size() && sameName(subkeys[i]->name, key))
        return subkeys[i].get();
    return nullptr;
}

Node& Node::addSubkey(std::string_view key, bool* created)
{
    std::size_t i = subkeyBound(key);
    if (i < subkeys.size() && sameName(subkeys[i]->name, key)) {
        if (created)
            *created = false;
        return *subkeys[i];
    }
    auto node = std::make_shared<Node>();
    node->name = std::string(key);
    node->parent = this;
    node->hive = hive;
    subkeys.insert(subkeys.begin() + std::ptrdiff_t(i), node);
    if (created)
        *created = true;
    return *node;
}

Node& Node::addSubkeyFast(std::string_view key)
{
    if (subkeys.empty() || compareNames(subkeys.back()->name, key) < 0) {
        auto node = std::make_shared<Node>();
        node->name = std::string(key);
        node->parent = this;
        node->hive = hive;
        subkeys.push_back(node);
        return *node;
    }
    return addSubkey(key);
}

std::shared_ptr<Node> Node::detachSubkey(std::string_view key)
{
    std::size_t i = subkeyBound(key);
    if (i >= subkeys.size() || !sameName(subkeys[i]->name, key))
        return nullptr;
    auto node = subkeys[i];
    subkeys.erase(subkeys.begin() + std::ptrdiff_t(i));
    node->parent = nullptr;
    return node;
}

std::size_t Node::valueBound(std::string_view key) const
{
    auto it = std::lower_bound(values.begin(), values.end(), key,
        [](const Value& v, std::string_view k) { return compareNames(v.name, k) < 0; });
    return std::size_t(it - values.begin());
}

const Value* Node::findValue(std::string_view key) const
{
    std::size_t i = valueBound(key);
    if (i < values.size() && sameName(values[i].name, key))
        return &values[i];
    return nullptr;
}

void Node::putValue(Value value)
{
    std::size_t i = valueBound(value.name);
    if (i < values.size() && sameName(values[i].name, value.name)) {
        // The stored name keeps its case, as Wine keeps the first spelling.
        values[i].type = value.type;
        values[i].data = std::move(value.data);
        return;
    }
    values.insert(values.begin() + std::ptrdiff_t(i), std::move(value));
}

void Node::putValueFast(Value value)
{
    if (values.empty() || compareNames(values.back().name, value.name) < 0)
        values.push_back(std::move(value));
    else
        putValue(std::move(value));
}

bool Node::removeValue(std::string_view key)
{
    std::size_t i = valueBound(key);
    if (i >= values.size() || !sameName(values[i].name, key))
        return false;
    values.erase(values.begin() + std::ptrdiff_t(i));
    return true;
}

void Node::touch()
{
    modified = fileTimeNow();
    headerSeconds = -1;
}

} // namespace orvane::reg
