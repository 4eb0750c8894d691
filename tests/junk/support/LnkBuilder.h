#pragma once
// Shell-link files built byte by byte from the published format, for tests.

#include <string>

namespace orvane::test {

struct LnkSpec {
    std::string localBasePath{};   // "" = no local part
    std::string commonPathSuffix{};
    std::string networkName{};     // "" = no network part
    bool unicodeLinkInfo = false;  // also write the Unicode offsets and strings
    bool idList = true;            // a (dummy) link target ID list before the LinkInfo
    std::string name{};            // StringData NAME_STRING, "" = none
    std::string relativePath{};    // StringData RELATIVE_PATH, "" = none
    bool unicodeStrings = true;    // IsUnicode flag for StringData
};

// The bytes of a .lnk file. Strings are ASCII in tests.
std::string buildLnk(const LnkSpec& spec);

} // namespace orvane::test
