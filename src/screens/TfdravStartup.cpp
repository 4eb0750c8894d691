// The main window's start-up (FormCreate, Timer3), activation, closing and the handlers that
// work on its shared state.
#include "screens/Tfdrav.h"

#include "app/Contacts.h"
#include "junk/SizeFormat.h"
#include "screens/AboutDialog.h"
#include "screens/LanguageApplier.h"
#include "screens/TfdravTexts.h"
#include "screens/ToolLabel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace orvane {

namespace {
constexpr int timer3IntervalMs = 250;
constexpr int smallScreenHeight = 600; // pixels: at most this, the window starts top-left
std::string file(const std::string& folder, std::string_view name) { return folder + "/" + std::string(name); }
} // namespace

Tfdrav::Tfdrav(TfdravServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      settings_(file(services_.programFolder, settingsFileName), services_.dialogs),
      language_(file(services_.programFolder, languageFileName))
{
    setObjectName(QStringLiteral("fdrav"));
    setWindowTitle(QStringLiteral("Orvane"));
    QFont design(QStringLiteral("Arial"), 8);
    design.setBold(true);
    setFont(design);
    buildMenus();
    buildWidgets();
    syncFromState();
    resize(928, 494 + menuBar()->sizeHint().height());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    // Created disabled and hidden; Timer3 enables and shows the window once the loop runs.
    setEnabled(false);
    Timer3_ = new QTimer(this);
    Timer3_->setObjectName(QStringLiteral("Timer3"));
    Timer3_->setSingleShot(true);
    Timer3_->setInterval(timer3IntervalMs);
    connect(Timer3_, &QTimer::timeout, this, [this] {
        setEnabled(true);
        show();
        Timer3_->stop();
    });
    Timer3_->start();

    qApp->installEventFilter(this); // keyboard preview: F1 from any control of this window
    FormCreate();
    emit created();
}

Tfdrav::~Tfdrav()
{
    qApp->removeEventFilter(this);
}

void Tfdrav::FormCreate()
{
    // 2: drive sizes as they are at start-up, kept for the statistics and information screens.
    std::vector<char> letters;
    for (int i = 0; i < DCB1_->count(); ++i)
        letters.push_back(char(DCB1_->itemData(i).toInt()));
    driveSizes_ = StartupDriveSizes::measure(services_.drives, letters);
    driveSizes_.save(file(services_.programFolder, driveSizesFileName));

    // 3
    state_.currentDriveLetter = selectedDrive();

    // 4: without a readable settings file the window keeps its design-time state.
    if (Status status = settings_.read(); !status) {
        services_.dialogs.error("Orvane", status.message);
        return;
    }
    LoadSettings();

    // 5
    state_.recoveredKB = 0;
    RefreshRecovered();

    // 6: the grid's header and one empty row are made with the grid.
    // 7
    if (services_.detectFolderPaths)
        services_.detectFolderPaths(state_, settings_);
    // 8: the automatic IE cache option (ac1) is set by the privacy cleaners when they are
    // plugged in; until then it stays unchecked and disabled.

    // 9
    const LanguageFile::Reading reading = language_.read();
    if (!reading.error.empty()) {
        services_.dialogs.error("Orvane", reading.error);
        return;
    }
    state_.languageIndex = reading.languageIndex;
    ApplyLanguage();
    checkIdiomItem(state_.languageIndex);

    // 10
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(startPosition(screen->geometry(), frameGeometry().size()));
}

QPoint Tfdrav::startPosition(const QRect& screen, const QSize& frame)
{
    if (screen.height() <= smallScreenHeight)
        return {0, 0};
    return {screen.x() + (screen.width() - frame.width()) / 2, screen.y() + (screen.height() - frame.height()) / 2};
}

char Tfdrav::selectedDrive() const
{
    return DCB1_->currentIndex() >= 0 ? char(DCB1_->currentData().toInt()) : state_.currentDriveLetter;
}

void Tfdrav::DCB1Change(int)
{
    bwc10_->setEnabled(false);
    state_.currentDriveLetter = selectedDrive();
    if (clearResultsGrid_)
        clearResultsGrid_();
}

void Tfdrav::LoadSettings()
{
    settings_.LoadSettings(state_);
    syncFromState();
}

void Tfdrav::syncFromState()
{
    for (size_t i = 0; i < patternBoxes_.size(); ++i) {
        const QSignalBlocker block(patternBoxes_[i]);
        patternBoxes_[i]->setChecked(state_.patterns[i]);
    }
    {
        const QSignalBlocker block(CheckBox26_);
        CheckBox26_->setChecked(state_.deadLinks);
    }
    Deletefiles1_->setChecked(state_.deleteFromDisk);
    SenddeletedfilestoRecycledbin1_->setChecked(!state_.deleteFromDisk);
}

void Tfdrav::RefreshRecovered()
{
    const char separator = junk::localeDecimalSeparator();
    Edit2_->setText(QString::fromStdString(junk::recoveredLineText(state_.recoveredKB, separator)));
    Edit3_->setText(QString::fromLatin1(junk::RestingStatusText));
}

void Tfdrav::ApplyLanguage()
{
    applyLanguage(this, tfdravTexts(), state_.languageIndex);
    // When start-up stopped before idiom.txt was read (no settings file), an activation must
    // not replace the stored language with the design-time English.
    if (!language_.wasRead())
        return;
    const Status status = language_.write(state_.languageIndex);
    // Shown once per distinct failure: the window is activated again after every message box,
    // and each activation saves the file again.
    if (!status && status.message != lastLanguageSaveError_) {
        lastLanguageSaveError_ = status.message;
        services_.dialogs.error("Orvane", status.message);
    } else if (status) {
        lastLanguageSaveError_.clear();
    }
}

void Tfdrav::chooseLanguage(int languageIndex)
{
    state_.languageIndex = languageIndex;
    if (!language_.wasRead())
        language_.read(); // the file's lines, so that its first line is kept; the choice wins
    ApplyLanguage();
    checkIdiomItem(languageIndex);
}

void Tfdrav::checkIdiomItem(int languageIndex)
{
    for (auto& [index, item] : idiomItems_)
        item->setChecked(index == languageIndex);
}

void Tfdrav::openHelp()
{
    services_.desktop.openDocument(file(services_.programFolder, helpPageName));
}

void Tfdrav::showAbout()
{
    auto* about = new AboutDialog(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    connect(about, &AboutDialog::helpRequested, this, &Tfdrav::openHelp);
    about->open();
}

void Tfdrav::setToolHandler(int toolIndex, std::function<void()> handler)
{
    if (toolIndex < 0 || toolIndex >= int(Tool::Count))
        return;
    const bool enabled = bool(handler);
    toolHandlers_[size_t(toolIndex)] = std::move(handler);
    toolLabels_[size_t(toolIndex)]->setEnabled(enabled);
    toolPictures_[size_t(toolIndex)]->setEnabled(enabled);
}

void Tfdrav::setCommandHandler(const QString& objectName, std::function<void()> handler)
{
    const bool enabled = bool(handler);
    commands_[objectName] = std::move(handler);
    if (objectName == QLatin1String("bwc10"))
        return;
    if (QObject* control = findInOwnWindow(this, objectName)) {
        if (auto* widget = qobject_cast<QWidget*>(control))
            widget->setEnabled(enabled);
        else if (auto* action = qobject_cast<QAction*>(control))
            action->setEnabled(enabled);
    }
    if (objectName == QLatin1String("URLLabel3"))
        URLLabel3_->setCursor(enabled ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void Tfdrav::setClearResultsGrid(std::function<void()> clear)
{
    clearResultsGrid_ = std::move(clear);
}

bool Tfdrav::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == this) {
            openHelp();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tfdrav::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ApplyLanguage(); // FormActivate
}

void Tfdrav::closeEvent(QCloseEvent* event)
{
    settings_.SaveSettings(state_);
    QMainWindow::closeEvent(event);
}

} // namespace orvane
