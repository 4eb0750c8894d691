#include "registry/regequiv.h"

#include "platform/OwnRegistry.h"
#include "platform/RegistryPrefix.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace orvane::registry;
using namespace orvane::reg;
using orvane::test::readFile;
using orvane::test::TempDir;

namespace {

const std::string kFixtures = std::string(ORVANE_SOURCE_DATA_DIR) + "/../tests/fixtures/registry/";

// Every key path and value of a hive, to show that nothing was left behind.
std::vector<std::string> listing(Registry& reg, Root root)
{
    std::vector<std::string> out;
    std::vector<std::string> pending{""};
    while (!pending.empty()) {
        std::string path = pending.back();
        pending.pop_back();
        out.push_back(path);
        RegKey key;
        if (reg.openKey(root, path, KEY_READ, key, REG_OPTION_OPEN_LINK) != ERROR_SUCCESS)
            continue;
        std::string name;
        for (std::uint32_t i = 0; reg.enumValue(key, i, name) == ERROR_SUCCESS; ++i)
            out.push_back(path + "=" + name);
        for (std::uint32_t i = 0; reg.enumKey(key, i, name) == ERROR_SUCCESS; ++i)
            pending.push_back(path.empty() ? name : path + "\\" + name);
    }
    return out;
}

class Equivalents : public ::testing::Test {
protected:
    void useOwnPrefix() { ASSERT_TRUE(createOwnRegistry(dir.path(), "alice").ok()); }
    void useWinePrefix()
    {
        for (const char* name : {"system", "user", "userdef"})
            dir.write(std::string(name) + ".reg", readFile(kFixtures + "wine-" + name + ".reg"));
    }
    std::string files() { return readFile(dir / "system.reg") + readFile(dir / "user.reg") + readFile(dir / "userdef.reg"); }

    TempDir dir;
};

} // namespace

TEST_F(Equivalents, OwnPrefixListsClassesUserAndHardwareProfile)
{
    useOwnPrefix();
    std::string before = files();
    {
        auto reg = openRegistryAt(dir.path());
        auto machine = listing(*reg, Root::LocalMachine);
        auto users = listing(*reg, Root::Users);
        EXPECT_EQ(BuildEquivalents(*reg), (EquivKeys{"HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES",
                                                     "HKEY_USERS\\S-1-5-21-0-0-0-1000",
                                                     "HKEY_LOCAL_MACHINE\\SYSTEM\\CURRENTCONTROLSET\\HARDWARE PROFILES\\CURRENT"}));
        EXPECT_EQ(listing(*reg, Root::LocalMachine), machine) << "no probe remains";
        EXPECT_EQ(listing(*reg, Root::Users), users);
        EXPECT_FALSE(reg->hasUnsavedChanges());
    }
    EXPECT_EQ(files(), before) << "the files keep their bytes";
}

TEST_F(Equivalents, WinePrefixWithoutIDConfigDBListsTheFirstTwo)
{
    useWinePrefix();
    std::string before = files();
    {
        auto reg = openRegistryAt(dir.path());
        EXPECT_EQ(BuildEquivalents(*reg),
                  (EquivKeys{"HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES", "HKEY_USERS\\S-1-5-21-0-0-0-1000"}));
    }
    EXPECT_EQ(files(), before);
}

TEST_F(Equivalents, ProbeAnswers)
{
    useOwnPrefix();
    auto reg = openRegistryAt(dir.path());
    EXPECT_EQ(ProbeAlias(*reg, Root::ClassesRoot, Root::LocalMachine, "\\SOFTWARE\\Classes"), ProbeEquivalent);
    EXPECT_EQ(ProbeAlias(*reg, Root::CurrentUser, Root::Users, "\\.Default"), ProbeNotSeen);
    EXPECT_EQ(ProbeAlias(*reg, Root::CurrentUser, Root::Users, "\\S-1-5-21-0-0-0-9"), ProbeCandidateClosed);
    EXPECT_TRUE(SameKeyInfo(*reg, Root::ClassesRoot, Root::LocalMachine, "\\SOFTWARE\\Classes"));
    EXPECT_FALSE(SameKeyInfo(*reg, Root::CurrentUser, Root::Users, "\\.Default"));
    EXPECT_FALSE(reg->hasUnsavedChanges());
}

TEST_F(Equivalents, WithoutWriteAccessNothingIsListed)
{
    useOwnPrefix();
    Registry reg({{dir / "system.reg", "Machine"}, {dir / "user.reg", "User\\S-1-5-21-0-0-0-1000"}},
                 "S-1-5-21-0-0-0-1000", kWineRunningReason);
    EXPECT_EQ(ProbeAlias(reg, Root::ClassesRoot, Root::LocalMachine, "\\SOFTWARE\\Classes"), ProbeCandidateClosed);
    EXPECT_TRUE(BuildEquivalents(reg).empty());
}

