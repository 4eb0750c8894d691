#pragma once
// Windows wildcard matching of a file name against a mask ("*.TMP", "~*.*", "*.??$").

#include <string_view>

namespace orvane {

// Case-insensitive (ASCII letters), with FindFirstFileA's rules: '*' matches any run,
// '?' any one character; "*.*" matches every name, a mask ending in "." matches names
// without an extension.
bool matchesWildcard(std::string_view name, std::string_view mask);

} // namespace orvane
