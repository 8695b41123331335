// The map view of the main window: overlay rebuilds, the view on screen, the transient marks,
// the scroll bars and the whole-map command.
#include "windows/principale/scroll.h"

#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/commun/Textes.h"
#include "windows/points/scroll2.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

#include <cmath>

namespace vuv {
namespace {

const QColor jaune(255, 255, 0);
const QColor rouge(255, 0, 0);
constexpr int largeur_croix_pointee = 18;

} // namespace

ReglagesTrace TForm1::reglages_trace() const {
    ReglagesTrace r;
    r.mode_lignes = Lignes1->isChecked();
    r.sans_lignes = Sans_ligne_SpeedButton->isChecked();
    if (reglages_libelles) reglages_libelles(r);
    return r;
}

void TForm1::redessiner() {
    if (!calque.existe() || !calque.vue.a_afficher()) return;
    Image1->montre(calque.image, calque.vue.vue());
    ScrollBar1->setPageStep(std::max(calque.vue.vue().largeur() / 3, 1));
    ScrollBar2->setPageStep(std::max(calque.vue.vue().hauteur() / 3, 1));
}

void TForm1::redessiner_calque() {
    if (!calque.existe()) return;
    calque.redessiner_calque(doc, reglages_trace());
    // The rebuilt overlay carries no XOR marks and no highlight.
    Image1->vide_marques();
    ligne_pointee = 0;
}

void TForm1::rafraichir() {
    redessiner();
    Image1->update();
}

void TForm1::af_croix_calage(int x, int y) { calque.af_croix_calage(x, y); }

bool TForm1::elastique_actif() const {
    const ModeSouris m = mode_souris();
    return calque.existe() && !Points1->isChecked() && (m == ModeSouris::digitaliser || m == ModeSouris::cap);
}

void TForm1::af_efface_der_ligne_xor() {
    if (!elastique_actif() || !souris_connue) return;
    if (calque.dernier_x != 0 || calque.dernier_y != 0)
        Image1->bascule({ZoneImage::Marque::Genre::segment, QPoint(calque.dernier_x, calque.dernier_y),
                         QPoint(courant_x, courant_y), jaune, largeur_stylo_elastique});
    // The marks lie over the view, not on the overlay: nothing to sample again.
}

void TForm1::af_ligne_xor_move(int x, int y) {
    if (!elastique_actif()) return;
    af_efface_der_ligne_xor();
    souris_connue = true;
    Image1->bascule({ZoneImage::Marque::Genre::segment, QPoint(calque.dernier_x, calque.dernier_y), QPoint(x, y),
                     jaune, largeur_stylo_elastique});
}

void TForm1::pointer_dans_form1(int row) {
    if (!calque.existe()) return;
    const std::optional<PointDeTable> p = point_de_table(doc, row);
    if (!p) return;
    affiche_XYc(0, p->Y, p->X);
    Image1->bascule({ZoneImage::Marque::Genre::croix, QPoint(p->x, p->y), QPoint(), rouge, largeur_croix_pointee});
    ligne_pointee = row;
}

void TForm1::depointer_i_sel_anc_puis_pointer(int row) {
    if (ligne_pointee != 0) {
        pointer_dans_form1(ligne_pointee);
        ligne_pointee = 0;
    }
    pointer_dans_form1(row);
    redessiner();
}

void TForm1::pointer_selection() { depointer_i_sel_anc_puis_pointer(doc.StringGrid1.row()); }

void TForm1::montre_table_points() {
    if (montre_points) montre_points();
}

void TForm1::cache_panel2() { Panel2->hide(); }

void TForm1::position_scrollbar() {
    if (glissement) return;
    BarresDefilement b;
    if (!calque.vue.position_scrollbar(b)) return;
    const QSignalBlocker b1(ScrollBar1), b2(ScrollBar2);
    ScrollBar1->setRange(0, b.max_h);
    ScrollBar1->setPageStep(b.grand_pas_h);
    ScrollBar1->setValue(b.position_h);
    ScrollBar2->setRange(0, b.max_v);
    ScrollBar2->setPageStep(b.grand_pas_v);
    ScrollBar2->setValue(b.position_v);
}

void TForm1::remet_barres() {
    // Both bars at 0, a tenth of the background as their large step.
    const QSignalBlocker b1(ScrollBar1), b2(ScrollBar2);
    const Rect& v = calque.vue.vue();
    ScrollBar1->setRange(0, std::max(calque.vue.W() - 1 - (v.x1 - v.x0), 0));
    ScrollBar1->setPageStep(std::max(calque.vue.W() / 10, 1));
    ScrollBar1->setValue(0);
    ScrollBar2->setRange(0, std::max(calque.vue.H() - 1 - (v.y1 - v.y0), 0));
    ScrollBar2->setPageStep(std::max(calque.vue.H() / 10, 1));
    ScrollBar2->setValue(0);
    ScrollBar1->show();
    ScrollBar2->show();
}

void TForm1::barre_deplacee(Qt::Orientation sens, int valeur) {
    if (!calque.existe()) return;
    barres_changees = true;
    vue_entiere_ = false;
    if (sens == Qt::Horizontal)
        calque.vue.barre_horizontale(valeur);
    else
        calque.vue.barre_verticale(valeur);
    redessiner();
}

void TForm1::barre_action(Qt::Orientation sens, int action) {
    // Until a bar has moved the view once, its arrows and page areas act as the arrow keys.
    if (barres_changees || !calque.existe()) return;
    const bool plus = action == QAbstractSlider::SliderSingleStepAdd || action == QAbstractSlider::SliderPageStepAdd;
    const bool moins = action == QAbstractSlider::SliderSingleStepSub || action == QAbstractSlider::SliderPageStepSub;
    if (!plus && !moins) return;
    QScrollBar* barre = sens == Qt::Horizontal ? ScrollBar1 : ScrollBar2;
    barre->setSliderPosition(barre->value());
    const int touche = sens == Qt::Horizontal ? (plus ? Qt::Key_Right : Qt::Key_Left) : (plus ? Qt::Key_Down : Qt::Key_Up);
    FormKeyDown(touche, Qt::NoModifier, false);
}

void TForm1::image1_peindre_fond_uni() { Image1->update(); }

bool TForm1::presence_fond_dans_img() const { return calque.vue.presence_fond_dans_img(); }

QString TForm1::LxHxC() const {
    const QImage& f = calque.fond;
    if (f.isNull()) return {};
    int bits = 0;
    switch (f.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: bits = 1; break;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8: bits = 8; break;
    case QImage::Format_RGB555: bits = 15; break;
    case QImage::Format_RGB16:
    case QImage::Format_RGB444: bits = 16; break;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888: bits = 24; break;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied: bits = 32; break;
    default: bits = 0;
    }
    const long long ko = static_cast<long long>(f.width()) * f.height() * bits / 8192;
    return QStringLiteral("%1x%2x%3=%4 ").arg(f.width()).arg(f.height()).arg(bits).arg(ko);
}

void TForm1::affecte_bitmap_img() {
    proportionne_vue();
    calque.vue.marque_sale();
    redessiner();
}

void TForm1::init_calque_a_b_pen() {
    if (!calque.existe()) return;
    calque.vue.init(calque.image.width(), calque.image.height());
    vue_entiere_ = true;
    proportionne_vue();
}

void TForm1::proportionne_vue() {
    const int al = Image1->width(), ah = Image1->height();
    if (!calque.existe() || al < 1 || ah < 1) return;
    Rect v = calque.vue.vue();
    const auto arrondi = [](double d) { return std::max(1, static_cast<int>(std::lround(d))); };
    if (vue_entiere_) {
        // The whole overlay, with room added right or below.
        const int W = calque.vue.W(), H = calque.vue.H();
        v = static_cast<long long>(W) * ah >= static_cast<long long>(H) * al
                ? Rect{0, 0, W - 1, arrondi(static_cast<double>(W) * ah / al) - 1}
                : Rect{0, 0, arrondi(static_cast<double>(H) * al / ah) - 1, H - 1};
    } else {
        int l = v.largeur();
        if (aire_vue_.width() > 0 && aire_vue_.width() != al) l = arrondi(static_cast<double>(l) * al / aire_vue_.width());
        v.x1 = v.x0 + l - 1;
        v.y1 = v.y0 + arrondi(static_cast<double>(l) * ah / al) - 1;
    }
    aire_vue_ = QSize(al, ah);
    if (v == calque.vue.vue()) return;
    calque.vue.fixe_vue(v);
    calque.vue.marque_sale();
}

void TForm1::SpeedButton10Click() {
    if (!calque.existe()) return;
    redessiner_calque();
    calque.vue.marque_sale();
    redessiner();
    if (!Sans_ligne_SpeedButton->isChecked()) af_efface_der_ligne_xor();
}

void TForm1::Carte_complete() {
    if (!calque.existe()) return;
    calque.vue.carte_complete();
    vue_entiere_ = true;
    proportionne_vue();
    {
        const QSignalBlocker b1(ScrollBar1), b2(ScrollBar2);
        ScrollBar1->setValue(0);
        ScrollBar2->setValue(0);
    }
    redessiner();
}

void TForm1::installe_fond(const QImage& fond) {
    calque.fond = fond.format() == QImage::Format_RGB555 ? fond : fond.convertToFormat(QImage::Format_RGB555);
    calque.creer_calque_de_bitmap();
    termine_nouveau_calque();
}

void TForm1::installe_feuille_vierge(int largeur, int hauteur) {
    calque.creer_calque_vide(largeur, hauteur, QImage::Format_RGB555);
    termine_nouveau_calque();
}

void TForm1::termine_nouveau_calque() {
    oublie_annulation_coloree();
    doc.largeur_fond = calque.image.width();
    doc.hauteur_fond = calque.image.height();
    taille_image = calque.fond.size();
    peindre_fond_au_redimensionnement = false;
    courant_x = courant_y = 0;
    souris_connue = false;
    // The bearing start named a row of the previous work.
    choisir_depart = true;
    Image1->vide_marques();
    ligne_pointee = 0;
    statut(1, ss(LxHxC()));
    init_calque_a_b_pen();
    remet_barres();
    affecte_bitmap_img();
}

} // namespace vuv
