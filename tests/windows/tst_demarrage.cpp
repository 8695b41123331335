// Start-up: the windows, the main window's state after creation, the command line, the
// main menu and the tool bar as a user first sees them.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "core/reglages/DossierProgramme.h"
#include "platform/Plateforme.h"
#include "windows/conversion/Convert.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/demarrage/Splash.h"
#include "windows/question/Unit6.h"
#include "windows/metafichier/emf.h"
#include "windows/metafichier/emf_view.h"
#include "windows/principale/scroll.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/points/scroll2.h"
#include "windows/apropos/scrollab.h"
#include "windows/apropos/scrollf1.h"
#include "windows/graphe3d/scrollrep.h"

#include "tests/support/DialoguesScriptes.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QUrl>

using namespace vuv;
using namespace vuv::test;

class TestDemarrage : public QObject {
    Q_OBJECT

private slots:
    void sans_argument_fenetre_principale();
    void etat_de_creation();
    void fenetres_creees_une_fois_avec_leur_titre();
    void arguments_forment_le_chemin_en_attente();
    void copie_d_annulation_effacee_au_demarrage();
    void menu_data();
    void menu();
    void menus_de_la_barre();
    void bulles_de_la_barre_d_outils();
    void barre_d_etat_en_trois_panneaux();
    void panneaux_flottants_au_centre();
    void pointeur_place_au_demarrage();
    void chemin_relatif_du_lancement_puis_ouvrir_et_enregistrer();
    void splash_parti_avant_la_question_de_l_image();
    void aProjectGivenByTheDesktopOpensWhateverItsName();
    void aProgramWithNowhereToKeepItsSettingsSaysSoOnceAndGoesOn();
};

namespace {

// The sample project, its image named by an absolute path, copied into dossier.
QString copie_exemple(const QString& dossier, const QString& image) {
    QByteArray trl = lit_octets(QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.trl"));
    trl.replace("samples/carte_exemple.jpg", image.toLocal8Bit());
    const QString chemin = dossier + QStringLiteral("/carte_exemple.trl");
    ecrit_octets(chemin, trl);
    return chemin;
}

// Notes, at each question, whether the splash still stood on screen.
class PortTemoinSplash : public PortScripte {
public:
    bool oui_non(const std::string& message) override {
        const TSplashForm* s = fenetres().SplashForm;
        splash_visible.push_back(s && s->isVisible());
        return PortScripte::oui_non(message);
    }
    std::vector<bool> splash_visible;
};

} // namespace

void TestDemarrage::sans_argument_fenetre_principale() {
    DossierProgrammeTest dossier;
    auto t = demarre();
    TForm1& f = *t->programme->Form1;
    QCOMPARE(f.windowTitle(), QStringLiteral("    v u v i v i v a  3.3"));
    QVERIFY(f.isVisible());
    QVERIFY(f.isMaximized());
    QVERIFY(f.Lignes1->isChecked());
    QVERIFY(!f.Points1->isChecked());
    QVERIFY(f.SpeedButton8->isChecked());
    QVERIFY(!f.SpeedButton6->isChecked());
    QVERIFY(f.SpeedButton9->isChecked());
    QVERIFY(!f.SpeedButton7->isChecked());
    QVERIFY(f.Digitaliser->isChecked());
    QVERIFY(f.ligne_commande.isEmpty());
    QVERIFY(f.chemin_en_attente.isEmpty());
    QVERIFY(!t->programme->Form2->isVisible());
    // Started without a project, nothing was asked.
    QVERIFY(t->port.echanges().empty());
}

void TestDemarrage::etat_de_creation() {
    DossierProgrammeTest dossier;
    auto t = demarre();
    TForm1& f = *t->programme->Form1;
    const Document& d = t->programme->document;
    QVERIFY(!f.ignore_clic_suivant);
    QVERIFY(d.sauve);
    QCOMPARE(f.couleur_fond, QColor(100, 100, 100));
    QCOMPARE(f.couleur_calque_vide, QColor(139, 231, 195));
    QVERIFY(f.peindre_fond_au_redimensionnement);
    QCOMPARE(f.marge_barre_taches, 40);
    QCOMPARE(d.ndecimale, 8);
    QCOMPARE(f.dossier_programme, dossier.chemin() + QLatin1Char('/'));
    QCOMPARE(f.sens_roulette, 1);
    QVERIFY(!f.rouletteinverse1->isChecked());
    QCOMPARE(d.nb_points, 0);
    QCOMPARE(d.num_ligne, 1);
    QVERIFY(d.nouvelle_ligne);
    QCOMPARE(d.nb_calage, 0);
    QCOMPARE(f.largeur_stylo_elastique, 4);
    QCOMPARE(f.ligne_depart_cap, 1);
    QVERIFY(f.choisir_depart);
    QVERIFY(f.distance_cumulee == 0);
    QCOMPARE(d.dx0, 0);
    QCOMPARE(d.dy0, 0);
    QVERIFY(f.GarderlesproportionsLxH1->isChecked());
    QVERIFY(f.uneannulationcolore1->isChecked());
    QVERIFY(!f.Pleincran1->isChecked());
    QVERIFY(f.Label1->text().isEmpty());
    QVERIFY(f.Label2->text().isEmpty());
    QVERIFY(f.taille_max_fenetre.isValid());
    // The image area shows the background colour.
    const QImage image = f.Image1->grab().toImage();
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(100, 100, 100));
    const QImage bord = f.Coul_Bord_Panel5->grab().toImage();
    QCOMPARE(bord.pixelColor(bord.width() / 2, bord.height() / 2), QColor(0, 0, 0));
}

