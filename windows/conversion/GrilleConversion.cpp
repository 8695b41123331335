#include "windows/conversion/GrilleConversion.h"

#include "windows/commun/ModeleGrille.h"

#include <QHeaderView>

#include <algorithm>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vuv {

GrilleConversion::GrilleConversion(ModeleGrille& modele, QWidget* parent) : QTableView(parent), modele_(modele) {
    setModel(&modele);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    // The widths are those of a 6-pixel digit; a larger font gets proportionally wider columns.
    const double echelle = std::max(1.0, fontMetrics().horizontalAdvance(QLatin1Char('0')) / 6.0);
    const Grille& g = modele.grille();
    for (int k = 0; k < g.col_count(); ++k)
        setColumnWidth(k, static_cast<int>((g.col_width(k) > 0 ? g.col_width(k) : 64) * echelle + 0.5));
}

int GrilleConversion::col() const { return currentIndex().isValid() ? currentIndex().column() : 0; }

int GrilleConversion::row() const {
    return currentIndex().isValid() ? ModeleGrille::ligne_grille(currentIndex().row()) : 0;
}

void GrilleConversion::choisit(int c, int r) { setCurrentIndex(modele_.index(ModeleGrille::ligne_modele(r), c)); }

void GrilleConversion::mousePressEvent(QMouseEvent* e) {
    // The right button also moves the current cell, so the chooser lands where the user pressed.
    if (e->button() == Qt::RightButton) {
        const QModelIndex i = indexAt(e->position().toPoint());
        if (i.isValid()) setCurrentIndex(i);
    }
    QTableView::mousePressEvent(e);
    emit souris_enfoncee(e->button());
}

void GrilleConversion::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste)) {
        emit colle();
        return;
    }
    QTableView::keyPressEvent(e);
}

} // namespace vuv
