// The settings files of the program folder, the folder itself, the local decimal separator
// and the tones: the documented fallbacks on bad input.
#include "tests/support/Banc.h"

#include "core/reglages/DossierProgramme.h"
#include "core/reglages/FichiersReglages.h"
#include "core/text/separateur.h"
#include "platform/Plateforme.h"
#include "platform/Tonalite.h"
#include "windows/points/scroll2.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

class TestReglages : public QObject {
    Q_OBJECT

private slots:
    void derniere_ligne_aller_retour();
    void derniere_ligne_absente_ou_vide_data();
    void derniere_ligne_absente_ou_vide();
    void derniere_ligne_remplacee();
    void ecriture_impossible_sonne();
    void dossier_programme();
    void chemins_relatifs_pris_du_dossier_de_depart();
    void settingsGoToTheConfigFolderWhenTheProgramFolderCannotTakeThem();
    void separateur_du_systeme();
    void tons_sans_erreur();
};

void TestReglages::derniere_ligne_aller_retour() {
    DossierProgrammeTest dossier;
    PortScripte port;
    PortInstalle installe(port);
    QVERIFY(premiere_ligne_enregistre(fichier_dernier_dossier, "/données/cartes été"));
    // One Windows-1252 line with CR LF.
    QCOMPARE(lit_octets(dossier.fichier(QStringLiteral("~vuviviva.~i"))),
             QByteArray("/donn\xe9" "es/cartes \xe9t\xe9\r\n"));
    QCOMPARE(premiere_ligne_lecture(fichier_dernier_dossier), std::string("/données/cartes été"));
    QCOMPARE(port.nombre("ton"), 0);
}

void TestReglages::derniere_ligne_absente_ou_vide_data() {
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("cree");
    QTest::newRow("absent") << QByteArray() << false;
    QTest::newRow("vide") << QByteArray() << true;
    QTest::newRow("premiere ligne vide") << QByteArray("\r\n/ailleurs\r\n") << true;
}

void TestReglages::derniere_ligne_absente_ou_vide() {
    QFETCH(QByteArray, contenu);
    QFETCH(bool, cree);
    DossierProgrammeTest dossier;
    if (cree) ecrit_octets(dossier.fichier(QStringLiteral("~vuviviva.~i")), contenu);
    const QString attendu = dossier.chemin() + QLatin1Char('/');
    QCOMPARE(QString::fromStdString(premiere_ligne_lecture(fichier_dernier_dossier)), attendu);
    // The points window reads it the same way.
    Document d;
    TForm2 f2(d);
    QCOMPARE(f2.premiere_ligne_lecture(QStringLiteral("~vuviviva.~i")), attendu);
}

void TestReglages::derniere_ligne_remplacee() {
    DossierProgrammeTest dossier;
    ecrit_octets(dossier.fichier(QStringLiteral("~vuviviva.~i")), "/ancien\r\n/autre\r\n");
    Document d;
    TForm2 f2(d);
    QVERIFY(f2.premiere_ligne_enregistre(QStringLiteral("~vuviviva.~i"), QStringLiteral("/nouveau")));
    QCOMPARE(lit_octets(dossier.fichier(QStringLiteral("~vuviviva.~i"))), QByteArray("/nouveau\r\n"));
    // A file without line end reads whole.
    ecrit_octets(dossier.fichier(QStringLiteral("~vuviviva.~i")), "/sans-fin");
    QCOMPARE(f2.premiere_ligne_lecture(QStringLiteral("~vuviviva.~i")), QStringLiteral("/sans-fin"));
}

void TestReglages::ecriture_impossible_sonne() {
    DossierProgrammeTest dossier;
    PortScripte port;
    PortInstalle installe(port);
    // A folder in place of the file: it cannot be replaced, even by root.
    QVERIFY(QDir(dossier.chemin()).mkdir(QStringLiteral("~vuviviva.~i")));
    QVERIFY(!premiere_ligne_enregistre(fichier_dernier_dossier, "/cartes"));
    QCOMPARE(port.textes("ton"), std::vector<std::string>{"1250/100"});
    QCOMPARE(QString::fromStdString(premiere_ligne_lecture(fichier_dernier_dossier)),
             dossier.chemin() + QLatin1Char('/'));
}

