#pragma once
// Texts in the eight languages. A screen keeps a table of its texts; run-time messages pick
// theirs with pickText.

#include <array>
#include <string_view>

namespace orvane {

// LanguageIndex values.
enum Language : int { English = 1, Portuguese = 2, French = 3, Spanish = 4, Italian = 5, Dutch = 6, German = 7, Norwegian = 8 };

// One text in every language, in LanguageIndex order (English first). An empty entry means
// "no own text": English is used.
using Translations = std::array<std::string_view, 8>;

inline bool isLanguage(int index) { return index >= 1 && index <= 8; }

// The text for `languageIndex`, English for a value without its own text.
inline std::string_view pickText(const Translations& texts, int languageIndex)
{
    if (isLanguage(languageIndex) && !texts[size_t(languageIndex - 1)].empty())
        return texts[size_t(languageIndex - 1)];
    return texts[0];
}

} // namespace orvane
