#include "windows/conversion/Convert.h"

#include "core/fichiers/EcritureSure.h"
#include "core/geo/UTMLaLo.h"
#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "core/ui/PortUtilisateur.h"
#include "platform/Classeur.h"
#include "platform/Plateforme.h"
#include "windows/commun/Dialogues.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/commun/ModeleGrille.h"
#include "windows/commun/Sablier.h"
#include "windows/commun/Textes.h"
#include "windows/question/Unit6.h"
#include "windows/conversion/GrilleConversion.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <memory>

namespace vuv {
namespace {

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte, const QString& bulle = {}) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    if (!bulle.isEmpty()) b->setToolTip(bulle);
    b->setFocusPolicy(Qt::NoFocus); // speed buttons: the grid keeps the focus and its current cell
    return b;
}

QLabel* texte(QWidget* parent, const QString& t) {
    auto* l = new QLabel(t, parent);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    return l;
}

QHBoxLayout* rangee(QVBoxLayout* colonne, std::initializer_list<QWidget*> widgets) {
    auto* r = new QHBoxLayout;
    for (QWidget* w : widgets) r->addWidget(w);
    r->addStretch(1);
    colonne->addLayout(r);
    return r;
}

} // namespace

TForm7::TForm7(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Convertions"));
    resize(1000, 700);
    FormCreate();
}

TForm7::~TForm7() {
    // The view and its model read the table, a member that dies before the QWidget base.
    delete StringGrid1;
    delete modele_;
}

void TForm7::FormCreate() {
    prepare_feuille(grille);
    colonnes = colonnes_feuille(grille);
    construit();
}

