#pragma once
// Reads a project file's bytes the way its lines are read: whole lines, or integers preceded
// by any blanks (line ends included). Error codes: 100 past the end, 106 not a number. Lines
// come out in UTF-8.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace vuv {

// Number of line feeds in the text, with the widest instructions the processor has.
std::size_t compte_lf(std::string_view t);
// The same on any processor.
std::size_t compte_lf_par_mots(std::string_view t);

class LecteurTexte {
public:
    explicit LecteurTexte(std::string_view octets) : t_(octets) {}

    // Valid until the next line is read.
    std::string_view ligne();
    void fin_ligne();
    int entier(int& v);
    // The bytes and where reading stands in them, for readers that take many lines at once.
    std::string_view octets() const { return t_; }
    std::size_t position() const { return p_; }
    void va_a(std::size_t p) { p_ = std::min(p, t_.size()); }
    // Lines from here to the end, counted once per file: later calls take off the lines read since.
    long long lignes_restantes();

private:
    std::size_t fin_de_ligne();
    void saute_fin_de_ligne();

    std::string_view t_;
    std::size_t p_ = 0;
    std::size_t lf_ = 0;
    bool lf_connu_ = false;
    std::string converti_;
    long long compte_ = -1;
    std::size_t compte_depuis_ = 0;
};

} // namespace vuv
