#include "junk/ResultsTable.h"

#include "junk/SizeFormat.h"

namespace orvane::junk {

namespace {
const std::string EmptyCell;
}

void ResultsTable::setRowCount(int count)
{
    if (count < 2)
        count = 2; // the header and at least one row, as the grid keeps them
    const int old = rowCount();
    if (old == count)
        return;
    rows_.resize(size_t(count - 1));
    if (listener_)
        listener_->rowCountChanged(old, count);
}

const std::string& ResultsTable::cell(int row, int column) const
{
    if (row == 0 && column >= 0 && column < ColumnCount) {
        static const std::array<std::string, ColumnCount> headers{HeaderTexts[0], HeaderTexts[1], HeaderTexts[2],
                                                                  HeaderTexts[3]};
        return headers[size_t(column)];
    }
    if (row < 1 || row >= rowCount() || column < 0 || column >= ColumnCount)
        return EmptyCell;
    return rows_[size_t(row - 1)].cells[size_t(column)];
}

void ResultsTable::setCell(int row, int column, std::string text)
{
    if (row < 1 || row >= rowCount() || column < 0 || column >= ColumnCount)
        return;
    rows_[size_t(row - 1)].cells[size_t(column)] = std::move(text);
    if (listener_)
        listener_->cellChanged(row, column);
}

void ResultsTable::ClearResultsGrid()
{
    rows_.clear();
    rows_.shrink_to_fit();
    rows_.resize(1);
    if (listener_)
        listener_->cleared();
}

void ResultsTable::addFoundRow(AppState& state, std::string name, const std::string& folder, std::string sizeText,
                               uint64_t bytes, std::optional<FileIdentity> identity)
{
    ++state.foundCount;
    setRowCount(state.foundCount + 1);
    ResultRow& r = rows_[size_t(state.foundCount - 1)];
    r.cells[NameColumn] = std::move(name);
    r.cells[PathColumn] = folder + "\\";
    r.cells[SizeColumn] = std::move(sizeText);
    r.cells[DeleteColumn] = "Yes";
    r.identity = identity;
    state.foundBytes += double(bytes);
    if (listener_)
        listener_->cellChanged(state.foundCount, -1);
}

std::string ResultsTable::writeTotalRow(const AppState& state, char decimalSeparator)
{
    setRowCount(state.foundCount + 3);
    if (state.foundCount <= 0)
        return "";
    const int total = state.foundCount + 2;
    std::string text = FormatTotalSize(state.foundBytes, decimalSeparator);
    setCell(total, NameColumn, "Total space :");
    setCell(total, PathColumn, "    =    ");
    setCell(total, SizeColumn, text);
    return text;
}

void ResultsTable::toggleMark(int row)
{
    if (row < 1 || row >= rowCount())
        return;
    setCell(row, DeleteColumn, cell(row, DeleteColumn) == "No" ? "Yes" : "No");
}

} // namespace orvane::junk
