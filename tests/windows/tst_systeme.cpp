// "Système de coordonnées du projet" reached from the Options menu: searched, picked among the
// common systems, pasted as WKT, refused when unknown, taken away; shown in the status bar, and
// kept in the project's .prj through a save and an opening.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "sig/SystemeCoordonnees.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"
#include "windows/systeme/Systeme.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

namespace {

using Cellules = std::vector<std::string>;

std::string wkt_de(const char* code) {
    std::string wkt, erreur;
    sig::systeme_vers_wkt(code, wkt, erreur);
    return wkt;
}

} // namespace

class TestSysteme : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void choix_par_la_recherche();
    void code_inconnu_texte_colle_systemes_courants_et_aucun();
    void projet_enregistre_puis_relu_avec_son_systeme();

private:
    Document& doc() { return t_->programme->document; }
    TForm1& f1() { return *t_->programme->Form1; }
    QString fichier(const QString& nom) const { return dossier_->fichier(nom); }
    // The status bar's system, empty while hidden.
    QString etiquette() { return f1().etiquette_systeme->isHidden() ? QString() : f1().etiquette_systeme->text(); }
    DialogueSysteme* ouvre_dialogue() {
        f1().Systemedecoordonnees1->trigger();
        auto* d = f1().findChild<DialogueSysteme*>();
        if (d && d->isVisible()) return d;
        return nullptr;
    }
    // The dialog closes on OK: deleted once the event loop runs.
    static void clique(QPushButton* b) {
        QTest::mouseClick(b, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void choisit(const char* code) {
        DialogueSysteme* d = ouvre_dialogue();
        QVERIFY(d);
        QTest::keyClicks(d->Recherche, QString::fromLatin1(code));
        clique(d->BoutonOK);
    }

    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    std::unique_ptr<DialoguesScriptes> d_;
    QString courant_;
};

void TestSysteme::init() { ouvre_seance({dossier_, d_, t_, courant_}); }

void TestSysteme::cleanup() { ferme_seance({dossier_, d_, t_, courant_}); }

void TestSysteme::choix_par_la_recherche() {
    QCOMPARE(etiquette(), QString());
    QVERIFY(f1().Systemedecoordonnees1->isEnabled());
    QCOMPARE(f1().Systemedecoordonnees1->text(), QStringLiteral("Système de coordonnées du projet..."));
    doc().sauve = true;

    DialogueSysteme* d = ouvre_dialogue();
    QVERIFY(d);
    QVERIFY(d->isModal());
    QCOMPARE(d->windowTitle(), QStringLiteral("Système de coordonnées du projet"));
    QCOMPARE(d->Actuel->text(), QStringLiteral("Système actuel : aucun"));
    const int tous = d->lignes_trouvees();
    QTest::keyClicks(d->Recherche, QStringLiteral("lambert 93"));
    QVERIFY(d->lignes_trouvees() >= 1);
    QVERIFY(d->lignes_trouvees() < 20);
    QVERIFY(tous > 5000);
    int ligne = -1;
    for (int r = 0; r < d->lignes_trouvees(); ++r)
        if (d->Liste->model()->index(r, 0).data(Qt::UserRole).toInt() == 2154) ligne = r;
    QVERIFY(ligne >= 0);
    d->Liste->setCurrentIndex(d->Liste->model()->index(ligne, 0));
    QCOMPARE(d->Choix->text(), QStringLiteral("Choix : RGF93 v1 / Lambert-93 (EPSG:2154)"));
    QVERIFY(d->Texte->toPlainText().startsWith(QStringLiteral("PROJCS[\"RGF93 v1 / Lambert-93\"")));
    QVERIFY2(doc().systeme_wkt.empty(), "nothing changes before OK");
    clique(d->BoutonOK);

    QVERIFY(!f1().findChild<DialogueSysteme*>());
    QCOMPARE(doc().systeme_wkt, wkt_de("2154"));
    QVERIFY(!doc().sauve);
    QCOMPARE(etiquette(), QStringLiteral("Système : RGF93 v1 / Lambert-93 (EPSG:2154)"));
    QCOMPARE(t_->port.messages(), Cellules{});
}

void TestSysteme::code_inconnu_texte_colle_systemes_courants_et_aucun() {
    DialogueSysteme* d = ouvre_dialogue();
    QVERIFY(d);
    QTest::keyClicks(d->Recherche, QStringLiteral("999999"));
    QCOMPARE(d->lignes_trouvees(), 0);
    QCOMPARE(d->Choix->text(), QStringLiteral("Choix : EPSG:999999 (absent de la liste EPSG)"));
    clique(d->BoutonOK);
    QCOMPARE(t_->port.textes("information"), Cellules{"Système de coordonnées inconnu : 999999"});
    QVERIFY(d->isVisible());
    QVERIFY(doc().systeme_wkt.empty());

    // A pasted WKT is the last thing done: it wins.
    d->Texte->setPlainText(QString::fromStdString(wkt_de("27572")));
    QCOMPARE(d->Choix->text(), QStringLiteral("Choix : le texte collé"));
    clique(d->BoutonOK);
    QCOMPARE(sig::nom_systeme(doc().systeme_wkt), "NTF (Paris) / Lambert zone II (EPSG:27572)");

    d = ouvre_dialogue();
    QVERIFY(d);
    QCOMPARE(d->Actuel->text(), QStringLiteral("Système actuel : NTF (Paris) / Lambert zone II (EPSG:27572)"));
    QStringList courants;
    for (int r = 0; r < d->Courants->count(); ++r) courants << d->Courants->item(r)->text().section(QLatin1Char(' '), 0, 0);
    QCOMPARE(courants.mid(0, 5), (QStringList{"EPSG:2154", "EPSG:27572", "EPSG:4326", "EPSG:4171", "EPSG:3857"}));
    QVERIFY(courants.contains(QStringLiteral("EPSG:32738")) && courants.contains(QStringLiteral("EPSG:2975")));
    d->Courants->setCurrentRow(2);
    clique(d->BoutonOK);
    QCOMPARE(doc().systeme_wkt, wkt_de("4326"));

    // Annuler changes nothing; "Aucun système" takes the system away.
    doc().sauve = true;
    d = ouvre_dialogue();
    QVERIFY(d);
    d->Courants->setCurrentRow(0);
    clique(d->BoutonAnnuler);
    QCOMPARE(doc().systeme_wkt, wkt_de("4326"));
    QVERIFY(doc().sauve);
    d = ouvre_dialogue();
    QVERIFY(d);
    clique(d->BoutonAucun);
    QVERIFY(doc().systeme_wkt.empty());
    QVERIFY(!doc().sauve);
    QCOMPARE(etiquette(), QString());
    QCOMPARE(t_->port.textes("information").size(), 1u);
}

void TestSysteme::projet_enregistre_puis_relu_avec_son_systeme() {
    QImage im(300, 200, QImage::Format_RGB32);
    im.fill(Qt::darkGreen);
    QVERIFY(im.save(fichier(QStringLiteral("plan.bmp")), "BMP"));
    d_->repond_fichier(fichier(QStringLiteral("plan.bmp")));
    f1().Ouvrir1->trigger();
    choisit("2154");
    const std::string l93 = wkt_de("2154");
    QCOMPARE(doc().systeme_wkt, l93);

    d_->repond_fichier(fichier(QStringLiteral("plan.trl")));
    f1().Enregistrer1->trigger();
    QVERIFY(doc().sauve);
    QCOMPARE(lit_octets(fichier(QStringLiteral("plan.prj"))), QByteArray::fromStdString(l93));

    // Another system chosen but not saved; opening the project brings its own back.
    choisit("4326");
    t_->port.oublie();
    t_->port.repond("N"); // leave the unsaved work
    d_->repond_fichier(fichier(QStringLiteral("plan.trl")));
    f1().ouvrir_un_tableau->trigger();
    QCOMPARE(doc().systeme_wkt, l93);
    QCOMPARE(etiquette(), QStringLiteral("Système : RGF93 v1 / Lambert-93 (EPSG:2154)"));
    QCOMPARE(t_->port.textes("information"), Cellules{});

    // A side file GDAL cannot read: told after the pair's warning (it is not the one saved), and
    // the project opens without a system.
    ecrit_octets(fichier(QStringLiteral("plan.prj")), "GEOGCS[\"tronqué\"");
    t_->port.oublie();
    t_->port.repond_oui();
    d_->repond_fichier(fichier(QStringLiteral("plan.trl")));
    f1().ouvrir_un_tableau->trigger();
    const Cellules dits = t_->port.textes("information");
    QCOMPARE(dits.size(), std::size_t{2});
    QCOMPARE(dits.back(), "Le système de coordonnées du fichier " + ss(fichier(QStringLiteral("plan.prj"))) +
                              " n'est pas lisible ; le projet est ouvert sans système.");
    QVERIFY(doc().systeme_wkt.empty());
    QCOMPARE(doc().nb_calage, 3);
    QCOMPARE(etiquette(), QString());
}

QTEST_MAIN(TestSysteme)
#include "tst_systeme.moc"
