// The dialogs seen through their interface: the program's filter texts, the current folder
// after a chosen file, what tests script, and the real Qt dialog a user gets.
#include "tests/support/Banc.h"

#include "windows/commun/ApplicationVuviviva.h"
#include "windows/commun/Dialogues.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/principale/mesure/PanneauResultats.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QComboBox>
#include <QHeaderView>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace vuv;

class TestDialogues : public QObject {
    Q_OBJECT

private slots:
    void filtres_data();
    void filtres();
    void fichier_choisi_devient_dossier_courant();
    void sans_dialogues_installes_tout_est_annule();
    void dialogues_de_qt_en_francais();
    void chaque_filtre_montre_les_fichiers_attendus();
    void dialogue_de_fichiers_en_francais_et_large();
    void bloc_note_sans_editeur_dit_ou_est_le_fichier();
};

using namespace vuv::test;

namespace {

// What the dialog's file list shows, folders included, sorted.
QStringList liste_affichee(QFileDialog& f) {
    auto* vue = f.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!vue || !vue->model()) return {};
    QAbstractItemModel* m = vue->model();
    const QModelIndex racine = vue->rootIndex();
    if (m->canFetchMore(racine)) m->fetchMore(racine);
    QStringList r;
    for (int i = 0; i < m->rowCount(racine); ++i) r << m->index(i, 0, racine).data().toString();
    r.sort(Qt::CaseInsensitive);
    return r;
}

// A folder as a user keeps it: projects, scans, texts, a file without extension, a sub-folder.
void remplit_dossier(const QString& d) {
    for (const char* nom : {"carte.trl", "ANCIEN.TRL", "plan.jpg", "scan.tif", "vieux.bmp", "anime.gif", "notes.txt",
                            "LISEZMOI"})
        ecrit_octets(d + QLatin1Char('/') + QLatin1String(nom), "x");
    QDir(d).mkdir(QStringLiteral("sous"));
}

} // namespace

