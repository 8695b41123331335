// The question box's gradient: 256 bands cut from the client height with rounding.
#include "windows/question/Degradeur.h"
#include "windows/question/Unit6.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace vuv;

namespace {

const QColor debut(0, 0, 140);
const QColor fin(28, 205, 208);

// Rounded division of non-negative integers, halves upwards.
int arrondi_positif(int num, int den) { return (2 * num + den) / (2 * den); }

} // namespace

class TestDegrade : public QObject {
    Q_OBJECT

private slots:
    void bandes_d_une_boite_de_213_pixels();
    void peinture_ligne_par_ligne();
    void etat_apres_peinture();
    void la_boite_peint_son_degrade();
};

void TestDegrade::bandes_d_une_boite_de_213_pixels() {
    const auto bandes = TDegradeClass::bandes(213, debut, fin);
    int vides = 0;
    for (int i = 0; i < 256; ++i) {
        QCOMPARE(bandes[i].haut, arrondi_positif(i * 213, 256));
        QCOMPARE(bandes[i].bas, arrondi_positif((i + 1) * 213, 256));
        QCOMPARE(bandes[i].couleur, QColor(arrondi_positif(i * 28, 255), arrondi_positif(i * 205, 255),
                                           140 + arrondi_positif(i * 68, 255)));
        if (bandes[i].haut == bandes[i].bas) ++vides;
        if (i > 0) QCOMPARE(bandes[i].haut, bandes[i - 1].bas); // no gap, no overlap
    }
    QCOMPARE(vides, 256 - 213);
    QCOMPARE(bandes[0].haut, 0);
    QCOMPARE(bandes[255].bas, 213);
    // The half of 128 x 213 / 256 = 106.5 rounds up.
    QCOMPARE(bandes[128].haut, 107);
    QCOMPARE(bandes[255].couleur, fin);
}

void TestDegrade::peinture_ligne_par_ligne() {
    QImage image(455, 213, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
        QPainter p(&image);
        TDegradeClass d;
        d.peint_degrade(p, image.rect(), debut, fin);
    }
    const auto bandes = TDegradeClass::bandes(213, debut, fin);
    for (int y = 0; y < 213; ++y) {
        QColor attendu;
        for (const auto& b : bandes)
            if (y >= b.haut && y < b.bas) attendu = b.couleur;
        QCOMPARE(image.pixelColor(0, y), attendu);
        QCOMPARE(image.pixelColor(454, y), attendu);
    }
    QCOMPARE(image.pixelColor(200, 0), debut);
    QCOMPARE(image.pixelColor(200, 212), fin);
}

void TestDegrade::etat_apres_peinture() {
    QImage image(10, 40, QImage::Format_RGB32);
    QPainter p(&image);
    TDegradeClass d;
    d.peint_degrade(p, image.rect(), debut, fin);
    QCOMPARE(d.debut(), debut);
    QCOMPARE(d.diff_rouge(), 28);
    QCOMPARE(d.diff_vert(), 205);
    QCOMPARE(d.diff_bleu(), 68);
    QCOMPARE(d.couleur_bande(), fin);
}

void TestDegrade::la_boite_peint_son_degrade() {
    TForm6 f;
    f.resize(455, 213);
    f.message = QStringLiteral("x");
    const QImage image = f.grab().toImage();
    const auto bandes = TDegradeClass::bandes(213, debut, fin);
    for (int y : {0, 60, 100, 150, 212}) {
        QColor attendu;
        for (const auto& b : bandes)
            if (y >= b.haut && y < b.bas) attendu = b.couleur;
        QCOMPARE(image.pixelColor(3, y), attendu);
    }
}

QTEST_MAIN(TestDegrade)
#include "tst_degrade.moc"
