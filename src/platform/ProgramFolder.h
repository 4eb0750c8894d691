#pragma once
// The program folder: where config.TXT, idiom.txt and the other data files live.

#include "platform/Status.h"

#include <string>
#include <string_view>

namespace orvane {

class ProgramFolder {
public:
    explicit ProgramFolder(std::string path) : path_(std::move(path)) {}
    // ORVANE_HOME, else $XDG_DATA_HOME/orvane, else ~/.local/share/orvane.
    static ProgramFolder locate();
    // The shipped data folder: next to the executable (../data or ../share/orvane/data),
    // else the source tree's data/.
    static std::string shippedDataFolder();

    const std::string& path() const { return path_; }
    // Full host path of a data file of the folder.
    std::string file(std::string_view name) const;
    // Creates the folder and copies every shipped file that is not there yet; never
    // overwrites a file the user has.
    Status seed(const std::string& shippedFolder) const;

private:
    std::string path_;
};

} // namespace orvane
