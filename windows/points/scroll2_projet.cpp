// Reading a project file into the points window and the main window.
#include "windows/points/scroll2.h"

#include "core/calage/FichierCalage.h"
#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "core/ui/PortUtilisateur.h"
#include "sig/SystemeCoordonnees.h"
#include "sig/SystemeProjet.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/Sablier.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"
#include "windows/principale/scroll_travail.h"
#include "windows/points/scroll2_controles.h"

#include <QLineEdit>

namespace vuv {
namespace {

// What the reader asks of the windows, in its order. The background is decoded before the
// work is touched, and installed only once the whole file is known to be sound.
class ActionsFenetres final : public ActionsLecture {
public:
    explicit ActionsFenetres(TForm1* f1) : f1_(f1) {}

    bool prepare_fond(const std::string& image, const TailleFond& t) override {
        if (!f1_ || image.empty()) return true; // a blank tablet sheet
        prepare_ = f1_->prepare_fond(qs(image), TForm1::ModeChargement::relecture,
                                     {t.largeur, t.hauteur, t.dx0, t.dy0});
        return prepare_.has_value();
    }
    void dispose_carte_tableau() override {
        if (f1_) f1_->SpeedButtonCartTablClick();
    }
    void installe_fond(Document&) override {
        if (!f1_) return;
        if (prepare_)
            f1_->installe_fond_prepare(std::move(*prepare_), TForm1::ModeChargement::relecture);
        else
            f1_->ouvrir_sans_bmp();
        prepare_.reset();
    }
    void fin_lecture(Document& d) override {
        if (!f1_) return;
        f1_->redessiner_calque();
        f1_->redessiner();
        f1_->af_efface_der_ligne_xor();
        // The next digitized point continues the project's last line, joined to its last point.
        d.nouvelle_ligne = false;
    }

private:
    TForm1* f1_;
    std::optional<TForm1::FondPrepare> prepare_;
};

} // namespace

void TForm2::Liredespoints1Click() {
    TForm1* f1 = form1();
    if (f1 && !demande_enregistrer(*f1)) return;
    QString chemin = f1 ? f1->chemin_en_attente : QString();
    if (chemin.isEmpty()) {
        const QString dossier = premiere_ligne_lecture(qs(std::string(fichier_dernier_dossier)));
        DemandeFichier d;
        d.titre = QStringLiteral(" Ouvrir un fichier VUVIVIVA *.trl  (initRep=") + dossier + QLatin1Char(')');
        d.dossier = dossier;
        d.filtre = QStringLiteral("Fichiers txt (*.trl)|*.trl;Tous (*.*)|*.*");
        d.index_filtre = 1;
        d.doit_exister = true;
        const auto choisi = dialogues().ouvrir(d);
        if (!choisi || choisi->isEmpty()) {
            if (f1) f1->image1_peindre_fond_uni();
            return;
        }
        chemin = *choisi;
    }
    // Consumed whatever the outcome.
    if (f1) f1->chemin_en_attente.clear();
    const Sablier sablier;
    premiere_ligne_enregistre(qs(std::string(fichier_dernier_dossier)), qs(dossier_de(ss(chemin))));
    std::string octets;
    try {
        octets = lit_fichier(ss(chemin));
    } catch (const ErreurFichier& e) {
        port().information(e.what());
        return;
    }
    lit_projet_octets_de(octets, chemin, chemin);
}

bool TForm2::lit_projet_octets_de(std::string_view octets, const QString& fichier, const QString& projet) {
    const Sablier sablier;
    // The image question names the project being read; a failed read keeps the previous one.
    const QString projet_avant = chemin_projet;
    chemin_projet = projet;

    ActionsFenetres actions(form1());
    ResultatLecture r;
    {
        // Another project is no step to undo: the list starts again with it.
        const PileAnnulation::Suspension suspension(pile());
        r = lit_projet_octets(doc, octets, actions, ss(fichier));
    }
    if (r != ResultatLecture::lu) {
        chemin_projet = projet_avant;
        return false;
    }
    // The system kept beside the project; one GDAL cannot read is told, the project opens without.
    std::string wkt, erreur;
    std::string avertissement;
    const bool lu = sig::lit_systeme_projet(ss(projet), octets, wkt, erreur, avertissement);
    if (!avertissement.empty()) port().information(avertissement);
    if (!lu) port().information(erreur);
    doc.systeme_wkt = wkt;
    if (const std::string m = lit_calage_projet(doc, ss(projet)); !m.empty()) port().information(m);
    if (TForm1* f1 = form1()) f1->affiche_systeme();
    if (doc.nb_points > 0) montre_table_points();
    affiche_nb_points();
    Edit_dx0->setText(QString::number(doc.dx0));
    Edit_dy0->setText(QString::number(doc.dy0));
    return true;
}

} // namespace vuv
