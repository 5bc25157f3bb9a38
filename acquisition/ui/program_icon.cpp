// A measurement curve on a dial-coloured square.
#include "ui/program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace qtl {

QPixmap programPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    painter.setPen(QPen(QColor(20, 40, 90), s / 32));
    painter.setBrush(QColor(230, 240, 255));
    painter.drawRoundedRect(QRectF(s / 32, s / 32, s * 30 / 32, s * 30 / 32), s / 8, s / 8);
    painter.setPen(QPen(QColor(120, 120, 140), s / 48));
    painter.drawLine(QPointF(s * 0.15, s * 0.85), QPointF(s * 0.9, s * 0.85));
    painter.drawLine(QPointF(s * 0.15, s * 0.85), QPointF(s * 0.15, s * 0.12));
    QPainterPath curve;
    for (int i = 0; i <= 40; ++i) {
        const qreal x = s * (0.15 + 0.75 * i / 40.0);
        const qreal y = s * (0.5 - 0.3 * std::sin(i / 40.0 * 2 * 3.14159265) * (1 - i / 60.0));
        if (i == 0) {
            curve.moveTo(x, y);
        } else {
            curve.lineTo(x, y);
        }
    }
    painter.setPen(QPen(QColor(200, 30, 30), s / 16));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
    return pixmap;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(programPixmap(size));
    return icon;
}

}  // namespace qtl
