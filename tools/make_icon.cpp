// Draws the tool's 32 x 32 icon (the shape of app/icons/btmagnet.svg) into a PNG:
//   make_icon app/icons/btmagnet.png
// The PNG is committed; run this again only when the shape changes.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon <out.png>\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);

    // The horseshoe: two legs joined by a half ring below (outer radius 11, inner radius 4).
    QPainterPath shoe;
    shoe.moveTo(5, 3);
    shoe.lineTo(5, 16);
    shoe.arcTo(QRectF(5, 5, 22, 22), 180, 180);
    shoe.lineTo(27, 3);
    shoe.lineTo(20, 3);
    shoe.lineTo(20, 16);
    shoe.arcTo(QRectF(12, 12, 8, 8), 0, -180);
    shoe.lineTo(12, 3);
    shoe.closeSubpath();
    painter.setPen(QPen(QColor(0x6e, 0x12, 0x0d), 1.2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(QColor(0xd2, 0x2f, 0x27));
    painter.drawPath(shoe);

    // The silver poles.
    painter.setPen(QPen(QColor(0x4a, 0x4a, 0x4a), 1.2));
    painter.setBrush(QColor(0xdc, 0xdc, 0xdc));
    painter.drawRect(QRectF(5, 3, 7, 6));
    painter.drawRect(QRectF(20, 3, 7, 6));

    // A highlight on the ring.
    QPainterPath shine;
    shine.moveTo(8, 19);
    shine.arcTo(QRectF(8, 11, 16, 16), 180, 50);
    painter.setPen(QPen(QColor(0xf4, 0xa2, 0x9d), 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shine);
    painter.end();
    return icon.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
