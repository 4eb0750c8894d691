#include "screens/Tffolders.h"
#include "support/FixedShellFolders.h"
#include "support/PrefixFixture.h"
#include "support/QtAppMain.h"
#include "support/RecordingSeams.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace orvane {
namespace {

struct FoldersScreen : ::testing::Test {
    test::PrefixFixture p;
    AppState state;
    test::RecordingDialogs dialogs;
    test::FixedShellFolders shell;
    int saves = 0;
    int helps = 0;
    std::vector<std::string> stored;
    std::unique_ptr<Tffolders> screen;

    void open()
    {
        test::qtApp();
        screen = std::make_unique<Tffolders>(TffoldersServices{
            state, dialogs, shell, p.fs, [this] { ++saves; },
            [this](const std::string& e) { stored.push_back(e); }, [this] { ++helps; }});
    }
    QPushButton* button(const char* name) { return screen->findChild<QPushButton*>(name); }
};

TEST_F(FoldersScreen, ShowsTheSixPathsReadOnly)
{
    state.paths = {"C:\\Cache", "C:\\Hist", "C:\\Cookies", "C:\\Moz\\cache", "C:\\Moz", "C:\\Bin", "", ""};
    open();
    EXPECT_EQ(screen->windowTitle(), "Temp folders path");
    const char* expected[] = {"C:\\Cache", "C:\\Hist", "C:\\Cookies", "C:\\Bin", "C:\\Moz\\cache", "C:\\Moz"};
    for (int i = 0; i < Tffolders::FieldCount; ++i) {
        EXPECT_EQ(screen->field(i)->text().toStdString(), expected[i]);
        EXPECT_TRUE(screen->field(i)->isReadOnly());
    }
}

TEST_F(FoldersScreen, BrowsingWarnsSetsSavesAndStores)
{
    state.paths.recycleBin = "C:\\Old";
    open();
    dialogs.folderAnswers.push_back(std::string("C:\\NewBin"));
    button("Button4")->click();
    ASSERT_EQ(dialogs.texts("message").size(), 1u);
    EXPECT_EQ(dialogs.texts("message")[0], BrowseWarningText);
    EXPECT_EQ(screen->field(3)->text(), "C:\\NewBin");
    EXPECT_EQ(state.paths.recycleBin, "C:\\NewBin");
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(stored, (std::vector<std::string>{"lxC:\\NewBin"}));

    // Cancelled: path unchanged, still saved and recorded again.
    button("Button4")->click();
    EXPECT_EQ(state.paths.recycleBin, "C:\\NewBin");
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(stored.back(), "lxC:\\NewBin");

    // The cookies folder has no key: used, never stored.
    dialogs.folderAnswers.push_back(std::string("C:\\MyCookies"));
    const size_t before = stored.size();
    button("Button3")->click();
    EXPECT_EQ(state.paths.ieCookies, "C:\\MyCookies");
    EXPECT_EQ(stored.size(), before);
}

TEST_F(FoldersScreen, AutoDetectFillsTheFieldsWithTheLastCandidate)
{
    p.mkdir("C:\\RECYCLER");
    p.mkdir("C:\\$Recycle.Bin");
    shell.folders = {{CsidlInternetCache, "C:\\Cache"}};
    open();
    button("AutoDetect")->click();
    EXPECT_EQ(screen->field(0)->text(), "C:\\Cache");
    EXPECT_EQ(screen->field(3)->text(), "C:\\$Recycle.Bin");
    EXPECT_EQ(stored.back(), "lxC:\\$Recycle.Bin");
}

TEST_F(FoldersScreen, F1OpensTheHelpPage)
{
    open();
    QTest::keyClick(screen.get(), Qt::Key_F1);
    EXPECT_EQ(helps, 1);
}

} // namespace
} // namespace orvane
