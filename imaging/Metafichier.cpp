#include "imaging/Metafichier.h"

#include "imaging/metafichier/Joueur.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vuv {

struct Metafichier::Donnees {
    QByteArray octets;
    mf::Lecture lecture;
};

namespace {

int au_pixel(double v) { return std::isfinite(v) ? static_cast<int>(std::lround(std::min(std::abs(v), 2e9))) : 0; }

const unsigned char* u(const QByteArray& o) { return reinterpret_cast<const unsigned char*>(o.constData()); }

// A WMF without a placeable header has no frame: its first window, taken in twips as most
// programs write them, or else the extent of what it draws, in pixels.
void cadre_wmf_simple(mf::Lecture& l, const unsigned char* o) {
    QPointF org;
    bool a_org = false;
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    auto etend = [&](double x, double y) {
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    };
    for (const mf::Enregistrement& e : l.enregistrements) {
        mf::Champs c(o + e.debut, e.taille);
        if (e.type == 0x020B && !a_org) {
            org = QPointF(c.i16(8), c.i16(6));
            a_org = true;
        } else if (e.type == 0x020C) {
            l.cadre = {org.x(), org.y(), org.x() + c.i16(8), org.y() + c.i16(6)};
            l.unites_par_pouce = 1440;
            return;
        } else if (e.type == 0x0324 || e.type == 0x0325) {
            for (std::size_t k = 0, n = c.u16(6); k < n && c.tient(8 + 4 * k, 4); ++k) etend(c.i16(8 + 4 * k), c.i16(10 + 4 * k));
        } else if (e.type == 0x0213 || e.type == 0x0214) {
            etend(c.i16(8), c.i16(6));
        } else if (e.type == 0x041B || e.type == 0x0418) {
            etend(c.i16(12), c.i16(10));
            etend(c.i16(8), c.i16(6));
        }
    }
    if (x1 >= x0) l.cadre = {x0, y0, x1, y1};
    l.unites_par_pouce = 96;
}

QString decompte(const mf::Decompte& d) {
    QStringList parties;
    for (const auto& [nom, n] : d) parties << QStringLiteral("%1 (%2)").arg(QString::fromStdString(nom)).arg(n);
    return parties.join(QStringLiteral(", "));
}

} // namespace

Metafichier Metafichier::charge(const QString& chemin, std::int64_t pixels_max) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) {
        Metafichier m;
        m.message_ = QStringLiteral("Impossible de lire %1 : %2").arg(chemin, f.errorString());
        return m;
    }
    return depuis_octets(f.readAll(), chemin, pixels_max);
}

Metafichier Metafichier::depuis_octets(const QByteArray& o, const QString& nom, std::int64_t pixels_max) {
    Metafichier m;
    auto refuse = [&m, &nom](const QString& raison) {
        m.donnees_.reset();
        m.message_ = QStringLiteral("Impossible de lire le dessin %1 : %2").arg(nom, raison);
        return m;
    };
    auto d = std::make_shared<Donnees>();
    d->octets = o;
    const std::size_t n = static_cast<std::size_t>(o.size());
    double l = 0, h = 0;
    if (mf::est_emf(u(o), n)) {
        d->lecture = mf::lit_emf(u(d->octets), n);
        l = d->lecture.cadre.l() / 2540.0 * 96.0;
        h = d->lecture.cadre.h() / 2540.0 * 96.0;
    } else if (mf::est_wmf_placable(u(o), n) || (n >= 18 && (o[0] == 1 || o[0] == 2) && o[1] == 0 && o[2] == 9)) {
        d->lecture = mf::lit_wmf(u(d->octets), n);
        if (d->lecture.erreur.empty() && !d->lecture.a_cadre) cadre_wmf_simple(d->lecture, u(d->octets));
        if (d->lecture.unites_par_pouce > 0) {
            l = d->lecture.cadre.l() / d->lecture.unites_par_pouce * 96.0;
            h = d->lecture.cadre.h() / d->lecture.unites_par_pouce * 96.0;
        }
    } else {
        return refuse(QStringLiteral("ce n'est pas un métafichier EMF ou WMF"));
    }
    if (!d->lecture.erreur.empty()) return refuse(QString::fromStdString(d->lecture.erreur));
    // Refused before anything of that size exists.
    if (static_cast<double>(au_pixel(l)) * au_pixel(h) > static_cast<double>(pixels_max))
        return refuse(QStringLiteral("le dessin demande %1 x %2 pixels, au-delà de la limite de %3 mégapixels")
                          .arg(au_pixel(l)).arg(au_pixel(h)).arg(pixels_max / 1000000));
    m.largeur_ = au_pixel(l);
    m.hauteur_ = au_pixel(h);
    // A pass without drawing names what will not be drawn.
    mf::Joueur sec(d->lecture, u(d->octets), nullptr, QRectF(0, 0, std::max(1, m.largeur_), std::max(1, m.hauteur_)));
    sec.joue();
    m.non_dessines_ = decompte(sec.non_dessines());
    m.donnees_ = std::move(d);
    return m;
}

void Metafichier::dessine(QPainter& p, const QRectF& cible) const {
    if (!donnees_ || cible.isEmpty()) return;
    mf::Joueur j(donnees_->lecture, u(donnees_->octets), &p, cible);
    j.joue();
}

QImage Metafichier::rasterise(int l, int h, const QColor& fond) const {
    QImage im(l, h, QImage::Format_RGB32);
    if (im.isNull()) return im;
    im.fill(fond);
    QPainter p(&im);
    dessine(p, QRectF(0, 0, l, h));
    return im;
}

} // namespace vuv
