#pragma once
// A program folder and a small prefix in a temporary folder, the real drives service on it,
// recording dialogs and desktop, and the main window built on them (offscreen).

#include "platform/LinuxDrives.h"
#include "screens/Tfdrav.h"
#include "support/PrefixFixture.h"
#include "support/RecordingSeams.h"

#include <memory>
#include <string>

class QApplication;

namespace orvane::test {

// The one QApplication of the test program.
QApplication& qtApp();

struct ShellFixture {
    ShellFixture(); // the program folder holds the shipped config.TXT

    PrefixFixture prefix;
    std::string home; // program folder (host path)
    LinuxDrives drives{prefix.prefix};
    RecordingDialogs dialogs;
    RecordingDesktop desktop;
    std::function<void(AppState&, Settings&)> detectFolderPaths; // handed to the window

    std::string file(const std::string& name) const { return home + "/" + name; }
    void writeFile(const std::string& name, const std::string& content) const;
    std::unique_ptr<Tfdrav> makeWindow(char startDrive = 'C');
    // Built and then shown by its start-up timer, as the user meets it.
    std::unique_ptr<Tfdrav> makeShownWindow(char startDrive = 'C');
};

} // namespace orvane::test
