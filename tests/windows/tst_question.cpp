// The question box TForm6: buttons chosen by letters, captions, the picture of the exit
// question, answers taken on the press, Escape, dragging, and the text check before imports.
#include "tests/support/Banc.h"
#include "tests/support/Tableaux.h"

#include "windows/commun/PortFenetres.h"
#include "windows/conversion/Convert.h"
#include "windows/question/Unit6.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vuv;
using namespace vuv::test;

namespace {

QPushButton* bouton(TForm6& f, const QString& nom) { return f.findChild<QPushButton*>(nom); }

// Button names visible in the box, in the order Button1..Button4.
QStringList visibles(TForm6& f) {
    QStringList r;
    for (QPushButton* b : {f.Button1, f.Button2, f.Button3, f.Button4})
        if (b->isVisible()) r << b->objectName();
    return r;
}

void envoie_souris(QWidget* w, QEvent::Type type, const QPoint& local, Qt::MouseButton bouton,
                   Qt::MouseButtons boutons) {
    QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), bouton, boutons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// What the user sees of a part of the box, in the box's coordinates.
QRect vu(const TForm6& f, const QWidget* w) {
    const QRect r = w->visibleRegion().boundingRect();
    return QRect(w->mapTo(&f, r.topLeft()), r.size());
}

// Empty when the box lies on the screen, its texts are whole (or scroll) and nothing overlaps.
QString defauts_de_disposition(const TForm6& f) {
    QStringList d;
    if (!QGuiApplication::primaryScreen()->geometry().contains(f.frameGeometry())) d << QStringLiteral("hors écran");
    QList<const QWidget*> parties{f.Memo1, f.Button1, f.Button2, f.Button3, f.Button4};
    for (const QLabel* l : {f.Label2, f.Label1}) {
        parties << l;
        const auto* zone = qobject_cast<const QAbstractScrollArea*>(l->parentWidget()->parentWidget());
        const bool defile = zone && (zone->verticalScrollBar()->isVisible() || zone->horizontalScrollBar()->isVisible());
        const QSize besoin = l->wordWrap() ? QSize(0, l->heightForWidth(l->width())) : l->sizeHint();
        if (l->isVisible() && !defile && (vu(f, l).size() != l->size() || l->width() < besoin.width() ||
                                          l->height() < besoin.height()))
            d << l->objectName() + QStringLiteral(" coupé");
    }
    for (qsizetype i = 0; i < parties.size(); ++i)
        for (qsizetype j = i + 1; j < parties.size(); ++j)
            if (parties[i]->isVisible() && parties[j]->isVisible() && vu(f, parties[i]).intersects(vu(f, parties[j])))
                d << parties[i]->objectName() + QStringLiteral(" sur ") + parties[j]->objectName();
    return d.join(QStringLiteral(", "));
}

} // namespace

class TestQuestion : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void boutons_selon_les_lettres_data();
    void boutons_selon_les_lettres();
    void legendes_des_boutons();
    void image_ou_texte();
    void grand_message_avec_plus();
    void forme_arrondie_et_centree();
    void deja_visible_repond_E();
    void touche_echap_data();
    void touche_echap();
    void deplacer_la_boite();
    void boucle_modale_reelle();
    void titre_entier_sur_un_message_court();
    void controle_d_un_fichier_accepte();
    void controle_d_un_fichier_refuse();
    void controle_d_un_fichier_absent();
    void chaqueQuestionSeLitEnEntierSansChevauchement();

private:
    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    TForm6* f6_ = nullptr;
};

void TestQuestion::init() {
    dossier_ = std::make_unique<DossierProgrammeTest>();
    t_ = demarre();
    f6_ = t_->programme->Form6.get();
}

void TestQuestion::cleanup() {
    t_.reset();
    dossier_.reset();
}

