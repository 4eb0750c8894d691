// Renders the main window to PNG files, in English and German, at its starting size and
// enlarged, so anyone can look at what a user sees. Runs on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen orvane-screenshots <output folder>
#include "app/Texts.h"
#include "platform/LinuxDrives.h"
#include "platform/OwnPrefix.h"
#include "platform/Prefix.h"
#include "platform/ProgramFolder.h"
#include "screens/AboutDialog.h"
#include "screens/Tfdrav.h"

#include <QApplication>
#include <QDir>
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

} // namespace

int main(int argc, char* argv[])
{
    using namespace orvane;
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(out);

    QTemporaryDir work;
    const ProgramFolder folder(work.filePath(QStringLiteral("home")).toStdString());
    folder.seed(ProgramFolder::shippedDataFolder());
    const std::string root = folder.path() + "/prefix";
    createOwnPrefix(root, prefixUserName());
    const Prefix prefix = Prefix::open(root);
    LinuxDrives drives(prefix);
    SilentDialogs dialogs;
    NoDesktop desktop;

    const struct {
        int language;
        const char* name;
    } languages[] = {{English, "en"}, {German, "de"}};
    for (const auto& language : languages) {
        Tfdrav window({folder.path(), drives, dialogs, desktop, 'C', nullptr});
        window.chooseLanguage(language.language);
        if (!QTest::qWaitFor([&] { return window.isVisible() && window.isEnabled(); }, 3000))
            std::fprintf(stderr, "the main window did not show itself\n");
        const QSize start = window.size();
        for (const QSize size : {start, QSize(1280, 800)}) {
            window.resize(size);
            QTest::qWait(50);
            const QString file = QStringLiteral("%1/fdrav-%2-%3x%4.png")
                                     .arg(out, QLatin1String(language.name))
                                     .arg(size.width())
                                     .arg(size.height());
            if (!window.grab().save(file)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return 1;
            }
            std::printf("%s\n", qPrintable(file));
        }
    }
    AboutDialog about;
    about.show();
    QTest::qWait(50);
    const QString aboutFile = out + QStringLiteral("/about.png");
    if (!about.grab().save(aboutFile))
        return 1;
    std::printf("%s\n", qPrintable(aboutFile));
    return 0;
}
