// Loads, walks and saves a generated registry of about 1,000,000 values (the size of a large
// real registry) through the registry service, and reports MB/s and values/s.
//
// bench-registry [values] [folder]

#include "Timing.h"

#include "platform/RegFile.h"
#include "platform/Registry.h"
#include "platform/RegistryFiles.h"
#include "platform/RegistryText.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

using namespace orvane::reg;

namespace {

// Processor seconds of one call: on a shared machine the wall clock also counts other work.
template <typename Fn>
double cpuSecondsOf(Fn&& fn)
{
    timespec a{}, b{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &a);
    fn();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &b);
    return double(b.tv_sec - a.tv_sec) + double(b.tv_nsec - a.tv_nsec) / 1e9;
}

template <typename Fn>
std::pair<double, double> timed(Fn&& fn)
{
    double cpu = 0;
    double wall = orvane::bench::secondsOf([&] { cpu = cpuSecondsOf(fn); });
    return {wall, cpu};
}

// A hive in Wine's form: keys three levels deep, ten values each, of every common type.
std::string generate(std::size_t values)
{
    std::mt19937 rng(42);
    Hive hive;
    hive.rootPath = "REGISTRY\\Machine";
    hive.root = std::make_shared<Node>();
    hive.root->hive = &hive;
    std::size_t made = 0;
    for (int a = 0; made < values; ++a) {
        Node& top = hive.root->addSubkey("Software" + std::to_string(a));
        for (int b = 0; b < 100 && made < values; ++b) {
            Node& mid = top.addSubkey("Vendor " + std::to_string(b));
            for (int c = 0; c < 100 && made < values; ++c) {
                Node& key = mid.addSubkey("{" + std::to_string(rng()) + "}");
                key.modified = fileTimeNow();
                for (int v = 0; v < 10 && made < values; ++v, ++made) {
                    Value value;
                    value.name = "Value" + std::to_string(v);
                    switch (rng() % 8) {
                    case 0: case 1: case 2: case 3:
                        value.type = REG_SZ;
                        value.data = unitsToBytes(utf8ToUtf16("C:\\Program Files\\App " + std::to_string(rng()) +
                                                              "\\bin\\tool.exe") + u'\0');
                        break;
                    case 4: case 5:
                        value.type = REG_DWORD;
                        value.data = std::string(4, char(rng()));
                        break;
                    default:
                        value.type = REG_BINARY;
                        value.data = std::string(std::size_t(8 + rng() % 56), char(rng()));
                    }
                    key.putValue(std::move(value));
                }
            }
        }
    }
    return writeHive(hive);
}

} // namespace

int main(int argc, char** argv)
{
    std::size_t values = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    std::string folder = argc > 2 ? argv[2] : "/tmp";
    std::string path = folder + "/bench-registry-" + std::to_string(getpid()) + ".reg";

    std::string text = generate(values);
    if (!writeFileAtomically(path, text).ok()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    double mb = double(text.size()) / 1e6;

    std::unique_ptr<Registry> reg;
    auto [load, loadCpu] = timed([&] { reg = std::make_unique<Registry>(std::vector<HiveFile>{{path, "Machine"}}, "S-1-5-21-0-0-0-1000"); });

    // The walk of the registry cleaner: open, enumerate values with data, enumerate subkeys.
    std::size_t seen = 0, keys = 0;
    auto [walk, walkCpu] = timed([&] {
        std::vector<std::string> pending{""};
        std::string name, data;
        std::uint32_t type = 0;
        while (!pending.empty()) {
            std::string at = std::move(pending.back());
            pending.pop_back();
            RegKey key;
            if (reg->openKey(Root::LocalMachine, at, KEY_READ, key) != ERROR_SUCCESS)
                continue;
            ++keys;
            for (std::uint32_t i = 0; reg->enumValue(key, i, name, &type, &data) == ERROR_SUCCESS; ++i)
                ++seen;
            for (std::uint32_t i = 0; reg->enumKey(key, i, name) == ERROR_SUCCESS; ++i)
                pending.push_back(at.empty() ? name : at + "\\" + name);
        }
    });

    reg->writeString(Root::LocalMachine, "Software0", "Changed", "1");
    auto [save, saveCpu] = timed([&] {
        if (!reg->flush().ok())
            std::fprintf(stderr, "save failed\n");
    });
    reg.reset();
    unlink(path.c_str());

    if (seen != values) {
        std::fprintf(stderr, "walk saw %zu values, expected %zu\n", seen, values);
        return 1;
    }
    std::printf("registry of %zu values in %zu keys, %.1f MB\n", values, keys, mb);
    std::printf("        wall s    cpu s   MB/s(cpu)  values/s(cpu)\n");
    std::printf("load  %8.3f %8.3f %10.0f %14.0f\n", load, loadCpu, mb / loadCpu, double(values) / loadCpu);
    std::printf("walk  %8.3f %8.3f %10s %14.0f\n", walk, walkCpu, "-", double(seen) / walkCpu);
    std::printf("save  %8.3f %8.3f %10.0f %14.0f   (wall includes fsync)\n", save, saveCpu, mb / saveCpu,
                double(values) / saveCpu);
    return 0;
}
