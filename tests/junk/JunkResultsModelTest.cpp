#include "screens/JunkResultsModel.h"
#include "support/QtAppMain.h"

#include <QElapsedTimer>
#include <QFont>
#include <QTableView>

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(JunkResultsModel, ColoursFontsAndTheYellowNo)
{
    test::qtApp();
    AppState state;
    junk::ResultsTable table;
    JunkResultsModel model(table);
    table.addFoundRow(state, "No", "C:", "1 KB", 0, std::nullopt);
    table.addFoundRow(state, "a.tmp", "C:", "1 KB", 0, std::nullopt);
    model.sync();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "DELETE?");
    for (int c = 0; c < junk::ColumnCount; ++c) {
        EXPECT_EQ(model.headerData(c, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));
        EXPECT_EQ(model.headerData(c, Qt::Horizontal, Qt::BackgroundRole).value<QBrush>().color(), QColor(30, 30, 30));
    }
    EXPECT_EQ(model.data(model.index(0, 0), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
    EXPECT_EQ(model.data(model.index(0, 1), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
    EXPECT_EQ(model.data(model.index(0, 2), Qt::ForegroundRole).value<QBrush>().color(), QColor(0, 102, 0));
    EXPECT_EQ(model.data(model.index(0, 3), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::blue));
    EXPECT_TRUE(model.data(model.index(0, 3), Qt::FontRole).value<QFont>().underline());
    EXPECT_EQ(model.data(model.index(0, 0), Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::yellow));
    EXPECT_EQ(model.data(model.index(1, 0), Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));
    EXPECT_EQ(model.data(model.index(1, 1), Qt::DisplayRole).toString(), "C:\\");

    model.clickAt(1, 3);
    EXPECT_EQ(model.data(model.index(1, 3), Qt::DisplayRole).toString(), "No");
    EXPECT_EQ(model.data(model.index(1, 3), Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::yellow));
    model.clickAt(1, 2); // another column: nothing
    EXPECT_EQ(model.data(model.index(1, 3), Qt::DisplayRole).toString(), "No");
    model.clickAt(1, 3);
    EXPECT_EQ(model.data(model.index(1, 3), Qt::DisplayRole).toString(), "Yes");
    // Names that are not valid UTF-8 are shown replaced, not dropped.
    table.setCell(1, 0, "caf\xff.tmp");
    EXPECT_TRUE(model.data(model.index(0, 0), Qt::DisplayRole).toString().startsWith("caf"));
}

TEST(JunkResultsModel, AHundredThousandRowsReachTheGridQuickly)
{
    test::qtApp();
    AppState state;
    junk::ResultsTable table;
    JunkResultsModel model(table);
    QTableView view;
    view.setModel(&model);
    view.resize(900, 300);
    view.show();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 100000; ++i) {
        table.addFoundRow(state, "file" + std::to_string(i) + ".tmp", "C:\\Some\\Folder", "1 KB", 10, std::nullopt);
        if (i % 4096 == 0) // what the scan's pump does
            model.sync();
    }
    table.writeTotalRow(state, '.');
    model.sync();
    view.scrollToBottom();
    QApplication::processEvents();
    const qint64 ms = timer.elapsed();
    std::printf("[ figure ] 100000 rows listed and shown in the grid: %lld ms\n", static_cast<long long>(ms));
    EXPECT_EQ(model.rowCount(), 100002);
    EXPECT_EQ(model.data(model.index(100001, 0), Qt::DisplayRole).toString(), "Total space :");
    EXPECT_LT(ms, 5000);
    table.ClearResultsGrid();
    model.sync();
    EXPECT_EQ(model.rowCount(), 1);
}

} // namespace
} // namespace orvane
