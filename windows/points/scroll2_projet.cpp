// Reading a project file into the points window and the main window.
#include "windows/points/scroll2.h"

#include "core/document/Document.h"
#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/Sablier.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2_controles.h"

#include <QLineEdit>

namespace vuv {
namespace {

// What the reader asks of the windows, in its order.
class ActionsFenetres final : public ActionsLecture {
public:
    explicit ActionsFenetres(TForm1* f1) : f1_(f1) {}

    void dispose_carte_tableau() override {
        if (f1_) f1_->SpeedButtonCartTablClick();
    }
    bool charge_fond(Document& d) override { return f1_ ? f1_->charge_fond_projet(d) : true; }
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
};

} // namespace

void TForm2::Liredespoints1Click() {
    TForm1* f1 = form1();
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
    chemin_projet = chemin;

    ActionsFenetres actions(f1);
    const ResultatLecture r = lit_projet(doc, ss(chemin), actions);
    if (r != ResultatLecture::lu) return;
    if (doc.nb_points > 0) montre_table_points();
    affiche_nb_points();
    Edit_dx0->setText(QString::number(doc.dx0));
    Edit_dy0->setText(QString::number(doc.dy0));
}

} // namespace vuv
