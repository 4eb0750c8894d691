#pragma once
// Reader of the shell-link (.lnk) binary format: the target path a shortcut names, as
// IShellLinkA::GetPath reports it. Pure parsing of bytes, no I/O.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

struct ShellLinkInfo {
    std::string localBasePath;     // LinkInfo: "C:\dir\" (UTF-8)
    std::string commonPathSuffix;  // LinkInfo: "file.txt"
    std::string networkName;       // LinkInfo, CommonNetworkRelativeLink: "\\server\share"
    std::string name;              // StringData: description
    std::string relativePath;      // StringData
    std::string workingDir;        // StringData
    std::string arguments;         // StringData
    std::string iconLocation;      // StringData
};

// nullopt when `bytes` is not a shell link or is truncated or inconsistent anywhere it is read.
std::optional<ShellLinkInfo> parseShellLink(std::string_view bytes);

// The target path with the network form preferred (SLGP_UNCPRIORITY): "<networkName>\<suffix>"
// when the link holds a network name, else "<localBasePath><suffix>"; "" when the link holds
// neither (a target known only through its item-ID list).
std::string shellLinkTargetPath(const ShellLinkInfo& link);

} // namespace orvane
