#include "windows/principale/trace/ModeSuivi.h"

#include "core/document/Digitalisation.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/principale/scroll.h"

#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLayout>
#include <QSpinBox>
#include <QToolButton>

#include <cmath>

namespace vuv {
namespace {

constexpr const char* nom_edition = "Suivi d'un trait";
constexpr int limite_ms = 3000; // a search the user would take for a hang stops here

// While a search runs, the events waiting are seen every few thousand pixels: Échap stops it;
// other input meanwhile is dropped, so nothing acts on a half-made preview.
class GuetteEchap : public QObject {
public:
    bool echap = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) echap = true;
        return e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease ||
               e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease ||
               e->type() == QEvent::MouseButtonDblClick || e->type() == QEvent::MouseMove || e->type() == QEvent::Wheel;
    }
};

QColor qcouleur(std::uint32_t bgr) { return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)); }

} // namespace

ModeSuivi::ModeSuivi(TForm1& f) : QObject(&f), f_(f) {
    QWidget* barre = f.Panel1;
    bouton = new QToolButton(barre);
    bouton->setObjectName(QStringLiteral("Suivre_trait_SpeedButton"));
    bouton->setText(QStringLiteral("Suivre un trait"));
    bouton->setToolTip(QStringLiteral("cliquer sur un trait de la carte, puis plus loin : ses points suivent son milieu"));
    bouton->setCheckable(true);
    echantillon = new QFrame(barre);
    echantillon->setObjectName(QStringLiteral("Suivre_trait_couleur"));
    echantillon->setFrameShape(QFrame::Panel);
    echantillon->setFixedSize(26, 26);
    echantillon->setAutoFillBackground(true);
    echantillon->setToolTip(QStringLiteral("couleur du trait suivi"));
    tolerance = new QSpinBox(barre);
    tolerance->setObjectName(QStringLiteral("Suivre_trait_tolerance"));
    tolerance->setRange(1, 441);
    tolerance->setValue(ReglagesSuivi{}.tolerance_couleur);
    tolerance->setToolTip(QStringLiteral("tolérance de couleur"));
    simplification = new QDoubleSpinBox(barre);
    simplification->setObjectName(QStringLiteral("Suivre_trait_simplification"));
    simplification->setRange(0, 999);
    simplification->setSingleStep(0.1);
    simplification->setDecimals(1);
    simplification->setValue(ReglagesSuivi{}.tolerance_simplification);
    simplification->setToolTip(QStringLiteral("écart toléré entre le trait et ses points (pixels)"));
    saut = new QSpinBox(barre);
    saut->setObjectName(QStringLiteral("Suivre_trait_saut"));
    saut->setRange(2, 200);
    saut->setValue(ReglagesSuivi{}.saut_max);
    saut->setToolTip(QStringLiteral("plus long écart sauté (pixels)"));
    // The boxes appear with the mode, so the bar keeps its rows (and the map its size) otherwise.
    for (QWidget* w : std::initializer_list<QWidget*>{bouton, echantillon, tolerance, simplification, saut}) {
        barre->layout()->addWidget(w);
        w->setVisible(w == bouton);
    }
    f.groupe_outils->addButton(bouton, static_cast<int>(TForm1::ModeSouris::suivre));
    connect(f.groupe_outils, &QButtonGroup::idToggled, this, [this](int id, bool coche) {
        if (id != static_cast<int>(TForm1::ModeSouris::suivre)) return;
        oublie();
        for (QWidget* w : std::initializer_list<QWidget*>{echantillon, tolerance, simplification, saut}) w->setVisible(coche);
        if (coche) f_.statut(1, "Suivre un trait : cliquer sur le trait");
    });
}

void ModeSuivi::oublie() {
    montre_apercu(false);
    apercu_.clear();
    apercu_valide_ = fige_ = couleur_prise_ = false;
    troncons_.clear();
}

void ModeSuivi::clic(int x, int y) {
    if (f_.doc.nb_calage < 3) {
        f_.statut(1, "Calibrer la carte avant de suivre un trait");
        port().bip();
        return;
    }
    if (!couleur_prise_) {
        const QImage& img = f_.calque.presence_fond() ? f_.calque.fond : f_.calque.image;
        const VuePixels v{const_cast<std::uint8_t*>(img.constBits()), img.width(), img.height(), img.bytesPerLine(),
                          FormatPixels::rgb555};
        couleur_ = couleur_sous(v, x, y);
        QPalette p = echantillon->palette();
        p.setColor(QPalette::Window, qcouleur(couleur_));
        echantillon->setPalette(p);
        depart_x_ = premier_x_ = x;
        depart_y_ = premier_y_ = y;
        couleur_prise_ = true;
        f_.statut(1, "Couleur prise : cliquer plus loin sur le trait");
        return;
    }
    if (apercu_valide_ && fige_) accepte();
    calcule(x, y);
    fige_ = true;
}

