#pragma once
// Every screen keeps a table of (objectName, Translations) rows; applyLanguage sets each named
// widget's text for LanguageIndex. A value outside 1..8 sets nothing, so the screen keeps what
// it shows. Usage in a screen's activation:  applyLanguage(this, myScreenTexts(), state.languageIndex);

#include "app/Texts.h"

#include <span>
#include <string_view>

class QObject;
class QString;

namespace orvane {

struct TextRow {
    std::string_view objectName;
    Translations texts; // English first; an empty entry falls back to English
};

// The object named `name` in `root` or below that belongs to root's own window (a dialog
// parented to the window may reuse a component name); nullptr if none.
QObject* findInOwnWindow(QObject* root, const QString& name);

// Sets the text of every row's object found under `root` (buttons, labels, check boxes,
// line edits, group boxes, menus and menu actions). Rows naming no object are skipped.
void applyLanguage(QObject* root, std::span<const TextRow> rows, int languageIndex);

} // namespace orvane
