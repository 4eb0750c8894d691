#pragma once
// A label that acts as a link: click signal, hand cursor and, with the hover effect on, a
// caption that turns blue while the mouse is over it and black when it leaves.

#include <QLabel>

namespace orvane {

// Sets the text colour of an enabled widget; disabled, it stays grey.
void setEnabledTextColour(QWidget* widget, const QColor& colour);

class ToolLabel : public QLabel {
    Q_OBJECT
public:
    explicit ToolLabel(QWidget* parent = nullptr, bool hoverEffect = true);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setCaptionColour(const QColor& colour);
    bool hoverEffect_;
};

} // namespace orvane