void TestQuestion::boutons_selon_les_lettres_data() {
    QTest::addColumn<QString>("lettres");
    QTest::addColumn<QStringList>("attendus");
    QTest::addColumn<QString>("appuye");
    QTest::addColumn<QString>("reponse");
    const QStringList on{QStringLiteral("Button1"), QStringLiteral("Button2")};
    const QStringList oe{QStringLiteral("Button2"), QStringLiteral("Button3")};
    const QStringList k{QStringLiteral("Button4")};
    const QStringList one{QStringLiteral("Button1"), QStringLiteral("Button2"), QStringLiteral("Button3")};
    QTest::newRow("ON oui") << "ON" << on << "Button2" << "O";
    QTest::newRow("ON non") << "ON" << on << "Button1" << "N";
    QTest::newRow("OE oui") << "OE" << oe << "Button2" << "O";
    QTest::newRow("OE annuler") << "OE" << oe << "Button3" << "E";
    QTest::newRow("K ok") << "K" << k << "Button4" << "E";
    QTest::newRow("ONE oui") << "ONE" << one << "Button2" << "O";
    QTest::newRow("ONE non") << "ONE" << one << "Button1" << "N";
    QTest::newRow("ONE annuler") << "ONE" << one << "Button3" << "E";
    QTest::newRow("ON+ lettres dans le desordre") << "+NO" << on << "Button1" << "N";
}

void TestQuestion::boutons_selon_les_lettres() {
    QFETCH(QString, lettres);
    QFETCH(QStringList, attendus);
    QFETCH(QString, appuye);
    QFETCH(QString, reponse);
    bool encore_visible_apres_appui = true;
    f6_->pilote = [&](TForm6& f) {
        QCOMPARE(visibles(f), attendus);
        for (QPushButton* b : {f.Button1, f.Button2, f.Button3, f.Button4}) QCOMPARE(b->y(), 164);
        // The press alone answers: the release never comes.
        QTest::mousePress(bouton(f, appuye), Qt::LeftButton);
        encore_visible_apres_appui = f.isVisible();
    };
    const QString r =
        t_->programme->Form1->dlg_titre_message_ONEK_oui_non(QStringLiteral("t"), QStringLiteral("m"), lettres, {}, {});
    QCOMPARE(r, reponse);
    QVERIFY(!encore_visible_apres_appui);
    QVERIFY(!f6_->isVisible());
}

void TestQuestion::legendes_des_boutons() {
    TForm1& f1 = *t_->programme->Form1;
    QStringList vus;
    f6_->pilote = [&](TForm6& f) {
        vus << f.Button2->text() << f.Button1->text();
        QCOMPARE(f.size(), QSize(455, 213));
        QTest::mousePress(f.Button2, Qt::LeftButton);
    };
    QCOMPARE(f1.dlg_titre_message_ONEK_oui_non(QStringLiteral("t"), QStringLiteral("m"), QStringLiteral("ON"), {}, {}),
             QStringLiteral("O"));
    QCOMPARE(f1.dlg_titre_message_ONEK_oui_non(QStringLiteral("Importer un fichier Excel XLS"), QStringLiteral("m"),
                                               QStringLiteral("ONE"), QStringLiteral("Importer"),
                                               QStringLiteral("Exemple")),
             QStringLiteral("O"));
    QCOMPARE(vus, (QStringList{QStringLiteral("Oui"), QStringLiteral("Non"), QStringLiteral("Importer"),
                               QStringLiteral("Exemple")}));
    // The geometry of the buttons is the design's.
    QCOMPARE(f6_->Button2->geometry(), QRect(26, 164, 105, 26));
    QCOMPARE(f6_->Button1->geometry(), QRect(160, 164, 105, 26));
    QCOMPARE(f6_->Button3->geometry(), QRect(311, 164, 106, 26));
    QCOMPARE(f6_->Button4->geometry(), QRect(311, 164, 105, 26));
}

