// orvane-cli shred, run as a user runs it, on host paths of a temporary folder.
#include "support/PrefixFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

namespace orvane {
namespace {

struct CliRun {
    int status;
    std::string output; // standard output and error
};

CliRun runCli(const test::PrefixFixture& p, const std::string& arguments, const std::string& input)
{
    const std::string command = "printf '" + input + "' | ORVANE_PREFIX='" + p.root + "' ORVANE_HOME='" + p.dir.path() +
                                "/home' '" ORVANE_CLI "' shred " + arguments + " 2>&1";
    CliRun run{-1, {}};
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            run.output.append(buffer, n);
        const int raw = ::pclose(pipe);
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    return run;
}

TEST(ShredCommand, FilesFoldersAndRefusals)
{
    test::PrefixFixture p;
    p.addDrive('Z', "/");
    const std::string file = p.write("C:\\Data\\file.txt", "secret");
    const std::string tree = p.mkdir("C:\\Tree");
    p.write("C:\\Tree\\Sub\\inner.txt", "inner");
    const std::string target = p.write("C:\\Data\\target.txt", "target");
    const std::string link = p.dir.path() + "/link.txt";
    std::filesystem::create_symlink(target, link);

    const struct {
        std::string arguments;
        std::string input;
        int status;
        std::string says;
    } cases[] = {
        {"--passes 2 x", "", 2, "usage:"},
        {"--bogus x", "", 2, "usage:"},
        {"", "", 2, "usage:"},
        {"'" + p.dir.path() + "/missing'", "", 1, "File not found : "},
        {"'" + link + "'", "", 1, "symbolic link"},
        {"'" + tree + "'", "n\\n", 1, "Are You sure to Wipe " + tree + " and it's subdirectory ?"},
        {"'" + tree + "'", "", 1, "not shredded"}, // no answer at all is no
        {"--passes 7 '" + file + "'", "", 0, "Shredded " + file},
        {"'" + tree + "'", "y\\n", 0, "Shredded " + tree},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = runCli(p, c.arguments, c.input);
        EXPECT_EQ(run.status, c.status) << run.output;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
    }
    EXPECT_FALSE(test::hostExists(file));
    EXPECT_FALSE(test::hostExists(tree));
    EXPECT_EQ(test::readFile(target), "target");
    EXPECT_TRUE(test::hostExists(link));
}

} // namespace
} // namespace orvane
