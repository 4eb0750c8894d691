#pragma once
// The folder-paths screen (Options > View/Set folders path): the six browser and Recycle Bin
// paths, a browse button for each and Auto Detect. English in every language.

#include "app/AppState.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QLineEdit;

namespace orvane {

struct TffoldersServices {
    AppState& state;
    Dialogs& dialogs;
    ShellFolders& shell;
    FileSystem& fs;
    std::function<void()> saveSettings;                       // SaveSettings
    std::function<void(const std::string&)> storeFolderPath;  // StoreFolderPath
    std::function<void()> openHelp;                           // F1
};

class Tffolders : public QDialog {
    Q_OBJECT
public:
    static constexpr int FieldCount = 6;
    explicit Tffolders(TffoldersServices services, QWidget* parent = nullptr);

    void Button1Click() { browse(0); }
    void Button2Click() { browse(1); }
    void Button3Click() { browse(2); }
    void Button4Click() { browse(3); }
    void Button5Click() { browse(4); }
    void Button6Click() { browse(5); }
    void AutoDetectClick();
    QLineEdit* field(int index) const { return fields_[size_t(index)]; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void browse(int index);
    void showPaths();
    std::string& pathOf(int index);

    TffoldersServices s_;
    std::array<QLineEdit*, FieldCount> fields_{};
};

inline constexpr const char* BrowseWarningText =
    "Browse till you find the right folder then double click it and hit ok button . WARNING :  Set an invalid "
    "folder will cause deletion errors";

} // namespace orvane
