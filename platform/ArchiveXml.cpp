#include "platform/ArchiveXml.h"

#include <expat.h>
#include <minizip/unzip.h>

#include <vector>

namespace vuv {
namespace {

constexpr char separateur = '\x01';

NomXml decoupe(const char* n) {
    const std::string_view s(n);
    const std::size_t i = s.find(separateur);
    if (i == std::string_view::npos) return {{}, s};
    return {s.substr(0, i), s.substr(i + 1)};
}

struct Contexte {
    LecteurXml& lecteur;
    XML_Parser analyseur;
};

void arrete_si_demande(Contexte& c) {
    if (c.lecteur.arrete) XML_StopParser(c.analyseur, XML_FALSE);
}

void XMLCALL debut(void* u, const XML_Char* nom, const XML_Char** attributs) {
    auto& c = *static_cast<Contexte*>(u);
    c.lecteur.debut(decoupe(nom), attributs);
    arrete_si_demande(c);
}

void XMLCALL fin(void* u, const XML_Char* nom) {
    auto& c = *static_cast<Contexte*>(u);
    c.lecteur.fin(decoupe(nom));
    arrete_si_demande(c);
}

void XMLCALL texte(void* u, const XML_Char* t, int n) {
    auto& c = *static_cast<Contexte*>(u);
    c.lecteur.texte(std::string_view(t, static_cast<std::size_t>(n)));
    arrete_si_demande(c);
}

} // namespace

const char* LecteurXml::attribut(const char** attributs, std::string_view local, std::string_view espace) {
    for (std::size_t i = 0; attributs && attributs[i]; i += 2) {
        const NomXml n = decoupe(attributs[i]);
        if (n.local == local && (espace.empty() || n.espace.find(espace) != std::string_view::npos)) return attributs[i + 1];
    }
    return nullptr;
}

ArchiveXml::~ArchiveXml() { unzClose(zip_); }

std::unique_ptr<ArchiveXml> ArchiveXml::ouvre(const std::string& chemin) {
    unzFile z = unzOpen64(chemin.c_str());
    if (!z) return nullptr;
    return std::unique_ptr<ArchiveXml>(new ArchiveXml(z));
}

bool ArchiveXml::contient(const std::string& partie) const {
    return unzLocateFile(zip_, partie.c_str(), 1) == UNZ_OK;
}

std::string ArchiveXml::lit(const std::string& partie, LecteurXml& lecteur) {
    if (unzLocateFile(zip_, partie.c_str(), 1) != UNZ_OK) return "la partie " + partie + " manque";
    if (unzOpenCurrentFile(zip_) != UNZ_OK) return "la partie " + partie + " est illisible";
    XML_Parser p = XML_ParserCreateNS(nullptr, separateur);
    Contexte c{lecteur, p};
    XML_SetUserData(p, &c);
    XML_SetElementHandler(p, debut, fin);
    XML_SetCharacterDataHandler(p, texte);
    std::string erreur;
    std::vector<char> tampon(1 << 16);
    std::size_t total = 0;
    for (;;) {
        const int n = unzReadCurrentFile(zip_, tampon.data(), static_cast<unsigned>(tampon.size()));
        if (n < 0) {
            erreur = "la partie " + partie + " est endommagée";
            break;
        }
        total += static_cast<std::size_t>(n);
        if (total > taille_max) {
            erreur = "la partie " + partie + " dépasse 1 Go une fois décompressée";
            break;
        }
        if (XML_Parse(p, tampon.data(), n, n == 0) == XML_STATUS_ERROR) {
            if (!lecteur.arrete)
                erreur = "la partie " + partie + " n'est pas du XML valable (ligne " +
                         std::to_string(XML_GetCurrentLineNumber(p)) + ")";
            break;
        }
        if (n == 0) break;
    }
    XML_ParserFree(p);
    const int crc = unzCloseCurrentFile(zip_);
    if (erreur.empty() && !lecteur.arrete && crc != UNZ_OK) erreur = "la partie " + partie + " est endommagée";
    return erreur;
}

} // namespace vuv
