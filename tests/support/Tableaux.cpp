#include "tests/support/Tableaux.h"

#include "core/document/Document.h"
#include "windows/points/scroll2_controles.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace vuv::test {

void remplit(Document& d, const std::vector<int>& points_par_ligne) {
    const int pixels[3][2] = {{0, 0}, {0, 100}, {100, 100}};
    const int cx = d.indice_col_cal("x"), cy = d.indice_col_cal("y");
    for (int k = 1; k <= 3; ++k) {
        d.StringGrid2.set_cell(cx, k, std::to_string(pixels[k - 1][0]));
        d.StringGrid2.set_cell(cy, k, std::to_string(pixels[k - 1][1]));
        auto& e = d.calage[static_cast<std::size_t>(k - 1)];
        e = {true, pixels[k - 1][0], pixels[k - 1][1], k == 3 ? 1.0L : 0.0L, k == 1 ? 1.0L : 0.0L, 0};
    }
    d.nb_calage = 3;
    d.StringGrid1.set_row_count(2);
    d.StringGrid1.vide_ligne(1);
    int row = 0;
    Grille& lignes = d.StringGrid3;
    lignes.set_row_count(static_cast<int>(points_par_ligne.size()) + 1);
    for (std::size_t i = 0; i < points_par_ligne.size(); ++i) {
        const int L = static_cast<int>(i) + 1;
        for (int p = 0; p < points_par_ligne[i]; ++p) {
            ++row;
            d.affecte_en(row, L, "", 100 + row, 2 * row, row, 20 * row, 10 * row);
        }
        const char* cellules[5] = {"", "4", "255", "x", ""};
        for (int c = 0; c < 5; ++c) lignes.set_cell(c, L, cellules[c]);
        lignes.set_cell(0, L, std::to_string(L));
    }
    d.nb_points = row;
    d.num_ligne = static_cast<int>(points_par_ligne.size());
}

bool active(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

void tape(GrilleChaines* g, int col, int row, const QString& texte) {
    g->setFocus();
    g->choisit(col, row);
    for (const QChar c : texte) {
        QWidget* cible = QApplication::focusWidget();
        if (!cible) cible = g;
        if (c.unicode() < 128) QTest::keyClick(cible, c.toLatin1());
        else QTest::sendKeyEvent(QTest::Click, cible, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace vuv::test
