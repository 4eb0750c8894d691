// The main window's controls: pattern boxes and the shared state, delete mode, drive box,
// help and links through the desktop seam, hover effect, tool hooks, the text table.
#include "ShellFixture.h"

#include "app/Texts.h"

#include "app/PatternBoxes.h"
#include "screens/AboutDialog.h"
#include "screens/TfdravTexts.h"
#include "screens/ToolLabel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace orvane::test {
namespace {

TEST(Tfdrav, EveryControlCarriesItsComponentName)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    for (const char* name :
         {"asg1", "DCB1", "Edit3", "Edit2", "URLLabel3", "BitBtnWithColor5", "bwc10", "BitBtnWithColor9", "BitBtnWithColor11",
          "BitBtnWithColor8", "BitBtnWithColor12", "BitBtnWithColor7", "Label4", "Label16", "UrlLabel1", "URLLabel4", "Image1",
          "Image3", "Image12", "Deletefiles1", "SenddeletedfilestoRecycledbin1", "ViewSetCleanFolders1", "ac1", "About2",
          "About1", "Support1", "Update1", "AutoUpdate1", "Website1", "Deutsch1", "Dutch1", "English1", "Espanol1",
          "Francais1", "Italiano1", "Norwegian1", "Portugues1", "Close1", "options1", "HELP1", "Idiom1", "Timer3",
          "CheckBox26"})
        EXPECT_NE(w->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    for (const PatternBox& box : patternBoxes) {
        auto* check = w->findChild<QCheckBox*>(QString::fromUtf8(box.component.data(), qsizetype(box.component.size())));
        ASSERT_NE(check, nullptr) << box.component;
        EXPECT_EQ(check->text().toStdString(), box.caption);
        EXPECT_EQ(check->focusPolicy(), Qt::NoFocus);
    }
    auto* grid = w->resultsGrid();
    ASSERT_EQ(grid->model()->columnCount(), 4);
    QStringList headers;
    for (int c = 0; c < 4; ++c)
        headers << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{"NAME", "PATH", "SIZE", "DELETE?"}));
    EXPECT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(w->statusLine()->text(), QStringLiteral("              System Cleaner"));
    EXPECT_EQ(w->fileCountLabel()->text(), QStringLiteral("Files  :  0"));
}

TEST(Tfdrav, WorkNotYetPluggedInIsDisabledThenEnabledByItsHandler)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    for (const char* name : {"BitBtnWithColor5", "bwc10", "BitBtnWithColor9", "BitBtnWithColor11", "BitBtnWithColor8",
                             "BitBtnWithColor12", "BitBtnWithColor7"})
        EXPECT_FALSE(w->findChild<QPushButton*>(name)->isEnabled()) << name;
    for (const char* name : {"ViewSetCleanFolders1", "ac1", "AutoUpdate1"})
        EXPECT_FALSE(w->findChild<QAction*>(name)->isEnabled()) << name;
    EXPECT_FALSE(w->findChild<QAction*>("ac1")->isChecked());

    int searches = 0, deletes = 0, folders = 0;
    w->setCommandHandler("BitBtnWithColor5", [&] { ++searches; });
    w->setCommandHandler("bwc10", [&] { ++deletes; });
    w->setCommandHandler("ViewSetCleanFolders1", [&] { ++folders; });
    auto* search = w->findChild<QPushButton*>("BitBtnWithColor5");
    EXPECT_TRUE(search->isEnabled());
    EXPECT_FALSE(w->deleteButton()->isEnabled()); // the search enables it when it has listed files
    search->click();
    w->findChild<QAction*>("ViewSetCleanFolders1")->trigger();
    w->deleteButton()->setEnabled(true);
    w->deleteButton()->click();
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(folders, 1);
    EXPECT_EQ(deletes, 1);
}

TEST(Tfdrav, PatternBoxesFollowTheSharedStateBothWays)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    auto* log = w->findChild<QCheckBox*>("CheckBox2");
    EXPECT_TRUE(w->state().ticked(Pattern::Log));
    QTest::mouseClick(log, Qt::LeftButton, {}, QPoint(6, log->height() / 2));
    EXPECT_FALSE(log->isChecked());
    EXPECT_FALSE(w->state().ticked(Pattern::Log));
    // Ticking saves nothing by itself; closing the window does.
    EXPECT_NE(readFile(f.file("config.TXT")).find("l*1"), std::string::npos);
    w->close();
    EXPECT_NE(readFile(f.file("config.TXT")).find("l*0\r\n"), std::string::npos);

    w->state().patterns.fill(false);
    w->state().deadLinks = true;
    w->syncFromState();
    for (const PatternBox& box : patternBoxes)
        EXPECT_FALSE(w->findChild<QCheckBox*>(QString::fromUtf8(box.component.data()))->isChecked()) << box.component;
    EXPECT_TRUE(w->findChild<QCheckBox*>("CheckBox26")->isChecked());
    EXPECT_TRUE(w->findChild<QCheckBox*>("CheckBox26")->isHidden());
}

