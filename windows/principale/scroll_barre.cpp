// The tool bar Panel1, the status bar and the floating panels of the main window.
#include "windows/principale/scroll.h"

#include "windows/commun/DispositionFlux.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vuv {
namespace {

enum class Dessin { image, tablette, image_lignes, carte_entiere, pinceau, gomme, annuler };

// The glyphs of the buttons that have no caption.
QIcon icone(Dessin d) {
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen trait(QColor(40, 40, 40), 1.4);
    switch (d) {
    case Dessin::image:
    case Dessin::image_lignes:
        p.setPen(trait);
        p.setBrush(QColor(150, 205, 240));
        p.drawRect(QRectF(2.5, 4.5, 17, 13));
        p.setBrush(QColor(70, 150, 70));
        p.drawPolygon(QPolygonF({QPointF(3, 17), QPointF(9, 9), QPointF(13, 14), QPointF(16, 11), QPointF(19, 17)}));
        if (d == Dessin::image_lignes) {
            p.setPen(QPen(QColor(220, 0, 0), 2));
            p.drawPolyline(QPolygonF({QPointF(4, 8), QPointF(10, 13), QPointF(18, 6)}));
        }
        break;
    case Dessin::tablette:
        p.setPen(trait);
        p.setBrush(QColor(230, 230, 220));
        p.drawRoundedRect(QRectF(2.5, 3.5, 17, 15), 2, 2);
        p.setPen(QPen(QColor(30, 30, 160), 1.6));
        p.drawLine(QPointF(6, 15), QPointF(15, 7));
        p.drawEllipse(QPointF(15, 7), 1.5, 1.5);
        break;
    case Dessin::carte_entiere:
        p.setPen(trait);
        p.setBrush(QColor(240, 228, 190));
        p.drawRect(QRectF(5.5, 6.5, 11, 9));
        p.setPen(QPen(QColor(30, 30, 160), 1.6));
        for (const auto& [a, b] : {std::pair{QPointF(2, 2), QPointF(5, 5)}, std::pair{QPointF(20, 2), QPointF(17, 5)},
                                   std::pair{QPointF(2, 20), QPointF(5, 17)}, std::pair{QPointF(20, 20), QPointF(17, 17)}})
            p.drawLine(a, b);
        break;
    case Dessin::pinceau:
        p.setPen(QPen(QColor(120, 70, 20), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(17, 3), QPointF(9, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 30, 30));
        p.drawEllipse(QPointF(7, 15), 3.5, 3.5);
        break;
    case Dessin::gomme:
        p.setPen(trait);
        p.setBrush(QColor(240, 150, 170));
        p.drawPolygon(QPolygonF({QPointF(3, 14), QPointF(12, 5), QPointF(19, 12), QPointF(12, 19), QPointF(8, 19)}));
        break;
    case Dessin::annuler: {
        QPainterPath f;
        f.moveTo(17, 16);
        f.cubicTo(17, 8, 12, 6, 6, 8);
        p.setPen(QPen(QColor(30, 30, 160), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(f);
        p.setBrush(QColor(30, 30, 160));
        p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(9, 4), QPointF(9, 12)}));
        break;
    }
    }
    return QIcon(pm);
}

QToolButton* bouton(QWidget* parent, const char* nom, const QString& texte, const QString& bulle, bool actif,
                    bool bascule = false) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setText(texte);
    b->setToolTip(bulle);
    b->setEnabled(actif);
    b->setCheckable(bascule);
    b->setAutoRaise(false);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setMinimumHeight(26);
    return b;
}

QToolButton* bouton_dessin(QWidget* parent, const char* nom, const QIcon& i, const QString& bulle, bool actif,
                           bool bascule = false) {
    QToolButton* b = bouton(parent, nom, QString(), bulle, actif, bascule);
    b->setIcon(i);
    b->setIconSize(QSize(22, 22));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return b;
}

QFrame* trait_vertical(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::VLine);
    f->setFrameShadow(QFrame::Sunken);
    f->setFixedSize(6, 26);
    return f;
}

