#include "sig/RelectureExport.h"

#include "core/fichiers/EcritureSure.h"

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

namespace vuv::sig {

void verifie_relecture(const std::string& dossier, const std::vector<std::string>& fichiers, long long attendues,
                       const std::string& cible) {
    long long lues = 0;
    CPLPushErrorHandler(CPLQuietErrorHandler);
    for (const std::string& nom : fichiers) {
        const std::string chemin = dossier + "/" + nom;
        auto* s = static_cast<GDALDataset*>(
            GDALOpenEx(chemin.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
        if (!s) {
            CPLPopErrorHandler();
            throw ErreurFichier("Impossible d'enregistrer " + cible + " : le fichier écrit est illisible (" + nom +
                                "), l'écriture a échoué.");
        }
        for (int i = 0; i < s->GetLayerCount(); ++i) lues += s->GetLayer(i)->GetFeatureCount(TRUE);
        GDALClose(s);
    }
    CPLPopErrorHandler();
    if (lues != attendues)
        throw ErreurFichier("Impossible d'enregistrer " + cible + " : le fichier écrit est incomplet (" +
                            std::to_string(lues) + " entités relues sur " + std::to_string(attendues) +
                            "), l'écriture a échoué.");
}

} // namespace vuv::sig
