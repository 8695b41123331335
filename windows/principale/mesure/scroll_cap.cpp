// Bearing mode "Cap et angle": distances and bearings from a start point to the point under
// the mouse, and the cumulative distance of the clicked legs in the results panel.
#include "windows/principale/scroll.h"

#include "core/document/Digitalisation.h"
#include "core/mesure/Cap.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Textes.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/mesure/PanneauResultats.h"

#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>

namespace vuv {

void TForm1::construit_cap() {
    Cap->setEnabled(true);
    connect(Cap, &QToolButton::clicked, this, &TForm1::CapClick);
    Declinaisonetepsilon1 = Options1->addAction(QStringLiteral("Déclinaison et epsilon du cap ..."));
    Declinaisonetepsilon1->setObjectName(QStringLiteral("Declinaisonetepsilon1"));
    connect(Declinaisonetepsilon1, &QAction::triggered, this, &TForm1::Declinaisonetepsilon1Click);
    Rajoutdepointscap1 =
        Edition1->addAction(QStringLiteral("Rajout de points (Lib, distance, cap) à partir d'un fichier *.TXT"));
    Rajoutdepointscap1->setObjectName(QStringLiteral("Rajoutdepointscap1"));
    connect(Rajoutdepointscap1, &QAction::triggered, this, [] {
        if (TForm2* f = fenetres().Form2) f->SpeedButton7Click();
    });
    connect(groupe_outils, &QButtonGroup::idToggled, this, [this](int id, bool coche) {
        if (id != static_cast<int>(ModeSouris::cap) || coche) return;
        // The "D= … Cap= …" hint belongs to the mode.
        cache_panel2();
        if (!calque.existe()) return;
        // The rubber band went from the bearing start: it goes back to the last point.
        Image1->retire_segments();
        const std::optional<PointDeTable> dernier = point_de_table(doc, doc.nb_points);
        calque.dernier_x = dernier ? dernier->x : 0;
        calque.dernier_y = dernier ? dernier->y : 0;
    });
}

void TForm1::Declinaisonetepsilon1Click() {
    TForm2* f = fenetres().Form2;
    if (!f) return;
    for (QWidget* w : std::initializer_list<QWidget*>{f->Label1, f->Edit1, f->Label2, f->Edit2}) w->show();
    tab_points();
    f->Edit1->setFocus();
}

long double TForm1::correction_cap() const {
    const TForm2* f = fenetres().Form2;
    if (!f) return correction_cap_defaut();
    return vuv::correction_cap(ss(f->Edit1->text()), ss(f->Edit2->text()));
}

long double TForm1::correction_cap_defaut() { return vuv::correction_cap("1.5", "3.0"); }

bool TForm1::depart_cap_a_choisir() {
    // A deletion may have left the start beyond the table.
    if (ligne_depart_cap < 1 || ligne_depart_cap > doc.nb_points) choisir_depart = true;
    return choisir_depart;
}

void TForm1::CapClick() {
    const bool panneau_visible = !Panel3->isHidden();
    doc.nouvelle_ligne = true;
    // Redraws, puts "avec les lignes" down and hides the colouring tools.
    DigitaliserClick();
    distance_cumulee = 0;
    Label2->setText(QStringLiteral("Distance cumulée= 0.0"));
    montre_panel3();
    if (panneau_visible) {
        panneau_resultats()->ajoute_lignes({ss(Label2->text())});
    } else {
        Memo1->clear();
        panneau_resultats()->ajoute_lignes({" ", " Distance cumulée : "});
    }
}

void TForm1::Image1MouseMoveCap(int mx, int my, int x, int y) {
    int L = 0, p = 0;
    cherche_proche_indice_ligne_point(doc, x, y, L, p);
    const bool a_choisir = depart_cap_a_choisir();
    const long double correction = correction_cap();
    if (!a_choisir && p >= 1 && p != ligne_depart_cap)
        Label1->setText(qs(texte_cap(ligne_depart_cap, p, distance_entre_point(doc, ligne_depart_cap, p, correction))));
    QPoint position(mx + 10, my + 10);
    if (a_choisir) {
        Panel2->setText(QStringLiteral(" sélectionnez un départ"));
        Panel2->adjustSize();
        position.setY(std::min(position.y(), std::max(Image1->height() - Panel2->height(), 0)));
    } else {
        const CapDistance c = distance_entre_point_et_XY(doc, ligne_depart_cap, x, y, correction);
        statut(2, texte_statut_cap(c));
        Panel2->setText(qs(texte_proxi_cap(c, p)));
        Panel2->adjustSize();
        position.setX(std::max(0, std::min(position.x(), Image1->width() - Panel2->width())));
        position.setY(std::max(0, std::min(position.y(), Image1->height() - Panel2->height())));
    }
    Panel2->move(position);
    Panel2->show();
    // The rubber band follows from the start point once one is chosen.
    if (!a_choisir && elastique_actif()) {
        Image1->retire_segments();
        Image1->bascule({ZoneImage::Marque::Genre::segment, QPoint(calque.dernier_x, calque.dernier_y), QPoint(x, y),
                         QColor(255, 255, 0), largeur_stylo_elastique});
        redessiner();
    }
}

void TForm1::clic_cap(int x, int y) {
    if (doc.nb_points < 1) {
        port().information("pas de points digitalisés");
        choisit_mode_souris(ModeSouris::digitaliser);
        DigitaliserClick();
        return;
    }
    int L = 0, p = 0;
    cherche_proche_indice_ligne_point(doc, x, y, L, p);
    if (p < 1) return; // no line shown
    doc.StringGrid1.set_row(p);
    if (const std::optional<PointDeTable> pt = point_de_table(doc, p)) {
        Image1->retire_segments();
        calque.dernier_x = pt->x;
        calque.dernier_y = pt->y;
    }
    if (depart_cap_a_choisir()) {
        choisir_depart = false;
        ligne_depart_cap = p;
        distance_cumulee = 0;
        Label2->setText(qs(texte_depart_cap(p)));
    } else {
        // The leg is measured here: a click with no move before it must not add a stale one.
        const CapDistance c = distance_entre_point(doc, ligne_depart_cap, p, correction_cap());
        distance_cumulee += c.D;
        Label2->setText(qs(texte_cumul_cap(ligne_depart_cap, p, distance_cumulee, c)));
        ligne_depart_cap = p;
    }
    panneau_resultats()->ajoute_lignes({ss(Label2->text())});
}

} // namespace vuv
