#pragma once
// The shredder screen: a list of files and folders, the method box, the status box and the
// Shred button that hands the list to the wipe engine. Lives for the whole run.

#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvane {

class TFwipeList;

// Top-left corner on a screen at most 600 pixels high, else centred.
QPoint initialWindowPosition(QSize window, QRect screen);

class TFwipe : public QWidget {
public:
    TFwipe(FileSystem& files, Dialogs& dialogs, Desktop& desktop, const int& languageIndex, QWidget* parent = nullptr);
    ~TFwipe() override;

    // Host path -> Windows path for dropped items. Default: drive Z: is the host's "/".
    void setPathMapper(std::function<std::optional<std::string>(const std::string& hostPath)> toWindows);
    // Names the file system holding a host path ("btrfs", ...); default: statfs.
    void setFileSystemProbe(std::function<std::optional<std::string>(const std::string& hostPath)> probe)
    {
        fileSystemOf_ = std::move(probe);
    }
    // Host path of the help page; default: "tavrel.htm" in the program folder.
    void setHelpPage(std::string hostPath) { helpPage_ = std::move(hostPath); }

    // The list's lines, shredded ones as empty strings.
    std::vector<std::string> lines() const;
    void appendDropped(const std::string& hostPath); // as a drop does: no duplicate check
    bool running() const { return running_; }

    // Handlers.
    void Button1Click();       // Shred
    void SpeedButton1Click();  // add a file
    void btnDirectoryClick();  // add a folder
    void SpeedButton4Click();  // clear the list
    void SpeedButton3Click();  // remove the selected line
    void About1Click();        // help
    void URLLabel4Click();     // mail
    void UrlLabel1Click();     // web site
    void ApplyLanguage();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class StatusBox;
    void buildWidgets();
    void appendUnlessListed(const std::string& path);
    bool confirmUnreliableFileSystems(int count);
    void shredLines(int count);
    int methodIndex() const;

    FileSystem& files_;
    Dialogs& dialogs_;
    Desktop& desktop_;
    const int& languageIndex_;
    std::function<std::optional<std::string>(const std::string&)> toWindows_;
    std::function<std::optional<std::string>(const std::string&)> fileSystemOf_;
    std::string helpPage_;
    bool running_ = false;

    TFwipeList* list_ = nullptr;     // DnDListBox1
    QButtonGroup* methods_ = nullptr; // RadioGroup1's items, ids 0..2
    QLineEdit* status_ = nullptr;    // Edit2
    QPushButton* shred_ = nullptr;   // BitBtnWithColor1
};

} // namespace orvane
