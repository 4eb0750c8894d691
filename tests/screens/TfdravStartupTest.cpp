// Start-up of the main window: the order of FormCreate, the window created disabled and hidden
// and shown by Timer3, the settings and language files met at start-up.
#include "ShellFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/Texts.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orvane::test {
namespace {

QString text(Tfdrav& w, const char* name)
{
    QObject* o = w.findChild<QObject*>(QString::fromLatin1(name));
    if (auto* b = qobject_cast<QPushButton*>(o))
        return b->text();
    if (auto* a = qobject_cast<QAction*>(o))
        return a->text();
    if (auto* l = qobject_cast<QLabel*>(o))
        return l->text();
    return {};
}

std::vector<std::string> checkedIdiomItems(Tfdrav& w)
{
    std::vector<std::string> checked;
    for (const char* name : {"Deutsch1", "Dutch1", "English1", "Espanol1", "Francais1", "Italiano1", "Norwegian1", "Portugues1"})
        if (w.findChild<QAction*>(QString::fromLatin1(name))->isChecked())
            checked.push_back(name);
    return checked;
}

TEST(TfdravStartup, CreatedDisabledAndHiddenThenShownByTimer3)
{
    ShellFixture f;
    f.writeFile("idiom.txt", "keep me\r\n7\r\n");
    auto w = f.makeWindow();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->isEnabled());
    // Everything of FormCreate has run before the window shows.
    EXPECT_EQ(text(*w, "BitBtnWithColor5"), QStringLiteral("&Suchen Sie unnötige Dateien"));
    EXPECT_EQ(checkedIdiomItems(*w), std::vector<std::string>{"Deutsch1"});
    EXPECT_EQ(w->findChild<QLineEdit*>("Edit2")->text(), QStringLiteral("Disk Space Recovered:    0.00 Mb  "));
    EXPECT_TRUE(std::filesystem::exists(f.file("drivesizes.txt")));
    EXPECT_EQ(w->state().currentDriveLetter, 'C');
    EXPECT_TRUE(f.dialogs.calls.empty());

    QTRY_VERIFY_WITH_TIMEOUT(w->isVisible(), 3000);
    EXPECT_TRUE(w->isEnabled());
    EXPECT_FALSE(w->findChild<QTimer*>("Timer3")->isActive());
}

TEST(TfdravStartup, MeasuresDriveSizesOfFixedDrivesIntoTheDataFile)
{
    ShellFixture f;
    f.prefix.addDriveFolder('D');
    auto w = f.makeWindow();
    const auto kept = StartupDriveSizes::load(f.file("drivesizes.txt"));
    EXPECT_EQ(kept.entries(), w->startupDriveSizes().entries());
    for (char letter : {'C', 'D'}) {
        ASSERT_TRUE(kept.find(letter).has_value()) << letter;
        const auto space = f.drives.space(letter);
        ASSERT_TRUE(space.has_value());
        EXPECT_EQ(kept.find(letter)->totalMB, std::to_string(space->totalBytes / 1048576));
    }
}

