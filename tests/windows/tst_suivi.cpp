// "Suivre un trait" on the main window: a road of the scan traced with the mouse, the preview
// dropped, accepted, extended, taken back and undone; blank paper refused.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/scroll.h"
#include "windows/principale/trace/ModeSuivi.h"

#include <QAction>
#include <QPainter>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

namespace {

// A red road 5 px wide from (100, 300) to (500, 300), then up to (500, 100).
struct Route {
    DossierProgrammeTest dossier;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm1& f = *t->programme->Form1;
    Document& d = t->programme->document;

    Route() {
        QImage fond(700, 500, QImage::Format_RGB32);
        fond.fill(Qt::white);
        QPainter p(&fond);
        p.setPen(QPen(QColor(200, 30, 30), 5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPolyline(QPolygonF({{100.5, 300.5}, {500.5, 300.5}, {500.5, 100.5}}));
        p.end();
        f.installe_fond(fond.convertToFormat(QImage::Format_RGB555));
        d.nb_calage = 3;
        QTest::mouseClick(f.suivi->bouton, Qt::LeftButton);
        f.calque.vue.fixe_vue({0, 0, f.Image1->width() - 1, f.Image1->height() - 1});
        f.redessiner();
        t->port.oublie();
    }
    // One screen pixel per overlay pixel.
    void clic(QPoint p) { QTest::mouseClick(f.Image1, Qt::LeftButton, Qt::NoModifier, p); }
    void touche(Qt::Key k) { QTest::keyClick(f.Image1, k); }
};

} // namespace

class TestSuivi : public QObject {
    Q_OBJECT

private slots:
    void aRoadIsTracedAcceptedExtendedTakenBackAndUndoneAndBlankPaperAddsNothing() {
        Route r;
        QVERIFY(r.f.mode_souris() == TForm1::ModeSouris::suivre);
        r.clic({300, 400}); // blank paper: nothing to follow, nothing added, Échap forgets it
        r.clic({480, 300});
        QVERIFY(r.f.texte_statut(1).startsWith(QStringLiteral("Pas de trait sous le clic")));
        r.touche(Qt::Key_Return);
        QCOMPARE(r.d.nb_points, 0);
        r.touche(Qt::Key_Escape);

        r.clic({120, 300});
        r.clic({480, 300});
        QCOMPARE(r.f.texte_statut(1), QStringLiteral("Entrée ou clic : ajouter ; Échap : abandonner"));
        QVERIFY(!r.f.Image1->marques().empty());
        QCOMPARE(r.d.nb_points, 0);

        r.touche(Qt::Key_Escape);
        QVERIFY(r.f.Image1->marques().empty());
        QVERIFY(r.f.isVisible()); // Échap dropped the preview, it did not ask to quit
        QVERIFY(r.t->port.messages().empty());

        r.clic({480, 300});
        r.d.sauve = true;
        r.touche(Qt::Key_Return);
        QCOMPARE(r.d.nb_points, 2); // a straight stretch: its two ends
        QVERIFY(!r.d.sauve);
        QCOMPARE(r.f.Annuler1->text(), QStringLiteral("Annuler : Suivi d'un trait"));

        // Round the corner: one more stretch from the last point, the corner kept.
        r.clic({500, 120});
        r.touche(Qt::Key_Enter);
        QVERIFY(r.d.nb_points >= 4);
        const int L = r.d.indice_col("L");
        QCOMPARE(std::string(r.d.StringGrid1.cell(L, r.d.nb_points)), std::string(r.d.StringGrid1.cell(L, 1)));

        r.touche(Qt::Key_Backspace);
        QCOMPARE(r.d.nb_points, 2);
        r.f.Annuler1->trigger();
        QCOMPARE(r.d.nb_points, 0);
    }
};

QTEST_MAIN(TestSuivi)
#include "tst_suivi.moc"
