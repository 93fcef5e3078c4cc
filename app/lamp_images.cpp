// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lamp_images.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

namespace {

constexpr int LampSize = 32;
constexpr QPointF LampCentre(16.0, 16.0);

QPixmap TransparentCanvas()
{
    QPixmap pixmap(LampSize, LampSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap UnlitLampPicture()
{
    QPixmap pixmap = TransparentCanvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(96, 96, 96), 2.0));
    painter.setBrush(QColor(200, 200, 200));
    painter.drawEllipse(LampCentre, 12.0, 12.0);
    QRadialGradient shine(QPointF(13.0, 13.0), 10.0);
    shine.setColorAt(0.0, QColor(70, 70, 70));
    shine.setColorAt(1.0, Qt::black);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(LampCentre, 8.5, 8.5);
    return pixmap;
}

QPixmap LitLampPicture()
{
    QPixmap pixmap = TransparentCanvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 64, 32), 2.0, Qt::SolidLine, Qt::RoundCap));
    for (int ray = 0; ray < 8; ++ray) {
        const qreal angle = qDegreesToRadians(ray * 45.0);
        const QPointF direction(qCos(angle), qSin(angle));
        painter.drawLine(LampCentre + direction * 11.5, LampCentre + direction * 15.0);
    }
    QRadialGradient glow(QPointF(13.0, 13.0), 10.0);
    glow.setColorAt(0.0, QColor(255, 190, 170));
    glow.setColorAt(0.5, QColor(255, 30, 20));
    glow.setColorAt(1.0, QColor(170, 0, 0));
    painter.setPen(QPen(QColor(120, 0, 0), 1.0));
    painter.setBrush(glow);
    painter.drawEllipse(LampCentre, 9.0, 9.0);
    return pixmap;
}
