// The project commands through the windows: the save dialog and the file it writes, reading
// back with the dialog or the command-line path, the different-image question, the failures
// that must keep the previous file, and the emergency save of val_entier.
#include "tests/support/Banc.h"

#include "LimiteTaille.h"
#include "core/document/Document.h"
#include "core/projet/Projet.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>

using namespace vuv;
using namespace vuv::test;

namespace {

// The project of the byte-exact example, with `image` as its image line.
// After a first reading, libelle is "\" \"" and ligne "\"  1\"" (renumbered).
QByteArray attendu(const QString& image, const char* libelle = "", const char* ligne = "1") {
    QByteArray t = "/VUVIVIVA\r\n" + image.toUtf8() +
                   "\r\n/taille image LxH dx0/dy0\r\n1200  900  0  0\r\n/nombre de  points\r\n2\r\n"
                   "/nombre de  lignes\r\n1\r\n/nombre de points de calage  X Y (Z)\r\n3\r\n"
                   "n,L,Libell\xe9,X,Y,Z,x,y,z\r\n"
                   "1,0,\"cal 1\",\"            0.0000\",\"        899.0000\",\"            0.0000\",\"      0\",\"      0\",\r\n"
                   "2,0,\"cal 2\",\"            0.0000\",\"            0.0000\",\"            0.0000\",\"      0\",\"  900\",\r\n"
                   "3,0,\"cal 3\",\"      1199.0000\",\"            0.0000\",\"            0.0000\",1200,\"  900\",\r\n";
    t += QByteArray("\"    1\",\"  1\",") + libelle + ",299.75000000,449.50000000,0.00000000,\"  300\",\"  450\",\r\n";
    t += QByteArray("\"    2\",\"  1\",") + libelle + ",599.50000000,599.33333333,0.00000000,\"  600\",\"  300\",\r\n";
    t += QByteArray(ligne) + ",4,255,x,\r\n";
    return t;
}


} // namespace

class TestProjet : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void enregistre_par_le_dialogue();
    void nom_et_annulation();
    void enregistrer1_coche_le_projet_seul();
    void echec_d_ecriture_garde_l_ancien_fichier();
    void question_de_sortie_enregistre();
    void relit_puis_reenregistre();
    void chemin_de_la_ligne_de_commande();
    void un_clic_apres_lecture_continue_la_derniere_ligne();
    void image_differente_data();
    void image_differente();
    void lecture_refusee_ou_annulee();
    void feuille_vierge_sans_image();
    void decalage_de_l_image();
    void sauvegarde_d_urgence();
    void sauvegarde_d_urgence_echouee();
    void projet_abime_garde_le_travail_data();
    void projet_abime_garde_le_travail();

private:
    Document& doc() { return t_->programme->document; }
    TForm1& f1() { return *t_->programme->Form1; }
    TForm2& f2() { return *t_->programme->Form2; }
    QString fichier(const QString& nom) const { return dossier_->fichier(nom); }
    // The example project, its image written as a file the reader can load back.
    void construit_projet();
    // Ten points on two lines, saved as dix.trl and opened through the dialogs, as a user has it.
    void ouvre_projet_de_dix_points();

    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    std::unique_ptr<DialoguesScriptes> d_;
    std::unique_ptr<SeparateurLocal> point_;
    QString image_;
    QString courant_;
};

void TestProjet::init() {
    courant_ = QDir::currentPath();
    point_ = std::make_unique<SeparateurLocal>('.');
    dossier_ = std::make_unique<DossierProgrammeTest>();
    d_ = std::make_unique<DialoguesScriptes>();
    installe_dialogues(d_.get());
    t_ = demarre();
    image_ = fichier(QStringLiteral("plan.bmp"));
    QImage image(1200, 900, QImage::Format_RGB32);
    image.fill(QColor(200, 180, 120));
    QVERIFY(image.save(image_, "BMP"));
}

void TestProjet::cleanup() {
    t_.reset();
    installe_dialogues(nullptr);
    d_.reset();
    dossier_.reset();
    point_.reset();
    QDir::setCurrent(courant_);
}

