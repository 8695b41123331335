// The GIS export as a user reaches it: the "Fichier" menu or the export panel's button, the
// dialog's format, file, lines and surfaces, the end message and the refusals.
#include "tests/support/Banc.h"
#include "LimiteTaille.h"

#include "core/document/Document.h"
#include "core/text/separateur.h"
#include "sig/SystemeCoordonnees.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/export/DialogueExportSig.h"
#include "windows/principale/export/PanneauExport.h"
#include "windows/principale/scroll.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

namespace {

// A started program calibrated on the unit frame, with the points (0.5, 0.5) and (1, 1) on
// line 1, then (0, 0), (1, 0), (1, 1), (0, 0) closed on line 2.
struct Carte {
    Carte() {
        installe_dialogues(&dialogues);
        QImage fond(1000, 800, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        d.mess_3_calage_svp_et_init(false);
        f.calque.vue.fixe_vue({0, 0, f.Image1->width() - 1, f.Image1->height() - 1});
        f.redessiner();
        for (QPoint p : {QPoint(100, 100), QPoint(100, 300), QPoint(400, 300), QPoint(250, 200), QPoint(400, 100)})
            QTest::mouseClick(f.Image1, Qt::LeftButton, Qt::NoModifier, p);
        QTest::keyClick(&f, Qt::Key_Space); // a new line
        for (QPoint p : {QPoint(100, 300), QPoint(400, 300), QPoint(400, 100), QPoint(100, 300)})
            QTest::mouseClick(f.Image1, Qt::LeftButton, Qt::NoModifier, p);
        t->port.oublie();
    }
    ~Carte() { installe_dialogues(nullptr); }

    DialogueExportSig* dialogue() const { return f.findChild<DialogueExportSig*>(); }
    // Chooses the item as a user does: the combo box has the focus, the arrows move.
    static void choisit(QComboBox* c, int index) {
        c->setFocus();
        while (c->currentIndex() < index) QTest::keyClick(c, Qt::Key_Down);
        while (c->currentIndex() > index) QTest::keyClick(c, Qt::Key_Up);
    }
    static void tape(QLineEdit* e, const QString& texte) {
        e->selectAll();
        QTest::keyClicks(e, texte);
    }

    static long long entites(const QString& fichier, const char* couche) {
        GDALAllRegister();
        auto* s = static_cast<GDALDataset*>(
            GDALOpenEx(fichier.toUtf8().constData(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr));
        if (!s) return -1;
        OGRLayer* l = s->GetLayerByName(couche);
        const long long n = l ? l->GetFeatureCount() : -1;
        GDALClose(s);
        return n;
    }

    SeparateurLocal sep{'.'};
    DossierProgrammeTest dossier;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm1& f = *t->programme->Form1;
    Document& d = t->programme->document;
    DialoguesScriptes dialogues;
};

} // namespace

class TestExportSig : public QObject {
    Q_OBJECT

private slots:
    void theFileMenuExportsToGeoPackage() {
        Carte c;
        QVERIFY(c.f.Fichier1->actions().contains(c.f.ExporterSig1));
        QVERIFY(c.f.ExporterSig1->isEnabled());
        QCOMPARE(c.f.ExporterSig1->text(),
                 QStringLiteral("Exporter vers un SIG (GeoPackage, Shapefile, GeoJSON, KML, DXF, CSV) ..."));
        c.d.StringGrid3.set_cell(3, 2, ""); // line 2 not shown
        c.f.ExporterSig1->trigger();
        DialogueExportSig* g = c.dialogue();
        QVERIFY(g && g->isVisible());
        QCOMPARE(g->ComboFormat->currentText(), QStringLiteral("GeoPackage (*.gpkg)"));
        QVERIFY(g->RadioLignesCochees->isChecked());
        QVERIFY(!g->CheckBoxSurfaces->isChecked());
        QCOMPARE(g->LabelSysteme->text(),
                 QStringLiteral("aucun : KML et GeoJSON, en longitude/latitude, ne sont pas possibles"));

        const QString fichier = c.dossier.fichier(QStringLiteral("routes.gpkg"));
        c.dialogues.repond_fichier(fichier);
        QTest::mouseClick(g->ButtonParcourir, Qt::LeftButton);
        QCOMPARE(c.dialogues.demandes().size(), 1);
        QCOMPARE(c.dialogues.demandes()[0].filtre, QStringLiteral("GeoPackage (*.gpkg)|*.gpkg"));
        QCOMPARE(g->EditFichier->text(), fichier);
        QTest::mouseClick(g->ButtonExporter, Qt::LeftButton);

        QCOMPARE(c.t->port.textes("information"),
                 std::vector<std::string>{"<routes.gpkg>  créé au format GeoPackage dans le répertoire => " +
                                          c.dossier.chemin().toStdString() + "\n\n1 ligne, 2 points."});
        QVERIFY(!g->isVisible());
        QCOMPARE(Carte::entites(fichier, "lignes"), 1LL);
        QCOMPARE(Carte::entites(fichier, "points"), 2LL);

        // Opened again: the choices are kept, the system is the project's of now.
        std::string erreur;
        QVERIFY(sig::systeme_vers_wkt("2154", c.d.systeme_wkt, erreur));
        c.f.ExporterSig1->trigger();
        QCOMPARE(c.dialogue(), g);
        QVERIFY(g->isVisible());
        QCOMPARE(g->EditFichier->text(), fichier);
        QCOMPARE(g->LabelSysteme->text(), QStringLiteral("RGF93 v1 / Lambert-93 (EPSG:2154)"));
    }

