#include "platform/RegFile.h"
#include "platform/RegistryText.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace orvane::reg;
using orvane::Status;

namespace {

const std::string kFixtures = std::string(ORVANE_SOURCE_DATA_DIR) + "/../tests/fixtures/registry/";
const std::string kHead = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n";

std::string wide(std::u16string_view units)
{
    return unitsToBytes(units);
}

Hive parsed(std::string_view text, Status* status = nullptr)
{
    Hive hive;
    Status s = parseHive(text, "user.reg", hive);
    if (status)
        *status = s;
    else
        EXPECT_TRUE(s.ok()) << s.message;
    return hive;
}

} // namespace

TEST(RegFile, WineWrittenFilesRoundTripByteForByte)
{
    for (const char* name : {"wine-user.reg", "wine-system.reg", "wine-userdef.reg"}) {
        SCOPED_TRACE(name);
        std::string original = orvane::test::readFile(kFixtures + name);
        ASSERT_FALSE(original.empty());
        Hive hive = parsed(original);
        EXPECT_EQ(writeHive(hive), original);
    }
}

TEST(RegFile, ReadsEveryValueTypeWineWrote)
{
    Hive hive = parsed(orvane::test::readFile(kFixtures + "wine-user.reg"));
    EXPECT_EQ(hive.rootPath, "REGISTRY\\User\\S-1-5-21-0-0-0-1000");
    Node* key = hive.root->findSubkey("software");
    ASSERT_NE(key, nullptr);
    key = key->findSubkey("FMTTEST");
    ASSERT_NE(key, nullptr);
    struct Case {
        const char* name;
        std::uint32_t type;
        std::string data;
    } cases[] = {
        {"Sz", REG_SZ, wide(u"C:\\dir\\file.txt") + std::string(2, '\0')},
        {"Expand", REG_EXPAND_SZ, wide(u"%SystemRoot%\\temp") + std::string(2, '\0')},
        {"Multi", REG_MULTI_SZ, wide(std::u16string(u"one\0two\0three\0\0", 15))},
        {"Dword", REG_DWORD, std::string("\x0a\0\0\0", 4)},
        {"Qword", 11, "\x88\x77\x66\x55\x44\x33\x22\x11"},
        {"Bin", REG_BINARY, std::string("\x00\xff\x10", 3)},
        {"None", REG_NONE, std::string(2, '\0')},
        {"BigEndian", REG_DWORD_BIG_ENDIAN, std::string("\x01\0\0\0", 4)},
        {"Quote \"q\" \\ back", REG_SZ, wide(u"say \"hi\"") + std::string(2, '\0')},
        {"Brackets [x]", REG_SZ, wide(u"[y] ]z[") + std::string(2, '\0')},
        {"caf\xc3\xa9", REG_SZ, wide(u"\u00fcber \u4e2da") + std::string(2, '\0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Value* v = key->findValue(c.name);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->type, c.type);
        EXPECT_EQ(v->data, c.data);
    }
    const Value* longBin = key->findValue("BinLong");
    ASSERT_NE(longBin, nullptr);
    ASSERT_EQ(longBin->data.size(), 100u);
    EXPECT_EQ(static_cast<unsigned char>(longBin->data[99]), 99);
    Node* sub = key->findSubkey("Sub[1] \xc3\xa9");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->findValue("")->data, wide(u"default") + std::string(2, '\0'));
    Node* intl = hive.root->findSubkey("Control Panel")->findSubkey("International");
    ASSERT_NE(intl, nullptr);
    ASSERT_EQ(intl->subkeys.size(), 1u);
    EXPECT_EQ(utf8ToUtf16(intl->subkeys[0]->name), u"\U0001F30E\U0001F30F\U0001F30D");
}

TEST(RegFile, ParsesEscapesAndTolerantLayouts)
{
    struct Case {
        const char* line;
        std::uint32_t type;
        std::u16string text; // without the final NUL, for string types
    } cases[] = {
        {"\"v\"=\"line1\\nline2\"", REG_SZ, u"line1\nline2"},
        {"\"v\"=\"x\\1y\\ez\x7f\"", REG_SZ, u"x\x01y\x1bz\x7f"},
        {"\"v\"=\"\\0017\\18\\0001\"", REG_SZ, std::u16string(u"\x01" u"7\x01" u"8\0" u"1", 6)},
        {"\"v\"=\"\\x00e9a1\\xe9G\"", REG_SZ, u"\u00e9a1\u00e9G"},
        {"\"v\"=\"\\xd83c\\xdf0d\"", REG_SZ, u"\U0001F30D"},
        {"\"v\"=\"caf\xc3\xa9\"", REG_SZ, u"caf\u00e9"},
        {"\"v\"=\"a\\Eb\"", REG_SZ, u"aEb"},
        {"\"v\" = str(7):\"a\\0b\\0\"", REG_MULTI_SZ, std::u16string(u"a\0b\0", 4)},
        {"\"v\"=str(2):\"%A%\"\r", REG_EXPAND_SZ, u"%A%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Hive hive = parsed(kHead + "\n[K] 1\n" + c.line + "\n");
        const Value* v = hive.root->findSubkey("K")->findValue("v");
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->type, c.type);
        std::u16string expected = c.text + u'\0';
        EXPECT_EQ(bytesToUnits(v->data), expected);
    }
    Hive hive = parsed(kHead + "\n[K] 1\n\"d\"=dword:0000000A\n\"h\"=hex(ffff0007):01,\\\n   02 ,03\n"
                               "\"e\"=hex:\n[K]\n\"later\"=\"1\"\n");
    Node* k = hive.root->findSubkey("K");
    EXPECT_EQ(k->findValue("d")->data, std::string("\x0a\0\0\0", 4));
    EXPECT_EQ(k->findValue("h")->type, 0xffff0007u);
    EXPECT_EQ(k->findValue("h")->data, "\x01\x02\x03");
    EXPECT_EQ(k->findValue("e")->data, "");
    EXPECT_NE(k->findValue("later"), nullptr) << "duplicate sections merge";

    // Times out of range are tolerated as Wine tolerates them, and written back as they came.
    std::string odd = kHead + "\n[T] 4294967295\n#time=ffffffffffffffff\n\n[U] 1\n#time=8000000000000000\n";
    EXPECT_EQ(writeHive(parsed(odd)), odd);
    Hive huge = parsed(kHead + "\n[T] 1796990196990120\n#time=1dd8960eb759dba\n");
    EXPECT_EQ(huge.root->findSubkey("T")->modified, 0x1dd8960eb759dbaLL);
}

TEST(RegFile, WritesValuesAsWineDoes)
{
    struct Case {
        std::uint32_t type;
        std::string data;
        const char* line;
    } cases[] = {
        {REG_SZ, wide(std::u16string(u"abc\0", 4)), "\"v\"=\"abc\""},
        {REG_SZ, wide(std::u16string(u"a\0b\0", 4)), "\"v\"=\"a\\0b\""},
        {REG_MULTI_SZ, wide(std::u16string(u"one\0two\0\0", 9)), "\"v\"=str(7):\"one\\0two\\0\""},
        {REG_MULTI_SZ, wide(std::u16string(u"\0", 1)), "\"v\"=str(7):\"\""},
        {REG_MULTI_SZ, wide(std::u16string(u"\0\0", 2)), "\"v\"=str(7):\"\\0\""},
        {REG_SZ, "", "\"v\"=hex(1):"},
        {REG_SZ, std::string("a\0b\0c", 5), "\"v\"=hex(1):61,00,62,00,63"},
        {REG_SZ, std::string("a\0b\0c\0", 6), "\"v\"=hex(1):61,00,62,00,63,00"},
        {REG_EXPAND_SZ, std::string("%\0A\0%\0", 6), "\"v\"=hex(2):25,00,41,00,25,00"},
        {REG_DWORD, "\x01\x02\x03", "\"v\"=hex(4):01,02,03"},
        {REG_DWORD, std::string("\xff\0\0\x10", 4), "\"v\"=dword:100000ff"},
        {REG_BINARY, "", "\"v\"=hex:"},
        {0xffff1003, "\x01", "\"v\"=hex(ffff1003):01"},
        {REG_SZ, wide(std::u16string(u"x\x01y\x1bz\x7f\0", 7)), "\"v\"=\"x\\1y\\ez\x7f\""},
        {REG_SZ, wide(std::u16string(u"\x01" u"7\x01" u"8\0" u"1\0", 7)), "\"v\"=\"\\0017\\18\\0001\""},
        {REG_SZ, wide(std::u16string(u"\u00e9G\u00e9a1 \u00e9F\U0001F30D\0", 11)),
         "\"v\"=\"\\xe9G\\x00e9a1 \\x00e9F\\xd83c\\xdf0d\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Hive hive;
        hive.rootPath = "REGISTRY\\Machine";
        hive.root = std::make_shared<Node>();
        Node& key = hive.root->addSubkey("K");
        key.modified = kTicks1601To1970;
        key.putValue({"v", c.type, c.data});
        std::string text = writeHive(hive);
        EXPECT_NE(text.find(std::string("\n") + c.line + "\n"), std::string::npos) << text;
        // And it reads back to the same bytes.
        Hive again = parsed(text);
        const Value* v = again.root->findSubkey("K")->findValue("v");
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->type, c.type);
        EXPECT_EQ(v->data, c.data);
    }
}

TEST(RegFile, SortsNamesAsIfLowerCased)
{
    Node root;
    for (const char* name : {"CaseB", "casea", "Ab", "A_b", "ANSI_X3.4-1968", "_iso-2022-jp$SIO"})
        root.addSubkey(name);
    std::vector<std::string> order;
    for (const auto& child : root.subkeys)
        order.push_back(child->name);
    EXPECT_EQ(order, (std::vector<std::string>{"_iso-2022-jp$SIO", "A_b", "Ab", "ANSI_X3.4-1968", "casea", "CaseB"}));
    EXPECT_TRUE(sameName("\xc3\x89t\xc3\xa9", "\xc3\xa9T\xc3\x89")); // Été
    EXPECT_FALSE(sameName("a", "ab"));
}

TEST(RegFile, MalformedInputFailsNamingFileAndLineAndLoadsNothing)
{
    struct Case {
        std::string text;
        const char* where;
    } cases[] = {
        {"REGEDIT4\n[K]\n", "user.reg:1:"},
        {kHead + "\n[K] 1\n\"v\"=\"unterminated\n", "user.reg:7:"},
        {kHead + "\n[K] 1\n\"v\"=dword:xyz\n", "user.reg:7:"},
        {kHead + "\n[K] 1\n\"v\"=hex:0g\n", "user.reg:7:"},
        {kHead + "\n[K] 1\n\"v\"=hex:01,\\\n", "user.reg:7:"},
        {kHead + "\n[K] 1\n\"v\"=wrong\n", "user.reg:7:"},
        {kHead + "\n[K] 1\n\"v\"\n", "user.reg:7:"},
        {kHead + "\n[K 1\n", "user.reg:6:"},
        {kHead + "\n[K] 1\n\"ok\"=\"1\"\ngarbage\n", "user.reg:8:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Status status;
        Hive hive = parsed(c.text, &status);
        EXPECT_FALSE(status.ok());
        EXPECT_EQ(status.message.rfind(c.where, 0), 0u) << status.message;
        ASSERT_NE(hive.root, nullptr);
        EXPECT_TRUE(hive.root->subkeys.empty());
    }
}

TEST(RegFile, KeepsLinesItDoesNotUnderstand)
{
    std::string text = kHead + "\n[K] 1796987725\n#time=1dd8960eb759dba\n#dyndata\n;note\n\"a\"=\"1\"\n";
    EXPECT_EQ(writeHive(parsed(text)), text);
}

TEST(RegFile, VeryDeepTreesNeedNoRecursion)
{
    Hive hive;
    hive.rootPath = "REGISTRY\\Machine";
    hive.root = std::make_shared<Node>();
    Node* node = hive.root.get();
    for (int i = 0; i < 10000; ++i)
        node = &node->addSubkey("k");
    node->putValue({"v", REG_BINARY, "x"});
    std::string text = writeHive(hive);
    Hive again = parsed(text);
    EXPECT_EQ(writeHive(again), text);
}

// A whole real prefix (Wine's 1.7 MB system.reg and all): ORVANE_WINE_PREFIX=<prefix>.
TEST(RegFile, RealPrefixFilesRoundTripByteForByte)
{
    const char* prefix = std::getenv("ORVANE_WINE_PREFIX");
    if (!prefix)
        GTEST_SKIP() << "set ORVANE_WINE_PREFIX to a Wine prefix to run";
    for (const char* name : {"system.reg", "user.reg", "userdef.reg"}) {
        SCOPED_TRACE(name);
        std::string original = orvane::test::readFile(std::string(prefix) + "/" + name);
        Hive hive = parsed(original);
        EXPECT_EQ(writeHive(hive), original);
    }
}
