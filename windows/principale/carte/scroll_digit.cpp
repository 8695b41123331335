// Digitizing in the main window: the mouse over the image area, the digitizing click, new
// lines, deleting the last point, the tool and drawing modes, tablet mode and the coordinate
// displays.
#include "windows/principale/scroll.h"

#include "core/annulation/NomsEditions.h"
#include "core/document/Digitalisation.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/commun/Textes.h"
#include "windows/points/scroll2.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/edition/ModeEdition.h"
#include "windows/principale/trace/ModeSuivi.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>

namespace vuv {
namespace {

const QColor couleur_panel2_depart(255, 255, 160);

// Keeps a floating panel inside the image area.
QPoint dans_la_zone(const QWidget* zone, const QWidget* panneau, QPoint p) {
    p.setX(std::max(0, std::min(p.x(), zone->width() - panneau->width())));
    p.setY(std::max(0, std::min(p.y(), zone->height() - panneau->height())));
    return p;
}

} // namespace

MethodeCalage TForm1::methode_calage() const {
    const int i = groupe_calage ? groupe_calage->checkedId() : 0;
    return i == 1 ? MethodeCalage::hypotenuse : i == 2 ? MethodeCalage::horizontaux_orthonorme
                                                         : MethodeCalage::trois_points;
}

bool TForm1::fenetre_points_active() const {
    const TForm2* f = fenetres().Form2;
    return f && f->isActiveWindow();
}

void TForm1::Image1MouseDown(Qt::MouseButton bouton, int mx, int my, Qt::KeyboardModifiers etat) {
    if (!calque.existe()) return;
    if (mode_edition->presse(bouton, mx, my, etat)) return;
    if (bouton == Qt::RightButton) {
        if (en_mode_tablette()) {
            Nouvelle_suite_de_points();
            return;
        }
        Image1->setCursor(Qt::PointingHandCursor);
        ScrollBar1->setEnabled(false);
        ScrollBar2->setEnabled(false);
        glissement = true;
        glisse_x = mx;
        glisse_y = my;
        return;
    }
    if (bouton != Qt::LeftButton) return;
    if (ignore_clic_suivant) {
        ignore_clic_suivant = false;
        return;
    }
    int x = 0, y = 0;
    calque.vue.repere_image_bitmap(mx, my, Image1->width(), Image1->height(), x, y);
    switch (mode_souris()) {
    case ModeSouris::digitaliser: clic_digitaliser(x, y); break;
    case ModeSouris::surface:
        if (calcul_surface) calcul_surface(x, y);
        break;
    case ModeSouris::cap: clic_cap(x, y); break;
    case ModeSouris::modifier: break;
    case ModeSouris::suivre: suivi->clic(x, y); break;
    default: presse_coloriage(x, y); break;
    }
}

void TForm1::choisit_mode_souris(ModeSouris m) {
    // The button's toggle stores the value, as a click does.
    groupe_outils->button(static_cast<int>(m))->setChecked(true);
}

void TForm1::Image1MouseUp() {
    peinture_en_cours = false;
    mode_edition->relache();
    if (!glissement) return;
    glissement = false;
    Image1->unsetCursor();
    position_scrollbar();
    ScrollBar1->setEnabled(!en_mode_tablette());
    ScrollBar2->setEnabled(!en_mode_tablette());
}

void TForm1::Image1Wheel(int delta) {
    if (en_mode_tablette() || !calque.existe()) return;
    // Turning the wheel down zooms in when the wheel is not inverted.
    const bool vers_le_bas = delta < 0;
    const bool plus = vers_le_bas == (sens_roulette == 1);
    FormKeyDown(plus ? Qt::Key_Plus : Qt::Key_Minus, Qt::KeypadModifier, true);
}

void TForm1::clic_digitaliser(int x, int y) {
    mode_edition->accroche_saisie(x, y);
    PileAnnulation::Edition edition(&annulation, noms_editions::point_digitalise);
    if (vuv::clic_digitaliser(doc, x, y, methode_calage(), en_mode_tablette()) == ResultatClic::calage) {
        edition.renomme(noms_editions::point_de_calage);
        statut_saisie();
        calque.vue.marque_sale();
        redessiner();
        return;
    }
    const int n = doc.nb_points;
    if (TForm2* f = fenetres().Form2) f->Label8->setText(QStringLiteral("%1 points").arg(n));
    valide_point(n, doc.num_ligne, x, y);
}

void TForm1::valide_point(int n, int L, int x, int y) {
    // The row is already written (stocke_xy); draw it and its segment from the previous point.
    calque.af_point(doc, reglages_trace(), x, y, L, n);
    Image1->retire_segments();
    courant_x = x;
    courant_y = y;
    redessiner();
    if (en_mode_tablette()) port().bip();
    calque.vue.marque_sale();
}

void TForm1::Nouvelle_suite_de_points() {
    if (doc.nb_points < 1) return;
    // The colour chosen for the line belongs to the same step.
    const PileAnnulation::Edition edition(&annulation, noms_editions::nouvelle_ligne);
    port().bip();
    nouvelle_suite_de_points(doc);
    const int L = doc.num_ligne;
    redessiner_calque();
    redessiner();
    statut(1, "Suite " + std::to_string(L) + "  point ... ");
    if (L > 1 && choisit_couleur_ligne && choisit_couleur_ligne(L)) {
        af_efface_der_ligne_xor();
        redessiner_calque();
        redessiner();
    }
}

void TForm1::devalide_point() {
    {
        const PileAnnulation::Edition edition(&annulation, noms_editions::suppression_point);
        doc.efface_tab_et_point(fenetre_points_active());
    }
    SpeedButton10Click();
    // The last point drawn is the new last row: the rubber band follows from there.
    const std::optional<PointDeTable> dernier = point_de_table(doc, doc.nb_points);
    calque.dernier_x = dernier ? dernier->x : 0;
    calque.dernier_y = dernier ? dernier->y : 0;
    if (TForm2* f = fenetres().Form2) f->Label8->setText(QStringLiteral("%1 points").arg(doc.nb_points));
    statut_saisie();
    const QPoint p = Image1->mapFromGlobal(QCursor::pos());
    Image1MouseMove(p.x(), p.y());
}

void TForm1::DigitaliserClick() {
    SpeedButton10Click();
    statut(2, "");
    Label2->clear();
    Panel3->hide();
    SpeedButton18->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(Choix_bord_SpeedButton16), static_cast<QWidget*>(Coul_Bord_Panel5),
                       static_cast<QWidget*>(Choix_fond_SpeedButton20), static_cast<QWidget*>(Coul_fond_Panel6),
                       static_cast<QWidget*>(Pinceau_SpeedButton20), static_cast<QWidget*>(Gomme_SpeedButton21)})
        w->hide();
}

