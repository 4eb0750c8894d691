#pragma once
// Where the program's links point: the maker's web site and support mail address.

#include <string_view>

namespace orvane {

inline constexpr std::string_view websiteUrl = "https://orvane.example.org";
inline constexpr std::string_view supportMail = "support@orvane.example.org";
inline constexpr std::string_view productName = "Orvane";
inline constexpr std::string_view productVersion = "9.0";
inline constexpr std::string_view helpPageName = "tavrel.htm";
inline constexpr std::string_view legendFileName = "Legend.txt";
inline constexpr std::string_view settingsFileName = "config.TXT";
inline constexpr std::string_view languageFileName = "idiom.txt";

} // namespace orvane
