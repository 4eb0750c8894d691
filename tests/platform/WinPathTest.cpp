#include "platform/WinPath.h"

#include <gtest/gtest.h>

using namespace orvane::winpath;

TEST(WinPath, SplitsAndJoins)
{
    EXPECT_EQ(driveLetter("c:\\x"), 'C');
    EXPECT_EQ(driveLetter("\\\\server\\share"), 0);
    EXPECT_EQ(join("C:", "Windows"), "C:\\Windows");
    EXPECT_EQ(join("C:\\", "Windows"), "C:\\Windows");
    EXPECT_EQ(components("C:\\a\\\\b\\"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(fileName("C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(parent("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(parent("C:\\a"), "C:");
    EXPECT_TRUE(equalsNoCase("C:\\Windows", "c:\\WINDOWS"));
    EXPECT_FALSE(equalsNoCase("C:\\Windows", "C:\\Window"));
}
