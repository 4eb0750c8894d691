#include "platform/Regedit.h"
#include "platform/RegistryText.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace orvane::reg;
using orvane::test::readFile;
using orvane::test::TempDir;

namespace {

const std::string kFixtures = std::string(ORVANE_SOURCE_DATA_DIR) + "/../tests/fixtures/registry/";

std::string sz(std::u16string_view text) { return unitsToBytes(std::u16string(text) + u'\0'); }

class RegeditFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"system", "user", "userdef"})
            dir.write(std::string(name) + ".reg", readFile(kFixtures + "wine-" + name + ".reg"));
        reg = std::make_unique<Registry>(
            std::vector<HiveFile>{{dir / "system.reg", "Machine"},
                                  {dir / "user.reg", "User\\S-1-5-21-0-0-0-1000"},
                                  {dir / "userdef.reg", "User\\.Default"}},
            "S-1-5-21-0-0-0-1000");
    }
    Value value(Root root, const char* path, const char* name)
    {
        RegKey key;
        Value v;
        EXPECT_EQ(reg->openKey(root, path, KEY_READ, key), ERROR_SUCCESS) << path;
        EXPECT_EQ(reg->queryValueRaw(key, name, v), ERROR_SUCCESS) << name;
        return v;
    }

    TempDir dir;
    std::unique_ptr<Registry> reg;
};

} // namespace

TEST_F(RegeditFixture, ImportsEveryFormInBothVersions)
{
    std::string body =
        "\r\n; a comment\r\n[HKEY_CURRENT_USER\\Software\\Imp]\r\n"
        "@=\"default\"\r\n"
        "\"Path\"=\"C:\\\\dir\\\\say \\\"hi\\\"\"\r\n"
        "\"Caf\xc3\xa9\"=\"\xc3\xbc\"\r\n"
        "\"C:\\new\"=\"C:\\temp\\x\"\r\n"
        "\"D\"=dword:0000000A\r\n"
        "\"B\"=hex:00,ff,\\\r\n  10\r\n"
        "\"Q\"=hex(b):88,77,66,55,44,33,22,11\r\n"
        "\"E\"=hex(2):41,00\r\n"
        "\r\n[HKEY_CLASSES_ROOT\\.imp]\r\n@=\"impfile\"\r\n";
    ASSERT_TRUE(importRegedit(*reg, "REGEDIT4\r\n" + body).ok());
    struct Case {
        const char* name;
        std::uint32_t type;
        std::string data;
    } cases[] = {
        {"", REG_SZ, sz(u"default")},
        {"Path", REG_SZ, sz(u"C:\\dir\\say \"hi\"")},
        {"caf\xc3\xa9", REG_SZ, sz(u"\u00fc")},
        {"C:\\new", REG_SZ, sz(u"C:\\temp\\x")}, // a lone backslash is not an escape
        {"D", REG_DWORD, std::string("\x0a\0\0\0", 4)},
        {"B", REG_BINARY, std::string("\x00\xff\x10", 3)},
        {"Q", REG_QWORD, "\x88\x77\x66\x55\x44\x33\x22\x11"},
        {"E", REG_EXPAND_SZ, std::string("A\0\0\0", 4)}, // REGEDIT4: ANSI bytes "A\0"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Value v = value(Root::CurrentUser, "Software\\Imp", c.name);
        EXPECT_EQ(v.type, c.type);
        EXPECT_EQ(v.data, c.data);
    }
    EXPECT_EQ(reg->readString(Root::LocalMachine, "Software\\Classes\\.imp", ""), "impfile");

    // Version 5 in UTF-16LE: hex(2) data is already UTF-16.
    std::string v5 = "\xff\xfe" + unitsToBytes(utf8ToUtf16("Windows Registry Editor Version 5.00\r\n" + body));
    ASSERT_TRUE(importRegedit(*reg, v5).ok());
    EXPECT_EQ(value(Root::CurrentUser, "Software\\Imp", "E").data, std::string("A\0", 2));
}

