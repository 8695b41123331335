// The "Modifier" mode on the sample project, real mouse and key events on the map: drags, Esc,
// insertion, removal, snapping, nudges, calibration points, each undone and redone.
#include "tests/support/TravailCarte.h"

#include "core/document/Document.h"

#include "core/edition/EditionPoints.h"
#include "core/text/extraitUTIL.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/edition/ModeEdition.h"
#include "windows/principale/scroll.h"

#include <QCheckBox>
#include <QMenu>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

// X, Y of the sample's calibration: 2.5 m per pixel from (100, 100) = (651250, 6861750).
static long double X_de(int x) { return 651250 + (x - 100) * 2.5L; }
static long double Y_de(int y) { return 6861750 - (y - 100) * 2.5L; }

class TestEdition : public QObject {
    Q_OBJECT

private slots:
    void glisserEcritLePixelEtLesCoordonnees_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("row");
        QTest::addColumn<QPoint>("de");
        QTest::addColumn<QPoint>("attendu"); // (0, 0): the pixel under the pointer
        QTest::addColumn<QString>("geste"); // "" or what undoes the drag
        QTest::newRow("zoom 1") << 1 << 12 << QPoint(30, -20) << QPoint(996, 490) << "";
        QTest::newRow("zoom 4") << 4 << 12 << QPoint(30, -20) << QPoint() << "";
        // The view reaches past the right edge of the 1600 pixel wide image.
        QTest::newRow("hors de l'image") << 1 << 21 << QPoint(60, 0) << QPoint(1599, 956) << "";
        QTest::newRow("ligne décochée") << 1 << 12 << QPoint(30, -20) << QPoint(966, 510) << "cachee";
        QTest::newRow("Échap") << 1 << 12 << QPoint(30, -20) << QPoint(966, 510) << "echap";
    }
    void glisserEcritLePixelEtLesCoordonnees() {
        QFETCH(int, zoom);
        QFETCH(int, row);
        QFETCH(QPoint, de);
        QFETCH(QPoint, attendu);
        QFETCH(QString, geste);
        const TravailCarte c(0, TravailCarte::Depart::carte_exemple);
        c.modifier();
        c.zoom(zoom, c.pixel(row).x(), c.pixel(row).y());
        if (geste == "cachee") c.doc().StringGrid3.set_cell(3, 1, "");
        const QPoint avant = c.pixel(row);
        if (attendu.isNull()) {
            const QPoint e = c.ecran(avant) + de;
            c.f1().calque.vue.repere_image_bitmap(e.x(), e.y(), c.f1().Image1->width(), c.f1().Image1->height(), attendu.rx(), attendu.ry());
            // Half a screen pixel of rounding at most, whatever the zoom.
            QVERIFY(std::abs(attendu.x() - (avant.x() + double(de.x()) / zoom)) <= 0.5);
            QVERIFY(std::abs(attendu.y() - (avant.y() + double(de.y()) / zoom)) <= 0.5);
        }
        c.glisse(row, de, geste == "echap");
        QCOMPARE(c.pixel(row), attendu);
        for (const auto& m : c.f1().Image1->marques()) QVERIFY(m.genre != ZoneImage::Marque::Genre::segment);
        QCOMPARE(c.f1().annulation.nombre_annulations(), std::size_t(geste.isEmpty())); // a step, or none
        if (!geste.isEmpty()) return;
        QCOMPARE(c.ligne(row).X, X_de(attendu.x()));
        QCOMPARE(c.ligne(row).Y, Y_de(attendu.y()));
        QVERIFY(!c.doc().sauve);
        QCOMPARE(c.doc().StringGrid1.row(), row); // the points window shows the row
        QCOMPARE(c.menu_annuler(), QStringLiteral("Annuler : Déplacement du point %1").arg(row));
        c.annule();
        QCOMPARE(c.pixel(row), avant);
        c.retablit();
        QCOMPARE(c.pixel(row), attendu);
    }

    void ctrlClicInsereEntre12Et13() {
        const TravailCarte c(0, TravailCarte::Depart::carte_exemple);
        c.modifier();
        const QPoint milieu(997, 518), ancien13 = c.pixel(13);
        c.presse(c.ecran(milieu), Qt::ControlModifier);
        c.lache(c.ecran(milieu));
        QCOMPARE(c.doc().nb_points, 22);
        QCOMPARE(c.pixel(13), milieu);
        QCOMPARE(c.pixel(14), ancien13);
        const Grille& g = c.doc().StringGrid1;
        for (int r : {13, 14, 22}) {
            QCOMPARE(val_entier(g.cell(c.doc().indice_col("n"), r)), r);
            QCOMPARE(val_entier(g.cell(c.doc().indice_col("L"), r)), 1);
        }
        QCOMPARE(c.menu_annuler(), QStringLiteral("Annuler : Insertion du point 13"));
        c.annule();
        QCOMPARE(c.pixel(13), ancien13);
        c.retablit();
        QCOMPARE(c.pixel(13), milieu);
    }

    void suppressionParSupprOuParLeMenu_data() {
        QTest::addColumn<bool>("menu");
        QTest::newRow("Suppr") << false;
        QTest::newRow("menu") << true;
    }
    void suppressionParSupprOuParLeMenu() {
        QFETCH(bool, menu);
        const TravailCarte c(0, TravailCarte::Depart::carte_exemple);
        c.modifier();
        const QPoint a = c.ecran(c.pixel(12)), ancien13 = c.pixel(13);
        c.survole(a);
        QCOMPARE(c.f1().mode_edition->point_surligne(), 12);
        if (menu) {
            QTest::mouseClick(c.f1().Image1, Qt::RightButton, Qt::NoModifier, a);
            auto* m = c.f1().Image1->findChild<QMenu*>(QStringLiteral("menu_point"));
            QVERIFY(m);
            QCOMPARE(m->actions().value(0)->text(), QStringLiteral("Enlever le point 12"));
            QTest::mouseClick(m, Qt::LeftButton, Qt::NoModifier, m->actionGeometry(m->actions().value(0)).center());
        } else {
            c.touche(Qt::Key_Delete);
        }
        QCOMPARE(c.doc().nb_points, 20);
        QCOMPARE(c.pixel(12), ancien13);
        c.annule();
        QCOMPARE(c.pixel(12), QPoint(966, 510));
    }

    void accrocherJointDeuxLignes_data() {
        QTest::addColumn<bool>("en_saisie");
        QTest::newRow("clic de saisie") << true;
        QTest::newRow("point lâché") << false;
    }
    void accrocherJointDeuxLignes() {
        QFETCH(bool, en_saisie);
        const TravailCarte c(0, TravailCarte::Depart::carte_exemple);
        c.touche(Qt::Key_Space); // a second line, started beside point 5
        auto* accrocher = c.f1().mode_edition->accrocher;
        QVERIFY(!accrocher->isChecked()); // digitizing keeps its own clicks unless asked
        accrocher->setChecked(en_saisie);
        const QPoint cinq = c.pixel(5);
        QTest::mouseClick(c.f1().Image1, Qt::LeftButton, Qt::NoModifier, c.ecran(cinq + QPoint(4, 3)));
        QTest::mouseClick(c.f1().Image1, Qt::LeftButton, Qt::NoModifier, c.ecran(cinq + QPoint(60, 90)));
        QCOMPARE(val_entier(c.doc().StringGrid1.cell(c.doc().indice_col("L"), 22)), 2);
        if (!en_saisie) {
            QCOMPARE(c.pixel(22), cinq + QPoint(4, 3));
            c.modifier();
            QVERIFY(accrocher->isChecked()); // on by default in the edit mode
            c.glisse(22, QPoint(-3, -2));
        }
        QTest::qWait(0);
        QCOMPARE(c.pixel(22), cinq);
        QCOMPARE(c.f1().texte_statut(1), QStringLiteral("accroché au point 5"));
    }

    void flechesPoussentEnUnSeulPas() {
        const TravailCarte c(0, TravailCarte::Depart::carte_exemple);
        c.modifier();
        c.survole(c.ecran(c.pixel(12)));
        for (int i = 0; i < 3; ++i) c.touche(Qt::Key_Right);
        c.touche(Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(c.pixel(12), QPoint(969, 500));
        QCOMPARE(c.f1().annulation.nombre_annulations(), std::size_t(1));
        c.annule();
        QCOMPARE(c.pixel(12), QPoint(966, 510));
        c.retablit();
        QCOMPARE(c.pixel(12), QPoint(969, 500));
    }

    void pointDeCalage_data() {
        QTest::addColumn<QString>("reponse");
        QTest::addColumn<QPoint>("vers");
        QTest::addColumn<bool>("deplace");
        QTest::newRow("oui") << "O" << QPoint(1520, 1000) << true;
        QTest::newRow("non") << "N" << QPoint(1520, 1000) << false;
        // Onto the line through cal 1 (100, 100) and cal 2 (100, 1000): refused, and said.
        QTest::newRow("alignés") << "O" << QPoint(100, 600) << false;
    }
    void pointDeCalage() {
        QFETCH(QString, reponse);
        QFETCH(QPoint, vers);
        QFETCH(bool, deplace);
        const TravailCarte c(0, TravailCarte::Depart::carte_exemple);
        c.modifier();
        c.zoom(1, 1500, 1000);
        c.port().repond(reponse.toStdString());
        const long double X12 = c.ligne(12).X;
        c.presse(c.ecran({1500, 1000}));
        c.survole(c.ecran(vers));
        c.lache(c.ecran(vers));
        QCOMPARE(c.port().textes("oui_non"), std::vector<std::string>{edition::question_calage});
        QCOMPARE(QPoint(c.doc().calage[2].x, c.doc().calage[2].y), deplace ? vers : QPoint(1500, 1000));
        QCOMPARE(c.ligne(12).X != X12, deplace); // every point rewritten
        QCOMPARE(c.port().textes("information"), QTest::currentDataTag() == QByteArray("alignés")
                                                       ? std::vector<std::string>{edition::message_calage_aligne}
                                                       : std::vector<std::string>{});
        if (deplace) {
            QCOMPARE(c.menu_annuler(), QStringLiteral("Annuler : Déplacement du point de calage 3"));
            c.annule();
            QCOMPARE(c.ligne(12).X, X12);
        }
    }
};

QTEST_MAIN(TestEdition)
#include "tst_edition.moc"
