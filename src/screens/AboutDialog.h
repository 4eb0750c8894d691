#pragma once
// The About dialog: product name and version, a Close button; F1 asks for the help page.

#include <QDialog>

namespace orvane {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

signals:
    void helpRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace orvane
