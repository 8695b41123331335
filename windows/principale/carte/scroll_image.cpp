#include "windows/principale/carte/scroll_image.h"

#include "core/vue/Echantillonnage.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vuv {

ZoneImage::ZoneImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void ZoneImage::fixe_couleur_fond(const QColor& c) {
    fond_ = c;
    update();
}

void ZoneImage::montre(const QImage& calque, const Rect& vue) {
    vue_ = vue;
    avec_calque_ = !calque.isNull();
    calque_ = nullptr;
    converti_ = QImage();
    if (avec_calque_ && calque.format() != QImage::Format_RGB555) {
        converti_ = calque.convertToFormat(QImage::Format_RGB555);
        calque_ = &converti_;
    } else if (avec_calque_) {
        calque_ = &calque;
    }
    ecran_a_jour_ = false;
    update();
}

void ZoneImage::oublie_calque() {
    avec_calque_ = false;
    calque_ = nullptr;
    converti_ = QImage();
    ecran_ = QImage();
    ecran_a_jour_ = false;
    marques_.clear();
    update();
}

void ZoneImage::echantillonne(const VuePixels& e, const Rect& partie) const {
    VuePixels c;
    if (avec_calque_ && calque_)
        c = {const_cast<std::uint8_t*>(calque_->constBits()), calque_->width(), calque_->height(),
             calque_->bytesPerLine(), FormatPixels::rgb555};
    // Zoomed out, a reduced copy is sampled: reading the whole scan at every pan is too slow.
    // It is made again whenever the overlay changed (every drawing changes its cache key).
    const int facteur = c.valide() ? facteur_reduction(vue_, e.largeur, e.hauteur) : 1;
    if (facteur > 1) {
        const qint64 cle = converti_.isNull() ? calque_->cacheKey() : 0; // a converted copy is never reused
        if (reduite_.facteur != facteur || cle == 0 || cle_reduite_ != cle) {
            reduit(c, facteur, reduite_);
            cle_reduite_ = cle;
        }
        echantillonne_reduite(reduite_, vue_, e, fond_.rgb(), partie);
    } else {
        echantillonne_vue(c, vue_, e, fond_.rgb(), partie);
    }
}

const QImage& ZoneImage::ecran() const {
    if (!avec_calque_) return ecran_;
    const QSize taille = size().isEmpty() ? QSize(1, 1) : size();
    if (ecran_.size() != taille) {
        ecran_ = QImage(taille, QImage::Format_RGB32);
        ecran_a_jour_ = false;
    }
    if (!ecran_a_jour_) {
        echantillonne({ecran_.bits(), ecran_.width(), ecran_.height(), ecran_.bytesPerLine(), FormatPixels::rgb32},
                      tout_l_ecran);
        ecran_a_jour_ = true;
    }
    return ecran_;
}

void ZoneImage::bascule(const Marque& m) {
    if (m.genre == Marque::Genre::segment && m.a == m.b) return; // a zero-length line draws nothing
    const auto it = std::find(marques_.begin(), marques_.end(), m);
    if (it != marques_.end())
        marques_.erase(it);
    else
        marques_.push_back(m);
    update();
}

void ZoneImage::retire_segments() {
    marques_.erase(std::remove_if(marques_.begin(), marques_.end(),
                                  [](const Marque& m) { return m.genre == Marque::Genre::segment; }),
                   marques_.end());
    update();
}

QPointF ZoneImage::vers_ecran(QPoint p) const {
    const double sx = static_cast<double>(width()) / std::max(vue_.largeur(), 1);
    const double sy = static_cast<double>(height()) / std::max(vue_.hauteur(), 1);
    return {(p.x() - vue_.x0) * sx, (p.y() - vue_.y0) * sy};
}

