#include "windows/question/Degradeur.h"

#include <QPainter>
#include <QWidget>

#include <cmath>

namespace vuv {
namespace {

// num / den to the nearest integer, halves away from zero (the division of MulDiv).
int arrondi(long long num, long long den) { return static_cast<int>(std::lround(static_cast<double>(num) / den)); }

} // namespace

std::array<TDegradeClass::Bande, 256> TDegradeClass::bandes(int h, const QColor& debut, const QColor& fin) {
    const int dr = fin.red() - debut.red();
    const int dv = fin.green() - debut.green();
    const int db = fin.blue() - debut.blue();
    std::array<Bande, 256> r;
    for (int i = 0; i < 256; ++i) {
        r[i].haut = arrondi(static_cast<long long>(i) * h, 256);
        r[i].bas = arrondi(static_cast<long long>(i + 1) * h, 256);
        r[i].couleur = QColor(debut.red() + arrondi(static_cast<long long>(i) * dr, 255),
                              debut.green() + arrondi(static_cast<long long>(i) * dv, 255),
                              debut.blue() + arrondi(static_cast<long long>(i) * db, 255));
    }
    return r;
}

void TDegradeClass::peint_degrade(QWidget& fenetre, const QColor& debut, const QColor& fin) {
    QPainter p(&fenetre);
    peint_degrade(p, fenetre.rect(), debut, fin);
}

void TDegradeClass::peint_degrade(QPainter& p, const QRect& client, const QColor& debut, const QColor& fin) {
    debut_ = debut;
    dr_ = fin.red() - debut.red();
    dv_ = fin.green() - debut.green();
    db_ = fin.blue() - debut.blue();
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.setPen(Qt::NoPen);
    for (const Bande& b : bandes(client.height(), debut, fin)) {
        couleur_bande_ = b.couleur;
        if (b.bas > b.haut)
            p.fillRect(QRect(client.left(), client.top() + b.haut, client.width(), b.bas - b.haut), b.couleur);
    }
    p.restore();
}

} // namespace vuv
