#pragma once
// "Suivre un trait": the map's mouse mode that follows a stroke of the scan. The first click
// takes the stroke's colour; each next click shows the path to it as a preview over the map,
// which a further click or Entrée adds to the current line, one undo step per stretch. Échap
// drops the preview, Retour arrière takes back the last stretch added.
#include "core/pixels/SuiviTrait.h"
#include "windows/principale/carte/scroll_image.h"

#include <QObject>

#include <cstdint>
#include <vector>

class QDoubleSpinBox;
class QFrame;
class QSpinBox;
class QToolButton;

namespace vuv {

class TForm1;

class ModeSuivi : public QObject {
    Q_OBJECT

public:
    // Puts its button in the window's mouse-mode group and its boxes in the tool bar.
    explicit ModeSuivi(TForm1& f);

    QToolButton* bouton = nullptr;             // "Suivre un trait"
    QFrame* echantillon = nullptr;             // the colour taken
    QSpinBox* tolerance = nullptr;             // colour tolerance
    QDoubleSpinBox* simplification = nullptr;  // Douglas-Peucker tolerance, pixels
    QSpinBox* saut = nullptr;                  // longest gap jumped, pixels

    // A left click at overlay pixel (x, y) while the mode is on.
    void clic(int x, int y);
    // The pointer over overlay pixel (x, y): until a click fixes it, the preview follows.
    void survol(int x, int y);
    // Entrée, Échap, Retour arrière while the mode is on; true when the mode took the key.
    bool touche(int touche);
    void accepte();
    void abandonne();
    void retire_dernier();
    const std::vector<PointTrait>& apercu() const { return apercu_; }

private:
    void calcule(int x, int y);
    void montre_apercu(bool montrer);
    void oublie();

    TForm1& f_;
    bool couleur_prise_ = false;
    std::uint32_t couleur_ = 0;
    int depart_x_ = 0, depart_y_ = 0;
    int premier_x_ = 0, premier_y_ = 0;
    std::vector<PointTrait> apercu_;
    bool apercu_valide_ = false;
    bool fige_ = false; // the preview was clicked: it no longer follows the pointer
    std::vector<ZoneImage::Marque> marques_;
    std::vector<int> troncons_; // points added by each stretch, for Retour arrière
};

} // namespace vuv
