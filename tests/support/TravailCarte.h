#pragma once
// The main window with work under way, as a user has it before a load or a save: a fresh
// current folder, scripted dialogs, a background seen one screen pixel per image pixel,
// calibrated by three clicks, and points digitized by clicks on line 1. The work is unsaved.
#include "tests/support/Banc.h"

#include <QPoint>
#include <QString>

#include <memory>

namespace vuv {
class Document;
class TForm1;
class TForm2;
} // namespace vuv

namespace vuv::test {

class TravailCarte {
public:
    // A white 1000 x 800 background, or the blank tablet sheet (no background bitmap).
    enum class Depart { fond_blanc, feuille_tablette };

    explicit TravailCarte(int points = 3, Depart depart = Depart::fond_blanc);
    ~TravailCarte();
    TravailCarte(const TravailCarte&) = delete;
    TravailCarte& operator=(const TravailCarte&) = delete;

    TForm1& f1() const;
    TForm2& f2() const;
    Document& doc() const;
    PortScripte& port() const { return t_->port; }
    DialoguesScriptes& dialogues() const { return *dialogues_; }
    ProgrammeTest& programme() const { return *t_; }
    QString fichier(const QString& nom) const { return dossier_->fichier(nom); }

    // A left click on the map at a pixel of the overlay.
    void clic(QPoint p) const;
    // The project saved through "Enregistrer les points" and its dialog; the path chosen.
    QString enregistre(const QString& nom = QStringLiteral("travail.trl")) const;

private:
    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<DialoguesScriptes> dialogues_;
    std::unique_ptr<ProgrammeTest> t_;
    QString courant_;
};

} // namespace vuv::test
