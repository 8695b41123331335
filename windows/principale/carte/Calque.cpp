#include "windows/principale/carte/Calque.h"

#include "core/document/Document.h"
#include "core/pixels/Trace.h"
#include "core/text/extraitUTIL.h"
#include "imaging/Pixels.h"
#include "windows/commun/Couleurs.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace vuv {
namespace {

const QColor argent(192, 192, 192);
const QColor rouge(255, 0, 0);

QPen stylo(const QColor& c, int largeur) {
    QPen p(c);
    p.setWidth(largeur);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

} // namespace

// The look of each line, read once per rebuild rather than once per point. A cell that is not
// an integer asks its question once per rebuild; later ones keep their partial value silently.
class Calque::Styles {
public:
    explicit Styles(const Document& d) : d_(d) {}

    const StyleLigne& de(int L) {
        const auto it = cache_.find(L);
        if (it != cache_.end()) return it->second;
        const Grille& lignes = d_.StringGrid3;
        StyleLigne s;
        s.epaisseur = entier(lignes.cell(1, L));
        s.couleur = couleur_bgr(static_cast<std::uint32_t>(entier(lignes.cell(2, L))));
        s.affichee = !lignes.cell(3, L).empty();
        return cache_.emplace(L, s).first->second;
    }

private:
    int entier(std::string_view t) {
        const LectureEntier r = lit_entier(t);
        if (r.erreur == 0) return r.valeur;
        if (demande_) return r.valeur;
        demande_ = true;
        return val_entier(t);
    }

