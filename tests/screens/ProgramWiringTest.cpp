// The running program's wiring on its own prefix: registry prepared before the window, folder
// paths detected at start-up, the junk cleaner on the Search and Delete buttons, the shredder
// kept for the whole run behind its tool label.
#include "ShellFixture.h"

#include "platform/OwnPrefix.h"
#include "platform/OwnRegistry.h"
#include "screens/ProgramServices.h"
#include "support/TempDir.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace orvane::test {
namespace {

class ProgramWiring : public ::testing::Test {
protected:
    ProgramWiring()
    {
        qtApp();
        ::setenv("XDG_DATA_HOME", (dir / "xdg").c_str(), 1); // the Trash stays in the test folder
        std::filesystem::create_directories(dir / "home");
        std::filesystem::copy_file(std::string(ORVANE_SOURCE_DATA_DIR) + "/config.TXT", dir / "home/config.TXT");
        EXPECT_TRUE(createOwnPrefix(root, "tester").ok());
        EXPECT_TRUE(reg::createOwnRegistry(root, "tester").ok());
    }

    std::unique_ptr<Tfdrav> start(ProgramServices& services)
    {
        auto window = std::make_unique<Tfdrav>(TfdravServices{dir / "home", services.drives, dialogs, desktop, 'C',
                                                              services.startupFolderDetection(dialogs)});
        attachTools(*window, services);
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->isVisible() && window->isEnabled(); }, 3000));
        return window;
    }

    TempDir dir;
    std::string root = dir / "home/prefix";
    RecordingDialogs dialogs;
    RecordingDesktop desktop;
};

TEST_F(ProgramWiring, OwnPrefixStartsWithEquivalentsAndDetectedFolders)
{
    const std::string systemReg = readFile(root + "/system.reg");
    ProgramServices services(ProgramFolder(dir / "home"), root);
    EXPECT_TRUE(services.registry->problems().empty());
    ASSERT_EQ(services.equivKeys.size(), 3u);
    EXPECT_EQ(services.equivKeys[0], "HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES");

    auto window = start(services);
    EXPECT_EQ(window->state().paths.ieCache,
              "C:\\Users\\tester\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files");
    EXPECT_EQ(window->state().paths.windows, "C:\\Windows");
    const std::string config = readFile(dir / "home/config.TXT");
    EXPECT_NE(config.find("ieC:\\Users\\tester\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files\r\n"),
              std::string::npos);
    EXPECT_TRUE(dialogs.calls.empty());
    window.reset();
    EXPECT_EQ(readFile(root + "/system.reg"), systemReg); // the probes left nothing behind
}

TEST_F(ProgramWiring, SearchAndDeleteCleanJunkOnDriveC)
{
    const std::string junk = dir.write("home/prefix/drive_c/work/old.tmp", std::string(3000, 'x'));
    const std::string kept = dir.write("home/prefix/drive_c/work/report.txt", "keep");
    ProgramServices services(ProgramFolder(dir / "home"), root);
    auto window = start(services);

    auto* search = window->findChild<QPushButton*>(QStringLiteral("BitBtnWithColor5"));
    ASSERT_TRUE(search && search->isEnabled());
    search->click();
    const QAbstractItemModel* grid = window->resultsGrid()->model();
    ASSERT_GE(grid->rowCount(), 2); // header-less rows: the file, then the total
    EXPECT_EQ(grid->index(0, 0).data().toString(), QStringLiteral("old.tmp"));
    EXPECT_EQ(grid->index(0, 1).data().toString(), QStringLiteral("C:\\work\\"));

    ASSERT_TRUE(window->deleteButton()->isEnabled());
    window->deleteButton()->click();
    EXPECT_FALSE(hostExists(junk));
    EXPECT_TRUE(hostExists(kept));
    EXPECT_GT(window->state().recoveredKB, 2.0);
}

TEST_F(ProgramWiring, ShredderLabelShowsTheOneShredderWindow)
{
    ProgramServices services(ProgramFolder(dir / "home"), root);
    auto window = start(services);
    QWidget* shredder = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QStringLiteral("FWipe"))
            shredder = top;
    ASSERT_NE(shredder, nullptr);
    EXPECT_FALSE(shredder->isVisible());
    QWidget* label = window->findChild<QWidget*>(QStringLiteral("Label12")); // "Shredder"
    ASSERT_NE(label, nullptr);
    ASSERT_TRUE(label->isEnabled());
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_TRUE(shredder->isVisible());
}

} // namespace
} // namespace orvane::test
