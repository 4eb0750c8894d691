#pragma once
// A junk mask prepared for matching many names in memory, with the listing's own wildcard
// rules: "*.EXT" masks with a plain extension become a suffix test, others use the matcher.

#include <string>
#include <string_view>

namespace orvane::junk {

class MaskMatcher {
public:
    explicit MaskMatcher(std::string_view mask);
    bool matches(std::string_view name) const;

private:
    enum class Kind { Suffix, Exact, General } kind_;
    std::string mask_;
    std::string literal_; // ".EXT" for Suffix, the name for Exact
};

} // namespace orvane::junk
