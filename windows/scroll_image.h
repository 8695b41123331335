#pragma once
// Image1, the main window's image area: shows the view rectangle of the overlay, stretched to
// the area, and the transient marks (rubber band, highlight cross-hair) XOR-ed over it.
#include "core/vue/Echantillonnage.h"
#include "core/vue/VueCarte.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

#include <vector>

namespace vuv {

class ZoneImage : public QWidget {
    Q_OBJECT

public:
    explicit ZoneImage(QWidget* parent = nullptr);

    void fixe_couleur_fond(const QColor& c);
    QColor couleur_fond() const { return fond_; }

    // Samples the view of the overlay into the screen image (null overlay: background only).
    void montre(const QImage& calque, const Rect& vue);
    void oublie_calque();
    const QImage& ecran() const { return ecran_; }

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

    QColor fond_{100, 100, 100};
    QImage ecran_;
    Rect vue_;
    bool avec_calque_ = false;
    std::vector<Marque> marques_;
    CopieReduite reduite_;
    qint64 cle_reduite_ = 0;
};

} // namespace vuv
