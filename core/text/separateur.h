#pragma once
// The local decimal separator ('.' or ','): a setting read at each call, never the C locale.
// The application sets it from the system locale; tests set both values explicitly.

namespace vuv {

char separateur_decimal();
void fixe_separateur_decimal(char sep);

// The thousands separator of the grouped formats: the space when the system groups with one,
// otherwise the non-breaking space (U+00A0). Qt's U+202F and a '.' or ',' would make the
// grouped cells unreadable or unwritable in Windows-1252, so they are never used.
char32_t separateur_milliers();
void fixe_separateur_milliers(char32_t sep);

// Sets the separator for a scope, restoring the previous one after.
class SeparateurLocal {
public:
    explicit SeparateurLocal(char sep) : precedent_(separateur_decimal()) { fixe_separateur_decimal(sep); }
    ~SeparateurLocal() { fixe_separateur_decimal(precedent_); }
    SeparateurLocal(const SeparateurLocal&) = delete;
    SeparateurLocal& operator=(const SeparateurLocal&) = delete;

private:
    char precedent_;
};

} // namespace vuv
