#include "imaging/metafichier/Joueur.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vuv::mf {

namespace {

// A file may save the context as often as it likes; past this depth a save is refused.
constexpr std::size_t profondeur_max = 4096;
constexpr std::size_t objets_max = 65536;

bool fini(const QTransform& t) {
    for (const double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
        if (!std::isfinite(v) || std::abs(v) > 1e12) return false;
    return std::abs(t.determinant()) > 1e-18;
}

QPainterPath ferme_tout(const QPainterPath& f) {
    QPainterPath r;
    for (int i = 0; i < f.elementCount(); ++i) {
        const QPainterPath::Element e = f.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0) r.closeSubpath();
            r.moveTo(e);
        } else if (e.isLineTo()) {
            r.lineTo(e);
        } else if (e.isCurveTo() && i + 2 < f.elementCount()) {
            r.cubicTo(e, f.elementAt(i + 1), f.elementAt(i + 2));
            i += 2;
        }
    }
    r.closeSubpath();
    return r;
}

} // namespace

Joueur::Joueur(const Lecture& l, const unsigned char* o, QPainter* p, const QRectF& cible)
    : lecture(l), octets(o), p_(p), cible_(cible) {
    QRectF cadre;  // in device units for EMF, in the window's units for WMF
    if (l.emf) {
        const double kx = l.device_mm_l > 0 ? l.device_px_l / (l.device_mm_l * 100) : 0;
        const double ky = l.device_mm_h > 0 ? l.device_px_h / (l.device_mm_h * 100) : 0;
        cadre = QRectF(QPointF(l.cadre.x0 * kx, l.cadre.y0 * ky), QPointF(l.cadre.x1 * kx, l.cadre.y1 * ky));
    }
    if (cadre.width() != 0 && cadre.height() != 0)
        appareil_vers_cible_ = QTransform::fromTranslate(-cadre.left(), -cadre.top()) *
                               QTransform::fromScale(cible.width() / cadre.width(), cible.height() / cadre.height()) *
                               QTransform::fromTranslate(cible.left(), cible.top());
    if (!l.emf) {
        dc_.mode_carte = 8;  // the window is stretched over the target
        dc_.org_fenetre = QPointF(l.cadre.x0, l.cadre.y0);
        dc_.ext_fenetre = QSizeF(l.cadre.l(), l.cadre.h());
        dc_.org_vue = cible.topLeft();
        dc_.ext_vue = cible.size();
    }
    objets_.resize(std::min<std::size_t>(objets_max, 64));
}

void Joueur::joue() {
    if (p_) {
        p_->save();
        p_->setRenderHint(QPainter::Antialiasing);
        p_->setRenderHint(QPainter::SmoothPixmapTransform);
    }
    for (const Enregistrement& e : lecture.enregistrements) {
        if (lecture.emf) mf::joue_emf(*this, e);
        else mf::joue_wmf(*this, e);
    }
    if (lecture.refuses > 0) non_dessines_["enregistrement endommagé"] += lecture.refuses;
    if (p_) p_->restore();
}

