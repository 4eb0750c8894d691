// The windowed program: finds its folder and prefix, makes sure it runs once per user and
// prefix, prepares the registry, then creates the main window (disabled and hidden; it shows
// itself 250 ms after the event loop starts).
#include "platform/OwnPrefix.h"
#include "platform/OwnRegistry.h"
#include "platform/Prefix.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtDialogs.h"
#include "screens/ProgramServices.h"
#include "screens/SingleInstance.h"
#include "screens/Tfdrav.h"

#include <QApplication>
#include <QMessageBox>

#include <filesystem>

namespace {

void showStartError(const std::string& text)
{
    QMessageBox::critical(nullptr, QStringLiteral("Orvane"), QString::fromStdString(text));
}

// The drive of the current directory, as the drive box starts on it; C: when no drive holds it.
char currentDirectoryDrive(const orvane::Prefix& prefix)
{
    std::error_code ec;
    const auto here = std::filesystem::current_path(ec);
    if (!ec)
        if (auto windows = prefix.toWindows(here.string()); windows && !windows->empty())
            return (*windows)[0];
    return 'C';
}

} // namespace

int main(int argc, char* argv[])
{
    using namespace orvane;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane"));

    const ProgramFolder folder = ProgramFolder::locate();
    if (Status s = folder.seed(ProgramFolder::shippedDataFolder()); !s)
        showStartError(s.message);
    const std::string root = Prefix::chooseRoot(folder.path());
    if (root == folder.path() + "/prefix") {
        if (Status s = createOwnPrefix(root, prefixUserName()); !s)
            showStartError(s.message);
        if (Status s = reg::createOwnRegistry(root, prefixUserName()); !s)
            showStartError(s.message);
    }

    SingleInstance instance(QString::fromStdString(prefixUserName()), QString::fromStdString(root));
    if (!instance.start())
        return 0; // the running instance comes to the front

    // The registry and its current-user equivalents, before any window.
    ProgramServices services(folder, root);
    for (const std::string& problem : services.registry->problems())
        showStartError(problem);

    QtDesktop desktop;
    QWidget* dialogParent = nullptr;
    QtDialogs dialogs([&dialogParent] { return dialogParent; },
                      [&services](const std::string& host) { return services.prefix.toWindows(host).value_or(std::string()); },
                      [&services](const std::string& windows) { return services.prefix.toHost(windows).value_or(std::string()); });

    Tfdrav fdrav({folder.path(), services.drives, dialogs, desktop,
                  currentDirectoryDrive(services.prefix), services.startupFolderDetection(dialogs)});
    dialogParent = &fdrav;
    QObject::connect(&instance, &SingleInstance::activationRequested, &fdrav, [&fdrav] {
        fdrav.setWindowState((fdrav.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        fdrav.raise();
        fdrav.activateWindow();
    });
    // The tools that live for the whole run are created now, hidden.
    attachTools(fdrav, services);

    return app.exec();
}
