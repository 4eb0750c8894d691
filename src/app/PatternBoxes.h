#pragma once
// The junk-pattern check boxes of the main window: component, caption, settings keys and place
// in the seven-column block. Indexed like AppState::patterns (search order).

#include "app/AppState.h"

#include <array>
#include <string_view>

namespace orvane {

struct PatternBox {
    Pattern pattern;
    std::string_view component; // objectName of the check box
    std::string_view caption;   // the same in every language
    std::string_view onKey;     // config.TXT key when ticked
    std::string_view offKey;    // config.TXT key when not ticked
    int column;                 // 1..7
    int row;                    // 1..4
};

inline constexpr std::array<PatternBox, PatternCount> patternBoxes{{
    {Pattern::Tmp, "ChB1", "*.Tmp", "c11", "c10", 1, 1},
    {Pattern::Gid, "ChB2", "*.Gid", "c21", "c20", 4, 2},
    {Pattern::Dollar3, "ChB3", "*.$$$", "c31", "c30", 1, 3},
    {Pattern::Tilde, "ChB4", "~*.*", "c41", "c40", 2, 1},
    {Pattern::Dash3, "ChB5", "*.---", "c51", "c50", 3, 2},
    {Pattern::Chk, "ChB6", "*.Chk", "c61", "c60", 3, 1},
    {Pattern::Ftg, "ChB8", "*.Ftg", "c81", "c80", 2, 3},
    {Pattern::Old, "ChB9", "*.Old", "c91", "c90", 2, 2},
    {Pattern::TildeExt, "ChB7", "*.~*", "c71", "c70", 1, 2},
    {Pattern::Fts, "ChB10", "*.Fts", "c*1", "c*0", 4, 3},
    {Pattern::Log, "CheckBox2", "*.Log", "l*1", "l*0", 3, 3},
    {Pattern::AcDollar, "CheckBox5", "*.Ac$", "a*1", "a*0", 5, 1},
    {Pattern::Swr, "CheckBox6", "*.Swr", "s*1", "s*0", 5, 2},
    {Pattern::Xlg, "CheckBox7", "*.Xlg", "x*1", "x*0", 5, 3},
    {Pattern::Dmp, "CheckBox10", "*.Dmp", "d41", "d40", 6, 3},
    {Pattern::Caret, "CheckBox12", "*.^", "d61", "d60", 7, 1},
    {Pattern::Underscore3, "CheckBox13", "*.___", "d71", "d70", 7, 2},
    {Pattern::Chw, "CheckBox16", "*.chw", "e11", "e10", 4, 1},
    {Pattern::BkBang, "CheckBox17", "*.Bk!", "e21", "e20", 6, 2},
    {Pattern::Err, "CheckBox18", "*.Err", "e31", "e30", 6, 4},
    {Pattern::QqDollar, "CheckBox19", "*.??$", "e41", "e40", 5, 4},
    {Pattern::DollarSa, "CheckBox20", "*.$sa", "e51", "e50", 2, 4},
    {Pattern::Asd, "CheckBox21", "*.Asd", "e61", "e60", 3, 4},
    {Pattern::Nch, "CheckBox22", "*.Nch", "e71", "e70", 4, 4},
    {Pattern::TildeEnd, "CheckBox23", "*.*~", "e81", "e80", 1, 4},
    {Pattern::Chklist, "CheckBox24", "Chklist.ms", "e91", "e90", 6, 1},
}};

// The hidden dead-shortcut box.
inline constexpr PatternBox deadLinkBox{Pattern::Count, "CheckBox26", "D-link", "e01", "e00", 7, 3};

} // namespace orvane
