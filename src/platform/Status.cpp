#include "platform/Status.h"

#include <cstring>

namespace orvane {

Status Status::fromErrno(int code, std::string_view what, std::string_view path)
{
    std::string text(what);
    if (!path.empty()) {
        text += ' ';
        text += path;
    }
    text += ": ";
    text += std::strerror(code);
    return {code, std::move(text)};
}

} // namespace orvane
