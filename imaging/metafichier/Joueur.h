#pragma once
// Plays the checked records of a metafile onto a QPainter: the device context and its stack,
// the object table, paths, clipping, text and bitmaps. Without a painter it only tells which
// records it would not draw.
#include "imaging/metafichier/Enregistrements.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QTransform>
#include <QBrush>
#include <QPen>

#include <variant>
#include <vector>

class QPainter;

namespace vuv::mf {

struct Stylo {
    std::uint32_t style = 0;  // PS_* type, dash, cap and join bits
    double largeur = 0;       // logical units; 0 draws one pixel
    QColor couleur = Qt::black;
    std::vector<double> tirets;  // PS_USERSTYLE, logical units
};

struct Brosse {
    std::uint32_t style = 0;  // BS_*
    QColor couleur = Qt::white;
    std::uint32_t hachure = 0;
    QImage motif;
};

struct Police {
    double hauteur = 0;      // logical units; negative: the characters' own height
    double echappement = 0;  // tenths of a degree, counter-clockwise
    int graisse = 400;
    bool italique = false, souligne = false, barre = false;
    int jeu = 0;  // character set
    QString nom;
};

struct Objet {
    enum class Genre { aucun, stylo, brosse, police, autre } genre = Genre::aucun;
    Stylo stylo;
    Brosse brosse;
    Police police;
};

struct Contexte {
    Stylo stylo;
    Brosse brosse;
    Police police;
    QColor texte = Qt::black, fond = Qt::white;
    bool fond_opaque = true;
    std::uint32_t alignement = 0;
    bool pair_impair = true;
    std::uint32_t mode_carte = 1;
    QPointF org_fenetre, org_vue;
    QSizeF ext_fenetre{1, 1}, ext_vue{1, 1};
    QTransform monde;
    QPointF courant;
    double mitre = 10;
    bool coupe_active = false;
    QPainterPath coupe;  // in the target's own pixels
};

class Joueur {
public:
    // `cible`: where the frame goes on the painter's device.
    Joueur(const Lecture& l, const unsigned char* octets, QPainter* p, const QRectF& cible);
    void joue();
    // Records not drawn, by name, and records refused by the checks.
    const Decompte& non_dessines() const { return non_dessines_; }

    // What the EMF and WMF dispatchers use.
    QTransform logique_vers_cible() const;
    void non_dessine(const std::string& nom) { ++non_dessines_[nom]; }
    Contexte& dc() { return dc_; }
    bool sauve();
    bool restaure(int n);
    void objet_cree(std::size_t indice, Objet o);
    bool objet_choisi(std::size_t indice);
    void objet_supprime(std::size_t indice);
    void objet_stock(std::uint32_t numero);
    std::size_t premier_libre() const;  // WMF: a new object takes the lowest free slot

    void deplace(QPointF p);
    void ligne_vers(QPointF p);
    void trace(const QPainterPath& forme, bool remplit, bool contour, bool ferme_figure = true);
    void polyligne(const std::vector<QPointF>& pts, bool depuis_courant);
    void bezier(const std::vector<QPointF>& pts, bool depuis_courant);
    void commence_chemin();
    void ferme_figure();
    void finit_chemin() { chemin_ouvert_ = false; }
    void abandonne_chemin();
    void dessine_chemin(bool remplit, bool contour);
    void coupe_chemin(std::uint32_t mode);
    void coupe_rectangle(const QRectF& logique, bool exclut);
    void coupe_region_cible(const QPainterPath& cible, std::uint32_t mode);
    void coupe_nulle();
    void texte(QPointF ref, const QString& s, const std::vector<double>& avances, std::uint32_t options, const QRectF& rect);
    void image(const QImage& im, const QRectF& dest_logique, const QRectF& source);
    void remplit_rectangle(const QRectF& logique, const QBrush& b);
    QBrush brosse_qt() const;
    QTransform appareil_vers_cible() const { return appareil_vers_cible_; }

    const Lecture& lecture;
    const unsigned char* const octets;

private:
    QTransform page_vers_appareil() const;
    QPen stylo_qt(double echelle) const;
    void pose_coupe();

    QPainter* p_;
    QRectF cible_;
    QTransform appareil_vers_cible_;
    Contexte dc_;
    std::vector<Contexte> pile_;
    std::vector<Objet> objets_;
    Decompte non_dessines_;
    QPainterPath chemin_;
    bool chemin_ouvert_ = false;
    bool coupe_posee_ = false;
};

// A device-independent bitmap (header, colour table, bits), or a null image when it is damaged,
// unsupported or bigger than the bytes it lies in.
QImage dib_en_image(const unsigned char* bmi, std::size_t cb_bmi, const unsigned char* bits, std::size_t cb_bits);

// Windows-1252 bytes, or the symbol set as they are.
QString texte_ansi(const unsigned char* o, std::size_t n, int jeu);

void joue_emf(Joueur& j, const Enregistrement& e);
void joue_wmf(Joueur& j, const Enregistrement& e);

} // namespace vuv::mf
