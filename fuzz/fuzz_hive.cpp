// Wine registry files: whatever the parser accepts, the writer writes in a form the parser
// reads back to the same tree (writing it again gives the same text).

#include "platform/RegFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace orvane::reg;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    Hive first;
    if (!parseHive(text, "fuzz.reg", first).ok())
        return 0;
    std::string written = writeHive(first);
    Hive second;
    if (!parseHive(written, "fuzz.reg", second).ok())
        std::abort();
    if (writeHive(second) != written)
        std::abort();
    return 0;
}
