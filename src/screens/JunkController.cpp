#include "screens/JunkController.h"

#include "app/PatternBoxes.h"
#include "junk/DriveScan.h"
#include "junk/JunkDeletion.h"
#include "junk/SizeFormat.h"
#include "screens/JunkResultsModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

namespace orvane {

const char* const JunkBusyText = "A search or deletion is running; wait until it has ended.";

namespace {
char decimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 128 ? char(point[0].unicode()) : '.';
}
} // namespace

// Status line and message pump of a running scan or deletion.
class JunkController::StatusProgress : public Progress {
public:
    explicit StatusProgress(JunkController& c) : c_(c) {}
    void status(std::string_view text) override
    {
        if (c_.statusLine_)
            c_.statusLine_->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
    int pendingCount = -1; // file counter to show at the next pump

protected:
    void doPump() override
    {
        if (pendingCount >= 0 && c_.fileCounter_)
            c_.fileCounter_->setText(QStringLiteral("files : %1").arg(pendingCount));
        pendingCount = -1;
        if (c_.model_)
            c_.model_->sync();
        QCoreApplication::processEvents();
    }

private:
    JunkController& c_;
};

JunkController::JunkController(QWidget* window, JunkControllerServices services)
    : QObject(window), s_(std::move(services)), progress_(std::make_unique<StatusProgress>(*this))
{
    grid_ = window->findChild<QTableView*>(QStringLiteral("asg1"));
    searchButton_ = window->findChild<QPushButton*>(QStringLiteral("BitBtnWithColor5"));
    deleteButton_ = window->findChild<QPushButton*>(QStringLiteral("bwc10"));
    statusLine_ = window->findChild<QLineEdit*>(QStringLiteral("Edit3"));
    fileCounter_ = window->findChild<QLabel*>(QStringLiteral("URLLabel3"));
    recoveredLine_ = window->findChild<QLineEdit*>(QStringLiteral("Edit2"));

    model_ = new JunkResultsModel(table_, this);
    if (grid_) {
        grid_->setModel(model_);
        grid_->setFocusPolicy(Qt::ClickFocus); // never reached with Tab
        grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
        // Starting sizes in pixels; a stretched PATH column keeps following the window.
        static constexpr int widths[junk::ColumnCount] = {197, 498, 91, 80};
        for (int c = 0; c < junk::ColumnCount; ++c)
            grid_->setColumnWidth(c, widths[c]);
        grid_->verticalHeader()->setMinimumSectionSize(1);
        grid_->verticalHeader()->setDefaultSectionSize(16);
        connect(grid_, &QTableView::clicked, this, [this] { gridClicked(); });
    }
    if (s_.connectButtons) {
        if (searchButton_)
            connect(searchButton_, &QPushButton::clicked, this, &JunkController::BB4Click);
        if (deleteButton_)
            connect(deleteButton_, &QPushButton::clicked, this, &JunkController::BB5Click);
    }
    if (deleteButton_)
        deleteButton_->setEnabled(false);
    // The scan reads the boxes per folder, so a box changed during a scan counts from the next.
    for (const PatternBox& box : patternBoxes) {
        if (auto* check = window->findChild<QCheckBox*>(QString::fromLatin1(box.component.data(), qsizetype(box.component.size())))) {
            const size_t i = size_t(box.pattern);
            connect(check, &QCheckBox::toggled, this, [this, i](bool on) { s_.state.patterns[i] = on; });
        }
    }
}

JunkController::~JunkController() = default;

bool JunkController::refuseWhileBusy()
{
    if (!busy_)
        return false;
    s_.dialogs.warning("Orvane", JunkBusyText);
    return true;
}

void JunkController::setStatus(const std::string& text, bool blue)
{
    if (!statusLine_)
        return;
    QPalette palette = statusLine_->palette();
    palette.setColor(QPalette::Text, blue ? Qt::blue : Qt::black);
    statusLine_->setPalette(palette);
    statusLine_->setText(QString::fromStdString(text));
    statusLine_->repaint();
}

void JunkController::ClearResultsGrid()
{
    table_.ClearResultsGrid();
    model_->sync();
}

void JunkController::refreshGrid() { model_->sync(); }

void JunkController::BB4Click()
{
    if (refuseWhileBusy())
        return;
    busy_ = true;
    if (deleteButton_)
        deleteButton_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    junk::ScanHooks hooks;
    hooks.storeFolderPath = s_.storeFolderPath;
    hooks.fileCounter = [this](int count) { progress_->pendingCount = count; };
    junk::DriveScan scan(s_.fs, s_.state, table_, *progress_, hooks);
    const std::string root = std::string(1, s_.state.currentDriveLetter) + ":";
    setStatus(root, false);
    const junk::ScanOutcome outcome = scan.run(root, decimalSeparator());
    model_->sync();
    if (fileCounter_ && s_.state.foundCount > 0)
        fileCounter_->setText(QStringLiteral("files : %1").arg(s_.state.foundCount));

    if (deleteButton_) {
        deleteButton_->setEnabled(true);
        deleteButton_->setFocus();
    }
    QApplication::restoreOverrideCursor();
    busy_ = false;
    if (outcome.foldersRefused)
        s_.dialogs.warning("Orvane", junk::slotTableFullMessage(outcome.foldersRefused,
                                                                junk::PendingFolders::DefaultCapacity));
    s_.dialogs.message("Orvane", junk::scanResultMessage(s_.state.languageIndex, outcome.totalText,
                                                         s_.state.foundCount));
}

void JunkController::BB5Click()
{
    if (refuseWhileBusy())
        return;
    busy_ = true;
    setStatus(junk::DeletingStatusText, true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const junk::DeletionOutcome outcome = junk::deleteMarkedRows(s_.fs, s_.bin, s_.state, table_, *progress_);
    model_->sync();
    QApplication::restoreOverrideCursor();
    busy_ = false;
    if (!outcome.conversionError.empty()) {
        s_.dialogs.error("Orvane", outcome.conversionError);
        return;
    }
    if (deleteButton_)
        deleteButton_->setEnabled(false);
    if (searchButton_)
        searchButton_->setFocus();
    if (s_.refreshRecovered)
        s_.refreshRecovered();
    else
        defaultRefreshRecovered();
    setStatus(junk::CleanedStatusText, false);
    if (fileCounter_)
        fileCounter_->setText(QStringLiteral(" "));
    if (!outcome.notRemoved.empty())
        s_.dialogs.warning("Orvane", junk::notRemovedReport(outcome));
}

void JunkController::defaultRefreshRecovered()
{
    if (recoveredLine_)
        recoveredLine_->setText(QString::fromStdString(junk::recoveredLineText(s_.state.recoveredKB, decimalSeparator())));
    setStatus(junk::RestingStatusText, false);
}

void JunkController::gridClicked()
{
    const QItemSelection selection = grid_->selectionModel()->selection();
    if (selection.isEmpty())
        return;
    int top = selection.first().top(), left = selection.first().left();
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        left = std::min(left, range.left());
    }
    model_->clickAt(top, left);
}

} // namespace orvane