void TestQuestion::image_ou_texte() {
    TForm1& f1 = *t_->programme->Form1;
    f6_->pilote = [](TForm6& f) {
        QVERIFY(f.Image1->isVisible());
        QVERIFY(!f.Label1->isVisible());
        QVERIFY(!f.Label2->isVisible());
        QCOMPARE(f.Image1->geometry(), f.rect());
        QTest::mousePress(f.Button1, Qt::LeftButton);
    };
    QCOMPARE(f1.dlg_titre_message_ONEK_oui_non(QStringLiteral("titre"), QStringLiteral("Quitter"), QStringLiteral("ON"),
                                               QStringLiteral("Quitter"), QStringLiteral("annuler")),
             QStringLiteral("N"));

    f6_->pilote = [](TForm6& f) {
        QVERIFY(!f.Image1->isVisible());
        QVERIFY(f.Label1->isVisible());
        QVERIFY(f.Label2->isVisible());
        QCOMPARE(f.Label2->text(), QStringLiteral("recopie"));
        QCOMPARE(f.Label1->text(), QStringLiteral("copier <12>  j'usqu'à la fin"));
        QCOMPARE(f.Label2->pos(), QPoint(24, 18));
        QCOMPARE(f.Label1->mapTo(&f, QPoint()), QPoint(24, 48));
        QCOMPARE(f.Label1->font().pointSize(), 10);
        // The message is aqua on the gradient.
        const QImage im = f.grab().toImage();
        bool aqua = false;
        const QRect r(f.Label1->mapTo(&f, QPoint()), f.Label1->size());
        for (int y = r.top(); y <= r.bottom() && !aqua; ++y)
            for (int x = r.left(); x <= r.right() && !aqua; ++x) aqua = im.pixelColor(x, y) == QColor(0, 255, 255);
        QVERIFY(aqua);
        QTest::mousePress(f.Button2, Qt::LeftButton);
    };
    QCOMPARE(f1.dlg_titre_message_ONEK_oui_non(QStringLiteral("recopie"), QStringLiteral("copier <12>  j'usqu'à la fin"),
                                               QStringLiteral("ON"), QStringLiteral("recopier"),
                                               QStringLiteral("annuler")),
             QStringLiteral("O"));
}

void TestQuestion::grand_message_avec_plus() {
    int taille = 0;
    f6_->pilote = [&](TForm6& f) {
        taille = f.Label1->font().pointSize();
        QTest::mousePress(f.Button4, Qt::LeftButton);
    };
    t_->programme->Form1->dlg_titre_message_ONEK_oui_non(QStringLiteral("t"), QStringLiteral("Fini"),
                                                         QStringLiteral("K+"), {}, {});
    QCOMPARE(taille, 25);
}

void TestQuestion::forme_arrondie_et_centree() {
    const QRect e = QGuiApplication::primaryScreen()->geometry();
    f6_->pilote = [&](TForm6& f) {
        QCOMPARE(f.pos(), QPoint((e.width() - 455) / 2, (e.height() - 213) / 2));
        const QRegion masque = f.mask();
        QVERIFY(!masque.contains(QPoint(1, 1)));
        QVERIFY(!masque.contains(QPoint(453, 211)));
        QVERIFY(masque.contains(QPoint(20, 20)));
        QVERIFY(masque.contains(QPoint(227, 1)));
        QVERIFY(masque.contains(QPoint(1, 106)));
        QTest::mousePress(f.Button2, Qt::LeftButton);
    };
    t_->programme->Form1->dlg_titre_message_ONEK_oui_non({}, QStringLiteral("m"), QStringLiteral("ON"), {}, {});
}

void TestQuestion::deja_visible_repond_E() {
    bool appele = false;
    f6_->pilote = [&](TForm6&) { appele = true; };
    f6_->show();
    QCOMPARE(t_->programme->Form1->dlg_titre_message_ONEK_oui_non({}, QStringLiteral("m"), QStringLiteral("ON"), {}, {}),
             QStringLiteral("E"));
    QVERIFY(!appele);
    QVERIFY(f6_->isVisible());
    f6_->hide();
}

void TestQuestion::touche_echap_data() {
    QTest::addColumn<QString>("lettres");
    QTest::addColumn<QString>("reponse");
    QTest::addColumn<bool>("ferme");
    QTest::newRow("ON: Non") << "ON" << "N" << true;
    QTest::newRow("K: OK") << "K" << "E" << true;
    QTest::newRow("ONE: Non") << "ONE" << "N" << true;
    QTest::newRow("OE: rien") << "OE" << "O" << false;
}

void TestQuestion::touche_echap() {
    QFETCH(QString, lettres);
    QFETCH(QString, reponse);
    QFETCH(bool, ferme);
    bool ferme_par_echap = false;
    f6_->pilote = [&](TForm6& f) {
        QTest::keyClick(&f, Qt::Key_Escape);
        ferme_par_echap = !f.isVisible();
        if (!ferme_par_echap) QTest::mousePress(f.Button2, Qt::LeftButton);
    };
    QCOMPARE(t_->programme->Form1->dlg_titre_message_ONEK_oui_non({}, QStringLiteral("m"), lettres, {}, {}), reponse);
    QCOMPARE(ferme_par_echap, ferme);
}

