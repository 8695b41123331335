// The dialogs seen through their interface: the program's filter texts, the current folder
// after a chosen file, and what tests script.
#include "windows/ApplicationVuviviva.h"
#include "windows/Dialogues.h"
#include "windows/DialoguesScriptes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vuv;

class TestDialogues : public QObject {
    Q_OBJECT

private slots:
    void filtres_data();
    void filtres();
    void fichier_choisi_devient_dossier_courant();
    void sans_dialogues_installes_tout_est_annule();
    void dialogues_de_qt_en_francais();
};

void TestDialogues::filtres_data() {
    QTest::addColumn<QString>("filtre");
    QTest::addColumn<QStringList>("attendu");
    QTest::newRow("images") << "Fichiers (*.jpg, *.bmp, *.gif, *.tif)|*.jpg;*.gif;*.bmp;*.tif|Fichiers Bitmap (*.bmp)|*.bmp"
                            << QStringList{QStringLiteral("Fichiers (*.jpg, *.bmp, *.gif, *.tif) (*.jpg *.gif *.bmp *.tif)"),
                                           QStringLiteral("Fichiers Bitmap (*.bmp) (*.bmp)")};
    QTest::newRow("tous") << "Fichiers (*.tab)|*.tab|Tous les fichiers|*.*"
                          << QStringList{QStringLiteral("Fichiers (*.tab) (*.tab)"),
                                         QStringLiteral("Tous les fichiers (*.*)")};
    QTest::newRow("partie orpheline") << "Texte|*.txt|Reste" << QStringList{QStringLiteral("Texte (*.txt)")};
    QTest::newRow("vide") << "" << QStringList{};
}

void TestDialogues::filtres() {
    QFETCH(QString, filtre);
    QFETCH(QStringList, attendu);
    QCOMPARE(filtres_qt(filtre), attendu);
}

void TestDialogues::fichier_choisi_devient_dossier_courant() {
    const QString avant = QDir::currentPath();
    QTemporaryDir t;
    QVERIFY(QDir(t.path()).mkdir(QStringLiteral("cartes")));
    const QString choisi = t.path() + QStringLiteral("/cartes/plan.trl");
    DialoguesScriptes d;
    d.repond_fichier_annule();
    d.repond_fichier(choisi);
    DemandeFichier demande;
    demande.titre = QStringLiteral(" Ouvrir un fichier image");
    QVERIFY(!d.ouvrir(demande));
    QCOMPARE(QDir::currentPath(), avant); // a cancelled dialog changes nothing
    QCOMPARE(d.ouvrir(demande).value_or(QString()), choisi);
    QCOMPARE(QDir::current().canonicalPath(), QDir(t.path() + QStringLiteral("/cartes")).canonicalPath());
    QCOMPARE(d.demandes().size(), 2);
    QCOMPARE(d.demandes().at(1).titre, QStringLiteral(" Ouvrir un fichier image"));
    QDir::setCurrent(avant);
}

void TestDialogues::sans_dialogues_installes_tout_est_annule() {
    QVERIFY(!dialogues().ouvrir({}));
    QVERIFY(!dialogues().enregistrer({}));
    QVERIFY(!dialogues().couleur(Qt::red, false));
    DialoguesScriptes d;
    installe_dialogues(&d);
    d.repond_couleur(QColor(1, 2, 3));
    QCOMPARE(dialogues().couleur(Qt::red, false).value_or(QColor()), QColor(1, 2, 3));
    dialogues().ouvre_document(QStringLiteral("/tmp/x.txt"));
    QCOMPARE(d.documents_ouverts(), QStringList{QStringLiteral("/tmp/x.txt")});
    installe_dialogues(nullptr);
}

void TestDialogues::dialogues_de_qt_en_francais() {
    QVERIFY(installe_traduction_qt(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("&Nom de fichier :"));
}

QTEST_MAIN(TestDialogues)
#include "tst_dialogues.moc"