void TestProjet::construit_projet() {
    QImage fond(1200, 900, QImage::Format_RGB555);
    fond.fill(Qt::white);
    f1().installe_fond(fond);
    Document& d = doc();
    d.fichier_image = ss(image_);
    d.dx0 = d.dy0 = 0;
    d.affecte_calage(1, 0, "cal 1", 0, 0, 0, 899, 0);
    d.affecte_calage(2, 0, "cal 2", 0, 0, 0, 0, 0);
    d.affecte_calage(3, 0, "cal 3", 0, 0, 0, 0, 1199);
    int n = 0;
    for (auto [x, y] : {std::pair{0, 0}, {0, 900}, {1200, 900}})
        d.valide_point_calage(n, x, y, MethodeCalage::trois_points, false);
    d.nb_calage = n;
    d.num_ligne = 1;
    d.stocke_xy(1, 1, 300, 450);
    d.stocke_xy(2, 1, 600, 300);
    d.nb_points = 2;
    d.sauve = false;
}

void TestProjet::enregistre_par_le_dialogue() {
    construit_projet();
    d_->repond_fichier(fichier(QStringLiteral("plan.old")));
    QTest::mouseClick(f1().Speed6, Qt::LeftButton);

    const DemandeFichier& q = d_->demandes().front();
    const QString dossier = dossier_->chemin() + QLatin1Char('/');
    QCOMPARE(q.titre, QStringLiteral(" Enregistrer pour VUVIVIVA, EXCEL et TEXTE  (initREP=") + dossier + ")");
    QCOMPARE(q.dossier, dossier);
    QCOMPARE(q.filtre, QStringLiteral("Tous les fichiers (*.*)|*.*|Fichiers texte (*.trl,*.xls,*.txt,*.bln)|"
                                      "*.trl;*.xls;*.txt;*.bln"));
    QCOMPARE(q.index_filtre, 2);
    QCOMPARE(q.nom, QStringLiteral("plan"));

    QCOMPARE(lit_octets(fichier(QStringLiteral("plan.trl"))), attendu(image_));
    QVERIFY(doc().sauve);
    QCOMPARE(lit_octets(fichier(QStringLiteral("~vuviviva.~i"))), dossier_->chemin().toUtf8() + "\r\n");
    // The default options also write the data file, opened in the text editor.
    QCOMPARE(d_->documents_ouverts(), QStringList{fichier(QStringLiteral("plan.txt"))});
}

void TestProjet::nom_et_annulation() {
    construit_projet();
    d_->repond_fichier(fichier(QStringLiteral("carte")));
    f1().Speed6Click();
    QVERIFY(existe(fichier(QStringLiteral("carte.trl"))));

    doc().sauve = false;
    d_->repond_fichier_annule();
    f1().Speed6Click();
    QVERIFY(!doc().sauve);
    QCOMPARE(t_->port.nombre("erreur"), 0);
}

void TestProjet::enregistrer1_coche_le_projet_seul() {
    construit_projet();
    f1().options_export.CheckBox_trl = false;
    d_->repond_fichier(fichier(QStringLiteral("plan.trl")));
    f1().Enregistrer1->trigger();
    const OptionsExport& o = f1().options_export;
    QVERIFY(o.CheckBox_trl);
    QVERIFY(!o.CheckBox_fic);
    QVERIFY(o.CheckBox_pas_norme);
    QCOMPARE(lit_octets(fichier(QStringLiteral("plan.trl"))), attendu(image_));
}

void TestProjet::echec_d_ecriture_garde_l_ancien_fichier() {
    construit_projet();
    const QString cible = fichier(QStringLiteral("plan.trl"));
    ecrit_octets(cible, "ancien\r\n");
    d_->repond_fichier(cible);
    {
        const LimiteTaille limite(64);
        f1().Speed6Click();
    }
    QCOMPARE(lit_octets(cible), QByteArray("ancien\r\n"));
    QVERIFY(!existe(cible + QStringLiteral(".~enr")));
    QVERIFY(!doc().sauve);
    QCOMPARE(t_->port.textes("erreur"),
             std::vector<std::string>{"Impossible d'enregistrer " + ss(cible) + " : le fichier dépasse la taille permise"});
    QVERIFY(!existe(fichier(QStringLiteral("~vuviviva.~i"))));
}

