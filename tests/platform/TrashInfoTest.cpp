#include "platform/TrashInfo.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string_view>

using namespace orvane::trashinfo;

TEST(TrashInfo, PercentEncodingKeepsOnlyUnreservedBytes)
{
    const struct {
        std::string raw;
        std::string encoded;
    } cases[] = {
        {"/home/me/a.tmp", "/home/me/a.tmp"},
        {"/tmp/with space/x", "/tmp/with%20space/x"},
        {"/p/dosdevices/c:/100%", "/p/dosdevices/c%3A/100%25"},
        {"/u/caf\xC3\xA9", "/u/caf%C3%A9"},
        {"/bad/\xFF\xFE", "/bad/%FF%FE"},
        {"/q/a#b?c&d=e+f", "/q/a%23b%3Fc%26d%3De%2Bf"},
        {"/keep/-_.!~*'()", "/keep/-_.!~*'()"},
        {std::string("/nul\0x", 6), "/nul%00x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(percentEncode(c.raw), c.encoded) << c.raw;
        EXPECT_EQ(percentDecode(c.encoded), c.raw) << c.encoded;
    }
}

TEST(TrashInfo, PercentDecodingRejectsBrokenEscapes)
{
    for (const char* text : {"%", "%4", "/a%zz", "/a%4g", "/end%"})
        EXPECT_FALSE(percentDecode(text).has_value()) << text;
    EXPECT_EQ(percentDecode("%2f%2F"), "//");
}

TEST(TrashInfo, RandomBytesSurviveEncodeThenDecode)
{
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        const std::string encoded = percentEncode(bytes);
        for (char c : encoded)
            ASSERT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || std::string_view("-_.!~*'()/%").find(c) != std::string_view::npos)
                << encoded;
        EXPECT_EQ(percentDecode(encoded), bytes);
    }
}

TEST(TrashInfo, DeletionDateIsLocalTimeWithoutZone)
{
    std::tm local{};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 2;
    local.tm_mday = 1;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 7;
    local.tm_isdst = -1;
    EXPECT_EQ(formatDeletionDate(std::mktime(&local)), "2024-03-01T09:05:07");
    EXPECT_TRUE(isValidDeletionDate(formatDeletionDate(std::time(nullptr))));
    for (const char* bad : {"", "2024-03-01 09:05:07", "2024-13-01T09:05:07", "2024-03-01T09:05", "24-03-01T09:05:07x",
                            "2024-03-01T25:05:07", "2024-03-01T09:05:07Z"})
        EXPECT_FALSE(isValidDeletionDate(bad)) << bad;
}

TEST(TrashInfo, FormatThenParseRoundTrips)
{
    const TrashInfo info{"/home/me/My File\n.txt", "2023-12-31T23:59:59"};
    const std::string text = format(info);
    EXPECT_EQ(text, "[Trash Info]\nPath=/home/me/My%20File%0A.txt\nDeletionDate=2023-12-31T23:59:59\n");
    TrashInfo back;
    ASSERT_TRUE(parse(text, back).ok());
    EXPECT_EQ(back.path, info.path);
    EXPECT_EQ(back.deletionDate, info.deletionDate);
}

TEST(TrashInfo, ParserToleratesWhatOthersWrite)
{
    const struct {
        const char* text;
        const char* path;
        const char* date;
    } cases[] = {
        {"[Trash Info]\r\nPath=/a/b\r\nDeletionDate=2020-01-02T03:04:05\r\n", "/a/b", "2020-01-02T03:04:05"},
        {"# made by hand\n\n[Trash Info]\nDeletionDate=2020-01-02T03:04:05\nPath=rel/x%20y", "rel/x y",
         "2020-01-02T03:04:05"},
        {"[Trash Info]\nPath=/a\nUnknown=1\nnot a key line\n[Other]\nPath=/ignored\n", "/a", ""},
        {"[Trash Info]\nPath=/first\nPath=/second\nDeletionDate=garbage\n", "/first", "garbage"},
    };
    for (const auto& c : cases) {
        TrashInfo info;
        ASSERT_TRUE(parse(c.text, info).ok()) << c.text;
        EXPECT_EQ(info.path, c.path);
        EXPECT_EQ(info.deletionDate, c.date);
    }
}

TEST(TrashInfo, ParserRejectsMalformedFilesWithAMessage)
{
    for (const char* text : {"", "Path=/a\n", "[Desktop Entry]\nPath=/a\n[Trash Info]\nPath=/b\n",
                             "[Trash Info]\nDeletionDate=2020-01-02T03:04:05\n", "[Trash Info]\nPath=/a%G1\n",
                             "[Trash Info]\nPath=\n", "[Other]\n[Trash Info]\nPath=/a\n"}) {
        TrashInfo info{"untouched", "untouched"};
        const auto status = parse(text, info);
        EXPECT_FALSE(status.ok()) << text;
        EXPECT_FALSE(status.message.empty());
        EXPECT_EQ(info.path, "untouched");
    }
}

TEST(TrashInfo, DirectorySizesLineEncodesTheName)
{
    EXPECT_EQ(directorySizesLine(4096, 1700000000, "old photos"), "4096 1700000000 old%20photos\n");
}