void TestDemarrage::fenetres_creees_une_fois_avec_leur_titre() {
    DossierProgrammeTest dossier;
    auto t = demarre();
    Programme& p = *t->programme;
    const Fenetres& f = fenetres();
    QCOMPARE(f.Form1, p.Form1.get());
    QCOMPARE(f.Form2, p.Form2.get());
    QCOMPARE(f.Form6, p.Form6.get());
    QCOMPARE(f.Form_view_emf, p.Form_view_emf.get());
    // The splash variable held the hidden second instance, released: the first one is left.
    QCOMPARE(f.SplashForm, p.splash.get());
    QVERIFY(!p.splash->isVisible());
    QCOMPARE(p.Form2->windowTitle(), QStringLiteral("Points digitalisés"));
    QCOMPARE(p.Form4->windowTitle(), QStringLiteral("   Graphe 3D"));
    QCOMPARE(p.Form5->windowTitle(), QStringLiteral("      "));
    QCOMPARE(p.Form7->windowTitle(), QStringLiteral("Convertions"));
    QCOMPARE(p.Form_emf->windowTitle(), QStringLiteral("e m f"));
    for (QWidget* w : std::initializer_list<QWidget*>{p.Form2.get(), p.Form3.get(), p.Form4.get(), p.Form5.get(),
                                                      p.Form6.get(), p.Form7.get(), p.Form_emf.get(),
                                                      p.Form_view_emf.get()})
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    // The hourglass of the splashes is gone once the windows exist.
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void TestDemarrage::arguments_forment_le_chemin_en_attente() {
    DossierProgrammeTest dossier;
    auto t = demarre({QStringLiteral("Mes"), QStringLiteral("cartes/plan.trl")});
    TForm1& f = *t->programme->Form1;
    QCOMPARE(f.ligne_commande, QDir::current().absoluteFilePath(QStringLiteral("Mes cartes/plan.trl")));
    // The reader took the joined path, without a dialog, and forgot it.
    QCOMPARE(t->port.textes("information").size(), std::size_t{1});
    QVERIFY(t->port.textes("information").front().find("Mes cartes/plan.trl") != std::string::npos);
    QVERIFY(f.chemin_en_attente.isEmpty());
    QVERIFY(f.isVisible());
}

void TestDemarrage::copie_d_annulation_effacee_au_demarrage() {
    DossierProgrammeTest dossier;
    ecrit_octets(dossier.fichier(QStringLiteral("~vuviviva.~bmp")), "BM");
    ecrit_octets(dossier.fichier(QStringLiteral("~vuviviva.~i")), "/garde\r\n");
    auto t = demarre();
    QVERIFY(!existe(dossier.fichier(QStringLiteral("~vuviviva.~bmp"))));
    QVERIFY(existe(dossier.fichier(QStringLiteral("~vuviviva.~i"))));
}

// Caption shown before the tab; the key after it, when any.
static QString legende(const QAction* a) { return a->text().section(QLatin1Char('\t'), 0, 0); }
static QString touche_affichee(const QAction* a) { return a->text().section(QLatin1Char('\t'), 1); }

void TestDemarrage::menu_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("actif");
    QTest::addColumn<QString>("raccourci"); // a registered shortcut
    QTest::addColumn<QString>("touche");    // a key of the key table, shown only

    auto ligne = [](const char* nom, const QString& texte, bool actif, const QString& raccourci = {},
                    const QString& touche = {}) {
        QTest::newRow(nom) << QString::fromLatin1(nom) << texte << actif << raccourci << touche;
    };
    ligne("ouvrir_un_tableau", QStringLiteral("===> Ouvrir un fichier *.trl  (points et image associés)"), true,
          QStringLiteral("Shift+F2"));
    ligne("Enregistrer1", QStringLiteral("&Enregistrer les points et le nom de l'image  => *.trl"), true);
    ligne("Ouvrir1", QStringLiteral("=> &Charger une image de fond seule"), true);
    ligne("Imagedupressepapier1", QStringLiteral("=> Charger l'image présente dans le presse-papier"), true);
    ligne("ChargerunTAB1", QStringLiteral("=> Charger un *.TAB MapInfo"), true);
    ligne("Charger1", QStringLiteral("=> Charger  un fichier *.hdr ARC/INFO "), true);
    ligne("Nouvellesaisie1", QStringLiteral("&Nouvelle saisie avec table à digitaliser "), true);
    ligne("Enregistrerlimage1", QStringLiteral("Enregistrer l'image BITMAP  *.bmp ou *.jpg SANS les lignes"), true);
    ligne("Enregistrerlimagelignes1", QStringLiteral("Enregistrer l'image avec les lignes ou les points (*.jpg)"),
          true);
    ligne("Enregistrerlescoordonnes1", QStringLiteral("Enregistrer les coordonnées digitalisées"), true);
    ligne("Exporterlescoordonnes1", QStringLiteral("Exporter les coordonnées digitalisées via le presse-papier"), true);
    ligne("Conversionemf1", QStringLiteral("Conversion  emf, wmf, bmp -> TIF, JPEG, BMP"), true);
    ligne("Quitter1", QStringLiteral("&Quitter"), true, {}, QStringLiteral("F12"));
    ligne("Tableaudepoints1", QStringLiteral("Tableau de points et calages  F4"), true);
    ligne("Copierdanslepressepaier1", QStringLiteral("&Copier dans le presse-papier (->Excel)"), true);
    ligne("Nouvellesuitedepoints1", QStringLiteral("&Nouvelle suite de points [espace]"), true);
    ligne("Effacerledernierpoint1", QStringLiteral("&Effacer le dernier point  F6"), true);
    ligne("Rajoutdepointsdigitalisspartirduntrl1",
          QStringLiteral("Rajout de points digitalisés à partir d'un *trl  associé à la même image"), true);
    ligne("RajoutdepointsTXT1",
          QStringLiteral("Rajout de points (X,Y,Lib) à partir d'un fichier *.TXT (2 ou 3 colonnes)"), true);
    ligne("RajoutdepointsXLS1", QStringLiteral("Rajout de points (X,Y,Lib) à partir d'un fichier *.XLS"), true);
    ligne("Rcuprationdevaleurs1", QStringLiteral("Récupération de valeurs  réelles (X,Y,Z) de calibration"), true);
    ligne("Valeursdecalibration1", QStringLiteral("Valeurs de calibration réelles (X,Y,Z) à partir du presse-papier"),
          true);
    ligne("AltitudedeltaZ1", QStringLiteral("Altitude + delta Z"), true, QStringLiteral("F3"));
    ligne("AltitudedeltaZ2", QStringLiteral("Altitude - delta Z"), true, QStringLiteral("F2"));
    ligne("GarderlesproportionsLxH1", QStringLiteral("Garder les proportions L x H"), true);
    ligne("Pleincran1", QStringLiteral("&Plein écran"), true, QStringLiteral("F11"));
    ligne("Agrandir1", QStringLiteral("&Agrandir  [Maj] ou [+]"), true);
    ligne("Rtrcir1", QStringLiteral("&Rétrécir  [Ctrl] ou [-]"), true);
    ligne("Cartecomplte1", QStringLiteral("&Carte complète"), true, QStringLiteral("F10"));
    ligne("Redessiner1", QStringLiteral("&Redessiner"), true);
    ligne("Points1", QStringLiteral("Points"), true);
    ligne("Lignes1", QStringLiteral("Lignes"), true);
    ligne("Graphe1", QStringLiteral("&Graphe"), true, QStringLiteral("F7"));
    ligne("rouletteinverse1", QStringLiteral("roulette inversée"), true);
    ligne("Tabledigitaliser1", QStringLiteral("&Table à digitaliser"), true);
    ligne("uneannulationcolore1", QStringLiteral("une annulation colorée"), true);
    ligne("UTMLat1", QStringLiteral("UTM <-> Lat"), true);
    ligne("emfwmfbmp1", QStringLiteral("emf, wmf, bmp -> TIF, JPG, BMP"), true);
    ligne("Aide1", QStringLiteral("&Aide"), true, QStringLiteral("F1"));
    ligne("Apropos1", QStringLiteral("A &propos ..."), true);
    ligne("Aide2", QStringLiteral("Aide"), true);
    ligne("Quitter2", QStringLiteral("Quitter"), true);
}

