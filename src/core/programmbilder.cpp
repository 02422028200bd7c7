#include "programmbilder.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace obi {

namespace {

QImage leeres_bild(int groesse)
{
    QImage bild(groesse, groesse, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    return bild;
}

} // namespace

QImage bild_matte(int groesse)
{
    QImage bild = leeres_bild(groesse);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal g = groesse;
    // Safety area around the red-bordered contest area, as on a real mat.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x6f, 0xb5));
    p.drawRoundedRect(QRectF(0, 0, g, g), g * 0.08, g * 0.08);
    p.setBrush(QColor(0xc8, 0x1e, 0x1e));
    p.drawRect(QRectF(g * 0.14, g * 0.14, g * 0.72, g * 0.72));
    p.setBrush(QColor(0xf2, 0xc1, 0x2e));
    p.drawRect(QRectF(g * 0.2, g * 0.2, g * 0.6, g * 0.6));
    // The two start marks, blue and white.
    const qreal breite = g * 0.05;
    const qreal hoehe = g * 0.16;
    p.setBrush(QColor(0x1f, 0x4f, 0xc5));
    p.drawRect(QRectF(g * 0.38 - breite / 2, g * 0.5 - hoehe / 2, breite, hoehe));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(g * 0.62 - breite / 2, g * 0.5 - hoehe / 2, breite, hoehe));
    return bild;
}

QImage bild_guertel(int groesse)
{
    QImage bild = leeres_bild(groesse);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal g = groesse;
    const QColor schwarz(0x20, 0x20, 0x20);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), qMax(1.0, g / 64)));
    p.setBrush(schwarz);
    // The belt across, the two hanging ends, the knot on top.
    p.drawRoundedRect(QRectF(0, g * 0.36, g, g * 0.16), g * 0.02, g * 0.02);
    QPainterPath ende;
    ende.moveTo(g * 0.46, g * 0.48);
    ende.lineTo(g * 0.24, g * 0.92);
    ende.lineTo(g * 0.37, g * 0.96);
    ende.lineTo(g * 0.54, g * 0.52);
    ende.closeSubpath();
    p.drawPath(ende);
    // The right end mirrors the left one.
    p.drawPath(QTransform(-1, 0, 0, 1, g, 0).map(ende));
    p.drawRoundedRect(QRectF(g * 0.4, g * 0.3, g * 0.2, g * 0.26), g * 0.04, g * 0.04);
    return bild;
}

} // namespace obi