TEST(Tfdrav, ChoosingEitherDeleteModeItemSwitchesTheMode)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    auto* disk = w->findChild<QAction*>("Deletefiles1");
    auto* bin = w->findChild<QAction*>("SenddeletedfilestoRecycledbin1");
    disk->trigger(); // the already checked item
    EXPECT_FALSE(w->state().deleteFromDisk);
    EXPECT_FALSE(disk->isChecked());
    EXPECT_TRUE(bin->isChecked());
    EXPECT_NE(readFile(f.file("config.TXT")).find("r*1\r\n"), std::string::npos);
    bin->trigger();
    EXPECT_TRUE(w->state().deleteFromDisk);
    EXPECT_TRUE(disk->isChecked());
    EXPECT_FALSE(bin->isChecked());
    EXPECT_NE(readFile(f.file("config.TXT")).find("r*0\r\n"), std::string::npos);
}

TEST(Tfdrav, PickingAnotherDriveClearsTheGridAndDisablesDelete)
{
    ShellFixture f;
    f.prefix.addDriveFolder('D');
    auto w = f.makeShownWindow('C');
    auto* box = w->findChild<QComboBox*>("DCB1");
    ASSERT_EQ(box->count(), 2);
    EXPECT_TRUE(box->itemText(0).startsWith("C:"));
    auto* model = qobject_cast<QStandardItemModel*>(w->resultsGrid()->model());
    model->setRowCount(3);
    model->setItem(0, 0, new QStandardItem("a.tmp"));
    w->deleteButton()->setEnabled(true);
    box->setCurrentIndex(1);
    EXPECT_EQ(w->state().currentDriveLetter, 'D');
    EXPECT_FALSE(w->deleteButton()->isEnabled());
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->item(0, 0), nullptr);

    int cleared = 0;
    w->setClearResultsGrid([&] { ++cleared; });
    box->setCurrentIndex(0);
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(w->state().currentDriveLetter, 'C');
}

TEST(Tfdrav, HelpLegendAndLinksOpenThroughTheDesktop)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    const std::string help = "doc:" + f.file("tavrel.htm");
    QTest::keyClick(w->resultsGrid(), Qt::Key_A);
    EXPECT_TRUE(f.desktop.opened.empty());
    QTest::keyClick(w->resultsGrid(), Qt::Key_F1);
    ASSERT_EQ(f.desktop.opened, std::vector<std::string>{help});
    QWidget elsewhere; // another window's F1 is not ours
    QTest::keyClick(&elsewhere, Qt::Key_F1);
    ASSERT_EQ(f.desktop.opened.size(), 1u);

    f.desktop.opened.clear();
    w->findChild<QAction*>("About2")->trigger();
    QTest::mouseClick(w->findChild<QLabel*>("Label16"), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QLabel*>("Label4"), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QLabel*>("URLLabel4"), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QLabel*>("UrlLabel1"), Qt::LeftButton);
    w->findChild<QAction*>("Support1")->trigger();
    w->findChild<QAction*>("Website1")->trigger();
    ASSERT_EQ(f.desktop.opened.size(), 7u);
    EXPECT_EQ(f.desktop.opened[0], help);
    EXPECT_EQ(f.desktop.opened[1], help);
    EXPECT_EQ(f.desktop.opened[2], "doc:" + f.file("Legend.txt"));
    EXPECT_TRUE(f.desktop.opened[3].starts_with("mail:") && f.desktop.opened[3].ends_with("?contact us"));
    EXPECT_TRUE(f.desktop.opened[4].starts_with("url:https://"));
    EXPECT_TRUE(f.desktop.opened[5].ends_with("?Support Orvane"));
    EXPECT_EQ(f.desktop.opened[6], f.desktop.opened[4]);
}

TEST(Tfdrav, AboutDialogShowsNameAndVersionAndF1OpensHelp)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    w->findChild<QAction*>("About1")->trigger();
    auto* about = w->findChild<AboutDialog*>();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->findChild<QLabel*>("ProductName")->text(), QStringLiteral("Orvane"));
    EXPECT_EQ(about->findChild<QLabel*>("Version")->text(), QStringLiteral("9.0"));
    QTest::keyClick(about, Qt::Key_F1);
    EXPECT_EQ(f.desktop.opened, std::vector<std::string>{"doc:" + f.file("tavrel.htm")});
    about->findChild<QPushButton*>("OKButton")->click();
    EXPECT_FALSE(about->isVisible());
}