void TestDemarrage::menu() {
    QFETCH(QString, nom);
    QFETCH(QString, texte);
    QFETCH(bool, actif);
    QFETCH(QString, raccourci);
    QFETCH(QString, touche);
    DossierProgrammeTest dossier;
    auto t = demarre();
    const auto* a = t->programme->Form1->findChild<QAction*>(nom);
    QVERIFY(a);
    QCOMPARE(legende(a), texte);
    QCOMPARE(a->isEnabled(), actif);
    QCOMPARE(a->shortcut().toString(), raccourci);
    QCOMPARE(touche_affichee(a), touche);
}

void TestDemarrage::menus_de_la_barre() {
    DossierProgrammeTest dossier;
    auto t = demarre();
    QStringList titres;
    for (QAction* a : t->programme->Form1->menuBar()->actions()) titres << a->text();
    QCOMPARE(titres, (QStringList{QStringLiteral("&Fichier"), QStringLiteral("&Edition"), QStringLiteral("&Affichage"),
                                  QStringLiteral("&Options"), QStringLiteral("?"), QStringLiteral("Aide"),
                                  QStringLiteral("Quitter")}));
}

void TestDemarrage::bulles_de_la_barre_d_outils() {
    DossierProgrammeTest dossier;
    auto t = demarre();
    TForm1& f = *t->programme->Form1;
    QCOMPARE(f.SpeedButton2->toolTip(), QStringLiteral(" nouvelle suite de points [F7, espace]"));
    QCOMPARE(f.SpeedButton3->toolTip(), QStringLiteral(" effacer le dernier point [suppr]"));
    QCOMPARE(f.SpeedButton4->toolTip(), QStringLiteral(" nouvelle saisie table à digitaliser"));
    QCOMPARE(f.SpeedButton5->toolTip(), QStringLiteral(" Charger une image de fond"));
    QCOMPARE(f.Speed6->toolTip(), QStringLiteral(" Enregistrer les points"));
    QCOMPARE(f.SpeedButton1->toolTip(), QStringLiteral(" Lire un tableau de points Maj F2"));
    QCOMPARE(f.Image1->toolTip(), QStringLiteral("digitaliser et calibrer"));
    QCOMPARE(f.SpeedButton7->text(), QStringLiteral("Carte + Tableau"));
    QCOMPARE(f.SpeedButton9->text(), QStringLiteral("Carte seule"));
    QCOMPARE(f.SpeedButton13->text(), QStringLiteral("Quitter"));
    QVERIFY(f.SpeedButton13->isEnabled());
    for (QToolButton* b : {f.SpeedButton5, f.SpeedButton4, f.SpeedButton11}) QVERIFY(b->isEnabled());
    // The colouring tools wait for the fill modes.
    QVERIFY(f.Choix_bord_SpeedButton16->isHidden());
    QVERIFY(f.Gomme_SpeedButton21->isHidden());
}

