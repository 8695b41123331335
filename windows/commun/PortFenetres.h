#pragma once
// The user port of the running program: message boxes with French buttons, the program's
// own question box (TForm6), tones, the clipboard.
#include "core/ui/PortUtilisateur.h"

namespace vuv {

// What a title bar takes beside its text (icon, buttons, margins), in pixels: message boxes are
// at least their title's width plus this.
constexpr int marge_barre_de_titre = 200;

class PortFenetres : public PortUtilisateur {
public:
    void information(const std::string& message) override;
    void erreur(const std::string& message) override;
    bool oui_non(const std::string& message) override;
    bool ok_annuler(const std::string& message) override;
    // Escape and the title bar's close button are Annuler.
    std::string oui_non_annuler(const std::string& message) override;
    // Through TForm1.dlg_titre_message_ONEK_oui_non; "E" when the main window does not exist.
    std::string question(const std::string& titre, const std::string& message,
                         const std::string& lettres, const std::string& oui,
                         const std::string& non) override;
    void bip() override;
    void ton(int frequence_hz, int duree_ms) override;
    void presse_papier_ecrit(const std::string& texte) override;
    std::string presse_papier_lit() override;
    // Queued, so that a request made before the event loop runs still ends the program.
    void termine_application() override;
};

} // namespace vuv
