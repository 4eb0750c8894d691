#include "platform/Registry.h"
#include "platform/RegistryPrefix.h"
#include "platform/RegistryText.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <unistd.h>
#include <sys/stat.h>
#include <thread>

using namespace orvane::reg;
using orvane::test::readFile;
using orvane::test::TempDir;

namespace {

const std::string kFixtures = std::string(ORVANE_SOURCE_DATA_DIR) + "/../tests/fixtures/registry/";

std::string sz(std::u16string_view text)
{
    return unitsToBytes(std::u16string(text) + u'\0');
}

// A prefix folder holding the Wine-written fixture hives.
class RegistryFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"system", "user", "userdef"})
            dir.write(std::string(name) + ".reg", readFile(kFixtures + "wine-" + name + ".reg"));
    }
    std::unique_ptr<Registry> open() { return openRegistryAt(dir.path()); }
    std::string file(const char* name) { return readFile(dir / name); }

    TempDir dir;
};

} // namespace

TEST_F(RegistryFixture, RootsAreViewsOfTheirBackingKeys)
{
    auto reg = open();
    EXPECT_EQ(reg->userSid(), "S-1-5-21-0-0-0-1000");
    struct Case {
        Root alias;
        Root backing;
        const char* backingPath;
    } cases[] = {
        {Root::ClassesRoot, Root::LocalMachine, "Software\\Classes"},
        {Root::CurrentConfig, Root::LocalMachine, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current"},
        {Root::CurrentUser, Root::Users, "S-1-5-21-0-0-0-1000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(rootName(c.alias));
        // Written through the backing key, seen through the alias, and the other way round.
        ASSERT_EQ(reg->writeString(c.backing, std::string(c.backingPath) + "\\Probe", "v", "one"), ERROR_SUCCESS);
        EXPECT_EQ(reg->readString(c.alias, "PROBE", "V"), "one");
        ASSERT_EQ(reg->writeString(c.alias, "Probe2", "v", "two"), ERROR_SUCCESS);
        EXPECT_EQ(reg->readString(c.backing, std::string(c.backingPath) + "\\probe2", "v"), "two");
    }
    std::vector<std::string> users;
    std::string name;
    for (std::uint32_t i = 0; reg->enumKey(Root::Users, i, name) == ERROR_SUCCESS; ++i)
        users.push_back(name);
    EXPECT_EQ(users, (std::vector<std::string>{".Default", "S-1-5-21-0-0-0-1000"}));
    ASSERT_TRUE(reg->flush().ok());
    EXPECT_NE(file("system.reg").find("[Software\\\\Classes\\\\Probe2]"), std::string::npos);
    EXPECT_NE(file("user.reg").find("[Probe2]"), std::string::npos);
}

TEST_F(RegistryFixture, LinksAreFollowedWhenOpenedAndAreLeavesWhenDeleted)
{
    auto reg = open();
    // Two links in a row: Wow6432Node\Classes -> Classes\Wow6432Node, whose AppId -> Classes\AppID.
    RegKey bits;
    ASSERT_EQ(reg->openKey(Root::LocalMachine, "Software\\Wow6432Node\\Classes\\AppId\\BITS", KEY_READ, bits),
              ERROR_SUCCESS);
    KeyInfo info;
    ASSERT_EQ(reg->queryInfoKey(bits, info), ERROR_SUCCESS);
    EXPECT_EQ(info.values, 1u);
    RegKey link;
    ASSERT_EQ(reg->openKey(Root::LocalMachine, "Software\\Classes\\Wow6432Node\\AppId", KEY_READ, link,
                           REG_OPTION_OPEN_LINK), ERROR_SUCCESS);
    std::string data;
    std::uint32_t type = 0;
    ASSERT_EQ(reg->queryValue(link, "SymbolicLinkValue", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_LINK);
    EXPECT_EQ(utf16ToUtf8(bytesToUnits(data)), "\\Registry\\Machine\\Software\\Classes\\AppId");

    ASSERT_EQ(reg->deleteTree(Root::LocalMachine, "Software\\Classes\\Wow6432Node"), ERROR_SUCCESS);
    EXPECT_EQ(reg->openKey(Root::ClassesRoot, "AppID\\BITS", KEY_READ, bits), ERROR_SUCCESS)
        << "the link's target survives";
    EXPECT_EQ(reg->openKey(Root::LocalMachine, "Software\\Wow6432Node\\Classes", KEY_READ, link),
              ERROR_FILE_NOT_FOUND) << "a dangling link does not open";
    EXPECT_EQ(reg->deleteKey(Root::LocalMachine, "Software\\Wow6432Node\\Classes"), ERROR_SUCCESS)
        << "deleting a link deletes the link itself";
}

TEST_F(RegistryFixture, LinkLoopsEndWithAnError)
{
    auto target = [](const char* path) {
        std::string hex;
        for (char c : std::string(path)) {
            char b[8];
            snprintf(b, sizeof b, "%02x,00,", static_cast<unsigned char>(c));
            hex += b;
        }
        hex.pop_back();
        return hex;
    };
    dir.write("system.reg", "WINE REGISTRY Version 2\n\n[A] 1\n#link\n\"SymbolicLinkValue\"=hex(6):" +
                                target("\\Registry\\Machine\\B") + "\n\n[B] 1\n#link\n\"SymbolicLinkValue\"=hex(6):" +
                                target("\\REGISTRY\\MACHINE\\a") + "\n");
    auto reg = open();
    EXPECT_TRUE(reg->problems().empty());
    RegKey key;
    EXPECT_EQ(reg->openKey(Root::LocalMachine, "A", KEY_READ, key), ERROR_CANT_RESOLVE_FILENAME);
    EXPECT_EQ(reg->openKey(Root::LocalMachine, "A", KEY_READ, key, REG_OPTION_OPEN_LINK), ERROR_SUCCESS);
}

TEST_F(RegistryFixture, OperationsAnswerWithWindowsErrorCodes)
{
    auto reg = open();
    RegKey key, readOnly, gone;
    std::string name, data;
    std::uint32_t type = 0;
    bool created = false;
    ASSERT_EQ(reg->createKey(Root::CurrentUser, "Software\\T\\Child", KEY_ALL_ACCESS, key, &created), ERROR_SUCCESS);
    EXPECT_TRUE(created);
    ASSERT_EQ(reg->createKey(Root::CurrentUser, "software\\t", KEY_ALL_ACCESS, key, &created), ERROR_SUCCESS);
    EXPECT_FALSE(created);
    ASSERT_EQ(reg->openKey(Root::CurrentUser, "Software\\T", KEY_READ, readOnly), ERROR_SUCCESS);
    ASSERT_EQ(reg->openKey(Root::CurrentUser, "Software\\T\\Child", KEY_ALL_ACCESS, gone), ERROR_SUCCESS);

    EXPECT_EQ(reg->openKey(Root::CurrentUser, "Software\\Missing", KEY_READ, readOnly), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg->queryValue(key, "missing", &type, &data), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg->deleteValue(key, "missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg->enumKey(key, 1, name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(reg->enumValue(key, 0, name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(reg->setValue(readOnly, "v", REG_SZ, "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->deleteKey(Root::CurrentUser, "Software\\T"), ERROR_ACCESS_DENIED) << "a key with subkeys";
    EXPECT_EQ(reg->deleteKey(Root::CurrentUser, "Software\\T\\Child"), ERROR_SUCCESS);
    EXPECT_EQ(reg->setValue(gone, "v", REG_SZ, "x"), ERROR_KEY_DELETED);
    EXPECT_EQ(reg->deleteKey(Root::CurrentUser, "Software\\T"), ERROR_SUCCESS);
    EXPECT_EQ(reg->deleteKey(Root::Users, "S-1-5-21-0-0-0-1000"), ERROR_ACCESS_DENIED) << "a hive's root";
    EXPECT_EQ(reg->deleteTree(Root::ClassesRoot, ""), ERROR_ACCESS_DENIED) << "a predefined root";
    EXPECT_EQ(reg->openKey(Root::ClassesRoot, "", KEY_READ, key), ERROR_SUCCESS);
}

TEST_F(RegistryFixture, StringsCrossTheAnsiBoundaryAsUtf8)
{
    auto reg = open();
    RegKey key;
    ASSERT_EQ(reg->createKey(Root::CurrentUser, "Software\\T", KEY_ALL_ACCESS, key), ERROR_SUCCESS);
    ASSERT_EQ(reg->setValue(key, "caf\xc3\xa9", REG_SZ, std::string_view("\xc3\xbc" "ber\0", 6)), ERROR_SUCCESS);
    Value raw;
    ASSERT_EQ(reg->queryValueRaw(key, "CAF\xc3\x89", raw), ERROR_SUCCESS);
    EXPECT_EQ(raw.data, sz(u"\u00fcber"));
    std::string name, data;
    std::uint32_t type = 0;
    ASSERT_EQ(reg->enumValue(key, 0, name, &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(name, "caf\xc3\xa9");
    EXPECT_EQ(data, std::string("\xc3\xbc" "ber\0", 6));
    ASSERT_EQ(reg->setValue(key, "bin", REG_BINARY, std::string("\xff\0", 2)), ERROR_SUCCESS);
    ASSERT_EQ(reg->queryValue(key, "bin", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(data, std::string("\xff\0", 2));
}

TEST_F(RegistryFixture, KeyInformationAsRegQueryInfoKeyReportsIt)
{
    auto reg = open();
    RegKey key;
    ASSERT_EQ(reg->openKey(Root::CurrentUser, "Software\\FmtTest", KEY_READ, key), ERROR_SUCCESS);
    KeyInfo info;
    ASSERT_EQ(reg->queryInfoKey(key, info), ERROR_SUCCESS);
    EXPECT_EQ(info.subKeys, 6u);
    EXPECT_EQ(info.maxSubKeyLen, 9u); // "EmptyLeaf" and "Sub[1] é" in UTF-16 units
    EXPECT_EQ(info.values, 12u);
    EXPECT_EQ(info.maxValueNameLen, 16u); // Quote "q" \ back
    EXPECT_EQ(info.maxValueLen, 100u);
    EXPECT_EQ(info.lastWriteTime, 0x1dd8966ec5426b0LL);
    RegKey made;
    ASSERT_EQ(reg->createKey(key.valid() ? Root::CurrentUser : Root::Users, "Software\\C", KEY_ALL_ACCESS, made,
                             nullptr, "MyClass"), ERROR_SUCCESS);
    ASSERT_EQ(reg->queryInfoKey(made, info), ERROR_SUCCESS);
    EXPECT_EQ(info.className, "MyClass");
    ASSERT_TRUE(reg->flush().ok());
    EXPECT_NE(file("user.reg").find("#class=\"MyClass\""), std::string::npos);
}

TEST_F(RegistryFixture, SavingWithoutChangesLeavesTheFilesAlone)
{
    struct stat before {}, after {};
    ASSERT_EQ(stat((dir / "user.reg").c_str(), &before), 0);
    std::string text = file("user.reg");
    {
        auto reg = open();
        RegKey key;
        ASSERT_EQ(reg->openKey(Root::CurrentUser, "Environment", KEY_READ, key), ERROR_SUCCESS);
        EXPECT_FALSE(reg->hasUnsavedChanges());
        ASSERT_TRUE(reg->flush().ok());
    }
    ASSERT_EQ(stat((dir / "user.reg").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(file("user.reg"), text);
}

TEST_F(RegistryFixture, SavingReplacesTheFileAtomicallyAndKeepsItsMode)
{
    ASSERT_EQ(chmod((dir / "user.reg").c_str(), 0600), 0);
    auto reg = open();
    ASSERT_EQ(reg->writeString(Root::CurrentUser, "Environment", "New", "1"), ERROR_SUCCESS);
    ASSERT_TRUE(reg->flush().ok());
    EXPECT_FALSE(reg->hasUnsavedChanges());
    struct stat st {};
    ASSERT_EQ(stat((dir / "user.reg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    std::string saved = file("user.reg");
    EXPECT_NE(saved.find("\"New\"=\"1\"\n\"TEMP\""), std::string::npos) << "sorted into place";
    EXPECT_EQ(file("system.reg"), readFile(kFixtures + "wine-system.reg")) << "untouched hives are not rewritten";
    // Nothing but the three hives is left in the folder.
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        entries += entry.path().filename().string().rfind(".orvane-reg", 0) == 0;
    EXPECT_EQ(entries, 0);

    // A save that cannot happen reports it and leaves the old file whole.
    ASSERT_EQ(reg->writeString(Root::CurrentUser, "Environment", "Other", "2"), ERROR_SUCCESS);
    ASSERT_EQ(chmod(dir.path().c_str(), 0500), 0);
    orvane::Status status = reg->flush();
    chmod(dir.path().c_str(), 0700);
    if (geteuid() != 0) {
        EXPECT_FALSE(status.ok());
        EXPECT_NE(status.message.find("user.reg"), std::string::npos);
        EXPECT_EQ(file("user.reg"), saved);
        EXPECT_TRUE(reg->hasUnsavedChanges());
    }
}

TEST_F(RegistryFixture, ReadOnlyWhileWineRunsRefusesEveryWrite)
{
    Registry reg({{dir / "user.reg", "User\\S-1-5-21-0-0-0-1000"}}, "S-1-5-21-0-0-0-1000", kWineRunningReason);
    RegKey key;
    EXPECT_EQ(reg.openKey(Root::CurrentUser, "Environment", KEY_READ, key), ERROR_SUCCESS);
    EXPECT_EQ(reg.readOnlyReason(key), kWineRunningReason);
    EXPECT_EQ(reg.openKey(Root::CurrentUser, "Environment", KEY_ALL_ACCESS, key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg.createKey(Root::CurrentUser, "New", KEY_READ, key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg.setValue(Root::CurrentUser, "v", REG_SZ, "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg.deleteValue(Root::CurrentUser, "v"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.deleteKey(Root::CurrentUser, "Environment"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg.deleteTree(Root::CurrentUser, "Software"), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(reg.hasUnsavedChanges());
}

TEST_F(RegistryFixture, ADamagedFileLoadsEmptyReadOnlyAndIsNeverOverwritten)
{
    std::string damaged = file("user.reg") + "this is not a registry line\n";
    dir.write("user.reg", damaged);
    std::filesystem::remove(dir / "userdef.reg");
    dir.mkdir("userdef.reg"); // unreadable: a folder where the file should be
    auto reg = open();
    auto problems = reg->problems();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("user.reg:"), std::string::npos) << problems[0];
    EXPECT_NE(problems[0].find("this is not a registry line"), std::string::npos);
    EXPECT_NE(problems[1].find("userdef.reg"), std::string::npos) << problems[1];
    RegKey key;
    EXPECT_EQ(reg->openKey(Root::CurrentUser, "Environment", KEY_READ, key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg->writeString(Root::CurrentUser, "Environment", "v", "x"), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(reg->readOnlyReason(Root::CurrentUser).empty());
    // The other hives work normally.
    EXPECT_EQ(reg->writeString(Root::LocalMachine, "Software\\T", "v", "x"), ERROR_SUCCESS);
    ASSERT_TRUE(reg->flush().ok());
    reg.reset();
    EXPECT_EQ(file("user.reg"), damaged);
}

TEST_F(RegistryFixture, ReadersOnAnotherThreadSeeConsistentKeys)
{
    auto reg = open();
    std::atomic<bool> stop{false};
    std::atomic<long> reads{0};
    std::thread reader([&] {
        RegKey key;
        std::string name, data;
        while (!stop) {
            if (reg->openKey(Root::CurrentUser, "Software\\Busy", KEY_READ, key) != ERROR_SUCCESS)
                continue;
            for (std::uint32_t i = 0; reg->enumValue(key, i, name, nullptr, &data) == ERROR_SUCCESS; ++i)
                EXPECT_EQ(data.size(), 4u);
            ++reads;
        }
    });
    RegKey key;
    ASSERT_EQ(reg->createKey(Root::CurrentUser, "Software\\Busy", KEY_ALL_ACCESS, key), ERROR_SUCCESS);
    for (int i = 0; i < 20000; ++i) {
        reg->setValue(key, "v" + std::to_string(i % 100), REG_BINARY, "abcd");
        if (i % 7 == 0)
            reg->deleteValue(key, "v" + std::to_string(i % 50));
    }
    while (reads == 0)
        std::this_thread::yield();
    stop = true;
    reader.join();
}