void TestDialogues::filtres_data() {
    QTest::addColumn<QString>("filtre");
    QTest::addColumn<QStringList>("attendu");
    QTest::newRow("images") << "Fichiers (*.jpg, *.bmp, *.gif, *.tif)|*.jpg;*.gif;*.bmp;*.tif|Fichiers Bitmap (*.bmp)|*.bmp"
                            << QStringList{QStringLiteral("Fichiers (*.jpg, *.bmp, *.gif, *.tif) (*.jpg *.gif *.bmp *.tif)"),
                                           QStringLiteral("Fichiers Bitmap (*.bmp) (*.bmp)")};
    QTest::newRow("tous") << "Fichiers (*.tab)|*.tab|Tous les fichiers|*.*"
                          << QStringList{QStringLiteral("Fichiers (*.tab) (*.tab)"),
                                         QStringLiteral("Tous les fichiers (*)")};
    QTest::newRow("description parmi les motifs")
        << "Fichiers txt (*.trl)|*.trl;Tous (*.*)|*.*"
        << QStringList{QStringLiteral("Fichiers txt (*.trl) (*.trl)"), QStringLiteral("Tous (*.*) (*)")};
    QTest::newRow("images et tous")
        << "Fichiers (*.jpg, *.bmp, *.gif, *.tif)|*.jpg;*.gif;*.bmp;*.tif|Fichiers Bitmap (*.bmp)|*.bmp;Tous (*.*)|*.*"
        << QStringList{QStringLiteral("Fichiers (*.jpg, *.bmp, *.gif, *.tif) (*.jpg *.gif *.bmp *.tif)"),
                       QStringLiteral("Fichiers Bitmap (*.bmp) (*.bmp)"), QStringLiteral("Tous (*.*) (*)")};
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

// Each dialog of the program, as a user opens it from the menu, then shown for real on a
// folder and each of its entries chosen in turn.
void TestDialogues::chaque_filtre_montre_les_fichiers_attendus() {
    DossierProgrammeTest dossier;
    QTemporaryDir donnees;
    remplit_dossier(donnees.path());
    DialoguesScriptes scripte;
    installe_dialogues(&scripte);
    auto t = demarre();
    TForm1& f1 = *t->programme->Form1;
    f1.ouvrir_un_tableau->trigger();
    f1.Ouvrir1->trigger();
    f1.Enregistrer1->trigger();
    installe_dialogues(nullptr);
    QCOMPARE(scripte.demandes().size(), 3);

    const QStringList tout{QStringLiteral("ANCIEN.TRL"), QStringLiteral("anime.gif"), QStringLiteral("carte.trl"),
                           QStringLiteral("LISEZMOI"),   QStringLiteral("notes.txt"), QStringLiteral("plan.jpg"),
                           QStringLiteral("scan.tif"),   QStringLiteral("sous"),      QStringLiteral("vieux.bmp")};
    const QList<QList<QStringList>> attendus{
        {{QStringLiteral("ANCIEN.TRL"), QStringLiteral("carte.trl"), QStringLiteral("sous")}, tout},
        {{QStringLiteral("anime.gif"), QStringLiteral("plan.jpg"), QStringLiteral("scan.tif"), QStringLiteral("sous"),
          QStringLiteral("vieux.bmp")},
         {QStringLiteral("sous"), QStringLiteral("vieux.bmp")},
         tout},
        {tout,
         {QStringLiteral("ANCIEN.TRL"), QStringLiteral("carte.trl"), QStringLiteral("notes.txt"),
          QStringLiteral("sous")}}};
    const QList<QStringList> montres{{QStringLiteral("Fichiers txt (*.trl)"), QStringLiteral("Tous (*.*)")},
                                     {QStringLiteral("Fichiers (*.jpg, *.bmp, *.gif, *.tif)"),
                                      QStringLiteral("Fichiers Bitmap (*.bmp)"), QStringLiteral("Tous (*.*)")},
                                     {QStringLiteral("Tous les fichiers (*.*)"),
                                      QStringLiteral("Fichiers texte (*.trl,*.xls,*.txt,*.bln)")}};
    for (int i = 0; i < 3; ++i) {
        DemandeFichier d = scripte.demandes().at(i);
        d.dossier = donnees.path();
        QFileDialog f;
        f.setOption(QFileDialog::DontUseNativeDialog);
        prepare_dialogue(f, d);
        const QStringList filtres = f.nameFilters();
        QCOMPARE(filtres.size(), attendus.at(i).size());
        auto* types = f.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        QStringList textes;
        for (int k = 0; k < types->count(); ++k) textes << types->itemText(k);
        QCOMPARE(textes, montres.at(i));
        for (int k = 0; k < filtres.size(); ++k) {
            f.selectNameFilter(filtres.at(k));
            QTRY_COMPARE(liste_affichee(f), attendus.at(i).at(k));
        }
    }
}

void TestDialogues::dialogue_de_fichiers_en_francais_et_large() {
    QVERIFY(installe_traduction_qt(*QCoreApplication::instance()));
    QTemporaryDir donnees;
    remplit_dossier(donnees.path());
    DemandeFichier d;
    d.dossier = donnees.path();
    d.filtre = QStringLiteral("Fichiers txt (*.trl)|*.trl;Tous (*.*)|*.*");
    QFileDialog f;
    f.setOption(QFileDialog::DontUseNativeDialog);
    prepare_dialogue(f, d);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QSize ecran = f.screen()->availableSize();
    QCOMPARE(f.size(), QSize(980, 600).boundedTo(ecran * 9 / 10));
    auto* vue = f.findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(vue);
    QAbstractItemModel* m = vue->model();
    QTRY_COMPARE(m->rowCount(vue->rootIndex()), 3);
    QMap<QString, QString> types;
    for (int i = 0; i < 3; ++i)
        types[m->index(i, 0, vue->rootIndex()).data().toString()] = m->index(i, 2, vue->rootIndex()).data().toString();
    QCOMPARE(types.value(QStringLiteral("sous")), QStringLiteral("Dossier"));
    // Every header is whole.
    const QFontMetrics fm(vue->font());
    for (int c = 0; c < 4; ++c) {
        const QString titre = m->headerData(c, Qt::Horizontal).toString();
        QVERIFY2(vue->header()->sectionSize(c) > fm.horizontalAdvance(titre) + 8, qPrintable(titre));
    }
    QCOMPARE(m->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Dernière modification"));
    f.close();
}

void TestDialogues::bloc_note_sans_editeur_dit_ou_est_le_fichier() {
    DossierProgrammeTest dossier;
    QTemporaryDir courant;
    const QString avant = QDir::currentPath();
    QDir::setCurrent(courant.path());
    DialoguesScriptes scripte;
    scripte.sans_programme_pour_ouvrir();
    installe_dialogues(&scripte);
    auto t = demarre();
    TForm1& f1 = *t->programme->Form1;
    f1.panneau_resultats()->Button5->click();
    installe_dialogues(nullptr);
    QDir::setCurrent(avant);
    const QString chemin = QDir(courant.path()).absoluteFilePath(QStringLiteral("surface.txt"));
    QVERIFY(existe(chemin));
    QCOMPARE(scripte.documents_ouverts(), QStringList{chemin});
    QCOMPARE(t->port.textes("information"),
             std::vector<std::string>{"Le fichier est enregistré dans :\n" + chemin.toStdString() +
                                      "\n\nmais aucun éditeur n'a pu être lancé pour l'ouvrir."});
}

QTEST_MAIN(TestDialogues)
#include "tst_dialogues.moc"
