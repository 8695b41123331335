#pragma once
// EMF and WMF drawings, their records drawn straight onto a QPainter into any rectangle.
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <memory>

class QPainter;

namespace vuv {

namespace mf {
struct Lecture;
}

class Metafichier {
public:
    // Reads an .emf or .wmf file (chosen by its first bytes). A damaged file, or one whose size
    // at 96 pixels per inch would exceed the pixel cap, gives !ok() and a French message naming it.
    static Metafichier charge(const QString& chemin, std::int64_t pixels_max);
    static Metafichier depuis_octets(const QByteArray& octets, const QString& nom, std::int64_t pixels_max);

    bool ok() const { return static_cast<bool>(donnees_); }
    const QString& message() const { return message_; }
    // The frame at 96 pixels per inch, rounded to nearest; 0 for an empty frame.
    int largeur() const { return largeur_; }
    int hauteur() const { return hauteur_; }
    // The records this renderer does not draw, or refused as damaged, each named once with its
    // count ("EMR_ALPHABLEND (2), WMR_FLOODFILL (1)"); empty when every record was drawn.
    const QString& non_dessines() const { return non_dessines_; }

    // Stretches the drawing over `cible`.
    void dessine(QPainter& p, const QRectF& cible) const;
    // The drawing stretched into a 32-bit image of `l` × `h` filled first with `fond`.
    QImage rasterise(int l, int h, const QColor& fond) const;

private:
    struct Donnees;
    std::shared_ptr<const Donnees> donnees_;
    QString message_, non_dessines_;
    int largeur_ = 0, hauteur_ = 0;
};

} // namespace vuv
