#include "screens/LanguageApplier.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

namespace orvane {

namespace {

void setText(QObject* object, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(object))
        label->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(object))
        edit->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(object))
        group->setTitle(text);
    else if (auto* menu = qobject_cast<QMenu*>(object))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setText(text);
    else if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setWindowTitle(text);
}

// The window an object belongs to; menus are popups of their window, not windows of their own.
QObject* ownerWindow(QObject* object)
{
    for (QObject* o = object; o; o = o->parent())
        if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow() && !qobject_cast<QMenu*>(w))
            return w;
    return nullptr;
}

} // namespace

QObject* findInOwnWindow(QObject* root, const QString& name)
{
    if (root->objectName() == name)
        return root;
    QObject* owner = ownerWindow(root);
    for (QObject* candidate : root->findChildren<QObject*>(name))
        if (ownerWindow(candidate) == owner)
            return candidate;
    return nullptr;
}

void applyLanguage(QObject* root, std::span<const TextRow> rows, int languageIndex)
{
    if (!root || !isLanguage(languageIndex))
        return;
    for (const TextRow& row : rows) {
        const QString name = QString::fromUtf8(row.objectName.data(), qsizetype(row.objectName.size()));
        QObject* object = findInOwnWindow(root, name);
        if (!object)
            continue;
        const std::string_view text = pickText(row.texts, languageIndex);
        setText(object, QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
}

} // namespace orvane
