#include "windows/principale/BarreOutils.h"

#include "windows/commun/DispositionFlux.h"
#include "windows/commun/EtiquetteElidee.h"
#include "windows/principale/scroll.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QStyle>
#include <QToolButton>

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

// The buttons of the bar, created in the order the focus travels. bascule: a button that stays in.
struct Barre {
    QWidget* panneau;

    QToolButton* bouton(const char* nom, const char* texte, const char* bulle, bool actif, bool bascule = false) const {
        auto* b = new QToolButton(panneau);
        b->setObjectName(QString::fromLatin1(nom));
        b->setText(QString::fromUtf8(texte));
        b->setToolTip(QString::fromUtf8(bulle));
        b->setEnabled(actif);
        b->setCheckable(bascule);
        b->setAutoRaise(false);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setMinimumHeight(26);
        return b;
    }
    QToolButton* dessin(const char* nom, const QIcon& i, const char* bulle, bool actif, bool bascule = false) const {
        QToolButton* b = bouton(nom, "", bulle, actif, bascule);
        b->setIcon(i);
        b->setIconSize(QSize(22, 22));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        return b;
    }
    // A swatch showing a colour of the colouring tools.
    QFrame* echantillon(const char* nom, const char* bulle) const {
        auto* c = new QFrame(panneau);
        c->setObjectName(QString::fromLatin1(nom));
        c->setFrameShape(QFrame::Panel);
        c->setFixedSize(26, 26);
        c->setToolTip(QString::fromUtf8(bulle));
        return c;
    }
    QLineEdit* saisie(const char* nom, const char* texte, const char* bulle) const {
        auto* e = new QLineEdit(QString::fromUtf8(texte), panneau);
        e->setObjectName(QString::fromLatin1(nom));
        e->setToolTip(QString::fromUtf8(bulle));
        return e;
    }
    // A label whose text grows while the mouse moves: a fixed room, or the bar would wrap.
    QLabel* etiquette_fixe(const char* nom, const char* texte, int caracteres) const {
        auto* l = new EtiquetteElidee(QString::fromUtf8(texte), caracteres, panneau);
        l->setObjectName(QString::fromLatin1(nom));
        return l;
    }
    QFrame* trait_vertical() const {
        auto* t = new QFrame(panneau);
        t->setFrameShape(QFrame::VLine);
        t->setFrameShadow(QFrame::Sunken);
        t->setFixedSize(6, 26);
        return t;
    }
};

QButtonGroup* groupe(QObject* parent, std::initializer_list<QToolButton*> boutons) {
    auto* g = new QButtonGroup(parent);
    g->setExclusive(true);
    int id = 0;
    for (QToolButton* b : boutons) g->addButton(b, id++);
    return g;
}

} // namespace

