// Ending the program: every way of asking, every answer, the save question first when the
// points are not saved, and the wheel setting kept from one run to the next.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "core/reglages/FichiersReglages.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QFile>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

namespace {

const std::string question_quitter = "titre|Quitter|ON|Quitter|annuler";
const std::string question_sauver = " Voulez-vous enregistrer le tableau de points ? ";

enum class Moyen { barre_de_titre, Quitter1, Quitter2, SpeedButton13, F12, Echap };

void demande_fermeture(TForm1& f, Moyen m) {
    switch (m) {
    case Moyen::barre_de_titre: f.close(); break;
    case Moyen::Quitter1: f.Quitter1->trigger(); break;
    case Moyen::Quitter2: f.Quitter2->trigger(); break;
    case Moyen::SpeedButton13: QTest::mouseClick(f.SpeedButton13, Qt::LeftButton); break;
    case Moyen::F12: QTest::keyClick(&f, Qt::Key_F12); break;
    case Moyen::Echap: QTest::keyClick(&f, Qt::Key_Escape); break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Moyen)

class TestQuitter : public QObject {
    Q_OBJECT

private slots:
    void chaque_moyen_pose_la_question_data();
    void chaque_moyen_pose_la_question();
    void reponses_a_la_question_data();
    void reponses_a_la_question();
    void points_non_enregistres_data();
    void points_non_enregistres();
    void fermeture_refusee_puis_acceptee();
    void roulette_gardee_d_un_demarrage_a_l_autre();
    void dossier_programme_inutilisable();
};

void TestQuitter::chaque_moyen_pose_la_question_data() {
    QTest::addColumn<Moyen>("moyen");
    QTest::newRow("barre de titre") << Moyen::barre_de_titre;
    QTest::newRow("Quitter1") << Moyen::Quitter1;
    QTest::newRow("Quitter2") << Moyen::Quitter2;
    QTest::newRow("SpeedButton13") << Moyen::SpeedButton13;
    QTest::newRow("F12") << Moyen::F12;
    QTest::newRow("Echap") << Moyen::Echap;
}

void TestQuitter::chaque_moyen_pose_la_question() {
    QFETCH(Moyen, moyen);
    DossierProgrammeTest dossier;
    auto t = demarre();
    TForm1& f = *t->programme->Form1;
    t->port.repond("O");
    demande_fermeture(f, moyen);
    QCOMPARE(t->port.textes("question"), std::vector<std::string>{question_quitter});
    QCOMPARE(t->port.nombre("oui_non"), 0); // saved: no save question
    QVERIFY(t->port.termine());
    QVERIFY(f.sortie_faite());
    QVERIFY(!f.isVisible());
    QVERIFY(!f.isMaximized()); // set back to normal before ending
}

void TestQuitter::reponses_a_la_question_data() {
    QTest::addColumn<QString>("reponse");
    QTest::addColumn<bool>("quitte");
    QTest::newRow("Quitter") << "O" << true;
    QTest::newRow("annuler") << "N" << false;
    QTest::newRow("autre") << "E" << false;
    QTest::newRow("rien") << "" << false;
}

void TestQuitter::reponses_a_la_question() {
    QFETCH(QString, reponse);
    QFETCH(bool, quitte);
    DossierProgrammeTest dossier;
    auto t = demarre();
    TForm1& f = *t->programme->Form1;
    if (!reponse.isEmpty()) t->port.repond(reponse.toStdString());
    QCOMPARE(f.close(), quitte);
    QCOMPARE(t->port.termine(), quitte);
    QCOMPARE(f.isVisible(), !quitte);
    QCOMPARE(f.sortie_faite(), quitte);
}

void TestQuitter::points_non_enregistres_data() {
    QTest::addColumn<QString>("sauver");
    QTest::addColumn<QString>("quitter");
    QTest::addColumn<bool>("sauve_appele");
    QTest::addColumn<bool>("quitte");
    QTest::newRow("Oui puis Quitter") << "O" << "O" << true << true;
    QTest::newRow("Non puis Quitter") << "N" << "O" << false << true;
    QTest::newRow("Oui puis annuler") << "O" << "N" << true << false;
    QTest::newRow("Non puis annuler") << "N" << "N" << false << false;
    // Annuler at the save question: no exit question, the program goes on.
    QTest::newRow("Annuler") << "E" << "" << false << false;
}

void TestQuitter::points_non_enregistres() {
    QFETCH(QString, sauver);
    QFETCH(QString, quitter);
    QFETCH(bool, sauve_appele);
    QFETCH(bool, quitte);
    DossierProgrammeTest dossier;
    auto t = demarre();
    TForm1& f = *t->programme->Form1;
    t->programme->document.sauve = false; // as after a digitized point
    int sauvegardes = 0;
    f.sauve_fic_points = [&] {
        ++sauvegardes;
        t->programme->document.sauve = true;
    };
    t->port.repond(sauver.toStdString());
    t->port.repond(quitter.toStdString());
    QCOMPARE(f.close(), quitte);
    // The save question comes first, then the exit question.
    std::vector<std::string> attendu{question_sauver, question_quitter};
    if (quitter.isEmpty()) attendu.pop_back();
    QCOMPARE(t->port.messages(), attendu);
    QCOMPARE(sauvegardes, sauve_appele ? 1 : 0);
    QCOMPARE(t->port.termine(), quitte);
}

void TestQuitter::fermeture_refusee_puis_acceptee() {
    DossierProgrammeTest dossier;
    auto t = demarre();
    TForm1& f = *t->programme->Form1;
    t->port.repond("N");
    QVERIFY(!f.close());
    QVERIFY(f.isVisible());
    t->port.repond("O");
    QVERIFY(f.close());
    QCOMPARE(t->port.nombre("question"), 2);
    // Once ended, a further close request asks nothing.
    QVERIFY(f.close());
    QCOMPARE(t->port.nombre("question"), 2);
}

void TestQuitter::roulette_gardee_d_un_demarrage_a_l_autre() {
    DossierProgrammeTest dossier;
    const QString marque = dossier.fichier(QStringLiteral("~vuviviva_roulette_inv.cfg"));
    {
        auto t = demarre();
        TForm1& f = *t->programme->Form1;
        QCOMPARE(f.sens_roulette, 1);
        f.rouletteinverse1->trigger();
        QCOMPARE(f.sens_roulette, -1);
        QVERIFY(!existe(marque)); // written at exit only
        t->port.repond("O");
        QVERIFY(f.close());
    }
    QVERIFY(existe(marque));
    QCOMPARE(QFile(marque).size(), 0);
    {
        auto t = demarre();
        TForm1& f = *t->programme->Form1;
        QCOMPARE(f.sens_roulette, -1);
        QVERIFY(f.rouletteinverse1->isChecked());
        // A refused exit leaves the marker alone.
        f.rouletteinverse1->trigger();
        t->port.repond("N");
        QVERIFY(!f.close());
        QVERIFY(existe(marque));
        t->port.repond("O");
        QVERIFY(f.close());
    }
    QVERIFY(!existe(marque));
    {
        auto t = demarre();
        QCOMPARE(t->programme->Form1->sens_roulette, 1);
        QVERIFY(!t->programme->Form1->rouletteinverse1->isChecked());
    }
}

void TestQuitter::dossier_programme_inutilisable() {
    // A file where the folder should be: nothing can be created in it, even as root.
    QTemporaryDir parent;
    const QString faux = parent.path() + QStringLiteral("/pas-un-dossier");
    ecrit_octets(faux, "x");
    DossierProgrammeTest dossier(faux);
    auto t = demarre();
    TForm1& f = *t->programme->Form1;
    QCOMPARE(f.sens_roulette, 1);

    // The last-directory file: a tone on writing, the program folder on reading.
    QVERIFY(!premiere_ligne_enregistre(fichier_dernier_dossier, "/cartes"));
    QCOMPARE(t->port.textes("ton"), std::vector<std::string>{"1250/100"});
    QCOMPARE(QString::fromStdString(premiere_ligne_lecture(fichier_dernier_dossier)), faux + QLatin1Char('/'));

    // The wheel marker cannot be created: the program still ends.
    f.rouletteinverse1->trigger();
    t->port.repond("O");
    QVERIFY(f.close());
    QVERIFY(t->port.termine());
    QCOMPARE(lit_octets(faux), QByteArray("x"));
}

QTEST_MAIN(TestQuitter)
#include "tst_quitter.moc"
