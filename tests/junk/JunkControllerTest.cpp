#include "platform/FreedesktopTrash.h"
#include "screens/JunkController.h"
#include "screens/JunkResultsModel.h"
#include "support/PrefixFixture.h"
#include "support/QtAppMain.h"
#include "support/RecordingSeams.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <filesystem>

namespace orvane {
namespace {

// A window with the main window's junk widgets, named as it names them.
struct JunkWindow : ::testing::Test {
    bool appReady = (test::qtApp(), true); // before any widget
    test::PrefixFixture p;
    AppState state;
    test::RecordingDialogs dialogs;
    std::string trashHome = p.dir.mkdir("trash");
    FreedesktopTrash trash{p.prefix, trashHome};
    QWidget window;
    QTableView* grid = nullptr;
    QPushButton* search = nullptr;
    QPushButton* remove = nullptr;
    QLineEdit* status = nullptr;
    QLabel* counter = nullptr;
    QLineEdit* recovered = nullptr;
    QCheckBox* tmpBox = nullptr;
    std::vector<std::string> stored;
    JunkController* controller = nullptr;
    std::function<void()> duringScan;

    void SetUp() override
    {
        test::qtApp();
        auto* layout = new QVBoxLayout(&window);
        auto add = [&](auto* w, const char* name) {
            w->setObjectName(name);
            layout->addWidget(w);
            return w;
        };
        status = add(new QLineEdit, "Edit3");
        grid = add(new QTableView, "asg1");
        search = add(new QPushButton("Search"), "BitBtnWithColor5");
        remove = add(new QPushButton("Delete"), "bwc10");
        counter = add(new QLabel, "URLLabel3");
        recovered = add(new QLineEdit, "Edit2");
        tmpBox = add(new QCheckBox("*.Tmp"), "ChB1");
        tmpBox->setChecked(true);
        window.resize(900, 500);
        window.show();
        std::filesystem::remove_all(p.host("C:\\Windows"));
        std::filesystem::remove_all(p.host("C:\\Users"));
        controller = new JunkController(&window, {state, p.fs, trash, dialogs,
                                                  [this](const std::string& e) {
                                                      stored.push_back(e);
                                                      if (duringScan)
                                                          duringScan();
                                                  },
                                                  nullptr});
    }
    int rowOf(const char* name)
    {
        for (int r = 0; r < controller->model()->rowCount(); ++r)
            if (controller->model()->index(r, 0).data().toString() == name)
                return r;
        return -1;
    }
    void clickCell(int row, int column)
    {
        const QRect rect = grid->visualRect(controller->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

TEST_F(JunkWindow, SearchListsReviewDeleteAndReport)
{
    const std::string a = p.write("C:\\D\\a.tmp", std::string(1536, 'x'));
    const std::string keep = p.write("C:\\D\\keep.old", "x");
    EXPECT_FALSE(remove->isEnabled());
    const int widths[] = {197, 498, 91, 80};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(grid->columnWidth(c), widths[c]) << "column " << c;
    EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(), 16);
    search->click();
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_EQ(state.foundCount, 2);
    EXPECT_EQ(controller->model()->rowCount(), 4);
    EXPECT_EQ(counter->text(), "files : 2");
    ASSERT_EQ(dialogs.texts("message").size(), 1u);
    EXPECT_EQ(dialogs.texts("message")[0],
              "Found 1.50   KB in  2 unnecessary, temporary and error files. (click delete button to remove it)");

    const int keepRow = rowOf("keep.old");
    ASSERT_GE(keepRow, 0);
    clickCell(keepRow, 3);
    EXPECT_EQ(controller->model()->index(keepRow, 3).data().toString(), "No");
    clickCell(keepRow, 1); // other columns change nothing
    EXPECT_EQ(controller->model()->index(keepRow, 3).data().toString(), "No");

    remove->click();
    EXPECT_FALSE(test::hostExists(a));
    EXPECT_TRUE(test::hostExists(keep));
    EXPECT_EQ(state.recoveredKB, 2);
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_EQ(status->text(), "----------- Disk garbage cleaned");
    EXPECT_EQ(counter->text(), " ");
    EXPECT_EQ(recovered->text().toStdString(), "Disk Space Recovered:    0.00 Mb  ");
    EXPECT_EQ(controller->model()->rowCount(), 1);
}

TEST_F(JunkWindow, ABoxUntickedOnTheWindowIsReadByTheScan)
{
    p.write("C:\\D\\a.tmp", "x");
    tmpBox->setChecked(false);
    search->click();
    EXPECT_EQ(state.foundCount, 0);
    EXPECT_EQ(controller->model()->rowCount(), 2);
}

TEST_F(JunkWindow, SearchAndDeleteAreRefusedWhileAScanRuns)
{
    p.write("C:\\D\\a.tmp", "x");
    p.mkdir("C:\\D\\Temporary Internet Files"); // recognised during the walk: our hook runs mid-scan
    int refusedInside = 0;
    duringScan = [&] {
        EXPECT_TRUE(controller->busy());
        search->click();
        EXPECT_FALSE(remove->isEnabled());
        controller->BB5Click(); // as a window routing its Delete command itself would
        refusedInside = int(dialogs.texts("warning").size());
    };
    search->click();
    EXPECT_EQ(refusedInside, 2);
    EXPECT_EQ(dialogs.texts("warning")[0], JunkBusyText);
    EXPECT_EQ(state.foundCount, 1);
    EXPECT_EQ(dialogs.texts("message").size(), 1u); // one search ran
    EXPECT_FALSE(controller->busy());
}

TEST_F(JunkWindow, FilesThatCouldNotBeRemovedAreReported)
{
    const std::string a = p.write("C:\\D\\a.tmp", "x");
    search->click();
    std::filesystem::remove(a);
    p.write("C:\\D\\a.tmp", "another file");
    remove->click();
    EXPECT_TRUE(test::hostExists(a));
    EXPECT_EQ(state.recoveredKB, 0);
    ASSERT_EQ(dialogs.texts("warning").size(), 1u);
    EXPECT_EQ(dialogs.texts("warning")[0].rfind("1 file could not be removed:", 0), 0u);
}

} // namespace
} // namespace orvane
