#include "windows/commun/DispositionFlux.h"

#include <QWidget>

#include <algorithm>

namespace vuv {

DispositionFlux::DispositionFlux(QWidget* parent, int ecart) : QLayout(parent), ecart_(ecart) {}

DispositionFlux::~DispositionFlux() {
    while (QLayoutItem* i = takeAt(0)) delete i;
}

void DispositionFlux::addItem(QLayoutItem* item) { elements_.append(item); }

QLayoutItem* DispositionFlux::takeAt(int i) {
    return (i >= 0 && i < elements_.size()) ? elements_.takeAt(i) : nullptr;
}

QSize DispositionFlux::minimumSize() const {
    QSize s;
    for (const QLayoutItem* i : elements_) s = s.expandedTo(i->minimumSize());
    const QMargins m = contentsMargins();
    return s + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize DispositionFlux::sizeHint() const { return minimumSize(); }

void DispositionFlux::setGeometry(const QRect& r) {
    QLayout::setGeometry(r);
    dispose(r, true);
}

int DispositionFlux::dispose(const QRect& r, bool applique) const {
    const QMargins m = contentsMargins();
    const QRect zone = r.marginsRemoved(m);
    int x = zone.x();
    int y = zone.y();
    int hauteur_rang = 0;
    for (QLayoutItem* i : elements_) {
        // A widget that keeps its room while hidden comes and goes without moving the others.
        if (i->widget() && i->widget()->isHidden() && !i->widget()->sizePolicy().retainSizeWhenHidden()) continue;
        const QSize s = i->sizeHint();
        if (x + s.width() > zone.right() + 1 && hauteur_rang > 0) {
            x = zone.x();
            y += hauteur_rang + ecart_;
            hauteur_rang = 0;
        }
        if (applique) i->setGeometry(QRect(QPoint(x, y), s));
        x += s.width() + ecart_;
        hauteur_rang = std::max(hauteur_rang, s.height());
    }
    return y + hauteur_rang - r.y() + m.bottom();
}

} // namespace vuv