void TForm7::construit() {
    modele_ = new ModeleGrille(grille, this);
    StringGrid1 = new GrilleConversion(*modele_, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));

    SpeedButton1 = bouton(this, "SpeedButton1", QStringLiteral("Retour"));
    SpeedButton2 = bouton(this, "SpeedButton2", QStringLiteral("Quitter direct"));
    BitBtn2 = bouton(this, "BitBtn2", QStringLiteral("UTM --> Lat,Long"), QStringLiteral("le calcul écrase les Lat et Long"));
    BitBtn1 = bouton(this, "BitBtn1", QStringLiteral("°lat,°long °'\"--> UTM  (tous)"),
                     QStringLiteral("Calcul dans TOUS les cas si Lat et Long "));
    BitBtn3 = bouton(this, "BitBtn3", QStringLiteral("°lat,°long °'\"--> UTM (vide) "),
                     QStringLiteral("SI les colonnes Est ET Nord sont vides ALORS Calcul"));
    BitBtn4 = bouton(this, "BitBtn4", QStringLiteral("°lat,°long °'\"--> x et y "), QStringLiteral("Calcul dans TOUS les cas"));
    BitBtn5 = bouton(this, "BitBtn5", QStringLiteral("°lat °long --> Lat Long"), QStringLiteral("dégré ° ---> décimal"));
    BitBtn6 = bouton(this, "BitBtn6", QStringLiteral("Lat Long --> °lat °long"), QStringLiteral("décimal ---> degrés °"));
    SpeedButton4 = bouton(this, "SpeedButton4", QStringLiteral("Importer un fichier XLS UTM->°lat,]lon"));
    SpeedButton7 = bouton(this, "SpeedButton7", QStringLiteral("Importer un fichier XLS °lat,]lon->UTM"));
    SpeedButton_ajouter = bouton(this, "SpeedButton_ajouter", QStringLiteral("Importer un fichier texte (csv)"));
    SpeedButton_presse_papier = bouton(this, "SpeedButton_presse_papier", QStringLiteral("Presse papier"));
    SpeedButton3 = bouton(this, "SpeedButton3", QStringLiteral("F5=recopie -> fin"));
    SpeedButton5 = bouton(this, "SpeedButton5", QStringLiteral("Lancer Excel avec ..."));
    SpeedButton6 = bouton(this, "SpeedButton6", QStringLiteral("Aide "));
    SpeedButton8 = bouton(this, "SpeedButton8", QStringLiteral("Tout effacer"));
    SpeedButton9 = bouton(this, "SpeedButton9", QStringLiteral("Aide UTM.pdf"));

    Edit1 = new QLineEdit(QStringLiteral("6378"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(QStringLiteral("6347"), this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    for (QLineEdit* e : {Edit1, Edit2}) e->setFixedWidth(60);
    Label10 = texte(this, QStringLiteral("< ") + QChar::fromLatin1(separateur_decimal()) + QStringLiteral(" >"));
    Label10->setObjectName(QStringLiteral("Label10"));
    Label1 = texte(this, QStringLiteral("Nombre de points"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label6 = texte(this, QStringLiteral("Fichier XLS"));
    Label6->setObjectName(QStringLiteral("Label6"));

    auto* colonne = new QVBoxLayout(this);
    rangee(colonne, {SpeedButton1, SpeedButton2, SpeedButton6, SpeedButton9, SpeedButton8, SpeedButton3,
                     SpeedButton_presse_papier});
    rangee(colonne, {SpeedButton_ajouter, SpeedButton4, SpeedButton7, SpeedButton5, Label6, Label1});
    rangee(colonne, {BitBtn2, BitBtn1, BitBtn3, BitBtn4, BitBtn5, BitBtn6});
    rangee(colonne, {texte(this, QStringLiteral("Périmètre de la Terre=40076 Km    R=6378 Km  1°=111 Km  1'=1855 m  1\"=31m")),
                     texte(this, QStringLiteral("Séparateur décimal =")), Label10});
    rangee(colonne, {texte(this, QStringLiteral("si   Ra =")), Edit1, texte(this, QStringLiteral("et Rb =")), Edit2,
                     texte(this, QStringLiteral("alors x = (Long - L0) . Ra . cos(Lat) + 500  avec L0, milieu du fuseau  "
                                                "(-3,+3,+9,+15...)  et   y = Rb . Lat   si  Lat < 0  ->  y = y + 10 000 "
                                                "en mètres"))});
    rangee(colonne, {texte(this, QStringLiteral(" X est compris entre 166 et 834km  (500km +/- 3° * 111.1km/° à "
                                                "l'équateur)."))});
    colonne->addWidget(StringGrid1, 1);

    ComboBox1 = new QComboBox(StringGrid1->viewport());
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (int i = nb_ellipsoides - 1; i >= 0; --i) ComboBox1->addItem(QString::fromUtf8(Ellipsoid[static_cast<std::size_t>(i)].Name));
    ComboBox1->setCurrentIndex(0);
    ComboBox1->hide();
    ComboBox1->installEventFilter(this);

    Memo2 = new QPlainTextEdit(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Memo2->setTabStopDistance(140);
    Memo2->setPlainText(lignes_affichees(qs(texte_aide())));
    Memo2->hide();

    connect(SpeedButton1, &QPushButton::clicked, this, &QWidget::hide);
    connect(SpeedButton2, &QPushButton::clicked, this, [] { port().termine_application(); });
    connect(BitBtn2, &QPushButton::clicked, this, &TForm7::BitBtn_UTM_to_LatLonClick);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(BitBtn1); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn1Click(BitBtn3); });
    connect(BitBtn4, &QPushButton::clicked, this, &TForm7::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(BitBtn5); });
    connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn5Click(BitBtn6); });
    connect(SpeedButton4, &QPushButton::clicked, this, &TForm7::SpeedButton4Click);
    connect(SpeedButton7, &QPushButton::clicked, this, &TForm7::SpeedButton7Click);
    connect(SpeedButton_ajouter, &QPushButton::clicked, this, &TForm7::SpeedButton_ajouterClick);
    connect(SpeedButton_presse_papier, &QPushButton::clicked, this, &TForm7::SpeedButton_presse_papierClick);
    connect(SpeedButton3, &QPushButton::clicked, this, &TForm7::SpeedButton3Click);
    connect(SpeedButton5, &QPushButton::clicked, this, &TForm7::SpeedButton5Click);
    connect(SpeedButton6, &QPushButton::clicked, this, &TForm7::SpeedButton6Click);
    connect(SpeedButton8, &QPushButton::clicked, this, &TForm7::SpeedButton8Click);
    connect(SpeedButton9, &QPushButton::clicked, this, &TForm7::SpeedButton9Click);
    connect(StringGrid1, &GrilleConversion::souris_enfoncee, this, &TForm7::StringGrid1MouseDown);
    connect(StringGrid1, &GrilleConversion::colle, this, &TForm7::colle_presse_papier);
    connect(ComboBox1, &QComboBox::activated, this, &TForm7::choisit_ellipsoide);
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    f5->setContext(Qt::WindowShortcut);
    connect(f5, &QShortcut::activated, this, &TForm7::SpeedButton3Click);
}

bool TForm7::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !(windowState() & Qt::WindowMaximized))
        setWindowState(windowState() | Qt::WindowMaximized);
    if (e->type() == QEvent::WindowDeactivate)
        if (TForm1* f1 = fenetres().Form1) f1->update();
    return QWidget::event(e);
}

