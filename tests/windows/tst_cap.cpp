// Bearing mode "Cap et angle": the texts under the mouse, the legs clicked into the results
// panel, and a start point that no longer names a row.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "core/text/separateur.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/scroll.h"
#include "windows/question/Unit6.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <array>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

namespace {

// One unit per pixel, Y up: real (X, Y) lies at pixel (100 + X, 300 - Y). Points 1 to 4 at
// real (0, 0), (10, 10), (-10, 10), (0, -5).
struct Carte {
    SeparateurLocal sep{'.'};
    DossierProgrammeTest dossier;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm1& f = *t->programme->Form1;
    Document& d = t->programme->document;
    DialoguesScriptes dialogues;
    const QPoint p1{100, 300}, p2{110, 290}, p3{90, 290}, p4{100, 305};

    Carte() {
        installe_dialogues(&dialogues);
        QImage fond(1000, 800, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        d.calage = {EnregistrementCalage{true, 100, 100, 0, 200, 0}, EnregistrementCalage{true, 100, 300, 0, 0, 0},
                    EnregistrementCalage{true, 400, 300, 300, 0, 0}};
        for (int k = 1; k <= 3; ++k) {
            const EnregistrementCalage& e = d.calage[static_cast<std::size_t>(k - 1)];
            d.affecte_calage(k, 0, "cal " + std::to_string(k), 0, 0, 0, e.Y, e.X);
            d.StringGrid2.set_cell(d.indice_col_cal("x"), k, std::to_string(e.x));
            d.StringGrid2.set_cell(d.indice_col_cal("y"), k, std::to_string(e.y));
        }
        d.nb_calage = 3;
        for (QPoint p : {p1, p2, p3, p4}) {
            ++d.nb_points;
            d.affecte_en(d.nb_points, 1, "", 0, 300 - p.y(), p.x() - 100, p.y(), p.x());
        }
        for (int k = 0; k < 4; ++k) d.StringGrid3.set_cell(k, 1, std::array{"1", "4", "255", "x"}[k]);
        d.nouvelle_ligne = false;
        f.redessiner_calque();
        vue_un_pour_un();
        t->port.oublie();
    }
    ~Carte() { installe_dialogues(nullptr); }

    // "Redessiner" fits the view to the area: back to one screen pixel per image pixel.
    void vue_un_pour_un() {
        f.calque.vue.fixe_vue({0, 0, f.Image1->width() - 1, f.Image1->height() - 1});
        f.redessiner();
    }
    void mode_cap() {
        QTest::mouseClick(f.Cap, Qt::LeftButton);
        vue_un_pour_un();
    }
    // The centre of overlay pixel p on screen: the labels of the tool bar may move the area.
    QPoint ecran(QPoint p) const {
        QCoreApplication::processEvents(); // the layout the labels asked for
        const auto& v = f.calque.vue.vue();
        const double sx = static_cast<double>(f.Image1->width()) / v.largeur();
        const double sy = static_cast<double>(f.Image1->height()) / v.hauteur();
        return QPoint(static_cast<int>((p.x() - v.x0 + 0.5) * sx), static_cast<int>((p.y() - v.y0 + 0.5) * sy));
    }
    void clic(QPoint p) { QTest::mouseClick(f.Image1, Qt::LeftButton, Qt::NoModifier, ecran(p)); }
    void bouge(QPoint p) { QTest::mouseMove(f.Image1, ecran(p)); }
    QStringList lignes() const { return f.Memo1->toPlainText().split(QLatin1Char('\n')); }
};

} // namespace

class TestCap : public QObject {
    Q_OBJECT

private slots:
    void lesJambesCliqueesSeCumulentDansLePanneau() {
        Carte c;
        c.mode_cap();
        QVERIFY(c.f.Cap->isChecked());
        QVERIFY(c.f.Panel3->isVisible());
        QCOMPARE(c.f.Label2->text(), QStringLiteral("Distance cumulée= 0.0"));
        QCOMPARE(c.lignes(), QStringList({" ", " Distance cumulée : "}));

        c.bouge(c.p3);
        QCOMPARE(c.f.Panel2->text(), QStringLiteral(" sélectionnez un départ"));
        c.clic(c.p1);
        c.bouge(c.p2);
        QCOMPARE(c.f.Label1->text(), QStringLiteral("1/2=> D=14.1421 cap=  49.50"));
        QCOMPARE(c.f.texte_statut(2), QStringLiteral("Distance=  14.1421  Cap=    49.50  "));
        QCOMPARE(c.f.Panel2->text(), QStringLiteral("D=  14.1421  Cap=    49.50  proxi=   2"));
        QVERIFY(c.f.Panel2->isVisible());
        for (QPoint p : {c.p2, c.p3, c.p4, c.p4}) c.clic(p);
        QCOMPARE(c.lignes(), QStringList({" ", " Distance cumulée : ", " distance cumulée à partir de (1)... ",
                                         " distance cumulée +(1 à 2) = 14.1421   1/2=> D=14.1421 cap=  49.50",
                                         " distance cumulée +(2 à 3) = 34.1421   2/3=> D=20.0000 cap=  -85.50",
                                         " distance cumulée +(3 à 4) = 52.1699   3/4=> D=18.0278 cap=150.81",
                                         " distance cumulée +(4 à 4) = 52.1699   4/4=> D=0.0000 cap=    4.50"}));
        QCOMPARE(c.d.StringGrid1.row(), 4);

        // Entering the mode again keeps the start and appends to the open panel.
        c.mode_cap();
        c.clic(c.p1);
        QCOMPARE(c.lignes().mid(7), QStringList({"Distance cumulée= 0.0",
                                                 " distance cumulée +(4 à 1) = 5.0000   4/1=> D=5.0000 cap=    4.50"}));
    }