QButtonGroup* groupe(QObject* parent, std::initializer_list<QToolButton*> boutons) {
    auto* g = new QButtonGroup(parent);
    g->setExclusive(true);
    for (QToolButton* b : boutons) g->addButton(b);
    return g;
}

} // namespace

void TForm1::construit_barre_outils() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    Panel1->setPalette(QPalette(QColor(240, 240, 240)));
    auto* flux = new DispositionFlux(Panel1, 3);
    flux->setContentsMargins(4, 4, 4, 4);
    const bool a_venir = false; // buttons whose features come with later work
    QStyle* s = style();

    SpeedButton1 = bouton_dessin(Panel1, "SpeedButton1", s->standardIcon(QStyle::SP_DialogOpenButton),
                                 QStringLiteral("Ouvrir "), a_venir);
    Speed6 = bouton_dessin(Panel1, "Speed6", s->standardIcon(QStyle::SP_DialogSaveButton), QString(), a_venir);
    SpeedButton5 = bouton_dessin(Panel1, "SpeedButton5", icone(Dessin::image), QString(), a_venir);
    SpeedButton4 = bouton_dessin(Panel1, "SpeedButton4", icone(Dessin::tablette), QString(), a_venir);
    SpeedButton11 = bouton_dessin(Panel1, "SpeedButton11", icone(Dessin::image_lignes),
                                  QStringLiteral("Enregistrer l'image avec les lignes"), a_venir);
    SpeedButton7 = bouton(Panel1, "SpeedButton7", QStringLiteral("Carte + Tableau"), QString(), true, true);
    SpeedButton9 = bouton(Panel1, "SpeedButton9", QStringLiteral("Carte seule"), QString(), true, true);
    SpeedButton6 = bouton(Panel1, "SpeedButton6", QStringLiteral("Points"), QString(), true, true);
    SpeedButton8 = bouton(Panel1, "SpeedButton8", QStringLiteral("Lignes"), QString(), true, true);
    SpeedButton2 = bouton(Panel1, "SpeedButton2", QStringLiteral("Nouvelle ligne"),
                          QStringLiteral("génère une couure de ligne (ou la barre d'espace)"), a_venir);
    SpeedButton3 = bouton(Panel1, "SpeedButton3", QStringLiteral("Supr. points"), QString(), a_venir);
    SpeedButton19 = bouton_dessin(Panel1, "SpeedButton19", icone(Dessin::carte_entiere),
                                  QStringLiteral("carte adaptée à la fenêtre  F10"), a_venir);
    SpeedButton10 = bouton(Panel1, "SpeedButton10", QStringLiteral("Redessiner"),
                           QStringLiteral("l'image SANS ZONES COLOREES"), a_venir);
    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("cumul"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    SpeedButton13 = bouton(Panel1, "SpeedButton13", QStringLiteral("Quitter"), QString(), true);

    Digitaliser = bouton(Panel1, "Digitaliser", QStringLiteral("Digitaliser"), QString(), a_venir, true);
    Surfacer = bouton(Panel1, "Surfacer", QStringLiteral("Surface"),
                      QStringLiteral("Calcul des longueurs et surfaces vectorisées"), a_venir, true);
    Cap = bouton(Panel1, "Cap", QStringLiteral("Cap et angle"),
                 QStringLiteral("calcul de cumuls de distances et caps  entre points digitalisés"), a_venir, true);
    Color_surf_fond_SpeedButton14 =
        bouton(Panel1, "Color_surf_fond_SpeedButton14", QStringLiteral("Colorer la surface"),
               QStringLiteral("peint la surface tant que la couleur est la même"), a_venir, true);
    Color_surf_bord_SpeedButton15 =
        bouton(Panel1, "Color_surf_bord_SpeedButton15", QStringLiteral("Colorer la surf. bordée"),
               QStringLiteral("peint toute surfaces j'usqu'à la limite de la couleur de bordure"), a_venir, true);
    Choix_bord_SpeedButton16 =
        bouton(Panel1, "Choix_bord_SpeedButton16", QStringLiteral("Choix couleur de bord"),
               QStringLiteral("Prélèver la couleur choisie de la bordure SUR L'IMAGE"), a_venir, true);
    Coul_Bord_Panel5 = new QFrame(Panel1);
    Coul_Bord_Panel5->setObjectName(QStringLiteral("Coul_Bord_Panel5"));
    Coul_Bord_Panel5->setFrameShape(QFrame::Panel);
    Coul_Bord_Panel5->setFixedSize(26, 26);
    Choix_fond_SpeedButton20 =
        bouton(Panel1, "Choix_fond_SpeedButton20", QStringLiteral("Choix couleur de fond"),
               QStringLiteral("couleur de fond utilisée pour marquer les surfaces à mesurer"), a_venir, true);
    Coul_fond_Panel6 = new QFrame(Panel1);
    Coul_fond_Panel6->setObjectName(QStringLiteral("Coul_fond_Panel6"));
    Coul_fond_Panel6->setFrameShape(QFrame::Panel);
    Coul_fond_Panel6->setFixedSize(26, 26);
    Coul_fond_Panel6->setToolTip(QStringLiteral("couleur de fond utilisée pour marquer les surfaces à mesurer"));
    Pinceau_SpeedButton20 = bouton_dessin(Panel1, "Pinceau_SpeedButton20", icone(Dessin::pinceau),
                                          QStringLiteral("pinceau"), a_venir, true);
    Gomme_SpeedButton21 = bouton_dessin(Panel1, "Gomme_SpeedButton21", icone(Dessin::gomme),
                                        QStringLiteral("gomme"), a_venir, true);
    Annuler_SpeedButton14 = bouton_dessin(Panel1, "Annuler_SpeedButton14", icone(Dessin::annuler),
                                          QStringLiteral("Annuler la dernière coloration"), a_venir);
    SpeedButton12 = bouton(Panel1, "SpeedButton12", QStringLiteral("-> Calcul Surf colorée"),
                           QStringLiteral("calcul de surfaces colorée en couleur de fond"), a_venir);
    SpeedButton17 = bouton(Panel1, "SpeedButton17", QStringLiteral("n && b : seuil de gris ->"),
                           QStringLiteral("modifie le contraste momentanément ( clik sur Redessiner pour annuler)"),
                           a_venir, true);
    Edit1 = new QLineEdit(QStringLiteral("10"), Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QStringLiteral("seuil de gris "));
    Edit1->hide(); // lies under Edit2 and only triggers runs
    Edit2 = new QLineEdit(QStringLiteral("10"), Panel1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setToolTip(QStringLiteral("seuil de gris  (x 1 000 000)"));
    Edit2->setFixedWidth(40);
    Edit2->setEnabled(a_venir);
    Sans_ligne_SpeedButton = bouton(Panel1, "Sans_ligne_SpeedButton", QStringLiteral("sans lignes ni pts"),
                                    QStringLiteral("image sans les lignes et points (pour les surfaces)"), a_venir, true);
    SpeedButton18 = bouton(Panel1, "SpeedButton18", QStringLiteral("avec les lignes"),
                           QStringLiteral("image avec les lignes ou points"), a_venir, true);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedSize(120, 16);

    groupe_fenetres = groupe(this, {SpeedButton7, SpeedButton9});
    groupe_trace_boutons = groupe(this, {SpeedButton6, SpeedButton8});
    groupe_outils = groupe(this, {Digitaliser, Surfacer, Cap, Color_surf_fond_SpeedButton14,
                                  Color_surf_bord_SpeedButton15, Choix_bord_SpeedButton16, Choix_fond_SpeedButton20,
                                  SpeedButton17, Pinceau_SpeedButton20, Gomme_SpeedButton21});
    groupe_lignes = groupe(this, {Sans_ligne_SpeedButton, SpeedButton18});
    SpeedButton9->setChecked(true);
    Digitaliser->setChecked(true);
    SpeedButton18->setChecked(true);

    // The six colouring tools appear with the fill modes.
    for (QWidget* w : {static_cast<QWidget*>(Choix_bord_SpeedButton16), static_cast<QWidget*>(Coul_Bord_Panel5),
                       static_cast<QWidget*>(Choix_fond_SpeedButton20), static_cast<QWidget*>(Coul_fond_Panel6),
                       static_cast<QWidget*>(Pinceau_SpeedButton20), static_cast<QWidget*>(Gomme_SpeedButton21)})
        w->hide();

    for (QWidget* w : std::initializer_list<QWidget*>{
             SpeedButton1, Speed6, SpeedButton5, SpeedButton4, SpeedButton11, trait_vertical(Panel1), SpeedButton7,
             SpeedButton9, trait_vertical(Panel1), SpeedButton6, SpeedButton8, trait_vertical(Panel1), SpeedButton2,
             SpeedButton3, trait_vertical(Panel1), SpeedButton19, SpeedButton10, trait_vertical(Panel1), Digitaliser,
             Surfacer, Cap, trait_vertical(Panel1), Color_surf_fond_SpeedButton14, Color_surf_bord_SpeedButton15,
             Choix_bord_SpeedButton16, Coul_Bord_Panel5, Choix_fond_SpeedButton20, Coul_fond_Panel6,
             Pinceau_SpeedButton20, Gomme_SpeedButton21, Annuler_SpeedButton14, SpeedButton12, SpeedButton17, Edit2,
             trait_vertical(Panel1), Sans_ligne_SpeedButton, SpeedButton18, ProgressBar1, Label1, Label2,
             trait_vertical(Panel1), SpeedButton13})
        flux->addWidget(w);

    connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButtonCartTablClick);
    connect(SpeedButton9, &QToolButton::clicked, this, &TForm1::SpeedButtonCarteClick);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::Points1Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::Lignes1Click);
    connect(SpeedButton13, &QToolButton::clicked, this, &TForm1::touche_quitter);
}