void TForm1::Tabledigitaliser1Click() {
    // The action has already toggled its check mark.
    const bool tablette = Tabledigitaliser1->isChecked();
    ScrollBar1->setEnabled(!tablette);
    ScrollBar2->setEnabled(!tablette);
    ScrollBar1->setVisible(!tablette);
    ScrollBar2->setVisible(!tablette);
    if (tablette) {
        const int barre = statusBar()->height();
        Panel1->move(Panel1->x(), height() - barre - 2 * Panel1->height());
    }
}

void TForm1::affiche_XYc(int panneau, long double Y, long double X) {
    const QString tx = qs(texte_X(doc, X)), ty = qs(texte_Y(doc, Y));
    statut(panneau, ss(tx + QLatin1Char(' ') + ty));
    StatusBar1_panneaux[panneau < 0 || panneau > 2 ? 0 : panneau]->repaint();
    if (TForm2* f = fenetres().Form2) {
        if (auto* l = f->findChild<QLabel*>(QStringLiteral("Label4"))) l->setText(tx);
        if (auto* l = f->findChild<QLabel*>(QStringLiteral("Label5"))) l->setText(ty);
    }
    if (CheckBox2_af_XY->isChecked()) Panel4->setText(tx + QStringLiteral("   ") + ty);
}

QString TForm1::statut_saisie() {
    const std::string texte = invite_saisie(doc);
    statut(1, texte);
    statut(2, doc.val_calage());
    return qs(texte);
}

void TForm1::Image1MouseMove(int mx, int my) {
    if (panel7_visible()) return;
    souris_x = mx;
    souris_y = my;
    const bool points_active = fenetre_points_active();
    if (calque.presence_fond()) {
        if (ouvert_masque()) masque_panel3();
        if (CheckBox2_af_XY->isChecked() && mode_souris() != ModeSouris::cap) {
            Panel4->adjustSize();
            Panel4->move(dans_la_zone(Image1, Panel4, QPoint(mx + 20, my + 20)));
        }
        if (doc.nb_calage == 3 || points_active) {
            if (points_active) {
                Panel2->setText(QStringLiteral("clicker pour activer cette fenêtre puis digitaliser"));
                Panel2->adjustSize();
                Panel2->move(mx + 50, std::min(my + 50, std::max(Image1->height() - Panel2->height(), 0)));
                Panel2->show();
            } else {
                Panel2->hide();
                Panel4->setVisible(mode_souris() == ModeSouris::cap || mode_souris() == ModeSouris::choix_bord ||
                                   CheckBox2_af_XY->isChecked());
            }
        } else {
            const QString invite = statut_saisie();
            // The prompt changes colour at each step.
            const QRgb c = couleur_panel2_depart.rgb() ^ (static_cast<QRgb>(doc.nb_calage) << 22);
            Panel2->setStyleSheet(QStringLiteral("QLabel { background-color: %1; }").arg(QColor(c).name()));
            Panel2->setText(invite);
            Panel2->adjustSize();
            Panel2->move(mx + 50, std::min(my + 50, std::max(Image1->height() - Panel2->height(), 0)));
            Panel2->show();
        }
    }
    if (!calque.existe()) {
        image1_peindre_fond_uni();
        return;
    }
    int x = 0, y = 0;
    calque.vue.repere_image_bitmap(mx, my, Image1->width(), Image1->height(), x, y);
    if (doc.nb_calage == 3) {
        long double X = 0, Y = 0;
        doc.repere_carte(x, y, X, Y);
        affiche_XYc(0, Y, X);
    }
    if (mouvement_coloriage(mx, my, x, y)) return;
    if (glissement) {
        int ax = 0, ay = 0;
        calque.vue.repere_image_bitmap(glisse_x, glisse_y, Image1->width(), Image1->height(), ax, ay);
        calque.vue.glisse(ax, ay, x, y);
        vue_entiere_ = false;
        glisse_x = mx;
        glisse_y = my;
        redessiner();
        return;
    }
    if (mode_souris() == ModeSouris::modifier) {
        mode_edition->bouge(mx, my);
        return;
    }
    if (mode_souris() == ModeSouris::suivre) suivi->survol(x, y);
    const bool cap = mode_souris() == ModeSouris::cap;
    if (cap)
        Image1MouseMoveCap(mx, my, x, y);
    else
        Label1->clear();
    if (doc.nb_points > 0 && Lignes1->isChecked() && !cap && !doc.nouvelle_ligne) {
        af_ligne_xor_move(x, y);
        redessiner();
    }
    courant_x = x;
    courant_y = y;
    souris_connue = true;
}

} // namespace vuv
