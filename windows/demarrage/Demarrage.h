#pragma once
// The start-up sequence: the splash, then every window once in the program's fixed order,
// the command line, and the main window on screen. Kept out of main() so that tests start
// the program exactly as a user does.
#include "core/document/Document.h"
#include "core/recuperation/Recuperation.h"
#include "windows/demarrage/OffreRecuperation.h"
#include "windows/demarrage/Fenetres.h"

#include <QStringList>

#include <memory>

namespace vuv {

class Programme {
public:
    // arguments: the command line without the program's own name. Needs the application
    // object, the platform settings (initialise_plateforme) and the user port in place.
    explicit Programme(const QStringList& arguments);
    ~Programme();
    Programme(const Programme&) = delete;
    Programme& operator=(const Programme&) = delete;

    Document document;

    // In creation order; the splash shown first, then the hidden second one (already released).
    std::unique_ptr<TSplashForm> splash;
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TForm3> Form3;
    std::unique_ptr<TForm4> Form4;
    std::unique_ptr<TForm5> Form5;
    std::unique_ptr<TForm6> Form6;
    std::unique_ptr<TForm7> Form7;
    std::unique_ptr<TForm_emf> Form_emf;
    std::unique_ptr<TForm_view_emf> Form_view_emf;

    // Off when the recovery folder cannot be written (the user was told once).
    std::unique_ptr<Recuperation> recuperation;
    std::unique_ptr<SuiviRecuperation> suivi_recuperation;

private:
    void cree_fenetres();
    void fin_du_splash(TSplashForm* second);
    // True when the work of a program that did not end cleanly was taken back.
    bool demarre_recuperation();
};

} // namespace vuv
