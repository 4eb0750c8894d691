// Renders the program's windows to PNG files, in English and German, at their starting size and
// enlarged, so anyone can look at what a user sees. Runs on the offscreen platform, on a fresh
// own prefix with a few junk files:
//   orvane-screenshots <output folder>
#include "app/Texts.h"
#include "platform/OwnPrefix.h"
#include "platform/OwnRegistry.h"
#include "platform/ProgramFolder.h"
#include "screens/AboutDialog.h"
#include "screens/ProgramServices.h"
#include "screens/TFwipe.h"
#include "screens/Tfdrav.h"
#include "screens/Tffolders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

class SilentDialogs : public orvane::Dialogs {
public:
    void message(const std::string&, const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void warning(const std::string&, const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void error(const std::string&, const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool confirm(const std::string&, const std::string&) override { return false; }
    std::vector<std::string> openFiles(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

class NoDesktop : public orvane::Desktop {
public:
    bool openDocument(const std::string&) override { return false; }
    bool openUrl(const std::string&) override { return false; }
    bool openMail(const std::string&, const std::string&) override { return false; }
};

bool save(QWidget& widget, const QString& file)
{
    QTest::qWait(50);
    if (!widget.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

void writeJunk(const QString& driveC)
{
    const char* files[] = {"Work/report.tmp", "Work/~draft.doc", "Work/old/setup.log", "Games/crash.dmp",
                           "Games/save.bak~", "Users/Public/notes.old"};
    int size = 700;
    for (const char* name : files) {
        const QString path = driveC + QLatin1Char('/') + QLatin1String(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(size, 'x'));
        size = size * 3 + 100;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    using namespace orvane;
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QTemporaryDir work;
    qputenv("XDG_DATA_HOME", work.filePath(QStringLiteral("xdg")).toLocal8Bit()); // a Trash of its own
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(out);

    const ProgramFolder folder(work.filePath(QStringLiteral("home")).toStdString());
    folder.seed(ProgramFolder::shippedDataFolder());
    const std::string root = folder.path() + "/prefix";
    createOwnPrefix(root, prefixUserName());
    reg::createOwnRegistry(root, prefixUserName());
    writeJunk(QString::fromStdString(root + "/drive_c"));
    ProgramServices services(folder, root);
    SilentDialogs dialogs;
    NoDesktop desktop;

    const struct {
        int language;
        const char* name;
    } languages[] = {{English, "en"}, {German, "de"}};
    for (const auto& language : languages) {
        Tfdrav window({folder.path(), services.drives, dialogs, desktop, 'C', services.startupFolderDetection(dialogs)});
        attachTools(window, services);
        window.chooseLanguage(language.language);
        if (!QTest::qWaitFor([&] { return window.isVisible() && window.isEnabled(); }, 3000))
            std::fprintf(stderr, "the main window did not show itself\n");
        if (auto* search = window.findChild<QPushButton*>(QStringLiteral("BitBtnWithColor5")))
            search->click();
        const QSize start = window.size();
        for (const QSize size : {start, QSize(1280, 800)}) {
            window.resize(size);
            if (!save(window, QStringLiteral("%1/fdrav-%2-%3x%4.png")
                                  .arg(out, QLatin1String(language.name))
                                  .arg(size.width())
                                  .arg(size.height())))
                return 1;
        }

        TFwipe wipe(services.fs, dialogs, desktop, window.state().languageIndex);
        wipe.appendDropped(root + "/drive_c/Work/report.tmp");
        wipe.appendDropped(root + "/drive_c/Games");
        wipe.show();
        wipe.ApplyLanguage();
        if (!save(wipe, QStringLiteral("%1/fwipe-%2.png").arg(out, QLatin1String(language.name))))
            return 1;
    }

    AppState state;
    Tffolders folders({state, dialogs, *services.shellFolders, services.fs, [] {}, [](const std::string&) {}, [] {}});
    folders.AutoDetectClick();
    folders.show();
    if (!save(folders, out + QStringLiteral("/ffolders.png")))
        return 1;

    AboutDialog about;
    about.show();
    return save(about, out + QStringLiteral("/about.png")) ? 0 : 1;
}
