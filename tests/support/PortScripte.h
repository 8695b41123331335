#pragma once
// A user port for tests: records every exchange as text and answers from a script.
#include "core/ui/PortUtilisateur.h"

#include <deque>
#include <string>
#include <vector>

namespace vuv {

class PortScripte : public PortUtilisateur {
public:
    // One recorded exchange: its kind ("information", "erreur", "oui_non", "ok_annuler",
    // "oui_non_annuler", "question", "bip", "ton", "presse_papier", "termine") and its text.
    struct Echange {
        std::string genre;
        std::string texte;
    };

    // Answers are consumed in order; when none is left, Non / Annuler / "E".
    void repond(const std::string& reponse) { reponses_.push_back(reponse); }
    void repond_oui() { repond("O"); }
    void repond_non() { repond("N"); }

    const std::vector<Echange>& echanges() const { return echanges_; }
    std::vector<std::string> textes(const std::string& genre) const;
    std::vector<std::string> messages() const; // every text shown to the user, in order
    int nombre(const std::string& genre) const;
    void oublie() { echanges_.clear(); }
    bool termine() const { return termine_; }

    void information(const std::string& message) override;
    void erreur(const std::string& message) override;
    bool oui_non(const std::string& message) override;
    bool ok_annuler(const std::string& message) override;
    std::string oui_non_annuler(const std::string& message) override; // "E" when no answer
    std::string question(const std::string& titre, const std::string& message,
                         const std::string& lettres, const std::string& oui,
                         const std::string& non) override;
    void bip() override;
    void ton(int frequence_hz, int duree_ms) override;
    void presse_papier_ecrit(const std::string& texte) override;
    std::string presse_papier_lit() override { return presse_papier_; }
    void termine_application() override;

private:
    std::string prochaine(const std::string& defaut);

    std::deque<std::string> reponses_;
    std::vector<Echange> echanges_;
    std::string presse_papier_;
    bool termine_ = false;
};

} // namespace vuv