    void lesTextesDuModeNeBougentPasLaCarteEtPartentAvecLui() {
        Carte c;
        const auto carte = [&] {
            QCoreApplication::processEvents(); // the layout the labels asked for
            return c.f.Image1->size();
        };
        // From the mode's short texts to long ones, under a mouse that moves and clicks, in
        // windows of several widths: the bar wraps at some of them. Below 1000 px the tool bar
        // with the edit and tracing modes no longer leaves the map where the mouse is.
        for (int largeur = 1000; largeur <= 1600; largeur += 100) {
            TForm1::place_fenetre(&c.f, 0, 0, largeur, 780);
            c.mode_cap();
            const QSize taille = carte();
            for (QPoint p : {c.p2, c.p3, c.p4, c.p1}) {
                c.bouge(p);
                QCOMPARE(carte(), taille);
                c.clic(p);
                QCOMPARE(carte(), taille);
            }
        }
        QVERIFY(c.f.Panel2->isVisible());
        QTest::mouseClick(c.f.Digitaliser, Qt::LeftButton);
        QVERIFY(c.f.Panel2->isHidden());
    }

    void lesBoutonsDeLaQuestionDeTraverseFontCeQuIlsDisent_data() {
        QTest::addColumn<QString>("legende");
        QTest::addColumn<int>("fichiers_demandes");
        QTest::newRow("Continuer") << "Continuer" << 1;
        QTest::newRow("annuler") << "annuler" << 0;
    }

    void lesBoutonsDeLaQuestionDeTraverseFontCeQuIlsDisent() {
        QFETCH(QString, legende);
        QFETCH(int, fichiers_demandes);
        Carte c;
        c.t->programme->Form6->pilote = [&](TForm6& f6) {
            for (QPushButton* b : {f6.Button1, f6.Button2, f6.Button3, f6.Button4})
                if (b->isVisible() && b->text() == legende) QTest::mousePress(b, Qt::LeftButton);
        };
        c.f.Rajoutdepointscap1->trigger();
        QCOMPARE(static_cast<int>(c.dialogues.demandes().size()), fichiers_demandes);
        QCOMPARE(c.d.nb_points, 4);
    }

    void laJambeEstMesureeAuClicNonAuDernierMouvement() {
        Carte c;
        c.mode_cap();
        c.clic(c.p1);
        c.bouge(c.p4); // 5 from the start
        const QPoint e = c.ecran(c.p2);
        c.f.Image1MouseDown(Qt::LeftButton, e.x(), e.y(), Qt::NoModifier);
        QCOMPARE(c.lignes().last(), QStringLiteral(" distance cumulée +(1 à 2) = 14.1421   1/2=> D=14.1421 cap=  49.50"));
    }

    void unDepartQuiNeNommePlusDePointEstChoisiDeNouveau() {
        Carte c;
        c.mode_cap();
        c.clic(c.p1);
        c.clic(c.p4); // the start is now row 4
        c.f.devalide_point();
        c.vue_un_pour_un();
        QCOMPARE(c.d.nb_points, 3);
        c.clic(c.p2);
        QCOMPARE(c.lignes().last(), QStringLiteral(" distance cumulée à partir de (2)... "));

        // A new image: the start named a row of the previous work.
        QImage fond(1000, 800, QImage::Format_RGB555);
        fond.fill(Qt::white);
        c.f.installe_fond(fond);
        QVERIFY(c.f.choisir_depart);
    }

