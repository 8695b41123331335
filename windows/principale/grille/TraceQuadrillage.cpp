#include "windows/principale/grille/TraceQuadrillage.h"

#include "core/document/Document.h"
#include "core/vue/Quadrillage.h"
#include "windows/principale/carte/Calque.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vuv {

TraceQuadrillage::TraceQuadrillage(QWidget* zone, QMenu* options, const Document& doc, const Calque& calque)
    : QWidget(zone), doc_(doc), calque_(calque) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(zone->rect());
    zone->installEventFilter(this);
    action_ = options->addAction(QStringLiteral("Quadrillage"));
    action_->setObjectName(QStringLiteral("Quadrillage1"));
    action_->setCheckable(true);
    action_->setShortcut(Qt::Key_F5);
    connect(action_, &QAction::toggled, this, [this] { update(); });
}

QColor TraceQuadrillage::couleur() { return {255, 0, 255}; }

bool TraceQuadrillage::eventFilter(QObject* o, QEvent* e) {
    if (o == parent() && e->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(o, e);
}

void TraceQuadrillage::paintEvent(QPaintEvent*) {
    const bool calibre = doc_.controle.ajustee || doc_.nb_calage >= 3;
    if (!action_->isChecked() || !calque_.existe() || !calibre) return;
    const Rect& v = calque_.vue.vue();
    if (v.largeur() <= 0 || v.hauteur() <= 0) return;
    const double sx = static_cast<double>(width()) / v.largeur();
    const double sy = static_cast<double>(height()) / v.hauteur();
    const VersCarte vers_carte = [this](double x, double y, long double& X, long double& Y) {
        doc_.repere_carte(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), X, Y);
        return true;
    };
    const VersImage vers_image = [this](long double X, long double Y, double& x, double& y) {
        // Left untouched where the calibration cannot answer.
        int xi = std::numeric_limits<int>::min(), yi = xi;
        doc_.repere_image(X, Y, xi, yi);
        x = xi;
        y = yi;
        return xi != std::numeric_limits<int>::min();
    };
    const auto ecran = [&](const PointImage& p) { return QPointF((p.x - v.x0) * sx, (p.y - v.y0) * sy); };

    QPainter p(this);
    p.setPen(QPen(couleur(), 1));
    for (const LigneQuadrillage& l : quadrillage(v, std::sqrt(sx * sy), vers_carte, vers_image)) {
        for (const auto& m : l.morceaux) {
            QPolygonF poly;
            for (const PointImage& q : m) poly << ecran(q);
            p.drawPolyline(poly);
        }
        // The label where the line meets the view's edge, kept inside it.
        const QPointF debut = ecran(l.morceaux.front().front());
        const QString texte = QString::number(static_cast<double>(l.valeur), 'g', 12);
        const QFontMetrics fm = p.fontMetrics();
        const double l_max = std::max(3, width() - fm.horizontalAdvance(texte) - 3);
        const double h_max = std::max(fm.ascent(), height() - fm.descent() - 3);
        const QPointF ou(std::clamp(debut.x() + 3, 3.0, l_max),
                         std::clamp(debut.y() - 3, double(fm.ascent()), h_max));
        p.drawText(ou, texte);
    }
}

} // namespace vuv
