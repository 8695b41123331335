#include "samples/CarteExemple.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vuv::exemple {

namespace {

// A fixed sequence, so the sample is the same on every machine.
class Hasard {
public:
    explicit Hasard(std::uint32_t graine) : etat_(graine) {}
    std::uint32_t suivant() {
        etat_ ^= etat_ << 13;
        etat_ ^= etat_ >> 17;
        etat_ ^= etat_ << 5;
        return etat_;
    }
    double reel() { return (suivant() >> 8) / double(1u << 24); }  // [0, 1)

private:
    std::uint32_t etat_;
};

// A closed blob around (cx, cy): an ellipse whose radius wanders smoothly.
QPolygonF tache(double cx, double cy, double rx, double ry, Hasard& h, int points = 72) {
    double phases[3], amplitudes[3];
    for (int k = 0; k < 3; ++k) phases[k] = h.reel() * 6.28, amplitudes[k] = 0.06 + 0.1 * h.reel();
    QPolygonF p;
    for (int i = 0; i < points; ++i) {
        const double a = 2 * std::numbers::pi * i / points;
        double r = 1;
        for (int k = 0; k < 3; ++k) r += amplitudes[k] * std::sin((k + 2) * a + phases[k]);
        p << QPointF(cx + rx * r * std::cos(a), cy + ry * r * std::sin(a));
    }
    return p;
}

void grain(QImage& image, int amplitude, Hasard& h) {
    if (amplitude <= 0) return;
    for (int y = 0; y < image.height(); ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d = static_cast<int>(h.suivant() % (2 * amplitude + 1)) - amplitude;
            const QRgb c = ligne[x];
            ligne[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                            std::clamp(qBlue(c) + d, 0, 255));
        }
    }
}

double distance_segment(QPointF c, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double l2 = QPointF::dotProduct(ab, ab);
    const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(c - a, ab) / l2, 0.0, 1.0) : 0.0;
    return QLineF(c, a + t * ab).length();
}

QString milliers(long long v) {
    QString s = QString::number(v);
    for (int i = static_cast<int>(s.size()) - 3; i > 0; i -= 3) s.insert(i, u' ');
    return s;
}

} // namespace

QPainterPath route_nationale(double w, double hh) {
    QPainterPath nationale(QPointF(-10, hh * 0.2));
    nationale.cubicTo(QPointF(w * 0.3, hh * 0.1), QPointF(w * 0.45, hh * 0.4), QPointF(w * 0.6, hh * 0.45));
    nationale.cubicTo(QPointF(w * 0.8, hh * 0.5), QPointF(w * 0.9, hh * 0.8), QPointF(w + 10, hh * 0.85));
    return nationale;
}

std::vector<QPoint> points_route_nationale(const QImage& carte, double ecart) {
    const QPainterPath route = route_nationale(carte.width(), carte.height());
    const int n = static_cast<int>(std::ceil(route.length() * 10));
    std::vector<QPointF> centre(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) centre[static_cast<std::size_t>(i)] = route.pointAtPercent(double(i) / n);

    const auto visible = [&carte](QPoint p) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint q = p + QPoint(dx, dy);
                if (!carte.rect().contains(q) || carte.pixel(q) != couleur_nationale) return false;
            }
        return true;
    };
    struct Candidat {
        std::size_t i; // its sample of the centre line
        QPoint p;
    };
    std::vector<Candidat> candidats;
    for (std::size_t i = 0; i < centre.size(); ++i) {
        const QPointF c = centre[i];
        const QPoint p(static_cast<int>(std::lround(c.x() - 0.25)), static_cast<int>(std::lround(c.y() - 0.25)));
        if (!candidats.empty() && candidats.back().p == p) continue;
        if (QLineF(c, QPointF(p) + QPointF(0.25, 0.25)).length() > 0.2 || !visible(p)) continue;
        candidats.push_back({i, p});
    }

    // Each click as far along as the segment to it still follows the line.
    std::vector<QPoint> points;
    if (candidats.empty()) return points;
    points.push_back(candidats[0].p);
    for (std::size_t a = 0; a + 1 < candidats.size();) {
        std::size_t suivant = a + 1;
        for (std::size_t b = a + 1; b < candidats.size(); ++b) {
            double pire = 0;
            for (std::size_t i = candidats[a].i; i <= candidats[b].i; ++i)
                pire = std::max(pire, distance_segment(centre[i], candidats[a].p, candidats[b].p));
            if (pire <= ecart) suivant = b;
            else if (pire > 4 * ecart) break;
        }
        a = suivant;
        points.push_back(candidats[a].p);
    }
    return points;
}

