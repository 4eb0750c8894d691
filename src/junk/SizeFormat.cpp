#include "junk/SizeFormat.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orvane::junk {

std::string formatTwoDecimals(double value, char decimalSeparator)
{
    if (!std::isfinite(value))
        value = 0;
    const bool negative = value < 0;
    // 15 significant digits first, so 1.005 reads as the decimal 1.005 and rounds up.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    // digits = d0 d1 ... d14, value = 0.d0d1... * 10^(exponent + 1)
    const int pointPos = exponent + 1; // digits before the decimal point
    const int keep = pointPos + 2;     // digits kept up to the hundredths
    std::string kept;
    bool roundUp = false;
    if (keep <= 0) {
        roundUp = keep == 0 && digits[0] >= '5';
        kept = "";
    } else if (keep >= int(digits.size())) {
        kept = digits + std::string(size_t(keep) - digits.size(), '0');
    } else {
        kept = digits.substr(0, size_t(keep));
        roundUp = digits[size_t(keep)] >= '5';
    }
    // Whole number of hundredths as a digit string, then carry.
    if (kept.empty())
        kept = "0";
    if (roundUp) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[size_t(i)] == '9')
            kept[size_t(i--)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[size_t(i)];
    }
    while (kept.size() < 3)
        kept.insert(kept.begin(), '0');
    const std::string whole = kept.substr(0, kept.size() - 2);
    const std::string hundredths = kept.substr(kept.size() - 2);
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    std::string out = (negative && !zero) ? "-" : "";
    const size_t firstNonZero = whole.find_first_not_of('0');
    out += firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
    out += decimalSeparator;
    out += hundredths;
    return out;
}

std::string junkFileSizeText(uint64_t bytes) { return std::to_string(bytes / 1024 + 1) + " KB"; }

std::string deadLinkSizeText(uint64_t bytes) { return std::to_string(bytes / 1024) + " KB"; }

std::string FormatTotalSize(double foundBytes, char decimalSeparator)
{
    const double t = foundBytes;
    if (t <= 0)
        return formatTwoDecimals(0, decimalSeparator) + "   KB";
    if (t / 1024 < 1024)
        return formatTwoDecimals(t / 1024, decimalSeparator) + "   KB";
    const double m = t / 1024 / 1024 + 0.01;
    if (t / 1024 / 1024 < 1024)
        return formatTwoDecimals(m, decimalSeparator) + "  MB";
    return formatTwoDecimals(m / 1024 + 0.01, decimalSeparator) + "  Gigabytes";
}

std::string recoveredLineText(double recoveredKB, char decimalSeparator)
{
    return "Disk Space Recovered:    " + formatTwoDecimals(recoveredKB / 1024, decimalSeparator) + " Mb  ";
}

bool sizeCellKilobytes(const std::string& sizeCell, double& kilobytes)
{
    if (sizeCell.size() <= 3)
        return false;
    const std::string number = sizeCell.substr(0, sizeCell.size() - 3);
    // Leading blanks are allowed, as the number conversion of the cells accepts them.
    size_t start = number.find_first_not_of(' ');
    if (start == std::string::npos)
        return false;
    const char* begin = number.c_str() + start;
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || !std::isfinite(value))
        return false;
    kilobytes = value;
    return true;
}

char localeDecimalSeparator()
{
    const std::lconv* conv = std::localeconv();
    return (conv && conv->decimal_point && conv->decimal_point[0]) ? conv->decimal_point[0] : '.';
}

} // namespace orvane::junk