void TestDemarrage::barre_d_etat_en_trois_panneaux() {
    DossierProgrammeTest dossier;
    auto t = demarre();
    TForm1& f = *t->programme->Form1;
    // Wide enough for two coordinates at 8 decimals, northing of 8 digits.
    const QLabel* p0 = f.StatusBar1_panneaux[0];
    QVERIFY(p0->contentsRect().width() >=
            p0->fontMetrics().horizontalAdvance(QStringLiteral("X= 9999999,99999999 Y= 99999999,99999999")));
    QCOMPARE(f.StatusBar1_panneaux[1]->width(), 300);
    QVERIFY(f.StatusBar1_panneaux[2]->width() > 100);
    QVERIFY(f.StatusBar1_panneaux[2]->geometry().right() >= f.statusBar()->width() - 30);
    f.statut(1, "Suite 1  point 1 ");
    QCOMPARE(f.texte_statut(1), QStringLiteral("Suite 1  point 1 "));
    QCOMPARE(f.StatusBar1_panneaux[1]->text(), QStringLiteral("Suite 1  point 1 "));
}

void TestDemarrage::panneaux_flottants_au_centre() {
    DossierProgrammeTest dossier;
    auto t = demarre();
    TForm1& f = *t->programme->Form1;
    const QRect e = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(f.Panel5->pos(), QPoint((e.width() - f.Panel5->width()) / 2, (e.height() - f.Panel5->height()) / 2));
    QCOMPARE(f.Panel8->pos(), f.Panel5->pos());
    QCOMPARE(f.Panel_z->pos(), f.Panel5->pos());
    for (QFrame* p : {f.Panel5, f.Panel8, f.Panel_z}) {
        QVERIFY(p->isHidden());
        const QImage im = p->grab().toImage();
        QCOMPARE(im.pixelColor(im.width() / 2, im.height() - 10), QColor(190, 150, 70));
    }
}