QImage dessine_carte(const OptionsCarte& o) {
    QImage image(o.largeur, o.hauteur, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(QColor(246, 241, 226));
    const double s = o.largeur / 1600.0;
    const double w = o.largeur, hh = o.hauteur;
    Hasard h(20240601u);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Woods and fields.
    p.setPen(QPen(QColor(110, 150, 90), 1.5 * s));
    for (int i = 0; i < 9; ++i) {
        p.setBrush(i % 3 ? QColor(196, 222, 170) : QColor(226, 232, 190));
        p.drawPolygon(tache(w * h.reel(), hh * h.reel(), w * (0.05 + 0.07 * h.reel()),
                            hh * (0.05 + 0.07 * h.reel()), h));
    }
    // Tree symbols over the woods.
    p.setPen(QPen(QColor(80, 130, 70), 1.2 * s));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 180; ++i) p.drawEllipse(QPointF(w * h.reel(), hh * h.reel()), 3 * s, 3 * s);

    // Contour lines around a hill.
    const QPointF colline(w * 0.72, hh * 0.3);
    for (int k = 1; k <= 9; ++k) {
        p.setPen(QPen(QColor(176, 120, 70), (k % 5 == 0 ? 2.2 : 1.0) * s));
        Hasard hk(77u + static_cast<std::uint32_t>(k));
        p.drawPolygon(tache(colline.x(), colline.y(), 28 * s * k, 20 * s * k, hk, 120));
    }

    // The lake and its river.
    const QPointF lac(w * 0.3, hh * 0.58);
    const QPolygonF rive = tache(lac.x(), lac.y(), 170 * s, 105 * s, h, 96);
    QPainterPath riviere(lac);  // from the middle: the lake covers its start
    riviere.cubicTo(QPointF(w * 0.5, hh * 0.75), QPointF(w * 0.62, hh * 0.62), QPointF(w * 0.7, hh * 0.9));
    riviere.cubicTo(QPointF(w * 0.74, hh * 0.97), QPointF(w * 0.8, hh), QPointF(w * 0.82, hh * 1.05));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 130, 200), 5 * s, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(riviere);
    p.setPen(QPen(QColor(60, 110, 180), 2.5 * s));
    p.setBrush(QColor(150, 196, 235));
    p.drawPolygon(rive);
    p.setPen(QPen(QColor(120, 170, 220), 1 * s));
    p.setBrush(Qt::NoBrush);
    for (int k = 1; k <= 3; ++k)  // depth lines
        p.drawPolygon(tache(lac.x() + 10 * s, lac.y(), (170 - 40 * k) * s, (105 - 25 * k) * s, h, 64));

    // Roads: a main road with its casing, minor roads in white.
    auto route = [&](const QPainterPath& chemin, double largeur, const QColor& couleur) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(60, 60, 60), (largeur + 3) * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(chemin);
        p.setPen(QPen(couleur, largeur * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(chemin);
    };
    const QPainterPath nationale = route_nationale(w, hh);
    QPainterPath departementale(QPointF(w * 0.1, hh + 10));
    departementale.cubicTo(QPointF(w * 0.15, hh * 0.8), QPointF(w * 0.55, hh * 0.7), QPointF(w * 0.6, hh * 0.45));
    departementale.cubicTo(QPointF(w * 0.62, hh * 0.3), QPointF(w * 0.55, hh * 0.1), QPointF(w * 0.58, -10));
    const QPointF bourg(w * 0.6, hh * 0.45);
    QPainterPath chemin(QPointF(lac.x() - 60 * s, lac.y() - 95 * s));
    chemin.quadTo(QPointF(lac.x() + 60 * s, lac.y() - 230 * s), bourg);
    route(chemin, 3, Qt::white);
    route(departementale, 5, QColor(255, 236, 120));
    route(nationale, 8, QColor(couleur_nationale));

    // The village at the crossroads.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 80, 80));
    for (int i = 0; i < 40; ++i) {
        const double a = h.reel() * 6.28, r = (15 + 60 * h.reel()) * s;
        p.save();
        p.translate(bourg.x() + r * std::cos(a), bourg.y() + r * std::sin(a));
        p.rotate(h.reel() * 90);
        p.drawRect(QRectF(-4 * s, -3 * s, (6 + 6 * h.reel()) * s, (5 + 4 * h.reel()) * s));
        p.restore();
    }

    // Coordinate grid every 250 m, labelled along the edges.
    const double mpp = metres_par_pixel_1600 / s, pas_m = 250.0, pas = pas_m / mpp;
    p.setPen(QPen(QColor(30, 30, 30), 1.0 * s));
    for (double x = pas; x < w; x += pas) p.drawLine(QPointF(x, 0), QPointF(x, hh));
    for (double y = pas; y < hh; y += pas) p.drawLine(QPointF(0, y), QPointF(w, y));
    if (o.textes) {
        QFont police(QStringLiteral("DejaVu Sans"));
        police.setPixelSize(std::max(8, static_cast<int>(13 * s)));
        p.setFont(police);
        auto etiquette = [&](QPointF ou, const QString& t) {
            const QRectF r = p.fontMetrics().boundingRect(t).adjusted(-3 * s, -1 * s, 3 * s, 1 * s);
            p.fillRect(r.translated(ou), QColor(246, 241, 226));
            p.drawText(ou, t);
        };
        int i = 1;
        for (double x = pas; x < w - 40 * s; x += pas, ++i)
            etiquette(QPointF(x + 3 * s, 16 * s), milliers(std::llround(x_origine + i * pas_m)));
        i = 1;
        for (double y = pas; y < hh - 20 * s; y += pas, ++i)
            etiquette(QPointF(4 * s, y - 4 * s), milliers(std::llround(y_origine - i * pas_m)));

        police.setItalic(true);
        police.setPixelSize(static_cast<int>(18 * s));
        p.setFont(police);
        p.setPen(QColor(40, 80, 150));
        p.drawText(QPointF(lac.x() - 40 * s, lac.y() + 5 * s), QStringLiteral("Lac Vert"));
        police.setItalic(false);
        police.setBold(true);
        p.setFont(police);
        p.setPen(QColor(40, 40, 40));
        p.drawText(QPointF(bourg.x() + 70 * s, bourg.y() - 20 * s), QStringLiteral("Vuvi-le-Bourg"));
        p.drawText(QPointF(colline.x() + 10 * s, colline.y()), QStringLiteral("Mont Viva  412"));

        // Title and scale bar.
        const QRectF cartouche(w - 360 * s, hh - 110 * s, 330 * s, 80 * s);
        p.setPen(QPen(QColor(30, 30, 30), 1.5 * s));
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(cartouche);
        police.setPixelSize(static_cast<int>(17 * s));
        p.setFont(police);
        p.drawText(cartouche.topLeft() + QPointF(12 * s, 24 * s), QStringLiteral("Carte d'exemple Vuviviva"));
        police.setBold(false);
        police.setPixelSize(static_cast<int>(12 * s));
        p.setFont(police);
        const double barre = 250.0 / mpp;
        const QPointF b0 = cartouche.topLeft() + QPointF(12 * s, 55 * s);
        p.fillRect(QRectF(b0, QSizeF(barre / 2, 6 * s)), Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(b0, QSizeF(barre, 6 * s)));
        p.drawText(b0 + QPointF(barre + 8 * s, 7 * s), QStringLiteral("250 m   (quadrillage 250 m)"));
    }
    p.end();
    grain(image, o.grain, h);
    return image;
}

} // namespace vuv::exemple
