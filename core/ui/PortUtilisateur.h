#pragma once
// The one way core code talks to the user. Windows implement it with real dialogs;
// tests implement it with scripted answers (PortScripte).
#include <string>

namespace vuv {

class PortUtilisateur {
public:
    virtual ~PortUtilisateur() = default;

    // Information box with an OK button.
    virtual void information(const std::string& message) = 0;
    // The general error box of an operation that failed (the error's own text).
    virtual void erreur(const std::string& message) = 0;
    // Confirmation with Oui / Non; true for Oui.
    virtual bool oui_non(const std::string& message) = 0;
    // Confirmation with OK / Annuler; true for OK.
    virtual bool ok_annuler(const std::string& message) = 0;
    // Oui / Non / Annuler: "O", "N", or "E" for Annuler and any other way out of the box.
    // A port that cannot ask answers Annuler, which changes nothing.
    virtual std::string oui_non_annuler(const std::string& /*message*/) { return "E"; }
    // The program's own question box: answers "O", "N" or "E" (letters: "ON", "OE", "K", "ONE"...).
    virtual std::string question(const std::string& titre, const std::string& message,
                                 const std::string& lettres, const std::string& oui,
                                 const std::string& non) = 0;
    virtual void bip() = 0;
    virtual void ton(int frequence_hz, int duree_ms) = 0;
    virtual void presse_papier_ecrit(const std::string& texte) = 0;
    virtual std::string presse_papier_lit() = 0;
    // Ends the program after the emergency save (the window side quits the event loop).
    virtual void termine_application() = 0;
};

// The port in use. Until one is installed, a silent port answers Non / Annuler / "E".
PortUtilisateur& port();
// Installs a port (nullptr restores the silent one). The caller keeps ownership.
void installe_port(PortUtilisateur* p);

// Keeps a port installed for a scope, restoring the previous one after.
class PortInstalle {
public:
    explicit PortInstalle(PortUtilisateur& p);
    ~PortInstalle();
    PortInstalle(const PortInstalle&) = delete;
    PortInstalle& operator=(const PortInstalle&) = delete;

private:
    PortUtilisateur* precedent_;
};

} // namespace vuv