void TestProjet::question_de_sortie_enregistre() {
    construit_projet();
    t_->port.repond("O"); // save the points
    d_->repond_fichier(fichier(QStringLiteral("fin")));
    t_->port.repond("N"); // then stay
    QVERIFY(!f1().FormClose());
    QVERIFY(existe(fichier(QStringLiteral("fin.trl"))));
    QVERIFY(doc().sauve);
}

void TestProjet::relit_puis_reenregistre() {
    ecrit_octets(fichier(QStringLiteral("a.trl")), attendu(image_));
    d_->repond_fichier(fichier(QStringLiteral("a.trl")));
    f1().ouvrir_un_tableau->trigger();

    const DemandeFichier& q = d_->demandes().front();
    const QString dossier = dossier_->chemin() + QLatin1Char('/');
    QCOMPARE(q.titre, QStringLiteral(" Ouvrir un fichier VUVIVIVA *.trl  (initRep=") + dossier + ")");
    QCOMPARE(q.filtre, QStringLiteral("Fichiers txt (*.trl)|*.trl;Tous (*.*)|*.*"));
    QCOMPARE(q.index_filtre, 1);
    QVERIFY(q.nom.isEmpty());
    QVERIFY(q.doit_exister);

    QCOMPARE(t_->port.messages(), std::vector<std::string>{});
    QCOMPARE(doc().nb_points, 2);
    QCOMPARE(doc().num_ligne, 1);
    QCOMPARE(doc().nb_calage, 3);
    QCOMPARE(doc().calage[2].x, 1200);
    QCOMPARE(static_cast<double>(doc().calage[2].X), 1199.0);
    QCOMPARE(f1().calque.fond.size(), QSize(1200, 900));
    QVERIFY(f2().StringGrid1->isVisibleTo(&f2()));
    QCOMPARE(f2().StringGrid1->row(), 2);
    QCOMPARE(f2().Label8->text(), QStringLiteral("2 points"));
    QCOMPARE(f2().chemin_projet, fichier(QStringLiteral("a.trl")));
    QVERIFY(f2().isVisible()); // map and table side by side
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    QCOMPARE(lit_octets(fichier(QStringLiteral("~vuviviva.~i"))), dossier_->chemin().toUtf8() + "\r\n");

    // Empty labels came back as one space and the line renumbered; from then on it is stable.
    d_->repond_fichier(fichier(QStringLiteral("b.trl")));
    f1().Enregistrer1Click();
    QCOMPARE(lit_octets(fichier(QStringLiteral("b.trl"))), attendu(image_, "\" \"", "\"  1\""));
    d_->repond_fichier(fichier(QStringLiteral("b.trl")));
    f1().ouvrir_un_tableauClick();
    d_->repond_fichier(fichier(QStringLiteral("c.trl")));
    f1().Enregistrer1Click();
    QCOMPARE(lit_octets(fichier(QStringLiteral("c.trl"))), lit_octets(fichier(QStringLiteral("b.trl"))));
}

void TestProjet::chemin_de_la_ligne_de_commande() {
    t_.reset();
    QDir().mkpath(fichier(QStringLiteral("mes cartes")));
    const QString projet = fichier(QStringLiteral("mes cartes/a.trl"));
    ecrit_octets(projet, attendu(image_));
    t_ = demarre(projet.split(QLatin1Char(' ')));
    // A window manager maximizing the window once it is mapped, after the layout was made:
    // map and table end side by side all the same.
    f1().resize(QGuiApplication::primaryScreen()->geometry().width(), f1().height());
    QTRY_VERIFY(f1().frameGeometry().right() < f2().frameGeometry().left());
    QVERIFY(f2().isVisible());
    QVERIFY(d_->demandes().isEmpty());
    QVERIFY(f1().chemin_en_attente.isEmpty());
    QCOMPARE(doc().nb_points, 2);
    QCOMPARE(f2().chemin_projet, projet);
    // Consumed: the next read asks.
    f1().ouvrir_un_tableauClick();
    QCOMPARE(d_->demandes().size(), 1);
}

