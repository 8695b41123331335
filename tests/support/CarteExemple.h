#pragma once
// The main window with the sample project open, driven with real mouse and key events on its
// map at a chosen zoom.
#include "tests/support/Banc.h"

#include "core/document/Digitalisation.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QDir>
#include <QTest>

#include <cmath>

namespace vuv::test {

struct CarteExemple {
    DossierProgrammeTest dossier;
    DialoguesScriptes dialogues;
    std::unique_ptr<ProgrammeTest> t;
    TForm1* f = nullptr;
    Document* d = nullptr;

    CarteExemple() {
        installe_dialogues(&dialogues);
        const QString ici = QDir::currentPath();
        QDir::setCurrent(QStringLiteral(VUVIVIVA_SAMPLES "/.."));
        t = demarre({QStringLiteral("samples/carte_exemple.trl")});
        QDir::setCurrent(ici);
        f = t->programme->Form1.get();
        d = &t->programme->document;
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        // The points window, left for the map, swallows the click that brought the map back.
        f->ignore_clic_suivant = false;
        zoom(1, 966, 510); // point 12
        t->port.oublie();
    }
    ~CarteExemple() { installe_dialogues(nullptr); }

    // `z` screen pixels per image pixel, image pixel (cx, cy) near the middle of the area.
    void zoom(int z, int cx, int cy) {
        const int l = f->Image1->width() / z, h = f->Image1->height() / z;
        f->calque.vue.fixe_vue({cx - l / 2, cy - h / 2, cx - l / 2 + l - 1, cy - h / 2 + h - 1});
        f->calque.vue.marque_sale();
        f->redessiner();
    }
    PointDeTable ligne(int row) const { return point_de_table(*d, row).value_or(PointDeTable{-1, -1}); }
    QPoint pixel(int row) const { return {ligne(row).x, ligne(row).y}; }

    // The screen pixel of an image pixel (its centre).
    QPoint ecran(QPoint p) const {
        const Rect& s = f->calque.vue.source();
        const double kx = double(f->Image1->width()) / s.largeur(), ky = double(f->Image1->height()) / s.hauteur();
        return {int(std::lround((p.x() - s.x0) * kx)), int(std::lround((p.y() - s.y0) * ky))};
    }

    void modifier() { f->choisit_mode_souris(TForm1::ModeSouris::modifier); }
    void survole(QPoint e) { QTest::mouseMove(f->Image1, e); }
    void presse(QPoint e, Qt::KeyboardModifiers m = Qt::NoModifier) {
        survole(e);
        QTest::mousePress(f->Image1, Qt::LeftButton, m, e);
    }
    void lache(QPoint e) { QTest::mouseRelease(f->Image1, Qt::LeftButton, Qt::NoModifier, e); }
    // Press on the row's point, move by `de` screen pixels in steps, release; Esc first if asked.
    void glisse(int row, QPoint de, bool echap = false) {
        const QPoint a = ecran(pixel(row));
        presse(a);
        for (int i = 1; i <= 4; ++i) survole(a + de * i / 4);
        if (echap) touche(Qt::Key_Escape);
        lache(a + de);
    }
    void touche(int k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(f, Qt::Key(k), m); }
    void annule() { touche(Qt::Key_Backspace, Qt::AltModifier); }
    void retablit() { touche(Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier); }
    QString menu_annuler() const { return f->Annuler1->text(); }
};

} // namespace vuv::test
