#pragma once
// The "Modifier" mode of the map: the point under the pointer is highlighted, dragged, nudged
// with the arrows, removed with Suppr or its menu; Ctrl+click on a segment inserts a point.
// The "Accrocher" box snaps a drop, or a digitizing click, onto a point near it.
#include "core/annulation/PileAnnulation.h"
#include "core/edition/EditionPoints.h"
#include "windows/principale/carte/scroll_image.h"

#include <QColor>
#include <QObject>
#include <QRect>

#include <optional>
#include <vector>

class QCheckBox;
class QToolButton;

namespace vuv {

class TForm1;

class ModeEdition : public QObject, private PileAnnulation::Observateur {
    Q_OBJECT

public:
    explicit ModeEdition(TForm1& f);
    ~ModeEdition() override;

    // Mouse at image-area pixel (mx, my). True when the mode took the press.
    bool presse(Qt::MouseButton bouton, int mx, int my, Qt::KeyboardModifiers etat);
    void bouge(int mx, int my);
    void relache();
    // The mode's key (F8) in any mode, and its keys while it is on. True when taken.
    bool touche(int touche, Qt::KeyboardModifiers etat);
    // A digitizing click at overlay pixel (x, y) snaps onto a point when the box is checked.
    void accroche_saisie(int& x, int& y);

    bool actif() const;
    int point_surligne() const { return surligne_ ? surligne_->row : 0; }
    bool glisse() const { return glisse_; }

    QToolButton* bouton = nullptr;        // "Modifier"
    QCheckBox* accrocher = nullptr;       // "Accrocher"
    QCheckBox* accrocher_couleur = nullptr; // "à la couleur"
    QColor couleur_accroche{0, 0, 0};

private:
    void pile_changee() override;
    void change_mode(bool entre);
    double rayon() const;
    QPoint pixel(int mx, int my) const;
    // The drop point: held in the image, snapped when asked; says so in the status bar.
    QPoint cible(QPoint p, int exclu);
    void surligne(std::optional<edition::Cible> c);
    void pose_marques(std::vector<ZoneImage::Marque> marques);
    void depose(QPoint p);
    void deplace_calage(int k, QPoint p);
    void insere(QPoint p);
    void supprime(int row);
    void pousse(int dx, int dy);
    void menu_point(QPoint ecran);
    void choisit_couleur();
    // The overlay to redraw around rows row-1 .. row+1 and the point's old place.
    QRect zone_autour(int row, std::optional<QPoint> ancien = std::nullopt) const;
    void redessine(const QRect& zone);
    void apres_edition(int row);

    TForm1& f_;
    std::optional<edition::Cible> surligne_;
    std::vector<ZoneImage::Marque> marques_;
    bool glisse_ = false;
    edition::Cible origine_;
    QPoint voisins_[2];
    bool a_voisin_[2] = {false, false};
    QPoint lache_;
    bool accroche_edition_ = true, accroche_saisie_ = false;
    bool en_cours_ = false; // our own edit: the undo list's notice is ours
    // A run of nudges on one point is one step: the step it made, and where it started.
    struct Poussee {
        int row = 0;
        std::size_t pas = 0;
        QPoint depart, courant;
    } poussee_;
};

} // namespace vuv
