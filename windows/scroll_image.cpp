#include "windows/scroll_image.h"

#include "core/vue/Echantillonnage.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

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
    const QSize taille = size().isEmpty() ? QSize(1, 1) : size();
    if (ecran_.size() != taille) ecran_ = QImage(taille, QImage::Format_RGB32);
    const VuePixels e{ecran_.bits(), ecran_.width(), ecran_.height(), ecran_.bytesPerLine(), FormatPixels::rgb32};
    QImage copie;
    const QImage* source = &calque;
    if (avec_calque_ && calque.format() != QImage::Format_RGB555) {
        copie = calque.convertToFormat(QImage::Format_RGB555);
        source = &copie;
    }
    VuePixels c;
    if (avec_calque_)
        c = {const_cast<std::uint8_t*>(source->constBits()), source->width(), source->height(), source->bytesPerLine(),
             FormatPixels::rgb555};
    // Zoomed out, a reduced copy is sampled: reading the whole scan at every pan is too slow.
    // It is made again whenever the overlay changed (every drawing changes its cache key).
    const int facteur = avec_calque_ ? facteur_reduction(vue, ecran_.width(), ecran_.height()) : 1;
    if (facteur > 1) {
        const qint64 cle = copie.isNull() ? source->cacheKey() : 0; // a converted copy is never reused
        if (reduite_.facteur != facteur || cle == 0 || cle_reduite_ != cle) {
            reduit(c, facteur, reduite_);
            cle_reduite_ = cle;
        }
        echantillonne_reduite(reduite_, vue, e, fond_.rgb());
    } else {
        echantillonne_vue(c, vue, e, fond_.rgb());
    }
    update();
}

void ZoneImage::oublie_calque() {
    avec_calque_ = false;
    ecran_ = QImage();
    marques_.clear();
    update();
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

QImage ZoneImage::composition() const {
    if (!avec_calque_ || ecran_.isNull()) {
        QImage vide(size().isEmpty() ? QSize(1, 1) : size(), QImage::Format_RGB32);
        vide.fill(fond_);
        return vide;
    }
    QImage image = ecran_;
    if (marques_.empty()) return image;
    QPainter p(&image);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const double echelle = static_cast<double>(width()) / std::max(vue_.largeur(), 1);
    for (const Marque& m : marques_) {
        QPen stylo(m.couleur);
        stylo.setWidthF(std::max(1.0, m.largeur * echelle));
        stylo.setCapStyle(Qt::FlatCap);
        p.setPen(stylo);
        if (m.genre == Marque::Genre::segment) {
            p.drawLine(vers_ecran(m.a), vers_ecran(m.b));
        } else {
            const QPointF c = vers_ecran(m.a);
            p.drawLine(QPointF(c.x(), 0), QPointF(c.x(), height()));
            p.drawLine(QPointF(0, c.y()), QPointF(width(), c.y()));
        }
    }
    return image;
}

void ZoneImage::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!avec_calque_ || ecran_.isNull()) {
        p.fillRect(e->rect(), fond_);
        return;
    }
    p.drawImage(0, 0, composition());
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
