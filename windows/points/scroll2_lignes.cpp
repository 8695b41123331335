// Lines in the points window: shown or hidden, their colour, deleting one, and the altitude
// copied down a line of the points table.
#include "windows/points/scroll2.h"

#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Couleurs.h"
#include "windows/commun/Dialogues.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2_controles.h"

#include <QPushButton>

#include <string>

namespace vuv {
namespace {

void marque_lignes(Document& d, const char* ok) {
    Grille& g = d.StringGrid3;
    const Grille::Lot lot(g);
    for (int r = 1; r <= d.num_ligne && r < g.row_count(); ++r) g.set_cell(3, r, ok);
}

} // namespace

void TForm2::Deselection_Button4Click() {
    {
        const PileAnnulation::Edition edition(pile(), noms_editions::selection_lignes);
        marque_lignes(doc, "x");
    }
    apres_selection_lignes();
}

void TForm2::All_select_Button5Click() {
    {
        const PileAnnulation::Edition edition(pile(), noms_editions::deselection_lignes);
        marque_lignes(doc, "");
    }
    apres_selection_lignes();
}

void TForm2::apres_selection_lignes() {
    TForm1* f1 = form1();
    // The export panel's exported-line label follows the lines shown.
    if (f1 && f1->panel7_visible()) f1->affiche_panel_sauve();
    redessine_calque();
}

bool TForm2::choisit_couleur_ligne(int L) {
    Grille& g = doc.StringGrid3;
    const LectureEntier actuelle = lit_entier(g.cell(2, L));
    const auto c = dialogues().couleur(couleur_bgr(static_cast<std::uint32_t>(actuelle.valeur)), true);
    if (!c) return false;
    const PileAnnulation::Edition edition(pile(), noms_editions::couleur_ligne);
    g.set_cell(2, L, std::to_string(bgr_de(*c)));
    return true;
}

void TForm2::change_couleur_ligne(int row) {
    if (choisit_couleur_ligne(row)) redessine_calque();
}

void TForm2::recopie_altitude() {
    const PileAnnulation::Edition edition(pile(), noms_editions::recopie_altitude);
    doc.sauve = false;
    Grille& g = doc.StringGrid1;
    const int row = StringGrid1->row();
    const int cz = doc.indice_col("Z"), cl = doc.indice_col("L");
    const std::string Z{g.cell(cz, row)}, L{g.cell(cl, row)};
    const std::string titre =
        "\rrecopier l'altitude Z = " + Z + "\r" + "\r" + "sur le reste des points de la ligne n°" + L;
    if (port().question(titre, "", "OE", "recopier", "") != "O") return;
    const Grille::Lot lot(g);
    for (int r = row; r < g.row_count() && g.cell(cl, r) == L; ++r) g.set_cell(cz, r, Z);
}

void TForm2::Button_sup_ligneClick() {
    const PileAnnulation::Edition edition(pile(), noms_editions::suppression_ligne);
    Document::Operation op(doc);
    doc.sauve = false; // quitting must still ask about the lines deleted
    Grille& points = doc.StringGrid1;
    Grille& lignes = doc.StringGrid3;
    const int courante = lignes.row();
    const std::string L = enleve_blancs(lignes.cell(0, courante));

    int premier = 0, dernier = 0;
    for (int r = 1; r < points.row_count(); ++r)
        if (enleve_blancs(points.cell(1, r)) == L) {
            premier = r;
            break;
        }
    if (premier > 0) {
        dernier = premier;
        while (dernier + 1 < points.row_count() && enleve_blancs(points.cell(1, dernier + 1)) == L) ++dernier;
    }
    const int nombre = premier > 0 ? dernier - premier + 1 : 0;

    // The last line, empty: removed without a question.
    if (nombre == 0 && courante == lignes.row_count() - 1) {
        if (lignes.row_count() > 2) {
            const int r = val_entier(L);
            const Grille::Lot lot(lignes);
            for (int c = 0; c <= 2; ++c) lignes.set_cell(c, r, "");
            lignes.set_row_count(lignes.row_count() - 1);
            if (doc.num_ligne > 0) --doc.num_ligne;
        }
        return;
    }

    const std::string titre = "Supprimer la ligne " + L + " en inverse video du tableau de lignes";
    const std::string message = "TOTAL :" + std::to_string(doc.num_ligne) + " ligne(s) / " +
                                std::to_string(doc.nb_points) + " points\n\n" + " Effacer la ligne sélectionnée n° " +
                                L + " " + " composée de " + std::to_string(nombre) + " points ?";
    if (port().question(titre, message, "OE", "supprimer", "") != "O") return;

    if (L == "1" && doc.num_ligne == 1) {
        doc.nb_points = 0;
        doc.num_ligne = 1;
        {
            const Grille::Lot lot(points);
            for (int c = 2; c <= 4; ++c) points.set_cell(c, 1, "");
            points.set_row_count(2);
        }
        affiche_nb_points();
        Redessiner();
        return;
    }

    if (premier > 0) {
        const Grille::Lot lot(points);
        const int cn = doc.indice_col("n");
        // At least one row stays: removing every row leaves the table as it was.
        if (points.row_count() - nombre > 1) {
            points.retire_lignes(premier, nombre);
            for (int r = premier; r < points.row_count(); ++r) points.set_cell(cn, r, _format(3, 0, r));
        }
        doc.nb_points = points.row_count() - 1;
    }

    const int numero = val_entier(L);
    lignes.set_cell(2, numero, "");
    affiche_nb_points();
    Redessiner();

    if (numero == doc.num_ligne && numero > 0) {
        const Grille::Lot lot(lignes);
        for (int c = 0; c <= 2; ++c) lignes.set_cell(c, numero, "");
        if (lignes.row_count() > 2) lignes.set_row_count(lignes.row_count() - 1);
        --doc.num_ligne;
    }
}

} // namespace vuv
