#pragma once
// The results grid asg1 as a Qt model over the junk ResultsTable. Rows added by a scan reach
// the view in batches (sync()), so 100,000 rows stay fast.

#include "junk/ResultsTable.h"

#include <QAbstractTableModel>

namespace orvane {

class JunkResultsModel : public QAbstractTableModel, private junk::ResultsListener {
    Q_OBJECT
public:
    explicit JunkResultsModel(junk::ResultsTable& table, QObject* parent = nullptr);
    ~JunkResultsModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the view about rows and cells changed since the last call.
    void sync();
    // asg1Click: a selection that starts in the DELETE? column flips its top row's mark.
    void clickAt(int topRow, int leftColumn);

    junk::ResultsTable& table() { return table_; }

private:
    void rowCountChanged(int oldCount, int newCount) override;
    void cleared() override;
    void cellChanged(int row, int column) override;

    junk::ResultsTable& table_;
    int shownRows_ = 0;       // data rows the view knows about
    bool resetPending_ = false;
    int dirtyFirst_ = -1;     // model rows changed but not yet announced
    int dirtyLast_ = -1;
};

} // namespace orvane
