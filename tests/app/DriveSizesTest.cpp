#include "app/DriveSizes.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::TempDir;

TEST(DriveSizes, DataFileRoundTripAndMalformedLines)
{
    const std::string text = "C:\t102400\t5120\r\n"
                             "garbage\r\n"
                             "d:\t10\t\r\n"     // free missing
                             "E:\t1x\t2\r\n"    // not a number
                             "Z:\t9\t8\n"       // LF only
                             "\r\n";
    const auto sizes = StartupDriveSizes::fromText(text);
    ASSERT_EQ(sizes.entries().size(), 2u);
    EXPECT_EQ(sizes.entries()[0], (DriveSize{'C', "102400", "5120"}));
    EXPECT_EQ(sizes.entries()[1], (DriveSize{'Z', "9", "8"}));
    EXPECT_EQ(sizes.find('c')->totalMB, "102400");
    EXPECT_FALSE(sizes.find('D').has_value());

    TempDir dir;
    ASSERT_TRUE(sizes.save(dir / "drivesizes.txt").ok());
    EXPECT_EQ(test::readFile(dir / "drivesizes.txt"), "C:\t102400\t5120\r\nZ:\t9\t8\r\n");
    EXPECT_EQ(StartupDriveSizes::load(dir / "drivesizes.txt").entries(), sizes.entries());
    EXPECT_TRUE(StartupDriveSizes::load(dir / "none.txt").entries().empty());
}

TEST(DriveSizes, KeepsAtMostTwentyEntries)
{
    std::string text;
    for (int i = 0; i < 26; ++i)
        text += std::string(1, char('A' + i)) + ":\t1\t1\r\n";
    EXPECT_EQ(StartupDriveSizes::fromText(text).entries().size(), StartupDriveSizes::capacity);
}

} // namespace
} // namespace orvane