TEST_F(Equivalents, WhenTheSidLookupFailsDefaultIsTriedThenEveryUser)
{
    // A user key whose name is not a SID: the lookup fails, ".Default" is tried first and is not
    // the current user, and the enumeration of HKEY_USERS finds the user's own key.
    useOwnPrefix();
    Registry reg({{dir / "user.reg", "User\\Alice-Key"}, {dir / "userdef.reg", "User\\.Default"}}, "Alice-Key");
    EXPECT_FALSE(CurrentUserSID(reg));
    EXPECT_EQ(CurrentUserKeyName(reg), ".Default");
    EquivKeys list;
    EXPECT_TRUE(FindHKCUEquivalent(reg, list));
    EXPECT_EQ(list, EquivKeys{"HKEY_USERS\\ALICE-KEY"});
}

TEST_F(Equivalents, HardwareProfileNeedsCurrentConfig)
{
    useOwnPrefix();
    auto reg = openRegistryAt(dir.path());
    // A numbered profile that is not what HKCC shows is not listed.
    ASSERT_EQ(reg->writeString(Root::LocalMachine, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\0001", "v", "x"),
              ERROR_SUCCESS);
    EquivKeys list;
    EXPECT_TRUE(FindHKCCEquivalent(*reg, list));
    EXPECT_EQ(list, EquivKeys{"HKEY_LOCAL_MACHINE\\SYSTEM\\CURRENTCONTROLSET\\HARDWARE PROFILES\\CURRENT"});
    RegKey config;
    ASSERT_EQ(reg->openKey(Root::LocalMachine, "System\\CurrentControlSet\\Control\\IDConfigDB", KEY_ALL_ACCESS,
                           config), ERROR_SUCCESS);
    ASSERT_EQ(reg->deleteValue(config, "CurrentConfig"), ERROR_SUCCESS);
    list.clear();
    EXPECT_FALSE(FindHKCCEquivalent(*reg, list));
    EXPECT_TRUE(list.empty());
}

TEST(Sid, StringFormOfEveryAuthorityAndSubAuthority)
{
    struct Case {
        std::array<std::uint8_t, 6> authority;
        std::vector<std::uint32_t> subs;
        const char* text;
    } cases[] = {
        {{0, 0, 0, 0, 0, 5}, {21, 0, 0, 0, 1000}, "S-1-5-21-0-0-0-1000"},
        {{0, 0, 0, 0, 0, 5}, {21, 2147483648u, 4294967295u}, "S-1-5-21-2147483648-4294967295"},
        {{0, 0, 0x12, 0x34, 0x56, 0x78}, {}, "S-1-305419896"},
        {{0, 1, 0, 0, 0, 0}, {7}, "S-1-0x000100000000-7"},
        {{0xab, 0xcd, 0xef, 0x01, 0x23, 0x45}, {1}, "S-1-0xABCDEF012345-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Sid sid{c.authority, c.subs};
        EXPECT_EQ(FormatSid(sid), c.text);
        auto parsed = ParseSid(c.text);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->authority, c.authority);
        EXPECT_EQ(parsed->subAuthorities, c.subs);
    }
    for (const char* bad : {"", "S-1-", "S-2-5", "S-1-5-x", "S-1-5-4294967296", "S-1-5--1", ".Default"})
        EXPECT_FALSE(ParseSid(bad)) << bad;
}

// A whole real Wine prefix: ORVANE_WINE_PREFIX=<prefix> (its files are copied, not touched).
TEST_F(Equivalents, RealWinePrefixListsTheFirstTwoAndKeepsItsFiles)
{
    const char* prefix = std::getenv("ORVANE_WINE_PREFIX");
    if (!prefix)
        GTEST_SKIP() << "set ORVANE_WINE_PREFIX to a Wine prefix to run";
    for (const char* name : {"system.reg", "user.reg", "userdef.reg"})
        dir.write(name, readFile(std::string(prefix) + "/" + name));
    std::string before = files();
    {
        auto reg = openRegistryAt(dir.path());
        EXPECT_TRUE(reg->problems().empty());
        EquivKeys keys = BuildEquivalents(*reg);
        ASSERT_EQ(keys.size(), 2u);
        EXPECT_EQ(keys[0], "HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES");
        EXPECT_EQ(keys[1].rfind("HKEY_USERS\\S-1-5-21-", 0), 0u);
    }
    EXPECT_EQ(files(), before);
}
