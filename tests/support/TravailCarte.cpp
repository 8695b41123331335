#include "tests/support/TravailCarte.h"

#include "core/document/Document.h"
#include "windows/points/scroll2.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QImage>
#include <QTest>

namespace vuv::test {

TravailCarte::TravailCarte(int points, Depart depart) {
    ouvre_seance({dossier_, dialogues_, t_, courant_});
    TForm1& f = f1();
    if (depart == Depart::fond_blanc) {
        QImage fond(1000, 800, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        doc().mess_3_calage_svp_et_init(false);
    } else {
        f.Nouvellesaisie1->trigger();
    }
    f.calque.vue.fixe_vue({0, 0, f.Image1->width() - 1, f.Image1->height() - 1});
    f.redessiner();
    for (QPoint p : {QPoint(100, 100), QPoint(100, 300), QPoint(400, 300)}) clic(p);
    for (int k = 0; k < points; ++k) clic(QPoint(150 + 40 * k, 500 - 20 * k));
    doc().StringGrid3.set_cell(4, 1, "route");
    port().oublie();
}

TravailCarte::~TravailCarte() { ferme_seance({dossier_, dialogues_, t_, courant_}); }

TForm1& TravailCarte::f1() const { return *t_->programme->Form1; }
TForm2& TravailCarte::f2() const { return *t_->programme->Form2; }
Document& TravailCarte::doc() const { return t_->programme->document; }

void TravailCarte::clic(QPoint p) const { QTest::mouseClick(f1().Image1, Qt::LeftButton, Qt::NoModifier, p); }

QString TravailCarte::enregistre(const QString& nom) const {
    const QString chemin = fichier(nom);
    dialogues_->repond_fichier(chemin);
    f1().Enregistrer1->trigger();
    return chemin;
}

} // namespace vuv::test
