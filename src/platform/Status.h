#pragma once
// Outcome of a platform call: success, or an errno-style code with a message that names the path.

#include <string>
#include <string_view>

namespace orvane {

struct Status {
    int code = 0;        // 0 on success, otherwise an errno value (or EIO for format errors)
    std::string message; // human-readable, names the path involved; empty on success

    bool ok() const { return code == 0; }
    explicit operator bool() const { return ok(); }

    static Status success() { return {}; }
    static Status failure(int code, std::string message) { return {code, std::move(message)}; }
    // "<what> <path>: <strerror(code)>", e.g. "Cannot delete C:\x.tmp: Permission denied".
    static Status fromErrno(int code, std::string_view what, std::string_view path);
};

} // namespace orvane