void TForm7::lance(Calcul calcul) {
    const long double Ra = conversion::val_reel(ss(Edit1->text()));
    const long double Rb = conversion::val_reel(ss(Edit2->text()));
    const long total = grille.row_count() - 1;
    std::unique_ptr<QProgressDialog> barre;
    Avancement avancement;
    if (total > lignes_sans_avancement) {
        barre = std::make_unique<QProgressDialog>(QStringLiteral("Conversion en cours..."), QStringLiteral("Annuler"), 0,
                                                  static_cast<int>(total), this);
        barre->setWindowModality(Qt::WindowModal);
        barre->setMinimumDuration(0);
        avancement = [&barre](long fait, long) {
            barre->setValue(static_cast<int>(fait));
            return !barre->wasCanceled();
        };
    }
    Bilan b;
    {
        const Sablier sablier;
        b = calcule(grille, colonnes, calcul, Ra, Rb, avancement);
    }
    barre.reset();
    const std::string m = message_bilan(b);
    if (!m.empty()) port().information(m);
}

void TForm7::BitBtn5Click(QObject* sender) {
    lance(sender == BitBtn5 ? Calcul::AnglesVersDecimal : Calcul::DecimalVersAngles);
}

void TForm7::BitBtn4Click() { lance(Calcul::XY); }

void TForm7::BitBtn1Click(QObject* sender) {
    lance(sender == BitBtn3 ? Calcul::AnglesVersUTMVides : Calcul::AnglesVersUTM);
}

void TForm7::BitBtn_UTM_to_LatLonClick() { lance(Calcul::UTMVersLatLon); }

void TForm7::SpeedButton4Click() { importe_classeur(true); }

void TForm7::SpeedButton7Click() { importe_classeur(false); }

void TForm7::importe_classeur(bool utm) {
    const std::string message =
        utm ? "le fichier doit contenir \r\nligne 1 colonne 1 ( Zone ) et 2ème colonne son code UTM               \r"
              "ligne 2 colonne 1 (Ellipsoide) et 2ème colonne son sigle Ex. WGS 84   \rligne 3 colonne 1 (Hémisphère) "
              "et 2ème colonne son code Ex. N         \rligne 4 colonne 1 (Libellé) colonne 2 (X ou Est) colonne 3 "
              "(Y ou Nord)\ret ensuite les valeurs par Ex.  |  Segbe     | 304251 | 691458 |...   \rLa lecture "
              "s'arrête si le Libellé est vide"
            : "\rle fichier doit contenir \r\rColonne 1(Nom) colonne 2(Latitude) colonne 3(Longitude)\ravec O et S "
              "remplaçant le signe négatif 15° O=-15° E\rLa lecture s'arrête si le Nom est vide\ret la 1ère ligne "
              "n'est pas lue ";
    const std::string reponse = port().question("Importer un fichier Excel XLS", message, "ONE", "Importer", "Exemple");
    if (reponse == "N") {
        const QString nom = utm ? QStringLiteral("Exemple UTM to LatLong") : QStringLiteral("Exemple LatLog to UTM");
        const std::string exemple = prepare_exemple(ss(nom), ss(chemin_livre(nom + QStringLiteral(".xl0"))));
        if (!exemple.empty()) dialogues().ouvre_document(qs(exemple));
        return;
    }
    if (reponse != "O") return;
    DemandeFichier d;
    d.titre = utm ? QStringLiteral("Ouvrir un fichier UTM  Lib[1] X ou Est[2] Y ou Nord[3]")
                  : QStringLiteral("Ouvrir un fichier Lat/Lon  Lib[1] Lat[2]  Long[3] ");
    d.dossier = qs(premiere_ligne_lecture(fichier_dernier_dossier));
    d.filtre = QStringLiteral("Fichiers (*.xls; *.xlsx; *.ods; *.txt)|*.xls;*.xlsx;*.ods;*.txt");
    const auto fichier = dialogues().ouvrir(d);
    if (!fichier) return;
    Label6->setText(*fichier);
    if (fichier->toUpper().contains(QStringLiteral(".XLA"))) {
        port().information("Le fichier <" + ss(*fichier) + "> n'est pas valide\r" +
                           "veuillez désactiver cette macro complémentaire...");
        return;
    }
    long n = 0;
    {
        const Sablier sablier;
        try {
            const Cellules cellules = lit_classeur(ss(*fichier), 1002);
            n = utm ? importe_classeur_utm(grille, colonnes, cellules) : importe_classeur_latlon(grille, colonnes, cellules);
        } catch (const ErreurFichier& e) {
            port().erreur(e.what());
            return;
        }
    }
    Label1->setText(QString::number(n) + QStringLiteral(" points"));
}

