// The main window's controls and menus, with their component names as object names.
#include "screens/Tfdrav.h"

#include "app/Contacts.h"
#include "app/PatternBoxes.h"
#include "app/Texts.h"
#include "screens/Pictures.h"
#include "screens/ToolLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace orvane {

namespace {

QString q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

const QString restingStatus = QStringLiteral("              System Cleaner");

struct ToolSpec {
    const char* label;
    const char* picture;
    const char* caption;
    QColor colour;
    const char* hint;
    Picture image;
};

// Left to right along the bottom edge.
const ToolSpec toolSpecs[] = {
    {"Label3", "Image4", "Graphs", Qt::blue, "View DIsk Graphics and Stats", Picture::Graphs},
    {"Label7", "Image5", "Duplicate", Qt::darkGreen, "Perform duplicate files search ", Picture::Duplicate},
    {"Label12", "Image6", "Shredder", Qt::red, "File shredder", Picture::Shredder},
    {"Label11", "Image7", "PC errors", Qt::blue, "Registry cleaner", Picture::PcErrors},
    {"Label9", "Image8", "Immunize", Qt::red, "Block spyware and trojans", Picture::Immunize},
    {"Label10", "Image9", "Winclean", Qt::blue, "Clean items in popular sofatwares", Picture::Winclean},
    {"Label8", "Image10", "Tools", Qt::darkGreen, "Disk Information and System info", Picture::Tools},
};

struct ButtonSpec {
    const char* name;
    const char* text;
    const char* hint;
};

const ButtonSpec buttonSpecs[] = {
    {"BitBtnWithColor5", "&Search for junk files", "Start search"},
    {"bwc10", "De&lete junk files", "Delete files showed on grid"},
    {"BitBtnWithColor9", "Empty Windows Tem&porary folder", "Clean temporary folders of disk"},
    {"BitBtnWithColor11", "Empty browser &Cache", "Deletes web browser cache for select drive(if exists)"},
    {"BitBtnWithColor8", "Clear R&ecent openned list", "Clean Windows Recent Documents List"},
    {"BitBtnWithColor12", "Empty browser &History", "Clears the history of url's  you see"},
    {"BitBtnWithColor7", "Empty Rec&ycle Bin", "Clean Recycle bin (Windows)"},
};

// Idiom menu items in their alphabetical order, with their LanguageIndex.
struct IdiomSpec {
    const char* name;
    const char* caption;
    int index;
};
const IdiomSpec idiomSpecs[] = {
    {"Deutsch1", "Deutsch", 7},   {"Dutch1", "Dutch", 6},         {"English1", "English", 1},
    {"Espanol1", "Espanol", 4},   {"Francais1", "Francais", 3},   {"Italiano1", "Italiano", 5},
    {"Norwegian1", "Norwegian", 8}, {"Portugues1", "Portugues", 2},
};

QLabel* linkLabel(QWidget* parent, const char* name, const char* text, bool underline)
{
    auto* label = new ToolLabel(parent, false);
    label->setObjectName(QString::fromLatin1(name));
    label->setText(QString::fromLatin1(text));
    QFont f = label->font();
    f.setBold(true);
    f.setUnderline(underline);
    label->setFont(f);
    setEnabledTextColour(label, Qt::blue);
    return label;
}

} // namespace

