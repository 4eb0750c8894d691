#include "platform/qt/QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace orvane {

namespace {
QString q(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
}

QtDialogs::QtDialogs(std::function<QWidget*()> parent, std::function<std::string(const std::string&)> toWindows,
                     std::function<std::string(const std::string&)> toHost)
    : parent_(std::move(parent)), toWindows_(std::move(toWindows)), toHost_(std::move(toHost))
{
}

void QtDialogs::message(const std::string& title, const std::string& text)
{
    QMessageBox::information(parent_(), q(title), q(text));
}

void QtDialogs::warning(const std::string& title, const std::string& text)
{
    QMessageBox::warning(parent_(), q(title), q(text));
}

void QtDialogs::error(const std::string& title, const std::string& text)
{
    QMessageBox::critical(parent_(), q(title), q(text));
}

bool QtDialogs::confirm(const std::string& title, const std::string& text)
{
    return QMessageBox::question(parent_(), q(title), q(text), QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::vector<std::string> QtDialogs::openFiles(const std::string& title, const std::string& filter)
{
    std::vector<std::string> chosen;
    for (const QString& host : QFileDialog::getOpenFileNames(parent_(), q(title), QString(), q(filter))) {
        const std::string win = toWindows_(host.toStdString());
        if (!win.empty())
            chosen.push_back(win);
    }
    return chosen;
}

std::optional<std::string> QtDialogs::chooseFolder(const std::string& title, const std::string& start)
{
    const QString host = QFileDialog::getExistingDirectory(parent_(), q(title), q(toHost_(start)));
    if (host.isEmpty())
        return std::nullopt;
    const std::string win = toWindows_(host.toStdString());
    if (win.empty())
        return std::nullopt;
    return win;
}

} // namespace orvane
