#include "platform/ShellLink.h"
#include "support/LnkBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace orvane {
namespace {

using test::buildLnk;
using test::LnkSpec;

TEST(ShellLink, TargetPathPrefersTheNetworkForm)
{
    struct Case {
        const char* what;
        LnkSpec spec;
        const char* target;
    } cases[] = {
        {"local path", {"C:\\Docs\\report.txt", "", ""}, "C:\\Docs\\report.txt"},
        {"local base and suffix", {"C:\\Docs\\", "report.txt", ""}, "C:\\Docs\\report.txt"},
        {"unicode link info", {"C:\\Data\\", "x.doc", "", true}, "C:\\Data\\x.doc"},
        {"network over local", {"Z:\\share\\", "a.txt", "\\\\server\\share"}, "\\\\server\\share\\a.txt"},
        {"network only", {"", "dir\\a.txt", "\\\\srv\\pub"}, "\\\\srv\\pub\\dir\\a.txt"},
        {"no ID list", {"C:\\x.txt", "", "", false, false}, "C:\\x.txt"},
        {"ansi strings", {"C:\\x.txt", "", "", false, true, "desc", "..\\x.txt", false}, "C:\\x.txt"},
        {"only an ID list", {"", "", "", false, true, "desc"}, ""},
        {"ansi path from a Western Windows", {"C:\\Caf\xe9\\", "\x80.txt", ""}, "C:\\Caf\xc3\xa9\\\xe2\x82\xac.txt"},
        {"ansi path already UTF-8", {"C:\\Caf\xc3\xa9\\", "x.txt", ""}, "C:\\Caf\xc3\xa9\\x.txt"},
    };
    for (const Case& c : cases) {
        const auto link = parseShellLink(buildLnk(c.spec));
        ASSERT_TRUE(link) << c.what;
        EXPECT_EQ(shellLinkTargetPath(*link), c.target) << c.what;
        EXPECT_EQ(link->name, c.spec.name) << c.what;
        EXPECT_EQ(link->relativePath, c.spec.relativePath) << c.what;
    }
}

TEST(ShellLink, TruncatedOrForeignBytesGiveNothingAndNeverCrash)
{
    const std::string full = buildLnk({"C:\\Docs\\", "report.txt", "\\\\server\\share", true, true, "desc", "..\\r"});
    ASSERT_TRUE(parseShellLink(full));
    // Every cut inside the header, ID list, LinkInfo or strings is refused; only the optional
    // extra-data terminator may be missing.
    for (size_t n = 0; n + 4 < full.size(); ++n)
        EXPECT_FALSE(parseShellLink(full.substr(0, n))) << "cut at " << n;

    std::string wrongClsid = full;
    wrongClsid[4] = 0x02;
    EXPECT_FALSE(parseShellLink(wrongClsid));
    EXPECT_FALSE(parseShellLink("[InternetShortcut]\r\nURL=http://example.org/\r\n"));

    std::string hugeOffset = full; // LinkInfo local path offset far outside the file
    const size_t linkInfoAt = 0x4C + 2 + 8;
    hugeOffset[linkInfoAt + 16] = char(0xFF);
    hugeOffset[linkInfoAt + 17] = char(0xFF);
    hugeOffset[linkInfoAt + 28] = char(0xFF);
    hugeOffset[linkInfoAt + 29] = char(0xFF);
    EXPECT_FALSE(parseShellLink(hugeOffset));
}

// Cross-check with an independent reader of the format when it is installed.
TEST(ShellLink, IndependentReaderAgrees)
{
    if (std::system("command -v lnkinfo >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "lnkinfo (liblnk-utils) is not installed";
    test::TempDir dir;
    const std::string file = dir.write("t.lnk", buildLnk({"C:\\Docs\\", "report.txt", "", true, true, "desc"}));
    const std::string out = dir / "out.txt";
    ASSERT_EQ(std::system(("lnkinfo '" + file + "' > '" + out + "' 2>&1").c_str()), 0);
    const std::string text = test::readFile(out);
    EXPECT_NE(text.find("C:\\Docs\\report.txt"), std::string::npos) << text;
    EXPECT_NE(text.find("desc"), std::string::npos) << text;
}

} // namespace
} // namespace orvane
