#pragma once
// Size texts of the results grid and the recovered-space panel. One formatter for all.

#include <cstdint>
#include <string>

namespace orvane::junk {

// "0.00": at least one digit, exactly two decimals, rounded half away from zero on the
// decimal value (15 significant digits, as the number is shown), `decimalSeparator` between.
std::string formatTwoDecimals(double value, char decimalSeparator);

// SIZE cell of a junk file: whole part of (bytes / 1024 + 1), then " KB".
std::string junkFileSizeText(uint64_t bytes);
// SIZE cell of a dead shortcut: whole part of (bytes / 1024), then " KB".
std::string deadLinkSizeText(uint64_t bytes);

// SIZE cell of the total row for `foundBytes` (FoundBytes, bytes):
//   under 1024 KB -> kilobytes "0.00" + "   KB" (a total of 0 bytes reads "0.00   KB");
//   under 1024 MB -> (MB + 0.01) + "  MB";  else ((MB + 0.01) / 1024 + 0.01) + "  Gigabytes".
std::string FormatTotalSize(double foundBytes, char decimalSeparator);

// RecoveredLine: "Disk Space Recovered:    " + RecoveredKB / 1024 + " Mb  ".
std::string recoveredLineText(double recoveredKB, char decimalSeparator);

// The number a SIZE cell stands for, after its last three characters (" KB") are cut off:
// false when that text is not a number.
bool sizeCellKilobytes(const std::string& sizeCell, double& kilobytes);

// The decimal separator of the current C locale (LC_NUMERIC).
char localeDecimalSeparator();

// Resting text of the status line.
inline constexpr const char* RestingStatusText = "              System Cleaner";

} // namespace orvane::junk
