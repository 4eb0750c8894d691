#include "junk/JunkPatterns.h"

namespace orvane::junk {

const std::vector<SearchMask>& searchMasks()
{
    static const std::vector<SearchMask> masks{
        {Pattern::Tmp, "*.TMP"},      {Pattern::Gid, "*.GID"},          {Pattern::Dollar3, "*.$$$"},
        {Pattern::Tilde, "~*.*"},     {Pattern::Dash3, "*.---"},        {Pattern::Chk, "*.CHK"},
        {Pattern::Ftg, "*.FTG"},      {Pattern::Old, "*.OLD"},          {Pattern::TildeExt, "*.~*"},
        {Pattern::Fts, "*.FTS"},      {Pattern::Log, "*.LOG"},          {Pattern::AcDollar, "*.AC$"},
        {Pattern::Swr, "*.SWR"},      {Pattern::Xlg, "*.XLG"},          {Pattern::Dmp, "*.DMP"},
        {Pattern::Caret, "*.^"},      {Pattern::Underscore3, "*.___"},  {Pattern::Chw, "*.CHW"},
        {Pattern::BkBang, "*.BK!"},   {Pattern::Err, "*.ERR"},          {Pattern::QqDollar, "*.??$"},
        {Pattern::DollarSa, "*.$SA"}, {Pattern::Asd, "*.@@@"},          {Pattern::Asd, "*.ASD"},
        {Pattern::Nch, "*.NCH"},      {Pattern::TildeEnd, "*.*~"},      {Pattern::Chklist, "CHKLIST.MS"},
    };
    return masks;
}

void CheckAllPatterns(AppState& state) { state.patterns.fill(true); }

void UncheckAllPatterns(AppState& state) { state.patterns.fill(false); }

std::vector<SearchMask> tickedMasks(const AppState& state)
{
    std::vector<SearchMask> out;
    for (const SearchMask& m : searchMasks())
        if (state.ticked(m.pattern))
            out.push_back(m);
    return out;
}

} // namespace orvane::junk
