// Registry editor files: parsing never fails unsafely, an accepted file imports, and its export
// parses again without errors.

#include "platform/Regedit.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace orvane::reg;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RegeditFile file = parseRegedit(bytes);
    if (!file.errors.empty())
        return 0;
    // Hives whose files cannot be written: the fuzzer never touches the disk.
    Registry registry({{"/nonexistent/orvane-fuzz/system.reg", "Machine"},
                       {"/nonexistent/orvane-fuzz/user.reg", "User\\S-1-5-21-0-0-0-1000"}},
                      "S-1-5-21-0-0-0-1000");
    if (!importRegedit(registry, bytes).ok())
        return 0;
    for (Root root : {Root::CurrentUser, Root::LocalMachine}) {
        std::string text = exportRegedit(registry, root, "", RegeditVersion::Version5);
        if (!parseRegedit(text).errors.empty())
            std::abort();
    }
    return 0;
}
