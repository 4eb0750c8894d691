#ifdef ORVANE_CLI_PATH

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace orvane {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

// Runs orvane-cli with its own program folder (and so its own prefix) under `home`.
CliRun cli(const test::TempDir& home, const std::string& args)
{
    const std::string command = "env -u WINEPREFIX -u ORVANE_PREFIX ORVANE_HOME='" + home.path() + "/home' '" +
                                ORVANE_CLI_PATH + "' junk " + args + " 2>/dev/null";
    CliRun run;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            run.out.append(buffer, n);
        const int raw = ::pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    return run;
}

TEST(JunkCommand, BadArgumentsGiveTheUsageAndStatusTwo)
{
    test::TempDir home;
    const char* cases[] = {"", "--all", "C --bogus", "C D", "C --delete --trash", "/no/such/folder", "Q"};
    for (const char* args : cases)
        EXPECT_EQ(cli(home, args).status, 2) << args;
}

TEST(JunkCommand, ListsAHostFolderThenDeletesWhatItListed)
{
    test::TempDir home;
    home.write("t/a.tmp", "x");
    home.write("t/sub/b.old", std::string(2048, 'y'));
    home.write("t/keep.txt", "z");
    const std::string folder = std::filesystem::canonical(home / "t").string();
    std::string windows = "Z:" + folder;
    for (char& c : windows)
        if (c == '/')
            c = '\\';

    const CliRun listed = cli(home, "'" + folder + "' --all");
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find("a.tmp\t" + windows + "\\\t1 KB\tYes\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("b.old\t" + windows + "\\sub\\\t3 KB\tYes\n"), std::string::npos) << listed.out;
    EXPECT_EQ(listed.out.find("keep.txt"), std::string::npos);
    EXPECT_NE(listed.out.find("Total space :\t2 files\t"), std::string::npos) << listed.out;
    EXPECT_TRUE(test::hostExists(home / "t/a.tmp"));

    const CliRun deleted = cli(home, "'" + folder + "' --all --delete");
    EXPECT_EQ(deleted.status, 0);
    EXPECT_NE(deleted.out.find("a.tmp\t" + windows + "\\\t1 KB\tdeleted\n"), std::string::npos) << deleted.out;
    EXPECT_FALSE(test::hostExists(home / "t/a.tmp"));
    EXPECT_FALSE(test::hostExists(home / "t/sub/b.old"));
    EXPECT_TRUE(test::hostExists(home / "t/keep.txt"));
}

} // namespace
} // namespace orvane

#endif
