#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace app {

QImage appIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // Leads, then the body across the middle, slanted for a livelier shape.
    p.translate(32, 32);
    p.rotate(-35);
    p.setPen(QPen(QColor(140, 140, 140), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(-30, 0, 30, 0);
    QPainterPath body;
    body.addRoundedRect(QRectF(-19, -9, 38, 18), 8, 8);
    p.setPen(QPen(QColor(150, 120, 80), 1.5));
    p.setBrush(QColor(226, 200, 160));
    p.drawPath(body);
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    const QColor bands[] = {QColor(128, 0, 0), QColor(1, 0, 0), QColor(255, 0, 0),
                            QColor(251, 216, 96)};
    const int lefts[] = {-13, -6, 1, 10};
    for (int k = 0; k < 4; ++k) {
        p.fillRect(QRectF(lefts[k], -10, 4, 20), bands[k]);
    }
    return image;
}

QIcon appIcon() {
    QIcon icon;
    // Few sizes: each is painted at start-up, and the window system scales between them.
    for (int size : {16, 32, 64}) {
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    }
    return icon;
}

} // namespace app
