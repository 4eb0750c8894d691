#include "screens/Tffolders.h"

#include "junk/FolderPathDetection.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orvane {

namespace {

struct FieldSpec {
    const char* label;
    const char* key; // settings key after a browse, nullptr = not stored
};

constexpr std::array<FieldSpec, Tffolders::FieldCount> Fields{{
    {"IE Cache folder :", "ie"},
    {"IE History Folder:", "hi"},
    {"IE Cookies Folder :", nullptr},
    {"Recycle bin :", "lx"},
    {"Firefox - Netscape Cache Folder :", "nc"},
    {"Firefox - Netscape History path:", "ni"},
}};

} // namespace

Tffolders::Tffolders(TffoldersServices services, QWidget* parent) : QDialog(parent), s_(std::move(services))
{
    setObjectName(QStringLiteral("ffolders"));
    setWindowTitle(QStringLiteral("Temp folders path"));
    setFixedSize(321, 441);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(230, 230, 230));
    setPalette(palette);

    auto* grid = new QGridLayout(this);
    for (int i = 0; i < FieldCount; ++i) {
        auto* label = new QLabel(QString::fromLatin1(Fields[size_t(i)].label), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        edit->setReadOnly(true);
        auto* button = new QPushButton(QStringLiteral("..."), this);
        button->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        button->setFixedWidth(28);
        connect(button, &QPushButton::clicked, this, [this, i] { browse(i); });
        grid->addWidget(label, 2 * i, 0, 1, 2);
        grid->addWidget(edit, 2 * i + 1, 0);
        grid->addWidget(button, 2 * i + 1, 1);
        fields_[size_t(i)] = edit;
    }
    auto* detect = new QPushButton(QStringLiteral("&Auto Detect"), this);
    detect->setObjectName(QStringLiteral("AutoDetect"));
    detect->setToolTip(QStringLiteral("Auto Detect folders paths"));
    connect(detect, &QPushButton::clicked, this, &Tffolders::AutoDetectClick);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(detect, 2 * FieldCount, 0, 1, 2);
    grid->addWidget(close, 2 * FieldCount + 1, 0, 1, 2);
    showPaths();
}

std::string& Tffolders::pathOf(int index)
{
    FolderPaths& p = s_.state.paths;
    std::string* paths[FieldCount] = {&p.ieCache, &p.ieHistory, &p.ieCookies, &p.recycleBin, &p.mozCache, &p.mozHistory};
    return *paths[index];
}

void Tffolders::showPaths()
{
    for (int i = 0; i < FieldCount; ++i)
        fields_[size_t(i)]->setText(QString::fromStdString(pathOf(i)));
}

void Tffolders::browse(int index)
{
    s_.dialogs.message("Orvane", BrowseWarningText);
    QLineEdit* edit = fields_[size_t(index)];
    std::string& path = pathOf(index);
    // The path itself, not the field's display text, so bytes that are not UTF-8 survive.
    if (const auto chosen = s_.dialogs.chooseFolder("Browse for folder", path)) {
        path = *chosen;
        edit->setText(QString::fromStdString(path));
    }
    if (s_.saveSettings)
        s_.saveSettings();
    if (!path.empty() && Fields[size_t(index)].key && s_.storeFolderPath)
        s_.storeFolderPath(Fields[size_t(index)].key + path);
}

void Tffolders::AutoDetectClick()
{
    junk::autoDetectFolderPaths(s_.shell, s_.fs, s_.state.paths, s_.storeFolderPath);
    showPaths();
}

void Tffolders::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && s_.openHelp) {
        s_.openHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace orvane