void TestReglages::dossier_programme() {
    {
        DossierProgrammeTest dossier;
        QCOMPARE(determine_dossier_programme(), dossier.chemin() + QLatin1Char('/'));
        QCOMPARE(QString::fromStdString(vuv::dossier_programme()), dossier.chemin() + QLatin1Char('/'));
        QCOMPARE(QString::fromStdString(chemin_programme("x.cfg")), dossier.chemin() + QStringLiteral("/x.cfg"));
    }
    {
        // A trailing '/' is not doubled.
        QTemporaryDir t;
        DossierProgrammeTest dossier(t.path() + QLatin1Char('/'));
        QCOMPARE(determine_dossier_programme(), t.path() + QLatin1Char('/'));
    }
    // Without the override: the executable's folder here, since the build tree is writable.
    const QByteArray ancien = qgetenv(variable_dossier_programme);
    qunsetenv(variable_dossier_programme);
    QCOMPARE(determine_dossier_programme(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    if (!ancien.isEmpty()) qputenv(variable_dossier_programme, ancien);
}

void TestReglages::separateur_du_systeme() {
    const QLocale avant;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QCOMPARE(vuv::separateur_du_systeme(), ',');
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(vuv::separateur_du_systeme(), '.');
    {
        SeparateurLocal garde('.');
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        DossierProgrammeTest dossier;
        initialise_plateforme();
        QCOMPARE(separateur_decimal(), ',');
    }
    QLocale::setDefault(avant);
}

void TestReglages::tons_sans_erreur() {
    // Without an audio device the system beep stands in; an empty tone does nothing at all.
    QCOMPARE(joue_ton(1250, 100, QAudioDevice()), IssueTon::bip);
    QCOMPARE(joue_ton(0, 100, QAudioDevice()), IssueTon::rien);
    QCOMPARE(joue_ton(1250, 0, QAudioDevice()), IssueTon::rien);
    // This machine's own output: the call returns with a sound under way, or the beep when
    // there is no device.
    const IssueTon issue = joue_ton(1400, 250);
    if (QMediaDevices::defaultAudioOutput().isNull())
        QCOMPARE(issue, IssueTon::bip);
    else
        QVERIFY(issue != IssueTon::rien);
    bip_systeme();
}

// A relative folder kept by an older version, or a relative override of the program folder,
// keeps meaning the same place after a dialog has moved the current folder.
void TestReglages::chemins_relatifs_pris_du_dossier_de_depart() {
    const QString depart = QDir::currentPath();
    DossierProgrammeTest dossier;
    QTemporaryDir ailleurs;
    QDir::setCurrent(ailleurs.path());
    ecrit_octets(dossier.fichier(QStringLiteral("~vuviviva.~i")), "samples\r\n");
    QCOMPARE(QString::fromStdString(premiere_ligne_lecture(fichier_dernier_dossier)), depart + "/samples");
    ecrit_octets(dossier.fichier(QStringLiteral("~vuviviva.~i")), "./cartes/../plans/\r\n");
    QCOMPARE(QString::fromStdString(premiere_ligne_lecture(fichier_dernier_dossier)), depart + "/plans/");
    QCOMPARE(QString::fromStdString(chemin_absolu(".")), depart);
    {
        DossierProgrammeTest relatif(QStringLiteral("reglages"));
        QCOMPARE(determine_dossier_programme(), ailleurs.path() + QStringLiteral("/reglages/"));
    }
    QDir::setCurrent(depart);
}

// An installed program: its folder refuses files (a file stands where the folder should be:
// refused even to root), or it is a bin/ with share/vuviviva beside it, which root could write.
void TestReglages::settingsGoToTheConfigFolderWhenTheProgramFolderCannotTakeThem() {
    QTemporaryDir t;
    const QString fichier = t.path() + QStringLiteral("/fichier");
    ecrit_octets(fichier, "x");
    const QString config = t.path() + QStringLiteral("/config/vuviviva");

    ChoixDossierProgramme c = choisit_dossier_programme({}, fichier, config);
    QCOMPARE(c.dossier, config + QLatin1Char('/'));
    QVERIFY(QFileInfo(config).isDir());
    QVERIFY(c.avertissement.isEmpty());

    QVERIFY(QDir().mkpath(t.path() + QStringLiteral("/usr/share/vuviviva")));
    ecrit_octets(t.path() + QStringLiteral("/usr/share/vuviviva/vuviviva.hep"), "aide");
    QVERIFY(QDir().mkpath(t.path() + QStringLiteral("/usr/bin")));
    c = choisit_dossier_programme({}, t.path() + QStringLiteral("/usr/bin"), config);
    QCOMPARE(c.dossier, config + QLatin1Char('/'));
    QCOMPARE(QDir(t.path() + QStringLiteral("/usr/bin")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());

    // Nowhere to write: the defaults, and what the user is told at start.
    c = choisit_dossier_programme({}, fichier, fichier + QStringLiteral("/vuviviva"));
    QCOMPARE(c.dossier, fichier + QStringLiteral("/vuviviva/"));
    QCOMPARE(c.avertissement, QStringLiteral("Les réglages ne peuvent être enregistrés ni dans le dossier du programme <") +
                                  fichier + QStringLiteral("/> ni dans le dossier <") + fichier +
                                  QStringLiteral("/vuviviva/>.\nLe programme continue avec ses réglages par défaut, "
                                                 "qui ne seront pas gardés."));
    c = choisit_dossier_programme(fichier, t.path(), config);
    QCOMPARE(c.dossier, fichier + QLatin1Char('/'));
    QCOMPARE(c.avertissement, QStringLiteral("Les réglages ne peuvent pas être enregistrés dans le dossier <") + fichier +
                                  QStringLiteral("/>.\nLe programme continue avec ses réglages par défaut, qui ne "
                                                 "seront pas gardés."));
}

QTEST_MAIN(TestReglages)
#include "tst_reglages.moc"
