#include "platform/DosAttrib.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/xattr.h>

using namespace orvane;
using orvane::test::TempDir;

namespace {

TEST(DosAttrib, ParsesTheTextWineAndSambaWrite)
{
    struct Case {
        std::string value;
        std::optional<uint32_t> bits;
    };
    const Case cases[] = {
        {"0x2", 0x2u},
        {"0x6", 0x6u},
        {"0X20", 0x20u},
        {"0xffffffff", 0xFFFFFFFFu},
        {std::string("0x22\0\x03\x00\x04", 8), 0x22u}, // Samba 4: text, zero, binary
        {"0x", std::nullopt},
        {"0x1g", std::nullopt},
        {"0x100000000", std::nullopt},
        {"2", std::nullopt},
        {std::string("\x00\x00\x04\x00", 4), std::nullopt}, // binary only
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dosattrib::parse(c.value), c.bits) << c.value;
    for (const uint32_t bits : {0x2u, 0x4u, 0x6u, 0x27u})
        EXPECT_EQ(dosattrib::parse(dosattrib::format(bits)), bits);
    EXPECT_EQ(dosattrib::format(0x6), "0x6");
    EXPECT_EQ(dosattrib::format(0x22), "0x22");
}

TEST(DosAttrib, ReadsAndWritesTheEntryItself)
{
    TempDir dir;
    const std::string file = dir.write("f.txt", "x");
    const std::string link = dir / "link";
    std::filesystem::create_symlink(file, link);

    EXPECT_EQ(dosattrib::read(file), 0u);
    EXPECT_EQ(dosattrib::write(file, 0), 0) << "clearing what is not there is fine";
    ASSERT_EQ(dosattrib::write(file, 0x6), 0);
    char value[16];
    const ssize_t n = ::getxattr(file.c_str(), "user.DOSATTRIB", value, sizeof value);
    EXPECT_EQ(std::string(value, size_t(std::max<ssize_t>(n, 0))), "0x6") << "no terminating zero, as Wine writes it";
    EXPECT_EQ(dosattrib::read(file), 0x6u);

    EXPECT_EQ(dosattrib::read(link), 0u) << "a link is not followed";
    EXPECT_EQ(dosattrib::write(link, 0x2), EPERM);
    EXPECT_EQ(dosattrib::read(file), 0x6u);

    ASSERT_EQ(dosattrib::write(file, 0), 0);
    EXPECT_LT(::getxattr(file.c_str(), "user.DOSATTRIB", value, sizeof value), 0);
    int error = 0;
    EXPECT_EQ(dosattrib::read(dir / "missing", &error), 0u);
    EXPECT_EQ(error, ENOENT);
}

} // namespace