TEST(Tfdrav, ToolLabelsDisabledUntilTheirScreenIsPluggedIn)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    auto* duplicate = w->findChild<ToolLabel*>("Label7");
    EXPECT_FALSE(duplicate->isEnabled());
    int opened = 0;
    w->setToolHandler(int(Tool::Duplicate), [&] { ++opened; });
    EXPECT_TRUE(duplicate->isEnabled());
    QTest::mouseClick(duplicate, Qt::LeftButton);
    w->statusLine()->setText("busy");
    QTest::mouseClick(w->findChild<ToolLabel*>("Image5"), Qt::LeftButton); // its picture
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(w->statusLine()->text(), QStringLiteral("              System Cleaner")); // panel refreshed
    EXPECT_FALSE(w->findChild<ToolLabel*>("Label3")->isEnabled());
}

TEST(Tfdrav, HoverTurnsCaptionsBlueThenBlackWhateverTheyWere)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    w->setToolHandler(int(Tool::Duplicate), [] {});
    for (const char* name : {"Label7", "Label4"}) {
        auto* label = w->findChild<ToolLabel*>(name);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(label, &enter);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::blue)) << name;
        EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(label, &leave);
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black)) << name;
        EXPECT_EQ(label->cursor().shape(), Qt::ArrowCursor);
    }
}

TEST(Tfdrav, TextTableNamesRealControlsAndCoversEveryLanguage)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    for (const TextRow& row : tfdravTexts()) {
        EXPECT_NE(w->findChild<QObject*>(QString::fromUtf8(row.objectName.data(), qsizetype(row.objectName.size()))), nullptr)
            << row.objectName;
        for (size_t i = 0; i < row.texts.size(); ++i)
            EXPECT_FALSE(row.texts[i].empty()) << row.objectName << " language " << i + 1;
    }
    // A value outside 1..8 sets nothing.
    w->chooseLanguage(Italian);
    applyLanguage(w.get(), tfdravTexts(), 0);
    applyLanguage(w.get(), tfdravTexts(), 9);
    EXPECT_EQ(w->findChild<QPushButton*>("bwc10")->text(), QStringLiteral("Cancellare i file inutili"));
    // Idiom items keep their captions in every language.
    EXPECT_EQ(w->findChild<QAction*>("Espanol1")->text(), QStringLiteral("Espanol"));
}

