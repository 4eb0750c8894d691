#pragma once
// Every message box, confirmation and file or folder picker goes through this seam.

#include <optional>
#include <string>
#include <vector>

namespace orvane {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void message(const std::string& title, const std::string& text) = 0;
    virtual void warning(const std::string& title, const std::string& text) = 0;
    virtual void error(const std::string& title, const std::string& text) = 0;
    // true = Yes.
    virtual bool confirm(const std::string& title, const std::string& text) = 0;
    // Windows paths chosen by the user; empty when cancelled.
    virtual std::vector<std::string> openFiles(const std::string& title, const std::string& filter) = 0;
    virtual std::optional<std::string> chooseFolder(const std::string& title, const std::string& start) = 0;
};

} // namespace orvane