    const Document& d_;
    std::unordered_map<int, StyleLigne> cache_;
    bool demande_ = false;
};

void Calque::creer_calque_de_bitmap() {
    // A fresh buffer advised for huge pages, then one copy: faster than QImage::copy on scans.
    image = nouvelle_image(fond.width(), fond.height(), fond.format());
    if (!image.isNull() && image.bytesPerLine() == fond.bytesPerLine())
        std::memcpy(image.bits(), fond.constBits(), static_cast<std::size_t>(fond.sizeInBytes()));
    else
        image = fond.copy();
    vue.init(image.width(), image.height());
    dernier_x = dernier_y = 0;
}

void Calque::creer_calque_vide(int largeur, int hauteur, QImage::Format format) {
    image = QImage(largeur, hauteur, format);
    vide_calque_sans_bmp();
    vue.init(largeur, hauteur);
    dernier_x = dernier_y = 0;
}

void Calque::vide_calque(const QColor& c) {
    if (!existe()) return;
    image.fill(c);
    vue.marque_sale();
}

void Calque::vide_calque_avec_bmp() {
    if (!existe()) return;
    if (presence_fond() && fond.size() == image.size() && fond.format() == image.format()) {
        // One copy of the pixels, not a conversion: the overlay and the background share a format.
        std::memcpy(image.bits(), fond.constBits(), static_cast<std::size_t>(fond.sizeInBytes()));
    } else if (presence_fond()) {
        QPainter p(&image);
        p.drawImage(0, 0, fond);
    }
    vue.marque_sale();
}

void Calque::af_micro_point(int x, int y, const QColor& c, const QColor& d) {
    if (!existe()) return;
    auto pixel = [this](int px, int py, const QColor& col) {
        if (px < 0 || py < 0 || px >= image.width() || py >= image.height()) return;
        if (image.format() == QImage::Format_RGB555)
            reinterpret_cast<std::uint16_t*>(image.scanLine(py))[px] =
                static_cast<std::uint16_t>(((col.red() >> 3) << 10) | ((col.green() >> 3) << 5) | (col.blue() >> 3));
        else
            image.setPixelColor(px, py, col);
    };
    pixel(x - 1, y - 1, d);
    pixel(x, y, d);
    pixel(x - 1, y, c);
    pixel(x, y - 1, c);
    vue.marque_sale();
}

void Calque::af_croix_calage(int x, int y) {
    if (!existe()) return;
    {
        QPainter p(&image);
        p.setPen(stylo(rouge, 2));
        p.drawRect(QRect(QPoint(x - 10, y - 10), QPoint(x + 10, y + 10)));
        p.drawLine(x - 10, y - 10, x + 10, y + 10);
        p.drawLine(x - 10, y + 10, x + 10, y - 10);
    }
    af_micro_point(x, y, argent, Qt::black);
    vue.marque_sale();
}

void Calque::af_point(Document& d, const ReglagesTrace& r, int x, int y, int L, int row) {
    if (!existe()) return;
    Styles styles(d);
    QPainter p(&image);
    trace_point(p, styles.de(L), d, r, x, y, row);
}

void Calque::trace_point(QPainter& p, const StyleLigne& s, Document& d, const ReglagesTrace& r, int x, int y,
                         int row) {
    vue.marque_sale();
    // 15-bit overlays are drawn directly: a rebuild draws every point of the work.
    const bool direct = image.format() == QImage::Format_RGB555;
    const VuePixels pixels{image.bits(), image.width(), image.height(), image.bytesPerLine(), FormatPixels::rgb555};
    const std::uint16_t c555 = rgb555_de_bgr(bgr_de(s.couleur));
    int largeur = s.epaisseur < 2 ? 1 : 2 * s.epaisseur;
    if (s.affichee) {
        if (direct) {
            trace_disque(pixels, x, y, largeur, c555);
        } else {
            p.setPen(stylo(s.couleur, largeur));
            p.drawPoint(x, y);
        }
    }
    const bool segment = d.nb_points > 1 && r.mode_lignes && !d.nouvelle_ligne;
    if (segment) {
        largeur = s.epaisseur;
        if (s.affichee) {
            if (direct) {
                trace_segment(pixels, dernier_x, dernier_y, x, y, largeur, c555);
            } else {
                p.setPen(stylo(s.couleur, largeur));
                p.drawLine(dernier_x, dernier_y, x, y);
            }
        }
    }
    if (largeur > 1) {
        if (segment) af_micro_point(dernier_x, dernier_y, argent, Qt::black);
        af_micro_point(x, y, argent, Qt::black);
    }
    d.nouvelle_ligne = false;

    if (r.libelles && s.affichee) {
        const std::string libelle = enleve_blancs(d.StringGrid1.cell(d.indice_col("Libellé"), row));
        if (!libelle.empty()) {
            p.save();
            QFont police = p.font();
            police.setPixelSize(std::max(r.hauteur_police, 1));
            p.setFont(police);
            p.setPen(r.couleur_libelle);
            p.setBackgroundMode(Qt::OpaqueMode);
            p.setBackground(r.fond_libelle);
            p.drawText(QRect(x + 3, y, 10000, 10000), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                       QString::fromStdString(libelle));
            p.restore();
        }
    }
    dernier_x = x;
    dernier_y = y;
}

void Calque::redessiner_calque(Document& d, const ReglagesTrace& r) {
    if (!existe()) return;
    const int nb_points = d.nb_points;
    const bool nouvelle_ligne = d.nouvelle_ligne;
    if (presence_fond())
        vide_calque_avec_bmp();
    else
        vide_calque_sans_bmp();
    if (!r.sans_lignes) {
        const Grille& cal = d.StringGrid2;
        const int cx = d.indice_col_cal("x"), cy = d.indice_col_cal("y");
        for (int k = 1; k <= d.nb_calage; ++k) af_croix_calage(val_entier(cal.cell(cx, k)), val_entier(cal.cell(cy, k)));

        const Grille& points = d.StringGrid1;
        const int cn = d.indice_col("n"), cL = d.indice_col("L"), px = d.indice_col("x"), py = d.indice_col("y");
        Styles styles(d);
        QPainter p(&image);
        int L_precedent = 0;
        for (int row = 1; row <= nb_points; ++row) {
            if (points.cell(cn, row).empty()) continue;
            const int L = val_entier(points.cell(cL, row));
            if (L > 0) {
                d.nouvelle_ligne = L != L_precedent;
                L_precedent = L;
            }
            d.nb_points = row; // the first row never gets a segment
            trace_point(p, styles.de(L), d, r, val_entier(points.cell(px, row)), val_entier(points.cell(py, row)), row);
        }
    }
    d.nb_points = nb_points;
    d.nouvelle_ligne = nouvelle_ligne;
    vue.marque_sale();
}

void Calque::restaure_fond(const QRect& zone) {
    if (presence_fond() && fond.size() == image.size() && fond.format() == image.format()) {
        const int octets = zone.width() * image.depth() / 8, dx = zone.x() * image.depth() / 8;
        for (int y = zone.top(); y <= zone.bottom(); ++y)
            std::memcpy(image.scanLine(y) + dx, fond.constScanLine(y) + dx, static_cast<std::size_t>(octets));
        return;
    }
    QPainter p(&image);
    if (presence_fond())
        p.drawImage(zone.topLeft(), fond, zone);
    else
        p.fillRect(zone, couleur_vide);
}

void Calque::redessiner_zone(Document& d, const ReglagesTrace& r, QRect zone) {
    if (!existe()) return;
    zone &= image.rect();
    if (zone.isEmpty()) return;
    restaure_fond(zone);
    vue.marque_sale();
    if (r.sans_lignes) return;
    const int nb_points = d.nb_points;
    const bool nouvelle_ligne = d.nouvelle_ligne;
    const int ox = zone.x(), oy = zone.y();
    // Everything is drawn into a window over the zone's own pixels, shifted: what falls
    // outside is clipped, and the pixels inside come out as a whole rebuild makes them.
    QImage entier = std::move(image);
    image = QImage(entier.bits() + static_cast<qsizetype>(oy) * entier.bytesPerLine() + ox * (entier.depth() / 8),
                   zone.width(), zone.height(), entier.bytesPerLine(), entier.format());
    const auto touche = [&](int x0, int y0, int x1, int y1, int marge) {
        return std::max(x0, x1) + marge >= zone.left() && std::min(x0, x1) - marge <= zone.right() &&
               std::max(y0, y1) + marge >= zone.top() && std::min(y0, y1) - marge <= zone.bottom();
    };
    const Grille& cal = d.StringGrid2;
    const int ccx = d.indice_col_cal("x"), ccy = d.indice_col_cal("y");
    for (int k = 1; k <= d.nb_calage; ++k) {
        const int x = val_entier(cal.cell(ccx, k)), y = val_entier(cal.cell(ccy, k));
        if (touche(x, y, x, y, 12)) af_croix_calage(x - ox, y - oy);
    }
    const Grille& points = d.StringGrid1;
    const int cn = d.indice_col("n"), cL = d.indice_col("L"), px = d.indice_col("x"), py = d.indice_col("y");
    Styles styles(d);
    {
        QPainter p(&image);
        int L_precedent = 0, x_prec = 0, y_prec = 0;
        for (int row = 1; row <= nb_points; ++row) {
            if (points.cell(cn, row).empty()) continue;
            const int L = val_entier(points.cell(cL, row));
            if (L > 0) {
                d.nouvelle_ligne = L != L_precedent;
                L_precedent = L;
            }
            const int x = val_entier(points.cell(px, row)), y = val_entier(points.cell(py, row));
            const StyleLigne& s = styles.de(L);
            const int marge = 2 * std::max(s.epaisseur, 1) + 2;
            const bool segment = row > 1 && r.mode_lignes && !d.nouvelle_ligne;
            const bool libelle = r.libelles && x <= zone.right() && y <= zone.bottom();
            if (libelle || touche(segment ? x_prec : x, segment ? y_prec : y, x, y, marge)) {
                d.nb_points = row;
                dernier_x = x_prec - ox;
                dernier_y = y_prec - oy;
                trace_point(p, s, d, r, x - ox, y - oy, row);
            }
            d.nouvelle_ligne = false;
            x_prec = x;
            y_prec = y;
        }
    }
    image = std::move(entier);
    // As after a whole rebuild: the rubber band leaves from the last row.
    dernier_x = nb_points > 0 ? val_entier(points.cell(px, nb_points)) : 0;
    dernier_y = nb_points > 0 ? val_entier(points.cell(py, nb_points)) : 0;
    d.nb_points = nb_points;
    d.nouvelle_ligne = nouvelle_ligne;
    vue.marque_sale();
}

} // namespace vuv
