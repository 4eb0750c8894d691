#include "platform/SeedSources.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <malloc.h>
#include <pthread.h>
#include <sys/random.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace orvane {
namespace {

class Collector {
public:
    std::vector<SeedItem> items;

    void word(uint64_t value) { items.push_back({SeedItem::Word, uint32_t(value), {}}); }
    void byte(uint64_t value) { items.push_back({SeedItem::Byte, uint32_t(value & 0xFF), {}}); }
    void bytes(const void* data, size_t size)
    {
        const auto* p = static_cast<const uint8_t*>(data);
        items.push_back({SeedItem::Bytes, 0, std::vector<uint8_t>(p, p + size)});
    }
    template <typename T>
    void value(const T& v) { bytes(&v, sizeof v); }
};

int64_t clockNs(clockid_t clock)
{
    timespec ts{};
    ::clock_gettime(clock, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// A SYSTEMTIME-shaped record: eight 16-bit fields, 16 bytes.
std::array<uint16_t, 8> systemTime(bool local)
{
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    tm parts{};
    if (local)
        ::localtime_r(&ts.tv_sec, &parts);
    else
        ::gmtime_r(&ts.tv_sec, &parts);
    return {uint16_t(parts.tm_year + 1900), uint16_t(parts.tm_mon + 1), uint16_t(parts.tm_wday),
            uint16_t(parts.tm_mday), uint16_t(parts.tm_hour), uint16_t(parts.tm_min),
            uint16_t(parts.tm_sec), uint16_t(ts.tv_nsec / 1'000'000)};
}

// The first bytes of /proc/self/stat (times, faults, memory, start time), zero-padded.
template <size_t N>
std::array<uint8_t, N> procSelfStat()
{
    std::array<uint8_t, N> out{};
    const int fd = ::open("/proc/self/stat", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return out;
    std::array<char, 1024> text{};
    const ssize_t got = ::read(fd, text.data(), text.size());
    ::close(fd);
    // Fold the whole line into the record so the later, more volatile fields count too.
    for (ssize_t i = 0; i < got; ++i)
        out[size_t(i) % N] = uint8_t(out[size_t(i) % N] * 31 + uint8_t(text[size_t(i)]));
    return out;
}

} // namespace

std::vector<SeedItem> gatherSeedSources()
{
    Collector c;
    int stackMarker = 0;

    // 1. Window-system handles: the process's place in the session instead.
    c.word(uint64_t(::getppid()));
    c.word(uint64_t(::getpgrp()));
    c.word(uint64_t(::getsid(0)));
    c.word(uint64_t(reinterpret_cast<uintptr_t>(&stackMarker)));
    // 2. Process and thread handles and ids.
    c.word(uint64_t(reinterpret_cast<uintptr_t>(&gatherSeedSources)));
    c.word(uint64_t(::getpid()));
    c.word(uint64_t(::pthread_self()));
    c.word(uint64_t(::syscall(SYS_gettid)));
    // 3. Tick count and more handles: clocks in milliseconds and nanoseconds.
    c.word(uint64_t(clockNs(CLOCK_MONOTONIC) / 1'000'000));
    c.word(uint64_t(clockNs(CLOCK_BOOTTIME)));
    c.word(uint64_t(clockNs(CLOCK_PROCESS_CPUTIME_ID)));
    // 4. Input state: one byte.
    c.byte(uint64_t(clockNs(CLOCK_MONOTONIC)));
    // 5. Message position and time, clipboard, heap and window station.
    const int64_t realNs = clockNs(CLOCK_REALTIME);
    c.word(uint64_t(realNs));
    c.word(uint64_t(realNs) >> 32);
    void* probe = std::malloc(64);
    c.word(uint64_t(reinterpret_cast<uintptr_t>(probe)));
    std::free(probe);
    c.word(uint64_t(reinterpret_cast<uintptr_t>(::sbrk(0))));
    c.word(uint64_t(::getuid()) << 16 ^ uint64_t(::getgid()));
    // 6. Queue status: context switches so far.
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);
    c.word(uint64_t(self.ru_nvcsw) << 16 ^ uint64_t(self.ru_nivcsw));
    // 7. Local time (16 bytes) and the same moment as a FILETIME (100 ns since 1601, 8 bytes).
    c.value(systemTime(true));
    const uint64_t fileTime = uint64_t(realNs / 100) + 116'444'736'000'000'000ULL;
    c.value(fileTime);
    // 8. System time.
    c.value(systemTime(false));
    // 9. Caret and cursor positions: two raw clocks, 8 bytes each.
    c.value(clockNs(CLOCK_MONOTONIC_RAW));
    c.value(clockNs(CLOCK_REALTIME_COARSE));
    // 10. Memory status: 32 bytes.
    struct sysinfo sys {};
    ::sysinfo(&sys);
    const std::array<uint64_t, 4> memory{uint64_t(sys.totalram), uint64_t(sys.freeram),
                                         uint64_t(sys.bufferram), uint64_t(sys.freeswap)};
    c.value(memory);
    // 11. Thread times: creation stand-in, exit stand-in, kernel, user.
    rusage thread{};
    ::getrusage(RUSAGE_THREAD, &thread);
    c.value(clockNs(CLOCK_THREAD_CPUTIME_ID));
    c.value(int64_t(thread.ru_minflt));
    c.value(int64_t(thread.ru_stime.tv_sec) * 1'000'000 + thread.ru_stime.tv_usec);
    c.value(int64_t(thread.ru_utime.tv_sec) * 1'000'000 + thread.ru_utime.tv_usec);
    // 12. Process times.
    c.value(clockNs(CLOCK_PROCESS_CPUTIME_ID));
    c.value(int64_t(self.ru_majflt) << 32 ^ int64_t(self.ru_minflt));
    c.value(int64_t(self.ru_stime.tv_sec) * 1'000'000 + self.ru_stime.tv_usec);
    c.value(int64_t(self.ru_utime.tv_sec) * 1'000'000 + self.ru_utime.tv_usec);
    // 13. Working set: minimum and maximum stand-ins.
    c.word(uint64_t(self.ru_maxrss));
    c.word(uint64_t(self.ru_inblock) << 16 ^ uint64_t(self.ru_oublock));
    // 14. Start-up record (68 bytes): /proc/self/stat.
    c.value(procSelfStat<68>());
    // 15. System record (36 bytes): page size, processors, up time, load averages.
    struct {
        uint32_t pageSize;
        uint32_t processors;
        uint32_t uptime;
        uint64_t loads[3];
    } __attribute__((packed)) system{uint32_t(::sysconf(_SC_PAGESIZE)), uint32_t(::sysconf(_SC_NPROCESSORS_ONLN)),
                                     uint32_t(sys.uptime), {sys.loads[0], sys.loads[1], sys.loads[2]}};
    static_assert(sizeof system == 36);
    c.value(system);
    // 16. Performance counter.
    c.value(clockNs(CLOCK_MONOTONIC));
    // 17. Free space of the root file system, as cluster figures.
    struct statvfs disk {};
    if (::statvfs("/", &disk) == 0) {
        const uint32_t bytesPerSector = 512;
        const uint32_t sectorsPerCluster = uint32_t(disk.f_frsize / bytesPerSector);
        const uint32_t freeClusters = uint32_t(disk.f_bavail);
        c.word(sectorsPerCluster);
        c.word(bytesPerSector);
        c.word(freeClusters);
        c.word(uint32_t(disk.f_blocks));
        c.word(uint32_t(freeClusters * bytesPerSector * sectorsPerCluster));
    }
    // 18. Heap statistics: 40 bytes.
    const struct mallinfo2 heap = ::mallinfo2();
    const std::array<uint64_t, 5> heapFigures{uint64_t(heap.arena), uint64_t(heap.ordblks), uint64_t(heap.hblkhd),
                                              uint64_t(heap.uordblks), uint64_t(heap.fordblks)};
    c.value(heapFigures);
    // And the kernel's own random source, which none of the above can replace.
    std::array<uint8_t, 32> kernel{};
    if (::getrandom(kernel.data(), kernel.size(), GRND_NONBLOCK) == ssize_t(kernel.size()))
        c.value(kernel);
    return std::move(c.items);
}

size_t systemPageSize()
{
    const long size = ::sysconf(_SC_PAGESIZE);
    return size > 0 ? size_t(size) : 4096;
}

} // namespace orvane
