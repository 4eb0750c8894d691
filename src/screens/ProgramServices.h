#pragma once
// Everything the windows of a running program share: the prefix and its platform services,
// and the registry with its current-user equivalents.

#include "app/AppState.h"
#include "app/Settings.h"
#include "platform/Dialogs.h"
#include "platform/FreedesktopTrash.h"
#include "platform/LinuxDrives.h"
#include "platform/LinuxFileSystem.h"
#include "platform/Prefix.h"
#include "platform/ProgramFolder.h"
#include "platform/Registry.h"
#include "platform/RegistryShellFolders.h"
#include "registry/regequiv.h"

#include <functional>
#include <memory>
#include <string>

namespace orvane {

class ProgramServices {
public:
    // Opens the prefix at `prefixRoot` and its registry; builds the equivalent keys (probe
    // keys written and deleted) before any window exists.
    ProgramServices(ProgramFolder folder, const std::string& prefixRoot);

    // The main window's start-up detection of the folder paths (shell folders, then the fixed
    // Recycle Bin candidates), storing what it finds; a failed save is shown in `dialogs`.
    std::function<void(AppState&, Settings&)> startupFolderDetection(Dialogs& dialogs);

    ProgramFolder folder;
    Prefix prefix;
    LinuxFileSystem fs;
    LinuxDrives drives;
    FreedesktopTrash bin;
    std::unique_ptr<reg::Registry> registry;
    std::unique_ptr<reg::RegistryShellFolders> shellFolders;
    registry::EquivKeys equivKeys; // EquivKeys, for the registry walk
};

class Tfdrav;

// Plugs the junk cleaner, the folder-paths screen and the shredder into the main window; they
// use the window's dialogs and desktop.
// The shredder lives for the whole run, hidden until its tool label is clicked.
void attachTools(Tfdrav& fdrav, ProgramServices& services);

} // namespace orvane
