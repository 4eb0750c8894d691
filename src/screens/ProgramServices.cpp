#include "screens/ProgramServices.h"

#include "junk/FolderPathDetection.h"
#include "platform/RegistryPrefix.h"
#include "screens/JunkController.h"
#include "screens/TFwipe.h"
#include "screens/Tfdrav.h"
#include "screens/Tffolders.h"

namespace orvane {

ProgramServices::ProgramServices(ProgramFolder programFolder, const std::string& prefixRoot)
    : folder(std::move(programFolder)),
      prefix(Prefix::open(prefixRoot)),
      fs(prefix),
      drives(prefix),
      bin(prefix, std::string())
{
    registry = reg::openPrefixRegistry(prefix);
    shellFolders = std::make_unique<reg::RegistryShellFolders>(*registry, [this]() -> std::optional<std::string> {
        std::string folder = bin.binFolder();
        if (folder.empty())
            return std::nullopt;
        return folder;
    });
    equivKeys = registry::BuildEquivalents(*registry);
}

namespace {

// StoreFolderPath with its save error shown, as every settings save does.
std::function<void(const std::string&)> folderPathStore(Settings& settings, Dialogs& dialogs)
{
    return [&settings, &dialogs](const std::string& entry) {
        if (Status s = settings.StoreFolderPath(entry); !s)
            dialogs.error("Orvane", s.message);
    };
}

std::function<void(const std::string&)> folderPathStore(Tfdrav& fdrav)
{
    return folderPathStore(fdrav.settings(), fdrav.dialogs());
}

} // namespace

std::function<void(AppState&, Settings&)> ProgramServices::startupFolderDetection(Dialogs& dialogs)
{
    return [this, &dialogs](AppState& state, Settings& settings) {
        junk::detectFolderPathsAtStartup(*shellFolders, fs, state.paths, folderPathStore(settings, dialogs));
    };
}

namespace {

void attachJunkCleaner(Tfdrav& fdrav, ProgramServices& services)
{
    auto* junk = new JunkController(&fdrav, {fdrav.state(), services.fs, services.bin, fdrav.dialogs(),
                                              folderPathStore(fdrav), [&fdrav] { fdrav.RefreshRecovered(); }, false});
    fdrav.setCommandHandler(QStringLiteral("BitBtnWithColor5"), [junk] { junk->BB4Click(); });
    fdrav.setCommandHandler(QStringLiteral("bwc10"), [junk] { junk->BB5Click(); });
    fdrav.setClearResultsGrid([junk] { junk->ClearResultsGrid(); });
}

void attachFolderPaths(Tfdrav& fdrav, ProgramServices& services)
{
    fdrav.setCommandHandler(QStringLiteral("ViewSetCleanFolders1"), [&fdrav, &services] {
        Tffolders screen({fdrav.state(), fdrav.dialogs(), *services.shellFolders, services.fs,
                          [&fdrav] { fdrav.SaveSettings(); }, folderPathStore(fdrav), [&fdrav] { fdrav.openHelp(); }},
                         &fdrav);
        screen.exec();
    });
}

void attachShredder(Tfdrav& fdrav, ProgramServices& services)
{
    auto* wipe = new TFwipe(services.fs, fdrav.dialogs(), fdrav.desktop(), fdrav.state().languageIndex);
    wipe->setAttribute(Qt::WA_DeleteOnClose, false);
    QObject::connect(&fdrav, &QObject::destroyed, wipe, [wipe] { delete wipe; });
    wipe->setObjectName(QStringLiteral("FWipe"));
    wipe->setPathMapper([&services](const std::string& host) { return services.prefix.toWindows(host); });
    wipe->setHelpPage(services.folder.file("tavrel.htm"));
    fdrav.setToolHandler(int(Tool::Shredder), [wipe] {
        wipe->show();
        wipe->raise();
        wipe->activateWindow();
    });
}

} // namespace

void attachTools(Tfdrav& fdrav, ProgramServices& services)
{
    attachJunkCleaner(fdrav, services);
    attachFolderPaths(fdrav, services);
    attachShredder(fdrav, services);
}

} // namespace orvane
