#pragma once
// Transformations between overlay pixels and real coordinates fitted on control points. Each
// method says how many points it needs, fits itself on the ticked points and maps both ways.
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vuv {

// One control point: the clicked pixel (y growing downwards), the typed real coordinates.
struct PointControle {
    long double x = 0, y = 0;
    long double X = 0, Y = 0;
    std::string nom;
    bool utilise = true;
};

enum class MethodeTransformation { affine_exacte, affine, helmert, projective };

// The name stored in the side file, and the one the user reads.
std::string_view code_methode(MethodeTransformation m);
std::string_view nom_methode(MethodeTransformation m);
// False when `code` names no method.
bool methode_de_code(std::string_view code, MethodeTransformation& m);

// Pixel -> real as a 3 × 3 matrix on (x, y, 1); affine ones keep (0 0 1) as last row.
using Matrice3 = std::array<long double, 9>;

class Transformation {
public:
    virtual ~Transformation() = default;
    virtual MethodeTransformation methode() const = 0;
    virtual int minimum() const = 0;

    // Fits on the ticked points; empty when it succeeded, else the French reason.
    std::string ajuste(const std::vector<PointControle>& points);

    // False where the transformation is undefined (a projective fit's horizon).
    bool vers_carte(long double x, long double y, long double& X, long double& Y) const {
        return applique(direct_, x, y, X, Y);
    }
    bool vers_image(long double X, long double Y, long double& x, long double& y) const {
        return applique(inverse_, X, Y, x, y);
    }
    const Matrice3& matrice() const { return direct_; }

protected:
    // The fit on at least minimum() points, none coincident; false when the points cannot fix it.
    virtual bool calcule(const std::vector<const PointControle*>& p, Matrice3& h) const = 0;

private:
    static bool applique(const Matrice3& m, long double a, long double b, long double& A, long double& B) {
        const long double w = m[6] * a + m[7] * b + m[8];
        if (w == 0) return false;
        A = (m[0] * a + m[1] * b + m[2]) / w;
        B = (m[3] * a + m[4] * b + m[5]) / w;
        return true;
    }

    Matrice3 direct_{1, 0, 0, 0, 1, 0, 0, 0, 1};
    Matrice3 inverse_{1, 0, 0, 0, 1, 0, 0, 0, 1};
};

// The first three ticked points, solved exactly: the calibration as three points give it.
class TransformationAffineExacte : public Transformation {
public:
    MethodeTransformation methode() const override { return MethodeTransformation::affine_exacte; }
    int minimum() const override { return 3; }

protected:
    bool calcule(const std::vector<const PointControle*>& p, Matrice3& h) const override;
};

// X = a0 + a1 x + a2 y, Y = b0 + b1 x + b2 y by least squares.
class TransformationMoindresCarres : public Transformation {
public:
    MethodeTransformation methode() const override { return MethodeTransformation::affine; }
    int minimum() const override { return 3; }

protected:
    bool calcule(const std::vector<const PointControle*>& p, Matrice3& h) const override;
};

// Scale, rotation and shift by least squares. Pixel y grows downwards and map Y upwards: the
// similarity is taken on (x, -y), so an upright scan has angle 0.
class TransformationHelmert : public Transformation {
public:
    MethodeTransformation methode() const override { return MethodeTransformation::helmert; }
    int minimum() const override { return 2; }
    long double echelle() const;
    long double angle_degres() const;

protected:
    bool calcule(const std::vector<const PointControle*>& p, Matrice3& h) const override;
};

// Eight parameters, by least squares on the linearised equations of normalised points.
class TransformationProjective : public Transformation {
public:
    MethodeTransformation methode() const override { return MethodeTransformation::projective; }
    int minimum() const override { return 4; }

protected:
    bool calcule(const std::vector<const PointControle*>& p, Matrice3& h) const override;
};

std::unique_ptr<Transformation> cree_transformation(MethodeTransformation m);

// Residual of one point: computed minus typed, in real units and, through the inverse, in pixels.
struct Residu {
    bool calcule = false;
    long double dX = 0, dY = 0, d = 0;
    long double dx = 0, dy = 0, dpx = 0;
};

struct BilanCalage {
    std::vector<Residu> residus; // one per point, ticked or not
    int utilises = 0;
    // sqrt(sum of squared residuals of the ticked points / (n - minimum)); 0 when n = minimum.
    long double rms_carte = 0, rms_pixels = 0;
    int pire = -1; // the ticked point with the largest residual in pixels, -1 when none
};

BilanCalage bilan_calage(const Transformation& t, const std::vector<PointControle>& points);

} // namespace vuv
