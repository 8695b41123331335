#pragma once
// The main window with work under way, as a user has it before a load or a save: a fresh
// current folder, scripted dialogs, a background seen one screen pixel per image pixel,
// calibrated by three clicks, and points digitized by clicks on line 1. The work is unsaved.
// Or the sample project open, seen at zoom 1 around point 12. Real mouse and key events.
#include "tests/support/Banc.h"

#include "core/document/Digitalisation.h"

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
    // A white 1000 x 800 background, the blank tablet sheet (no background bitmap), or the
    // sample project as it is stored (no points added).
    enum class Depart { fond_blanc, feuille_tablette, carte_exemple };

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
    // `z` screen pixels per image pixel, image pixel (cx, cy) near the middle of the area.
    void zoom(int z, int cx, int cy) const;
    PointDeTable ligne(int row) const { return point_de_table(doc(), row).value_or(PointDeTable{-1, -1}); }
    QPoint pixel(int row) const { return {ligne(row).x, ligne(row).y}; }
    // The screen pixel of an image pixel (its centre).
    QPoint ecran(QPoint p) const;

    void modifier() const;
    void survole(QPoint e) const;
    void presse(QPoint e, Qt::KeyboardModifiers m = Qt::NoModifier) const;
    void lache(QPoint e) const;
    // Press on the row's point, move by `de` screen pixels in steps, release; Esc first if asked.
    void glisse(int row, QPoint de, bool echap = false) const;
    void touche(int k, Qt::KeyboardModifiers m = Qt::NoModifier) const;
    void annule() const { touche(Qt::Key_Backspace, Qt::AltModifier); }
    void retablit() const { touche(Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier); }
    QString menu_annuler() const;

    // The project saved through "Enregistrer les points" and its dialog; the path chosen.
    QString enregistre(const QString& nom = QStringLiteral("travail.trl")) const;

private:
    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<DialoguesScriptes> dialogues_;
    std::unique_ptr<ProgrammeTest> t_;
    QString courant_;
};

} // namespace vuv::test
