#pragma once
// Wires the junk-cleaner widgets of a main window (found by objectName: asg1,
// BitBtnWithColor5, bwc10, Edit3, URLLabel3, Edit2, the pattern boxes) to the junk engines.

#include "app/AppState.h"
#include "junk/ResultsTable.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/RecycleBin.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace orvane {

class JunkResultsModel;

struct JunkControllerServices {
    AppState& state;
    FileSystem& fs;
    RecycleBin& bin;
    Dialogs& dialogs;
    std::function<void(const std::string&)> storeFolderPath; // StoreFolderPath
    std::function<void()> refreshRecovered;                  // RefreshRecovered; default: Edit2 and Edit3
    bool connectButtons = true; // false when the window routes its buttons itself
};

class JunkController : public QObject {
    Q_OBJECT
public:
    JunkController(QWidget* window, JunkControllerServices services);
    ~JunkController() override;

    void BB4Click(); // Search
    void BB5Click(); // Delete
    void ClearResultsGrid();
    // Shows rows that another cleaner wrote into table() since the last refresh.
    void refreshGrid();
    bool busy() const { return busy_; }

    junk::ResultsTable& table() { return table_; }
    JunkResultsModel* model() const { return model_; }

private:
    class StatusProgress;
    bool refuseWhileBusy();
    void setStatus(const std::string& text, bool blue);
    void defaultRefreshRecovered();
    void gridClicked();

    JunkControllerServices s_;
    junk::ResultsTable table_;
    JunkResultsModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QLineEdit* statusLine_ = nullptr;
    QLabel* fileCounter_ = nullptr;
    QLineEdit* recoveredLine_ = nullptr;
    std::unique_ptr<StatusProgress> progress_;
    bool busy_ = false;
};

// "A search is running…" text shown when a command is refused.
extern const char* const JunkBusyText;

} // namespace orvane