int TForm1::largeur_panneau(const QLabel* p, const QString& texte) {
    const QMargins m = p->contentsMargins();
    return p->fontMetrics().horizontalAdvance(texte) + m.left() + m.right() + 2 * p->frameWidth() + 4;
}

void TForm1::construit_barre_etat() {
    QStatusBar* barre = statusBar();
    barre->setObjectName(QStringLiteral("StatusBar1"));
    barre->setSizeGripEnabled(false);
    int largeurs[3] = {200, 300, 0};
    for (int i = 0; i < 3; ++i) {
        auto* p = new QLabel(barre);
        p->setObjectName(QStringLiteral("StatusBar1_%1").arg(i));
        p->setContentsMargins(2, 0, 2, 0); // the status bar draws the panels' borders
        // Panel 0 holds both coordinates whole at 8 decimals, northings of 8 digits included.
        if (i == 0) largeurs[0] = largeur_panneau(p, QStringLiteral("X= 0000000,00000000 Y= 00000000,00000000"));
        if (largeurs[i] > 0) {
            p->setFixedWidth(largeurs[i]);
            barre->addWidget(p);
        } else {
            p->setMinimumWidth(1);
            barre->addWidget(p, 1);
        }
        StatusBar1_panneaux[i] = p;
    }
}

namespace {

QFrame* panneau_flottant(QWidget* parent, const char* nom, const QSize& taille, const QString& titre) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(nom));
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Raised);
    p->setLineWidth(2);
    p->resize(taille);
    if (!titre.isEmpty()) {
        auto* l = new QLabel(titre, p);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->move(8, 6);
    }
    p->hide();
    return p;
}

} // namespace

void TForm1::construit_panneaux() {
    Panel5 = panneau_flottant(this, "Panel5", QSize(300, 220), QStringLiteral("Calibration"));
    Panel8 = panneau_flottant(this, "Panel8", QSize(300, 150), QString());
    Panel_z = panneau_flottant(this, "Panel_z", QSize(240, 130), QString());

    construit_mesures();
    construit_export();
}

} // namespace vuv
