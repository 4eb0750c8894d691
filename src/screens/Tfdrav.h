#pragma once
// The main window: junk-file cleaner, host of the privacy cleaners, menus and the tool row.
// It owns the shared state (AppState), the settings and language files and the start-up drive
// sizes. Created disabled and hidden; Timer3 enables and shows it once the event loop runs.

#include "app/AppState.h"
#include "app/DriveSizes.h"
#include "app/Language.h"
#include "app/Settings.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Drives.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTimer;

namespace orvane {

class ToolLabel;

struct TfdravServices {
    std::string programFolder; // host path of the folder holding config.TXT, idiom.txt, ...
    Drives& drives;
    Dialogs& dialogs;
    Desktop& desktop;
    char startDrive = 'C'; // the drive of the current directory when the drive box is created
    // FormCreate step 7: detects the folder paths of the selected drive (may store them).
    std::function<void(AppState&, Settings&)> detectFolderPaths;
};

// The tool row, left to right.
enum class Tool { Graphs, Duplicate, Shredder, PcErrors, Immunize, Winclean, Tools, Count };

class Tfdrav : public QMainWindow {
    Q_OBJECT
public:
    explicit Tfdrav(TfdravServices services, QWidget* parent = nullptr);
    ~Tfdrav() override;

    AppState& state() { return state_; }
    Settings& settings() { return settings_; }
    Dialogs& dialogs() { return services_.dialogs; }
    Desktop& desktop() { return services_.desktop; }
    const StartupDriveSizes& startupDriveSizes() const { return driveSizes_; }
    const std::string& programFolder() const { return services_.programFolder; }

    // A tool without a handler is shown disabled.
    void setToolHandler(int toolIndex, std::function<void()> handler);
    // Work for a button, menu item or picture by objectName: BitBtnWithColor5/9/11/8/12/7,
    // bwc10, ViewSetCleanFolders1, ac1, AutoUpdate1, Image12, URLLabel3. The control is
    // enabled (except bwc10, which the search enables when it has listed files).
    void setCommandHandler(const QString& objectName, std::function<void()> handler);
    // ClearResultsGrid, called by DCB1Change; by default empties the placeholder grid.
    void setClearResultsGrid(std::function<void()> clear);

    QTableView* resultsGrid() const { return asg1_; }
    QLineEdit* statusLine() const { return Edit3_; }
    QLabel* fileCountLabel() const { return URLLabel3_; }
    QPushButton* deleteButton() const { return bwc10_; }

    // The settings pair for cleaners that change the pattern boxes for their own work:
    // SaveSettings before, LoadSettings after (which shows the restored boxes again).
    void SaveSettings() { settings_.SaveSettings(state_); }
    void LoadSettings();
    // Shows the pattern boxes and delete-mode items as `state()` holds them (after others
    // changed the state: LoadSettings, CheckAllPatterns, ...).
    void syncFromState();
    // RecoveredLine from RecoveredKB; the status line back to its resting text.
    void RefreshRecovered();
    // Texts of LanguageIndex (nothing for a value outside 1..8), then idiom.txt is written.
    void ApplyLanguage();
    // An Idiom menu choice.
    void chooseLanguage(int languageIndex);
    void openHelp();

    // Where the window starts: the top-left corner on a screen at most 600 pixels high,
    // centred otherwise.
    static QPoint startPosition(const QRect& screen, const QSize& frame);

signals:
    // FormCreate has run (whether or not it stopped early).
    void created();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildWidgets();
    void FormCreate();
    void DCB1Change(int index);
    void showAbout();
    void checkIdiomItem(int languageIndex);
    char selectedDrive() const;

    TfdravServices services_;
    AppState state_;
    Settings settings_;
    LanguageFile language_;
    StartupDriveSizes driveSizes_;
    std::string lastLanguageSaveError_;

    QTimer* Timer3_ = nullptr;
    QLineEdit* Edit3_ = nullptr;
    QTableView* asg1_ = nullptr;
    QStandardItemModel* placeholderGrid_ = nullptr;
    QComboBox* DCB1_ = nullptr;
    QLabel* URLLabel3_ = nullptr;
    QLineEdit* Edit2_ = nullptr;
    QPushButton* bwc10_ = nullptr;
    std::array<QCheckBox*, PatternCount> patternBoxes_{};
    QCheckBox* CheckBox26_ = nullptr;
    QAction* Deletefiles1_ = nullptr;
    QAction* SenddeletedfilestoRecycledbin1_ = nullptr;
    std::map<int, QAction*> idiomItems_; // LanguageIndex -> item
    std::array<ToolLabel*, size_t(Tool::Count)> toolLabels_{};
    std::array<ToolLabel*, size_t(Tool::Count)> toolPictures_{};
    std::array<std::function<void()>, size_t(Tool::Count)> toolHandlers_;
    std::map<QString, std::function<void()>> commands_;
    std::function<void()> clearResultsGrid_;
};

} // namespace orvane