TEST(TfdravStartup, MissingSettingsFileStopsStartUpWithTheDesignState)
{
    ShellFixture f;
    std::filesystem::remove(f.file("config.TXT"));
    f.writeFile("idiom.txt", "x\r\n7\r\n");
    auto w = f.makeWindow();
    ASSERT_EQ(f.dialogs.texts("error").size(), 1u);
    EXPECT_NE(f.dialogs.texts("error")[0].find("config.TXT"), std::string::npos);
    // Steps before the settings ran, those after did not: no language read, design texts.
    EXPECT_TRUE(std::filesystem::exists(f.file("drivesizes.txt")));
    EXPECT_EQ(text(*w, "BitBtnWithColor5"), QStringLiteral("&Search for junk files"));
    EXPECT_EQ(checkedIdiomItems(*w), std::vector<std::string>{"English1"});
    for (const char* box : {"ChB1", "CheckBox24", "CheckBox21"})
        EXPECT_TRUE(w->findChild<QCheckBox*>(box)->isChecked()) << box;
    EXPECT_FALSE(w->findChild<QCheckBox*>("CheckBox26")->isChecked());
    EXPECT_TRUE(w->findChild<QAction*>("Deletefiles1")->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(w->isVisible() && w->isEnabled(), 3000);
    // Activations keep the stored language that was never read; a choice keeps the first line.
    w->ApplyLanguage();
    EXPECT_EQ(readFile(f.file("idiom.txt")), "x\r\n7\r\n");
    w->chooseLanguage(French);
    EXPECT_EQ(readFile(f.file("idiom.txt")), "x\r\n3\r\n");
    EXPECT_EQ(text(*w, "Close1"), QStringLiteral("Fin"));
}

TEST(TfdravStartup, SettingsFileAppliedAndSavedBack)
{
    ShellFixture f;
    f.writeFile("config.TXT", "first\r\nc10 junk\r\nr*1\r\ne01\r\nieC:\\Cache\r\nieD:\\Other\r\n");
    auto w = f.makeWindow();
    EXPECT_FALSE(w->findChild<QCheckBox*>("ChB1")->isChecked());
    EXPECT_FALSE(w->state().ticked(Pattern::Tmp));
    EXPECT_TRUE(w->state().deadLinks);
    EXPECT_FALSE(w->findChild<QAction*>("Deletefiles1")->isChecked());
    EXPECT_TRUE(w->findChild<QAction*>("SenddeletedfilestoRecycledbin1")->isChecked());
    EXPECT_EQ(w->state().paths.ieCache, "C:\\Cache");
    EXPECT_EQ(readFile(f.file("config.TXT")), "first\r\nc10\r\nr*1\r\ne01\r\nieC:\\Cache\r\nieD:\\Other\r\n");
}

TEST(TfdravStartup, FolderPathsDetectedAfterTheSettingsAndBeforeTheLanguage)
{
    ShellFixture f;
    f.writeFile("config.TXT", "h\r\nieC:\\FromFile\r\n");
    f.writeFile("idiom.txt", "h\r\n7\r\n");
    std::string pathSeen;
    int languageSeen = 0;
    f.detectFolderPaths = [&](AppState& state, Settings& settings) {
        pathSeen = state.paths.ieCache;
        languageSeen = state.languageIndex;
        state.paths.ieCache = "C:\\FromShell";
        settings.StoreFolderPath("ieC:\\FromShell");
    };
    auto w = f.makeWindow();
    EXPECT_EQ(pathSeen, "C:\\FromFile");
    EXPECT_EQ(languageSeen, English); // idiom.txt is read after the folder paths
    EXPECT_EQ(w->state().languageIndex, German);
    EXPECT_EQ(w->state().paths.ieCache, "C:\\FromShell");
    EXPECT_EQ(readFile(f.file("config.TXT")), "h\r\nieC:\\FromShell\r\n");
    EXPECT_EQ(text(*w, "Close1"), QStringLiteral("&Schließen Sie")); // the language came after
}

TEST(TfdravStartup, LanguageEdgeCases)
{
    const struct {
        const char* name;
        const char* idiom; // nullptr: no idiom.txt
        QString searchText;
        std::vector<std::string> checked;
        std::string error;
        std::string idiomAfter;
    } cases[] = {
        {"no file: English", nullptr, "&Search for junk files", {"English1"}, "", "\r\n1\r\n"},
        {"Dutch, first line kept", "x\r\n6\r\n", "Zoek naar onnodige bestanden", {"Dutch1"}, "", "x\r\n6\r\n"},
        {"outside 1 to 8: texts kept, nothing checked", "x\r\n9\r\n", "&Search for junk files", {}, "", "x\r\n9\r\n"},
        {"not a number: the error, start-up stops", "x\r\nsix\r\n", "&Search for junk files", {"English1"},
         "'six' is not a valid integer value", "x\r\nsix\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShellFixture f;
        if (c.idiom)
            f.writeFile("idiom.txt", c.idiom);
        auto w = f.makeWindow();
        EXPECT_EQ(text(*w, "BitBtnWithColor5"), c.searchText);
        EXPECT_EQ(checkedIdiomItems(*w), c.checked);
        const auto errors = f.dialogs.texts("error");
        EXPECT_EQ(errors.empty() ? std::string() : errors[0], c.error);
        EXPECT_EQ(readFile(f.file("idiom.txt")), c.idiomAfter);
    }
}

TEST(TfdravStartup, ChosenLanguageSurvivesARestart)
{
    ShellFixture f;
    {
        auto w = f.makeWindow();
        EXPECT_EQ(text(*w, "Close1"), QStringLiteral("&Close"));
        w->findChild<QAction*>("Deutsch1")->trigger();
        EXPECT_EQ(text(*w, "Close1"), QStringLiteral("&Schließen Sie"));
        EXPECT_EQ(checkedIdiomItems(*w), std::vector<std::string>{"Deutsch1"});
        EXPECT_EQ(w->state().languageIndex, German);
    }
    auto again = f.makeWindow();
    EXPECT_EQ(text(*again, "Close1"), QStringLiteral("&Schließen Sie"));
    EXPECT_EQ(text(*again, "Label8"), QStringLiteral("Info"));
    EXPECT_EQ(text(*again, "Deletefiles1"), QStringLiteral("&Löschen Sie Akten von Scheibe"));
}

TEST(TfdravStartup, LanguageSaveFailureShownOnceNotOnEveryActivation)
{
    ShellFixture f;
    std::filesystem::create_directory(f.file("idiom.txt")); // cannot be written as a file
    auto w = f.makeWindow();
    w->ApplyLanguage();
    w->ApplyLanguage();
    EXPECT_EQ(f.dialogs.texts("error").size(), 1u);
    w->findChild<QAction*>("Francais1")->trigger();
    EXPECT_EQ(w->state().languageIndex, French); // kept although not saved
    EXPECT_EQ(text(*w, "Close1"), QStringLiteral("Fin"));
}

TEST(TfdravStartup, WindowPositionByScreenHeight)
{
    const QSize frame(940, 540);
    const struct {
        QRect screen;
        QPoint expected;
    } cases[] = {
        {QRect(0, 0, 800, 600), QPoint(0, 0)},
        {QRect(0, 0, 1024, 480), QPoint(0, 0)},
        {QRect(0, 0, 1024, 601), QPoint(42, 30)},
        {QRect(0, 0, 1920, 1080), QPoint(490, 270)},
        {QRect(1920, 0, 1920, 1080), QPoint(2410, 270)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tfdrav::startPosition(c.screen, frame), c.expected) << c.screen.height();
}

} // namespace
} // namespace orvane::test
