// The picture of the "Quitter" question: a folded map, an arrow and an open door, on a
// transparent ground so that the box's gradient shows through.
#include "windows/question/Unit6.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vuv {
namespace {

void carte_pliee(QPainter& p) {
    const QPolygonF volets[3] = {
        QPolygonF({QPointF(34, 42), QPointF(66, 30), QPointF(66, 128), QPointF(34, 140)}),
        QPolygonF({QPointF(66, 30), QPointF(98, 42), QPointF(98, 140), QPointF(66, 128)}),
        QPolygonF({QPointF(98, 42), QPointF(130, 30), QPointF(130, 128), QPointF(98, 140)}),
    };
    const QColor teintes[3] = {QColor(240, 228, 190), QColor(222, 208, 165), QColor(240, 228, 190)};
    p.setPen(QPen(QColor(90, 70, 40), 2));
    for (int i = 0; i < 3; ++i) {
        p.setBrush(teintes[i]);
        p.drawPolygon(volets[i]);
    }
    // A digitized line with its points.
    const QPointF trace[] = {QPointF(42, 120), QPointF(58, 96), QPointF(74, 104), QPointF(90, 74),
                             QPointF(108, 80), QPointF(122, 52)};
    p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(trace, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 120));
    for (const QPointF& pt : trace) p.drawEllipse(pt, 3.5, 3.5);
}

void fleche(QPainter& p) {
    QPainterPath f;
    f.moveTo(150, 74);
    f.lineTo(232, 74);
    f.lineTo(232, 56);
    f.lineTo(272, 86);
    f.lineTo(232, 116);
    f.lineTo(232, 98);
    f.lineTo(150, 98);
    f.closeSubpath();
    QLinearGradient g(150, 0, 272, 0);
    g.setColorAt(0, QColor(255, 255, 255, 120));
    g.setColorAt(1, QColor(255, 255, 255));
    p.setBrush(g);
    p.setPen(QPen(QColor(255, 220, 0), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(f);
}

void porte(QPainter& p) {
    // Doorway with daylight beyond it.
    const QRectF baie(300, 22, 78, 126);
    QLinearGradient jour(baie.topLeft(), baie.bottomLeft());
    jour.setColorAt(0, QColor(255, 250, 200));
    jour.setColorAt(1, QColor(255, 205, 90));
    p.setPen(QPen(QColor(70, 45, 20), 5));
    p.setBrush(jour);
    p.drawRect(baie);
    // The door, swung open towards the viewer.
    const QPolygonF battant({QPointF(378, 22), QPointF(420, 10), QPointF(420, 160), QPointF(378, 148)});
    p.setPen(QPen(QColor(70, 45, 20), 2));
    p.setBrush(QColor(150, 95, 45));
    p.drawPolygon(battant);
    p.setBrush(QColor(235, 200, 60));
    p.drawEllipse(QPointF(410, 88), 3.5, 3.5);
    // Floor line.
    p.setPen(QPen(QColor(255, 255, 255, 160), 2));
    p.drawLine(QPointF(290, 150), QPointF(430, 150));
}

} // namespace

QPixmap image_quitter() {
    QPixmap image(455, 213);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    carte_pliee(p);
    fleche(p);
    porte(p);
    return image;
}

} // namespace vuv
