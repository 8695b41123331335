#pragma once
// The recovery file: a few "key=value" lines (UTF-8) naming who wrote it, when, and for which
// project, an empty line, then the project text exactly as a save writes it (Windows-1252).
#include <ctime>
#include <string>
#include <string_view>

namespace vuv {

// $XDG_DATA_HOME/vuviviva/recuperation/, or ~/.local/share/vuviviva/recuperation/ when that
// variable is unset, empty or relative. Ends with '/'.
std::string dossier_recuperation();

struct EnteteRecuperation {
    std::string version;  // of the program that wrote it
    std::time_t date = 0; // when it was written
    std::string projet;   // the project file the work came from; empty when none
    std::string systeme_wkt; // the work's coordinate system, which the project text does not hold
};

// The header, up to and with its empty line; the project bytes follow it.
std::string entete_recuperation(const EnteteRecuperation& e);

// Splits a file into its header and the project bytes. False when the header is missing or
// cut short; `raison` then says what is wrong, in French.
bool lit_recuperation(std::string_view octets, EnteteRecuperation& e, std::string_view& octets_projet,
                      std::string& raison);

// "12/03/2025 à 14:05", local time.
std::string date_recuperation(std::time_t t);

// The start-up offer.
std::string question_recuperation(std::time_t t);

} // namespace vuv