void ModeSuivi::survol(int x, int y) {
    if (couleur_prise_ && !fige_ && (x != depart_x_ || y != depart_y_)) calcule(x, y);
}

void ModeSuivi::calcule(int x, int y) {
    montre_apercu(false);
    // The scan itself where there is one: the overlay also holds the lines already digitized,
    // which would cover the very stroke being extended.
    const QImage& img = f_.calque.presence_fond() ? f_.calque.fond : f_.calque.image;
    const VuePixels v{const_cast<std::uint8_t*>(img.constBits()), img.width(), img.height(), img.bytesPerLine(),
                      img.format() == QImage::Format_RGB555 ? FormatPixels::rgb555 : FormatPixels::rgb32};
    ReglagesSuivi r;
    r.tolerance_couleur = tolerance->value();
    r.tolerance_simplification = simplification->value();
    r.saut_max = saut->value();
    QElapsedTimer montre;
    montre.start();
    GuetteEchap guette;
    qApp->installEventFilter(&guette);
    const ResultatSuivi res = suit_trait(v, couleur_, depart_x_, depart_y_, x, y, r, [&] {
        if (montre.elapsed() > 50) QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        return guette.echap || montre.elapsed() > limite_ms;
    });
    qApp->removeEventFilter(&guette);
    apercu_ = res.points;
    apercu_valide_ = res.ok() && apercu_.size() >= 2;
    montre_apercu(true);
    f_.statut(1, res.ok() ? "Entrée ou clic : ajouter ; Échap : abandonner" : res.message);
}

void ModeSuivi::montre_apercu(bool montrer) {
    for (const ZoneImage::Marque& m : marques_) {
        const auto& l = f_.Image1->marques();
        if (std::find(l.begin(), l.end(), m) != l.end()) f_.Image1->bascule(m);
    }
    marques_.clear();
    if (!montrer) return;
    for (std::size_t i = 1; i < apercu_.size(); ++i) {
        const QPoint a(int(std::lround(apercu_[i - 1].x)), int(std::lround(apercu_[i - 1].y)));
        const QPoint b(int(std::lround(apercu_[i].x)), int(std::lround(apercu_[i].y)));
        ZoneImage::Marque m{ZoneImage::Marque::Genre::segment, a, b,
                            apercu_valide_ ? QColor(255, 0, 255) : QColor(255, 128, 0), 2};
        if (a == b || std::find(marques_.begin(), marques_.end(), m) != marques_.end()) continue;
        f_.Image1->bascule(m);
        marques_.push_back(m);
    }
}

void ModeSuivi::accepte() {
    if (!apercu_valide_) {
        port().bip();
        return;
    }
    montre_apercu(false);
    const int avant = f_.doc.nb_points;
    {
        const PileAnnulation::Edition edition(&f_.annulation, nom_edition);
        int px = depart_x_, py = depart_y_;
        bool premier = true;
        for (const PointTrait& q : apercu_) {
            const int x = int(std::lround(q.x)), y = int(std::lround(q.y));
            // The start of an extension is the end of the stretch before.
            if (!premier && x == px && y == py) continue;
            if (premier && !troncons_.empty() && std::abs(x - px) <= 1 && std::abs(y - py) <= 1) {
                premier = false;
                continue;
            }
            premier = false;
            f_.clic_digitaliser(x, y);
            px = x, py = y;
        }
        depart_x_ = px, depart_y_ = py;
    }
    troncons_.push_back(f_.doc.nb_points - avant);
    apercu_.clear();
    apercu_valide_ = fige_ = false;
    f_.statut(1, "Trait ajouté : " + std::to_string(troncons_.back()) + " points");
}

void ModeSuivi::abandonne() {
    montre_apercu(false);
    apercu_.clear();
    apercu_valide_ = fige_ = false;
    f_.statut(1, "Aperçu abandonné");
}

void ModeSuivi::retire_dernier() {
    abandonne();
    if (troncons_.empty() || f_.annulation.nom_annulation() != nom_edition) {
        port().bip();
        return;
    }
    f_.Annuler1Click();
    troncons_.pop_back();
    const std::optional<PointDeTable> dernier = point_de_table(f_.doc, f_.doc.nb_points);
    if (troncons_.empty() || !dernier) {
        depart_x_ = premier_x_, depart_y_ = premier_y_;
    } else {
        depart_x_ = dernier->x, depart_y_ = dernier->y;
    }
    f_.statut(1, "Dernier trait retiré");
}

bool ModeSuivi::touche(int t) {
    switch (t) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (apercu_.empty()) return false;
        accepte();
        return true;
    case Qt::Key_Escape:
        // A preview goes first, then the colour taken; with neither the key goes on to the table.
        if (!apercu_.empty()) {
            abandonne();
        } else if (couleur_prise_) {
            oublie();
            f_.statut(1, "Suivre un trait : cliquer sur le trait");
        } else {
            return false;
        }
        return true;
    case Qt::Key_Backspace:
        retire_dernier();
        return true;
    default: return false;
    }
}

} // namespace vuv
