#include "core/recuperation/Recuperation.h"

#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/fichiers/RaisonSysteme.h"
#include "core/projet/Projet.h"
#include "core/recuperation/Identite.h"
#include "core/recuperation/Journal.h"
#include "core/text/encodage.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace vuv {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view extension = ".recuperation";
constexpr std::string_view extension_verrou = ".verrou";
// What the safe write leaves beside its target when the program dies while writing.
constexpr std::string_view extension_temporaire = ".~enr";

std::string sans_extension(const std::string& chemin, std::string_view ext) {
    return chemin.substr(0, chemin.size() - ext.size());
}

bool finit_par(const std::string& t, std::string_view fin) {
    return t.size() > fin.size() && t.compare(t.size() - fin.size(), fin.size(), fin) == 0;
}

bool existe(const std::string& chemin) {
    struct stat st {};
    return ::lstat(chemin.c_str(), &st) == 0;
}

// A file of this user's, not a link: another user's work is neither offered nor touched.
bool a_moi(const std::string& chemin) {
    struct stat st {};
    return ::lstat(chemin.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

std::string petit_fichier(const std::string& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    std::string t(256, '\0');
    f.read(t.data(), static_cast<std::streamsize>(t.size()));
    t.resize(static_cast<std::size_t>(f.gcount()));
    return t;
}

// Free to take: of this user, its lock not held (checked by taking it) and naming no program
// that runs.
Verrou prend_abandonne(const std::string& verrou) {
    Verrou v;
    if (existe(verrou) && (!a_moi(verrou) || programme_vivant(petit_fichier(verrou)))) return v;
    int code = 0;
    return Verrou::prend(verrou, false, code);
}

// "20250312-140503-4711": sorted by start, unique among running programs.
std::string nom_de_programme() {
    const std::time_t t = std::time(nullptr);
    std::tm l{};
    localtime_r(&t, &l);
    char nom[64];
    std::snprintf(nom, sizeof nom, "%04d%02d%02d-%02d%02d%02d-%ld", l.tm_year + 1900, l.tm_mon + 1, l.tm_mday,
                  l.tm_hour, l.tm_min, l.tm_sec, static_cast<long>(::getpid()));
    return nom;
}

std::string message_dossier(const std::string& dossier, int code) {
    return "Le dossier de récupération " + dossier + " ne peut pas être écrit (" +
           raison_systeme(code, Acces::ecriture) +
           ") : le travail non enregistré ne pourra pas être récupéré après un arrêt imprévu.";
}

} // namespace

// --- A file left behind ---

std::string RecuperationAbandonnee::nom_mis_de_cote() const {
    return sans_extension(fichier_, extension) + ".illisible";
}

bool RecuperationAbandonnee::verifie(const std::string& version) {
    const RefusProjet refuse{nom_mis_de_cote(), "n'a pas été ouvert"};
    auto rejete = [this](auto&& dire) {
        dire();
        met_de_cote();
        return false;
    };
    try {
        octets_ = lit_fichier(fichier_);
    } catch (const ErreurFichier& e) {
        return rejete([&] { port().information(e.what()); });
    }
    std::string raison;
    std::string_view projet, journal;
    if (!lit_recuperation(octets_, pied_, projet, journal, raison)) return rejete([&] { refuse(raison); });
    taille_projet_ = projet.size();
    date_ = pied_.date;
    if (pied_.version != version)
        return rejete([&] {
            refuse("Il a été écrit par la version " + pied_.version + " de Vuviviva ; celle-ci est la version " +
                   version + ".");
        });
    // Read once aside, so that a damaged file is found before anything is offered.
    Document essai;
    ActionsLecture sans_fenetres;
    if (lit_projet_octets(essai, projet, sans_fenetres, refuse.fichier) != ResultatLecture::lu)
        return rejete([] {});
    const RelectureJournal r = rejoue_journal(journal, essai);
    if (r.enregistrements > 0) {
        // The work as at the last edit, in the bytes a save of it would write.
        octets_ = utf8_vers_cp1252(texte_projet_tel_quel(essai, true));
        taille_projet_ = octets_.size();
        date_ = r.date;
    }
    return true;
}

void RecuperationAbandonnee::efface() {
    ::unlink(fichier_.c_str());
    ::unlink((fichier_ + std::string(extension_temporaire)).c_str());
    verrou_.supprime();
}

bool RecuperationAbandonnee::met_de_cote() {
    const bool ok = ::rename(fichier_.c_str(), nom_mis_de_cote().c_str()) == 0;
    verrou_.supprime();
    return ok;
}

// --- This program's recovery ---

Recuperation::Recuperation(Document& d, std::string dossier, std::string version)
    : d_(d), dossier_(std::move(dossier)), version_(std::move(version)) {
    if (!dossier_.empty() && dossier_.back() != '/') dossier_ += '/';
}

Recuperation::~Recuperation() {
    if (pile_) pile_->retire_observateur(this);
    efface_fichier();
    verrou_.supprime();
}

void Recuperation::suit(PileAnnulation& pile) {
    if (pile_) pile_->retire_observateur(this);
    pile_ = &pile;
    pile_->ajoute_observateur(this);
    pile_->prend_lignes_touchees();
}

bool Recuperation::demarre(std::string& message) {
    std::error_code ec;
    fs::create_directories(dossier_, ec);
    if (ec) {
        message = message_dossier(dossier_, ec.value());
        return false;
    }
    const std::string nom = nom_de_programme();
    int code = 0;
    for (int essai = 0; essai < 100 && !verrou_.tenu(); ++essai) {
        const std::string base = dossier_ + nom + (essai ? "-" + std::to_string(essai) : std::string());
        verrou_ = Verrou::prend(base + std::string(extension_verrou), true, code);
        if (verrou_.tenu()) fichier_ = base + std::string(extension);
        else if (code != EEXIST) break;
    }
    if (!verrou_.tenu()) {
        message = message_dossier(dossier_, code);
        return false;
    }
    verrou_.ecrit(identite_programme() + "\n");
    ecrite_ = empreinte();
    return true;
}

Recuperation::Empreinte Recuperation::empreinte() const {
    return {d_.StringGrid1.version(), d_.StringGrid2.version(), d_.StringGrid3.version(),
            d_.nb_points, d_.num_ligne, d_.nb_calage, d_.dx0, d_.dy0, d_.largeur_fond, d_.hauteur_fond,
            d_.fichier_image, d_.systeme_wkt};
}

void Recuperation::suit_document() {
    if (!active()) return;
    if (d_.sauve) {
        if (ecrit_) efface_fichier();
        // No table has version 0: the first unsaved look writes a copy, even of the work as
        // saved (an edit that clears the flag only once its step is over).
        ecrite_ = {};
        return;
    }
    Empreinte e = empreinte();
    if (e == ecrite_) return;
    if (!journalise(e)) ecrit();
}

void Recuperation::echeance() {
    suit_document();
    if (!active() || d_.sauve || (ecrit_ && journal_ >= 0 && taille_journal_ == 0)) return;
    ecrit();
}

bool Recuperation::journalise(const Empreinte& e) {
    if (!ecrit_ || journal_ < 0 || !pile_) return false;
    const Empreinte& avant = ecrite_;
    if (e.dx0 != avant.dx0 || e.dy0 != avant.dy0 || e.largeur != avant.largeur || e.hauteur != avant.hauteur ||
        e.image != avant.image || e.systeme != avant.systeme)
        return false;
    std::array<int, 3> premieres = pile_->prend_lignes_touchees();
    const bool changees[3] = {e.points != avant.points, e.calage != avant.calage, e.lignes != avant.lignes};
    for (std::size_t i = 0; i < 3; ++i) {
        if (!changees[i]) premieres[i] = PileAnnulation::aucune_ligne;
        // A change the list did not see, or of a whole table: a copy is as small.
        else if (premieres[i] == PileAnnulation::aucune_ligne || premieres[i] == 0) return false;
    }
    const std::string enregistrement = enregistrement_journal(d_, premieres, std::time(nullptr));
    // The file stays within about twice the work: past that a copy is smaller.
    if (taille_journal_ + enregistrement.size() > std::max<std::size_t>(taille_copie_, 64 * 1024)) return false;
    if (!ajoute(enregistrement)) return false;
    ecrite_ = e;
    return true;
}

bool Recuperation::ajoute(const std::string& enregistrement) {
    std::size_t fait = 0;
    while (fait < enregistrement.size()) {
        const ssize_t n = ::write(journal_, enregistrement.data() + fait, enregistrement.size() - fait);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // A record cut by a full disk would be ignored, and so would every one after it.
            if (::ftruncate(journal_, static_cast<off_t>(taille_copie_ + taille_journal_)) != 0) {}
            ferme_journal();
            return false;
        }
        fait += static_cast<std::size_t>(n);
    }
    taille_journal_ += fait;
    return true;
}