void TestDemarrage::pointeur_place_au_demarrage() {
    DossierProgrammeTest dossier;
    QCursor::setPos(3, 3);
    auto t = demarre();
    const QRect e = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(QCursor::pos(), QPoint(e.width() / 2 - 150, e.height() / 2));
}

// The README's start, "vuviviva samples/carte_exemple.trl", then a dialog that moves the
// current folder, then "Ouvrir" and a first save through the dialogs.
void TestDemarrage::chemin_relatif_du_lancement_puis_ouvrir_et_enregistrer() {
    DossierProgrammeTest dossier;
    QTemporaryDir racine;
    const QString samples = racine.path() + QStringLiteral("/samples");
    const QString autre = racine.path() + QStringLiteral("/autre");
    QVERIFY(QDir().mkpath(samples) && QDir().mkpath(autre));
    copie_exemple(samples, QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.jpg"));
    const QString avant = QDir::currentPath();
    QDir::setCurrent(racine.path());

    DialoguesScriptes scripte;
    installe_dialogues(&scripte);
    auto t = demarre({QStringLiteral("samples/carte_exemple.trl")});
    TForm1& f = *t->programme->Form1;
    QCOMPARE(t->programme->document.nb_points, 21);
    QCOMPARE(lit_octets(dossier.fichier(QStringLiteral("~vuviviva.~i"))), samples.toLocal8Bit() + "\r\n");

    scripte.repond_fichier(autre + QStringLiteral("/copie.bmp"));
    f.Enregistrerlimage1->trigger();
    QCOMPARE(QDir::currentPath(), autre);

    // The user picks the project in the folder the dialog shows.
    f.ouvrir_un_tableau->trigger();
    const QString montre = scripte.demandes().constLast().dossier;
    QCOMPARE(QDir(montre).absolutePath(), samples);
    scripte.repond_fichier(QDir(montre).filePath(QStringLiteral("carte_exemple.trl")));
    f.ouvrir_un_tableau->trigger();
    QCOMPARE(t->programme->document.nb_points, 21);

    f.Enregistrer1->trigger();
    const QString montre_sauve = scripte.demandes().constLast().dossier;
    QCOMPARE(QDir(montre_sauve).absolutePath(), samples);
    installe_dialogues(nullptr);
    QDir::setCurrent(avant);
    for (const std::string& m : t->port.messages())
        QVERIFY2(m.find("Impossible") == std::string::npos, m.c_str());
}

void TestDemarrage::splash_parti_avant_la_question_de_l_image() {
    DossierProgrammeTest dossier;
    QTemporaryDir donnees;
    const QString projet = copie_exemple(donnees.path(), donnees.path() + QStringLiteral("/absente.jpg"));
    TSplashForm::attente_ms = 0;
    PortTemoinSplash port;
    PortInstalle installe(port);
    {
        Programme p({projet});
        QCOMPARE(port.textes("oui_non").size(), std::size_t{1});
        QVERIFY(port.textes("oui_non").front().find("est introuvable") != std::string::npos);
        QCOMPARE(port.splash_visible, std::vector<bool>{false});
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }
}

// A double click in a file manager gives one argument: a path with spaces and accents, or a
// file:// URL, percent-encoded, with or without the "localhost" host.
void TestDemarrage::aProjectGivenByTheDesktopOpensWhateverItsName() {
    DossierProgrammeTest dossier;
    QTemporaryDir racine;
    const QString cartes = racine.path() + QStringLiteral("/Mes cartes d'été");
    QVERIFY(QDir().mkpath(cartes));
    const QString projet = cartes + QStringLiteral("/plan n°1 à Sète.trl");
    QVERIFY(QFile::rename(copie_exemple(cartes, QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.jpg")), projet));
    const QString url = QUrl::fromLocalFile(projet).toString(QUrl::FullyEncoded);
    QVERIFY(url.contains(QStringLiteral("%20")) && url.contains(QStringLiteral("%C3%A8")));
    const QString hote = QStringLiteral("file://localhost") + url.mid(7);
    for (const QString& argument : {projet, url, hote}) {
        auto t = demarre({argument});
        QCOMPARE(t->programme->Form1->ligne_commande, projet);
        QCOMPARE(t->programme->document.nb_points, 21);
        QVERIFY(t->port.echanges().empty());
    }
}

void TestDemarrage::aProgramWithNowhereToKeepItsSettingsSaysSoOnceAndGoesOn() {
    // A file where the folder should be: nothing can be created in it, even as root.
    QTemporaryDir parent;
    const QString faux = parent.path() + QStringLiteral("/pas-un-dossier");
    ecrit_octets(faux, "x");
    DossierProgrammeTest dossier(faux);
    const ChoixDossierProgramme choix = choisit_dossier_programme();
    fixe_dossier_programme(choix.dossier.toStdString(), choix.avertissement.toStdString());
    QTemporaryDir donnees;
    // The recovery folder stays usable: only the settings have nowhere to go.
    qputenv("XDG_DATA_HOME", donnees.filePath(QStringLiteral("xdg")).toLocal8Bit());
    const QString projet = copie_exemple(donnees.path(), QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.jpg"));
    auto t = demarre({projet});
    QCOMPARE(t->port.textes("information"),
             std::vector<std::string>{"Les réglages ne peuvent pas être enregistrés dans le dossier <" + faux.toStdString() +
                                      "/>.\nLe programme continue avec ses réglages par défaut, qui ne seront pas gardés."});
    // The project still opened; the last folder could not be kept: the tone of a failed write.
    QCOMPARE(t->programme->document.nb_points, 21);
    QCOMPARE(t->port.textes("ton"), std::vector<std::string>{"1250/100"});
    QCOMPARE(t->programme->Form1->sens_roulette, 1);
    QVERIFY(t->programme->Form1->isVisible());
}

QTEST_MAIN(TestDemarrage)
#include "tst_demarrage.moc"
