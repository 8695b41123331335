#pragma once
// Image1, the main window's image area: shows the view rectangle of the overlay, stretched to
// the area, and the transient marks (rubber band, highlight cross-hair) XOR-ed over it.
#include "core/vue/Echantillonnage.h"
#include "core/vue/VueCarte.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

class QPainter;

#include <vector>

namespace vuv {

class ZoneImage : public QWidget {
    Q_OBJECT

public:
    explicit ZoneImage(QWidget* parent = nullptr);

    void fixe_couleur_fond(const QColor& c);
    QColor couleur_fond() const { return fond_; }

    // Shows the view of the overlay (null overlay: background only). The overlay is read when
    // painting, so it must live until the next call or oublie_calque().
    void montre(const QImage& calque, const Rect& vue);
    void oublie_calque();
    // The view sampled to the area's size, without the marks.
    const QImage& ecran() const;

    // XOR marks: drawing one twice removes it, as on the overlay itself.
    struct Marque {
        enum class Genre { segment, croix } genre = Genre::segment;
        QPoint a, b; // overlay pixels; b unused for a cross
        QColor couleur;
        int largeur = 1;
        friend bool operator==(const Marque&, const Marque&) = default;
    };
    void bascule(const Marque& m);
    void vide_marques() { marques_.clear(); }
    // A new point covers the rubber band that led to it.
    void retire_segments();
    const std::vector<Marque>& marques() const { return marques_; }

    // The screen image with the marks, as the user sees it.
    QImage composition() const;
    // What a paint of `region` does: samples the view straight into the painter's image when it
    // is a plain 32-bit image (the window's backing store), so the view is written once.
    void peint(QPainter& p, const QRegion& region) const;

signals:
    void souris_enfoncee(Qt::MouseButton bouton, QPoint position, Qt::KeyboardModifiers etat);
    void souris_deplacee(QPoint position);
    void souris_relachee(Qt::MouseButton bouton);
    void roulette(int delta);
    void redimensionnee();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QPointF vers_ecran(QPoint p) const;
    void echantillonne(const VuePixels& ecran, const Rect& partie) const;
    // The marks are drawn once on black in the area's own pixels, then XOR-ed over the view,
    // so the screen and composition() get the same pixels whatever a painter would clip.
    void prepare_masque() const;
    void applique_marques(const VuePixels& ecran, const QRegion& region) const;

    QColor fond_{100, 100, 100};
    const QImage* calque_ = nullptr;
    QImage converti_; // the overlay in 15 bits when it came in another format
    Rect vue_;
    bool avec_calque_ = false;
    std::vector<Marque> marques_;
    mutable QImage ecran_;
    mutable bool ecran_a_jour_ = false;
    mutable CopieReduite reduite_;
    mutable qint64 cle_reduite_ = 0;
    mutable QImage masque_;
    mutable QRegion zone_masque_;
    mutable std::vector<Marque> marques_masque_;
    mutable Rect vue_masque_;
};

} // namespace vuv