void TestQuestion::deplacer_la_boite() {
    f6_->pilote = [](TForm6& f) {
        const QPoint depart = f.pos();
        envoie_souris(&f, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
        envoie_souris(&f, QEvent::MouseMove, QPoint(130, 90), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(f.pos(), depart + QPoint(30, -10));
        // Both buttons held: no move.
        envoie_souris(&f, QEvent::MouseMove, QPoint(150, 150), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(f.pos(), depart + QPoint(30, -10));
        envoie_souris(&f, QEvent::MouseButtonRelease, QPoint(100, 100), Qt::LeftButton, Qt::NoButton);
        envoie_souris(&f, QEvent::MouseMove, QPoint(160, 160), Qt::NoButton, Qt::NoButton);
        QCOMPARE(f.pos(), depart + QPoint(30, -10));
        // Dragging by the picture and with the right button.
        envoie_souris(f.Image1, QEvent::MouseButtonPress, QPoint(50, 50), Qt::RightButton, Qt::RightButton);
        envoie_souris(&f, QEvent::MouseMove, QPoint(40, 70), Qt::NoButton, Qt::RightButton);
        QCOMPARE(f.pos(), depart + QPoint(20, 10));
        QTest::mousePress(f.Button2, Qt::LeftButton);
    };
    QCOMPARE(t_->programme->Form1->dlg_titre_message_ONEK_oui_non(QStringLiteral("titre"), QStringLiteral("Quitter"),
                                                                  QStringLiteral("ON"), {}, {}),
             QStringLiteral("O"));
}

void TestQuestion::boucle_modale_reelle() {
    // The one test through the real modal loop, answered from a timer.
    QString vu;
    QTimer::singleShot(0, f6_, [&] {
        vu = f6_->isVisible() ? QStringLiteral("visible") : QStringLiteral("cache");
        // A second question while the box is up gets "E" at once.
        vu += t_->programme->Form1->dlg_titre_message_ONEK_oui_non({}, {}, QStringLiteral("ON"), {}, {});
        QTest::mousePress(f6_->Button1, Qt::LeftButton);
    });
    QCOMPARE(t_->programme->Form1->dlg_titre_message_ONEK_oui_non(QStringLiteral("titre"), QStringLiteral("Quitter"),
                                                                  QStringLiteral("ON"), QStringLiteral("Quitter"),
                                                                  QStringLiteral("annuler")),
             QStringLiteral("N"));
    QCOMPARE(vu, QStringLiteral("visibleE"));
}

void TestQuestion::titre_entier_sur_un_message_court() {
    // Through the real box, closed from a timer: "erreur =106" alone must not cut "Information".
    int largeur = 0, titre = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        largeur = box->width();
        titre = box->fontMetrics().horizontalAdvance(box->windowTitle());
        box->accept();
    });
    PortFenetres().information("erreur =106");
    QVERIFY(titre > 0);
    QVERIFY2(largeur >= titre + marge_barre_de_titre, qPrintable(QString::number(largeur)));
}

void TestQuestion::controle_d_un_fichier_accepte() {
    const QString source = dossier_->fichier(QStringLiteral("caps.txt"));
    const QString travail = dossier_->fichier(QStringLiteral("~memo.txt"));
    ecrit_octets(source, "A 12 45\r\nB \xe9t\xe9 90\r\n");
    TForm2& f2 = *t_->programme->Form2;
    f6_->pilote = [&](TForm6& f) {
        QCOMPARE(f.width(), 605);
        QCOMPARE(f.titre, QStringLiteral("contenu de ") + source + QStringLiteral("\rdépart point n°3"));
        QVERIFY(f.message.isEmpty());
        QCOMPARE(f.lettres, QStringLiteral("OE"));
        QCOMPARE(f.Button2->text(), QStringLiteral("traiter"));
        QVERIFY(f.Memo1->isVisible());
        QCOMPARE(f.Memo1->height(), 105); // below the two lines of the title
        QCOMPARE(f.Memo1->toPlainText(), QStringLiteral("A 12 45\nB été 90"));
        f.Memo1->appendPlainText(QStringLiteral("C 3 180"));
        QTest::mousePress(f.Button2, Qt::LeftButton);
    };
    QVERIFY(f2.af_fic_txt_memo(source, travail, QStringLiteral("départ point n°3")));
    QCOMPARE(lit_octets(travail), QByteArray("A 12 45\r\nB \xe9t\xe9 90\r\nC 3 180\r\n"));
    QVERIFY(!f6_->Memo1->isVisible());
    QVERIFY(!f6_->Memo1->isVisibleTo(f6_));
}

void TestQuestion::controle_d_un_fichier_refuse() {
    const QString source = dossier_->fichier(QStringLiteral("caps.txt"));
    const QString travail = dossier_->fichier(QStringLiteral("~memo.txt"));
    ecrit_octets(source, "A 12 45\r\n");
    f6_->pilote = [](TForm6& f) { QTest::mousePress(f.Button3, Qt::LeftButton); };
    QVERIFY(!t_->programme->Form2->af_fic_txt_memo(source, travail, {}));
    QVERIFY(!existe(travail));
    QVERIFY(f6_->Memo1->toPlainText().isEmpty());
    QVERIFY(!f6_->Memo1->isVisibleTo(f6_));
}

void TestQuestion::controle_d_un_fichier_absent() {
    bool demande = false;
    f6_->pilote = [&](TForm6&) { demande = true; };
    const QString absent = dossier_->fichier(QStringLiteral("absent.txt"));
    QVERIFY(!t_->programme->Form2->af_fic_txt_memo(absent, dossier_->fichier(QStringLiteral("w.txt")), {}));
    QVERIFY(!demande);
    QCOMPARE(t_->port.textes("erreur"),
             std::vector<std::string>{"Impossible d'ouvrir le fichier <" + absent.toStdString() + ">"});
}

void TestQuestion::chaqueQuestionSeLitEnEntierSansChevauchement() {
    DialoguesScriptes dialogues;
    installe_dialogues(&dialogues);
    remplit(t_->programme->document, {2});
    TForm1& f1 = *t_->programme->Form1;
    TForm7& f7 = *t_->programme->Form7;
    const QString caps = dossier_->fichier(QStringLiteral("caps.txt"));
    ecrit_octets(caps, "A 100 0\r\nB 100 90\r\n");
    QString long_texte;
    for (int i = 1; i <= 120; ++i) long_texte += QStringLiteral("ligne %1\n").arg(i);
    // The conversion window asks through the user port: the real box, answered by the pilot.
    PortFenetres reel;
    const auto conversion = [&](void (TForm7::*commande)()) {
        return std::function<void()>([&, commande] {
            const PortInstalle p(reel);
            (f7.*commande)();
        });
    };
    const QString oui = QStringLiteral("Button2"), annuler = QStringLiteral("Button3");
    // Each road, and the button pressed in each box it shows.
    const std::vector<std::pair<std::function<void()>, QStringList>> chemins{
        {conversion(&TForm7::SpeedButton_ajouterClick), {annuler}},
        {conversion(&TForm7::SpeedButton4Click), {annuler}},
        {conversion(&TForm7::SpeedButton7Click), {annuler}},
        {[&] {
             dialogues.repond_fichier(caps);
             f1.Rajoutdepointscap1->trigger(); // the question, then the file's preview
         },
         {oui, annuler}},
        {[&] { f1.dlg_titre_message_ONEK_oui_non(QStringLiteral("t"), long_texte, QStringLiteral("ON"), {}, {}); },
         {oui}},
    };
    QStringList defauts, appuis;
    f6_->pilote = [&](TForm6& f) {
        if (const QString d = defauts_de_disposition(f); !d.isEmpty()) defauts << f.titre.left(40) + QStringLiteral(" : ") + d;
        if (!appuis.isEmpty()) QTest::mousePress(bouton(f, appuis.takeFirst()), Qt::LeftButton);
    };
    for (const auto& [chemin, boutons] : chemins) {
        appuis = boutons;
        chemin();
        QVERIFY(appuis.isEmpty());
    }
    installe_dialogues(nullptr);
    QVERIFY2(defauts.isEmpty(), qPrintable(defauts.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestQuestion)
#include "tst_question.moc"
