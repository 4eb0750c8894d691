#include "app/Language.h"

#include "app/Texts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane {
namespace {

using test::readFile;
using test::TempDir;

TEST(Language, WholeNumberConversion)
{
    const struct {
        std::string text;
        std::optional<int> value;
    } cases[] = {
        {"6", 6},          {"  7", 7},      {"+3", 3},          {"-1", -1},       {"$A", 10},
        {"9", 9},          {"0", 0},        {"2147483647", 2147483647},           {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},       {"99999999999", std::nullopt},        {"6 ", std::nullopt},
        {"x", std::nullopt}, {"", std::nullopt}, {"-", std::nullopt}, {"$", std::nullopt}, {"1.5", std::nullopt},
        {"\xe9", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseWholeNumber(c.text), c.value);
    }
}

TEST(Language, ReadingAndWritingIdiomFile)
{
    const struct {
        const char* name;
        std::optional<std::string> file; // nullopt: no idiom.txt
        int index;
        std::string error;
        int written;
        std::string fileAfter;
    } cases[] = {
        {"no file: English, created by the first write", std::nullopt, 1, "", 1, "\r\n1\r\n"},
        {"first line kept", "x\r\n6\r\n", 6, "", 6, "x\r\n6\r\n"},
        {"one line only: the value goes on a new second line", "only\r\n", 1, "", 7, "only\r\n7\r\n"},
        {"empty second line: English", "x\r\n\r\nmore\r\n", 1, "", 2, "x\r\n2\r\nmore\r\n"},
        {"outside 1 to 8 is read as it is", "x\r\n9\r\n", 9, "", 9, "x\r\n9\r\n"},
        {"not a number", "x\r\nabc\r\n", 1, "'abc' is not a valid integer value", 1, "x\r\n1\r\n"},
        {"LF only", "x\n3\n", 3, "", 3, "x\r\n3\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.file)
            dir.write("idiom.txt", *c.file);
        LanguageFile language(dir / "idiom.txt");
        const auto reading = language.read();
        EXPECT_EQ(reading.error, c.error);
        if (c.error.empty()) {
            EXPECT_EQ(reading.languageIndex, c.index);
        }
        EXPECT_TRUE(language.write(c.written).ok());
        EXPECT_EQ(readFile(dir / "idiom.txt"), c.fileAfter);
    }
}

TEST(Language, FailedWriteIsReported)
{
    TempDir dir;
    LanguageFile language(dir / "missing-folder/idiom.txt");
    language.read();
    const Status status = language.write(7);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message.find("idiom.txt"), std::string::npos);
}

TEST(Language, AFileThatCannotBeReadIsNeverReplaced)
{
    TempDir dir;
    const std::string path = dir.write("idiom.txt", "keep me\r\n7\r\n");
    ::chmod(dir.path().c_str(), 0777); // the folder would let the file be replaced
    ::chmod(path.c_str(), 0222); // writable, not readable
    // Root reads everything, so the reader runs as nobody.
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            ::_exit(3);
        LanguageFile language(path);
        const auto reading = language.read();
        const Status status = language.write(3);
        const bool told = !status.ok() && status.message.find("idiom.txt") != std::string::npos;
        ::_exit(reading.languageIndex == 1 && told ? 0 : 1);
    }
    int wstatus = 0;
    ::waitpid(child, &wstatus, 0);
    EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0) << wstatus;
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(readFile(path), "keep me\r\n7\r\n");
}

TEST(Language, RunTimeMessagesFallBackToEnglish)
{
    const Translations texts{"Found", "Encontrado", "Trouvé", "", "Trovato", "Gevonden", "Gefunden", "Funnet"};
    EXPECT_EQ(pickText(texts, 7), "Gefunden");
    for (int index : {0, 4, 9, -1, 1000})
        EXPECT_EQ(pickText(texts, index), "Found") << index;
}

} // namespace
} // namespace orvane
