#pragma once
// The fuzz targets' user port: reading never talks to the user, so any message or question
// aborts; a target lets through what its reader may tell by overriding it.
#include "core/ui/PortUtilisateur.h"

#include <cstdlib>
#include <string>

namespace fuzz {

class PortMuet : public vuv::PortUtilisateur {
public:
    void information(const std::string&) override { std::abort(); }
    void erreur(const std::string&) override { std::abort(); }
    bool oui_non(const std::string&) override { std::abort(); }
    bool ok_annuler(const std::string&) override { std::abort(); }
    std::string question(const std::string&, const std::string&, const std::string&, const std::string&,
                         const std::string&) override {
        std::abort();
    }
    void bip() override { std::abort(); }
    void ton(int, int) override { std::abort(); }
    void presse_papier_ecrit(const std::string&) override { std::abort(); }
    std::string presse_papier_lit() override { std::abort(); }
    void termine_application() override { std::abort(); }
};

} // namespace fuzz
