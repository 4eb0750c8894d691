#include "screens/TFwipe.h"

#include "platform/FileSystemKind.h"
#include "platform/ProgramFolder.h"
#include "platform/WinPath.h"
#include "platform/Progress.h"
#include "screens/TFwipeList.h"
#include "screens/TFwipeTexts.h"
#include "shredder/TSWipe.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace orvane {
namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The busy cursor for the length of a scope, whichever way it is left.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

QLabel* linkLabel(QWidget* parent, const char* name, QObject* filter)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setStyleSheet("color: blue; font-weight: bold; text-decoration: underline;");
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(filter);
    return label;
}

} // namespace

QPoint initialWindowPosition(QSize window, QRect screen)
{
    if (screen.height() <= 600)
        return {0, 0};
    return {screen.x() + (screen.width() - window.width()) / 2, screen.y() + (screen.height() - window.height()) / 2};
}

// The status box as the engine's progress sink: every text is painted at once, and pumping
// keeps the window usable during a run.
class TFwipe::StatusBox : public Progress {
public:
    explicit StatusBox(QLineEdit* box) : box_(box) {}
    void status(std::string_view text) override
    {
        box_->setText(qs(text));
        box_->repaint();
    }

protected:
    void doPump() override { QCoreApplication::processEvents(); }

private:
    QLineEdit* box_;
};

namespace {

// Clicks on the link labels, routed to the screen's handlers.
class LinkClicks : public QObject {
public:
    explicit LinkClicks(TFwipe* screen) : QObject(screen), screen_(screen) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        const QString name = watched->objectName();
        if (name == "Label7")
            screen_->About1Click();
        else if (name == "URLLabel4")
            screen_->URLLabel4Click();
        else if (name == "UrlLabel1")
            screen_->UrlLabel1Click();
        return true;
    }

private:
    TFwipe* screen_;
};

} // namespace

TFwipe::TFwipe(FileSystem& files, Dialogs& dialogs, Desktop& desktop, const int& languageIndex, QWidget* parent)
    : QWidget(parent), files_(files), dialogs_(dialogs), desktop_(desktop), languageIndex_(languageIndex)
{
    setObjectName("FWipe");
    setWindowTitle(qs(wipetext::Caption));
    helpPage_ = ProgramFolder::locate().file(wipetext::HelpPage);
    toWindows_ = [](const std::string& host) -> std::optional<std::string> {
        if (host.empty() || host.front() != '/')
            return std::nullopt;
        std::string path = "Z:" + host;
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return path;
    };
    fileSystemOf_ = [](const std::string& host) { return fileSystemName(host); };
    buildWidgets();
    ApplyLanguage();
    resize(640, 520);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(initialWindowPosition(size(), screen->availableGeometry()));
}

TFwipe::~TFwipe() = default;

