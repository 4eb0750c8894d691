#include "platform/MountTable.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace orvane {

namespace {

// mountinfo writes space, tab, newline and backslash in paths as "\ooo".
std::string unescape(std::string_view field)
{
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                out += char((a - '0') * 64 + (b - '0') * 8 + (c - '0'));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

std::vector<std::string_view> splitSpaces(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        if (i > start)
            fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

template <typename T>
bool parseNumber(std::string_view text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool parseLine(std::string_view line, MountEntry& entry)
{
    const auto fields = splitSpaces(line);
    // id parent major:minor root mount-point options [optional...] - type source super-options
    size_t separator = 6;
    while (separator < fields.size() && fields[separator] != "-")
        ++separator;
    if (fields.size() < 6 || separator + 3 > fields.size())
        return false;
    const std::string_view device = fields[2];
    const size_t colon = device.find(':');
    unsigned major = 0, minor = 0;
    if (colon == std::string_view::npos || !parseNumber(fields[0], entry.id) || !parseNumber(fields[1], entry.parentId)
        || !parseNumber(device.substr(0, colon), major) || !parseNumber(device.substr(colon + 1), minor))
        return false;
    entry.device = makedev(major, minor);
    entry.root = unescape(fields[3]);
    entry.mountPoint = unescape(fields[4]);
    entry.options = std::string(fields[5]);
    entry.fsType = unescape(fields[separator + 1]);
    entry.source = unescape(fields[separator + 2]);
    entry.superOptions = separator + 3 < fields.size() ? std::string(fields[separator + 3]) : std::string();
    return true;
}

bool listHas(std::string_view list, std::string_view name)
{
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string_view::npos)
            end = list.size();
        const std::string_view option = list.substr(start, end - start);
        if (option == name || (option.size() > name.size() && option.substr(0, name.size()) == name && option[name.size()] == '='))
            return true;
        start = end + 1;
    }
    return false;
}

bool isUnder(std::string_view path, std::string_view folder)
{
    return path == folder || (path.size() > folder.size() && path.substr(0, folder.size()) == folder && path[folder.size()] == '/');
}

} // namespace

bool MountEntry::hasOption(std::string_view name) const
{
    return listHas(options, name) || listHas(superOptions, name);
}

MountKind classifyMount(std::string_view fsType, std::string_view mountPoint)
{
    static constexpr std::array<std::string_view, 27> pseudo = {
        "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "debugfs", "tracefs", "securityfs",
        "pstore", "bpf", "mqueue", "hugetlbfs", "autofs", "configfs", "fusectl", "binfmt_misc", "efivarfs",
        "rpc_pipefs", "nsfs", "selinuxfs", "nfsd", "sockfs", "pipefs", "fuse.portal", "fuse.lxcfs",
        "fuse.gvfsd-fuse",
    };
    static constexpr std::array<std::string_view, 24> network = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "9p", "afs", "ceph", "glusterfs", "lustre", "davfs",
        "fuse.sshfs", "fuse.rclone", "fuse.s3fs", "fuse.curlftpfs", "fuse.davfs2", "fuse.glusterfs",
        "fuse.gcsfuse", "fuse.goofys", "fuse.smbnetfs", "fuse.cephfs", "fuse.juicefs", "fuse.ftpfs",
    };
    for (const auto type : pseudo)
        if (fsType == type)
            return MountKind::Pseudo;
    for (const auto type : network)
        if (fsType == type)
            return MountKind::Network;
    if (fsType == "tmpfs" || fsType == "ramfs") {
        for (const auto runtime : {"/run", "/dev", "/sys", "/proc", "/var/run"})
            if (isUnder(mountPoint, runtime))
                return MountKind::Pseudo;
    }
    return MountKind::Local;
}

MountTable MountTable::parse(std::string_view text)
{
    MountTable table;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos)
            continue;
        MountEntry entry;
        if (parseLine(line, entry))
            table.entries_.push_back(std::move(entry));
        else
            ++table.malformed_;
    }
    return table;
}

MountTable MountTable::load()
{
    std::string text;
    const int fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            text.append(buffer, size_t(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    ::close(fd);
    return parse(text);
}

const MountEntry* MountTable::byMountPoint(std::string_view mountPoint) const
{
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->mountPoint == mountPoint)
            return &*it;
    return nullptr;
}

const MountEntry* MountTable::byDevice(uint64_t device) const
{
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->device == device)
            return &*it;
    return nullptr;
}

} // namespace orvane