void Recuperation::ferme_journal() {
    if (journal_ >= 0) ::close(journal_);
    journal_ = -1;
}

bool Recuperation::ecrit() {
    if (!active()) return false;
    // Whatever happens, the journal goes on from a new copy only.
    ferme_journal();
    if (pile_) pile_->prend_lignes_touchees();
    ecrite_ = empreinte();
    std::size_t taille = 0;
    try {
        const bool fond = avec_fond ? avec_fond() : !d_.fichier_image.empty();
        const PiedRecuperation e{version_, std::time(nullptr), projet ? projet() : std::string(), d_.systeme_wkt};
        const std::string copie = utf8_vers_cp1252(texte_projet_tel_quel(d_, fond)) + pied_recuperation(e);
        EcritureSure sortie(fichier_);
        sortie.ecrit(copie);
        if (!sortie.valide()) return false;
        taille = copie.size();
    } catch (const std::exception&) {
        // Recovery is a safety net: its failure never interrupts the user's work.
        return false;
    }
    ecrit_ = true;
    journal_ = ::open(fichier_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW);
    taille_copie_ = taille;
    taille_journal_ = 0;
    return true;
}

void Recuperation::efface_fichier() {
    ferme_journal();
    if (!fichier_.empty()) ::unlink(fichier_.c_str());
    ecrit_ = false;
}