void TFwipe::buildWidgets()
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* layout = new QVBoxLayout(this);
    auto* menus = new QMenuBar(this);
    auto* open = menus->addMenu(QString());
    open->setObjectName("Open1");
    auto* addFile = open->addAction(QString(), this, [this] { SpeedButton1Click(); });
    addFile->setObjectName("file1");
    auto* addFolder = open->addAction(QString(), this, [this] { btnDirectoryClick(); });
    addFolder->setObjectName("folder1");
    menus->addAction(QString(), this, [this] { Button1Click(); })->setObjectName("Shred1");
    menus->addAction(QString(), this, [this] { SpeedButton4Click(); })->setObjectName("Clearlist1");
    menus->addAction(QString(), this, [this] { SpeedButton3Click(); })->setObjectName("Removeitem1");
    menus->addAction(QString(), this, [this] { About1Click(); })->setObjectName("About1");
    layout->setMenuBar(menus);

    auto* title = new QLabel(this);
    title->setObjectName("Label6");
    QFont big = title->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    title->setFont(big);
    layout->addWidget(title);
    auto* hint = new QLabel(this);
    hint->setObjectName("Label4");
    layout->addWidget(hint);

    list_ = new TFwipeList(this);
    list_->setObjectName("DnDListBox1");
    list_->setStyleSheet("QListWidget { background: rgb(30, 30, 30); color: white; font-family: Arial; }"
                         " QListWidget::item { height: 18px; }");
    list_->onDropped = [this](const std::string& hostPath) { appendDropped(hostPath); };
    layout->addWidget(list_, 1);

    auto* row = new QHBoxLayout;
    auto* box = new QGroupBox(this);
    box->setObjectName("RadioGroup1");
    auto* boxLayout = new QVBoxLayout(box);
    methods_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(box);
        item->setObjectName(QString("RadioGroup1Item%1").arg(i));
        methods_->addButton(item, i);
        boxLayout->addWidget(item);
    }
    methods_->button(SinglePass)->setChecked(true);
    row->addWidget(box, 1);

    auto* side = new QVBoxLayout;
    shred_ = new QPushButton(this);
    shred_->setObjectName("BitBtnWithColor1");
    shred_->setToolTip("delete files forever");
    connect(shred_, &QPushButton::clicked, this, [this] { Button1Click(); });
    side->addWidget(shred_);
    auto* note = new QLabel(this);
    note->setObjectName("Label1");
    note->setWordWrap(true);
    side->addWidget(note);
    row->addLayout(side, 1);
    layout->addLayout(row);

    status_ = new QLineEdit(qs(IdleStatusText), this);
    status_->setObjectName("Edit2");
    status_->setReadOnly(true);
    status_->setFrame(false);
    layout->addWidget(status_);

    auto* links = new QHBoxLayout;
    auto* clicks = new LinkClicks(this);
    links->addWidget(linkLabel(this, "Label7", clicks));
    links->addStretch(1);
    links->addWidget(linkLabel(this, "URLLabel4", clicks));
    links->addWidget(linkLabel(this, "UrlLabel1", clicks));
    layout->addLayout(links);
}

void TFwipe::ApplyLanguage()
{
    applyLanguage(this, tfwipeTexts(), languageIndex_);
}

bool TFwipe::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        ApplyLanguage();
    return QWidget::event(event);
}

void TFwipe::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        About1Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFwipe::setPathMapper(std::function<std::optional<std::string>(const std::string&)> toWindows)
{
    toWindows_ = std::move(toWindows);
}

std::vector<std::string> TFwipe::lines() const
{
    std::vector<std::string> out;
    for (int i = 0; i < list_->count(); ++i)
        out.push_back(list_->item(i)->data(Qt::UserRole).toByteArray().toStdString());
    return out;
}

// Each line keeps its path's exact bytes in UserRole; the shown text has invalid UTF-8 replaced.
static void setLine(QListWidgetItem* item, const std::string& path)
{
    item->setData(Qt::UserRole, QByteArray::fromStdString(path));
    item->setText(QString::fromUtf8(path.data(), qsizetype(path.size())));
}

void TFwipe::appendDropped(const std::string& hostPath)
{
    const auto path = toWindows_ ? toWindows_(hostPath) : std::nullopt;
    if (!path) {
        dialogs_.error(std::string(wipetext::Caption), hostPath + " is not on any drive of the prefix; it was not added.");
        return;
    }
    setLine(new QListWidgetItem(list_), *path);
}

void TFwipe::appendUnlessListed(const std::string& path)
{
    // Letter case is ignored beyond ASCII too ("Été" equals "été"), as Windows compares names.
    const QString wanted = QString::fromUtf8(path.data(), qsizetype(path.size()));
    for (const auto& line : lines())
        if (winpath::equalsNoCase(line, path) ||
            QString::fromUtf8(line.data(), qsizetype(line.size())).compare(wanted, Qt::CaseInsensitive) == 0)
            return;
    setLine(new QListWidgetItem(list_), path);
}

