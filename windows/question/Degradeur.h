#pragma once
// The question box's background: 256 horizontal bands from a start colour to an end
// colour. Bands are cut from the client height with rounding, so a box lower than 256
// pixels has empty bands and a few colours never show.
#include <QColor>
#include <QRect>

#include <array>

class QPainter;
class QWidget;

namespace vuv {

class TDegradeClass {
public:
    struct Bande {
        int haut = 0; // first row
        int bas = 0;  // row after the last; haut == bas for an empty band
        QColor couleur;
    };

    // Band i spans rows round(i*h/256) .. round((i+1)*h/256), colour start + round(i*diff/255)
    // per channel; rounding to nearest, halves away from zero.
    static std::array<Bande, 256> bandes(int hauteur, const QColor& debut, const QColor& fin);

    // Paints the widget's client area; call from its paint event.
    void peint_degrade(QWidget& fenetre, const QColor& debut, const QColor& fin);
    void peint_degrade(QPainter& p, const QRect& client, const QColor& debut, const QColor& fin);

    // State of the last run.
    QColor debut() const { return debut_; }
    int diff_rouge() const { return dr_; }
    int diff_vert() const { return dv_; }
    int diff_bleu() const { return db_; }
    QColor couleur_bande() const { return couleur_bande_; }

private:
    QColor debut_;
    int dr_ = 0, dv_ = 0, db_ = 0;
    QColor couleur_bande_;
};

} // namespace vuv
