#pragma once
// The registry work that must be done before any window exists.

namespace orvane {

// Builds the registry cleaner's list of current-user equivalent keys (BuildEquivalents).
// The single call site is in main(), after the single-instance check and before the main window.
void prepareRegistry();

} // namespace orvane
