#include "imaging/metafichier/Joueur.h"

#include <cmath>

namespace vuv::mf {

namespace {

QColor couleur(Champs& c, std::size_t i) { return QColor(c.u8(i), c.u8(i + 1), c.u8(i + 2)); }
// WMF parameters come last first: y before x, bottom-right before top-left.
QPointF point_yx(Champs& c, std::size_t i) { return QPointF(c.i16(i + 2), c.i16(i)); }
QRectF rect_brtl(Champs& c, std::size_t i) { return QRectF(point_yx(c, i + 4), point_yx(c, i)).normalized(); }

std::vector<QPointF> points16(Champs& c, std::size_t i, std::size_t n) {
    std::vector<QPointF> r;
    if (n == 0 || !c.tient(i, n * 4)) return r;
    r.reserve(n);
    for (std::size_t k = 0; k < n; ++k) r.emplace_back(c.i16(i + 4 * k), c.i16(i + 4 * k + 2));
    return r;
}

QPainterPath arc(const QRectF& r, QPointF debut, QPointF fin, int genre) {
    QPainterPath f;
    if (r.width() <= 0 || r.height() <= 0) return f;
    const QPointF m = r.center();
    auto angle = [&](QPointF p) { return std::atan2(-(p.y() - m.y()) / r.height(), (p.x() - m.x()) / r.width()) * 180 / M_PI; };
    const double a0 = angle(debut);
    double balayage = angle(fin) - a0;
    if (balayage <= 0) balayage += 360;
    if (genre == 2) f.moveTo(m);
    else f.arcMoveTo(r, a0);
    f.arcTo(r, a0, balayage);
    if (genre != 0) f.closeSubpath();
    return f;
}

bool bitmap(Joueur& j, Champs& c, std::uint32_t rop, const QRectF& dest, std::size_t off_dib, QRectF src) {
    if (rop != 0xCC0020 && rop != 0x8800C6 && rop != 0xEE0086 && rop != 0x660046) return false;
    const unsigned char* dib = c.octets(off_dib, c.taille() - std::min(off_dib, c.taille()));
    if (!dib) return false;
    const std::size_t n = c.taille() - off_dib;
    Champs h(dib, n);
    const std::uint32_t entete = h.u32(0);
    const int bpp = h.u16(14);
    std::uint32_t couleurs = bpp <= 8 ? (h.u32(32) ? h.u32(32) : 1u << std::min(bpp, 8)) : 0;
    if (h.u32(16) == 3) couleurs = 3;
    const std::uint64_t debut_bits = std::uint64_t{entete} + 4ull * couleurs;
    if (!h.ok || entete < 40 || debut_bits > n) return false;
    const QImage im = dib_en_image(dib, static_cast<std::size_t>(debut_bits), dib + debut_bits, n - static_cast<std::size_t>(debut_bits));
    if (im.isNull()) return false;
    if (h.i32(8) > 0) src.moveTop(im.height() - src.top() - src.height());
    j.image(im, dest, src);
    return true;
}

void texte(Joueur& j, QPointF ref, const unsigned char* o, std::size_t n, Champs& c, std::size_t off_dx, std::uint32_t options,
           const QRectF& rect) {
    const QString s = texte_ansi(o, n, j.dc().police.jeu);
    std::vector<double> avances;
    if (off_dx != 0 && c.tient(off_dx, n * 2) && static_cast<qsizetype>(n) == s.size())
        for (std::size_t k = 0; k < n; ++k) avances.push_back(c.i16(off_dx + 2 * k));
    if (j.dc().alignement & 1) ref = j.dc().courant;
    j.texte(ref, s, avances, options, rect);
}

bool sans_effet(std::uint32_t f) {
    switch (f) {
    case 0x0000: case 0x0103: case 0x0104: case 0x0107: case 0x0108: case 0x020A: case 0x020D: case 0x020E:
    case 0x0211: case 0x0412: case 0x0231: case 0x0626: case 0x0035: case 0x0234: case 0x0037: case 0x0139:
        return true;
    default: return false;
    }
}

} // namespace

void joue_wmf(Joueur& j, const Enregistrement& e) {
    Champs c(j.octets + e.debut, e.taille);
    Contexte& dc = j.dc();
    bool dessine = true;
    auto cree = [&j](Objet o) { j.objet_cree(j.premier_libre(), std::move(o)); };
    switch (e.type) {
    case 0x0201: dc.fond = couleur(c, 6); break;
    case 0x0102: dc.fond_opaque = c.u16(6) == 2; break;
    case 0x0106: dc.pair_impair = c.u16(6) != 2; break;
    case 0x0209: dc.texte = couleur(c, 6); break;
    case 0x012E: dc.alignement = c.u16(6); break;
    case 0x020B: dc.org_fenetre = point_yx(c, 6); break;
    case 0x020C: dc.ext_fenetre = QSizeF(c.i16(8), c.i16(6)); break;
    case 0x020F: dc.org_fenetre += point_yx(c, 6); break;
    case 0x0410: {
        const double dy = c.i16(6), ny = c.i16(8), dx = c.i16(10), nx = c.i16(12);
        if (dx == 0 || dy == 0) { dessine = false; break; }
        dc.ext_fenetre = QSizeF(dc.ext_fenetre.width() * nx / dx, dc.ext_fenetre.height() * ny / dy);
        break;
    }
    case 0x0213: j.ligne_vers(point_yx(c, 6)); break;
    case 0x0214: j.deplace(point_yx(c, 6)); break;
    case 0x0415: j.coupe_rectangle(rect_brtl(c, 6), true); break;
    case 0x0416: j.coupe_rectangle(rect_brtl(c, 6), false); break;
    case 0x012C: j.coupe_nulle(); break;
    case 0x0817: case 0x0830: case 0x081A: {
        const int genre = e.type == 0x0830 ? 1 : e.type == 0x081A ? 2 : 0;
        j.trace(arc(rect_brtl(c, 14), point_yx(c, 10), point_yx(c, 6), genre), genre != 0, true, genre != 0);
        break;
    }
    case 0x0418: case 0x041B: {
        QPainterPath f;
        if (e.type == 0x041B) f.addRect(rect_brtl(c, 6));
        else f.addEllipse(rect_brtl(c, 6));
        j.trace(f, true, true);
        break;
    }
    case 0x061C: {
        QPainterPath f;
        f.addRoundedRect(rect_brtl(c, 10), std::abs(c.i16(8)) / 2.0, std::abs(c.i16(6)) / 2.0);
        j.trace(f, true, true);
        break;
    }
    case 0x041F: j.remplit_rectangle(QRectF(point_yx(c, 10), QSizeF(1, 1)), couleur(c, 6)); break;
    case 0x0324: case 0x0325: {
        const std::vector<QPointF> pts = points16(c, 8, c.u16(6));
        if (pts.empty()) { dessine = false; break; }
        if (e.type == 0x0325) {
            j.polyligne(pts, false);
            break;
        }
        QPainterPath f;
        f.addPolygon(QPolygonF(QList<QPointF>(pts.begin(), pts.end())));
        f.closeSubpath();
        j.trace(f, true, true);
        break;
    }
    case 0x0538: {
        const std::size_t n = c.u16(6);
        if (n == 0 || !c.tient(8, n * 2)) { dessine = false; break; }
        std::size_t total = 0;
        for (std::size_t k = 0; k < n; ++k) total += c.u16(8 + 2 * k);
        const std::vector<QPointF> pts = points16(c, 8 + 2 * n, total);
        if (pts.empty()) { dessine = false; break; }
        QPainterPath f;
        std::size_t k = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t m = c.u16(8 + 2 * i);
            if (m == 0) continue;
            f.moveTo(pts[k]);
            for (std::size_t q = 1; q < m; ++q) f.lineTo(pts[k + q]);
            f.closeSubpath();
            k += m;
        }
        j.trace(f, true, true, false);
        break;
    }
    case 0x001E: dessine = j.sauve(); break;
    case 0x0127: dessine = j.restaure(c.i16(6)); break;
    case 0x012D: dessine = j.objet_choisi(c.u16(6)); break;
    case 0x01F0: j.objet_supprime(c.u16(6)); break;
    case 0x02FA: {
        Objet o;
        o.genre = Objet::Genre::stylo;
        o.stylo.style = c.u16(6);
        o.stylo.largeur = c.i16(8) > 0 ? c.i16(8) : 0;
        o.stylo.couleur = couleur(c, 12);
        cree(o);
        break;
    }
    case 0x02FC: {
        Objet o;
        o.genre = Objet::Genre::brosse;
        o.brosse.style = c.u16(6);
        o.brosse.couleur = couleur(c, 8);
        o.brosse.hachure = c.u16(12);
        if (o.brosse.style == 3 || o.brosse.style == 5 || o.brosse.style == 6) o.brosse.style = 0;  // no bitmap here
        cree(o);
        break;
    }
    case 0x0142: {
        Objet o;
        o.genre = Objet::Genre::brosse;
        o.brosse.style = 5;
        if (c.u16(6) != 3 && c.taille() > 10) {
            const std::size_t n = c.taille() - 10;
            Champs h(j.octets + e.debut + 10, n);
            const std::uint32_t entete = h.u32(0);
            const int bpp = h.u16(14);
            const std::uint64_t debut = std::uint64_t{entete} + (bpp <= 8 ? 4ull << std::min(bpp, 8) : 0);
            if (h.ok && entete >= 40 && debut <= n)
                o.brosse.motif = dib_en_image(j.octets + e.debut + 10, static_cast<std::size_t>(debut),
                                              j.octets + e.debut + 10 + debut, n - static_cast<std::size_t>(debut));
        }
        dessine = !o.brosse.motif.isNull();
        if (!dessine) o.brosse = Brosse{0, Qt::gray, 0, {}};
        cree(o);
        break;
    }
    case 0x01F9: case 0x00F7: case 0x06FF: {
        Objet o;
        o.genre = Objet::Genre::autre;
        cree(o);
        dessine = e.type == 0x00F7;
        break;
    }
    case 0x02FB: {
        Objet o;
        o.genre = Objet::Genre::police;
        Police& p = o.police;
        p.hauteur = c.i16(6);
        p.echappement = c.i16(10);
        p.graisse = c.i16(14);
        p.italique = c.u8(16) != 0;
        p.souligne = c.u8(17) != 0;
        p.barre = c.u8(18) != 0;
        p.jeu = c.u8(19);
        // At most 32 bytes, up to the first null or the record's end.
        std::size_t n = 0;
        while (n < 32 && c.tient(24 + n, 1) && c.u8(24 + n) != 0) ++n;
        if (n > 0) p.nom = texte_ansi(j.octets + e.debut + 24, n, 0);
        cree(o);
        break;
    }
    case 0x0521: {
        const std::size_t n = c.u16(6);
        const unsigned char* o = c.octets(8, n);
        const std::size_t apres = 8 + (n + 1) / 2 * 2;
        if (!o) { dessine = false; break; }
        texte(j, point_yx(c, apres), o, n, c, 0, 0, {});
        break;
    }
    case 0x0A32: {
        const std::size_t n = c.u16(10);
        const std::uint32_t options = c.u16(12);
        QRectF rect;
        std::size_t i = 14;
        if (options & 0x6) {
            rect = QRectF(QPointF(c.i16(14), c.i16(16)), QPointF(c.i16(18), c.i16(20)));
            i = 22;
        }
        const unsigned char* o = c.octets(i, n);
        if (!o) { dessine = false; break; }
        texte(j, point_yx(c, 6), o, n, c, i + (n + 1) / 2 * 2, options, rect);
        break;
    }
    case 0x061D: {
        const std::uint32_t rop = c.u32(6);
        const QRectF r(point_yx(c, 14), QSizeF(c.i16(12), c.i16(10)));
        if (rop == 0xF00021) j.remplit_rectangle(r, j.brosse_qt());
        else if (rop == 0x000042) j.remplit_rectangle(r, Qt::black);
        else if (rop == 0xFF0062) j.remplit_rectangle(r, Qt::white);
        else dessine = false;
        break;
    }
    case 0x0F43: {
        const QRectF dest(point_yx(c, 24), QSizeF(c.i16(22), c.i16(20)));
        const QRectF src(point_yx(c, 16), QSizeF(c.i16(14), c.i16(12)));
        dessine = bitmap(j, c, c.u32(6), dest, 28, src);
        break;
    }
    case 0x0B41: {
        const QRectF dest(point_yx(c, 22), QSizeF(c.i16(20), c.i16(18)));
        const QRectF src(point_yx(c, 14), QSizeF(c.i16(12), c.i16(10)));
        dessine = c.taille() > 26 + 40 && bitmap(j, c, c.u32(6), dest, 26, src);
        break;
    }
    case 0x0940: {
        const QRectF dest(point_yx(c, 18), QSizeF(c.i16(16), c.i16(14)));
        const QRectF src(point_yx(c, 10), QSizeF(c.i16(16), c.i16(14)));
        dessine = c.taille() > 22 + 40 && bitmap(j, c, c.u32(6), dest, 22, src);
        break;
    }
    default: dessine = sans_effet(e.type); break;
    }
    if (!dessine || !c.ok) j.non_dessine(nom_wmf(e.type));
}

} // namespace vuv::mf
