#include "imaging/metafichier/Joueur.h"

extern "C" {
#include <uemf.h>
}

#include <cmath>

namespace vuv::mf {

namespace {

QColor couleur(Champs& c, std::size_t i) { return QColor(c.u8(i), c.u8(i + 1), c.u8(i + 2)); }
QPointF point32(Champs& c, std::size_t i) { return QPointF(c.i32(i), c.i32(i + 4)); }
QRectF rect32(Champs& c, std::size_t i) { return QRectF(point32(c, i), point32(c, i + 8)); }

// `n` points of 8 bytes (or 4 when `court`) from `i`; empty when they do not fit the record.
std::vector<QPointF> points(Champs& c, std::size_t i, std::uint64_t n, bool court) {
    const std::size_t pas = court ? 4 : 8;
    std::vector<QPointF> r;
    if (n == 0 || n > c.taille() / pas || !c.tient(i, static_cast<std::size_t>(n) * pas)) return r;
    r.reserve(static_cast<std::size_t>(n));
    for (std::size_t k = 0; k < n; ++k, i += pas)
        r.emplace_back(court ? c.i16(i) : c.i32(i), court ? c.i16(i + 2) : c.i32(i + 4));
    return r;
}

QTransform xform(Champs& c, std::size_t i) {
    return QTransform(c.f32(i), c.f32(i + 4), c.f32(i + 8), c.f32(i + 12), c.f32(i + 16), c.f32(i + 20));
}

// An arc of the ellipse in `r` from the direction of `debut` to that of `fin`, counter-clockwise
// as seen.
QPainterPath arc(const QRectF& r0, QPointF debut, QPointF fin, int genre /* 0 arc, 1 chord, 2 pie */) {
    const QRectF r = r0.normalized();
    QPainterPath f;
    if (r.width() <= 0 || r.height() <= 0) return f;
    const QPointF c = r.center();
    auto angle = [&](QPointF p) {
        return std::atan2(-(p.y() - c.y()) / r.height(), (p.x() - c.x()) / r.width()) * 180 / M_PI;
    };
    const double a0 = angle(debut);
    double balayage = angle(fin) - a0;
    if (balayage <= 0) balayage += 360;
    if (genre == 2) f.moveTo(c);
    else f.arcMoveTo(r, a0);
    f.arcTo(r, a0, balayage);
    if (genre != 0) f.closeSubpath();
    return f;
}

Stylo stylo_etendu(Champs& c) {
    Stylo s;
    s.style = c.u32(28);
    s.largeur = c.u32(32);
    if ((s.style & 0xF0000) == 0) s.largeur = 0;  // cosmetic: one pixel
    s.couleur = couleur(c, 40);
    const std::uint32_t n = c.u32(48);
    if ((s.style & 0xF) == 7 && n <= 64 && c.tient(52, n * 4))
        for (std::uint32_t k = 0; k < n; ++k) s.tirets.push_back(c.u32(52 + 4 * k));
    return s;
}

QImage dib(Champs& c, std::size_t off_bmi, std::size_t cb_bmi, std::size_t off_bits, std::size_t cb_bits) {
    const unsigned char* bmi = c.octets(off_bmi, cb_bmi);
    const unsigned char* bits = c.octets(off_bits, cb_bits);
    if (!bmi || !bits || cb_bmi == 0) return {};
    return dib_en_image(bmi, cb_bmi, bits, cb_bits);
}

// Source rectangle in the bitmap's rows from the top; a bottom-up DIB counts them from the bottom.
QRectF source(Champs& c, std::size_t off_bmi, const QImage& im, double xs, double ys, double ls, double hs) {
    if (c.i32(off_bmi + 8) > 0) ys = im.height() - ys - hs;
    return QRectF(xs, ys, ls, hs);
}

bool bitmap(Joueur& j, Champs& c, std::uint32_t rop, const QRectF& dest, std::size_t off_bmi, double xs, double ys,
            double ls, double hs) {
    if (rop != 0xCC0020 && rop != 0x8800C6 && rop != 0xEE0086 && rop != 0x660046) return false;
    const QImage im = dib(c, c.u32(off_bmi), c.u32(off_bmi + 4), c.u32(off_bmi + 8), c.u32(off_bmi + 12));
    if (im.isNull()) return false;
    j.image(im, dest, source(c, c.u32(off_bmi), im, xs, ys, ls, hs));
    return true;
}

void texte_emf(Joueur& j, Champs& c, bool large) {
    const QPointF ref = point32(c, 36);
    const std::uint32_t n = c.u32(44), off = c.u32(48), options = c.u32(52);
    const QRectF rect = rect32(c, 56);
    const std::uint32_t off_dx = c.u32(72);
    const std::size_t unite = large ? 2 : 1;
    QString s;
    if (n > 0) {
        const unsigned char* o = c.octets(off, std::size_t{n} * unite);
        if (!o) return;
        if (large) {
            s.resize(static_cast<qsizetype>(n));
            for (std::uint32_t k = 0; k < n; ++k) s[k] = QChar(static_cast<char16_t>(o[2 * k] | o[2 * k + 1] << 8));
        } else {
            s = texte_ansi(o, n, j.dc().police.jeu);
        }
    }
    std::vector<double> avances;
    const std::size_t pas = (options & 0x2000) ? 8 : 4;  // ETO_PDY: x and y advances
    if (off_dx != 0 && n > 0 && c.tient(off_dx, n * pas) && static_cast<qsizetype>(n) == s.size())
        for (std::uint32_t k = 0; k < n; ++k) avances.push_back(c.i32(off_dx + k * pas));
    if (j.dc().alignement & 1) {  // TA_UPDATECP
        j.texte(j.dc().courant, s, avances, options, rect);
        double total = 0;
        for (const double a : avances) total += a;
        j.dc().courant += QPointF(total, 0);
        return;
    }
    j.texte(ref, s, avances, options, rect);
}

bool sans_effet(std::uint32_t t) {
    switch (t) {
    case U_EMR_HEADER: case U_EMR_EOF: case U_EMR_SETBRUSHORGEX: case U_EMR_SETMAPPERFLAGS: case U_EMR_SETROP2:
    case U_EMR_SETSTRETCHBLTMODE: case U_EMR_SETCOLORADJUSTMENT: case U_EMR_SETMETARGN: case U_EMR_SELECTPALETTE:
    case U_EMR_SETPALETTEENTRIES: case U_EMR_RESIZEPALETTE: case U_EMR_REALIZEPALETTE: case U_EMR_SETARCDIRECTION:
    case U_EMR_FLATTENPATH: case U_EMR_COMMENT: case U_EMR_SETICMMODE: case U_EMR_SETCOLORSPACE:
    case U_EMR_DELETECOLORSPACE: case U_EMR_SETICMPROFILEA: case U_EMR_SETICMPROFILEW: case U_EMR_SETLAYOUT:
    case U_EMR_COLORMATCHTOTARGETW: case U_EMR_GLSBOUNDEDRECORD: case U_EMR_PIXELFORMAT:
        return true;
    default: return false;
    }
}

} // namespace

void joue_emf(Joueur& j, const Enregistrement& e) {
    Champs c(j.octets + e.debut, e.taille);
    Contexte& dc = j.dc();
    bool dessine = true;
    switch (e.type) {
    case U_EMR_POLYBEZIER: case U_EMR_POLYGON: case U_EMR_POLYLINE: case U_EMR_POLYBEZIERTO: case U_EMR_POLYLINETO:
    case U_EMR_POLYBEZIER16: case U_EMR_POLYGON16: case U_EMR_POLYLINE16: case U_EMR_POLYBEZIERTO16:
    case U_EMR_POLYLINETO16: {
        const bool court = e.type >= U_EMR_POLYBEZIER16;
        const std::uint32_t genre = court ? e.type - U_EMR_POLYBEZIER16 + U_EMR_POLYBEZIER : e.type;
        const std::vector<QPointF> pts = points(c, 28, c.u32(24), court);
        if (pts.empty()) { dessine = false; break; }
        if (genre == U_EMR_POLYGON) {
            QPainterPath f;
            f.addPolygon(QPolygonF(QList<QPointF>(pts.begin(), pts.end())));
            f.closeSubpath();
            j.trace(f, true, true);
        } else if (genre == U_EMR_POLYLINE) {
            j.polyligne(pts, false);
        } else if (genre == U_EMR_POLYLINETO) {
            j.polyligne(pts, true);
        } else {
            j.bezier(pts, genre == U_EMR_POLYBEZIERTO);
        }
        break;
    }
    case U_EMR_POLYPOLYLINE: case U_EMR_POLYPOLYGON: case U_EMR_POLYPOLYLINE16: case U_EMR_POLYPOLYGON16: {
        const bool court = e.type >= U_EMR_POLYPOLYLINE16;
        const bool ferme = e.type == U_EMR_POLYPOLYGON || e.type == U_EMR_POLYPOLYGON16;
        const std::uint32_t n = c.u32(24), total = c.u32(28);
        if (n == 0 || n > e.taille / 4 || !c.tient(32, std::size_t{n} * 4)) { dessine = false; break; }
        const std::vector<QPointF> pts = points(c, 32 + std::size_t{n} * 4, total, court);
        if (pts.empty()) { dessine = false; break; }
        QPainterPath f;
        std::size_t k = 0;
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::uint32_t m = c.u32(32 + 4 * i);
            if (m > pts.size() - k) break;
            if (m == 0) continue;
            f.moveTo(pts[k]);
            for (std::uint32_t q = 1; q < m; ++q) f.lineTo(pts[k + q]);
            if (ferme) f.closeSubpath();
            k += m;
        }
        j.trace(f, ferme, true, false);
        break;
    }
    case U_EMR_SETWINDOWEXTEX: dc.ext_fenetre = QSizeF(c.i32(8), c.i32(12)); break;
    case U_EMR_SETWINDOWORGEX: dc.org_fenetre = point32(c, 8); break;
    case U_EMR_SETVIEWPORTEXTEX: dc.ext_vue = QSizeF(c.i32(8), c.i32(12)); break;
    case U_EMR_SETVIEWPORTORGEX: dc.org_vue = point32(c, 8); break;
    case U_EMR_SCALEVIEWPORTEXTEX:
    case U_EMR_SCALEWINDOWEXTEX: {
        const double nx = c.i32(8), dx = c.i32(12), ny = c.i32(16), dy = c.i32(20);
        if (dx == 0 || dy == 0) { dessine = false; break; }
        QSizeF& ext = e.type == U_EMR_SCALEWINDOWEXTEX ? dc.ext_fenetre : dc.ext_vue;
        ext = QSizeF(ext.width() * nx / dx, ext.height() * ny / dy);
        break;
    }
    case U_EMR_SETMAPMODE: {
        const std::uint32_t m = c.u32(8);
        if (m >= 1 && m <= 8) dc.mode_carte = m;
        break;
    }
    case U_EMR_SETBKMODE: dc.fond_opaque = c.u32(8) == 2; break;
    case U_EMR_SETPOLYFILLMODE: dc.pair_impair = c.u32(8) != 2; break;
    case U_EMR_SETTEXTALIGN: dc.alignement = c.u32(8); break;
    case U_EMR_SETTEXTCOLOR: dc.texte = couleur(c, 8); break;
    case U_EMR_SETBKCOLOR: dc.fond = couleur(c, 8); break;
    case U_EMR_MOVETOEX: j.deplace(point32(c, 8)); break;
    case U_EMR_LINETO: j.ligne_vers(point32(c, 8)); break;
    case U_EMR_EXCLUDECLIPRECT: j.coupe_rectangle(rect32(c, 8), true); break;
    case U_EMR_INTERSECTCLIPRECT: j.coupe_rectangle(rect32(c, 8), false); break;
    case U_EMR_SAVEDC: dessine = j.sauve(); break;
    case U_EMR_RESTOREDC: dessine = j.restaure(c.i32(8)); break;
    case U_EMR_SETWORLDTRANSFORM: dc.monde = xform(c, 8); break;
    case U_EMR_MODIFYWORLDTRANSFORM: {
        const QTransform t = xform(c, 8);
        switch (c.u32(32)) {
        case 1: dc.monde = QTransform(); break;
        case 2: dc.monde = t * dc.monde; break;
        case 3: dc.monde = dc.monde * t; break;
        case 4: dc.monde = t; break;
        default: dessine = false; break;
        }
        break;
    }
    case U_EMR_SELECTOBJECT: {
        const std::uint32_t i = c.u32(8);
        if (i & 0x80000000u) j.objet_stock(i & 0x7FFFFFFFu);
        else dessine = j.objet_choisi(i);
        break;
    }
    case U_EMR_CREATEPEN: {
        Objet o;
        o.genre = Objet::Genre::stylo;
        o.stylo.style = c.u32(12);
        o.stylo.largeur = std::max(0, c.i32(16));
        o.stylo.couleur = couleur(c, 24);
        j.objet_cree(c.u32(8), o);
        break;
    }
    case U_EMR_EXTCREATEPEN: {
        Objet o;
        o.genre = Objet::Genre::stylo;
        o.stylo = stylo_etendu(c);
        j.objet_cree(c.u32(8), o);
        break;
    }
    case U_EMR_CREATEBRUSHINDIRECT: {
        Objet o;
        o.genre = Objet::Genre::brosse;
        o.brosse.style = c.u32(12);
        o.brosse.couleur = couleur(c, 16);
        o.brosse.hachure = c.u32(20);
        j.objet_cree(c.u32(8), o);
        break;
    }
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
    case U_EMR_CREATEMONOBRUSH: {
        Objet o;
        o.genre = Objet::Genre::brosse;
        o.brosse.style = 5;
        o.brosse.motif = dib(c, c.u32(16), c.u32(20), c.u32(24), c.u32(28));
        dessine = !o.brosse.motif.isNull();
        if (!dessine) o.brosse = Brosse{0, Qt::gray, 0, {}};
        j.objet_cree(c.u32(8), o);
        break;
    }
    case U_EMR_CREATEPALETTE:
    case U_EMR_CREATECOLORSPACE:
    case U_EMR_CREATECOLORSPACEW: {
        Objet o;
        o.genre = Objet::Genre::autre;
        j.objet_cree(c.u32(8), o);
        break;
    }
    case U_EMR_EXTCREATEFONTINDIRECTW: {
        Objet o;
        o.genre = Objet::Genre::police;
        Police& p = o.police;
        p.hauteur = c.i32(12);
        p.echappement = c.i32(20);
        p.graisse = c.i32(28);
        p.italique = c.u8(32) != 0;
        p.souligne = c.u8(33) != 0;
        p.barre = c.u8(34) != 0;
        p.jeu = c.u8(35);
        // At most 32 UTF-16 units, up to the first null: a name need not end with one.
        for (std::size_t k = 0; k < 32 && c.tient(40 + 2 * k, 2); ++k) {
            const std::uint16_t u = c.u16(40 + 2 * k);
            if (u == 0) break;
            p.nom += QChar(static_cast<char16_t>(u));
        }
        j.objet_cree(c.u32(8), o);
        break;
    }
    case U_EMR_DELETEOBJECT: j.objet_supprime(c.u32(8)); break;
    case U_EMR_RECTANGLE:
    case U_EMR_ELLIPSE: {
        QPainterPath f;
        const QRectF r = rect32(c, 8).normalized();
        if (e.type == U_EMR_RECTANGLE) f.addRect(r);
        else f.addEllipse(r);
        j.trace(f, true, true);
        break;
    }
    case U_EMR_ROUNDRECT: {
        QPainterPath f;
        f.addRoundedRect(rect32(c, 8).normalized(), std::abs(c.i32(24)) / 2.0, std::abs(c.i32(28)) / 2.0);
        j.trace(f, true, true);
        break;
    }
    case U_EMR_ARC: case U_EMR_CHORD: case U_EMR_PIE: case U_EMR_ARCTO: {
        const int genre = e.type == U_EMR_CHORD ? 1 : e.type == U_EMR_PIE ? 2 : 0;
        const QPainterPath f = arc(rect32(c, 8), point32(c, 24), point32(c, 32), genre);
        if (e.type == U_EMR_ARCTO) {
            if (f.elementCount() == 0) break;
            j.ligne_vers(f.elementAt(0));
            j.trace(f, false, true, false);
            j.dc().courant = f.currentPosition();
        } else {
            j.trace(f, genre != 0, true, genre != 0);
        }
        break;
    }
    case U_EMR_SETMITERLIMIT: dc.mitre = std::max<std::uint32_t>(1, c.u32(8)); break;
    case U_EMR_BEGINPATH: j.commence_chemin(); break;
    case U_EMR_ENDPATH: j.finit_chemin(); break;
    case U_EMR_CLOSEFIGURE: j.ferme_figure(); break;
    case U_EMR_ABORTPATH: j.abandonne_chemin(); break;
    case U_EMR_FILLPATH: j.dessine_chemin(true, false); break;
    case U_EMR_STROKEPATH: j.dessine_chemin(false, true); break;
    case U_EMR_STROKEANDFILLPATH: j.dessine_chemin(true, true); break;
    case U_EMR_SELECTCLIPPATH: j.coupe_chemin(c.u32(8)); break;
    case U_EMR_EXTSELECTCLIPRGN: {
        const std::uint32_t cb = c.u32(8), mode = c.u32(12);
        if (cb == 0) {
            if (mode == 5) j.coupe_nulle();
            else dessine = false;
            break;
        }
        const std::uint32_t n = c.u32(16 + 8);
        if (n > e.taille / 16 || !c.tient(48, std::size_t{n} * 16)) { dessine = false; break; }
        QPainterPath r;
        for (std::uint32_t k = 0; k < n; ++k) r.addRect(rect32(c, 48 + 16 * k).normalized());
        j.coupe_region_cible(j.appareil_vers_cible().map(r), mode == 5 ? 5 : mode);
        break;
    }
    case U_EMR_BITBLT:
    case U_EMR_STRETCHBLT: {
        const QRectF dest(point32(c, 24), QSizeF(c.i32(32), c.i32(36)));
        const std::uint32_t rop = c.u32(40);
        if (c.u32(88) == 0) {  // no bitmap: the brush, black or white
            if (rop == 0xF00021) j.remplit_rectangle(dest, j.brosse_qt());
            else if (rop == 0x000042) j.remplit_rectangle(dest, Qt::black);
            else if (rop == 0xFF0062) j.remplit_rectangle(dest, Qt::white);
            else dessine = false;
            break;
        }
        const bool etire = e.type == U_EMR_STRETCHBLT;
        dessine = bitmap(j, c, rop, dest, 84, c.i32(44), c.i32(48), etire ? c.i32(100) : dest.width(),
                         etire ? c.i32(104) : dest.height());
        break;
    }
    case U_EMR_STRETCHDIBITS: {
        const QRectF dest(point32(c, 24), QSizeF(c.i32(72), c.i32(76)));
        dessine = bitmap(j, c, c.u32(68), dest, 48, c.i32(32), c.i32(36), c.i32(40), c.i32(44));
        break;
    }
    case U_EMR_SETDIBITSTODEVICE: {
        const QRectF dest(point32(c, 24), QSizeF(c.i32(40), c.i32(44)));
        dessine = bitmap(j, c, 0xCC0020, dest, 48, c.i32(32), c.i32(36), c.i32(40), c.i32(44));
        break;
    }
    case U_EMR_EXTTEXTOUTW: texte_emf(j, c, true); break;
    case U_EMR_EXTTEXTOUTA: texte_emf(j, c, false); break;
    default: dessine = sans_effet(e.type); break;
    }
    if (!dessine || !c.ok) j.non_dessine(nom_emf(e.type));
}

} // namespace vuv::mf
