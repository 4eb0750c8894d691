#include "platform/WinPath.h"

namespace orvane::winpath {

char driveLetter(std::string_view path)
{
    if (path.size() >= 2 && path[1] == ':') {
        const char c = path[0];
        if (c >= 'a' && c <= 'z')
            return char(c - 'a' + 'A');
        if (c >= 'A' && c <= 'Z')
            return c;
    }
    return 0;
}

std::string join(std::string_view folder, std::string_view name)
{
    std::string out(folder);
    if (out.empty() || out.back() != '\\')
        out += '\\';
    out += name;
    return out;
}

std::vector<std::string> components(std::string_view path)
{
    if (driveLetter(path))
        path.remove_prefix(2);
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = path.find('\\', start);
        const std::string_view part = path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!part.empty())
            parts.emplace_back(part);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return parts;
}

std::string_view fileName(std::string_view path)
{
    const size_t slash = path.rfind('\\');
    if (slash != std::string_view::npos)
        return path.substr(slash + 1);
    return driveLetter(path) ? path.substr(2) : path;
}

std::string_view parent(std::string_view path)
{
    const size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos)
        return driveLetter(path) ? path.substr(0, 2) : std::string_view();
    return path.substr(0, slash);
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

} // namespace orvane::winpath
