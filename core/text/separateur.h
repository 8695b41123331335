#pragma once
// The local decimal separator ('.' or ','): a setting read at each call, never the C locale.
// The application sets it from the system locale; tests set both values explicitly.

namespace vuv {

char separateur_decimal();
void fixe_separateur_decimal(char sep);

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
