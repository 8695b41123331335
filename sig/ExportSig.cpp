#include "sig/ExportSig.h"

#include "core/fichiers/EcritureSure.h"
#include "core/document/Document.h"
#include "sig/CouleursDxf.h"
#include "sig/DonneesSig.h"
#include "sig/EcritureKml.h"
#include "sig/FichiersProjet.h"
#include "sig/RelectureExport.h"
#include "sig/RemplacementSorties.h"

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <unistd.h>

namespace vuv::sig {
namespace {

namespace fs = std::filesystem;

constexpr std::array<DescriptionFormat, 6> formats{{
    {FormatSig::gpkg, "gpkg", "GeoPackage", ".gpkg", false, false},
    {FormatSig::shp, "shp", "Shapefile", ".shp", false, true},
    {FormatSig::geojson, "geojson", "GeoJSON", ".geojson", true, false},
    {FormatSig::kml, "kml", "KML", ".kml", true, false},
    {FormatSig::dxf, "dxf", "DXF", ".dxf", false, false},
    {FormatSig::csv, "csv", "CSV (WKT)", ".csv", false, true},
}};

// The files a format may have beside its own; one left from an earlier export in the same
// format would describe the new file wrongly (a .prj naming a system the project no longer has).
std::vector<std::string> annexes(FormatSig f) {
    if (f == FormatSig::shp) return {".shx", ".dbf", ".prj", ".cpg", ".qix", ".sbn", ".sbx"};
    if (f == FormatSig::csv) return {".csvt", ".prj"};
    return {};
}

// The one GeoJSON layer has the fields of all three, and each feature its layer's name.
constexpr std::pair<const char*, OGRFieldType> champs_geojson[] = {
    {"couche", OFTString}, {"L", OFTInteger},    {"nom", OFTString},     {"epaisseur", OFTInteger},
    {"couleur", OFTString}, {"n", OFTInteger}, {"Libelle", OFTString}, {"Z", OFTReal}};

// A Shapefile's text field holds 254 bytes: cut on a character's boundary.
constexpr std::size_t largeur_texte_shp = 254;

bool egal_sans_casse(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool finit_par(std::string_view t, std::string_view fin) {
    return t.size() >= fin.size() && egal_sans_casse(t.substr(t.size() - fin.size()), fin);
}

std::string pluriel(int n, const char* un, const char* plusieurs) {
    return std::to_string(n) + " " + (n > 1 ? plusieurs : un);
}

void initialise_gdal() {
    static std::once_flag fait;
    std::call_once(fait, [] { GDALAllRegister(); });
}

// GDAL's failures while writing, kept for the message; its warnings are not the user's business.
class ErreursGdal {
public:
    ErreursGdal() { CPLPushErrorHandlerEx(&ErreursGdal::recoit, this); }
    ~ErreursGdal() { CPLPopErrorHandler(); }
    ErreursGdal(const ErreursGdal&) = delete;
    ErreursGdal& operator=(const ErreursGdal&) = delete;

    const std::string& premiere() const { return premiere_; }

private:
    static void CPL_STDCALL recoit(CPLErr genre, CPLErrorNum, const char* message) {
        auto* moi = static_cast<ErreursGdal*>(CPLGetErrorHandlerUserData());
        if (genre >= CE_Failure && moi->premiere_.empty()) moi->premiere_ = message ? message : "erreur GDAL";
    }
    std::string premiere_;
};

// A GDAL setting for the time of one export, on this thread only.
class Reglage {
public:
    Reglage(const char* cle, const char* valeur) : cle_(cle) {
        if (const char* v = CPLGetThreadLocalConfigOption(cle, nullptr)) avant_ = v;
        CPLSetThreadLocalConfigOption(cle, valeur);
    }
    ~Reglage() { CPLSetThreadLocalConfigOption(cle_, avant_ ? avant_->c_str() : nullptr); }
    Reglage(const Reglage&) = delete;
    Reglage& operator=(const Reglage&) = delete;

private:
    const char* cle_;
    std::optional<std::string> avant_;
};

struct FermeSource {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};
using Source = std::unique_ptr<GDALDataset, FermeSource>;

std::unique_ptr<OGRSpatialReference> lit_systeme(const std::string& wkt) {
    auto srs = std::make_unique<OGRSpatialReference>();
    CPLPushErrorHandler(CPLQuietErrorHandler);
    const OGRErr e = srs->SetFromUserInput(wkt.c_str());
    CPLPopErrorHandler();
    if (e != OGRERR_NONE)
        throw ErreurSig("Le système de coordonnées du projet n'est pas lisible par GDAL : l'export est abandonné.");
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

// Every coordinate to longitude/latitude, before anything is written.
void en_degres(DonneesSig& d, const OGRSpatialReference& source, const OGRSpatialReference& wgs84) {
    std::unique_ptr<OGRCoordinateTransformation> ct;
    {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        ct.reset(OGRCreateCoordinateTransformation(&source, &wgs84));
        CPLPopErrorHandler();
    }
    if (!ct)
        throw ErreurSig("Le système de coordonnées du projet ne peut pas être converti en longitude/latitude : "
                        "l'export est abandonné.");
    auto convertit = [&](double& X, double& Y, const std::string& quoi) {
        const double X0 = X, Y0 = Y;
        int ok = 0;
        CPLPushErrorHandler(CPLQuietErrorHandler);
        const bool fait = ct->Transform(1, &X, &Y, nullptr, nullptr, &ok);
        CPLPopErrorHandler();
        if (!fait || !ok || !std::isfinite(X) || !std::isfinite(Y))
            throw ErreurSig(quoi + " (X = " + std::to_string(X0) + ", Y = " + std::to_string(Y0) +
                            ") ne peut pas être converti en longitude/latitude dans le système du projet : "
                            "l'export est abandonné.");
    };
    for (PointSig& p : d.points) convertit(p.X, p.Y, "Un point de la ligne " + std::to_string(p.L));
    for (LigneSig& l : d.lignes)
        for (SommetSig& s : l.sommets) convertit(s.X, s.Y, "Un point de la ligne " + std::to_string(l.L));
}

// The datasets of one export and the layers in them, all inside the temporary folder.
class Redaction {
public:
    Redaction(const DescriptionFormat& f, const std::string& dossier, const std::vector<std::string>& noms,
              const OGRSpatialReference* srs, bool avec_z)
        : f_(f), dossier_(dossier), noms_(noms), srs_(srs), avec_z_(avec_z) {
        const char* pilote = nullptr;
        switch (f.format) {
        case FormatSig::gpkg: pilote = "GPKG"; break;
        case FormatSig::shp: pilote = "ESRI Shapefile"; break;
        case FormatSig::geojson: pilote = "GeoJSON"; break;
        case FormatSig::kml: pilote = "KML"; break; // not used: ecrit_kml writes it
        case FormatSig::dxf: pilote = "DXF"; break;
        case FormatSig::csv: pilote = "CSV"; break;
        }
        pilote_ = GetGDALDriverManager()->GetDriverByName(pilote);
        if (!pilote_) throw ErreurSig(std::string("Le pilote GDAL « ") + pilote + " » manque : l'export est impossible.");
        if (!f.fichier_par_couche) unique_ = cree_source(noms.front());
        // One transaction for the whole GeoPackage: a commit per feature would be a hundred times slower.
        if (unique_ && unique_->TestCapability(ODsCTransactions) && unique_->StartTransaction(FALSE) == OGRERR_NONE)
            transaction_ = true;
    }

    // Creates the layer `nom` ("lignes", "surfaces", "points"); `rang` picks its file among
    // `noms` for the formats with one file per layer. DXF has one layer for all.
    OGRLayer* couche(const std::string& nom, std::size_t rang, OGRwkbGeometryType type) {
        GDALDataset* ds = unique_.get();
        if (f_.fichier_par_couche) {
            sources_.push_back(cree_source(noms_[rang]));
            ds = sources_.back().get();
        }
        if (une_couche() && ds->GetLayerCount() > 0) return ds->GetLayer(0);
        if (avec_z_) type = wkbSetZ(type);
        char** options = nullptr;
        std::string nom_couche = nom;
        if (f_.format == FormatSig::shp) options = CSLSetNameValue(options, "ENCODING", "UTF-8");
        if (f_.format == FormatSig::csv) {
            options = CSLSetNameValue(options, "GEOMETRY", "AS_WKT");
            options = CSLSetNameValue(options, "CREATE_CSVT", "YES");
        }
        if (f_.format == FormatSig::geojson) {
            // Lines, surfaces and points in one collection, as RFC 7946 has it; coordinates
            // kept to the digit, not the 7 decimals it suggests.
            options = CSLSetNameValue(options, "RFC7946", "YES");
            options = CSLSetNameValue(options, "COORDINATE_PRECISION", "15");
            options = CSLSetNameValue(options, "WRITE_BBOX", "NO");
            type = wkbUnknown;
            nom_couche = fs::path(noms_.front()).stem().string();
        }
        // The R-tree costs three times the rest of the export and gains nothing on a few
        // thousand features; a GIS builds one on demand.
        if (f_.format == FormatSig::gpkg) options = CSLSetNameValue(options, "SPATIAL_INDEX", "NO");
        OGRLayer* l = ds->CreateLayer(nom_couche.c_str(), const_cast<OGRSpatialReference*>(srs_), type, options);
        CSLDestroy(options);
        if (!l) throw ErreurFichier("Impossible de créer la couche « " + nom + " » : " + erreur());
        // Fields come before features in the one GeoJSON layer.
        if (f_.format == FormatSig::geojson)
            for (const auto& [n, t] : champs_geojson) champ(l, n, t);
        return l;
    }

    void champ(OGRLayer* l, const char* nom, OGRFieldType type) {
        if (f_.format == FormatSig::dxf) return; // DXF has its own fixed fields
        if (l->GetLayerDefn()->GetFieldIndex(nom) >= 0) return; // one GeoJSON layer for all
        OGRFieldDefn c(nom, type);
        if (type == OFTString && f_.format == FormatSig::shp) c.SetWidth(254);
        if (l->CreateField(&c) != OGRERR_NONE)
            throw ErreurFichier(std::string("Impossible de créer le champ « ") + nom + " » : " + erreur());
    }

    bool sans_champs() const { return f_.format == FormatSig::dxf; }
    bool une_couche() const { return f_.format == FormatSig::dxf || f_.format == FormatSig::geojson; }
    bool nomme_couche() const { return f_.format == FormatSig::geojson; }

    // A label as the format can hold it; the cut ones are counted for the end message.
    std::string texte(const std::string& t) {
        if (f_.format != FormatSig::shp || t.size() <= largeur_texte_shp) return t;
        std::size_t n = largeur_texte_shp;
        while (n > 0 && (static_cast<unsigned char>(t[n]) & 0xC0) == 0x80) --n;
        ++coupes_;
        return t.substr(0, n);
    }
    int coupes() const { return coupes_; }

    void ajoute(OGRLayer* l, OGRFeature& e) {
        e.SetFID(OGRNullFID);
        if (l->CreateFeature(&e) != OGRERR_NONE) throw ErreurFichier("Impossible d'écrire une entité : " + erreur());
    }

    // Commits and closes everything; GDAL reports most write failures only here.
    // GDAL 3.6's DXF writer corrupts memory when closed after a failed write: such a dataset
    // is let go unclosed, its files removed with the temporary folder.
    ~Redaction() {
        if (f_.format == FormatSig::dxf && (!fini_ || echec_)) (void)unique_.release();
    }
    Redaction(const Redaction&) = delete;
    Redaction& operator=(const Redaction&) = delete;

    void termine(const ErreursGdal& erreurs) {
        echec_ = !erreurs.premiere().empty();
        fini_ = true;
        if (f_.format == FormatSig::dxf && echec_)
            throw ErreurFichier("Impossible d'enregistrer " + noms_.front() + " : " + erreur(erreurs));
        if (transaction_ && unique_->CommitTransaction() != OGRERR_NONE)
            throw ErreurFichier("Impossible d'enregistrer " + noms_.front() + " : " + erreur(erreurs));
        transaction_ = false;
        unique_.reset();
        sources_.clear();
        if (!erreurs.premiere().empty())
            throw ErreurFichier("Impossible d'enregistrer " + noms_.front() + " : " + erreur(erreurs));
    }

private:
    Source cree_source(const std::string& nom) {
        const std::string chemin = dossier_ + "/" + fs::path(nom).filename().string();
        Source s(pilote_->Create(chemin.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        if (!s) throw ErreurFichier("Impossible de créer " + nom + " : " + erreur());
        return s;
    }

    // GDAL's own words (English) kept for whoever has to look further.
    static std::string erreur(const ErreursGdal* e = nullptr) {
        const char* m = e && !e->premiere().empty() ? e->premiere().c_str() : CPLGetLastErrorMsg();
        return std::string("l'écriture a échoué") + (m && *m ? std::string(" (GDAL : ") + m + ")" : "");
    }
    static std::string erreur(const ErreursGdal& e) { return erreur(&e); }

    const DescriptionFormat& f_;
    std::string dossier_;
    const std::vector<std::string>& noms_;
    const OGRSpatialReference* srs_;
    bool avec_z_;
    GDALDriver* pilote_ = nullptr;
    Source unique_;
    std::vector<Source> sources_;
    bool transaction_ = false;
    bool fini_ = false, echec_ = false;
    int coupes_ = 0;
};

std::unique_ptr<OGRLineString> trace(const std::vector<SommetSig>& s, bool avec_z, bool anneau) {
    std::unique_ptr<OGRLineString> l(anneau ? new OGRLinearRing : new OGRLineString);
    const int n = static_cast<int>(s.size());
    std::vector<double> x(s.size()), y(s.size()), z;
    for (std::size_t i = 0; i < s.size(); ++i) {
        x[i] = s[i].X;
        y[i] = s[i].Y;
    }
    if (avec_z) {
        z.resize(s.size());
        for (std::size_t i = 0; i < s.size(); ++i) z[i] = s[i].Z;
    }
    l->setPoints(n, x.data(), y.data(), avec_z ? z.data() : nullptr);
    return l;
}

void attributs_ligne(OGRFeature& e, const LigneSig& l, const char* couche, Redaction& r) {
    if (r.sans_champs()) {
        e.SetField("Layer", couche);
    } else {
        if (r.nomme_couche()) e.SetField("couche", couche);
        e.SetField("L", l.L);
        e.SetField("nom", r.texte(l.nom).c_str());
        if (l.epaisseur) e.SetField("epaisseur", *l.epaisseur);
        else e.SetFieldNull(e.GetFieldIndex("epaisseur"));
        if (l.couleur.empty()) e.SetFieldNull(e.GetFieldIndex("couleur"));
        else e.SetField("couleur", l.couleur.c_str());
    }
    if (!r.sans_champs()) return;
    // The feature is reused: a line without colour must not keep the previous one's.
    if (l.couleur.empty()) {
        e.SetStyleString(nullptr);
    } else if (std::string_view(couche) == "surfaces") {
        // The writer colours a hatch from its brush only when the brush comes first.
        e.SetStyleString(("BRUSH(fc:" + l.couleur + ")").c_str());
    } else {
        std::string style = "PEN(c:" + l.couleur;
        if (l.epaisseur && *l.epaisseur > 0) style += ",w:" + std::to_string(*l.epaisseur) + "px";
        e.SetStyleString((style + ")").c_str());
    }
}

void ecrit_lignes(Redaction& r, OGRLayer* l, const DonneesSig& d, bool avec_z, BilanSig& b) {
    OGRFeature e(l->GetLayerDefn());
    for (const LigneSig& ligne : d.lignes) {
        if (ligne.sommets.size() < 2) {
            ++b.lignes_un_point;
            continue;
        }
        attributs_ligne(e, ligne, "lignes", r);
        e.SetGeometryDirectly(trace(ligne.sommets, avec_z, false).release());
        r.ajoute(l, e);
        ++b.lignes;
    }
}

void ecrit_surfaces(Redaction& r, OGRLayer* l, const DonneesSig& d, bool avec_z, BilanSig& b) {
    OGRFeature e(l->GetLayerDefn());
    for (const LigneSig& ligne : d.lignes) {
        if (!ligne.fermee()) continue;
        attributs_ligne(e, ligne, "surfaces", r);
        auto* p = new OGRPolygon;
        p->addRingDirectly(static_cast<OGRLinearRing*>(trace(ligne.sommets, avec_z, true).release()));
        e.SetGeometryDirectly(p);
        r.ajoute(l, e);
        ++b.surfaces;
    }
}

void ecrit_points(Redaction& r, OGRLayer* l, const DonneesSig& d, bool avec_z, BilanSig& b) {
    OGRFeature e(l->GetLayerDefn());
    const int in = e.GetFieldIndex("n"), iL = e.GetFieldIndex("L"), ilib = e.GetFieldIndex("Libelle"),
              iZ = e.GetFieldIndex("Z");
    OGRPoint g;
    if (avec_z) g.setZ(0);
    for (const PointSig& p : d.points) {
        if (r.sans_champs()) {
            e.SetField("Layer", "points");
        } else {
            if (p.n) e.SetField(in, *p.n);
            else e.SetFieldNull(in);
            if (r.nomme_couche()) e.SetField("couche", "points");
            e.SetField(iL, p.L);
            e.SetField(ilib, r.texte(p.libelle).c_str());
            if (p.Z) e.SetField(iZ, *p.Z);
            else e.SetFieldNull(iZ);
        }
        g.setX(p.X);
        g.setY(p.Y);
        if (avec_z) g.setZ(p.Z.value_or(0));
        e.SetGeometry(&g);
        r.ajoute(l, e);
        ++b.points;
    }
}

void champs_ligne(Redaction& r, OGRLayer* l) {
    r.champ(l, "L", OFTInteger);
    r.champ(l, "nom", OFTString);
    r.champ(l, "epaisseur", OFTInteger);
    r.champ(l, "couleur", OFTString);
}

std::string dossier_cible(const std::string& fichier) {
    const fs::path p = fs::path(fichier).parent_path();
    return p.empty() ? std::string(".") : p.string();
}

// Checked, then switched in as a set with the old side files of the same layers that the new
// set lacks; a project's own files are neither replaced nor removed.
void remplace_sorties(DossierExport& temporaire, const DescriptionFormat& f, const std::vector<std::string>& noms,
                      long long entites) {
    const std::string dossier = dossier_cible(noms.front());
    std::vector<std::string> principaux;
    for (const std::string& n : noms) principaux.push_back(fs::path(n).filename().string());
    verifie_relecture(temporaire.chemin(), principaux, entites, noms.front());
    const std::vector<std::string> ecrits = temporaire.ecrits();
    for (const std::string& nom : ecrits)
        if (const std::string p = projet_proprietaire(dossier + "/" + nom); !p.empty())
            throw ErreurSig(refus_fichier_projet(dossier + "/" + nom, p));
    std::vector<std::string> retraits;
    for (const std::string& principal : principaux) {
        const std::string souche = principal.substr(0, principal.size() - f.extension.size());
        for (const std::string& ext : annexes(f.format)) {
            const std::string annexe = souche + ext;
            if (std::find(ecrits.begin(), ecrits.end(), annexe) == ecrits.end() &&
                projet_proprietaire(dossier + "/" + annexe).empty() && ::access((dossier + "/" + annexe).c_str(), F_OK) == 0)
                retraits.push_back(annexe);
        }
    }
    temporaire.remplace(retraits);
}


} // namespace

std::span<const DescriptionFormat> formats_sig() { return formats; }

const DescriptionFormat& description(FormatSig f) {
    for (const auto& d : formats)
        if (d.format == f) return d;
    return formats.front();
}

const DescriptionFormat* format_par_nom(std::string_view nom) {
    for (const auto& d : formats)
        if (egal_sans_casse(d.nom, nom)) return &d;
    return nullptr;
}

std::string BilanSig::message() const {
    std::string m;
    for (std::size_t i = 0; i < fichiers.size(); ++i) {
        if (i > 0) m += ", ";
        m += "<" + fs::path(fichiers[i]).filename().string() + ">";
    }
    m += fichiers.size() > 1 ? "  créés" : "  créé";
    m += " au format " + std::string(description(format).libelle);
    if (!fichiers.empty()) m += " dans le répertoire => " + dossier_cible(fichiers.front());
    return m + "\n\n" + comptes();
}

std::string BilanSig::comptes() const {
    std::string m = pluriel(lignes, "ligne", "lignes");
    if (surfaces > 0) m += ", " + pluriel(surfaces, "surface", "surfaces");
    m += ", " + pluriel(points, "point", "points") + ".";
    if (lignes_un_point > 0)
        m += "\n" + pluriel(lignes_un_point, "ligne d'un seul point n'a pas été écrite",
                            "lignes d'un seul point n'ont pas été écrites") +
             " : une ligne demande au moins deux points.";
    if (libelles_coupes > 0)
        m += "\n" + pluriel(libelles_coupes, "libellé coupé", "libellés coupés") +
             " à 254 octets (la limite du format Shapefile).";
    return m;
}

std::vector<std::string> fichiers_sig(const std::string& chemin, FormatSig format, bool surfaces) {
    const DescriptionFormat& f = description(format);
    if (!f.fichier_par_couche) return {finit_par(chemin, f.extension) ? chemin : chemin + std::string(f.extension)};
    const std::string base =
        finit_par(chemin, f.extension) ? chemin.substr(0, chemin.size() - f.extension.size()) : chemin;
    std::vector<std::string> r{base + "_lignes" + std::string(f.extension)};
    if (surfaces) r.push_back(base + "_surfaces" + std::string(f.extension));
    r.push_back(base + "_points" + std::string(f.extension));
    return r;
}

BilanSig exporte_sig(const Document& d, const std::string& chemin, const OptionsSig& o) {
    return exporte_sig(releve_sig(d, o.lignes_choisies), d.systeme_wkt, chemin, o);
}

BilanSig exporte_sig(const DonneesSig& donnees, const std::string& systeme_wkt, const std::string& chemin,
                     const OptionsSig& o) {
    initialise_gdal();
    const DescriptionFormat& f = description(o.format);
    if (f.degres && systeme_wkt.empty())
        throw ErreurSig("Le format " + std::string(f.libelle) +
                        " s'écrit en longitude/latitude : il faut connaître le système de coordonnées du projet, "
                        "qui n'en a pas.\nDonnez d'abord un système au projet, ou choisissez un autre format.");

    std::unique_ptr<OGRSpatialReference> systeme;
    if (!systeme_wkt.empty()) systeme = lit_systeme(systeme_wkt);
    DonneesSig degres;
    const DonneesSig* d = &donnees;
    OGRSpatialReference wgs84;
    if (f.degres) {
        wgs84.importFromEPSG(4326);
        wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        degres = donnees;
        en_degres(degres, *systeme, wgs84);
        d = &degres;
    }
    const OGRSpatialReference* srs = f.degres ? &wgs84 : systeme.get();

    const std::vector<std::string> noms = fichiers_sig(chemin, o.format, o.surfaces);
    const std::string dossier = dossier_cible(noms.front());
    BilanSig b;
    b.format = o.format;
    DossierExport temporaire(dossier);
    {
        // The files are temporary until moved into place, and synced once complete: SQLite's
        // own syncs and journal would only make the GeoPackage wait on the disk many times.
        const Reglage synchrone("OGR_SQLITE_SYNCHRONOUS", "OFF");
        const Reglage journal("OGR_SQLITE_JOURNAL", "MEMORY");
        const Reglage cache("OGR_SQLITE_CACHE", "128");
        const std::string ecrit = temporaire.chemin() + "/" + fs::path(noms.front()).filename().string();
        if (o.format == FormatSig::kml) {
            ecrit_kml(*d, o.surfaces, ecrit, noms.front(), b);
        } else {
            ErreursGdal erreurs;
            Redaction r(f, temporaire.chemin(), noms, srs, d->avec_z);
            std::size_t rang = 0;
            OGRLayer* lignes = r.couche("lignes", rang++, wkbLineString);
            champs_ligne(r, lignes);
            ecrit_lignes(r, lignes, *d, d->avec_z, b);
            if (o.surfaces) {
                OGRLayer* surfaces = r.couche("surfaces", rang++, wkbPolygon);
                champs_ligne(r, surfaces);
                ecrit_surfaces(r, surfaces, *d, d->avec_z, b);
            }
            OGRLayer* points = r.couche("points", rang, wkbPoint);
            r.champ(points, "n", OFTInteger);
            r.champ(points, "L", OFTInteger);
            r.champ(points, "Libelle", OFTString);
            r.champ(points, "Z", OFTReal);
            ecrit_points(r, points, *d, d->avec_z, b);
            r.termine(erreurs);
            b.libelles_coupes = r.coupes();
        }
        if (o.format == FormatSig::dxf) ajoute_couleurs_vraies(ecrit, noms.front(), couleurs_entites(*d, o.surfaces));
    }
    remplace_sorties(temporaire, f, noms, b.lignes + b.surfaces + b.points);
    b.fichiers = noms;
    return b;
}

} // namespace vuv::sig