void Tfdrav::buildMenus()
{
    auto action = [this](QMenu* menu, const char* name, const char* text) {
        auto* a = menu->addAction(QString::fromLatin1(text));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    auto commandAction = [this, &action](QMenu* menu, const char* name, const char* text) {
        QAction* a = action(menu, name, text);
        a->setEnabled(false); // until its work is plugged in
        const QString key = QString::fromLatin1(name);
        connect(a, &QAction::triggered, this, [this, key] {
            if (auto it = commands_.find(key); it != commands_.end() && it->second)
                it->second();
        });
        return a;
    };

    QMenu* options = menuBar()->addMenu(QStringLiteral("Optio&ns"));
    options->setObjectName(QStringLiteral("options1"));
    Deletefiles1_ = action(options, "Deletefiles1", "Shred - &Delete files from disk");
    SenddeletedfilestoRecycledbin1_ = action(options, "SenddeletedfilestoRecycledbin1", "&Send deleted files to recycle bin");
    for (QAction* mode : {Deletefiles1_, SenddeletedfilestoRecycledbin1_}) {
        mode->setCheckable(true);
        connect(mode, &QAction::triggered, this, [this] {
            Deletefiles1Click(state_, settings_);
            syncFromState();
        });
    }
    commandAction(options, "ViewSetCleanFolders1", "&View/Set folders path");
    // The automatic IE cache option reads and writes the browser's registry setting; it is
    // enabled when that work is plugged in.
    QAction* ac1 = commandAction(options, "ac1", "&Automatic clean IE cache(browser exit)");
    ac1->setCheckable(true);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("HELP1"));
    connect(action(help, "About2", "Help&Topics"), &QAction::triggered, this, &Tfdrav::openHelp);
    help->addSeparator();
    connect(action(help, "About1", "&About"), &QAction::triggered, this, &Tfdrav::showAbout);
    connect(action(help, "Support1", "Suppo&rt"), &QAction::triggered, this,
            [this] { services_.desktop.openMail(std::string(supportMail), "Support Orvane"); });
    QMenu* update = help->addMenu(QStringLiteral("&Update"));
    update->setObjectName(QStringLiteral("Update1"));
    commandAction(update, "AutoUpdate1", "&Check for updates");
    connect(action(help, "Website1", "&Website"), &QAction::triggered, this,
            [this] { services_.desktop.openUrl(std::string(websiteUrl)); });

    QMenu* idiom = menuBar()->addMenu(QStringLiteral("&Idiom"));
    idiom->setObjectName(QStringLiteral("Idiom1"));
    for (const IdiomSpec& spec : idiomSpecs) {
        QAction* item = action(idiom, spec.name, spec.caption);
        item->setCheckable(true);
        item->setChecked(spec.index == English);
        const int index = spec.index;
        connect(item, &QAction::triggered, this, [this, index] { chooseLanguage(index); });
        idiomItems_[index] = item;
    }

    QAction* close = menuBar()->addAction(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("Close1"));
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void Tfdrav::buildWidgets()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Client"));
    central->setAutoFillBackground(true);
    QPalette white = central->palette();
    white.setColor(QPalette::Window, Qt::white);
    central->setPalette(white);
    setCentralWidget(central);

    // Banner, links, update picture and logo.
    auto* Image1 = new QLabel(central);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(drawBanner(180, 36));
    auto* UrlLabel1 = linkLabel(central, "UrlLabel1", "website", true);
    UrlLabel1->setToolTip(q(websiteUrl));
    auto* URLLabel4 = linkLabel(central, "URLLabel4", "Email", true);
    auto* Label16 = linkLabel(central, "Label16", "Help", false);
    connect(static_cast<ToolLabel*>(UrlLabel1), &ToolLabel::clicked, this,
            [this] { services_.desktop.openUrl(std::string(websiteUrl)); });
    connect(static_cast<ToolLabel*>(URLLabel4), &ToolLabel::clicked, this,
            [this] { services_.desktop.openMail(std::string(supportMail), "contact us"); });
    connect(static_cast<ToolLabel*>(Label16), &ToolLabel::clicked, this, &Tfdrav::openHelp);
    auto* Image12 = new ToolLabel(central, false);
    Image12->setObjectName(QStringLiteral("Image12"));
    Image12->setPixmap(drawPicture(Picture::Update, 30));
    Image12->setToolTip(QStringLiteral("Update program"));
    Image12->setEnabled(false);
    connect(Image12, &ToolLabel::clicked, this, [this] {
        if (auto it = commands_.find(QStringLiteral("Image12")); it != commands_.end() && it->second)
            it->second();
    });
    auto* Image3 = new QLabel(central);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPixmap(drawPicture(Picture::Logo, 36));
    auto* top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addStretch();
    for (QWidget* w : {static_cast<QWidget*>(UrlLabel1), static_cast<QWidget*>(URLLabel4),
                       static_cast<QWidget*>(Label16), static_cast<QWidget*>(Image12), static_cast<QWidget*>(Image3)})
        top->addWidget(w);
    top->setSpacing(14);

    Edit3_ = new QLineEdit(restingStatus, central);
    Edit3_->setObjectName(QStringLiteral("Edit3"));
    Edit3_->setReadOnly(true);
    Edit3_->setFrame(false);
    Edit3_->setFocusPolicy(Qt::NoFocus);
    QFont statusFont = font();
    statusFont.setPointSize(10);
    Edit3_->setFont(statusFont);

    // Results grid: the header row and one empty row until the junk cleaner's model arrives.
    asg1_ = new QTableView(central);
    asg1_->setObjectName(QStringLiteral("asg1"));
    placeholderGrid_ = new QStandardItemModel(1, 4, asg1_);
    placeholderGrid_->setHorizontalHeaderLabels(
        {QStringLiteral("NAME"), QStringLiteral("PATH"), QStringLiteral("SIZE"), QStringLiteral("DELETE?")});
    asg1_->setModel(placeholderGrid_);
    asg1_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    asg1_->verticalHeader()->hide();
    asg1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    clearResultsGrid_ = [this] {
        if (asg1_->model() == placeholderGrid_) {
            placeholderGrid_->setRowCount(0);
            placeholderGrid_->setRowCount(1);
        }
    };

    auto* buttons = new QVBoxLayout;
    for (const ButtonSpec& spec : buttonSpecs) {
        auto* button = new QPushButton(QString::fromLatin1(spec.text), central);
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setToolTip(QString::fromLatin1(spec.hint));
        button->setEnabled(false); // until its work is plugged in
        const QString key = button->objectName();
        connect(button, &QPushButton::clicked, this, [this, key] {
            if (auto it = commands_.find(key); it != commands_.end() && it->second)
                it->second();
        });
        buttons->addWidget(button);
        if (key == QLatin1String("bwc10"))
            bwc10_ = button;
    }
    buttons->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(asg1_, 1);
    middle->addLayout(buttons);

    // Drive box, file counter and recovered-space line.
    DCB1_ = new QComboBox(central);
    DCB1_->setObjectName(QStringLiteral("DCB1"));
    DCB1_->setToolTip(QStringLiteral("Select Disk to search"));
    QPalette navy = DCB1_->palette();
    navy.setColor(QPalette::Text, QColor(0, 0, 128));
    navy.setColor(QPalette::ButtonText, QColor(0, 0, 128));
    DCB1_->setPalette(navy);
    for (char letter : services_.drives.letters()) {
        QString text = QString(QChar(letter)) + QStringLiteral(":");
        if (auto volume = services_.drives.volume(letter); volume && !volume->name.empty())
            text += QStringLiteral(" [") + q(volume->name) + QStringLiteral("]");
        DCB1_->addItem(text, QVariant(int(letter)));
    }
    const int start = DCB1_->findData(QVariant(int(services_.startDrive)));
    DCB1_->setCurrentIndex(start >= 0 ? start : 0);
    connect(DCB1_, &QComboBox::currentIndexChanged, this, &Tfdrav::DCB1Change);

    URLLabel3_ = new ToolLabel(central, false);
    URLLabel3_->setObjectName(QStringLiteral("URLLabel3"));
    URLLabel3_->setText(QStringLiteral("Files  :  0"));
    URLLabel3_->setToolTip(QStringLiteral("clicks in all buttons above"));
    URLLabel3_->setCursor(Qt::ArrowCursor);
    connect(static_cast<ToolLabel*>(URLLabel3_), &ToolLabel::clicked, this, [this] {
        if (auto it = commands_.find(QStringLiteral("URLLabel3")); it != commands_.end() && it->second)
            it->second();
    });
    Edit2_ = new QLineEdit(QStringLiteral("Disk Space Recovered:    0.00 Mb  "), central);
    Edit2_->setObjectName(QStringLiteral("Edit2"));
    Edit2_->setReadOnly(true);
    Edit2_->setFrame(false);
    Edit2_->setFocusPolicy(Qt::NoFocus);
    Edit2_->setMinimumWidth(285);
    auto* info = new QHBoxLayout;
    info->addWidget(DCB1_);
    info->addSpacing(16);
    info->addWidget(URLLabel3_);
    info->addSpacing(16);
    info->addWidget(Edit2_);
    info->addStretch();

    // Pattern block: seven columns of at most four rows; "Legend" under the seventh column.
    auto* patterns = new QGridLayout;
    patterns->setHorizontalSpacing(14);
    patterns->setVerticalSpacing(2);
    auto makeBox = [central](const PatternBox& box) {
        auto* check = new QCheckBox(q(box.caption), central);
        check->setObjectName(q(box.component));
        check->setFocusPolicy(Qt::NoFocus);
        return check;
    };
    for (const PatternBox& box : patternBoxes) {
        QCheckBox* check = makeBox(box);
        patternBoxes_[size_t(box.pattern)] = check;
        patterns->addWidget(check, box.row - 1, box.column - 1);
        const size_t index = size_t(box.pattern);
        connect(check, &QCheckBox::toggled, this, [this, index](bool on) { state_.patterns[index] = on; });
    }
    CheckBox26_ = makeBox(deadLinkBox);
    CheckBox26_->setToolTip(QStringLiteral("find dead links *.lnk"));
    CheckBox26_->setVisible(false);
    patterns->addWidget(CheckBox26_, deadLinkBox.row - 1, deadLinkBox.column - 1);
    connect(CheckBox26_, &QCheckBox::toggled, this, [this](bool on) { state_.deadLinks = on; });
    auto* Label4 = new ToolLabel(central);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setText(QStringLiteral("Legend"));
    connect(Label4, &ToolLabel::clicked, this, [this] {
        services_.desktop.openDocument(services_.programFolder + "/" + std::string(legendFileName));
    });
    patterns->addWidget(Label4, 3, 6);

    // Tool row.
    auto* tools = new QHBoxLayout;
    tools->addStretch();
    QFont toolFont = font();
    toolFont.setPointSize(10);
    for (size_t i = 0; i < std::size(toolSpecs); ++i) {
        const ToolSpec& spec = toolSpecs[i];
        auto* picture = new ToolLabel(central, false);
        picture->setObjectName(QString::fromLatin1(spec.picture));
        picture->setPixmap(drawPicture(spec.image, 32));
        picture->setAlignment(Qt::AlignCenter);
        picture->setToolTip(QString::fromLatin1(spec.hint));
        auto* label = new ToolLabel(central);
        label->setObjectName(QString::fromLatin1(spec.label));
        label->setText(QString::fromLatin1(spec.caption));
        label->setFont(toolFont);
        label->setAlignment(Qt::AlignCenter);
        label->setToolTip(QString::fromLatin1(spec.hint));
        setEnabledTextColour(label, spec.colour);
        for (ToolLabel* part : {picture, label}) {
            part->setEnabled(false); // until its screen is plugged in
            connect(part, &ToolLabel::clicked, this, [this, i] {
                if (!toolHandlers_[i])
                    return;
                toolHandlers_[i]();
                if (i == size_t(Tool::Duplicate)) {
                    // The duplicate finder shows without a modal loop; what it deletes later
                    // refreshes the panel itself.
                    RefreshRecovered();
                    update();
                }
            });
        }
        toolPictures_[i] = picture;
        toolLabels_[i] = label;
        auto* column = new QVBoxLayout;
        column->setSpacing(1);
        column->addWidget(picture);
        column->addWidget(label);
        tools->addLayout(column);
        tools->addSpacing(18);
    }
    tools->addStretch();

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(5);
    layout->addLayout(top);
    layout->addWidget(Edit3_);
    layout->addLayout(middle, 1);
    layout->addLayout(info);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(patterns);
    bottom->addStretch();
    layout->addLayout(bottom);
    layout->addLayout(tools);
}

} // namespace orvane