void TForm7::SpeedButton_ajouterClick() {
    if (port().question("Importer un fichier texte UTM WGS 84 (séparatuer=Tab)",
                        "le fichier doit contenir les colonnes \n(Lib)  en colonne 1                   \n(Nord) en "
                        "colonne 4                   \n(Est)  en colonne 5                   ",
                        "OE", "importer", "annuler") != "O")
        return;
    DemandeFichier d;
    d.titre = QStringLiteral("Ouvrir un fichier UTM  Lib[1] Nord[4]  Est[5]");
    d.dossier = qs(premiere_ligne_lecture(fichier_dernier_dossier));
    d.filtre = QStringLiteral("Fichiers (*.txt)|*.txt;*.prn;*.csv");
    const auto fichier = dialogues().ouvrir(d);
    if (!fichier) return;
    premiere_ligne_enregistre(fichier_dernier_dossier, dossier_de(ss(*fichier)));
    TForm2* f2 = fenetres().Form2;
    if (!f2 || !f2->af_fic_txt_memo(*fichier, QStringLiteral("~memo.txt"), {})) return;
    long n = 0;
    {
        const Sablier sablier;
        try {
            n = importe_texte(grille, colonnes, cp1252_vers_utf8(lit_fichier("~memo.txt")));
        } catch (const ErreurFichier& e) {
            port().erreur(e.what());
            return;
        }
    }
    Label1->setText(QString::number(n) + QStringLiteral(" positions"));
    if (TForm6* f6 = fenetres().Form6) f6->Memo1->clear();
}

void TForm7::SpeedButton_presse_papierClick() { exporte_feuille(grille); }

void TForm7::SpeedButton3Click() {
    const int c = StringGrid1->col();
    const int r = StringGrid1->row();
    if (r < 1) return;
    if (port().question("recopie", "copier <" + std::string(grille.cell(c, r)) + ">  j'usqu'à la fin", "ON", "recopier",
                        "annuler") == "O")
        recopie_vers_le_bas(grille, c, r);
}

void TForm7::SpeedButton5Click() {
    // Without the file there is no spreadsheet program of our own to start empty.
    const QString chemin = Label6->text();
    if (QFileInfo(chemin).isFile()) dialogues().ouvre_document(QFileInfo(chemin).absoluteFilePath());
}

void TForm7::SpeedButton6Click() {
    if (Memo2->isVisible()) {
        Memo2->hide();
        SpeedButton6->setText(QStringLiteral("Aide"));
        return;
    }
    const QRect g = StringGrid1->geometry();
    Memo2->setGeometry(g.x(), g.y() + 150, g.width(), std::max(g.height() - 150, 100));
    Memo2->show();
    Memo2->raise();
    SpeedButton6->setText(QStringLiteral("Fermer l'aide"));
}

void TForm7::SpeedButton8Click() { efface_feuille(grille); }

void TForm7::SpeedButton9Click() {
    const QString guide = QStringLiteral("Projection_UTM.pdf");
    if (QFileInfo(guide).isFile()) dialogues().ouvre_document(QDir::current().absoluteFilePath(guide));
    else port().information("<" + ss(guide) + "> introuvable");
}

void TForm7::colle_presse_papier() {
    const int c = std::max(StringGrid1->col(), 1);
    const int r = std::max(StringGrid1->row(), 1);
    const std::string texte = port().presse_papier_lit();
    if (texte.empty()) return;
    std::string refus;
    {
        const Sablier sablier;
        refus = colle(grille, c, r, texte);
    }
    if (!refus.empty()) port().information(refus);
}

void TForm7::StringGrid1MouseDown(Qt::MouseButton b) {
    if (b != Qt::RightButton || StringGrid1->col() != colonnes.ellipsoide || StringGrid1->row() < 1) {
        ComboBox1->hide();
        return;
    }
    const QRect cellule = StringGrid1->visualRect(StringGrid1->currentIndex());
    ComboBox1->setGeometry(cellule.x(), cellule.y(), std::max(cellule.width(), 170), ComboBox1->sizeHint().height());
    ComboBox1->show();
    ComboBox1->raise();
    ComboBox1->setFocus();
}

void TForm7::choisit_ellipsoide(int index) {
    const int r = StringGrid1->row();
    if (r >= 1 && index >= 0) grille.set_cell(StringGrid1->col(), r, ss(ComboBox1->itemText(index)));
    ComboBox1->hide();
    StringGrid1->setFocus();
}

bool TForm7::eventFilter(QObject* objet, QEvent* e) {
    if (objet == ComboBox1 && e->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(e)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) choisit_ellipsoide(ComboBox1->currentIndex());
        else ComboBox1->hide();
        return touche == Qt::Key_Return || touche == Qt::Key_Enter;
    }
    return QWidget::eventFilter(objet, e);
}

} // namespace vuv