TEST_F(RegeditFixture, DeletionLinesRemoveKeysAndValues)
{
    ASSERT_TRUE(importRegedit(*reg, "REGEDIT4\n\n[-HKEY_CURRENT_USER\\Software\\FmtTest\\Ab]\n"
                                    "[HKEY_CURRENT_USER\\Software\\FmtTest]\n\"Sz\"=-\n\"NotThere\"=-\n"
                                    "[-HKEY_CURRENT_USER\\Software\\Absent]\n").ok());
    RegKey key;
    EXPECT_EQ(reg->openKey(Root::CurrentUser, "Software\\FmtTest\\Ab", KEY_READ, key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(reg->openKey(Root::CurrentUser, "Software\\FmtTest", KEY_READ, key), ERROR_SUCCESS);
    Value v;
    EXPECT_EQ(reg->queryValueRaw(key, "Sz", v), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg->queryValueRaw(key, "Dword", v), ERROR_SUCCESS);
}

TEST_F(RegeditFixture, MalformedFilesChangeNothingAndNameTheirLines)
{
    struct Case {
        std::string text;
        const char* expected;
    } cases[] = {
        {"REGEDIT5\n[HKEY_CURRENT_USER\\X]\n", "line 1:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"1\"\n\"b\"=dword:123456789\n", "line 4:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"1\"\n\"b\"=hex:0,1\n", "line 4:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"1\n", "line 3:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=hex:01,\\\n", "line 3:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=qword:1\n", "line 3:"},
        {"REGEDIT4\n[HKEY_NOWHERE\\X]\n", "line 2:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\X\n", "line 2:"},
        {"REGEDIT4\n\"a\"=\"1\"\n", "line 2:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\" \"1\"\n", "line 3:"},
        {"REGEDIT4\n[HKEY_USERS\\NewUser]\n", "line 2:"},
        {"", "line 1:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        orvane::Status status = importRegedit(*reg, c.text);
        EXPECT_FALSE(status.ok());
        EXPECT_NE(status.message.find(c.expected), std::string::npos) << status.message;
        RegKey key;
        EXPECT_EQ(reg->openKey(Root::CurrentUser, "X", KEY_READ, key), ERROR_FILE_NOT_FOUND);
        EXPECT_FALSE(reg->hasUnsavedChanges());
    }
}

TEST_F(RegeditFixture, ReadOnlyTargetsChangeNothing)
{
    Registry readOnly({{dir / "user.reg", "User\\S-1-5-21-0-0-0-1000"}}, "S-1-5-21-0-0-0-1000", "Wine is running");
    orvane::Status status = importRegedit(readOnly, "REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"1\"\n");
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message.find("Wine is running"), std::string::npos);
}

TEST_F(RegeditFixture, ExportThenImportGivesBackEveryValueExactly)
{
    for (RegeditVersion version : {RegeditVersion::Regedit4, RegeditVersion::Version5}) {
        SCOPED_TRACE(int(version));
        // Unterminated strings and control characters must survive too; odd byte counts have
        // no ANSI form, so only version 5 can carry them.
        RegKey key;
        ASSERT_EQ(reg->createKey(Root::CurrentUser, "Software\\FmtTest\\Odd", KEY_ALL_ACCESS, key), ERROR_SUCCESS);
        ASSERT_EQ(reg->setValueRaw(key, "unterminated", REG_EXPAND_SZ, std::string("a\0b\0", 4)), ERROR_SUCCESS);
        if (version == RegeditVersion::Version5) {
            ASSERT_EQ(reg->setValueRaw(key, "odd", REG_SZ, std::string("a\0b", 3)), ERROR_SUCCESS);
        }
        ASSERT_EQ(reg->setValueRaw(key, "ctl", REG_SZ, sz(u"line1\nline2")), ERROR_SUCCESS);
        long error = -1;
        std::string text = exportRegedit(*reg, Root::CurrentUser, "Software\\FmtTest", version, &error);
        ASSERT_EQ(error, ERROR_SUCCESS);
        std::vector<std::pair<std::string, Value>> before;
        std::vector<std::string> paths{"Software\\FmtTest", "Software\\FmtTest\\Odd", "Software\\FmtTest\\Sub[1] \xc3\xa9"};
        for (const std::string& path : paths) {
            ASSERT_EQ(reg->openKey(Root::CurrentUser, path, KEY_READ, key), ERROR_SUCCESS);
            Value v;
            for (std::uint32_t i = 0; reg->enumValueRaw(key, i, v) == ERROR_SUCCESS; ++i)
                before.emplace_back(path, v);
        }
        ASSERT_EQ(reg->deleteTree(Root::CurrentUser, "Software\\FmtTest"), ERROR_SUCCESS);
        orvane::Status status = importRegedit(*reg, text);
        ASSERT_TRUE(status.ok()) << status.message << "\n" << text;
        for (const auto& [path, v] : before) {
            SCOPED_TRACE(path + " " + v.name);
            Value again = value(Root::CurrentUser, path.c_str(), v.name.c_str());
            EXPECT_EQ(again.type, v.type);
            EXPECT_EQ(again.data, v.data);
        }
    }
    long error = 0;
    EXPECT_EQ(exportRegedit(*reg, Root::CurrentUser, "Software\\Missing", RegeditVersion::Regedit4, &error), "");
    EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegeditFixture, ExportLeavesLinkKeysOut)
{
    std::string text = exportRegedit(*reg, Root::LocalMachine, "Software\\Classes", RegeditVersion::Regedit4);
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Classes\\AppID\\BITS]\r\n\"AppID\"="), std::string::npos) << text;
    EXPECT_EQ(text.find("Wow6432Node\\AppId"), std::string::npos);
}
