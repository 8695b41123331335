#include "tests/support/PortScripte.h"

namespace vuv {

std::vector<std::string> PortScripte::textes(const std::string& genre) const {
    std::vector<std::string> r;
    for (const auto& e : echanges_)
        if (e.genre == genre) r.push_back(e.texte);
    return r;
}

std::vector<std::string> PortScripte::messages() const {
    std::vector<std::string> r;
    for (const auto& e : echanges_)
        if (e.genre != "bip" && e.genre != "ton" && e.genre != "presse_papier" && e.genre != "termine")
            r.push_back(e.texte);
    return r;
}

int PortScripte::nombre(const std::string& genre) const {
    int n = 0;
    for (const auto& e : echanges_)
        if (e.genre == genre) ++n;
    return n;
}

std::string PortScripte::prochaine(const std::string& defaut) {
    if (reponses_.empty()) return defaut;
    std::string r = reponses_.front();
    reponses_.pop_front();
    return r;
}

void PortScripte::information(const std::string& message) { echanges_.push_back({"information", message}); }

void PortScripte::erreur(const std::string& message) { echanges_.push_back({"erreur", message}); }

bool PortScripte::oui_non(const std::string& message) {
    echanges_.push_back({"oui_non", message});
    return prochaine("N") == "O";
}

bool PortScripte::ok_annuler(const std::string& message) {
    echanges_.push_back({"ok_annuler", message});
    return prochaine("N") == "O";
}

std::string PortScripte::oui_non_annuler(const std::string& message) {
    echanges_.push_back({"oui_non_annuler", message});
    return prochaine("E");
}

std::string PortScripte::question(const std::string& titre, const std::string& message,
                                  const std::string& lettres, const std::string& oui,
                                  const std::string& non) {
    echanges_.push_back({"question", titre + "|" + message + "|" + lettres + "|" + oui + "|" + non});
    return prochaine("E");
}

void PortScripte::bip() { echanges_.push_back({"bip", ""}); }

void PortScripte::ton(int frequence_hz, int duree_ms) {
    echanges_.push_back({"ton", std::to_string(frequence_hz) + "/" + std::to_string(duree_ms)});
}

void PortScripte::presse_papier_ecrit(const std::string& texte) {
    presse_papier_ = texte;
    echanges_.push_back({"presse_papier", texte});
}

void PortScripte::termine_application() {
    termine_ = true;
    echanges_.push_back({"termine", ""});
}

} // namespace vuv
