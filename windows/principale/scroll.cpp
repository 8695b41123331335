#include "windows/principale/scroll.h"

#include "core/document/Document.h"
#include "core/reglages/DossierProgramme.h"
#include "core/reglages/FichiersReglages.h"
#include "windows/commun/Textes.h"
#include "windows/demarrage/CheminArgument.h"
#include "windows/principale/BarreOutils.h"
#include "windows/principale/MenuPrincipal.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/edition/ModeEdition.h"
#include "windows/principale/trace/ModeSuivi.h"
#include "windows/principale/grille/TraceQuadrillage.h"

#include <QAction>
#include <QButtonGroup>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

namespace vuv {

TForm1::TForm1(Document& document, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), doc(document), annulation(document) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("    v u v i v i v a"));
    construit_menu_principal(*this);
    construit_zone_centrale();
    construit_barre_etat();
    construit_panneaux();
    construit_vue();
    construit_fond();
    construit_georef();
    construit_annulation();

    ligne_commande = chemin_argument(arguments);

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::construit_zone_centrale() {
    auto* centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("centre"));
    auto* grille = new QGridLayout(centre);
    grille->setContentsMargins(0, 0, 0, 0);
    grille->setSpacing(0);

    Image1 = new ZoneImage(centre);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(QStringLiteral("digitaliser et calibrer"));
    ScrollBar2 = new QScrollBar(Qt::Vertical, centre);
    ScrollBar2->setObjectName(QStringLiteral("ScrollBar2"));
    ScrollBar1 = new QScrollBar(Qt::Horizontal, centre);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));

    construit_barre_outils(*this);
    Panel1->setParent(centre);
    connect(groupe_outils, &QButtonGroup::idToggled, this, [this](int id, bool coche) {
        if (coche) mode_souris_ = static_cast<ModeSouris>(id);
    });
    mode_edition = std::make_unique<ModeEdition>(*this);
    quadrillage = new TraceQuadrillage(Image1, Options1, doc, calque);

    grille->addWidget(Image1, 0, 0);
    grille->addWidget(ScrollBar2, 0, 1);
    grille->addWidget(ScrollBar1, 1, 0);
    grille->addWidget(Panel1, 2, 0, 1, 2);
    grille->setRowStretch(0, 1);
    grille->setColumnStretch(0, 1);
    setCentralWidget(centre);
}

void TForm1::FormCreate() {
    setWindowTitle(windowTitle() + QStringLiteral("  3.3"));
    // The normal size is the whole work area too, for desktops that cannot maximize.
    if (const QScreen* s = QGuiApplication::primaryScreen()) setGeometry(s->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);

    ignore_clic_suivant = false;
    doc.sauve = true;
    couleur_fond = QColor(100, 100, 100);
    couleur_calque_vide = QColor(139, 231, 195);
    peindre_fond_au_redimensionnement = true;
    marge_barre_taches = 40;
    doc.ndecimale = 8;
    dossier_programme = qs(vuv::dossier_programme());

    sens_roulette = sens_roulette_enregistre();
    rouletteinverse1->setChecked(sens_roulette == -1);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, couleur_fond);
    centralWidget()->setPalette(pal);
    centralWidget()->setAutoFillBackground(true);
    Image1->fixe_couleur_fond(couleur_fond);

    doc.nb_points = 0;
    doc.num_ligne = 1;
    doc.nouvelle_ligne = true;

    SpeedButton2->setToolTip(QStringLiteral(" nouvelle suite de points [F7, espace]"));
    SpeedButton3->setToolTip(QStringLiteral(" effacer le dernier point [suppr]"));
    SpeedButton4->setToolTip(QStringLiteral(" nouvelle saisie table à digitaliser"));
    SpeedButton5->setToolTip(QStringLiteral(" Charger une image de fond"));
    Speed6->setToolTip(QStringLiteral(" Enregistrer les points"));
    SpeedButton1->setToolTip(QStringLiteral(" Lire un tableau de points Maj F2"));

    doc.nb_calage = 0;
    ligne_depart_cap = 1;
    choisir_depart = true;
    distance_cumulee = 0;

    mode_trace(true);
    if (isMaximized()) retient_taille_max();
    doc.dx0 = 0;
    doc.dy0 = 0;

    Memo1->clear();
    Label1->clear();
    Label2->clear();
    Coul_Bord_Panel5->setStyleSheet(QStringLiteral("background-color: rgb(0, 0, 0);"));

    efface_fichier_programme(fichier_annulation_coloree);

    const QScreen* ecran = QGuiApplication::primaryScreen();
    const QRect e = ecran ? ecran->geometry() : QRect(0, 0, 800, 600);
    QCursor::setPos(e.width() / 2 - 150, e.height() / 2);

    // The three floating panels share the screen's centre and the calibration panel's colour.
    const QString brun = QStringLiteral("QFrame#%1 { background-color: rgb(190, 150, 70); }");
    Panel5->move((e.width() - Panel5->width()) / 2, (e.height() - Panel5->height()) / 2);
    Panel5->setStyleSheet(brun.arg(Panel5->objectName()));
    for (QFrame* p : {Panel8, Panel_z}) {
        p->move(Panel5->pos());
        p->setStyleSheet(brun.arg(p->objectName()));
    }
}

void TForm1::retient_taille_max() {
    taille_max_fenetre = frameGeometry().size();
    taille_max_client = size();
}

bool TForm1::en_mode_tablette() const { return Tabledigitaliser1->isChecked(); }

void TForm1::mode_trace(bool lignes) {
    Lignes1->setChecked(lignes);
    Points1->setChecked(!lignes);
    SpeedButton8->setChecked(lignes);
    SpeedButton6->setChecked(!lignes);
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    // The key table runs in eventFilter, before any control.
    QMainWindow::keyPressEvent(e);
}

} // namespace vuv