void construit_barre_outils(TForm1& f) {
    f.Panel1 = new QWidget(&f);
    f.Panel1->setObjectName(QStringLiteral("Panel1"));
    f.Panel1->setAutoFillBackground(true);
    f.Panel1->setPalette(QPalette(QColor(240, 240, 240)));
    auto* flux = new DispositionFlux(f.Panel1, 3);
    flux->setContentsMargins(4, 4, 4, 4);
    const bool a_venir = false; // buttons whose features come with later work
    const QStyle* s = f.style();
    const Barre b{f.Panel1};

    f.SpeedButton1 = b.dessin("SpeedButton1", s->standardIcon(QStyle::SP_DialogOpenButton), "Ouvrir ", a_venir);
    f.Speed6 = b.dessin("Speed6", s->standardIcon(QStyle::SP_DialogSaveButton), "", a_venir);
    f.SpeedButton5 = b.dessin("SpeedButton5", icone(Dessin::image), "", a_venir);
    f.SpeedButton4 = b.dessin("SpeedButton4", icone(Dessin::tablette), "", a_venir);
    f.SpeedButton11 = b.dessin("SpeedButton11", icone(Dessin::image_lignes), "Enregistrer l'image avec les lignes", a_venir);
    f.SpeedButton7 = b.bouton("SpeedButton7", "Carte + Tableau", "", true, true);
    f.SpeedButton9 = b.bouton("SpeedButton9", "Carte seule", "", true, true);
    f.SpeedButton6 = b.bouton("SpeedButton6", "Points", "", true, true);
    f.SpeedButton8 = b.bouton("SpeedButton8", "Lignes", "", true, true);
    f.SpeedButton2 = b.bouton("SpeedButton2", "Nouvelle ligne", "génère une couure de ligne (ou la barre d'espace)", a_venir);
    f.SpeedButton3 = b.bouton("SpeedButton3", "Supr. points", "", a_venir);
    f.SpeedButton19 = b.dessin("SpeedButton19", icone(Dessin::carte_entiere), "carte adaptée à la fenêtre  F10", a_venir);
    f.SpeedButton10 = b.bouton("SpeedButton10", "Redessiner", "l'image SANS ZONES COLOREES", a_venir);
    f.Label1 = b.etiquette_fixe("Label1", "", 36);
    f.Label2 = b.etiquette_fixe("Label2", "cumul", 40);
    f.SpeedButton13 = b.bouton("SpeedButton13", "Quitter", "", true);
    // The mouse modes: their ids in groupe_outils are the values of TForm1::ModeSouris.
    f.Digitaliser = b.bouton("Digitaliser", "Digitaliser", "", a_venir, true);
    f.Surfacer = b.bouton("Surfacer", "Surface", "Calcul des longueurs et surfaces vectorisées", a_venir, true);
    f.Cap = b.bouton("Cap", "Cap et angle", "calcul de cumuls de distances et caps  entre points digitalisés", a_venir, true);
    f.Color_surf_fond_SpeedButton14 = b.bouton("Color_surf_fond_SpeedButton14", "Colorer la surface", "peint la surface tant que la couleur est la même", a_venir, true);
    f.Color_surf_bord_SpeedButton15 = b.bouton("Color_surf_bord_SpeedButton15", "Colorer la surf. bordée", "peint toute surfaces j'usqu'à la limite de la couleur de bordure", a_venir, true);
    f.Choix_bord_SpeedButton16 = b.bouton("Choix_bord_SpeedButton16", "Choix couleur de bord", "Prélèver la couleur choisie de la bordure SUR L'IMAGE", a_venir, true);
    f.Coul_Bord_Panel5 = b.echantillon("Coul_Bord_Panel5", "");
    f.Choix_fond_SpeedButton20 = b.bouton("Choix_fond_SpeedButton20", "Choix couleur de fond", "couleur de fond utilisée pour marquer les surfaces à mesurer", a_venir, true);
    f.Coul_fond_Panel6 = b.echantillon("Coul_fond_Panel6", "couleur de fond utilisée pour marquer les surfaces à mesurer");
    f.Pinceau_SpeedButton20 = b.dessin("Pinceau_SpeedButton20", icone(Dessin::pinceau), "pinceau", a_venir, true);
    f.Gomme_SpeedButton21 = b.dessin("Gomme_SpeedButton21", icone(Dessin::gomme), "gomme", a_venir, true);
    f.Annuler_SpeedButton14 = b.dessin("Annuler_SpeedButton14", icone(Dessin::annuler), "Annuler la dernière coloration", a_venir);
    f.SpeedButton12 = b.bouton("SpeedButton12", "-> Calcul Surf colorée", "calcul de surfaces colorée en couleur de fond", a_venir);
    f.SpeedButton17 = b.bouton("SpeedButton17", "n && b : seuil de gris ->", "modifie le contraste momentanément ( clik sur Redessiner pour annuler)", a_venir, true);
    f.Edit1 = b.saisie("Edit1", "10", "seuil de gris ");
    f.Edit2 = b.saisie("Edit2", "10", "seuil de gris  (x 1 000 000)");
    f.Sans_ligne_SpeedButton = b.bouton("Sans_ligne_SpeedButton", "sans lignes ni pts", "image sans les lignes et points (pour les surfaces)", a_venir, true);
    f.SpeedButton18 = b.bouton("SpeedButton18", "avec les lignes", "image avec les lignes ou points", a_venir, true);
    f.ProgressBar1 = new QProgressBar(f.Panel1);
    f.ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    f.ProgressBar1->setRange(0, 100);
    f.ProgressBar1->setValue(0);
    f.ProgressBar1->setTextVisible(false);
    f.ProgressBar1->setFixedSize(120, 16);
    // Shown only while a surface is measured: its room stays, or the map would shrink meanwhile.
    QSizePolicy tenue = f.ProgressBar1->sizePolicy();
    tenue.setRetainSizeWhenHidden(true);
    f.ProgressBar1->setSizePolicy(tenue);

    f.Edit1->hide(); // lies under Edit2 and only triggers runs
    f.Edit2->setFixedWidth(40);
    f.Edit2->setEnabled(a_venir);
    // The six colouring tools appear with the fill modes.
    for (QWidget* w : std::initializer_list<QWidget*>{f.Choix_bord_SpeedButton16, f.Coul_Bord_Panel5, f.Choix_fond_SpeedButton20, f.Coul_fond_Panel6, f.Pinceau_SpeedButton20, f.Gomme_SpeedButton21})
        w->hide();

    f.groupe_fenetres = groupe(&f, {f.SpeedButton7, f.SpeedButton9});
    f.groupe_trace_boutons = groupe(&f, {f.SpeedButton6, f.SpeedButton8});
    f.groupe_outils = groupe(&f, {f.Digitaliser, f.Surfacer, f.Cap, f.Color_surf_fond_SpeedButton14, f.Color_surf_bord_SpeedButton15, f.Choix_bord_SpeedButton16, f.Choix_fond_SpeedButton20, f.SpeedButton17, f.Pinceau_SpeedButton20, f.Gomme_SpeedButton21});
    f.groupe_lignes = groupe(&f, {f.Sans_ligne_SpeedButton, f.SpeedButton18});
    f.SpeedButton9->setChecked(true);
    f.Digitaliser->setChecked(true);
    f.SpeedButton18->setChecked(true);

    for (QWidget* w : std::initializer_list<QWidget*>{
             f.SpeedButton1, f.Speed6, f.SpeedButton5, f.SpeedButton4, f.SpeedButton11, b.trait_vertical(),
             f.SpeedButton7, f.SpeedButton9, b.trait_vertical(),
             f.SpeedButton6, f.SpeedButton8, b.trait_vertical(),
             f.SpeedButton2, f.SpeedButton3, b.trait_vertical(),
             f.SpeedButton19, f.SpeedButton10, b.trait_vertical(),
             f.Digitaliser, f.Surfacer, f.Cap, b.trait_vertical(),
             f.Color_surf_fond_SpeedButton14, f.Color_surf_bord_SpeedButton15, f.Choix_bord_SpeedButton16,
             f.Coul_Bord_Panel5, f.Choix_fond_SpeedButton20, f.Coul_fond_Panel6, f.Pinceau_SpeedButton20,
             f.Gomme_SpeedButton21, f.Annuler_SpeedButton14, f.SpeedButton12, f.SpeedButton17, f.Edit2, b.trait_vertical(),
             f.Sans_ligne_SpeedButton, f.SpeedButton18, f.ProgressBar1, f.Label1, f.Label2, b.trait_vertical(),
             f.SpeedButton13})
        flux->addWidget(w);

    QObject::connect(f.SpeedButton7, &QToolButton::clicked, &f, &TForm1::SpeedButtonCartTablClick);
    QObject::connect(f.SpeedButton9, &QToolButton::clicked, &f, &TForm1::SpeedButtonCarteClick);
    QObject::connect(f.SpeedButton6, &QToolButton::clicked, &f, &TForm1::Points1Click);
    QObject::connect(f.SpeedButton8, &QToolButton::clicked, &f, &TForm1::Lignes1Click);
    QObject::connect(f.SpeedButton13, &QToolButton::clicked, &f, &TForm1::touche_quitter);
}

} // namespace vuv
