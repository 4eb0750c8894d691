#pragma once
// The rows of the results grid asg1 (four columns, one header row), shared by the junk scan
// and the privacy cleaners. Row numbers are the grid's: 0 is the header, data from 1.

#include "app/AppState.h"
#include "platform/FileSystem.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orvane::junk {

enum Column : int { NameColumn = 0, PathColumn = 1, SizeColumn = 2, DeleteColumn = 3, ColumnCount = 4 };

inline constexpr std::array<const char*, ColumnCount> HeaderTexts{"NAME", "PATH", "SIZE", "DELETE?"};

struct ResultRow {
    std::array<std::string, ColumnCount> cells;
    // What the file was when it was listed; Delete leaves it alone if it changed since.
    std::optional<FileIdentity> identity;
};

// Told about changes so a view can follow in batches.
class ResultsListener {
public:
    virtual ~ResultsListener() = default;
    virtual void rowCountChanged(int /*oldCount*/, int /*newCount*/) {}
    virtual void cleared() {}
    virtual void cellChanged(int /*row*/, int /*column*/) {}
};

class ResultsTable {
public:
    ResultsTable() { ClearResultsGrid(); }

    void setListener(ResultsListener* listener) { listener_ = listener; }

    // Rows including the header (the grid's RowCount).
    int rowCount() const { return int(rows_.size()) + 1; }
    void setRowCount(int count);
    const std::string& cell(int row, int column) const;
    void setCell(int row, int column, std::string text);
    const ResultRow& row(int r) const { return rows_[size_t(r - 1)]; }

    // Empties the grid: the header and one empty row.
    void ClearResultsGrid();

    // The one routine that adds a listed file: FoundCount + 1, row FoundCount written with the
    // name, "<folder>\" and the size text, marked "Yes"; `bytes` added to FoundBytes.
    void addFoundRow(AppState& state, std::string name, const std::string& folder, std::string sizeText,
                     uint64_t bytes, std::optional<FileIdentity> identity);

    // End of a listing: FoundCount + 3 rows; the total row FoundCount + 2 when something was
    // found. Returns the total size text ("" when nothing was found).
    std::string writeTotalRow(const AppState& state, char decimalSeparator);

    // asg1Click on the DELETE? cell of `row`: "No" becomes "Yes", anything else "No".
    void toggleMark(int row);

private:
    std::vector<ResultRow> rows_; // grid rows 1..rowCount-1
    ResultsListener* listener_ = nullptr;
};

} // namespace orvane::junk
