#include "screens/ToolLabel.h"

#include <QMouseEvent>

namespace orvane {

void setEnabledTextColour(QWidget* widget, const QColor& colour)
{
    // The disabled group keeps its grey, so a tool that is not available looks it.
    QPalette p = widget->palette();
    p.setColor(QPalette::Active, QPalette::WindowText, colour);
    p.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    widget->setPalette(p);
}

ToolLabel::ToolLabel(QWidget* parent, bool hoverEffect) : QLabel(parent), hoverEffect_(hoverEffect)
{
    setCursor(Qt::PointingHandCursor);
}

void ToolLabel::setCaptionColour(const QColor& colour)
{
    setEnabledTextColour(this, colour);
}

void ToolLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    if (hoverEffect_ && isEnabled()) {
        setCursor(Qt::PointingHandCursor);
        setCaptionColour(Qt::blue);
    }
}

void ToolLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (hoverEffect_ && isEnabled()) {
        // Black whatever the colour was before: the label's own colour does not come back.
        setCursor(Qt::ArrowCursor);
        setCaptionColour(Qt::black);
    }
}

void ToolLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace orvane
