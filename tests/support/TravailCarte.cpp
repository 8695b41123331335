#include "tests/support/TravailCarte.h"

#include "core/document/Document.h"
#include "windows/points/scroll2.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QTest>

#include <cmath>

namespace vuv::test {

TravailCarte::TravailCarte(int points, Depart depart) {
    ouvre_seance({dossier_, dialogues_, t_, courant_});
    if (depart == Depart::carte_exemple) {
        t_.reset();
        QDir::setCurrent(QStringLiteral(VUVIVIVA_SAMPLES "/.."));
        t_ = demarre({QStringLiteral("samples/carte_exemple.trl")});
        QDir::setCurrent(dossier_->chemin());
        f1().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f1()));
        // The points window, left for the map, swallows the click that brought the map back.
        f1().ignore_clic_suivant = false;
        zoom(1, 966, 510); // point 12
        port().oublie();
        return;
    }
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

void TravailCarte::zoom(int z, int cx, int cy) const {
    TForm1& f = f1();
    const int l = f.Image1->width() / z, h = f.Image1->height() / z;
    f.calque.vue.fixe_vue({cx - l / 2, cy - h / 2, cx - l / 2 + l - 1, cy - h / 2 + h - 1});
    f.calque.vue.marque_sale();
    f.redessiner();
}

QPoint TravailCarte::ecran(QPoint p) const {
    const Rect& s = f1().calque.vue.source();
    const double kx = double(f1().Image1->width()) / s.largeur(), ky = double(f1().Image1->height()) / s.hauteur();
    return {int(std::lround((p.x() - s.x0) * kx)), int(std::lround((p.y() - s.y0) * ky))};
}

void TravailCarte::modifier() const { f1().choisit_mode_souris(TForm1::ModeSouris::modifier); }
void TravailCarte::survole(QPoint e) const { QTest::mouseMove(f1().Image1, e); }
void TravailCarte::presse(QPoint e, Qt::KeyboardModifiers m) const {
    survole(e);
    QTest::mousePress(f1().Image1, Qt::LeftButton, m, e);
}
void TravailCarte::lache(QPoint e) const { QTest::mouseRelease(f1().Image1, Qt::LeftButton, Qt::NoModifier, e); }

void TravailCarte::glisse(int row, QPoint de, bool echap) const {
    const QPoint a = ecran(pixel(row));
    presse(a);
    for (int i = 1; i <= 4; ++i) survole(a + de * i / 4);
    if (echap) touche(Qt::Key_Escape);
    lache(a + de);
}

void TravailCarte::touche(int k, Qt::KeyboardModifiers m) const { QTest::keyClick(&f1(), Qt::Key(k), m); }
QString TravailCarte::menu_annuler() const { return f1().Annuler1->text(); }

QString TravailCarte::enregistre(const QString& nom) const {
    const QString chemin = fichier(nom);
    dialogues_->repond_fichier(chemin);
    f1().Enregistrer1->trigger();
    return chemin;
}

} // namespace vuv::test
