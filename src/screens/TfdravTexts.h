#pragma once
// The main window's texts in the eight languages.

#include "screens/LanguageApplier.h"

#include <span>

namespace orvane {

std::span<const TextRow> tfdravTexts();

} // namespace orvane
