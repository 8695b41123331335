#include "tests/support/DialoguesScriptes.h"

namespace vuv {

std::optional<QString> DialoguesScriptes::suivant(const DemandeFichier& d) {
    demandes_ << d;
    if (!d.option.isEmpty() && !options_.empty()) {
        rend_option(options_.front());
        options_.pop_front();
    }
    if (fichiers_.empty()) return std::nullopt;
    const Reponse<QString> r = fichiers_.front();
    fichiers_.pop_front();
    if (!r.ok) return std::nullopt;
    return r.valeur;
}

std::optional<QColor> DialoguesScriptes::couleur(const QColor&, bool) {
    ++demandes_couleur_;
    if (couleurs_.empty()) return std::nullopt;
    const Reponse<QColor> r = couleurs_.front();
    couleurs_.pop_front();
    if (!r.ok) return std::nullopt;
    return r.valeur;
}

} // namespace vuv
