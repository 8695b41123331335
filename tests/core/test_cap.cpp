// Bearings between points: the convention, the corrections and the texts of bearing mode.
#include "core/document/Document.h"
#include "core/mesure/Cap.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

using namespace vuv;

namespace {

constexpr long double defauts = 4.5L; // declination 1.5 + epsilon 3.0

class Caps : public ::testing::Test {
protected:
    PortScripte port_;
    PortInstalle installe{port_};
    SeparateurLocal sep{'.'};
    Document d;

    // One unit per pixel, Y up: real (X, Y) lies at pixel (X, 100 - Y).
    void SetUp() override {
        d.calage = {EnregistrementCalage{true, 0, 100, 0, 0, 0}, EnregistrementCalage{true, 0, 0, 0, 100, 0},
                    EnregistrementCalage{true, 100, 100, 100, 0, 0}};
        d.nb_calage = 3;
        for (auto [X, Y] : {std::pair{0, 0}, {10, 10}, {-10, 10}, {0, -5}}) {
            ++d.nb_points;
            d.affecte_en(d.nb_points, 1, "", 0, Y, X, 100 - Y, X);
        }
    }
};

} // namespace

TEST(Cap, ConventionNordZeroEstPositifOuestNegatif) {
    EXPECT_NEAR(static_cast<double>(cap_geometrique(0, 0, 10, 10)), 45, 1e-12);
    EXPECT_NEAR(static_cast<double>(cap_geometrique(0, 0, -10, 10)), -45, 1e-12);
    EXPECT_NEAR(static_cast<double>(cap_geometrique(0, 0, 0, -5)), 180, 1e-12);
    EXPECT_NEAR(static_cast<double>(cap_geometrique(0, 0, -3, 0)), -90, 1e-12);
    EXPECT_EQ(cap_geometrique(0, 0, 0, 7), 0);
    EXPECT_EQ(cap_geometrique(2, 3, 2, 3), 0) << "coincident points";
    // A ratio rounded a hair past 1 must not give NaN.
    EXPECT_EQ(cap_geometrique(0, 0, 1e-300L, 1e300L), 0);
}

TEST(Cap, CorrectionLueAChaqueFoisEtNonRamenee) {
    SeparateurLocal sep('.');
    EXPECT_EQ(correction_cap("1.5", "3.0"), defauts);
    EXPECT_EQ(correction_cap("abc", "3.0"), 3) << "a text that is no number counts as 0";
    const CapDistance c = cap_entre(0, 0, 0, -5, correction_cap("1.5", "3.0"));
    EXPECT_NEAR(static_cast<double>(c.cap), 184.5, 1e-12) << "not brought back into -180..180";
    EXPECT_EQ(c.D, 5);
}

TEST_F(Caps, EntrePointsEtVersUnPixel) {
    const CapDistance a = distance_entre_point(d, 1, 2, defauts);
    EXPECT_NEAR(static_cast<double>(a.D), 14.142135623730950, 1e-12);
    EXPECT_NEAR(static_cast<double>(a.cap), 49.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(distance_entre_point(d, 2, 3, defauts).cap), -85.5, 1e-12);
    const CapDistance nul = distance_entre_point(d, 4, 4, defauts);
    EXPECT_EQ(nul.D, 0);
    EXPECT_EQ(nul.cap, defauts);
    // Pixel (0, 105) is real (0, -5), the position of point 4.
    const CapDistance b = distance_entre_point_et_XY(d, 1, 0, 105, defauts);
    EXPECT_NEAR(static_cast<double>(b.D), 5, 1e-12);
    EXPECT_NEAR(static_cast<double>(b.cap), 184.5, 1e-12);
}

TEST_F(Caps, TextesDuModeCap) {
    const CapDistance a = distance_entre_point(d, 1, 2, defauts);
    EXPECT_EQ(texte_cap(1, 2, a), "1/2=> D=14.1421 cap=  49.50");
    EXPECT_EQ(texte_statut_cap(a), "Distance=  14.1421  Cap=    49.50  ");
    EXPECT_EQ(texte_proxi_cap(a, 2), "D=  14.1421  Cap=    49.50  proxi=   2");
    EXPECT_EQ(texte_proxi_cap(a, 123), "D=  14.1421  Cap=    49.50  proxi=  123");
    EXPECT_EQ(texte_depart_cap(1), " distance cumulée à partir de (1)... ");
    EXPECT_EQ(texte_cumul_cap(2, 3, 34.14213562L, distance_entre_point(d, 2, 3, defauts)),
              " distance cumulée +(2 à 3) = 34.1421   2/3=> D=20.0000 cap=  -85.50");
    EXPECT_EQ(texte_cumul_cap(3, 4, 52.16990L, distance_entre_point(d, 3, 4, defauts)),
              " distance cumulée +(3 à 4) = 52.1699   3/4=> D=18.0278 cap=150.81");
    SeparateurLocal virgule(',');
    EXPECT_EQ(texte_statut_cap(a), "Distance=  14,1421  Cap=    49,50  ");
}