    void sansPointLeModeRevientADigitaliser() {
        SeparateurLocal sep('.');
        DossierProgrammeTest dossier;
        auto t = demarre();
        TForm1& f = *t->programme->Form1;
        QImage fond(400, 300, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        t->port.oublie();
        QTest::mouseClick(f.Cap, Qt::LeftButton);
        QTest::mouseClick(f.Image1, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        QCOMPARE(t->port.textes("information"), std::vector<std::string>{"pas de points digitalisés"});
        QVERIFY(f.Digitaliser->isChecked());
        QVERIFY(f.Panel3->isHidden());
    }

    void laDeclinaisonTapeeDepuisLeMenuOptionsChangeLeCapSuivant() {
        Carte c;
        c.mode_cap();
        c.clic(c.p1);
        TForm2& f2 = *fenetres().Form2;
        QVERIFY(f2.Edit1->isHidden());
        c.f.Declinaisonetepsilon1->trigger();
        QVERIFY(f2.Edit1->isVisible());
        QCOMPARE(f2.Label1->text(), QStringLiteral("déclinaison °"));
        QCOMPARE(f2.Edit2->text(), QStringLiteral("3.0"));
        f2.Edit1->clear();
        QTest::keyClicks(f2.Edit1, QStringLiteral("0"));
        f2.Edit2->setText(QStringLiteral("abc"));
        c.bouge(c.p2);
        QCOMPARE(c.f.Label1->text(), QStringLiteral("1/2=> D=14.1421 cap=  45.00"));
    }

    void uneTraverseDepuisLeMenuEdition() {
        SeparateurLocal sep('.');
        DossierProgrammeTest dossier;
        auto t = demarre();
        TForm1& f = *t->programme->Form1;
        Document& d = t->programme->document;
        DialoguesScriptes dialogues;
        installe_dialogues(&dialogues);
        QImage fond(2000, 1300, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        const int px[3][2] = {{0, 0}, {0, 1000}, {1000, 1000}};
        const long double reel[3][2] = {{900, 2120}, {900, 2020}, {1000, 2020}};
        for (int k = 0; k < 3; ++k) {
            d.affecte_calage(k + 1, 0, "cal", 0, 0, 0, reel[k][1], reel[k][0]);
            d.StringGrid2.set_cell(d.indice_col_cal("x"), k + 1, std::to_string(px[k][0]));
            d.StringGrid2.set_cell(d.indice_col_cal("y"), k + 1, std::to_string(px[k][1]));
        }
        d.nb_calage = 3;
        d.calcul_nouveaux_calage();
        for (int k = 0; k < 3; ++k) d.calage[static_cast<std::size_t>(k)].x = px[k][0], d.calage[static_cast<std::size_t>(k)].y = px[k][1];
        d.nb_points = 1;
        d.affecte_en(1, 1, "", 0, 2000, 1000, 1200, 1000);
        for (int k = 0; k < 4; ++k) d.StringGrid3.set_cell(k, 1, std::array{"1", "4", "255", "x"}[k]);
        const QString source = dossier.fichier(QStringLiteral("caps.txt"));
        ecrit_octets(source, "A 100 0\r\nB 100 90\r\n");
        t->port.oublie();
        t->port.repond("O");
        dialogues.repond_fichier(source);
        t->programme->Form6->pilote = [](TForm6& f6) { QTest::mousePress(f6.Button2, Qt::LeftButton); };
        f.Rajoutdepointscap1->trigger();
        installe_dialogues(nullptr);
        QCOMPARE(dialogues.demandes().at(0).titre, QStringLiteral("Ouvrir un fichier Distances et Caps"));
        QCOMPARE(d.nb_points, 4);
        const auto cell = [&](const char* col, int row) { return std::string(d.StringGrid1.cell(d.indice_col(col), row)); };
        QCOMPARE(cell("Libellé", 2), std::string("CD0"));
        QCOMPARE(cell("x", 3) + "|" + cell("y", 3) + "|" + cell("X", 3) + "|" + cell("Y", 3),
                 std::string("  922|  203|992.20000000|2099.70000000"));
        QCOMPARE(cell("x", 4) + "|" + cell("y", 4) + "|" + cell("X", 4) + "|" + cell("Y", 4),
                 std::string("1918|  125|1091.80000000|2107.50000000"));
        const QString memo = QDir::current().absoluteFilePath(QStringLiteral("~memo.txt"));
        QVERIFY(QFile::exists(memo));
        QFile::remove(memo);
    }
};

QTEST_MAIN(TestCap)
#include "tst_cap.moc"
