#include "app/Texts.h"
#include "platform/FileSystemKind.h"
#include "screens/TFwipe.h"
#include "screens/TFwipeList.h"
#include "shredder/TSWipe.h"
#include "support/PrefixFixture.h"
#include "support/RecordingSeams.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

QApplication& app()
{
    static int argc = 1;
    static char name[] = "shredder_screen_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

struct ScreenFixture {
    struct AppFirst {
        AppFirst() { app(); }
    } appFirst; // the application exists before any widget
    test::PrefixFixture p;
    test::RecordingDialogs dialogs;
    test::RecordingDesktop desktop;
    int language = English;
    TFwipe screen{p.fs, dialogs, desktop, language};

    QListWidget* list() { return screen.findChild<QListWidget*>("DnDListBox1"); }
    void addLines(const std::vector<std::string>& paths)
    {
        for (const auto& path : paths) {
            dialogs.fileAnswers.push_back({path});
            screen.SpeedButton1Click();
        }
    }
    QString text(const char* name)
    {
        QObject* o = screen.findChild<QObject*>(name);
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            return b->text();
        if (auto* l = qobject_cast<QLabel*>(o))
            return l->text();
        if (auto* g = qobject_cast<QGroupBox*>(o))
            return g->title();
        return {};
    }
};

TEST(TFwipe, MenuAdditionsSkipDuplicatesIgnoringCaseButDropsDoNot)
{
    ScreenFixture f;
    f.addLines({"C:\\Data\\a.txt", "c:\\data\\A.TXT", "C:\\Data\\b.txt", "C:\\Été.txt", "c:\\éTÉ.TXT"});
    f.dialogs.folderAnswers.push_back("C:\\Data");
    f.screen.btnDirectoryClick();
    f.dialogs.folderAnswers.push_back("c:\\DATA");
    f.screen.btnDirectoryClick();
    EXPECT_EQ(f.screen.lines(), (std::vector<std::string>{"C:\\Data\\a.txt", "C:\\Data\\b.txt", "C:\\Été.txt", "C:\\Data"}));
    EXPECT_EQ(f.dialogs.calls.back().title, "Select Directory to Wipe");

    // Several files picked in one dialog: each is added, with the same duplicate rule.
    ScreenFixture g;
    g.dialogs.fileAnswers.push_back({"C:\\x.txt", "C:\\y.txt", "c:\\X.TXT", ""});
    g.screen.SpeedButton1Click();
    EXPECT_EQ(g.screen.lines(), (std::vector<std::string>{"C:\\x.txt", "C:\\y.txt"}));

    // Two drops of the same file from a file manager: two lines, mapped to drive Z:.
    for (int i = 0; i < 2; ++i) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile("/tmp/dropped file.txt")});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        static_cast<TFwipeList*>(f.list())->dropEvent(&drop);
    }
    const auto lines = f.screen.lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4], "Z:\\tmp\\dropped file.txt");
    EXPECT_EQ(lines[5], lines[4]);

    // A name that is not valid UTF-8 keeps its bytes.
    QMimeData mime;
    mime.setUrls({QUrl(QStringLiteral("file:///tmp/caf%E9.txt"))});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    static_cast<TFwipeList*>(f.list())->dropEvent(&drop);
    EXPECT_EQ(f.screen.lines().back(), "Z:\\tmp\\caf\xE9.txt");
}

