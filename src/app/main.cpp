#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Orvane"));
    window.resize(928, 494);
    window.show();
    return app.exec();
}
