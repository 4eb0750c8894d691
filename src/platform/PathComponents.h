#pragma once
// Text helpers shared by the Windows -> host path translation and the file-system service.

#include <string>
#include <string_view>
#include <vector>

namespace orvane::pathparts {

// `folder` + '/' + `name`, without doubling a trailing slash.
std::string joinHost(const std::string& folder, std::string_view name);

// The components of a path split at '\' and '/'. "." and ".." are resolved by text and never
// climb above the start, as on Windows.
std::vector<std::string_view> normalComponents(std::string_view path);

} // namespace orvane::pathparts
