#include "RecordingFiles.h"
#include "shredder/TSWipe.h"
#include "support/PrefixFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

using test::PrefixFixture;
using test::RecordingFiles;

class RecordingProgress : public Progress {
public:
    std::vector<std::string> texts;
    void status(std::string_view text) override { texts.emplace_back(text); }
};

struct WipeFixture {
    PrefixFixture p;
    RecordingFiles files{p.fs};
    RecordingProgress progress;
    int method = SinglePass;
    TSWipe engine{files, progress, [this] { return method; }, 4096};

    bool gone(std::string_view path) const { return !test::hostExists(p.host(path)); }
    std::vector<std::string> folderNames(std::string_view folder) const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(p.host(folder)))
            names.push_back(e.path().filename().string());
        return names;
    }
};

bool isPattern(const std::string& bytes, int32_t value)
{
    const uint8_t pattern[3] = {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
    for (size_t i = 0; i < bytes.size(); ++i)
        if (uint8_t(bytes[i]) != pattern[i % 3])
            return false;
    return true;
}

// The value of a pattern pass, or -1 when the bytes are no pattern of the table.
int32_t patternOf(const std::string& bytes)
{
    for (size_t i = 4; i < 31; ++i)
        if (isPattern(bytes, TSWipe::PatternTable[i]))
            return TSWipe::PatternTable[i];
    return -1;
}

TEST(TSWipe, PassesFollowTheMethod)
{
    const struct {
        int method;
        int passes;
    } cases[] = {{SinglePass, 1}, {TriplePass, 3}, {DoDSevenPass, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        WipeFixture f;
        f.method = c.method;
        f.p.write("C:\\Data\\secret.txt", std::string(5000, 'S'));
        EXPECT_TRUE(f.engine.WipeFile("C:\\Data\\secret.txt"));
        ASSERT_EQ(f.files.passes.size(), size_t(c.passes));
        EXPECT_EQ(f.engine.wipeLength(), 8192u); // 5,000 bytes rounded up to whole 4,096-byte pages
        std::set<std::string> distinct;
        for (int i = 0; i < c.passes; ++i) {
            const auto& pass = f.files.passes[size_t(i)];
            EXPECT_EQ(pass.length, 8192u);
            if (i < 4) {
                EXPECT_EQ(patternOf(pass.bytes), -1) << "pass " << i + 1 << " should be random";
                EXPECT_EQ(pass.bytes.find(std::string(5000, 'S')), std::string::npos);
            } else {
                EXPECT_NE(patternOf(pass.bytes), -1) << "pass " << i + 1 << " should be a pattern";
            }
            if (i < 4)
                distinct.insert(pass.bytes);
        }
        EXPECT_EQ(distinct.size(), size_t(std::min(c.passes, 4))) << "random passes repeat each other";
        EXPECT_TRUE(f.gone("C:\\Data\\secret.txt"));
        EXPECT_TRUE(f.folderNames("C:\\Data").empty());
        EXPECT_EQ(f.files.events.back(), "delete C:\\Data\\" + std::string(200, '0'));
    }
}

TEST(TSWipe, StatusTextsNamePathAndPass)
{
    WipeFixture f;
    f.method = TriplePass;
    f.p.write("C:\\a.txt", "abc");
    f.engine.WipeFile("C:\\a.txt");
    const std::vector<std::string> expected = {"Deleting file : C:\\a.txt  Pass : 1", "Deleting file : C:\\a.txt  Pass : 2",
                                               "Deleting file : C:\\a.txt  Pass : 3", "Status : Idle"};
    EXPECT_EQ(f.progress.texts, expected);
    EXPECT_EQ(f.engine.passesDone(), 3);
}

TEST(TSWipe, EmptyFileIsRemovedWithoutWriting)
{
    WipeFixture f;
    f.method = DoDSevenPass;
    f.p.write("C:\\empty.bin", "");
    EXPECT_TRUE(f.engine.WipeFile("C:\\empty.bin"));
    EXPECT_EQ(f.engine.wipeLength(), 0u);
    for (const auto& pass : f.files.passes)
        EXPECT_EQ(pass.length, 0u);
    EXPECT_TRUE(f.gone("C:\\empty.bin"));
}

// The random passes against the procedure written out literally: 26 words for the shuffle,
// then per random pass FillRandom of each whole buffer while more than one remains and of
// the rest, even an empty rest. Both the bytes written and the generator's state after the
// file must agree, so a skipped or extra round shows.
TEST(TSWipe, RandomPassesMatchLiteralProcedure)
{
    const struct {
        uint64_t size;
        int method;
        uint64_t length; // bytes per pass
    } cases[] = {{0, DoDSevenPass, 0},
                 {0, TriplePass, 0},
                 {5000, TriplePass, 8192},
                 {TSWipe::BufferSize, SinglePass, TSWipe::BufferSize},
                 {300'000, DoDSevenPass, 303'104}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " bytes, method " + std::to_string(c.method));
        WipeFixture f;
        f.method = c.method;
        f.p.write("C:\\r.bin", std::string(size_t(c.size), 'r'));
        TIARand reference = f.engine.random();
        for (int i = 26; i >= 1; --i)
            reference.NextWord();
        const int randomPasses = std::min(c.method == SinglePass ? 1 : c.method == TriplePass ? 3 : 7, 4);
        std::vector<std::string> expected;
        std::string chunk(TSWipe::BufferSize, '\0');
        for (int p = 0; p < randomPasses; ++p) {
            std::string bytes;
            uint64_t left = c.length;
            while (left > TSWipe::BufferSize) {
                reference.FillRandom(chunk.data(), TSWipe::BufferSize);
                bytes += chunk;
                left -= TSWipe::BufferSize;
            }
            reference.FillRandom(chunk.data(), size_t(left));
            bytes += chunk.substr(0, size_t(left));
            expected.push_back(bytes);
        }
        EXPECT_TRUE(f.engine.WipeFile("C:\\r.bin"));
        ASSERT_GE(f.files.passes.size(), size_t(randomPasses));
        for (int p = 0; p < randomPasses; ++p)
            EXPECT_TRUE(f.files.passes[size_t(p)].bytes == expected[size_t(p)]) << "pass " << p + 1;
        EXPECT_EQ(f.engine.random().NextWord(), reference.NextWord()) << "generator state after the file";
    }
}

TEST(TSWipe, PatternPassesRunOnAcrossChunks)
{
    // 300,000 bytes need three chunks; the pattern must not restart at a chunk boundary.
    WipeFixture f;
    f.method = DoDSevenPass;
    f.p.write("C:\\big.bin", std::string(300'000, 'x'));
    f.engine.WipeFile("C:\\big.bin");
    ASSERT_EQ(f.files.passes.size(), 7u);
    for (size_t i = 4; i < 7; ++i) {
        EXPECT_EQ(f.files.passes[i].length, 303'104u);
        EXPECT_NE(patternOf(f.files.passes[i].bytes), -1);
    }
    // Random chunks are fresh: the second chunk of a random pass differs from the first.
    const auto& random = f.files.passes[0].bytes;
    EXPECT_NE(random.substr(0, TSWipe::BufferSize), random.substr(TSWipe::BufferSize, TSWipe::BufferSize));
}

TEST(TSWipe, ShuffleMatchesLiteralProcedure)
{
    WipeFixture f;
    for (int round = 0; round < 50; ++round) {
        TIARand reference = f.engine.random(); // the same state the engine is about to use
        TSWipe::PassList expected = TSWipe::PatternTable;
        for (int i = 26; i >= 1; --i) {
            const uint32_t j = reference.NextWord() % uint32_t(i + 1);
            const int32_t t = expected[size_t(5 + i - 1)];
            expected[size_t(5 + i - 1)] = expected[size_t(5 + j - 1)];
            expected[size_t(5 + j - 1)] = t;
        }
        const auto got = f.engine.BuildPassList();
        ASSERT_EQ(got, expected) << "round " << round;
        auto sortedGot = std::vector<int32_t>(got.begin() + 4, got.begin() + 31);
        auto sortedTable = std::vector<int32_t>(TSWipe::PatternTable.begin() + 4, TSWipe::PatternTable.begin() + 31);
        std::sort(sortedGot.begin(), sortedGot.end());
        std::sort(sortedTable.begin(), sortedTable.end());
        EXPECT_EQ(sortedGot, sortedTable);
        for (size_t i : {0, 1, 2, 3, 31, 32, 33, 34})
            EXPECT_EQ(got[i], -1);
    }
}

TEST(TSWipe, SevenPassPatternsChangeFromFileToFile)
{
    WipeFixture f;
    f.method = DoDSevenPass;
    std::set<std::vector<int32_t>> choices;
    for (int i = 0; i < 6; ++i) {
        const std::string path = "C:\\f" + std::to_string(i);
        f.p.write(path, "data");
        f.files.passes.clear();
        f.engine.WipeFile(path);
        std::vector<int32_t> patterns;
        for (size_t k = 4; k < 7; ++k)
            patterns.push_back(patternOf(f.files.passes[k].bytes));
        choices.insert(patterns);
    }
    EXPECT_GT(choices.size(), 1u);
}

TEST(TSWipe, ReadOnlyHiddenFileIsWiped)
{
    WipeFixture f;
    f.p.write("C:\\Data\\ro.txt", "keep out");
    ASSERT_TRUE(f.p.fs.setAttributes("C:\\Data\\ro.txt", AttrReadOnly | AttrHidden));
    ASSERT_EQ(*f.p.fs.attributes("C:\\Data\\ro.txt") & (AttrReadOnly | AttrHidden), uint32_t(AttrReadOnly | AttrHidden));
    EXPECT_TRUE(f.engine.WipeFile("C:\\Data\\ro.txt"));
    EXPECT_TRUE(f.gone("C:\\Data\\ro.txt"));
    EXPECT_TRUE(f.folderNames("C:\\Data").empty());
}

TEST(TSWipe, FileHeldOpenElsewhereIsLeftAsItWas)
{
    WipeFixture f;
    const std::string host = f.p.write("C:\\Data\\busy.txt", "precious");
    ASSERT_TRUE(f.p.fs.setAttributes("C:\\Data\\busy.txt", AttrReadOnly));
    ::chmod(host.c_str(), 0644); // the holder needs to open it; the attribute comes back below
    const int holder = ::open(host.c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_TRUE(f.p.fs.setAttributes("C:\\Data\\busy.txt", AttrReadOnly));
    try {
        f.engine.WipeFile("C:\\Data\\busy.txt");
        ADD_FAILURE() << "no EWipe";
    } catch (const EWipe& e) {
        EXPECT_STREQ(e.what(), "Error opening C:\\Data\\busy.txt");
    }
    ::close(holder);
    EXPECT_EQ(test::readFile(host), "precious");
    EXPECT_TRUE(*f.p.fs.attributes("C:\\Data\\busy.txt") & AttrReadOnly) << "attributes are given back";
    EXPECT_TRUE(f.files.passes.empty());
}

TEST(TSWipe, MissingPathsAndLinksAreRefused)
{
    WipeFixture f;
    const std::string target = f.p.write("C:\\Data\\target.txt", "target");
    std::filesystem::create_symlink(target, f.p.host("C:\\Data") + "/link.txt");
    f.p.mkdir("C:\\Data\\folder");
    const struct {
        const char* path;
        const char* message;
    } cases[] = {
        {"C:\\Data\\nothing.txt", "Error opening C:\\Data\\nothing.txt"},
        {"C:\\Data\\link.txt", "Error opening C:\\Data\\link.txt: it is a symbolic link, not shredded"},
        {"C:\\Data\\folder", "Error opening C:\\Data\\folder: it is a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            f.engine.WipeFile(c.path);
            ADD_FAILURE() << "no EWipe";
        } catch (const EWipe& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    EXPECT_EQ(test::readFile(target), "target");
    EXPECT_TRUE(test::hostExists(f.p.host("C:\\Data\\link.txt")));
    EXPECT_TRUE(f.files.passes.empty());
}

TEST(TSWipe, FailedWriteLeavesTheFileInPlace)
{
    const struct {
        const char* operation;
        int nth;
        const char* says;
    } cases[] = {{"write", 1, "write"}, {"write", 3, "write"}, {"flush", 2, "flush"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " " + std::to_string(c.nth));
        WipeFixture f;
        f.method = TriplePass;
        const std::string host = f.p.write("C:\\Data\\doc.txt", std::string(300'000, 'd'));
        f.files.failOperation = c.operation;
        f.files.failOn = c.nth;
        try {
            f.engine.WipeFile("C:\\Data\\doc.txt");
            ADD_FAILURE() << "no EWipe";
        } catch (const EWipe& e) {
            const std::string text = e.what();
            EXPECT_EQ(text.rfind("Error writing C:\\Data\\doc.txt: " + std::string(c.says), 0), 0u) << text;
            EXPECT_NE(text.find("not fully overwritten"), std::string::npos) << text;
        }
        EXPECT_TRUE(test::hostExists(host));
        EXPECT_GE(std::filesystem::file_size(host), 300'000u) << "not truncated";
        for (const auto& event : f.files.events)
            EXPECT_TRUE(event.rfind("open", 0) == 0) << "no truncate, move or delete: " << event;
    }
}

TEST(TSWipe, SizesBeyond32BitsAreOverwrittenWhole)
{
    WipeFixture f;
    f.p.write("C:\\huge.bin", "x");
    f.files.fakeSize = (1ULL << 32) + 1; // 4 GiB and one byte: 4,097 bytes as 32 bits
    f.files.keepBytes = 16;
    EXPECT_TRUE(f.engine.WipeFile("C:\\huge.bin"));
    EXPECT_EQ(f.engine.wipeLength(), (1ULL << 32) + 4096);
    ASSERT_EQ(f.files.passes.size(), 1u);
    EXPECT_EQ(f.files.passes[0].length, (1ULL << 32) + 4096);
}

TEST(TSWipe, RenameKeepsOtherFilesAndNameLimits)
{
    {
        // A file already called 200 zeros is not the wiped file's business.
        WipeFixture f;
        const std::string zeros = f.p.write("C:\\Data\\" + std::string(200, '0'), "mine");
        f.p.write("C:\\Data\\wipe.txt", "gone");
        EXPECT_TRUE(f.engine.WipeFile("C:\\Data\\wipe.txt"));
        EXPECT_EQ(test::readFile(zeros), "mine");
        EXPECT_TRUE(f.gone("C:\\Data\\wipe.txt"));
    }
    {
        WipeFixture f;
        f.files.nameLimit = 30;
        f.p.write("C:\\Data\\short.txt", "x");
        f.engine.WipeFile("C:\\Data\\short.txt");
        const auto it = std::find(f.files.events.begin(), f.files.events.end(),
                                  "move C:\\Data\\short.txt C:\\Data\\" + std::string(30, '0'));
        EXPECT_NE(it, f.files.events.end());
        EXPECT_TRUE(f.folderNames("C:\\Data").empty());
    }
}

TEST(TSWipe, FailedDeleteIsReported)
{
    WipeFixture f;
    f.p.write("C:\\Data\\stuck.txt", "x");
    f.files.failOperation = "deleteFile";
    f.files.failOn = 1;
    try {
        f.engine.WipeFile("C:\\Data\\stuck.txt");
        ADD_FAILURE() << "no EWipe";
    } catch (const EWipe& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Error deleting C:\\Data\\stuck.txt", 0), 0u) << e.what();
    }
    const auto names = f.folderNames("C:\\Data");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(std::filesystem::file_size(f.p.host("C:\\Data") + "/" + names[0]), 0u) << "contents destroyed";
}

} // namespace
} // namespace orvane
