#include "window_icon.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace orvell {

QIcon drawWindowIcon() {
    constexpr int kSize = 57;
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2, 12, 53, 33), 5, 5);
    // The two marks of the focus column.
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(28, 2, 28, 11);
    p.drawLine(28, 46, 28, 55);
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setPixelSize(26);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 12, 22, 33), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("o"));
    p.drawText(QRectF(35, 12, 22, 33), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("r"));
    p.setPen(QColor(220, 0, 0));
    p.drawText(QRectF(19, 12, 19, 33), Qt::AlignCenter, QStringLiteral("O"));
    p.end();
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace orvell