// The rows whose wording is fixed in every language, exactly as the program has always shown them
// (odd spellings included), and the tool row's hints and colours, which never change.
TEST(Tfdrav, FixedTextsInEveryLanguageAndToolRowHintsAndColours)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    struct Row {
        const char* name;
        std::array<const char*, 8> texts; // LanguageIndex 1..8
    };
    const Row rows[] = {
        {"BitBtnWithColor5", {"&Search for junk files", "&Busque arquivos desnecessários", "Chercher des dossiers inutilese",
                              "Busque para archivos innecesarios", "Cercare i file inutili", "Zoek naar onnodige bestanden",
                              "&Suchen Sie unnötige Dateien", "&Let etter unødvendig arkiver"}},
        {"bwc10", {"De&lete junk files", "De&lete arquivos desnecessários", "Effacer des dossiers inutiles",
                   "Borre archivos innecesarios", "Cancellare i file inutili", "Schrap onnodige bestanden",
                   "Löschen Sie unnötige Dateien", "Stryk unødvendig arkiver"}},
        {"Label7", {"Duplicate", "Duplicados", "Duouble", "Duplicados", "Duplicato", "Duplicaat", "Kopie", "Duplikat"}},
        {"Idiom1", {"&Idiom", "&Idioma", "Idiotisme", "&Idioma", "&Idioma", "&De idiomatische", "&Redewendung", "&Idiom"}},
        {"Close1", {"&Close", "&Fechar", "Fin", "&Cierre", "Vicino", "&Sluit", "&Schließen Sie", "&Stenger"}},
        {"Deletefiles1", {"Shred - &Delete files from disk", "&Delete arquivos do disco", "&Effacer des dossiers du disque",
                          "Borre los archivos del disco", "Cancellare i file dal disco", "&Schrap bestanden van schijf",
                          "&Löschen Sie Akten von Scheibe", "&Stryker arkiver fra skive"}},
        {"Label10", {"Winclean", "Softclean", "Softclean", "Softclean", "Softclean", "Softclean", "Softclean", "Softclean"}},
        {"Label8", {"Tools", "Info", "Info", "Info", "Info", "Info", "Info", "Info"}},
    };
    auto shown = [&w](const char* name) {
        QObject* o = w->findChild<QObject*>(QString::fromLatin1(name));
        if (auto* b = qobject_cast<QPushButton*>(o))
            return b->text();
        if (auto* l = qobject_cast<QLabel*>(o))
            return l->text();
        if (auto* m = qobject_cast<QMenu*>(o))
            return m->title();
        if (auto* a = qobject_cast<QAction*>(o))
            return a->text();
        return QString();
    };
    for (int language = 8; language >= 1; --language) {
        w->chooseLanguage(language);
        for (const Row& row : rows)
            EXPECT_EQ(shown(row.name), QString::fromUtf8(row.texts[size_t(language - 1)])) << row.name << " " << language;
    }
    // English, the last one chosen: the rows given only in English.
    const std::pair<const char*, const char*> english[] = {
        {"BitBtnWithColor9", "Empty Windows Tem&porary folder"}, {"BitBtnWithColor8", "Clear R&ecent openned list"},
        {"BitBtnWithColor11", "Empty browser &Cache"}, {"BitBtnWithColor12", "Empty browser &History"},
        {"BitBtnWithColor7", "Empty Rec&ycle Bin"}, {"Label4", "Legend"}, {"Label3", "Graphs"}, {"Label9", "Immunize"},
        {"Label11", "PC errors"}, {"Label12", "Shredder"}, {"options1", "Optio&ns"}, {"Support1", "Suppo&rt"},
        {"Update1", "&Update"}, {"HELP1", "&Help"}, {"SenddeletedfilestoRecycledbin1", "&Send deleted files to recycle bin"},
        {"ViewSetCleanFolders1", "&View/Set folders path"}, {"ac1", "&Automatic clean IE cache(browser exit)"},
        {"AutoUpdate1", "&Check for updates"}, {"Website1", "&Website"}, {"About2", "Help&Topics"}, {"About1", "&About"},
    };
    for (const auto& [name, text] : english)
        EXPECT_EQ(shown(name), QString::fromLatin1(text)) << name;

    struct Tool {
        const char* label;
        QColor colour;
        const char* hint;
    };
    const Tool tools[] = {
        {"Label3", QColor(0, 0, 255), "View DIsk Graphics and Stats"},
        {"Label7", QColor(0, 128, 0), "Perform duplicate files search "},
        {"Label12", QColor(255, 0, 0), "File shredder"},
        {"Label11", QColor(0, 0, 255), "Registry cleaner"},
        {"Label9", QColor(255, 0, 0), "Block spyware and trojans"},
        {"Label10", QColor(0, 0, 255), "Clean items in popular sofatwares"},
        {"Label8", QColor(0, 128, 0), "Disk Information and System info"},
    };
    for (const Tool& tool : tools) {
        auto* label = w->findChild<QLabel*>(QString::fromLatin1(tool.label));
        ASSERT_NE(label, nullptr) << tool.label;
        EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText), tool.colour) << tool.label;
        EXPECT_EQ(label->toolTip(), QString::fromLatin1(tool.hint)) << tool.label;
    }
}

TEST(Tfdrav, ActivationAppliesTheCurrentLanguageAgain)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    w->state().languageIndex = Norwegian; // as another screen could set it
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    EXPECT_EQ(w->findChild<QPushButton*>("bwc10")->text(), QStringLiteral("Stryk unødvendig arkiver"));
    EXPECT_EQ(readFile(f.file("idiom.txt")), "\r\n8\r\n");
}

TEST(Tfdrav, RecoveredLineShowsMegabytesAndResetsTheStatusLine)
{
    ShellFixture f;
    auto w = f.makeShownWindow();
    w->statusLine()->setText("working");
    w->state().recoveredKB = 1536;
    w->RefreshRecovered();
    const QString text = w->findChild<QLineEdit*>("Edit2")->text();
    EXPECT_TRUE(text == "Disk Space Recovered:    1.50 Mb  " || text == "Disk Space Recovered:    1,50 Mb  ")
        << text.toStdString();
    EXPECT_EQ(w->statusLine()->text(), QStringLiteral("              System Cleaner"));
}

TEST(LanguageApplier, SetsOnlyItsOwnWindowsObjects)
{
    qtApp();
    QWidget window;
    QDialog dialog(&window); // made first, so a plain search would meet its button first
    auto* theirs = new QPushButton("theirs", &dialog);
    theirs->setObjectName("Button1");
    auto* page = new QWidget(&window);
    auto* ours = new QPushButton("ours", page);
    ours->setObjectName("Button1");
    const TextRow rows[] = {{"Button1", {"Go", "Ir", "Aller", "Ir", "Vai", "Ga", "Los", "Gå"}}, {"Missing", {"x"}}};
    applyLanguage(&window, rows, French);
    EXPECT_EQ(ours->text(), QStringLiteral("Aller"));
    EXPECT_EQ(theirs->text(), QStringLiteral("theirs"));
    applyLanguage(&window, rows, 9);
    EXPECT_EQ(ours->text(), QStringLiteral("Aller"));
}

} // namespace
} // namespace orvane::test
