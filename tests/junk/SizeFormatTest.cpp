#include "junk/SizeFormat.h"

#include <gtest/gtest.h>

namespace orvane::junk {
namespace {

TEST(SizeFormat, FileSizeCellsRoundDownAndJunkFilesAddOne)
{
    struct Case {
        uint64_t bytes;
        const char* junk;
        const char* deadLink;
    } cases[] = {
        {0, "1 KB", "0 KB"},       {1, "1 KB", "0 KB"},          {1023, "1 KB", "0 KB"},
        {1024, "2 KB", "1 KB"},    {2047, "2 KB", "1 KB"},       {1048576, "1025 KB", "1024 KB"},
        {5000000000ull, "4882813 KB", "4882812 KB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(junkFileSizeText(c.bytes), c.junk) << c.bytes;
        EXPECT_EQ(deadLinkSizeText(c.bytes), c.deadLink) << c.bytes;
    }
}

TEST(SizeFormat, TotalSizeTextAtItsBoundaries)
{
    struct Case {
        double bytes;
        const char* text;
    } cases[] = {
        {0, "0.00   KB"},                 // a listing of empty files only
        {1, "0.00   KB"},
        {512, "0.50   KB"},
        {1536000, "1.47  MB"},
        {1048575, "1024.00   KB"},         // one byte under 1024 KB: still the kilobyte form
        {1048576, "1.01  MB"},             // exactly 1024 KB
        {5242880, "5.01  MB"},
        {1073741823, "1024.01  MB"},       // one byte under 1 GB
        {1073741824, "1.01  Gigabytes"},
        {2147483648.0, "2.01  Gigabytes"},
        {12.34 * 1024 * 1024, "12.35  MB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatTotalSize(c.bytes, '.'), c.text) << c.bytes;
}

TEST(SizeFormat, TwoDecimalsRoundHalfAwayOnTheDecimalValueWithTheLocaleSeparator)
{
    struct Case {
        double value;
        char separator;
        const char* text;
    } cases[] = {
        {0, '.', "0.00"},       {1.5, ',', "1,50"},       {1.005, '.', "1.01"},     {2.675, '.', "2.68"},
        {0.004, '.', "0.00"},   {0.005, '.', "0.01"},     {999.995, '.', "1000.00"}, {9.999, '.', "10.00"},
        {123456789.125, '.', "123456789.13"}, {1e-9, '.', "0.00"}, {-1.5, '.', "-1.50"}, {-0.001, '.', "0.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatTwoDecimals(c.value, c.separator), c.text) << c.value;
}

TEST(SizeFormat, RecoveredLine)
{
    EXPECT_EQ(recoveredLineText(0, '.'), "Disk Space Recovered:    0.00 Mb  ");
    EXPECT_EQ(recoveredLineText(1536, '.'), "Disk Space Recovered:    1.50 Mb  ");
    EXPECT_EQ(recoveredLineText(1536, ','), "Disk Space Recovered:    1,50 Mb  ");
}

TEST(SizeFormat, SizeCellNumbers)
{
    struct Case {
        const char* cell;
        bool ok;
        double kb;
    } cases[] = {
        {"1 KB", true, 1}, {"4882813 KB", true, 4882813}, {"0 KB", true, 0}, {"12.5 KB", true, 12.5},
        {"abc KB", false, 0}, {" KB", false, 0}, {"KB", false, 0}, {"", false, 0}, {"12x KB", false, 0},
    };
    for (const Case& c : cases) {
        double kb = -1;
        EXPECT_EQ(sizeCellKilobytes(c.cell, kb), c.ok) << c.cell;
        if (c.ok) {
            EXPECT_EQ(kb, c.kb) << c.cell;
        }
    }
}

} // namespace
} // namespace orvane::junk
