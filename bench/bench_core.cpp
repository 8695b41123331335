// Hot paths of the core. Run: ./bench_core --benchmark_filter=Recalcul
#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/edition/EditionPoints.h"
#include "core/export/OptionsExport.h"
#include "core/export/SauveDans.h"
#include "core/fichiers/EcritureSure.h"
#include "core/import/Import.h"
#include "core/projet/Projet.h"
#include "core/text/separateur.h"
#include "core/vue/Echantillonnage.h"
#include "sig/ExportSig.h"
#include "sig/SystemeCoordonnees.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int nb_lignes = 99;

// A survey-like work: a map in metres (a national grid), 99 lines of consecutive points.
vuv::Document document_de(int n) {
    vuv::Document d;
    d.affecte_calage(1, 0, "cal 1", 0, 0, 112.5L, 6861250.0L, 651200.0L);
    d.affecte_calage(2, 0, "cal 2", 0, 0, 98.25L, 6858000.0L, 651200.0L);
    d.affecte_calage(3, 0, "cal 3", 0, 0, 120.0L, 6858000.0L, 655400.0L);
    int count = 0;
    d.valide_point_calage(count, 310, 420, vuv::MethodeCalage::trois_points, false);
    d.valide_point_calage(count, 318, 3670, vuv::MethodeCalage::trois_points, false);
    d.valide_point_calage(count, 4521, 3661, vuv::MethodeCalage::trois_points, false);
    d.nb_calage = count;
    for (int row = 1; row <= n; ++row) {
        const int L = 1 + static_cast<int>(static_cast<long long>(row - 1) * nb_lignes / n);
        const int x = 200 + (row * 37) % 4800;
        const int y = 300 + (row * 53) % 3600;
        d.stocke_xy(row, L, x, y);
        d.nb_points = row;
        d.num_ligne = L;
    }
    return d;
}

