#pragma once
// The recovery file: the project text exactly as a save writes it (Windows-1252, CR LF), then
// a few lines saying who wrote it, when, and for which project, from "/VUVIVIVA RECUPERATION" to
// "/FIN", then the journal of the edits made since (Journal.h). The project reader stops at its
// counts, so the file opens as a project too, and its messages count lines as in the file.
#include <ctime>
#include <string>
#include <string_view>

namespace vuv {

// $XDG_DATA_HOME/vuviviva/recuperation/, or ~/.local/share/vuviviva/recuperation/ when that
// variable is unset, empty or relative. Ends with '/'.
std::string dossier_recuperation();

struct PiedRecuperation {
    std::string version;  // of the program that wrote it
    std::time_t date = 0; // when it was written
    std::string projet;   // the project file the work came from; empty when none
    std::string systeme_wkt; // the work's coordinate system, which the project text does not hold
};

// The lines written after the project text.
std::string pied_recuperation(const PiedRecuperation& e);

// Splits a file into the project bytes and what its last lines say. False when they are missing
// or cut short; `raison` then says what is wrong, in French.
bool lit_recuperation(std::string_view octets, PiedRecuperation& e, std::string_view& octets_projet,
                      std::string& raison);
// The same, with the journal that follows the last lines.
bool lit_recuperation(std::string_view octets, PiedRecuperation& e, std::string_view& octets_projet,
                      std::string_view& journal, std::string& raison);

// "12/03/2025 à 14:05", local time.
std::string date_recuperation(std::time_t t);

// The start-up offer.
std::string question_recuperation(std::time_t t);

} // namespace vuv
