#include "platform/RegistryShellFolders.h"
#include "platform/OwnRegistry.h"
#include "platform/RegistryPrefix.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::reg;
using orvane::test::readFile;
using orvane::test::TempDir;

namespace {
const std::string kFixtures = std::string(ORVANE_SOURCE_DATA_DIR) + "/../tests/fixtures/registry/";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
}

TEST(RegistryShellFolders, OwnPrefixGivesTheWindows7Folders)
{
    TempDir dir;
    ASSERT_TRUE(createOwnRegistry(dir.path(), "alice").ok());
    auto reg = openRegistryAt(dir.path());
    RegistryShellFolders folders(*reg, [] { return std::optional<std::string>("Z:\\home\\alice\\.local\\share\\Trash\\files"); });
    const std::string p = "C:\\Users\\alice";
    struct Case {
        int csidl;
        std::string path;
    } cases[] = {
        {CsidlRecent, p + "\\AppData\\Roaming\\Microsoft\\Windows\\Recent"},
        {CsidlAppData, p + "\\AppData\\Roaming"},
        {CsidlLocalAppData | 0x8000, p + "\\AppData\\Local"},
        {CsidlInternetCache, p + "\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files"},
        {CsidlCookies, p + "\\AppData\\Roaming\\Microsoft\\Windows\\Cookies"},
        {CsidlHistory, p + "\\AppData\\Local\\Microsoft\\Windows\\History"},
        {CsidlWindows, "C:\\Windows"},
        {CsidlProfile, p},
        {CsidlBitBucket, "Z:\\home\\alice\\.local\\share\\Trash\\files"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.csidl);
        EXPECT_EQ(folders.folder(c.csidl), c.path);
    }
    EXPECT_EQ(folders.folder(0x7f), std::nullopt);
}

TEST(RegistryShellFolders, UserShellFoldersWinAndAreExpanded)
{
    TempDir dir;
    for (const char* name : {"system", "user", "userdef"})
        dir.write(std::string(name) + ".reg", readFile(kFixtures + "wine-" + name + ".reg"));
    auto reg = openRegistryAt(dir.path());
    RegistryShellFolders folders(*reg, nullptr);
    ASSERT_EQ(reg->writeString(Root::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot",
                               "C:\\windows"), ERROR_SUCCESS);
    ASSERT_EQ(reg->writeString(Root::CurrentUser, kExplorer + "Shell Folders", "Recent", "C:\\old\\Recent"), ERROR_SUCCESS);
    EXPECT_EQ(folders.folder(CsidlRecent), "C:\\old\\Recent") << "Shell Folders alone";
    ASSERT_EQ(reg->writeString(Root::CurrentUser, kExplorer + "User Shell Folders", "Recent",
                               "%USERPROFILE%\\Recent %Unknown% %SystemDrive%\\x %TEMP%", REG_EXPAND_SZ), ERROR_SUCCESS);
    // Wine's ProfileList entry gives the profile; TEMP comes from HKCU\Environment.
    EXPECT_EQ(folders.folder(CsidlRecent), "C:\\users\\root\\Recent %Unknown% C:\\x C:\\users\\root\\Temp");
    EXPECT_EQ(folders.folder(CsidlBitBucket), std::nullopt);
    EXPECT_EQ(folders.folder(CsidlCookies), std::nullopt) << "no value at all";
    EXPECT_EQ(folders.expand("100% sure %"), "100% sure %");
    ASSERT_EQ(reg->writeString(Root::LocalMachine,
                               "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-0-0-0-1000",
                               "ProfileImagePath", "%USERPROFILE%\\x"), ERROR_SUCCESS);
    EXPECT_TRUE(folders.folder(CsidlProfile)) << "a profile path naming itself ends";
}
