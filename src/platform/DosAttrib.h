#pragma once
// The hidden and system attributes of a host file, kept as Wine and Samba keep them: the
// extended attribute "user.DOSATTRIB" holding the attribute bits as hexadecimal text ("0x2"),
// without a terminating zero. Samba 4 may follow the text with a zero byte and binary data.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::dosattrib {

inline constexpr const char* kName = "user.DOSATTRIB";

// The attribute bits of a stored value; nullopt for a value that is not "0x" + hex digits.
std::optional<uint32_t> parse(std::string_view value);
// The value Wine writes for these bits: "0x" and lower-case hex digits.
std::string format(uint32_t bits);

// The stored bits of the entry itself (a link is not followed); 0 when it has none, when the
// file system keeps no extended attributes, or when the value is not understood.
// `error`, when given, receives the errno of a failed read (ENODATA: no value; ENOTSUP: the
// file system keeps none).
uint32_t read(const std::string& hostPath, int* error = nullptr);
// The same for the entry `name` of the open folder `dirFd`, in one call that does not look the
// folder's path up again. `error` receives ENOSYS when the kernel cannot read an attribute
// relative to a folder (before Linux 6.13, or a sandbox that forbids it); the caller then
// reads by path.
uint32_t readAt(int dirFd, const char* name, int* error = nullptr);
// Stores `bits` (0 removes the attribute). Returns 0 or an errno value: ENOTSUP when the file
// system cannot keep it, EPERM for links (Linux keeps no user attributes on them).
int write(const std::string& hostPath, uint32_t bits);

} // namespace orvane::dosattrib