void TestProjet::un_clic_apres_lecture_continue_la_derniere_ligne() {
    ecrit_octets(fichier(QStringLiteral("a.trl")), attendu(image_));
    d_->repond_fichier(fichier(QStringLiteral("a.trl")));
    f1().ouvrir_un_tableauClick();
    QCOMPARE(doc().nb_points, 2);
    f1().clic_digitaliser(900, 600);
    QCOMPARE(doc().nb_points, 3);
    QCOMPARE(doc().StringGrid1.cell(1, 3), std::string("  1"));
    // Drawn at once, not only at the next full redraw: the segment from the last point read.
    QCOMPARE(f1().calque.image.pixelColor(750, 450), QColor(Qt::red));
    QCOMPARE(f1().calque.image.pixelColor(800, 500), QColor(Qt::red));
}

void TestProjet::image_differente_data() {
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Annuler") << false;
}

void TestProjet::image_differente() {
    QFETCH(bool, ok);
    doc().fichier_image = "/ailleurs/carte.jpg";
    ecrit_octets(fichier(QStringLiteral("a.trl")), attendu(image_));
    d_->repond_fichier(fichier(QStringLiteral("a.trl")));
    t_->port.repond(ok ? "O" : "N");
    f2().Liredespoints1Click();
    QCOMPARE(t_->port.textes("ok_annuler"),
             std::vector<std::string>{" L'image relative à ce fichier est différente de l'image actuelle\n\n"
                                      "image actuelle =<carte.jpg>\nimage fichier  =<plan.bmp>\n"
                                      " Pour traiter néanmoins cette nouvelle image et sa digitalisation "});
    QCOMPARE(doc().nb_points, ok ? 2 : 0);
    QCOMPARE(doc().fichier_image, ok ? ss(image_) : std::string("/ailleurs/carte.jpg"));
    QCOMPARE(f2().isVisible(), ok);
}

void TestProjet::lecture_refusee_ou_annulee() {
    d_->repond_fichier_annule();
    f2().Liredespoints1Click();
    QVERIFY(t_->port.messages().empty());
    QVERIFY(f2().chemin_projet.isEmpty());

    ecrit_octets(fichier(QStringLiteral("x.trl")), "/vuviviva\r\n");
    d_->repond_fichier(fichier(QStringLiteral("x.trl")));
    f2().Liredespoints1Click();
    QCOMPARE(t_->port.textes("information"),
             std::vector<std::string>{"Le projet " + ss(fichier(QStringLiteral("x.trl"))) +
                                      " n'a pas été ouvert :\n\n Le fichier n'est pas compatible \n le mot clé en "
                                      "première ligne est manquant\n /VUVIVIVA introuvable : mess= </vuviviva>\n\n"
                                      "Le travail en cours est conservé tel quel."});
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);

    // An image that cannot be found (and is not looked for) stops the reading.
    t_->port.oublie();
    ecrit_octets(fichier(QStringLiteral("y.trl")), attendu(fichier(QStringLiteral("absente.bmp"))));
    d_->repond_fichier(fichier(QStringLiteral("y.trl")));
    f2().Liredespoints1Click();
    QCOMPARE(t_->port.messages().size(), std::size_t{1});
    QCOMPARE(doc().nb_points, 0);
    QVERIFY(doc().fichier_image.empty());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void TestProjet::feuille_vierge_sans_image() {
    ecrit_octets(fichier(QStringLiteral("v.trl")), attendu(QString()).replace("1200  900", "2100  1485"));
    d_->repond_fichier(fichier(QStringLiteral("v.trl")));
    f2().Liredespoints1Click();
    QVERIFY(t_->port.messages().empty());
    QVERIFY(f1().calque.existe());
    QVERIFY(!f1().calque.presence_fond());
    QCOMPARE(f1().calque.image.size(), QSize(2100, 1485));
    QCOMPARE(doc().nb_points, 2);
    // Saved again, the image line stays empty.
    d_->repond_fichier(fichier(QStringLiteral("w.trl")));
    f1().Enregistrer1Click();
    QVERIFY(lit_octets(fichier(QStringLiteral("w.trl"))).startsWith("/VUVIVIVA\r\n\r\n"));
}

