#include "core/fichiers/RaisonSysteme.h"

#include <cerrno>
#include <cstring>

namespace vuv {

std::string raison_systeme(int code, Acces acces) {
    const bool lecture = acces == Acces::lecture;
    switch (code) {
    case ENOENT: return lecture ? "fichier introuvable" : "le dossier n'existe pas";
    case EISDIR: return lecture ? "le chemin désigne un dossier, pas un fichier" : "le chemin désigne un dossier";
    case EACCES:
    case EPERM: return "l'accès est refusé";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case ENOSPC: return "le disque est plein";
    case EDQUOT: return "le quota disque est dépassé";
    case EFBIG: return "le fichier dépasse la taille permise";
    case EROFS: return "le support est en lecture seule";
    case EIO: return "erreur d'entrée/sortie du support";
    case ENAMETOOLONG: return "le nom est trop long";
    case ENOMEM: return "mémoire insuffisante";
    default: return "erreur système " + std::to_string(code) + " (" + std::strerror(code) + ')';
    }
}

} // namespace vuv
