// Writes the sample map and its project: vuviviva_sample [output.jpg] (default
// samples/carte_exemple.jpg relative to the current folder); the project goes beside the map
// with the extension .trl and names the map as given. Runs without a display.
#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/mesure/Surface.h"
#include "core/projet/Projet.h"
#include "imaging/EncodageImage.h"
#include "samples/CarteExemple.h"

#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// As a user makes it: the map loaded, the three grid crossings clicked and their coordinates
// typed, the main road clicked along, its first point and its line named.
vuv::Document projet(const QImage& carte, const std::string& image) {
    using namespace vuv;
    Document d;
    d.fichier_image = image;
    d.largeur_fond = carte.width();
    d.hauteur_fond = carte.height();
    d.num_ligne = 1;

    const double mpp = exemple::metres_par_pixel_1600 * 1600.0 / carte.width();
    const QPoint croisements[3] = {{100, 100}, {100, 1000}, {1500, 1000}};
    for (const QPoint c : croisements) clic_digitaliser(d, c.x(), c.y(), MethodeCalage::trois_points, false);
    for (int k = 1; k <= 3; ++k) {
        const QPoint c = croisements[k - 1];
        d.StringGrid2.set_cell(d.indice_col_cal("X"), k, std::to_string(std::lround(exemple::x_origine + mpp * c.x())));
        d.StringGrid2.set_cell(d.indice_col_cal("Y"), k, std::to_string(std::lround(exemple::y_origine - mpp * c.y())));
    }
    d.calcul_nouveaux_calage();

    for (const QPoint p : exemple::points_route_nationale(carte))
        clic_digitaliser(d, p.x(), p.y(), MethodeCalage::trois_points, false);
    d.StringGrid1.set_cell(d.indice_col("Libellé"), 1, "route nationale");
    d.StringGrid3.set_cell(4, 1, "route nationale");
    return d;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString sortie = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("samples/carte_exemple.jpg");
    // A light grain keeps the file small; the benchmarks use a coarser one.
    const QImage carte = vuv::exemple::dessine_carte({.grain = 0});
    const vuv::ResultatEcriture r = vuv::ecrit_jpeg(carte, sortie);
    if (!r) {
        std::fprintf(stderr, "%s\n", qPrintable(r.message));
        return 1;
    }
    std::printf("%s : %d x %d\n", qPrintable(sortie), carte.width(), carte.height());

    const std::string image = sortie.toStdString();
    vuv::Document d = projet(carte, image);
    try {
        const std::string trl = vuv::ecrit_projet(d, image, true);
        const long double longueur = vuv::distance_perimetre_indice_ligne(d, 1).D;
        std::printf("%s : %d points, ligne 1 de %.1Lf m\n", trl.c_str(), d.nb_points, longueur);
    } catch (const vuv::ErreurFichier& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