void TestProjet::decalage_de_l_image() {
    int recharges = 0;
    f1().recharge_decalage = [&] { ++recharges; };
    f2().Edit_dx0->setText(QStringLiteral("12"));
    QTest::keyClick(f2().Edit_dx0, Qt::Key_Return);
    QCOMPARE(doc().dx0, 12);
    QCOMPARE(recharges, 1);
    f2().Edit_dy0->setText(QStringLiteral("1a"));
    QTest::keyClick(f2().Edit_dy0, Qt::Key_Return);
    QCOMPARE(doc().dy0, 0);
    QCOMPARE(recharges, 1);
    QCOMPARE(t_->port.textes("erreur"), std::vector<std::string>{"'1a' n'est pas une valeur entière correcte"});
}

void TestProjet::sauvegarde_d_urgence() {
    construit_projet();
    QDir::setCurrent(dossier_->chemin());
    f1().options_export.CheckBox_trl = false; // the export options do not matter
    t_->port.repond("O");
    val_entier("12a");
    const QString tmp = fichier(QStringLiteral("~tmp.trl"));
    QCOMPARE(lit_octets(tmp), attendu(image_));
    QCOMPARE(t_->port.textes("information"), std::vector<std::string>{"sauvegarde effectuée dans ~tmp.trl avant arrêt"});
    QVERIFY(t_->port.termine());
}

void TestProjet::sauvegarde_d_urgence_echouee() {
    construit_projet();
    QDir::setCurrent(dossier_->chemin());
    QDir().mkdir(fichier(QStringLiteral("~tmp.trl"))); // a folder where the file should go
    t_->port.repond("O");
    QCOMPARE(val_entier("7b"), 7);
    QVERIFY(!t_->port.termine());
    const auto infos = t_->port.textes("information");
    QCOMPARE(infos.size(), std::size_t{1});
    QVERIFY(infos.front().starts_with("La sauvegarde dans ~tmp.trl a échoué : "));
    QVERIFY(!doc().sauve);
}

void TestProjet::ouvre_projet_de_dix_points() {
    construit_projet();
    Document& d = doc();
    for (int r = 3; r <= 10; ++r) d.stocke_xy(r, r <= 5 ? 1 : 2, 100 * r, 50 * r);
    d.nb_points = 10;
    d.num_ligne = 2;
    d.StringGrid3.set_row_count(3);
    for (int c = 0; c < 5; ++c) d.StringGrid3.set_cell(c, 2, std::vector<std::string>{"  2", "6", "65280", "x", "route"}[c]);
    d_->repond_fichier(fichier(QStringLiteral("dix.trl")));
    f1().Enregistrer1->trigger();
    d_->repond_fichier(fichier(QStringLiteral("dix.trl")));
    f1().ouvrir_un_tableau->trigger();
    QCOMPARE(doc().nb_points, 10);
}

namespace {
using Rangs = std::vector<std::vector<std::string>>;
Rangs rangs(const Grille& g) {
    Rangs r;
    for (int row = 0; row < g.row_count(); ++row) {
        r.emplace_back();
        for (int c = 0; c < g.col_count(); ++c) r.back().emplace_back(g.cell(c, row));
    }
    return r;
}
} // namespace

void TestProjet::projet_abime_garde_le_travail_data() {
    QTest::addColumn<QByteArray>("avant");
    QTest::addColumn<QByteArray>("apres");
    QTest::addColumn<QStringList>("reponses"); // to the image questions
    QTest::newRow("compte de points") << QByteArray("points\r\n10\r\n") << QByteArray("points\r\n1000000000\r\n")
                                      << QStringList();
    QTest::newRow("compte de lignes") << QByteArray("lignes\r\n2\r\n") << QByteArray("lignes\r\ndeux\r\n")
                                      << QStringList();
    QTest::newRow("quatre calages") << QByteArray("(Z)\r\n3\r\n") << QByteArray("(Z)\r\n4\r\n") << QStringList();
    // A calibration pixel that is no whole number now opens, read as val_entier reads it
    // (tst_modifications, pixel_de_calage_lu).
    QTest::newRow("ancienne taille") << QByteArray("1200  900  0  0") << QByteArray("1200  900") << QStringList();
    QTest::newRow("octets au hasard") << QByteArray("/VUVIVIVA") << QByteArray("\x01\xff\x90zz\x7f") << QStringList();
    QTest::newRow("image refusee") << QByteArray("plan.bmp\r\n") << QByteArray("absente.bmp\r\n")
                                   << QStringList{QStringLiteral("O"), QStringLiteral("N")};
    QTest::newRow("image illisible") << QByteArray("plan.bmp\r\n") << QByteArray("abimee/plan.bmp\r\n")
                                     << QStringList();
}

