#include "windows/scroll_image.h"

#include <QPaintEvent>
#include <QPainter>

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

void ZoneImage::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(e->rect(), fond_);
}

} // namespace vuv
