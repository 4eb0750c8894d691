// bench-shred [FOLDER] [MiB]: FillRandom throughput, then a three-pass wipe of one file of MiB
// mebibytes (default 1,024) in FOLDER (default /tmp) by our engine and by `shred -n 3 -u`,
// each on a freshly written file, one run each. Exit status 1 when a file survives.
#include "Timing.h"

#include "platform/LinuxFileSystem.h"
#include "platform/Prefix.h"
#include "shredder/TIARand.h"
#include "shredder/TSWipe.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace orvane;

namespace {

void writeFile(const std::string& path, uint64_t bytes)
{
    std::vector<char> block(1 << 20, 'A');
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (uint64_t left = bytes; left > 0; left -= std::min<uint64_t>(left, block.size()))
        out.write(block.data(), std::streamsize(std::min<uint64_t>(left, block.size())));
    out.flush();
    out.close();
    bench::commandOutput("sync");
}

std::string toWindows(const std::string& host)
{
    std::string path = "Z:" + host;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = fs::canonical(argc > 1 ? argv[1] : "/tmp").string();
    const uint64_t mib = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1024;
    const uint64_t bytes = mib << 20;

    // Generator throughput: whole work buffers, as the random passes use them.
    {
        TIARand random;
        std::vector<uint8_t> buffer(TSWipe::BufferSize);
        const uint64_t total = 1ULL << 30;
        uint64_t sink = 0;
        const double seconds = bench::secondsOf([&] {
            for (uint64_t done = 0; done < total; done += buffer.size()) {
                random.FillRandom(buffer.data(), buffer.size());
                sink += buffer[done % buffer.size()];
            }
        });
        std::printf("FillRandom: %.0f MB/s (1 GiB in %.3f s, checksum %llu)\n", double(total) / 1e6 / seconds, seconds,
                    (unsigned long long)sink);
    }

    // A prefix whose only drive Z: is the host's root, as the program's own prefix has it.
    const fs::path prefixRoot = fs::path(folder) / "orvane-bench-prefix";
    fs::remove_all(prefixRoot);
    fs::create_directories(prefixRoot / "dosdevices");
    fs::create_symlink("/", prefixRoot / "dosdevices" / "z:");
    const Prefix prefix = Prefix::open(prefixRoot.string());
    LinuxFileSystem files(prefix);
    NullProgress progress;

    const std::string target = folder + "/orvane-bench-shred.bin";
    int status = 0;

    writeFile(target, bytes);
    TSWipe engine(files, progress, [] { return int(TriplePass); });
    double ours = 0;
    try {
        ours = bench::secondsOf([&] { engine.WipeFile(toWindows(target)); });
    } catch (const EWipe& e) {
        std::fprintf(stderr, "engine: %s\n", e.what());
        status = 1;
    }
    if (fs::exists(target)) {
        std::fprintf(stderr, "engine left the file behind\n");
        status = 1;
    }

    writeFile(target, bytes);
    const double theirs = bench::secondsOf([&] { bench::commandOutput("shred -n 3 -u " + bench::shellQuote(target)); });
    if (fs::exists(target)) {
        std::fprintf(stderr, "shred left the file behind (is it installed?)\n");
        status = 1;
        fs::remove(target);
    }
    fs::remove_all(prefixRoot);

    std::printf("3-pass wipe of %llu MiB in %s: orvane %.2f s (%.0f MB/s written), shred -n 3 -u %.2f s, ratio %.2f\n",
                (unsigned long long)mib, folder.c_str(), ours, 3.0 * double(bytes) / 1e6 / ours, theirs, ours / theirs);
    return status;
}
