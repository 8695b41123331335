// After a save, every change that a save would write leaves the work unsaved, so that quitting
// asks; undoing back to the saved state makes it saved again. And what was saved opens again.
#include "tests/support/Tableaux.h"
#include "tests/support/TravailCarte.h"

#include "core/document/Document.h"
#include "windows/commun/ModeleGrille.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <functional>

using namespace vuv;
using namespace vuv::test;

namespace {

const std::string question = " Voulez-vous enregistrer le tableau de points ? ";

using Route = std::function<void(const TravailCarte&)>;

QPoint centre(GrilleChaines* g, int col, int row) {
    return g->visualRect(g->model()->index(ModeleGrille::ligne_modele(row), col)).center();
}

void tape_et_entree(const TravailCarte& w, GrilleChaines* g, int col, int row, const QString& texte) {
    QVERIFY(active(&w.f2()));
    tape(g, col, row, texte);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// Whether quitting now asks the save question; the exit itself is refused.
bool quitter_demande(const TravailCarte& w) {
    w.port().oublie();
    w.f1().close(); // unanswered: Annuler, or the exit question's "annuler"
    return w.port().nombre("oui_non_annuler") == 1;
}

} // namespace

Q_DECLARE_METATYPE(Route)

class TestModifications : public QObject {
    Q_OBJECT

private slots:
    void chaque_modification_demande_a_enregistrer_data();
    void chaque_modification_demande_a_enregistrer();
    void pixel_de_calage_lu_data();
    void pixel_de_calage_lu();
};

void TestModifications::chaque_modification_demande_a_enregistrer_data() {
    QTest::addColumn<Route>("route");
    QTest::newRow("nouvelle ligne") << Route([](const TravailCarte& w) {
        QVERIFY(active(&w.f1()));
        QTest::keyClick(&w.f1(), Qt::Key_Space);
    });
    QTest::newRow("couleur d'une ligne") << Route([](const TravailCarte& w) {
        QVERIFY(active(&w.f2()));
        w.dialogues().repond_couleur(QColor(0, 160, 0));
        QTest::mouseClick(w.f2().StringGrid3->viewport(), Qt::LeftButton, {}, centre(w.f2().StringGrid3, 2, 1));
    });
    QTest::newRow("ligne cachée") << Route([](const TravailCarte& w) {
        QVERIFY(active(&w.f2()));
        QTest::mouseDClick(w.f2().StringGrid3->viewport(), Qt::LeftButton, {}, centre(w.f2().StringGrid3, 3, 1));
    });
    QTest::newRow("nouvelle calibration") << Route([](const TravailCarte& w) {
        QTest::mouseClick(w.f2().Button3, Qt::LeftButton);
        QTest::mouseClick(w.f1().SpeedButton14, Qt::LeftButton);
    });
    QTest::newRow("libellé tapé") << Route([](const TravailCarte& w) {
        tape_et_entree(w, w.f2().StringGrid1, 2, 1, QStringLiteral("borne"));
    });
    QTest::newRow("X de calage tapé") << Route([](const TravailCarte& w) {
        tape_et_entree(w, w.f2().StringGrid2, 3, 3, QStringLiteral("5"));
    });
    QTest::newRow("nom de ligne tapé") << Route([](const TravailCarte& w) {
        QVERIFY(active(&w.f2()));
        QTest::mouseClick(w.f2().StringGrid3->viewport(), Qt::LeftButton, {}, centre(w.f2().StringGrid3, 4, 1));
        tape_et_entree(w, w.f2().StringGrid3, 4, 1, QStringLiteral("rue"));
    });
    QTest::newRow("calage du presse-papier") << Route([](const TravailCarte& w) {
        QVERIFY(active(&w.f2()));
        w.port().presse_papier_ecrit("2 3 4\n");
        w.port().repond_oui();
        QTest::mouseClick(w.f2().SpeedButton10, Qt::LeftButton);
    });
}

void TestModifications::chaque_modification_demande_a_enregistrer() {
    QFETCH(Route, route);
    const TravailCarte w;
    w.f2().montre_table_points();
    w.enregistre();
    QVERIFY(w.doc().sauve);
    QVERIFY(!quitter_demande(w));

    w.port().oublie();
    route(w);
    QVERIFY2(!w.doc().sauve, "the change is not in the file");
    QVERIFY(quitter_demande(w));

    w.f1().Annuler1->trigger();
    QVERIFY2(w.doc().sauve, "undone back to what the file holds");
    QVERIFY(!quitter_demande(w));
}

void TestModifications::pixel_de_calage_lu_data() {
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("cite"); // as the message quotes the cell read
    QTest::addColumn<int>("valeur");
    for (const char* t : {"-", "+"}) QTest::newRow(t) << QString::fromLatin1(t) << QString::fromLatin1(t) << 0;
    QTest::newRow("vide") << QString() << QStringLiteral(" ") << 0;
    QTest::newRow("12.5") << QStringLiteral("12.5") << QStringLiteral("12.5") << 12;
    QTest::newRow("3,5") << QStringLiteral("3,5") << QStringLiteral("3,5") << 3;
}

// A project saved with a calibration pixel that is no whole number (as earlier versions let it
// be typed) opens, the pixel read as val_entier reads it, and says so.
void TestModifications::pixel_de_calage_lu() {
    QFETCH(QString, texte);
    QFETCH(QString, cite);
    QFETCH(int, valeur);
    const TravailCarte w;
    const QString projet = w.enregistre();
    QByteArray octets = lit_octets(projet);
    octets.replace(octets.indexOf(",\"  100\",\"  100\","), 8, ",\"" + texte.toLatin1() + "\"");
    ecrit_octets(projet, octets);
    w.port().oublie();
    w.dialogues().repond_fichier(projet);
    w.f1().ouvrir_un_tableau->trigger();
    QCOMPARE(w.doc().nb_points, 3);
    QCOMPARE(w.doc().calage[0].x, valeur);
    QCOMPARE(w.port().textes("information").size(), 1u);
    QVERIFY(w.port().textes("information")[0].find("Le point de calage 1 (ligne 12) : son x <" + cite.toStdString() +
                                                   "> n'est pas un nombre entier ; il est lu comme " +
                                                   std::to_string(valeur) + ".") != std::string::npos);
    QVERIFY(!w.doc().sauve);
}

QTEST_MAIN(TestModifications)
#include "tst_modifications.moc"
