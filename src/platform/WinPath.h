#pragma once
// Text helpers for Windows path strings ("C:\dir\file"). Pure string work, no I/O.

#include <string>
#include <string_view>
#include <vector>

namespace orvane::winpath {

// 'C' for "C:\x" or "c:", 0 when the path has no drive letter. Always upper case.
char driveLetter(std::string_view path);
// "C:\dir" + "name" -> "C:\dir\name"; a trailing backslash of `folder` is not doubled.
std::string join(std::string_view folder, std::string_view name);
// Components after the drive: "C:\a\b" -> {"a","b"}. Empty components are dropped.
std::vector<std::string> components(std::string_view path);
// "C:\a\b.txt" -> "b.txt"; "C:\a\" -> "".
std::string_view fileName(std::string_view path);
// "C:\a\b.txt" -> "C:\a"; "C:\a" -> "C:".
std::string_view parent(std::string_view path);
// ASCII lower case; other bytes unchanged.
inline char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
// Case-insensitive (ASCII) equality, as Windows compares names.
bool equalsNoCase(std::string_view a, std::string_view b);

} // namespace orvane::winpath
