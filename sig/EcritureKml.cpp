#include "sig/EcritureKml.h"

#include "core/fichiers/EcritureSure.h"
#include "sig/DonneesSig.h"
#include "sig/ExportSig.h"

#include <charconv>
#include <cstdint>

namespace vuv::sig {
namespace {

constexpr std::string_view remplacement = "\xEF\xBF\xBD"; // U+FFFD

// The length of the UTF-8 character at the start of `t` when XML may hold it, else 0.
std::size_t caractere_valide(std::string_view t) {
    const auto o = [&](std::size_t i) { return static_cast<unsigned char>(t[i]); };
    const unsigned char c = o(0);
    std::size_t n = 0;
    std::uint32_t v = 0;
    if (c >= 0xC2 && c <= 0xDF) n = 2, v = c & 0x1Fu;
    else if (c >= 0xE0 && c <= 0xEF) n = 3, v = c & 0x0Fu;
    else if (c >= 0xF0 && c <= 0xF4) n = 4, v = c & 0x07u;
    else return 0;
    if (t.size() < n) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((o(i) & 0xC0) != 0x80) return 0;
        v = (v << 6) | (o(i) & 0x3Fu);
    }
    const bool trop_long = (n == 3 && v < 0x800) || (n == 4 && v < 0x10000);
    const bool exclu = (v >= 0xD800 && v <= 0xDFFF) || v == 0xFFFE || v == 0xFFFF || v > 0x10FFFF;
    return trop_long || exclu ? 0 : n;
}

class Sortie {
public:
    Sortie(const std::string& chemin, const std::string& cible) : fichier_(chemin), cible_(cible) {}

    Sortie& operator<<(std::string_view t) {
        tampon_ += t;
        if (tampon_.size() >= 1 << 16) vide();
        return *this;
    }
    Sortie& operator<<(int n) { return nombre(n); }
    Sortie& operator<<(double x) { return nombre(x); }
    void texte(std::string_view t) { tampon_ += texte_xml(t); }

    void termine() {
        vide();
        if (!fichier_.valide()) throw ErreurFichier("Impossible d'enregistrer " + cible_ + " : " + fichier_.raison());
    }

private:
    template <class N>
    Sortie& nombre(N n) {
        char t[32];
        const auto r = std::to_chars(t, t + sizeof t, n);
        tampon_.append(t, r.ptr);
        return *this;
    }
    void vide() {
        fichier_.ecrit(tampon_);
        tampon_.clear();
    }

