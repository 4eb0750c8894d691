#include "platform/DosAttrib.h"

#include "platform/TextScan.h"

#include <cerrno>
#include <cstdio>
#include <atomic>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace orvane::dosattrib {

std::optional<uint32_t> parse(std::string_view value)
{
    if (value.size() < 3 || value[0] != '0' || (value[1] != 'x' && value[1] != 'X'))
        return std::nullopt;
    uint64_t bits = 0;
    size_t i = 2;
    for (; i < value.size() && value[i] != '\0'; ++i) {
        const char c = value[i];
        const int digit = text::hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        bits = bits * 16 + uint64_t(digit);
        if (bits > 0xFFFFFFFFu)
            return std::nullopt;
    }
    if (i == 2)
        return std::nullopt;
    return uint32_t(bits);
}

std::string format(uint32_t bits)
{
    char text[16];
    const int n = std::snprintf(text, sizeof text, "0x%x", bits);
    return std::string(text, size_t(n));
}

uint32_t read(const std::string& hostPath, int* error)
{
    char value[256];
    const ssize_t n = ::lgetxattr(hostPath.c_str(), kName, value, sizeof value);
    if (error)
        *error = n < 0 ? errno : 0;
    if (n <= 0)
        return 0;
    return parse(std::string_view(value, size_t(n))).value_or(0);
}

namespace {

// getxattrat(2), Linux 6.13; the C library has no wrapper yet. Its number is the same on
// every architecture.
#ifndef SYS_getxattrat
#define SYS_getxattrat 464
#endif

struct XattrArgs {
    uint64_t value;
    uint32_t size;
    uint32_t flags;
};

std::atomic<bool> readAtMissing{false};

} // namespace

uint32_t readAt(int dirFd, const char* name, int* error)
{
    if (readAtMissing.load(std::memory_order_relaxed)) {
        if (error)
            *error = ENOSYS;
        return 0;
    }
    char value[256];
    XattrArgs args{uint64_t(reinterpret_cast<uintptr_t>(value)), uint32_t(sizeof value), 0};
    const long n = ::syscall(SYS_getxattrat, dirFd, name, AT_SYMLINK_NOFOLLOW, kName, &args, sizeof args);
    int failed = n < 0 ? errno : 0;
    // Reading a user attribute never fails with EPERM; a seccomp filter that does not know
    // the call answers so.
    if (failed == ENOSYS || failed == EPERM) {
        readAtMissing.store(true, std::memory_order_relaxed);
        failed = ENOSYS;
    }
    if (error)
        *error = failed;
    if (n <= 0)
        return 0;
    return parse(std::string_view(value, size_t(n))).value_or(0);
}

int write(const std::string& hostPath, uint32_t bits)
{
    if (bits == 0) {
        if (::lremovexattr(hostPath.c_str(), kName) == 0 || errno == ENODATA)
            return 0;
        // A file system without extended attributes holds no bits, so there is nothing to clear.
        return errno == ENOTSUP ? 0 : errno;
    }
    const std::string value = format(bits);
    if (::lsetxattr(hostPath.c_str(), kName, value.data(), value.size(), 0) == 0)
        return 0;
    return errno;
}

} // namespace orvane::dosattrib
