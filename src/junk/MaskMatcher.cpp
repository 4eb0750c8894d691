#include "junk/MaskMatcher.h"

#include "platform/Wildcard.h"

namespace orvane::junk {

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool endsWithNoCase(std::string_view name, std::string_view suffix)
{
    if (name.size() < suffix.size())
        return false;
    const char* p = name.data() + (name.size() - suffix.size());
    for (size_t i = 0; i < suffix.size(); ++i)
        if (upper(p[i]) != suffix[i])
            return false;
    return true;
}

bool plain(std::string_view text)
{
    return text.find_first_of("*?.<>\"") == std::string_view::npos && !text.empty() && text.back() != ' ';
}

} // namespace

MaskMatcher::MaskMatcher(std::string_view mask) : kind_(Kind::General), mask_(mask)
{
    if (mask.size() > 2 && mask.substr(0, 2) == "*." && plain(mask.substr(2))) {
        kind_ = Kind::Suffix;
        for (char c : mask.substr(1))
            literal_ += upper(c);
    } else if (mask.find_first_of("*?") == std::string_view::npos && !mask.empty() && mask.back() != '.') {
        kind_ = Kind::Exact;
        for (char c : mask)
            literal_ += upper(c);
    }
}

bool MaskMatcher::matches(std::string_view name) const
{
    switch (kind_) {
    case Kind::Suffix:
        return endsWithNoCase(name, literal_);
    case Kind::Exact:
        return name.size() == literal_.size() && endsWithNoCase(name, literal_);
    case Kind::General:
        break;
    }
    return matchesWildcard(name, mask_);
}

} // namespace orvane::junk
