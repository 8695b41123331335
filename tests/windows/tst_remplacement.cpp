// Every road that replaces the work asks first about unsaved points, as quitting does: Annuler
// leaves everything as it was, Non goes on, Oui saves then goes on. After the road, the counts,
// the names and the undo list are those of the new work.
#include "tests/support/Tableaux.h"
#include "tests/support/TravailCarte.h"

#include "core/document/Document.h"
#include "windows/metafichier/emf.h"
#include "windows/points/scroll2.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

namespace {

const std::string question = " Voulez-vous enregistrer le tableau de points ? ";

enum class Chemin { image_seule, projet_maj_f2, lecture_test_emf, hdr, feuille_tablette, image_presse_papier };

QImage uni(int w, int h) {
    QImage im(w, h, QImage::Format_RGB32);
    im.fill(Qt::blue);
    return im;
}

// What the road needs before it is taken: files on disk, a drawing converted in the "e m f"
// window.
void prepare(const TravailCarte& w, Chemin c) {
    switch (c) {
    case Chemin::image_seule: QVERIFY(uni(300, 200).save(w.fichier(QStringLiteral("autre.bmp")), "BMP")); break;
    case Chemin::hdr:
        ecrit_octets(w.fichier(QStringLiteral("plan.hdr")),
                     "xdim 0.5\r\nydim -0.25\r\nncols 400\r\nnrows 200\r\nulxmap 651234.25\r\nulymap 1800000.75\r\n");
        QVERIFY(uni(400, 200).save(w.fichier(QStringLiteral("plan.bmp")), "BMP"));
        break;
    case Chemin::image_presse_papier: QGuiApplication::clipboard()->setImage(uni(320, 240)); break;
    case Chemin::lecture_test_emf: {
        const QString emf = w.fichier(QStringLiteral("dessin.emf"));
        QProcess::execute(QStringLiteral(GENERE_METAFICHIERS), {QStringLiteral("emf"), emf, "32650", "21167"});
        w.f1().findChild<QAction*>(QStringLiteral("Conversionemf1"))->trigger();
        TForm_emf& e = *w.programme().programme->Form_emf;
        w.dialogues().repond_fichier(emf);
        QTest::mouseClick(e.SpeedButton3, Qt::LeftButton);
        QTest::mouseClick(e.SpeedButton6, Qt::LeftButton);
        w.dialogues().repond_fichier(w.fichier(QStringLiteral("dessin.bmp")));
        QTest::mouseClick(e.SpeedButton8, Qt::LeftButton);
        QVERIFY(QFile::exists(w.fichier(QStringLiteral("dessin.bmp"))));
        w.port().oublie();
        break;
    }
    case Chemin::projet_maj_f2:
    case Chemin::feuille_tablette: break;
    }
}

// Takes the road as a user does; `fichiers`: the file dialogs are answered.
void prend(const TravailCarte& w, Chemin c, bool fichiers) {
    const auto repond = [&](const QString& chemin) {
        if (fichiers) w.dialogues().repond_fichier(chemin);
    };
    TForm1& f = w.f1();
    switch (c) {
    case Chemin::image_seule:
        repond(w.fichier(QStringLiteral("autre.bmp")));
        f.Ouvrir1->trigger();
        break;
    case Chemin::projet_maj_f2:
        repond(QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.trl"));
        QVERIFY(active(&f));
        QTest::keyClick(&f, Qt::Key_F2, Qt::ShiftModifier);
        break;
    case Chemin::lecture_test_emf:
        QTest::mouseClick(w.programme().programme->Form_emf->SpeedButton2, Qt::LeftButton);
        break;
    case Chemin::hdr:
        repond(w.fichier(QStringLiteral("plan.hdr")));
        f.Charger1->trigger();
        break;
    case Chemin::feuille_tablette: f.Nouvellesaisie1->trigger(); break;
    case Chemin::image_presse_papier:
        repond(w.fichier(QStringLiteral("colle")));
        f.Imagedupressepapier1->trigger();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Chemin)

class TestRemplacement : public QObject {
    Q_OBJECT

private slots:
    void chaque_chemin_demande_d_abord_data();
    void chaque_chemin_demande_d_abord();
    void oui_enregistre_puis_charge_data();
    void oui_enregistre_puis_charge();
};

void TestRemplacement::chaque_chemin_demande_d_abord_data() {
    QTest::addColumn<Chemin>("chemin");
    QTest::addColumn<int>("points");   // of the new work
    QTest::addColumn<QString>("nom");  // of its line 1
    QTest::addColumn<bool>("sauve");   // false: its calibration came from a file of its own
    QTest::newRow("Charger une image de fond seule") << Chemin::image_seule << 0 << QString() << true;
    QTest::newRow("Maj+F2") << Chemin::projet_maj_f2 << 21 << QStringLiteral("route nationale") << true;
    QTest::newRow("5- Lecture test") << Chemin::lecture_test_emf << 0 << QString() << true;
    QTest::newRow(".hdr") << Chemin::hdr << 0 << QString() << false;
    QTest::newRow("feuille de tablette") << Chemin::feuille_tablette << 0 << QString() << true;
    QTest::newRow("image du presse-papier") << Chemin::image_presse_papier << 0 << QString() << true;
}

void TestRemplacement::chaque_chemin_demande_d_abord() {
    QFETCH(Chemin, chemin);
    QFETCH(int, points);
    QFETCH(QString, nom);
    QFETCH(bool, sauve);
    // The .hdr load is refused over a background: its work is on the blank sheet.
    const TravailCarte w(3, chemin == Chemin::hdr ? TravailCarte::Depart::feuille_tablette
                                                  : TravailCarte::Depart::fond_blanc);
    Document& d = w.doc();
    QCOMPARE(d.nb_points, 3);
    prepare(w, chemin);
    const qsizetype demandes = w.dialogues().demandes().size();

    w.port().repond("E");
    prend(w, chemin, false);
    QCOMPARE(w.port().textes("oui_non_annuler"), std::vector<std::string>{question});
    QCOMPARE(w.dialogues().demandes().size(), demandes);
    QCOMPARE(d.nb_points, 3);
    QCOMPARE(d.StringGrid3.cell(4, 1), "route");
    QVERIFY(!d.sauve);
    QVERIFY(w.f1().Annuler1->isEnabled());

    w.port().oublie();
    w.port().repond("N");
    prend(w, chemin, true);
    QCOMPARE(w.port().textes("oui_non_annuler"), std::vector<std::string>{question});
    QCOMPARE(d.nb_points, points);
    QCOMPARE(w.f2().Label8->text(), QStringLiteral("%1 points").arg(points));
    QCOMPARE(QString::fromStdString(std::string(d.StringGrid3.cell(4, 1))), nom);
    QCOMPARE(d.sauve, sauve);
    QVERIFY(!w.f1().Annuler1->isEnabled());
}

void TestRemplacement::oui_enregistre_puis_charge_data() {
    QTest::addColumn<bool>("enregistrement_choisi");
    QTest::newRow("enregistré") << true;
    QTest::newRow("enregistrement annulé") << false;
}

void TestRemplacement::oui_enregistre_puis_charge() {
    QFETCH(bool, enregistrement_choisi);
    const TravailCarte w;
    prepare(w, Chemin::image_seule);
    const QString projet = w.fichier(QStringLiteral("avant.trl"));
    w.port().repond("O");
    if (enregistrement_choisi) w.dialogues().repond_fichier(projet);
    else w.dialogues().repond_fichier_annule();
    prend(w, Chemin::image_seule, true);
    // The save dialog first, then the image's only when the work was saved.
    QCOMPARE(w.dialogues().demandes().size(), enregistrement_choisi ? 2 : 1);
    QCOMPARE(QFile::exists(projet), enregistrement_choisi);
    if (enregistrement_choisi) {
        QVERIFY(lit_octets(projet).contains("/nombre de  points\r\n3\r\n"));
        QCOMPARE(w.doc().nb_points, 0);
        QVERIFY(w.doc().fichier_image.ends_with("autre.bmp"));
    } else {
        QCOMPARE(w.doc().nb_points, 3);
        QVERIFY(!w.doc().sauve);
    }
}

QTEST_MAIN(TestRemplacement)
#include "tst_remplacement.moc"
