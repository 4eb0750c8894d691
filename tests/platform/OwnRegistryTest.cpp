#include "platform/OwnRegistry.h"
#include "platform/RegFile.h"
#include "platform/RegistryPrefix.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace orvane::reg;
using orvane::test::readFile;
using orvane::test::TempDir;

TEST(OwnRegistry, HoldsWhatTheProgramReadsInTheWindows7Layout)
{
    TempDir dir;
    ASSERT_TRUE(createOwnRegistry(dir.path(), "alice").ok());
    auto reg = openRegistryAt(dir.path());
    EXPECT_TRUE(reg->problems().empty());
    const std::string explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    struct Case {
        Root root;
        std::string path;
        const char* name;
        const char* value;
    } cases[] = {
        {Root::CurrentUser, explorer + "Shell Folders", "Cache",
         "C:\\Users\\alice\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files"},
        {Root::CurrentUser, explorer + "Shell Folders", "Cookies", "C:\\Users\\alice\\AppData\\Roaming\\Microsoft\\Windows\\Cookies"},
        {Root::CurrentUser, explorer + "Shell Folders", "History", "C:\\Users\\alice\\AppData\\Local\\Microsoft\\Windows\\History"},
        {Root::CurrentUser, explorer + "Shell Folders", "Recent", "C:\\Users\\alice\\AppData\\Roaming\\Microsoft\\Windows\\Recent"},
        {Root::CurrentUser, explorer + "User Shell Folders", "Local AppData", "%USERPROFILE%\\AppData\\Local"},
        {Root::CurrentUser, "Environment", "TEMP", "%USERPROFILE%\\AppData\\Local\\Temp"},
        {Root::Users, ".Default\\" + explorer + "Shell Folders", "AppData", "C:\\Users\\alice\\AppData\\Roaming"},
        {Root::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot", "C:\\Windows"},
        {Root::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-0-0-0-1000",
         "ProfileImagePath", "C:\\Users\\alice"},
        {Root::LocalMachine, "Software\\Microsoft\\Internet Explorer", "Version", "8.0.7601.17514"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " " + c.name);
        EXPECT_EQ(reg->readString(c.root, c.path, c.name), c.value);
    }
    RegKey key;
    EXPECT_EQ(reg->openKey(Root::CurrentConfig, "Software\\Fonts", KEY_READ, key), ERROR_SUCCESS);
    EXPECT_EQ(reg->openKey(Root::ClassesRoot, "", KEY_READ, key), ERROR_SUCCESS);
    EXPECT_EQ(reg->openKey(Root::CurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache",
                           KEY_READ, key), ERROR_SUCCESS);
    std::uint32_t type = 0;
    std::string data;
    ASSERT_EQ(reg->openKey(Root::LocalMachine, "System\\CurrentControlSet\\Control\\IDConfigDB", KEY_READ, key),
              ERROR_SUCCESS);
    ASSERT_EQ(reg->queryValue(key, "CurrentConfig", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(data, std::string("\x01\0\0\0", 4));
    EXPECT_EQ(readFile(dir / ".update-timestamp"), "disable");
}

TEST(OwnRegistry, FilesAreInWinesFormAndNeverReplaced)
{
    TempDir dir;
    ASSERT_TRUE(createOwnRegistry(dir.path(), "alice").ok());
    for (const char* name : {"system.reg", "user.reg", "userdef.reg"}) {
        SCOPED_TRACE(name);
        std::string text = readFile(dir / name);
        Hive hive;
        ASSERT_TRUE(parseHive(text, name, hive).ok());
        EXPECT_EQ(writeHive(hive), text);
    }
    EXPECT_NE(readFile(dir / "user.reg").find(";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"),
              std::string::npos);
    dir.write("user.reg", "changed by the user");
    ASSERT_TRUE(createOwnRegistry(dir.path(), "bob").ok());
    EXPECT_EQ(readFile(dir / "user.reg"), "changed by the user");
    EXPECT_NE(readFile(dir / "userdef.reg").find("alice"), std::string::npos);
}
