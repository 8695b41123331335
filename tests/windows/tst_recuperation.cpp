// Recovery after a crash as the user meets it at start: the offer of a dead program's work,
// Oui and Non, a damaged file, a running program's file, an unwritable data folder; and while
// working: 50 clicks or the timer write the work, a save or a clean end delete it.
#include "tests/support/Banc.h"

#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/projet/Projet.h"
#include "core/recuperation/Recuperation.h"
#include "core/reglages/FichiersReglages.h"
#include "core/text/encodage.h"
#include "core/text/separateur.h"
#include "windows/demarrage/Splash.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QFileInfo>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

class TestRecuperation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationVersion(QStringLiteral("3.3")); }
    void init();
    void cleanup();
    void oui_rend_le_travail_non_enregistre_a_son_projet();
    void non_l_efface_et_ouvre_le_projet_de_la_ligne_de_commande();
    void fichier_d_une_autre_version_mis_de_cote_sans_offre();
    void fichier_d_un_programme_en_marche_pas_offert();
    void dossier_non_inscriptible_un_seul_message();
    void chaque_clic_ecrit_une_sauvegarde_efface();
    void minuterie_du_reglage_et_fin_propre();

private:
    QString recup() const { return dossier_->fichier(QStringLiteral("donnees/vuviviva/recuperation")); }
    QStringList fichiers(const QString& filtre = QStringLiteral("*.recuperation")) const {
        return QDir(recup()).entryList({filtre}, QDir::Files, QDir::Name);
    }
    // A dead program's work: the project with two more points.
    void depose(const std::string& version = "3.3") {
        Document d;
        ActionsLecture sans_fenetres;
        QVERIFY(lit_projet(d, ss(projet_), sans_fenetres) == ResultatLecture::lu);
        clic_digitaliser(d, 700, 500, MethodeCalage::trois_points, false);
        clic_digitaliser(d, 800, 520, MethodeCalage::trois_points, false);
        octets_travail_ = utf8_vers_cp1252(texte_projet_tel_quel(d, true));
        QDir().mkpath(recup());
        ecrit_octets(recup() + QStringLiteral("/20000101-000000-1.recuperation"),
                     QByteArray::fromStdString(octets_travail_ + pied_recuperation({version, date_, ss(projet_), ""})));
    }
    void clique(TForm1& f1, int k) {
        QTest::mouseClick(f1.Image1, Qt::LeftButton, {},
                          QPoint(f1.Image1->width() / 4 + 3 * (k % 50), f1.Image1->height() / 3 + 2 * (k % 40)));
    }
    static std::string ss(const QString& t) { return t.toStdString(); }

    std::unique_ptr<SeparateurLocal> point_;
    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<DialoguesScriptes> d_;
    QString projet_;
    QByteArray octets_projet_;
    std::string octets_travail_;
    const std::time_t date_ = 1741788300;
};

