#pragma once
// The comma list: one table row as one text line, as every table row of a project file is.
#include <string>
#include <string_view>
#include <vector>

namespace vuv {

class Grille;

// Cells 0..last separated by commas; a cell holding a character of code 0..32, a double
// quote or a comma is quoted, its quotes doubled.
std::string ecrit_liste_virgules(const Grille& g, int row);
// The same, appended to a text being built.
void ecrit_liste_virgules(std::string& sortie, const Grille& g, int row);

// Empties the row, then puts each field into the leftmost still empty cell (an empty field
// as one space); unquoted fields end at a comma or at any character of code 32 or less. A NUL,
// a CR or a LF ends the list.
void lit_liste_virgules(Grille& g, int row, std::string_view ligne);

// Reads line after line by the same rules, keeping its buffers from one line to the next.
class LecteurListes {
public:
    void lit(Grille& g, int row, std::string_view ligne);
    // Adds the row at the end of the table, its cells written once: big files read this way.
    void ajoute(Grille& g, std::string_view ligne);
    // Adds n rows read from the Windows-1252 bytes of a file, from `debut` on, as n lines
    // would be read and added one by one; returns where the bytes after them start. The
    // fields are taken straight from the bytes, in one pass.
    std::size_t ajoute_lignes(Grille& g, std::string_view octets, std::size_t debut, int n);

private:
    // Splits the line into champs_[0..n), at most max fields; valid until the next call.
    int decoupe(std::string_view ligne, int max);
    // The same for the line of the bytes starting at p, leaving p at the next line; fields
    // are turned from Windows-1252 into UTF-8 when `convertir`.
    template <bool convertir>
    int decoupe_octets(std::string_view octets, std::size_t& p, std::size_t n_max);
    void prepare(std::size_t n_max);

    std::vector<std::string_view> champs_;
    std::vector<std::string> sans_doubles_; // fields whose doubled quotes were undone
    std::vector<std::string> convertis_;    // fields turned into UTF-8
};

} // namespace vuv
