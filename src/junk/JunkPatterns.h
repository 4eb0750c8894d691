#pragma once
// The junk masks in search order and the operations on all pattern boxes at once. The boxes
// themselves (component, caption, keys, place) are app/PatternBoxes.h.

#include "app/AppState.h"
#include "app/PatternBoxes.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::junk {

// One mask as the scan searches it; "*.Asd" owns two of them.
struct SearchMask {
    Pattern pattern;       // the box that governs it
    std::string_view mask; // folder-relative wildcard without the leading backslash
};

// The 27 masks in search order.
const std::vector<SearchMask>& searchMasks();

// The hidden "D-link" box (orvane::deadLinkBox) searches this mask for dead shortcuts.
inline constexpr std::string_view DeadLinkMask = "*.LNK";

// Tick / untick every pattern box; "D-link" is not touched.
void CheckAllPatterns(AppState& state);
void UncheckAllPatterns(AppState& state);

// The masks of the boxes ticked in `state`, in search order.
std::vector<SearchMask> tickedMasks(const AppState& state);

} // namespace orvane::junk