void TestRecuperation::init() {
    TSplashForm::attente_ms = 0;
    point_ = std::make_unique<SeparateurLocal>('.');
    dossier_ = std::make_unique<DossierProgrammeTest>();
    d_ = std::make_unique<DialoguesScriptes>();
    installe_dialogues(d_.get());
    QFile::copy(QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.jpg"), dossier_->fichier(QStringLiteral("carte.jpg")));
    octets_projet_ = lit_octets(QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.trl"));
    octets_projet_.replace("samples/carte_exemple.jpg", dossier_->fichier(QStringLiteral("carte.jpg")).toLocal8Bit());
    projet_ = dossier_->fichier(QStringLiteral("carte.trl"));
    ecrit_octets(projet_, octets_projet_);
}

void TestRecuperation::cleanup() {
    installe_dialogues(nullptr);
    d_.reset();
    dossier_.reset();
    point_.reset();
}

void TestRecuperation::oui_rend_le_travail_non_enregistre_a_son_projet() {
    depose();
    PortScripte port;
    PortInstalle installe(port);
    port.repond_oui();
    Programme p({projet_});
    QCOMPARE(port.messages(), std::vector<std::string>{question_recuperation(date_)});
    Document& doc = p.document;
    QCOMPARE(doc.nb_points, 23);
    QVERIFY(!doc.sauve);
    // The same tables as the dead program's work opened.
    Document attendu;
    ActionsLecture sans_fenetres;
    QVERIFY(lit_projet_octets(attendu, octets_travail_, sans_fenetres) == ResultatLecture::lu);
    for (const Grille Document::*g : {&Document::StringGrid1, &Document::StringGrid2, &Document::StringGrid3}) {
        QCOMPARE((doc.*g).row_count(), (attendu.*g).row_count());
        for (int r = 0; r < (attendu.*g).row_count(); ++r)
            for (int c = 0; c < (attendu.*g).col_count(); ++c) QCOMPARE((doc.*g).cell(c, r), (attendu.*g).cell(c, r));
    }
    QCOMPARE(p.Form1->calque.fond.size(), QSize(1600, 1131));
    // Its project remembered: the background is looked for beside it, the save dialog opens there.
    QCOMPARE(p.Form2->chemin_projet, projet_);
    QCOMPARE(QString::fromStdString(premiere_ligne_lecture(fichier_dernier_dossier)), dossier_->chemin());
    QCOMPARE(lit_octets(projet_), octets_projet_);
    // Taken over: only this program's file is left, holding the same work.
    const QStringList restants = fichiers();
    QCOMPARE(restants.size(), 1);
    QVERIFY(restants.front() != QStringLiteral("20000101-000000-1.recuperation"));
    QVERIFY(!QFileInfo::exists(recup() + QStringLiteral("/20000101-000000-1.verrou")));
    QVERIFY(lit_octets(recup() + QLatin1Char('/') + restants.front()).contains(QByteArray::fromStdString(
        utf8_vers_cp1252(texte_projet_tel_quel(attendu, true)))));
}

void TestRecuperation::non_l_efface_et_ouvre_le_projet_de_la_ligne_de_commande() {
    depose();
    PortScripte port;
    PortInstalle installe(port);
    port.repond_non();
    Programme p({projet_});
    QCOMPARE(port.messages(), std::vector<std::string>{question_recuperation(date_)});
    QCOMPARE(p.document.nb_points, 21);
    QVERIFY(p.document.sauve);
    QCOMPARE(fichiers(), QStringList{});
    QCOMPARE(fichiers(QStringLiteral("20000101-000000-1.*")), QStringList{});
}

void TestRecuperation::fichier_d_une_autre_version_mis_de_cote_sans_offre() {
    depose("4.0");
    const QByteArray octets = lit_octets(recup() + QStringLiteral("/20000101-000000-1.recuperation"));
    PortScripte port;
    PortInstalle installe(port);
    Programme p({projet_});
    const QString cote = recup() + QStringLiteral("/20000101-000000-1.illisible");
    QCOMPARE(port.messages(),
             std::vector<std::string>{"Le projet " + ss(cote) +
                                      " n'a pas été ouvert :\n\nIl a été écrit par la version 4.0 de Vuviviva ; "
                                      "celle-ci est la version 3.3.\n\nLe travail en cours est conservé tel quel."});
    QCOMPARE(lit_octets(cote), octets);
    QCOMPARE(fichiers(), QStringList{});
    QCOMPARE(p.document.nb_points, 21);
    QVERIFY(p.document.sauve);
}

void TestRecuperation::fichier_d_un_programme_en_marche_pas_offert() {
    depose();
    int code = 0;
    const Verrou en_marche = Verrou::prend(ss(recup()) + "/20000101-000000-1.verrou", false, code);
    QVERIFY(en_marche.tenu());
    PortScripte port;
    PortInstalle installe(port);
    Programme p({projet_});
    QCOMPARE(port.messages(), std::vector<std::string>{});
    QCOMPARE(p.document.nb_points, 21);
    QVERIFY(fichiers().contains(QStringLiteral("20000101-000000-1.recuperation")));
}

void TestRecuperation::dossier_non_inscriptible_un_seul_message() {
    ecrit_octets(dossier_->fichier(QStringLiteral("donnees")), "un fichier, pas un dossier");
    PortScripte port;
    PortInstalle installe(port);
    Programme p({projet_});
    QCOMPARE(port.messages(),
             std::vector<std::string>{"Le dossier de récupération " + ss(recup()) +
                                      "/ ne peut pas être écrit (un élément du chemin n'est pas un dossier) : le "
                                      "travail non enregistré ne pourra pas être récupéré après un arrêt imprévu."});
    QVERIFY(!p.recuperation);
    QCOMPARE(p.document.nb_points, 21);
    for (int k = 0; k < 3; ++k) clique(*p.Form1, k);
    QVERIFY(p.document.nb_points > 21);
    QCOMPARE(port.messages().size(), std::size_t{1});
}

void TestRecuperation::chaque_clic_ecrit_une_sauvegarde_efface() {
    PortScripte port;
    PortInstalle installe(port);
    Programme p({projet_});
    TForm1& f1 = *p.Form1;
    int k = 0;
    while (p.document.nb_points == 21 && k < 3) clique(f1, k++); // the first may only bring the map forward
    QCOMPARE(p.document.nb_points, 22);
    QCOMPARE(fichiers().size(), 1);
    const QString fichier = recup() + QLatin1Char('/') + fichiers()[0];
    const QByteArray copie = lit_octets(fichier);
    clique(f1, k++);
    QVERIFY2(lit_octets(fichier).size() > copie.size() && lit_octets(fichier).startsWith(copie),
             "the second click is appended to the copy");

    d_->repond_fichier(dossier_->fichier(QStringLiteral("sauve.trl")));
    f1.Speed6->click();
    QVERIFY(p.document.sauve);
    QTest::mouseClick(f1.StatusBar1_panneaux[0], Qt::LeftButton);
    QCOMPARE(fichiers(), QStringList{});
    QCOMPARE(lit_octets(projet_), octets_projet_);
}

void TestRecuperation::minuterie_du_reglage_et_fin_propre() {
    ecrit_octets(dossier_->fichier(QString::fromStdString(std::string(fichier_recuperation))), "1\r\n");
    PortScripte port;
    PortInstalle installe(port);
    {
        Programme p({projet_});
        int k = 0;
        while (p.document.nb_points == 21 && k < 3) clique(*p.Form1, k++);
        QCOMPARE(p.document.nb_points, 22);
        QTRY_COMPARE_WITH_TIMEOUT(fichiers().size(), 1, 5000);
        QCOMPARE(fichiers(QStringLiteral("*.verrou")).size(), 1);
    }
    QCOMPARE(QDir(recup()).entryList(QDir::Files), QStringList{});
}

QTEST_MAIN(TestRecuperation)
#include "tst_recuperation.moc"
