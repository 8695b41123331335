#pragma once
// A window side for document tests: records what the document asked to be drawn or shown.
#include "core/document/VueDocument.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vuv::test {

class VueEnregistree : public VueDocument {
public:
    std::vector<std::string> appels;
    std::vector<std::string> statuts;

    void af_croix_calage(int x, int y) override {
        appels.push_back("croix " + std::to_string(x) + " " + std::to_string(y));
    }
    void rafraichir() override { appels.push_back("rafraichir"); }
    void redessiner_calque() override { appels.push_back("redessiner_calque"); }
    void af_efface_der_ligne_xor() override { appels.push_back("af_efface_der_ligne_xor"); }
    void pointer_selection() override { appels.push_back("pointer_selection"); }
    void montre_table_points() override { appels.push_back("montre_table_points"); }
    void cache_panel2() override { appels.push_back("cache_panel2"); }
    void statut(int panneau, const std::string& texte) override {
        statuts.push_back(std::to_string(panneau) + ":" + texte);
    }

    int nombre(const std::string& appel) const {
        return static_cast<int>(std::count(appels.begin(), appels.end(), appel));
    }
};

// Parameter names for the two decimal conventions.
inline std::string nom_separateur(char sep) { return sep == ',' ? "virgule" : "point"; }

} // namespace vuv::test
