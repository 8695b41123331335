// The control points window: ticking, unticking and changing the transformation rewrite every
// point of the work, and the worst point stands out.
#include "tests/support/Banc.h"

#include "core/calage/Transformation.h"
#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "windows/points/controle/FenetrePointsControle.h"
#include "windows/points/scroll2.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <cmath>

using namespace vuv;
using namespace vuv::test;

class TestPointsControle : public QObject {
    Q_OBJECT

    // Twelve points of a map in metres, half a metre a pixel, the seventh clicked 40 px off.
    struct Banc {
        SeparateurLocal sep{'.'};
        DossierProgrammeTest dossier;
        std::unique_ptr<ProgrammeTest> t = demarre();
        Document& d = t->programme->document;
        FenetrePointsControle* f = nullptr;

        Banc() {
            std::vector<PointControle> p;
            constexpr int ordre[12] = {0, 11, 3, 8, 5, 6, 1, 2, 4, 7, 9, 10};
            for (int i = 0; i < 12; ++i) {
                const long double x = 150 + (ordre[i] % 4) * 1100, y = 220 + (ordre[i] / 4) * 900;
                p.push_back({x, y, 652000 + 0.5L * x + 0.02L * y + 0.1L * std::sin(i * 7.1L),
                             6861000 + 0.015L * x - 0.49L * y + 0.1L * std::cos(i * 3.3L), "", true});
            }
            p[6].x += 40;
            d.mess_3_calage_svp_et_init(false);
            for (int i = 0; i < 3; ++i)
                clic_digitaliser(d, static_cast<int>(p[i].x), static_cast<int>(p[i].y), MethodeCalage::trois_points, false);
            for (auto [x, y] : {std::pair{1000, 800}, {2600, 1900}, {3300, 400}})
                clic_digitaliser(d, x, y, MethodeCalage::trois_points, false);
            d.controle.points = p;
            d.applique_controle();
            auto* bouton = t->programme->Form2->findChild<QPushButton*>(QStringLiteral("BoutonPointsControle"));
            QTest::mouseClick(bouton, Qt::LeftButton);
            f = t->programme->Form2->findChild<FenetrePointsControle*>();
        }

        // Every point of the work where the document's fit puts it.
        void points_par_le_calage() const {
            const auto& fit = *d.controle.calculee;
            for (int row = 1; row <= d.nb_points; ++row) {
                long double X = 0, Y = 0;
                const int x = val_entier(d.StringGrid1.cell(d.indice_col("x"), row));
                const int y = val_entier(d.StringGrid1.cell(d.indice_col("y"), row));
                fit.vers_carte(x, y, X, Y);
                QVERIFY(std::fabs(val_r(d.StringGrid1.cell(d.indice_col("X"), row)) - X) < 1e-6L);
                QVERIFY(std::fabs(val_r(d.StringGrid1.cell(d.indice_col("Y"), row)) - Y) < 1e-6L);
            }
        }
    };

private slots:
    void cocher_decocher_et_changer_de_methode() {
        Banc b;
        QVERIFY(b.f && b.f->isVisible());
        QCOMPARE(b.f->table()->rowCount(), 12);
        QCOMPARE(b.f->methode()->currentIndex(), 0);

        b.f->methode()->setCurrentIndex(1);
        QCOMPARE(b.d.controle.methode, MethodeTransformation::affine);
        b.points_par_le_calage();
        QVERIFY(b.f->bilan()->text().contains(QStringLiteral("Le plus grand écart est celui du point 7.")));
        QCOMPARE(b.f->table()->item(6, FenetrePointsControle::nom)->background().color(), QColor(255, 190, 190));

        b.f->table()->item(6, FenetrePointsControle::utilise)->setCheckState(Qt::Unchecked);
        QVERIFY(!b.d.controle.points[6].utilise);
        QVERIFY(bilan_calage(*b.d.controle.calculee, b.d.controle.points).rms_pixels < 1);
        QVERIFY(b.f->bilan()->text().contains(QStringLiteral("sur 11 points cochés")));
        b.points_par_le_calage();

        b.f->methode()->setCurrentIndex(2);
        QVERIFY(b.f->bilan()->text().contains(QStringLiteral("Échelle : ")));
        b.points_par_le_calage();
        b.f->methode()->setCurrentIndex(3);
        b.points_par_le_calage();
        QVERIFY(!b.d.sauve);
    }
};

QTEST_MAIN(TestPointsControle)
#include "tst_points_controle.moc"
