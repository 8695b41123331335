#include "core/export/PressePapier.h"

#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/text/encodage.h"
#include "core/ui/PortUtilisateur.h"

namespace vuv {
namespace {

void ajoute_rang(TextesPressePapier& t, const Grille& g, int row) {
    for (int c = 0; c < 9; ++c) {
        t.fichier += g.cell(c, row);
        t.fichier += '\t';
    }
    t.fichier += "\r\n";
    for (int c = 1; c <= 5; ++c) {
        t.presse_papier += g.cell(c, row);
        t.presse_papier += '\t';
    }
    t.presse_papier += "\r\n";
}

std::string chemin_dans(const std::string& dossier, const std::string& nom) {
    if (dossier.empty()) return nom;
    const char fin = dossier.back();
    if (fin == '/' || fin == '\\') return dossier + nom;
    // Keep the folder's own style of separator.
    return dossier + (dossier.find('\\') != std::string::npos && dossier.find('/') == std::string::npos ? "\\" : "/") +
           nom;
}

} // namespace

TextesPressePapier textes_presse_papier(const Document& d) {
    TextesPressePapier t;
    for (int r = 0; r < d.StringGrid2.row_count(); ++r) ajoute_rang(t, d.StringGrid2, r);
    // Every row of the table, a trailing empty one included.
    for (int r = 1; r < d.StringGrid1.row_count(); ++r) ajoute_rang(t, d.StringGrid1, r);
    return t;
}

std::string export_presse_papier(const Document& d, const std::string& dossier_programme) {
    if (!port().oui_non("Voulez-vous copier les points de calage et les autres \r  dans le presse papier (valeurs "
                        "séparées par TABULATION) \r  et dans un fichier <presse_papier.xls> ?"))
        return {};
    const std::string fichier = chemin_dans(dossier_programme, nom_fichier_presse_papier);
    const TextesPressePapier t = textes_presse_papier(d);
    std::size_t perdus = 0;
    try {
        ecrit_fichier_sur(fichier, utf8_vers_cp1252(t.fichier, &perdus));
    } catch (const ErreurFichier& e) {
        // Said rather than silent: the user answered Oui and would otherwise see nothing happen.
        port().information(e.what());
        return {};
    }
    port().presse_papier_ecrit(t.presse_papier);
    if (perdus > 0)
        port().information("Certains caractères ne peuvent pas être enregistrés dans " + fichier +
                           " : ils ont été remplacés par « ? ».");
    port().information("Le presse-papier est à jour \r ainsi que le fichier <" + fichier + ">");
    return fichier;
}

} // namespace vuv