std::vector<RecuperationAbandonnee> Recuperation::abandonnees() const {
    std::vector<RecuperationAbandonnee> r;
    std::vector<std::string> verrous;
    std::error_code ec;
    for (fs::directory_iterator it(dossier_, ec), fin; !ec && it != fin; it.increment(ec)) {
        const std::string chemin = it->path().string();
        if (finit_par(chemin, extension_verrou)) verrous.push_back(chemin);
        if (!finit_par(chemin, extension) || chemin == fichier_ || !a_moi(chemin)) continue;
        Verrou v = prend_abandonne(sans_extension(chemin, extension) + std::string(extension_verrou));
        if (!v.tenu()) continue; // its program is running, or it is not ours
        // Whoever deletes a recovery file does it before letting go of its lock.
        if (!existe(chemin)) {
            v.supprime();
            continue;
        }
        RecuperationAbandonnee a;
        a.fichier_ = chemin;
        a.verrou_ = std::move(v);
        struct stat st {};
        if (::stat(chemin.c_str(), &st) == 0) a.date_ = st.st_mtime;
        r.push_back(std::move(a));
    }
    // Locks of programs that died before writing anything: nothing to offer, nothing to keep.
    for (const std::string& chemin : verrous) {
        const std::string base = sans_extension(chemin, extension_verrou);
        if (existe(base + std::string(extension))) continue;
        Verrou v = prend_abandonne(chemin);
        if (!v.tenu()) continue;
        ::unlink((base + std::string(extension) + std::string(extension_temporaire)).c_str());
        v.supprime();
    }
    std::stable_sort(r.begin(), r.end(), [](const auto& a, const auto& b) { return a.date_ > b.date_; });
    return r;
}

} // namespace vuv
