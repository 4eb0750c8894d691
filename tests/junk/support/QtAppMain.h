#pragma once
// One QApplication for the widget tests of this executable.

#include <QApplication>

namespace orvane::test {

inline QApplication& qtApp()
{
    static int argc = 1;
    static char name[] = "junk_widget_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = QApplication::instance() ? nullptr : new QApplication(argc, argv);
    (void)app;
    return *qobject_cast<QApplication*>(QApplication::instance());
}

} // namespace orvane::test
