// The traverse command of the points window: a file of labels, distances and bearings,
// reviewed in the question box, walked from the selected point and added as a new line.
#include "windows/points/scroll2.h"

#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/mesure/Traverse.h"
#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/Sablier.h"
#include "windows/commun/Textes.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/principale/scroll.h"
#include "windows/question/Unit6.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <exception>

namespace vuv {

void TForm2::SpeedButton7Click() {
    int depart = doc.StringGrid1.row();
    if (depart < 1 || depart > doc.nb_points) depart = doc.nb_points;
    // A table without points would take its header row as the start.
    if (doc.nb_points < 1) {
        port().information("pas de points digitalisés");
        return;
    }
    const QString r = dlg_titre_message_ONEK_large(
        QStringLiteral("Le fichier doit comporter 3 colonnes, Lib D et Cap "),
        QStringLiteral(" Les ligne commençant par ' seront ignorées\n Indiquer l'indice des 3 colonnes Lib D et Cap sur "
                       "3 lignes\n   Lib=1 D=2 et Cap=3 par défaut sinon :\n Cap=2 \n D=3 \n Lib=1\n...par exemple. Le "
                       "départ=dernier point sélectionné"),
        QStringLiteral("NO"), QStringLiteral("Continuer"), QStringLiteral("annuler"));
    if (r == QStringLiteral("N")) return;
    const std::string declinaison = ss(Edit1->text()), epsilon = ss(Edit2->text());
    const long double d_val = val_reel(declinaison), e_val = val_reel(epsilon);

    DemandeFichier dem;
    dem.dossier = premiere_ligne_lecture(qs(std::string(fichier_dernier_dossier)));
    dem.titre = QStringLiteral("Ouvrir un fichier Distances et Caps");
    dem.filtre = QStringLiteral("Fichiers (*.txt)|*.txt");
    dem.doit_exister = true;
    const auto choisi = dialogues().ouvrir(dem);
    if (choisi && !choisi->isEmpty()) {
        const char s = separateur_decimal();
        const QString entete = QStringLiteral("départ point n°%1  déclinaison=%2  epsilon=%3")
                                   .arg(depart)
                                   .arg(qs(nombres::general(d_val, 15, s)), qs(nombres::general(e_val, 15, s)));
        const QString memo = QDir::current().absoluteFilePath(QStringLiteral("~memo.txt"));
        if (!af_fic_txt_memo(*choisi, memo, entete)) return;
        premiere_ligne_enregistre(qs(std::string(fichier_dernier_dossier)), qs(dossier_de(ss(*choisi))));
        try {
            const Sablier sablier;
            const std::string texte = cp1252_vers_utf8(lit_fichier(ss(memo)));
            if (TForm6* f6 = fenetres().Form6) f6->Memo1->clear();
            const PileAnnulation::Edition edition(pile(), noms_editions::cheminement);
            const BilanTraverse b = ajoute_traverse(doc, depart, texte, d_val + e_val);
            if (!b.refus.empty()) {
                port().information(b.refus);
                return;
            }
            if (b.hors_image > 0)
                port().information(std::to_string(b.hors_image) + " point(s) hors de l'image (au-delà de 9999 pixels) "
                                                                  "non rajouté(s)");
        } catch (const std::exception& e) {
            port().erreur(e.what());
            return;
        }
    }
    affiche_nb_points();
    if (TForm1* f1 = form1()) {
        f1->redessiner_calque();
        f1->redessiner();
        f1->af_efface_der_ligne_xor();
    }
    doc.nouvelle_ligne = false;
}

} // namespace vuv