TEST(TFwipe, RemoveItemAndClearList)
{
    ScreenFixture f;
    f.addLines({"C:\\1", "C:\\2", "C:\\3"});
    f.list()->setCurrentRow(1);
    f.screen.SpeedButton3Click();
    EXPECT_EQ(f.screen.lines(), (std::vector<std::string>{"C:\\1", "C:\\3"}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    f.screen.SpeedButton4Click();
    EXPECT_TRUE(f.screen.lines().empty());
}

TEST(TFwipe, ShredBlanksDoneLinesAndAsksForFolders)
{
    for (bool yes : {true, false}) {
        SCOPED_TRACE(yes);
        ScreenFixture f;
        const std::string file = f.p.write("C:\\Data\\secret.txt", "secret");
        f.p.write("C:\\Tree\\Sub\\inner.txt", "inner");
        ::chmod(f.p.host("C:\\Tree").c_str(), 0555); // a read-only folder is still a folder
        f.addLines({"C:\\Data\\secret.txt", "C:\\Tree"});
        f.screen.appendDropped(""); // not on a drive: refused with a message, no line
        f.list()->insertItem(1, QString()); // an empty line, as a shredded one is
        f.list()->item(1)->setData(Qt::UserRole, QByteArray());
        f.dialogs.confirmAnswers.push_back(yes);
        f.screen.Button1Click();
        ::chmod(f.p.host("C:\\Tree").c_str(), 0755);
        EXPECT_EQ(f.dialogs.texts("confirm"), std::vector<std::string>{"Are You sure to Wipe C:\\Tree and it's subdirectory ?"});
        EXPECT_FALSE(test::hostExists(file));
        EXPECT_EQ(test::hostExists(f.p.host("C:\\Tree")), !yes);
        EXPECT_EQ(f.screen.lines(), (std::vector<std::string>{"", "", yes ? "" : "C:\\Tree"}));
        EXPECT_EQ(f.screen.findChild<QLineEdit*>("Edit2")->text(), "Status : Idle");
    }
}

TEST(TFwipe, FailuresKeepTheirLinesAndSayWhy)
{
    ScreenFixture f;
    const std::string busy = f.p.write("C:\\Data\\busy.txt", "held");
    const std::string target = f.p.write("C:\\Data\\target.txt", "target");
    std::filesystem::create_symlink(target, f.p.host("C:\\Data") + "/link.txt");
    const std::string after = f.p.write("C:\\Data\\after.txt", "after");
    const int holder = ::open(busy.c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    f.addLines({"C:\\Data\\gone.txt", "C:\\Data\\busy.txt", "C:\\Data\\link.txt", "C:\\Data\\after.txt"});
    f.screen.Button1Click();
    ::close(holder);
    EXPECT_EQ(f.dialogs.texts("message"), std::vector<std::string>{"File not found : C:\\Data\\gone.txt"});
    const auto errors = f.dialogs.texts("error");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], "Error opening C:\\Data\\busy.txt");
    EXPECT_NE(errors[1].find("C:\\Data\\link.txt is a symbolic link"), std::string::npos) << errors[1];
    EXPECT_EQ(test::readFile(busy), "held");
    EXPECT_EQ(test::readFile(target), "target");
    EXPECT_FALSE(test::hostExists(after));
    EXPECT_EQ(f.screen.lines(),
              (std::vector<std::string>{"C:\\Data\\gone.txt", "C:\\Data\\busy.txt", "C:\\Data\\link.txt", ""}));
}

TEST(TFwipe, ErrorInsideAFolderStopsTheRunAndListsWhatIsLeft)
{
    ScreenFixture f;
    const std::string busy = f.p.write("C:\\Tree\\busy.txt", "held");
    const std::string later = f.p.write("C:\\later.txt", "later");
    const int holder = ::open(busy.c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    f.addLines({"C:\\Tree", "C:\\later.txt"});
    f.screen.Button1Click();
    ::close(holder);
    const auto errors = f.dialogs.texts("error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("Error opening C:\\Tree\\busy.txt", 0), 0u) << errors[0];
    EXPECT_NE(errors[0].find("\nC:\\Tree\nC:\\later.txt"), std::string::npos) << errors[0];
    EXPECT_EQ(test::readFile(later), "later") << "the run stopped at the folder";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "cursor restored";
    EXPECT_EQ(f.screen.lines(), (std::vector<std::string>{"C:\\Tree", "C:\\later.txt"}));
}

TEST(TFwipe, CopyOnWriteFileSystemsAreWarnedAbout)
{
    for (bool goOn : {false, true}) {
        ScreenFixture f;
        f.screen.setFileSystemProbe([](const std::string&) { return std::optional<std::string>("btrfs"); });
        const std::string file = f.p.write("C:\\cow.txt", "x");
        f.addLines({"C:\\cow.txt"});
        f.dialogs.confirmAnswers.push_back(goOn);
        f.screen.Button1Click();
        const auto asked = f.dialogs.texts("confirm");
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_NE(asked[0].find("C:\\cow.txt  (btrfs)"), std::string::npos) << asked[0];
        EXPECT_EQ(test::hostExists(file), !goOn);
    }
    const struct {
        const char* name;
        bool unreliable;
    } kinds[] = {{"btrfs", true}, {"zfs", true}, {"xfs", true}, {"overlay", true}, {"nfs", true},
                 {"ext4", false}, {"tmpfs", false}, {"vfat", false}, {"unknown (0x1234)", false}};
    for (const auto& k : kinds)
        EXPECT_EQ(overwriteIsUnreliable(k.name), k.unreliable) << k.name;
    test::TempDir dir;
    EXPECT_TRUE(fileSystemName(dir.path()).has_value());
    EXPECT_FALSE(fileSystemName(dir / "missing").has_value());
}

TEST(TFwipe, MethodBoxStartsAtOnePassAndAppliesPerFile)
{
    ScreenFixture f;
    EXPECT_TRUE(f.screen.findChild<QAbstractButton*>("RadioGroup1Item0")->isChecked());
    f.screen.findChild<QAbstractButton*>("RadioGroup1Item2")->setChecked(true);
    f.p.write("C:\\seven.txt", "7");
    f.addLines({"C:\\seven.txt"});
    std::vector<QString> statuses;
    auto* status = f.screen.findChild<QLineEdit*>("Edit2");
    QObject::connect(status, &QLineEdit::textChanged, [&](const QString& t) { statuses.push_back(t); });
    f.screen.Button1Click();
    ASSERT_GE(statuses.size(), 8u);
    EXPECT_EQ(statuses[6], "Deleting file : C:\\seven.txt  Pass : 7");
    EXPECT_EQ(statuses.back(), "Status : Idle");
}

TEST(TFwipe, ListCommandsWaitWhileARunWorksThroughTheLines)
{
    ScreenFixture f;
    const std::string one = f.p.write("C:\\one.txt", "1");
    const std::string two = f.p.write("C:\\two.txt", "2");
    f.addLines({"C:\\one.txt", "C:\\two.txt"});
    bool poked = false;
    auto* status = f.screen.findChild<QLineEdit*>("Edit2");
    QObject::connect(status, &QLineEdit::textChanged, [&] {
        if (poked)
            return;
        poked = true; // what a user could click while the run pumps messages
        EXPECT_TRUE(f.screen.running());
        f.list()->setCurrentRow(1);
        f.screen.SpeedButton3Click();
        f.screen.SpeedButton4Click();
        f.screen.Button1Click();
        f.dialogs.fileAnswers.push_back({"C:\\added.txt"});
        f.screen.SpeedButton1Click(); // adding is fine; the run does not take it
    });
    f.screen.Button1Click();
    EXPECT_FALSE(test::hostExists(one));
    EXPECT_FALSE(test::hostExists(two));
    EXPECT_EQ(f.screen.lines(), (std::vector<std::string>{"", "", "C:\\added.txt"}));
    EXPECT_TRUE(f.dialogs.texts("message").empty());
    EXPECT_FALSE(f.screen.running());
}

TEST(TFwipe, TextsFollowTheLanguageOnActivation)
{
    ScreenFixture f;
    const struct {
        int language;
        const char* button;
        const char* item2;
        const char* title;
    } cases[] = {
        {Portuguese, "&Deletar", "U.S. standard, DoD (7 passadas)", "Delete arquivos permanentemente"},
        {German, "&löschen", "U.S. standard, DoD (7 Ausweis)", "Löschen Sie Akten ewig"},
        {9, "&löschen", "U.S. standard, DoD (7 Ausweis)", "Löschen Sie Akten ewig"}, // kept
        {English, "&Shred files", "U.S. standard, DoD (7 passes)", "Digital Shredder - Make files unrecoverable"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        f.language = c.language;
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&f.screen, &activate);
        EXPECT_EQ(f.text("BitBtnWithColor1"), QString::fromUtf8(c.button));
        EXPECT_EQ(f.text("RadioGroup1Item2"), QString::fromUtf8(c.item2));
        EXPECT_EQ(f.text("Label6"), QString::fromUtf8(c.title));
        EXPECT_EQ(f.text("Label7"), "Help");
    }
    EXPECT_EQ(f.screen.windowTitle(), "Orvane");
    EXPECT_EQ(f.screen.findChild<QAbstractButton*>("BitBtnWithColor1")->toolTip(), "delete files forever");
}

// Every language's button and method items, and the Portuguese menu, as the program shows them.
TEST(TFwipe, ButtonAndMethodTextsInEveryLanguage)
{
    ScreenFixture f;
    const struct {
        int language;
        const char* button;
        const char* items[3];
    } cases[] = {
        {English, "&Shred files", {"Single pass", "Triple pass", "U.S. standard, DoD (7 passes)"}},
        {Portuguese, "&Deletar", {"1 passada", "3 passadas", "U.S. standard, DoD (7 passadas)"}},
        {French, "&Effacer", {"1 passe", "3 passe", "U.S. standard, DoD (7 passe)"}},
        {Spanish, "&Borre", {"1 paso", "3 pasos", "U.S. standard, DoD (7 pasos)"}},
        {Italian, "&Cancellare", {"1 passa", "3 passa", "U.S. standard, DoD (7 passa)"}},
        {Dutch, "&Schrap", {"Een doorgang", "Verdrievoudig doorgang", "U.S. standard, DoD (7 doorgangen)"}},
        {German, "&löschen", {"1 Ausweis", "3 Ausweis", "U.S. standard, DoD (7 Ausweis)"}},
        {Norwegian, "&Stryker", {"1 pass", "3 passes", "U.S. standard, DoD (7 passes)"}},
    };
    const auto menuText = [&](const char* name) {
        QObject* o = f.screen.findChild<QObject*>(name);
        if (auto* menu = qobject_cast<QMenu*>(o))
            return menu->title();
        if (auto* action = qobject_cast<QAction*>(o))
            return action->text();
        return QString();
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        f.language = c.language;
        f.screen.ApplyLanguage();
        EXPECT_EQ(f.text("BitBtnWithColor1"), QString::fromUtf8(c.button));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(f.text(QString("RadioGroup1Item%1").arg(i).toUtf8().constData()), QString::fromUtf8(c.items[i]));
        // Not translated anywhere.
        EXPECT_EQ(menuText("file1"), "&file (Shred file)");
        EXPECT_EQ(menuText("folder1"), "f&older (Shred folder)");
        EXPECT_EQ(f.text("Label1"), "XP ME 2000 :  use open menu or drag and drop.      VISTA Windows7 : use open menu.");
        EXPECT_EQ(f.text("URLLabel4"), "Email");
        EXPECT_EQ(f.text("UrlLabel1"), "website");
        if (c.language == Portuguese) {
            EXPECT_EQ(f.text("Label4"), QString::fromUtf8("***** Use menu abrir ou arraste arquivos acima para deleção *****"));
            EXPECT_EQ(f.text("RadioGroup1"), QString::fromUtf8("Algoritmo de destruição de dados"));
            const char* menus[][2] = {{"Open1", "&Abrir"}, {"Shred1", "Deletar"}, {"Clearlist1", "L&impar lista"},
                                      {"Removeitem1", "&Remover item"}, {"About1", "&Ajuda"}};
            for (const auto& m : menus)
                EXPECT_EQ(menuText(m[0]), QString::fromUtf8(m[1])) << m[0];
        }
        if (c.language == Spanish) {
            EXPECT_EQ(f.text("RadioGroup1"), QString::fromUtf8("Algoritmo de destrucción de datos"));
        }
        if (c.language == English) {
            EXPECT_EQ(f.text("Label4"), "***** Use open menu or drag and drop a file up for deletion *****");
            const char* menus[][2] = {{"Open1", "&Open"}, {"Shred1", "Shred"}, {"Clearlist1", "C&lear list"},
                                      {"Removeitem1", "&Remove item"}, {"About1", "&Help"}};
            for (const auto& m : menus)
                EXPECT_EQ(menuText(m[0]), m[1]) << m[0];
        }
    }
}

TEST(TFwipe, HelpAndLinksGoThroughTheDesktop)
{
    ScreenFixture f;
    f.screen.setHelpPage("/opt/orvane/tavrel.htm");
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(&f.screen, &f1);
    for (const char* name : {"Label7", "URLLabel4", "UrlLabel1"}) {
        auto* label = f.screen.findChild<QLabel*>(name);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(label, &release);
    }
    ASSERT_EQ(f.desktop.opened.size(), 4u);
    EXPECT_EQ(f.desktop.opened[0], "doc:/opt/orvane/tavrel.htm");
    EXPECT_EQ(f.desktop.opened[1], "doc:/opt/orvane/tavrel.htm");
    EXPECT_EQ(f.desktop.opened[2].rfind("mail:", 0), 0u);
    EXPECT_NE(f.desktop.opened[2].find("?contact us"), std::string::npos);
    EXPECT_EQ(f.desktop.opened[3].rfind("url:http", 0), 0u);
}

TEST(TFwipe, SmallScreensGetTheTopLeftCorner)
{
    const struct {
        QRect screen;
        QPoint expected;
    } cases[] = {
        {QRect(0, 0, 800, 600), QPoint(0, 0)},
        {QRect(0, 0, 1024, 480), QPoint(0, 0)},
        {QRect(0, 0, 1280, 601), QPoint(320, 40)},
        {QRect(100, 50, 1920, 1080), QPoint(100 + 640, 50 + 280)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(initialWindowPosition(QSize(640, 520), c.screen), c.expected) << c.screen.height();
}

} // namespace
} // namespace orvane