    void allLinesAndSurfacesFromTheExportPanel() {
        Carte c;
        c.d.StringGrid3.set_cell(3, 2, "");
        c.f.affiche_panel_sauve();
        QTest::mouseClick(c.f.Panel7->ButtonSig, Qt::LeftButton);
        DialogueExportSig* g = c.dialogue();
        QVERIFY(g && g->isVisible());
        // On its indicator: the button is as wide as the dialog, its text is not.
        QTest::mouseClick(g->RadioToutesLignes, Qt::LeftButton, Qt::NoModifier, {8, g->RadioToutesLignes->height() / 2});
        QVERIFY(g->RadioToutesLignes->isChecked());
        QTest::mouseClick(g->CheckBoxSurfaces, Qt::LeftButton);
        Carte::choisit(g->ComboFormat, 1); // Shapefile
        const QString base = c.dossier.fichier(QStringLiteral("parcelles"));
        Carte::tape(g->EditFichier, base + QStringLiteral(".shp"));
        QTest::mouseClick(g->ButtonExporter, Qt::LeftButton);
        QCOMPARE(c.t->port.textes("information"),
                 std::vector<std::string>{"<parcelles_lignes.shp>, <parcelles_surfaces.shp>, <parcelles_points.shp>  "
                                          "créés au format Shapefile dans le répertoire => " +
                                          c.dossier.chemin().toStdString() + "\n\n2 lignes, 1 surface, 6 points."});
        QCOMPARE(Carte::entites(base + QStringLiteral("_lignes.shp"), "parcelles_lignes"), 2LL);
        QCOMPARE(Carte::entites(base + QStringLiteral("_surfaces.shp"), "parcelles_surfaces"), 1LL);
        QCOMPARE(Carte::entites(base + QStringLiteral("_points.shp"), "parcelles_points"), 6LL);
    }

    void kmlWithoutASystemIsRefusedAndTheDialogStaysOpen() {
        Carte c;
        c.f.ExporterSig1->trigger();
        DialogueExportSig* g = c.dialogue();
        QVERIFY(g);
        const QString kml = c.dossier.fichier(QStringLiteral("routes.kml"));
        Carte::tape(g->EditFichier, c.dossier.fichier(QStringLiteral("routes.gpkg")));
        Carte::choisit(g->ComboFormat, 3);
        QCOMPARE(g->EditFichier->text(), kml); // the extension follows the format
        QTest::mouseClick(g->ButtonExporter, Qt::LeftButton);
        QCOMPARE(c.t->port.textes("information"),
                 std::vector<std::string>{"Le format KML s'écrit en longitude/latitude : il faut connaître le système "
                                          "de coordonnées du projet, qui n'en a pas.\nDonnez d'abord un système au "
                                          "projet, ou choisissez un autre format."});
        QVERIFY(g->isVisible());
        QVERIFY(!existe(kml));

        // With a system, the same dialog writes it.
        std::string erreur;
        QVERIFY(sig::systeme_vers_wkt("2154", c.d.systeme_wkt, erreur));
        QTest::mouseClick(g->ButtonExporter, Qt::LeftButton);
        QVERIFY(existe(kml));
        QVERIFY(!c.dialogue() || !c.dialogue()->isVisible());
    }

