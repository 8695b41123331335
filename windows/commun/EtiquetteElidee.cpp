#include "windows/commun/EtiquetteElidee.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace vuv {

EtiquetteElidee::EtiquetteElidee(const QString& texte, int caracteres, QWidget* parent) : QLabel(texte, parent) {
    setFixedWidth(fontMetrics().averageCharWidth() * caracteres);
}

QString EtiquetteElidee::texte_visible() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

bool EtiquetteElidee::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip && toolTip().isEmpty() && texte_visible() != text()) {
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(e);
}

void EtiquetteElidee::paintEvent(QPaintEvent*) {
    QPainter p(this);
    style()->drawItemText(&p, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(), texte_visible(),
                          foregroundRole());
}

} // namespace vuv