void ZoneImage::prepare_masque() const {
    const QSize taille = size().isEmpty() ? QSize(1, 1) : size();
    if (masque_.size() == taille && marques_masque_ == marques_ && vue_masque_ == vue_) return;
    masque_ = QImage(taille, QImage::Format_RGB32);
    masque_.fill(0);
    zone_masque_ = QRegion();
    QPainter p(&masque_);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const double echelle = static_cast<double>(width()) / std::max(vue_.largeur(), 1);
    for (const Marque& m : marques_) {
        const double largeur = std::max(1.0, m.largeur * echelle);
        QPen stylo(m.couleur);
        stylo.setWidthF(largeur);
        stylo.setCapStyle(Qt::FlatCap);
        p.setPen(stylo);
        const int marge = static_cast<int>(std::ceil(largeur)) + 2;
        if (m.genre == Marque::Genre::segment) {
            const QPointF a = vers_ecran(m.a), b = vers_ecran(m.b);
            p.drawLine(a, b);
            zone_masque_ += QRectF(a, b).normalized().toAlignedRect().adjusted(-marge, -marge, marge, marge);
        } else {
            const QPointF c = vers_ecran(m.a);
            p.drawLine(QPointF(c.x(), 0), QPointF(c.x(), height()));
            p.drawLine(QPointF(0, c.y()), QPointF(width(), c.y()));
            const QPoint ci = c.toPoint();
            zone_masque_ += QRect(ci.x() - marge, 0, 2 * marge + 1, taille.height());
            zone_masque_ += QRect(0, ci.y() - marge, taille.width(), 2 * marge + 1);
        }
    }
    zone_masque_ &= masque_.rect();
    marques_masque_ = marques_;
    vue_masque_ = vue_;
}

void ZoneImage::applique_marques(const VuePixels& e, const QRegion& region) const {
    if (marques_.empty()) return;
    prepare_masque();
    for (const QRect& r : zone_masque_ & region) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto* m = reinterpret_cast<const std::uint32_t*>(masque_.constScanLine(y));
            auto* d = reinterpret_cast<std::uint32_t*>(e.ligne(y));
            for (int x = r.left(); x <= r.right(); ++x) d[x] ^= m[x] & 0x00FFFFFFu;
        }
    }
}

QImage ZoneImage::composition() const {
    if (!avec_calque_) {
        QImage vide(size().isEmpty() ? QSize(1, 1) : size(), QImage::Format_RGB32);
        vide.fill(fond_);
        return vide;
    }
    QImage image = ecran();
    if (marques_.empty()) return image;
    applique_marques({image.bits(), image.width(), image.height(), image.bytesPerLine(), FormatPixels::rgb32},
                     QRegion(image.rect()));
    return image;
}

namespace {

// The 32-bit image a painter writes into, and where the area's top-left falls in it, when
// pixels can be written there directly: no scaling, the whole area inside, not shared.
QImage* image_directe(QPainter& p, QSize taille, QPoint& origine) {
    QPaintEngine* moteur = p.paintEngine();
    QPaintDevice* appareil = moteur ? moteur->paintDevice() : nullptr;
    if (!appareil || appareil->devType() != QInternal::Image) return nullptr;
    auto* image = static_cast<QImage*>(appareil);
    const QTransform& t = p.deviceTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()))
        return nullptr;
    const QImage::Format f = image->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    origine = QPoint(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
    if (!image->isDetached() || image->devicePixelRatio() != 1.0 || !image->rect().contains(QRect(origine, taille)))
        return nullptr;
    return image;
}

} // namespace

void ZoneImage::peint(QPainter& p, const QRegion& region) const {
    if (!avec_calque_) {
        for (const QRect& r : region) p.fillRect(r, fond_);
        return;
    }
    QPoint origine;
    QImage* cible = image_directe(p, size(), origine);
    if (!cible) {
        p.drawImage(0, 0, composition());
        return;
    }
    const VuePixels e{cible->bits() + static_cast<qsizetype>(origine.y()) * cible->bytesPerLine() + origine.x() * 4,
                      width(), height(), cible->bytesPerLine(), FormatPixels::rgb32};
    const QRegion dedans = region & rect();
    for (const QRect& r : dedans) echantillonne(e, Rect{r.left(), r.top(), r.right(), r.bottom()});
    applique_marques(e, dedans);
}

void ZoneImage::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    peint(p, e->region());
}

void ZoneImage::mousePressEvent(QMouseEvent* e) {
    emit souris_enfoncee(e->button(), e->position().toPoint(), e->modifiers());
}

void ZoneImage::mouseMoveEvent(QMouseEvent* e) { emit souris_deplacee(e->position().toPoint()); }

void ZoneImage::mouseReleaseEvent(QMouseEvent* e) { emit souris_relachee(e->button()); }

void ZoneImage::wheelEvent(QWheelEvent* e) {
    const int delta = e->angleDelta().y();
    if (delta != 0) emit roulette(delta);
    e->accept();
}

void ZoneImage::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    emit redimensionnee();
}

} // namespace vuv
