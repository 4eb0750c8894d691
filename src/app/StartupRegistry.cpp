#include "app/StartupRegistry.h"

namespace orvane {

void prepareRegistry()
{
    // Wired to the registry cleaner's BuildEquivalents once the registry service is in place.
}

} // namespace orvane
