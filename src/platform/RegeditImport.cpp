#include "platform/Regedit.h"

#include <cerrno>
#include <set>

namespace orvane::reg {

namespace {

// The hive a change lands in, named by its root and (for HKEY_USERS) the user key.
std::string writeProblem(Registry& registry, const RegeditOp& op)
{
    if (op.root != Root::Users)
        return registry.readOnlyReason(op.root);
    std::string user = op.path.substr(0, op.path.find('\\'));
    RegKey key;
    if (user.empty() || registry.openKey(Root::Users, user, KEY_READ, key, REG_OPTION_OPEN_LINK) != ERROR_SUCCESS)
        return "keys cannot be created directly under HKEY_USERS";
    return registry.readOnlyReason(key);
}

} // namespace

Status importRegedit(Registry& registry, std::string_view bytes)
{
    RegeditFile file = parseRegedit(bytes);
    std::vector<std::string> problems = file.errors;
    if (problems.empty()) {
        for (const RegeditOp& op : file.ops) {
            std::string why = writeProblem(registry, op);
            if (!why.empty())
                problems.push_back("line " + std::to_string(op.line) + ": " + why);
        }
    }
    if (!problems.empty()) {
        std::string message = "The registry file was not imported; nothing was changed:";
        for (const std::string& p : problems)
            message += "\n" + p;
        return Status::failure(EINVAL, message);
    }
    for (const RegeditOp& op : file.ops) {
        long rc = ERROR_SUCCESS;
        RegKey key;
        switch (op.kind) {
        case RegeditOp::CreateKey:
            rc = registry.createKey(op.root, op.path, KEY_ALL_ACCESS, key);
            break;
        case RegeditOp::DeleteKey:
            rc = registry.deleteTree(op.root, op.path);
            if (rc == ERROR_FILE_NOT_FOUND)
                rc = ERROR_SUCCESS;
            break;
        case RegeditOp::SetValue:
            rc = registry.createKey(op.root, op.path, KEY_ALL_ACCESS, key);
            if (rc == ERROR_SUCCESS)
                rc = registry.setValueRaw(key, op.name, op.type, op.data);
            break;
        case RegeditOp::DeleteValue:
            if (registry.openKey(op.root, op.path, KEY_ALL_ACCESS, key) == ERROR_SUCCESS) {
                rc = registry.deleteValue(key, op.name);
                if (rc == ERROR_FILE_NOT_FOUND)
                    rc = ERROR_SUCCESS;
            }
            break;
        }
        if (rc != ERROR_SUCCESS)
            return Status::failure(EIO, "line " + std::to_string(op.line) + ": the registry refused the change (error " +
                                            std::to_string(rc) + ")");
    }
    return Status::success();
}

} // namespace orvane::reg