    void aMissingFileNameOrFolderIsSaid() {
        Carte c;
        c.f.ExporterSig1->trigger();
        DialogueExportSig* g = c.dialogue();
        QVERIFY(g);
        QTest::mouseClick(g->ButtonExporter, Qt::LeftButton);
        const QString absent = c.dossier.fichier(QStringLiteral("absent"));
        Carte::tape(g->EditFichier, absent + QStringLiteral("/routes.gpkg"));
        QTest::mouseClick(g->ButtonExporter, Qt::LeftButton);
        QCOMPARE(c.t->port.textes("information"),
                 (std::vector<std::string>{"Choisissez d'abord le fichier à écrire (bouton « Parcourir... »).",
                                           "Impossible d'écrire dans le dossier " + absent.toStdString() +
                                               " : le dossier n'existe pas"}));
        QVERIFY(g->isVisible());
        QTest::mouseClick(g->ButtonAnnuler, Qt::LeftButton);
        QVERIFY(!c.dialogue() || !c.dialogue()->isVisible());
    }

    // "1E400" in a cell was written as inf, or failed in GeoPackage with a raw SQL error.
    void aValueBeyondADoubleIsRefusedNamingTheCell() {
        Carte c;
        c.d.StringGrid1.set_cell(c.d.indice_col("Z"), 2, "-1E400");
        c.f.ExporterSig1->trigger();
        const QString fichier = c.dossier.fichier(QStringLiteral("routes.gpkg"));
        Carte::tape(c.dialogue()->EditFichier, fichier);
        QTest::mouseClick(c.dialogue()->ButtonExporter, Qt::LeftButton);
        QCOMPARE(c.t->port.textes("information"),
                 std::vector<std::string>{"'-1E400' est trop grand pour un fichier SIG (colonne Z du point n°2) : au "
                                          "plus 1,7E308 en valeur absolue"});
        QVERIFY(c.dialogue()->isVisible());
        QVERIFY(!existe(fichier));
    }

    // Beside the export, an older one and a project with its system: the file named is the one
    // written; a full disk or a target that is the project's system leaves all as it was.
    void writesTheFileNamedAndNothingOfTheProject() {
        struct Cas {
            int format;
            const char* nom;
            rlim_t limite;
            const char* message; // its start, "D" for the folder
        } const cas[] = {
            {2, "x.geojson", RLIM_INFINITY, "<x.geojson>  créé au format GeoJSON dans le répertoire => D\n\n2 lignes, 6 points."},
            {2, "x.geojson", 200, "Impossible d'enregistrer D/x.geojson : "},
            {1, "route", RLIM_INFINITY, "Le fichier D/route_lignes.prj appartient au projet D/route_lignes.trl : l'export "
                                        "ne le remplace pas. Choisissez une autre sortie."},
        };
        for (const Cas& k : cas) {
            Carte c;
            std::string erreur;
            QVERIFY(sig::systeme_vers_wkt("2154", c.d.systeme_wkt, erreur));
            const QString d = c.dossier.fichier(QStringLiteral("sig"));
            const QStringList avant{QStringLiteral("route_lignes.prj"), QStringLiteral("route_lignes.trl"), QStringLiteral("x.geojson")};
            QDir().mkpath(d);
            for (const QString& f : avant) ecrit_octets(d + QLatin1Char('/') + f, f.toUtf8());
            c.f.ExporterSig1->trigger();
            DialogueExportSig* g = c.dialogue();
            QTest::mouseClick(g->RadioToutesLignes, Qt::LeftButton, Qt::NoModifier, {8, g->RadioToutesLignes->height() / 2});
            Carte::choisit(g->ComboFormat, k.format);
            Carte::tape(g->EditFichier, d + QLatin1Char('/') + QLatin1String(k.nom));
            {
                const LimiteTaille limite(k.limite);
                QTest::mouseClick(g->ButtonExporter, Qt::LeftButton);
            }
            const auto messages = c.t->port.textes("information");
            QCOMPARE(messages.size(), std::size_t{1});
            QVERIFY2(messages[0].rfind(QString::fromUtf8(k.message).replace(QLatin1Char('D'), d).toStdString(), 0) == 0,
                     messages[0].c_str());
            const bool ecrit = k.limite == RLIM_INFINITY && k.format == 2;
            QCOMPARE(g->isVisible(), !ecrit);
            QCOMPARE(QDir(d).entryList(QDir::Files | QDir::Hidden), avant);
            for (const QString& f : avant) QCOMPARE(lit_octets(d + QLatin1Char('/') + f) == f.toUtf8(), !ecrit || f != avant[2]);
        }
    }
};

QTEST_MAIN(TestExportSig)
#include "tst_export_sig.moc"