void BM_Recalcul(benchmark::State& state) {
    vuv::SeparateurLocal sep(',');
    const int n = static_cast<int>(state.range(0));
    vuv::Document d = document_de(n);
    for (auto _ : state) {
        d.calcul_nouveaux_calage();
        benchmark::DoNotOptimize(d.StringGrid1.cell(3, n).data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Recalcul)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same recompute through a projective fit of eight control points, the first three the
// calibration rows: the fit must cost next to nothing beside the text of each row.
void BM_RecalculProjectif(benchmark::State& state) {
    vuv::SeparateurLocal sep(',');
    const int n = static_cast<int>(state.range(0));
    vuv::Document d = document_de(n);
    for (int k = 0; k < 3; ++k) {
        const auto& c = d.calage[static_cast<std::size_t>(k)];
        d.controle.points.push_back({static_cast<long double>(c.x), static_cast<long double>(c.y), c.X, c.Y, "", true});
    }
    for (auto [x, y] : {std::pair{4400, 500}, {2300, 2100}, {900, 3000}, {3900, 3300}, {2600, 800}}) {
        vuv::PointControle p{static_cast<long double>(x), static_cast<long double>(y), 0, 0, "", true};
        d.repere_carte(x, y, p.X, p.Y);
        p.X += 0.002L * x;
        p.Y -= 0.001L * y;
        d.controle.points.push_back(p);
    }
    d.controle.methode = vuv::MethodeTransformation::projective;
    if (!d.applique_controle().empty()) state.SkipWithError("projective fit refused");
    for (auto _ : state) {
        d.calcul_nouveaux_calage();
        benchmark::DoNotOptimize(d.StringGrid1.cell(3, n).data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_RecalculProjectif)->Arg(100000)->Unit(benchmark::kMillisecond);

// The floor for the same number of conversions: per row the recompute reads 6 numbers from
// text (L, x, y, X, Y, Z) and writes 7 back (n, L, X, Y, Z, x, y), here with the standard
// library's fastest conversions on long double and no table, format or separator rules.
void BM_Recalcul_anchor(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    vuv::Document d = document_de(n);
    std::vector<std::string> lus;
    lus.reserve(static_cast<std::size_t>(n) * 6);
    for (int row = 1; row <= n; ++row)
        for (int col : {1, 6, 7, 3, 4, 5}) {
            std::string t{d.StringGrid1.cell(col, row)};
            for (char& c : t)
                if (c == ',') c = '.';
            const auto debut = t.find_first_not_of(' ');
            lus.push_back(t.substr(debut == std::string::npos ? t.size() : debut));
        }
    std::vector<std::string> ecrits(static_cast<std::size_t>(n) * 7);

    for (auto _ : state) {
        std::size_t i = 0, o = 0;
        for (int row = 1; row <= n; ++row) {
            long double v[6];
            for (long double& x : v) {
                const std::string& t = lus[i++];
                std::from_chars(t.data(), t.data() + t.size(), x);
            }
            const long double sorties[7] = {static_cast<long double>(row), v[0], v[3], v[4], v[5],
                                            v[1], v[2]};
            const int decimales[7] = {0, 0, 8, 8, 8, 0, 0};
            for (int k = 0; k < 7; ++k) {
                char tampon[64];
                const auto r = std::to_chars(tampon, tampon + sizeof tampon, sorties[k],
                                             std::chars_format::fixed, decimales[k]);
                ecrits[o++].assign(tampon, r.ptr);
            }
        }
        benchmark::DoNotOptimize(ecrits.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Recalcul_anchor)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

// Showing the view: the screen image of a large scan zoomed out whole, against a plain copy
// of as many screen bytes.
namespace {

struct GrandCalque {
    int largeur = 9933, hauteur = 14043; // A0 at 300 dpi
    std::vector<std::uint16_t> pixels = std::vector<std::uint16_t>(static_cast<std::size_t>(largeur) * hauteur, 0x1234);
    vuv::VuePixels vue() {
        return {reinterpret_cast<std::uint8_t*>(pixels.data()), largeur, hauteur, largeur * 2L, vuv::FormatPixels::rgb555};
    }
};

void BM_AffichageVue(benchmark::State& state) {
    static GrandCalque calque;
    std::vector<std::uint32_t> ecran(1600 * 1000);
    const vuv::VuePixels e{reinterpret_cast<std::uint8_t*>(ecran.data()), 1600, 1000, 6400, vuv::FormatPixels::rgb32};
    for (auto _ : state) {
        vuv::echantillonne_vue(calque.vue(), {0, 0, calque.largeur - 1, calque.hauteur - 1}, e, 0xFF646464);
        benchmark::DoNotOptimize(ecran.data());
    }
}
BENCHMARK(BM_AffichageVue)->Unit(benchmark::kMillisecond);

void BM_AffichageVue_anchor(benchmark::State& state) {
    std::vector<std::uint32_t> source(1600 * 1000, 1), ecran(1600 * 1000);
    for (auto _ : state) {
        std::memcpy(ecran.data(), source.data(), ecran.size() * 4);
        benchmark::DoNotOptimize(ecran.data());
    }
}
BENCHMARK(BM_AffichageVue_anchor)->Unit(benchmark::kMillisecond);

} // namespace

// The nearest-point search under the mouse, against the same search over plain pairs.
namespace {

vuv::Document document_avec_lignes(int n) {
    vuv::Document d = document_de(n);
    d.StringGrid3.set_row_count(nb_lignes + 1);
    for (int L = 1; L <= nb_lignes; ++L) {
        d.StringGrid3.set_cell(0, L, std::to_string(L));
        d.StringGrid3.set_cell(1, L, "4");
        d.StringGrid3.set_cell(2, L, "255");
        d.StringGrid3.set_cell(3, L, "x");
    }
    return d;
}

void BM_ProchePoint(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const vuv::Document d = document_avec_lignes(n);
    for (auto _ : state) {
        int L = 0, row = 0;
        vuv::cherche_proche_indice_ligne_point(d, 2500, 2000, L, row);
        benchmark::DoNotOptimize(row);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ProchePoint)->Arg(100000)->Unit(benchmark::kMillisecond);

// The edit mode's highlight under a moving pointer: the same search, then the 8-pixel radius.
void BM_SurlignerPoint(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const vuv::Document d = document_avec_lignes(n);
    int x = 2500;
    for (auto _ : state) {
        x = x == 2500 ? 2501 : 2500;
        benchmark::DoNotOptimize(vuv::edition::point_sous(d, x, 2000, 8.0));
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SurlignerPoint)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ProchePoint_anchor(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<std::pair<int, int>> points;
    for (int row = 1; row <= n; ++row) points.emplace_back(200 + (row * 37) % 4800, 300 + (row * 53) % 3600);
    for (auto _ : state) {
        double meilleure = 36000;
        int trouve = -1;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double dx = points[i].first - 2500.0, dy = points[i].second - 2000.0;
            const double dist = std::sqrt(dx * dx + dy * dy);
            if (dist < meilleure) {
                meilleure = dist;
                trouve = static_cast<int>(i);
            }
        }
        benchmark::DoNotOptimize(trouve);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ProchePoint_anchor)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

// The project file of 100 000 points: writing and reading it, against writing and reading
// the same bytes with a plain buffered loop.
namespace {

std::string chemin_trl() { return (std::filesystem::temp_directory_path() / "bench_vuviviva.trl").string(); }

void BM_EcrireTrl(benchmark::State& state) {
    vuv::Document d = document_avec_lignes(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(vuv::ecrit_projet(d, chemin_trl(), true));
}
BENCHMARK(BM_EcrireTrl)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LireTrl(benchmark::State& state) {
    vuv::Document d = document_avec_lignes(static_cast<int>(state.range(0)));
    const std::string chemin = vuv::ecrit_projet(d, chemin_trl(), true);
    vuv::ActionsLecture actions;
    for (auto _ : state) {
        vuv::Document lu;
        benchmark::DoNotOptimize(vuv::lit_projet(lu, chemin, actions));
    }
}
BENCHMARK(BM_LireTrl)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Trl_anchor(benchmark::State& state) {
    vuv::Document d = document_avec_lignes(static_cast<int>(state.range(0)));
    const std::string octets = vuv::lit_fichier(vuv::ecrit_projet(d, chemin_trl(), true));
    const std::string chemin = chemin_trl() + ".brut";
    std::vector<char> tampon(65536);
    for (auto _ : state) {
        std::FILE* f = std::fopen(chemin.c_str(), "wb");
        std::fwrite(octets.data(), 1, octets.size(), f);
        std::fclose(f);
        f = std::fopen(chemin.c_str(), "rb");
        std::size_t lus = 0, n = 0;
        while ((n = std::fread(tampon.data(), 1, tampon.size(), f)) > 0) lus += n;
        std::fclose(f);
        benchmark::DoNotOptimize(lus);
    }
}
BENCHMARK(BM_Trl_anchor)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

// The text import: 100000 lines "X Y label" of a survey in metres placed on a 5000 x 4000 scan.

namespace {

std::string lignes_texte(int n) {
    std::string t;
    char tampon[96];
    for (int i = 0; i < n; ++i) {
        const int l = std::snprintf(tampon, sizeof tampon, "%.2f %.2f pt%d\r\n", 651300.0 + (i * 37) % 4000,
                                    6858100.0 + (i * 53) % 3000, i);
        t.append(tampon, static_cast<std::size_t>(l));
    }
    return t;
}

void BM_ImportTexte(benchmark::State& state) {
    vuv::SeparateurLocal sep(',');
    const int n = static_cast<int>(state.range(0));
    const vuv::Document modele = document_de(1);
    const std::string texte = lignes_texte(n);
    for (auto _ : state) {
        state.PauseTiming();
        vuv::Document d = modele;
        state.ResumeTiming();
        const vuv::BilanTexte b = vuv::importe_points_texte(d, texte);
        if (b.ajoutes != n) state.SkipWithError("points lost");
        benchmark::DoNotOptimize(d.StringGrid1.cell(3, n).data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ImportTexte)->Arg(100000)->Unit(benchmark::kMillisecond);

// The floor for the same conversions: per line the import reads X and Y (2), writes the new row
// (n, L, X, Y, Z, x, y: 7), then the recompute reads L, x, y, X, Y, Z (6) and writes the 7 again:
// 8 from_chars and 14 to_chars, on lines split at line feeds and spaces.
void BM_ImportTexte_anchor(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string texte = lignes_texte(n);
    std::vector<std::string> ecrits(static_cast<std::size_t>(n) * 14);
    for (auto _ : state) {
        std::size_t p = 0, o = 0;
        int row = 0;
        while (p < texte.size()) {
            const std::size_t fin = std::min(texte.find('\n', p), texte.size());
            const std::string_view l(texte.data() + p, fin - p);
            const std::size_t e1 = l.find(' '), e2 = l.find(' ', e1 + 1);
            long double X = 0, Y = 0;
            std::from_chars(l.data(), l.data() + e1, X);
            std::from_chars(l.data() + e1 + 1, l.data() + e2, Y);
            ++row;
            const long double sorties[7] = {static_cast<long double>(row), 2, X, Y, 0, X / 3, Y / 3};
            const int decimales[7] = {0, 0, 8, 8, 8, 0, 0};
            for (int passe = 0; passe < 2; ++passe) {
                long double relus[6] = {};
                for (int k = 0; k < 7; ++k) {
                    char tampon[64];
                    const auto r = std::to_chars(tampon, tampon + sizeof tampon, sorties[k], std::chars_format::fixed,
                                                 decimales[k]);
                    ecrits[o++].assign(tampon, r.ptr);
                    if (passe == 0 && k > 0) std::from_chars(tampon, r.ptr, relus[k - 1]);
                }
                benchmark::DoNotOptimize(relus);
            }
            p = fin + 1;
        }
        benchmark::DoNotOptimize(ecrits.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ImportTexte_anchor)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

// Undo then redo of one digitized click on a large project: the step holds one row and the
// counters, so both ways cost about what the click itself costs, whatever the project's size.
namespace {

void clic(vuv::Document& d) { vuv::clic_digitaliser(d, 1234, 2345, vuv::MethodeCalage::trois_points, false); }

void BM_AnnulerRetablir(benchmark::State& state) {
    vuv::SeparateurLocal sep(',');
    vuv::Document d = document_de(static_cast<int>(state.range(0)));
    vuv::PileAnnulation pile(d);
    {
        const vuv::PileAnnulation::Edition e(&pile, vuv::noms_editions::point_digitalise);
        clic(d);
    }
    for (auto _ : state) {
        pile.annuler();
        pile.retablir();
    }
    benchmark::DoNotOptimize(d.StringGrid1.cell(3, d.nb_points).data());
}
BENCHMARK(BM_AnnulerRetablir)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The click alone, without the undo list; the point is taken away again outside the timing.
void BM_AnnulerRetablir_anchor(benchmark::State& state) {
    vuv::SeparateurLocal sep(',');
    vuv::Document d = document_de(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto debut = std::chrono::steady_clock::now();
        clic(d);
        const auto fin = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(fin - debut).count());
        d.efface_tab_et_point(false);
    }
    benchmark::DoNotOptimize(d.StringGrid1.cell(3, d.nb_points).data());
}
BENCHMARK(BM_AnnulerRetablir_anchor)->Arg(100000)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

// The GIS export of 100 000 points on 99 lines to a GeoPackage (lines and points layers, one
// transaction) and to KML, against the formatted text export of the same points (X and Y, tab-separated).
namespace {

std::string chemin_temp(const char* nom) { return (std::filesystem::temp_directory_path() / nom).string(); }

void BM_ExporteGpkg(benchmark::State& state) {
    const vuv::Document d = document_avec_lignes(static_cast<int>(state.range(0)));
    const std::string chemin = chemin_temp("bench_vuviviva.gpkg");
    for (auto _ : state) benchmark::DoNotOptimize(vuv::sig::exporte_sig(d, chemin, {}).points);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExporteGpkg)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same work to KML: reprojected to degrees, each line styled, within a few times the GeoPackage.
void BM_ExporteKml(benchmark::State& state) {
    vuv::Document d = document_avec_lignes(static_cast<int>(state.range(0)));
    std::string erreur;
    vuv::sig::systeme_vers_wkt("2154", d.systeme_wkt, erreur);
    const std::string chemin = chemin_temp("bench_vuviviva.kml");
    for (auto _ : state) benchmark::DoNotOptimize(vuv::sig::exporte_sig(d, chemin, {vuv::sig::FormatSig::kml}).points);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExporteKml)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ExporteGpkg_anchor(benchmark::State& state) {
    vuv::Document d = document_avec_lignes(static_cast<int>(state.range(0)));
    vuv::OptionsExport o;
    o.CheckBox_trl = false;
    const std::string chemin = chemin_temp("bench_vuviviva_anchor.txt");
    for (auto _ : state) benchmark::DoNotOptimize(vuv::sauve_dans(d, o, chemin, false).termine);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExporteGpkg_anchor)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
