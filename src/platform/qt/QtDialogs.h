#pragma once
// Dialogs through Qt message boxes and file dialogs.

#include "platform/Dialogs.h"

#include <functional>

class QWidget;

namespace orvane {

class QtDialogs : public Dialogs {
public:
    // `toWindows` turns a host path picked in a Qt dialog into a Windows path ("" if none).
    QtDialogs(std::function<QWidget*()> parent, std::function<std::string(const std::string&)> toWindows,
              std::function<std::string(const std::string&)> toHost);
    void message(const std::string& title, const std::string& text) override;
    void warning(const std::string& title, const std::string& text) override;
    void error(const std::string& title, const std::string& text) override;
    bool confirm(const std::string& title, const std::string& text) override;
    std::vector<std::string> openFiles(const std::string& title, const std::string& filter) override;
    std::optional<std::string> chooseFolder(const std::string& title, const std::string& start) override;

private:
    std::function<QWidget*()> parent_;
    std::function<std::string(const std::string&)> toWindows_;
    std::function<std::string(const std::string&)> toHost_;
};

} // namespace orvane
