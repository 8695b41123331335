#include "sig/RemplacementSorties.h"

#include "core/fichiers/EcritureSure.h"
#include "core/fichiers/RaisonSysteme.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vuv::sig {
namespace {

namespace fs = std::filesystem;

constexpr const char* prefixe = ".vuviviva-export-";
// Its presence means the set is complete and synced: a dead run is rolled forward.
constexpr const char* nom_releve = ".releve";

bool finit_par(const std::string& t, const char* fin) {
    const std::string f(fin);
    return t.size() >= f.size() && t.compare(t.size() - f.size(), f.size(), f) == 0;
}

ErreurFichier erreur_ecriture(const std::string& chemin, int code) {
    return ErreurFichier("Impossible d'enregistrer " + chemin + " : " + raison_systeme(code, Acces::ecriture));
}

void synchronise(const std::string& chemin, bool dossier) {
    const int fd = ::open(chemin.c_str(), (dossier ? O_RDONLY | O_DIRECTORY : O_RDWR) | O_CLOEXEC);
    if (fd < 0) throw erreur_ecriture(chemin, errno);
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    const int code = errno;
    ::close(fd);
    if (!ok) throw erreur_ecriture(chemin, code);
}

// The record: "+name" moves name in, "-name" removes the old name; one per line.
void ecrit_releve(const std::string& temporaire, const std::vector<std::string>& entrees,
                  const std::vector<std::string>& retraits) {
    std::string t;
    for (const std::string& e : entrees) t += "+" + e + "\n";
    for (const std::string& r : retraits) t += "-" + r + "\n";
    const std::string brouillon = temporaire + "/.releve.tmp";
    {
        std::ofstream f(brouillon, std::ios::binary);
        f << t;
        f.flush();
        if (!f) throw ErreurFichier("Impossible d'enregistrer " + brouillon + " : l'écriture a échoué");
    }
    synchronise(brouillon, false);
    if (::rename(brouillon.c_str(), (temporaire + "/" + nom_releve).c_str()) != 0) throw erreur_ecriture(brouillon, errno);
    synchronise(temporaire, true);
}

// Moves and removals of a record; each step may already be done.
void applique(const std::string& dossier, const std::string& temporaire, const std::string& releve) {
    std::size_t debut = 0;
    while (debut < releve.size()) {
        const std::size_t fin = std::min(releve.find('\n', debut), releve.size());
        const std::string ligne = releve.substr(debut, fin - debut);
        debut = fin + 1;
        if (ligne.size() < 2) continue;
        const std::string nom = ligne.substr(1), cible = dossier + "/" + nom;
        if (ligne[0] == '+') {
            const std::string source = temporaire + "/" + nom;
            if (::access(source.c_str(), F_OK) == 0 && ::rename(source.c_str(), cible.c_str()) != 0)
                throw erreur_ecriture(cible, errno);
        } else if (::unlink(cible.c_str()) != 0 && errno != ENOENT) {
            throw erreur_ecriture(cible, errno);
        }
    }
    synchronise(dossier, true);
}

std::string lit_tout(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

} // namespace

void range_exports_morts(const std::string& dossier) {
    std::error_code e;
    for (fs::directory_iterator i(dossier, e), fin; !e && i != fin; i.increment(e)) {
        const std::string nom = i->path().filename().string();
        if (nom.rfind(prefixe, 0) != 0 || !i->is_directory(e)) continue;
        const std::string chemin = i->path().string();
        const int fd = ::open(chemin.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        // Locked: a run still at work.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            const std::string releve = chemin + "/" + nom_releve;
            if (::access(releve.c_str(), F_OK) == 0) applique(dossier, chemin, lit_tout(releve));
            std::error_code ignore;
            fs::remove_all(chemin, ignore);
        }
        ::close(fd);
    }
}

DossierExport::DossierExport(const std::string& dossier) : dossier_(dossier) {
    if (::access(dossier.c_str(), F_OK) == 0) range_exports_morts(dossier);
    std::string modele = dossier + "/" + prefixe + "XXXXXX";
    if (!::mkdtemp(modele.data()))
        throw ErreurFichier("Impossible d'écrire dans le dossier " + dossier + " : " +
                            raison_systeme(errno, Acces::ecriture));
    chemin_ = modele;
    verrou_ = ::open(chemin_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (verrou_ >= 0) ::flock(verrou_, LOCK_EX);
}

DossierExport::~DossierExport() {
    std::error_code e;
    fs::remove_all(chemin_, e);
    if (verrou_ >= 0) ::close(verrou_);
}

std::vector<std::string> DossierExport::ecrits() const {
    std::vector<std::string> r;
    for (const auto& e : fs::directory_iterator(chemin_)) {
        const std::string nom = e.path().filename().string();
        if (nom.front() == '.' || finit_par(nom, "-journal") || finit_par(nom, "-wal") || finit_par(nom, "-shm")) continue;
        r.push_back(nom);
    }
    std::sort(r.begin(), r.end());
    return r;
}

void DossierExport::remplace(const std::vector<std::string>& a_retirer) {
    const std::vector<std::string> noms = ecrits();
    for (const std::string& nom : noms) synchronise(chemin_ + "/" + nom, false);
    ecrit_releve(chemin_, noms, a_retirer);
    applique(dossier_, chemin_, lit_tout(chemin_ + "/" + nom_releve));
}

} // namespace vuv::sig
