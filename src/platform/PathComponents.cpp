#include "platform/PathComponents.h"

namespace orvane::pathparts {

std::string joinHost(const std::string& folder, std::string_view name)
{
    std::string out;
    out.reserve(folder.size() + 1 + name.size());
    out = folder;
    if (out.empty() || out.back() != '/')
        out += '/';
    out += name;
    return out;
}

std::vector<std::string_view> normalComponents(std::string_view path)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    return parts;
}

} // namespace orvane::pathparts
