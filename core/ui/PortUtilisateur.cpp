#include "core/ui/PortUtilisateur.h"

namespace vuv {
namespace {

class PortMuet final : public PortUtilisateur {
public:
    void information(const std::string&) override {}
    void erreur(const std::string&) override {}
    bool oui_non(const std::string&) override { return false; }
    bool ok_annuler(const std::string&) override { return false; }
    std::string question(const std::string&, const std::string&, const std::string&,
                         const std::string&, const std::string&) override { return "E"; }
    void bip() override {}
    void ton(int, int) override {}
    void presse_papier_ecrit(const std::string& texte) override { presse_papier_ = texte; }
    std::string presse_papier_lit() override { return presse_papier_; }
    void termine_application() override {}

private:
    std::string presse_papier_;
};

PortMuet port_muet;
PortUtilisateur* port_courant = &port_muet;

} // namespace

PortUtilisateur& port() { return *port_courant; }

void installe_port(PortUtilisateur* p) { port_courant = p ? p : &port_muet; }

PortInstalle::PortInstalle(PortUtilisateur& p) : precedent_(&port()) { installe_port(&p); }

PortInstalle::~PortInstalle() { installe_port(precedent_); }

} // namespace vuv
