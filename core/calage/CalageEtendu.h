#pragma once
// The control points of a calibration beyond the described three, and the transformation
// chosen for them. With no points, or the exact method, the three calibration rows rule alone.
#include "core/calage/Transformation.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace vuv {

constexpr int max_points_controle = 100;

struct CalageEtendu {
    std::vector<PointControle> points;
    MethodeTransformation methode = MethodeTransformation::affine_exacte;
    // The fit the document maps through; null for the exact method or when the fit failed.
    std::shared_ptr<const Transformation> ajustee;
    // The fit of `methode` on the ticked points, kept for the residuals even when exact.
    std::shared_ptr<const Transformation> calculee;
    std::string erreur; // why the last fit failed, French; empty when it succeeded
    // The project's side file could not be read: saving leaves it on disk as it is.
    bool fichier_refuse = false;

    // Something beyond the three calibration rows that a project must keep beside it.
    bool a_garder() const {
        return points.size() > 3 || methode != MethodeTransformation::affine_exacte ||
               std::any_of(points.begin(), points.end(), [](const PointControle& p) { return !p.utilise; });
    }
    // Fits `methode` on the ticked points; returns (and keeps) the reason when it cannot.
    const std::string& reajuste();
};

// What a world file written through the fit says at the end: the fit's RMS, and that a
// projective map is only approached by the file's affine terms. Empty without a fit.
std::string message_fichier_monde(const CalageEtendu& c);

} // namespace vuv
