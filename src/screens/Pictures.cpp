#include "screens/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace orvane {

namespace {

void document(QPainter& p, QRectF r, QColor fill)
{
    p.setBrush(fill);
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QPen(QColor(255, 255, 255, 200), r.width() / 12));
    for (int i = 1; i <= 3; ++i) {
        const double y = r.top() + r.height() * i / 4.5;
        p.drawLine(QPointF(r.left() + r.width() * 0.2, y), QPointF(r.right() - r.width() * 0.2, y));
    }
    p.setPen(Qt::NoPen);
}

} // namespace

QPixmap drawPicture(Picture picture, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double s = size;
    switch (picture) {
    case Picture::Graphs: {
        const QColor colours[] = {QColor(40, 90, 200), QColor(60, 160, 80), QColor(220, 150, 30), QColor(200, 60, 60)};
        const double heights[] = {0.45, 0.8, 0.6, 0.3};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(colours[i]);
            p.drawRect(QRectF(s * (0.08 + i * 0.22), s * (0.92 - heights[i]), s * 0.18, s * heights[i]));
        }
        break;
    }
    case Picture::Duplicate:
        document(p, QRectF(s * 0.1, s * 0.08, s * 0.55, s * 0.7), QColor(40, 140, 70));
        document(p, QRectF(s * 0.35, s * 0.22, s * 0.55, s * 0.7), QColor(70, 180, 100));
        break;
    case Picture::Shredder:
        document(p, QRectF(s * 0.22, s * 0.04, s * 0.56, s * 0.42), QColor(200, 50, 50));
        p.setBrush(QColor(90, 90, 90));
        p.drawRoundedRect(QRectF(s * 0.08, s * 0.44, s * 0.84, s * 0.14), 2, 2);
        p.setBrush(QColor(200, 50, 50));
        for (int i = 0; i < 5; ++i)
            p.drawRect(QRectF(s * (0.24 + i * 0.11), s * 0.6, s * 0.06, s * (0.22 + (i % 2) * 0.12)));
        break;
    case Picture::PcErrors:
        p.setBrush(QColor(40, 90, 200));
        p.drawRoundedRect(QRectF(s * 0.08, s * 0.12, s * 0.84, s * 0.56), 3, 3);
        p.setBrush(QColor(80, 80, 80));
        p.drawRect(QRectF(s * 0.4, s * 0.68, s * 0.2, s * 0.12));
        p.drawRect(QRectF(s * 0.26, s * 0.8, s * 0.48, s * 0.07));
        p.setPen(QPen(QColor(240, 60, 60), s * 0.09, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.36, s * 0.24), QPointF(s * 0.64, s * 0.56));
        p.drawLine(QPointF(s * 0.64, s * 0.24), QPointF(s * 0.36, s * 0.56));
        break;
    case Picture::Immunize: {
        QPainterPath shield;
        shield.moveTo(s * 0.5, s * 0.05);
        shield.lineTo(s * 0.88, s * 0.2);
        shield.cubicTo(s * 0.88, s * 0.6, s * 0.7, s * 0.82, s * 0.5, s * 0.95);
        shield.cubicTo(s * 0.3, s * 0.82, s * 0.12, s * 0.6, s * 0.12, s * 0.2);
        shield.closeSubpath();
        p.setBrush(QColor(200, 50, 50));
        p.drawPath(shield);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(s * 0.44, s * 0.25, s * 0.12, s * 0.45));
        p.drawRect(QRectF(s * 0.28, s * 0.41, s * 0.44, s * 0.12));
        break;
    }
    case Picture::Winclean:
        p.setBrush(QColor(40, 90, 200));
        p.drawRoundedRect(QRectF(s * 0.08, s * 0.1, s * 0.84, s * 0.8), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(s * 0.14, s * 0.24, s * 0.72, s * 0.6));
        p.setPen(QPen(QColor(60, 160, 80), s * 0.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(s * 0.28, s * 0.54), QPointF(s * 0.44, s * 0.7), QPointF(s * 0.74, s * 0.36)}));
        break;
    case Picture::Tools:
        p.setBrush(QColor(40, 140, 70));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(s / 2, s / 2);
            p.rotate(i * 45);
            p.drawRect(QRectF(-s * 0.08, -s * 0.46, s * 0.16, s * 0.2));
            p.restore();
        }
        p.drawEllipse(QPointF(s / 2, s / 2), s * 0.32, s * 0.32);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(s / 2, s / 2), s * 0.13, s * 0.13);
        break;
    case Picture::Update:
        p.setPen(QPen(QColor(40, 140, 70), s * 0.12, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(s * 0.15, s * 0.15, s * 0.7, s * 0.7), 30 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 140, 70));
        p.drawPolygon(QPolygonF({QPointF(s * 0.62, s * 0.06), QPointF(s * 0.95, s * 0.3), QPointF(s * 0.6, s * 0.42)}));
        break;
    case Picture::Logo: {
        QLinearGradient gradient(0, 0, s, s);
        gradient.setColorAt(0, QColor(60, 140, 230));
        gradient.setColorAt(1, QColor(20, 60, 150));
        p.setBrush(gradient);
        p.drawEllipse(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(s / 2, s / 2), s * 0.24, s * 0.24);
        p.setBrush(QColor(20, 60, 150));
        p.drawEllipse(QPointF(s / 2, s / 2), s * 0.12, s * 0.12);
        break;
    }
    }
    return pixmap;
}

QPixmap drawBanner(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(height * 3 / 4);
    p.setFont(font);
    QLinearGradient gradient(0, 0, 0, height);
    gradient.setColorAt(0, QColor(60, 140, 230));
    gradient.setColorAt(1, QColor(20, 60, 150));
    p.setPen(QPen(QBrush(gradient), 1));
    p.drawText(QRect(0, 0, width, height), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Orvane"));
    return pixmap;
}

} // namespace orvane