void TFwipe::SpeedButton1Click()
{
    // The dialog lets several files be picked at once; each is added, none silently dropped.
    for (const auto& chosen : dialogs_.openFiles(std::string(wipetext::OpenFileTitle), "All files (*)"))
        if (!chosen.empty())
            appendUnlessListed(chosen);
}

void TFwipe::btnDirectoryClick()
{
    const auto folder = dialogs_.chooseFolder(std::string(wipetext::SelectFolder), "");
    if (folder && !folder->empty())
        appendUnlessListed(*folder);
}

void TFwipe::SpeedButton4Click()
{
    if (running_)
        return; // the run is working through the lines by their positions
    list_->clear();
}

void TFwipe::SpeedButton3Click()
{
    if (running_)
        return;
    BusyCursor busy;
    for (QListWidgetItem* item : list_->selectedItems())
        delete item;
}

void TFwipe::About1Click()
{
    desktop_.openDocument(helpPage_);
}

void TFwipe::URLLabel4Click()
{
    desktop_.openMail(std::string(wipetext::ContactAddress), std::string(wipetext::MailSubject));
}

void TFwipe::UrlLabel1Click()
{
    desktop_.openUrl(std::string(wipetext::Website));
}

int TFwipe::methodIndex() const
{
    return methods_->checkedId() < 0 ? SinglePass : methods_->checkedId();
}

bool TFwipe::confirmUnreliableFileSystems(int count)
{
    std::vector<std::string> unreliable;
    for (int i = 0; i < count; ++i) {
        const std::string line = list_->item(i)->data(Qt::UserRole).toByteArray().toStdString();
        if (line.empty())
            continue;
        const auto host = files_.hostPath(line);
        const auto kind = host && fileSystemOf_ ? fileSystemOf_(*host) : std::nullopt;
        if (kind && overwriteIsUnreliable(*kind))
            unreliable.push_back(line + "  (" + *kind + ")");
    }
    return unreliable.empty() || dialogs_.confirm(std::string(wipetext::Caption), wipetext::unreliableWarning(unreliable));
}

void TFwipe::Button1Click()
{
    if (running_)
        return;
    const int count = list_->count();
    if (!confirmUnreliableFileSystems(count))
        return;
    running_ = true;
    shredLines(count);
    running_ = false;
}

void TFwipe::shredLines(int count)
{
    BusyCursor busy;
    StatusBox status(status_);
    TSWipe engine(files_, status, [this] { return methodIndex(); });
    const std::string title(wipetext::Caption);
    for (int i = 0; i < count; ++i) {
        QListWidgetItem* item = list_->item(i);
        const std::string path = item->data(Qt::UserRole).toByteArray().toStdString();
        if (path.empty())
            continue;
        const auto entry = files_.stat(path);
        if (entry && entry->isLink()) {
            dialogs_.error(title, wipetext::linkRefused(path));
            continue;
        }
        if (entry && entry->isFolder()) {
            if (!dialogs_.confirm(title, wipetext::confirmFolder(path)))
                continue;
            try {
                if (engine.WipeFolder(path))
                    setLine(item, "");
                else
                    dialogs_.error(title, engine.folderFailure());
            } catch (const EWipe& error) {
                // The tree is partly shredded; stop and say what is left.
                std::vector<std::string> left;
                for (int j = i; j < count; ++j) {
                    const std::string line = list_->item(j)->data(Qt::UserRole).toByteArray().toStdString();
                    if (!line.empty())
                        left.push_back(line);
                }
                status.status(IdleStatusText);
                dialogs_.error(title, wipetext::linesLeft(error.what(), left));
                return;
            }
            continue;
        }
        if (!entry) {
            dialogs_.message(title, wipetext::fileNotFound(path));
            continue;
        }
        try {
            engine.WipeFile(path);
            setLine(item, "");
        } catch (const EWipe& error) {
            status.status(IdleStatusText);
            dialogs_.error(title, error.what());
        }
    }
}

} // namespace orvane
