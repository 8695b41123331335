// The about box's figures and the help window's text as a user opens them.
#include "tests/support/Banc.h"
#include "tests/support/Tableaux.h"

#include "core/text/separateur.h"
#include "windows/apropos/scrollab.h"
#include "windows/apropos/scrollf1.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

class TestAPropos : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void boite_a_propos_du_systeme_vivant();
    void boite_a_propos_chiffres_fixes();
    void aide_livree_en_windows_1252();
    void aide_cite_toutes_les_touches_de_fonction();
    void aide_absente_ou_etrange();
    void F1_montre_et_cache_l_aide();

private:
    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
};

void TestAPropos::init() {
    dossier_ = std::make_unique<DossierProgrammeTest>();
    t_ = demarre();
}

void TestAPropos::cleanup() {
    t_.reset();
    dossier_.reset();
}

void TestAPropos::boite_a_propos_du_systeme_vivant() {
    TForm3* f3 = fenetres().Form3;
    fenetres().Form1->Apropos1->trigger();
    QVERIFY(QTest::qWaitForWindowActive(f3));
    QVERIFY2(f3->Label3->text().contains(QRegularExpression(QStringLiteral("^Linux \\d+\\.\\d+$"))),
             qPrintable(f3->Label3->text()));
    QCOMPARE(f3->memoire[5]->text(), QStringLiteral("sizeof(MEMORYSTATUS)     32 octets"));
    QVERIFY(f3->memoire[0]->text().startsWith(QStringLiteral("Mémoire totale : ")));
    QVERIFY(f3->memoire[0]->text().endsWith(QStringLiteral(" KB")));
    QCOMPARE(f3->Label12->text(), QStringLiteral("Image= Ko"));
    QTest::keyClick(f3, Qt::Key_A);
    QVERIFY(!f3->isVisible());
}

void TestAPropos::boite_a_propos_chiffres_fixes() {
    fixe_separateur_milliers(U'\u00A0');
    TForm1* f1 = fenetres().Form1;
    f1->calque.fond = QImage(1000, 800, QImage::Format_RGB555);
    EtatMemoire m;
    m.total_physique = 25165824ull * 1024;
    TForm3* f3 = fenetres().Form3;
    f3->InitializeCaptions("Windows NT 5.1 (Build 2600: Service Pack 3)", m, f1->LxHxC());
    QCOMPARE(f3->memoire[0]->text(), QStringLiteral("Mémoire totale : 25\u00A0165\u00A0824 KB"));
    QCOMPARE(f3->Label12->text(), QStringLiteral("Image=1000x800x15=1464  Ko"));
    QCOMPARE(f3->Label3->text(), QStringLiteral("Windows NT 5.1 (Build 2600: Service Pack 3)"));
}

void TestAPropos::aide_livree_en_windows_1252() {
    // Found beside the executable: the test's program folder is empty.
    const QString chemin = TForm5::chemin_aide();
    QCOMPARE(chemin, QCoreApplication::applicationDirPath() + QStringLiteral("/vuviviva.hep"));
    const QByteArray octets = lit_octets(chemin);
    QVERIFY(octets.contains("\xE9"));
    QVERIFY(!octets.contains("\xC3\xA9"));
    QVERIFY(octets.contains("\r\n"));
    TForm5* f5 = fenetres().Form5;
    QCOMPARE(f5->windowTitle(), QStringLiteral("      "));
    QVERIFY(f5->Memo1->toPlainText().contains(QStringLiteral("DE L'IMAGE À L'EXPORT")));
    QVERIFY(f5->Memo1->toPlainText().contains(QStringLiteral("é")));
    QVERIFY(!f5->Memo1->toPlainText().contains(QLatin1Char('\r')));
}

void TestAPropos::aide_cite_toutes_les_touches_de_fonction() {
    const QString texte = fenetres().Form5->Memo1->toPlainText();
    QStringList touches;
    for (QAction* a : fenetres().Form1->findChildren<QAction*>())
        for (const QKeySequence& k : a->shortcuts()) touches << k.toString();
    // Keys named in captions or handled by the windows rather than by shortcuts.
    touches << QStringLiteral("F4") << QStringLiteral("F6") << QStringLiteral("F9") << QStringLiteral("F12")
            << QStringLiteral("Échap") << QStringLiteral("Ctrl+flèches");
    touches.removeDuplicates();
    QVERIFY(touches.contains(QStringLiteral("Shift+F2")));
    for (QString t : touches) {
        t.replace(QStringLiteral("Shift+"), QStringLiteral("Maj+"));
        QVERIFY2(texte.contains(QRegularExpression(QStringLiteral("(^|[^\\w+])") + QRegularExpression::escape(t) +
                                                   QStringLiteral("($|[^\\w])"),
                                                   QRegularExpression::MultilineOption)),
                 qPrintable(t));
    }
}

void TestAPropos::aide_absente_ou_etrange() {
    TForm5 f5;
    const QString attente = QStringLiteral("Aide de Vuviviva\n\nLe fichier d'aide vuviviva.hep est absent.");
    f5.Memo1->setPlainText(attente);
    QVERIFY(!f5.charge(dossier_->fichier(QStringLiteral("vuviviva.hep"))));
    QCOMPARE(f5.Memo1->toPlainText(), attente);

    const QString gros = dossier_->fichier(QStringLiteral("gros.hep"));
    ecrit_octets(gros, QByteArray(10 * 1024 * 1024, 'a'));
    QVERIFY(!f5.charge(gros));
    QCOMPARE(f5.Memo1->toPlainText(), attente);

    QByteArray hasard(65536, 0);
    for (char& c : hasard) c = static_cast<char>(QRandomGenerator::global()->bounded(256));
    const QString bruit = dossier_->fichier(QStringLiteral("bruit.hep"));
    ecrit_octets(bruit, hasard);
    QVERIFY(f5.charge(bruit));

    const QString vide = dossier_->fichier(QStringLiteral("vide.hep"));
    ecrit_octets(vide, {});
    QVERIFY(f5.charge(vide));
    QCOMPARE(f5.Memo1->toPlainText(), QString());

    // A program folder holding the file wins over the executable's.
    ecrit_octets(dossier_->fichier(QStringLiteral("vuviviva.hep")), "local\xE9");
    QCOMPARE(TForm5::chemin_aide(), dossier_->fichier(QStringLiteral("vuviviva.hep")));
    TForm5 local;
    QCOMPARE(local.Memo1->toPlainText(), QStringLiteral("localé"));
}

void TestAPropos::F1_montre_et_cache_l_aide() {
    TForm1* f1 = fenetres().Form1;
    TForm5* f5 = fenetres().Form5;
    QVERIFY(active(f1));
    QTest::keyClick(f1, Qt::Key_F1);
    QVERIFY(f5->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(f5));
    QTest::keyClick(f5->Memo1, Qt::Key_F1);
    QVERIFY(!f5->isVisible());
}

QTEST_MAIN(TestAPropos)
#include "tst_apropos.moc"