    EcritureSure fichier_;
    std::string cible_;
    std::string tampon_;
};

struct Champ {
    const char* nom;
    const char* type;
};
constexpr Champ champs_ligne[] = {{"L", "int"}, {"nom", "string"}, {"epaisseur", "int"}, {"couleur", "string"}};
constexpr Champ champs_point[] = {{"n", "int"}, {"L", "int"}, {"Libelle", "string"}, {"Z", "float"}};

template <std::size_t N>
void schema(Sortie& s, std::string_view couche, const Champ (&champs)[N]) {
    s << "<Schema name=\"" << couche << "\" id=\"" << couche << ".schema\">\n";
    for (const Champ& c : champs) s << "<SimpleField name=\"" << c.nom << "\" type=\"" << c.type << "\"/>\n";
    s << "</Schema>\n";
}

// "#RRGGBB" as KML's aabbggrr.
std::string couleur_kml(const std::string& hex, std::string_view alpha) {
    std::string r(alpha);
    for (const std::size_t i : {std::size_t{5}, std::size_t{3}, std::size_t{1}})
        for (std::size_t j = i; j < i + 2; ++j) r += static_cast<char>(hex[j] >= 'A' && hex[j] <= 'F' ? hex[j] + 32 : hex[j]);
    return r;
}

void style(Sortie& s, const LigneSig& l, bool surface) {
    if (l.couleur.empty()) return;
    s << "<Style><LineStyle><color>" << couleur_kml(l.couleur, "ff") << "</color>";
    if (l.epaisseur && *l.epaisseur > 0) s << "<width>" << *l.epaisseur << "</width>";
    s << "</LineStyle>";
    if (surface) s << "<PolyStyle><color>" << couleur_kml(l.couleur, "80") << "</color></PolyStyle>";
    s << "</Style>\n";
}

void debut_placemark(Sortie& s, std::string_view couche, int& id) {
    s << "<Placemark id=\"" << couche << "." << ++id << "\">\n";
}

void donnees(Sortie& s, std::string_view couche) {
    s << "<ExtendedData><SchemaData schemaUrl=\"#" << couche << ".schema\">\n";
}

void donnee(Sortie& s, const char* nom, auto valeur) {
    s << "<SimpleData name=\"" << nom << "\">" << valeur << "</SimpleData>\n";
}

void donnee_texte(Sortie& s, const char* nom, std::string_view valeur) {
    s << "<SimpleData name=\"" << nom << "\">";
    s.texte(valeur);
    s << "</SimpleData>\n";
}

void altitude(Sortie& s, bool avec_z) {
    if (avec_z) s << "<altitudeMode>absolute</altitudeMode>";
}

void coordonnees(Sortie& s, const std::vector<SommetSig>& sommets, bool avec_z) {
    s << "<coordinates>";
    bool premier = true;
    for (const SommetSig& p : sommets) {
        if (!premier) s << " ";
        premier = false;
        s << p.X << "," << p.Y;
        if (avec_z) s << "," << p.Z;
    }
    s << "</coordinates>";
}

void ligne(Sortie& s, const LigneSig& l, std::string_view couche, int& id, bool avec_z) {
    const bool surface = couche == "surfaces";
    debut_placemark(s, couche, id);
    style(s, l, surface);
    donnees(s, couche);
    donnee(s, "L", l.L);
    donnee_texte(s, "nom", l.nom);
    if (l.epaisseur) donnee(s, "epaisseur", *l.epaisseur);
    if (!l.couleur.empty()) donnee(s, "couleur", l.couleur);
    s << "</SchemaData></ExtendedData>\n";
    if (surface) {
        s << "<Polygon>";
        altitude(s, avec_z);
        s << "<outerBoundaryIs><LinearRing>";
        coordonnees(s, l.sommets, avec_z);
        s << "</LinearRing></outerBoundaryIs></Polygon>";
    } else {
        s << "<LineString>";
        altitude(s, avec_z);
        coordonnees(s, l.sommets, avec_z);
        s << "</LineString>";
    }
    s << "\n</Placemark>\n";
}

void point(Sortie& s, const PointSig& p, int& id, bool avec_z) {
    debut_placemark(s, "points", id);
    donnees(s, "points");
    if (p.n) donnee(s, "n", *p.n);
    donnee(s, "L", p.L);
    donnee_texte(s, "Libelle", p.libelle);
    if (p.Z) donnee(s, "Z", *p.Z);
    s << "</SchemaData></ExtendedData>\n<Point>";
    // A point without altitude in a 3D export stays on the ground.
    altitude(s, avec_z && p.Z);
    s << "<coordinates>" << p.X << "," << p.Y;
    if (avec_z) s << "," << p.Z.value_or(0);
    s << "</coordinates></Point>\n</Placemark>\n";
}

} // namespace

std::string texte_xml(std::string_view t) {
    std::string r;
    r.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c >= 0x80) {
            const std::size_t n = caractere_valide(t.substr(i));
            if (n == 0) r += remplacement;
            else r += t.substr(i, n);
            i += n == 0 ? 1 : n;
            continue;
        }
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        case '\r': r += "&#13;"; break;
        case '\t':
        case '\n': r += static_cast<char>(c); break;
        default:
            if (c < 0x20) {
                r += "\xE2\x90";
                r += static_cast<char>(0x80 + c);
            } else {
                r += static_cast<char>(c);
            }
        }
        ++i;
    }
    return r;
}

void ecrit_kml(const DonneesSig& d, bool surfaces, const std::string& chemin, const std::string& cible, BilanSig& b) {
    Sortie s(chemin, cible);
    s << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
         "<Document id=\"root_doc\">\n";
    schema(s, "lignes", champs_ligne);
    if (surfaces) schema(s, "surfaces", champs_ligne);
    schema(s, "points", champs_point);

    int id = 0;
    s << "<Document id=\"lignes\"><name>lignes</name>\n";
    for (const LigneSig& l : d.lignes) {
        if (l.sommets.size() < 2) {
            ++b.lignes_un_point;
            continue;
        }
        ligne(s, l, "lignes", id, d.avec_z);
        ++b.lignes;
    }
    s << "</Document>\n";
    if (surfaces) {
        id = 0;
        s << "<Document id=\"surfaces\"><name>surfaces</name>\n";
        for (const LigneSig& l : d.lignes) {
            if (!l.fermee()) continue;
            ligne(s, l, "surfaces", id, d.avec_z);
            ++b.surfaces;
        }
        s << "</Document>\n";
    }
    id = 0;
    s << "<Document id=\"points\"><name>points</name>\n";
    for (const PointSig& p : d.points) {
        point(s, p, id, d.avec_z);
        ++b.points;
    }
    s << "</Document>\n</Document>\n</kml>\n";
    s.termine();
}

} // namespace vuv::sig