// A damaged copy of the open project is refused whole: the tables, counters, overlay and saved
// flag stay as they were, and a save still writes the ten points.
void TestProjet::projet_abime_garde_le_travail() {
    QFETCH(QByteArray, avant);
    QFETCH(QByteArray, apres);
    QFETCH(QStringList, reponses);
    ouvre_projet_de_dix_points();
    QDir().mkpath(fichier(QStringLiteral("abimee")));
    ecrit_octets(fichier(QStringLiteral("abimee/plan.bmp")), "BM pas une image");
    QByteArray abime = lit_octets(fichier(QStringLiteral("dix.trl")));
    QVERIFY(abime.contains(avant));
    abime.replace(avant, apres);
    const QString copie = fichier(QStringLiteral("copie.trl"));
    ecrit_octets(copie, abime);

    d_->repond_fichier(fichier(QStringLiteral("avant.trl")));
    f1().Enregistrer1->trigger();
    doc().sauve = false;
    const Rangs points = rangs(doc().StringGrid1), lignes = rangs(doc().StringGrid3), cal = rangs(doc().StringGrid2);
    const QImage calque = f1().calque.image, fond = f1().calque.fond;
    const QString etiquette = f2().Label8->text();
    const std::string image = doc().fichier_image;
    QCOMPARE(lignes.at(2).at(4), std::string("route"));
    t_->port.oublie();
    t_->port.repond("N"); // the work is unsaved: open the copy all the same
    for (const QString& r : reponses) t_->port.repond(ss(r));
    d_->repond_fichier(copie);
    f1().ouvrir_un_tableau->trigger();

    QCOMPARE(doc().nb_points, 10);
    QCOMPARE(doc().num_ligne, 2);
    QCOMPARE(doc().nb_calage, 3);
    QCOMPARE(doc().fichier_image, image);
    QCOMPARE(rangs(doc().StringGrid1), points);
    QCOMPARE(rangs(doc().StringGrid3), lignes);
    QCOMPARE(rangs(doc().StringGrid2), cal);
    QCOMPARE(f2().Label8->text(), etiquette);
    QVERIFY(f1().calque.image == calque); // lines and crosses still drawn
    QVERIFY(f1().calque.fond == fond);
    QVERIFY(!doc().sauve);
    QCOMPARE(f2().chemin_projet, fichier(QStringLiteral("dix.trl")));

    QCOMPARE(t_->port.messages().size(), std::max<std::size_t>(reponses.size(), 1) + 1);
    const std::string message = t_->port.messages().back();
    const std::string tete = "Le projet " + ss(copie) + " n'a pas été ouvert :\n\n";
    const std::string fin = "\n\nLe travail en cours est conservé tel quel.";
    const QByteArray cas = QTest::currentDataTag();
    if (cas == "compte de points")
        QCOMPARE(message, tete + "Le nombre de points (ligne 6) annonce 1000000000 points, mais le fichier n'a "
                                 "que 20 lignes après elle.\nerreur =106" + fin);
    else if (cas == "octets au hasard")
        QCOMPARE(message, tete + " Le fichier n'est pas compatible \n le mot clé en première ligne est manquant\n "
                                 "/VUVIVIVA introuvable : mess= <?ÿ?zz?>" + fin);
    else if (reponses.isEmpty() && cas != "image illisible")
        QVERIFY2(message.starts_with(tete) && message.ends_with(fin), message.c_str());

    d_->repond_fichier(fichier(QStringLiteral("apres.trl")));
    f1().Enregistrer1->trigger();
    QCOMPARE(lit_octets(fichier(QStringLiteral("apres.trl"))), lit_octets(fichier(QStringLiteral("avant.trl"))));
}

QTEST_MAIN(TestProjet)
#include "tst_projet.moc"