QTransform Joueur::page_vers_appareil() const {
    const Contexte& d = dc_;
    double sx = 1, sy = 1;
    const double mm_x = lecture.device_mm_l > 0 ? lecture.device_px_l / lecture.device_mm_l : 96 / 25.4;
    const double mm_y = lecture.device_mm_h > 0 ? lecture.device_px_h / lecture.device_mm_h : 96 / 25.4;
    switch (d.mode_carte) {
    case 2: sx = mm_x / 10, sy = -mm_y / 10; break;           // 0.1 mm
    case 3: sx = mm_x / 100, sy = -mm_y / 100; break;         // 0.01 mm
    case 4: sx = mm_x * 0.254, sy = -mm_y * 0.254; break;     // 0.01 inch
    case 5: sx = mm_x * 0.0254, sy = -mm_y * 0.0254; break;   // 0.001 inch
    case 6: sx = mm_x * 25.4 / 1440, sy = -mm_y * 25.4 / 1440; break;
    case 7:
    case 8:
        if (d.ext_fenetre.width() == 0 || d.ext_fenetre.height() == 0) break;
        sx = d.ext_vue.width() / d.ext_fenetre.width();
        sy = d.ext_vue.height() / d.ext_fenetre.height();
        if (d.mode_carte == 7) {
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
        break;
    default: break;
    }
    return QTransform::fromTranslate(-d.org_fenetre.x(), -d.org_fenetre.y()) * QTransform::fromScale(sx, sy) *
           QTransform::fromTranslate(d.org_vue.x(), d.org_vue.y());
}

QTransform Joueur::logique_vers_cible() const { return dc_.monde * page_vers_appareil() * appareil_vers_cible_; }

bool Joueur::sauve() {
    if (pile_.size() >= profondeur_max) return false;
    pile_.push_back(dc_);
    return true;
}

bool Joueur::restaure(int n) {
    // n < 0: that many saves back; n > 0: the n-th save from the bottom.
    const long long taille = static_cast<long long>(pile_.size());
    const long long garde = n < 0 ? taille + n : static_cast<long long>(n) - 1;
    if (garde < 0 || garde >= taille) return false;
    const bool coupe_changee = dc_.coupe_active || pile_[static_cast<std::size_t>(garde)].coupe_active;
    dc_ = pile_[static_cast<std::size_t>(garde)];
    pile_.resize(static_cast<std::size_t>(garde));
    if (coupe_changee) coupe_posee_ = false;
    return true;
}

void Joueur::objet_cree(std::size_t i, Objet o) {
    if (i >= objets_max) return;
    if (i >= objets_.size()) objets_.resize(i + 1);
    objets_[i] = std::move(o);
}

std::size_t Joueur::premier_libre() const {
    for (std::size_t i = 0; i < objets_.size(); ++i)
        if (objets_[i].genre == Objet::Genre::aucun) return i;
    return objets_.size();
}

bool Joueur::objet_choisi(std::size_t i) {
    if (i >= objets_.size()) return false;
    const Objet& o = objets_[i];
    switch (o.genre) {
    case Objet::Genre::stylo: dc_.stylo = o.stylo; return true;
    case Objet::Genre::brosse: dc_.brosse = o.brosse; return true;
    case Objet::Genre::police: dc_.police = o.police; return true;
    case Objet::Genre::autre: return true;
    default: return false;
    }
}

void Joueur::objet_supprime(std::size_t i) {
    if (i < objets_.size()) objets_[i] = Objet{};
}

void Joueur::objet_stock(std::uint32_t n) {
    static const int gris[] = {255, 192, 128, 64, 0};
    if (n <= 4) {
        dc_.brosse = Brosse{0, QColor(gris[n], gris[n], gris[n]), 0, {}};
    } else if (n == 5) {
        dc_.brosse = Brosse{1, Qt::white, 0, {}};
    } else if (n == 6 || n == 7) {
        dc_.stylo = Stylo{0, 0, n == 6 ? Qt::white : Qt::black, {}};
    } else if (n == 8) {
        dc_.stylo = Stylo{5, 0, Qt::black, {}};
    } else if (n >= 10 && n <= 17 && n != 15) {
        dc_.police = Police{};
    }
}

QPen Joueur::stylo_qt(double echelle) const {
    const Stylo& s = dc_.stylo;
    const std::uint32_t type = s.style & 0xF;
    if (type == 5) return Qt::NoPen;
    QPen pen(s.couleur);
    // In the target's pixels, never thinner than one; a lying width stays within Qt's range.
    const double largeur = std::min(s.largeur * echelle, 30000.0);
    const bool cosmetique = !(largeur >= 1);
    pen.setCosmetic(cosmetique);
    pen.setWidthF(cosmetique ? 1.0 : largeur);
    const std::uint32_t bout = s.style & 0xF00, joint = s.style & 0xF000;
    pen.setCapStyle(bout == 0x100 ? Qt::SquareCap : bout == 0x200 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(joint == 0x1000 ? Qt::BevelJoin : joint == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
    pen.setMiterLimit(dc_.mitre);
    QList<qreal> motif;
    switch (type) {
    case 1: motif = cosmetique ? QList<qreal>{18, 6} : QList<qreal>{3, 1}; break;
    case 2: motif = cosmetique ? QList<qreal>{3, 3} : QList<qreal>{1, 1}; break;
    case 3: motif = cosmetique ? QList<qreal>{9, 6, 3, 6} : QList<qreal>{3, 1, 1, 1}; break;
    case 4: motif = cosmetique ? QList<qreal>{9, 3, 3, 3, 3, 3} : QList<qreal>{3, 1, 1, 1, 1, 1}; break;
    case 7: {
        const double unite = cosmetique ? 1 / echelle : s.largeur;
        double total = 0;
        for (const double t : s.tirets) {
            motif.push_back(std::max(0.0, t / unite));
            total += motif.back();
        }
        if (motif.size() % 2) motif += QList<qreal>(motif);
        if (!(total > 0.01) || !std::isfinite(total)) motif.clear();
        break;
    }
    default: break;
    }
    if (!motif.isEmpty()) {
        // The standard styles end their dashes flat; a user style keeps the pen's caps.
        if (type != 7) pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(motif);
    }
    return pen;
}

QBrush Joueur::brosse_qt() const {
    const Brosse& b = dc_.brosse;
    switch (b.style) {
    case 0: return QBrush(b.couleur);
    case 2: {
        static const Qt::BrushStyle hachures[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                  Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(b.couleur, hachures[std::min<std::uint32_t>(b.hachure, 5)]);
    }
    case 3:
    case 5:
    case 6:
        if (!b.motif.isNull()) return QBrush(b.motif);
        return QBrush(b.couleur);
    default: return Qt::NoBrush;
    }
}

void Joueur::pose_coupe() {
    if (coupe_posee_ || !p_) return;
    p_->resetTransform();
    if (dc_.coupe_active) p_->setClipPath(dc_.coupe);
    else p_->setClipping(false);
    coupe_posee_ = true;
}

void Joueur::trace(const QPainterPath& forme, bool remplit, bool contour, bool ferme_figure) {
    if (chemin_ouvert_) {
        chemin_.addPath(forme);
        if (ferme_figure) chemin_.closeSubpath();
        return;
    }
    if (!p_) return;
    const QTransform t = logique_vers_cible();
    if (!fini(t)) return;
    pose_coupe();
    p_->setTransform(t);
    QPainterPath f = forme;
    f.setFillRule(dc_.pair_impair ? Qt::OddEvenFill : Qt::WindingFill);
    if (remplit) {
        const QBrush b = brosse_qt();
        if (b.style() != Qt::NoBrush) {
            if (dc_.brosse.style == 2 && dc_.fond_opaque) p_->fillPath(f, dc_.fond);
            p_->fillPath(f, b);
        }
    }
    if (contour) {
        // Stroked in the target's pixels: the pen's width is measured there.
        p_->resetTransform();
        p_->strokePath(t.map(f), stylo_qt(std::sqrt(std::abs(t.determinant()))));
    }
}

void Joueur::deplace(QPointF p) {
    dc_.courant = p;
    if (chemin_ouvert_) chemin_.moveTo(p);
}

void Joueur::ligne_vers(QPointF p) { polyligne({p}, true); }

void Joueur::polyligne(const std::vector<QPointF>& pts, bool depuis_courant) {
    if (pts.empty()) return;
    QPainterPath f;
    if (chemin_ouvert_ && depuis_courant) {
        if (chemin_.elementCount() == 0) chemin_.moveTo(dc_.courant);
        for (const QPointF& p : pts) chemin_.lineTo(p);
        dc_.courant = pts.back();
        return;
    }
    f.moveTo(depuis_courant ? dc_.courant : pts.front());
    for (std::size_t i = depuis_courant ? 0 : 1; i < pts.size(); ++i) f.lineTo(pts[i]);
    if (depuis_courant) dc_.courant = pts.back();
    if (chemin_ouvert_) {
        chemin_.addPath(f);
        return;
    }
    trace(f, false, true, false);
}

void Joueur::bezier(const std::vector<QPointF>& pts, bool depuis_courant) {
    QPainterPath f;
    std::size_t i = 0;
    if (depuis_courant) {
        if (chemin_ouvert_ && chemin_.elementCount() == 0) chemin_.moveTo(dc_.courant);
        f.moveTo(dc_.courant);
    } else {
        if (pts.empty()) return;
        f.moveTo(pts[0]);
        i = 1;
    }
    for (; i + 3 <= pts.size(); i += 3) f.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
    if (depuis_courant && pts.size() >= 3) dc_.courant = pts[(pts.size() / 3) * 3 - 1];
    if (chemin_ouvert_) {
        if (depuis_courant) chemin_.connectPath(f);
        else chemin_.addPath(f);
        return;
    }
    trace(f, false, true, false);
}

void Joueur::commence_chemin() {
    chemin_ = QPainterPath();
    chemin_ouvert_ = true;
}

void Joueur::ferme_figure() {
    if (chemin_ouvert_) chemin_.closeSubpath();
}

void Joueur::abandonne_chemin() {
    chemin_ = QPainterPath();
    chemin_ouvert_ = false;
}

void Joueur::dessine_chemin(bool remplit, bool contour) {
    chemin_ouvert_ = false;
    QPainterPath f = chemin_;
    chemin_ = QPainterPath();
    if (remplit) {
        // A fill closes every figure; the outline of a stroke-and-fill too.
        trace(ferme_tout(f), true, contour, false);
        return;
    }
    trace(f, false, contour, false);
}

void Joueur::coupe_region_cible(const QPainterPath& r, std::uint32_t mode) {
    QPainterPath tout;
    tout.addRect(cible_.adjusted(-1, -1, 1, 1));
    const QPainterPath actuelle = dc_.coupe_active ? dc_.coupe : tout;
    switch (mode) {
    case 1: dc_.coupe = actuelle.intersected(r); break;  // RGN_AND
    case 2: dc_.coupe = actuelle.united(r); break;       // RGN_OR
    case 3: dc_.coupe = actuelle.subtracted(r).united(r.subtracted(actuelle)); break;
    case 4: dc_.coupe = actuelle.subtracted(r); break;  // RGN_DIFF
    default: dc_.coupe = r; break;                      // RGN_COPY
    }
    dc_.coupe_active = true;
    coupe_posee_ = false;
}

void Joueur::coupe_chemin(std::uint32_t mode) {
    chemin_ouvert_ = false;
    QPainterPath f = ferme_tout(chemin_);
    chemin_ = QPainterPath();
    f.setFillRule(dc_.pair_impair ? Qt::OddEvenFill : Qt::WindingFill);
    const QTransform t = logique_vers_cible();
    if (!fini(t)) return;
    coupe_region_cible(t.map(f), mode);
}

void Joueur::coupe_rectangle(const QRectF& r, bool exclut) {
    const QTransform t = logique_vers_cible();
    if (!fini(t)) return;
    QPainterPath f;
    f.addRect(r.normalized());
    coupe_region_cible(t.map(f), exclut ? 4 : 1);
}

void Joueur::coupe_nulle() {
    dc_.coupe_active = false;
    dc_.coupe = QPainterPath();
    coupe_posee_ = false;
}

void Joueur::remplit_rectangle(const QRectF& r, const QBrush& b) {
    if (!p_ || chemin_ouvert_) return;
    const QTransform t = logique_vers_cible();
    if (!fini(t)) return;
    pose_coupe();
    p_->setTransform(t);
    p_->fillRect(r.normalized(), b);
}

void Joueur::image(const QImage& im, const QRectF& dest, const QRectF& source) {
    if (!p_ || im.isNull()) return;
    const QTransform t = logique_vers_cible();
    if (!fini(t)) return;
    pose_coupe();
    p_->setTransform(t);
    // A negative extent mirrors the picture.
    const QRectF d = dest.normalized();
    QImage src = im.mirrored(dest.width() < 0, dest.height() < 0);
    QRectF s = source.isValid() ? source : QRectF(src.rect());
    p_->drawImage(d, src, s);
}

void Joueur::texte(QPointF ref, const QString& s, const std::vector<double>& avances, std::uint32_t options,
                   const QRectF& rect) {
    if (!p_) return;
    const QTransform t = logique_vers_cible();
    if (!fini(t)) return;
    if ((options & 0x2) && rect.isValid()) remplit_rectangle(rect, dc_.fond);  // ETO_OPAQUE
    if (s.isEmpty()) return;
    const Police& pol = dc_.police;
    // Heights in target pixels: the logical vertical extent through the transform.
    const QLineF vertical = t.map(QLineF(QPointF(0, 0), QPointF(0, 1)));
    const QLineF horizontal = t.map(QLineF(QPointF(0, 0), QPointF(1, 0)));
    double hauteur = std::abs(pol.hauteur) * vertical.length();
    if (hauteur < 0.05 || !std::isfinite(hauteur) || hauteur > 1e5) return;
    QFont f(pol.nom.isEmpty() ? QStringLiteral("DejaVu Sans") : pol.nom);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setWeight(static_cast<QFont::Weight>(std::clamp(pol.graisse, 1, 1000)));
    f.setItalic(pol.italique);
    f.setUnderline(pol.souligne);
    f.setStrikeOut(pol.barre);
    constexpr double base = 100;  // drawn at 100 pixels, scaled to the height
    f.setPixelSize(static_cast<int>(base));
    const QFontMetricsF m(f);
    double echelle = hauteur / base;
    if (pol.hauteur > 0 && m.height() > 0) echelle = hauteur / m.height();  // cell height
    // The direction of the baseline on the target, and the escapement on top of it.
    const double angle_x = horizontal.angle();  // counter-clockwise, degrees
    const double angle = angle_x + pol.echappement / 10.0;
    const double dir_x = horizontal.length();
    double largeur = 0;
    std::vector<double> pos;
    if (!avances.empty()) {
        for (const double a : avances) {
            pos.push_back(largeur);
            largeur += a * dir_x / echelle;
        }
    } else {
        largeur = m.horizontalAdvance(s);
    }
    double x = 0, y = 0;
    const std::uint32_t a = dc_.alignement;
    if ((a & 6) == 6) x = -largeur / 2;
    else if (a & 2) x = -largeur;
    if ((a & 24) == 24) y = 0;
    else if (a & 8) y = -m.descent();
    else y = m.ascent();
    pose_coupe();
    p_->setTransform(QTransform());
    p_->translate(t.map(ref));
    p_->rotate(-angle);
    p_->scale(echelle, echelle);
    p_->setFont(f);
    p_->setPen(dc_.texte);
    if (dc_.fond_opaque && !(options & 0x2)) {
        p_->fillRect(QRectF(x, y - m.ascent(), largeur, m.height()), dc_.fond);
    }
    if (pos.size() == static_cast<std::size_t>(s.size())) {
        for (qsizetype i = 0; i < s.size(); ++i) {
            // A character beyond 16 bits is one glyph over two advances.
            const qsizetype n = s[i].isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
            p_->drawText(QPointF(x + pos[static_cast<std::size_t>(i)], y), s.mid(i, n));
            i += n - 1;
        }
    } else {
        p_->drawText(QPointF(x, y), s);
    }
}

} // namespace vuv::mf
