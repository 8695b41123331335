#include "windows/principale/edition/ModeEdition.h"

#include "core/document/Digitalisation.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Couleurs.h"
#include "windows/commun/Dialogues.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"
#include "windows/principale/scroll.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLayout>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace vuv {
namespace {

const QColor couleur_surligne(255, 0, 255);
const QColor couleur_glisse(255, 255, 0);

// Our own edit under way: the undo list's notice of it must not drop the highlight.
class Garde {
public:
    explicit Garde(bool& b) : b_(b) { b_ = true; }
    ~Garde() { b_ = false; }
    Garde(const Garde&) = delete;
    Garde& operator=(const Garde&) = delete;

private:
    bool& b_;
};

// The map's cross of the selected row is drawn where the row was: take it off first.
void depointe(TForm1& f) {
    if (f.ligne_pointee == 0) return;
    f.pointer_dans_form1(f.ligne_pointee);
    f.ligne_pointee = 0;
}

} // namespace

ModeEdition::ModeEdition(TForm1& f) : QObject(&f), f_(f) {
    bouton = new QToolButton(f.Panel1);
    bouton->setObjectName(QStringLiteral("Modifier"));
    bouton->setText(QStringLiteral("Modifier"));
    bouton->setCheckable(true);
    bouton->setToolTip(QStringLiteral("déplacer, insérer (Ctrl+clic) ou enlever (Suppr) un point digitalisé [F8]"));
    accrocher = new QCheckBox(QStringLiteral("Accrocher"), f.Panel1);
    accrocher->setObjectName(QStringLiteral("Accrocher"));
    accrocher->setToolTip(QStringLiteral("un point lâché près d'un autre prend ses x y"));
    accrocher_couleur = new QCheckBox(QStringLiteral("à la couleur"), f.Panel1);
    accrocher_couleur->setObjectName(QStringLiteral("AccrocherCouleur"));
    accrocher_couleur->setToolTip(QStringLiteral("ou au pixel le plus proche de la couleur choisie"));
    f.groupe_outils->addButton(bouton, static_cast<int>(TForm1::ModeSouris::modifier));

    // Beside the digitizing modes: the items after "Cap" go back after ours.
    if (QLayout* flux = f.Panel1->layout()) {
        const int i = flux->indexOf(f.Cap);
        std::vector<QLayoutItem*> suite;
        while (i >= 0 && flux->count() > i + 1) suite.push_back(flux->takeAt(i + 1));
        for (QWidget* w : {static_cast<QWidget*>(bouton), static_cast<QWidget*>(accrocher),
                           static_cast<QWidget*>(accrocher_couleur)})
            flux->addWidget(w);
        for (QLayoutItem* it : suite) flux->addItem(it);
    }

    connect(f.groupe_outils, &QButtonGroup::idToggled, this, [this](int id, bool coche) {
        if (id == static_cast<int>(TForm1::ModeSouris::modifier)) change_mode(coche);
    });
    connect(accrocher, &QCheckBox::toggled, this, [this](bool coche) {
        (actif() ? accroche_edition_ : accroche_saisie_) = coche;
    });
    connect(accrocher_couleur, &QCheckBox::toggled, this, [this](bool coche) {
        if (coche) choisit_couleur();
    });
    f.annulation.ajoute_observateur(this);
}

ModeEdition::~ModeEdition() { f_.annulation.retire_observateur(this); }

bool ModeEdition::actif() const { return f_.mode_souris() == TForm1::ModeSouris::modifier; }

double ModeEdition::rayon() const {
    return 8.0 * f_.calque.vue.vue().largeur() / std::max(f_.Image1->width(), 1);
}

QPoint ModeEdition::pixel(int mx, int my) const {
    int x = 0, y = 0;
    f_.calque.vue.repere_image_bitmap(mx, my, f_.Image1->width(), f_.Image1->height(), x, y);
    return {x, y};
}

void ModeEdition::change_mode(bool entre) {
    const QSignalBlocker b(accrocher);
    if (entre) {
        accrocher->setChecked(accroche_edition_);
        f_.Image1->retire_segments(); // the rubber band of digitizing
        f_.statut(1, "Modifier : glisser un point, Ctrl+clic sur un segment insère, Suppr enlève");
        return;
    }
    glisse_ = false;
    surligne(std::nullopt);
    accrocher->setChecked(accroche_saisie_);
}

void ModeEdition::pile_changee() {
    if (en_cours_) return;
    // Undone or redone elsewhere: what was under the pointer may be gone.
    glisse_ = false;
    poussee_ = {};
    surligne(std::nullopt);
}

void ModeEdition::pose_marques(std::vector<ZoneImage::Marque> marques) {
    const auto present = [this](const ZoneImage::Marque& m) {
        return std::find(f_.Image1->marques().begin(), f_.Image1->marques().end(), m) != f_.Image1->marques().end();
    };
    // A rebuilt overlay may already have dropped ours.
    for (const auto& m : marques_)
        if (present(m)) f_.Image1->bascule(m);
    for (const auto& m : marques)
        if (!present(m)) f_.Image1->bascule(m);
    marques_ = std::move(marques);
}

void ModeEdition::surligne(std::optional<edition::Cible> c) {
    surligne_ = c;
    if (!c) {
        pose_marques({});
        return;
    }
    pose_marques({{ZoneImage::Marque::Genre::croix, QPoint(c->x, c->y), QPoint(), couleur_surligne, 2}});
}

QPoint ModeEdition::cible(QPoint p, int exclu) {
    int x = p.x(), y = p.y();
    edition::borne(x, y, f_.calque.image.width(), f_.calque.image.height());
    if (accrocher->isChecked()) {
        if (const auto c = edition::point_sous(f_.doc, x, y, rayon(), exclu)) {
            f_.statut(1, c->row > 0 ? "accroché au point " + std::to_string(c->row)
                                    : "accroché au point de calage " + std::to_string(-c->row));
            return {c->x, c->y};
        }
    }
    if (accrocher_couleur->isChecked() && f_.calque.presence_fond()) {
        const QImage& fond = f_.calque.fond;
        const VuePixels v{const_cast<std::uint8_t*>(fond.constBits()), fond.width(), fond.height(),
                          fond.bytesPerLine(), FormatPixels::rgb555};
        const auto c = edition::pixel_de_couleur(v, x, y, static_cast<int>(std::ceil(rayon())),
                                                 rgb555_de_bgr(bgr_de(couleur_accroche)));
        if (c) return {c->x, c->y};
    }
    return {x, y};
}

void ModeEdition::accroche_saisie(int& x, int& y) {
    if (f_.mode_souris() != TForm1::ModeSouris::digitaliser || !accrocher->isChecked() || f_.doc.nb_calage < 3) return;
    const QPoint p = cible({x, y}, 0);
    if (p != QPoint(x, y)) {
        // The click writes its own status afterwards ("Suite L  point n"): say it after that.
        const std::string texte = f_.texte_statut(1).toStdString();
        if (texte.rfind("accroché", 0) == 0)
            QTimer::singleShot(0, this, [this, texte] { f_.statut(1, texte); });
    }
    x = p.x();
    y = p.y();
}

bool ModeEdition::presse(Qt::MouseButton b, int mx, int my, Qt::KeyboardModifiers etat) {
    if (!actif() || (b == Qt::LeftButton && f_.ignore_clic_suivant)) return false;
    const QPoint p = pixel(mx, my);
    if (b == Qt::RightButton) {
        surligne(edition::point_sous(f_.doc, p.x(), p.y(), rayon()));
        if (!surligne_ || surligne_->row < 1) return false; // the right drag still pans
        menu_point(f_.Image1->mapToGlobal(QPoint(mx, my)));
        return true;
    }
    if (b != Qt::LeftButton) return true;
    if (etat.testFlag(Qt::ControlModifier)) {
        insere(p);
        return true;
    }
    surligne(edition::point_sous(f_.doc, p.x(), p.y(), rayon()));
    if (!surligne_) return true;
    glisse_ = true;
    origine_ = *surligne_;
    lache_ = QPoint(origine_.x, origine_.y);
    a_voisin_[0] = a_voisin_[1] = false;
    const int row = origine_.row;
    if (row > 0 && f_.reglages_trace().mode_lignes) {
        const Grille& g = f_.doc.StringGrid1;
        const int cL = f_.doc.indice_col("L");
        for (int i = 0; i < 2; ++i) {
            const int r = i == 0 ? row - 1 : row + 1;
            const auto v = point_de_table(f_.doc, r);
            if (!v || g.cell(f_.doc.indice_col("n"), r).empty() ||
                val_entier(g.cell(cL, r)) != val_entier(g.cell(cL, row)))
                continue;
            a_voisin_[i] = true;
            voisins_[i] = QPoint(v->x, v->y);
        }
    }
    return true;
}

void ModeEdition::bouge(int mx, int my) {
    if (!actif()) return;
    const QPoint p = pixel(mx, my);
    if (!glisse_) {
        const auto c = edition::point_sous(f_.doc, p.x(), p.y(), rayon());
        if (c.has_value() != surligne_.has_value() || (c && c->row != surligne_->row)) surligne(c);
        return;
    }
    lache_ = cible(p, origine_.row);
    std::vector<ZoneImage::Marque> m;
    for (int i = 0; i < 2; ++i)
        if (a_voisin_[i]) m.push_back({ZoneImage::Marque::Genre::segment, voisins_[i], lache_, couleur_glisse, 2});
    m.push_back({ZoneImage::Marque::Genre::croix, lache_, QPoint(), couleur_surligne, 2});
    pose_marques(std::move(m));
}

void ModeEdition::relache() {
    if (!glisse_) return;
    glisse_ = false;
    const QPoint p = lache_;
    if (p == QPoint(origine_.x, origine_.y)) {
        surligne(origine_);
        return;
    }
    pose_marques({});
    if (origine_.row < 0)
        deplace_calage(-origine_.row, p);
    else
        depose(p);
}

QRect ModeEdition::zone_autour(int row, std::optional<QPoint> ancien) const {
    const Rect r = ancien ? edition::zone_autour(f_.doc, row, {{0, ancien->x(), ancien->y()}})
                          : edition::zone_autour(f_.doc, row, {});
    return QRect(QPoint(r.x0, r.y0), QPoint(r.x1, r.y1));
}

void ModeEdition::redessine(const QRect& zone) {
    const ReglagesTrace r = f_.reglages_trace();
    if (r.libelles)
        f_.redessiner_calque(); // labels reach far from their point
    else
        f_.calque.redessiner_zone(f_.doc, r, zone);
    f_.redessiner();
}

void ModeEdition::apres_edition(int row) {
    if (TForm2* f2 = fenetres().Form2) f2->affiche_nb_points();
    if (f_.Panel3->isVisible()) f_.masque_panel3(); // its figures were of the old points
    if (row > 0 && row <= f_.doc.nb_points) f_.doc.StringGrid1.set_row(row);
    if (const auto p = point_de_table(f_.doc, row)) f_.affiche_XYc(0, p->Y, p->X);
}

void ModeEdition::depose(QPoint p) {
    const int row = origine_.row;
    depointe(f_);
    {
        const Garde g(en_cours_);
        const PileAnnulation::Edition e(&f_.annulation, edition::nom_deplacement(row));
        edition::deplace_point(f_.doc, row, p.x(), p.y());
    }
    redessine(zone_autour(row, QPoint(origine_.x, origine_.y)));
    surligne(edition::Cible{row, p.x(), p.y()});
    apres_edition(row);
}

void ModeEdition::deplace_calage(int k, QPoint p) {
    if (!port().oui_non(edition::question_calage)) {
        surligne(origine_);
        return;
    }
    if (f_.doc.nb_calage == 3 && edition::calage_degenere(f_.doc, k, p.x(), p.y())) {
        port().information(edition::message_calage_aligne);
        surligne(origine_);
        return;
    }
    {
        const Garde g(en_cours_);
        const PileAnnulation::Edition e(&f_.annulation, edition::nom_deplacement(-k));
        edition::deplace_calage(f_.doc, k, p.x(), p.y());
    }
    f_.redessiner_calque();
    f_.redessiner();
    f_.statut_saisie();
    surligne(edition::Cible{-k, p.x(), p.y()});
}

void ModeEdition::insere(QPoint p) {
    const int rang = edition::rang_insertion(f_.doc, p.x(), p.y(), rayon());
    if (rang == 0) return;
    int x = p.x(), y = p.y();
    edition::borne(x, y, f_.calque.image.width(), f_.calque.image.height());
    depointe(f_);
    {
        const Garde g(en_cours_);
        const PileAnnulation::Edition e(&f_.annulation, edition::nom_insertion(rang));
        edition::insere_point(f_.doc, rang, x, y);
    }
    redessine(zone_autour(rang));
    surligne(edition::Cible{rang, x, y});
    apres_edition(rang);
}

void ModeEdition::supprime(int row) {
    const QRect zone = zone_autour(row);
    depointe(f_);
    {
        const Garde g(en_cours_);
        const PileAnnulation::Edition e(&f_.annulation, edition::nom_suppression(row));
        edition::supprime_point(f_.doc, row);
    }
    redessine(zone);
    surligne(std::nullopt);
    apres_edition(std::min(row, f_.doc.nb_points));
}

void ModeEdition::pousse(int dx, int dy) {
    const int row = surligne_->row;
    if (row < 1) return; // a calibration point moves by mouse only, after its question
    PileAnnulation& a = f_.annulation;
    const QPoint ici(surligne_->x, surligne_->y);
    const bool suite = poussee_.row == row && poussee_.courant == ici && a.nombre_annulations() == poussee_.pas &&
                       !a.peut_retablir() && a.nom_annulation() == edition::nom_deplacement(row);
    int x = ici.x() + dx, y = ici.y() + dy;
    edition::borne(x, y, f_.calque.image.width(), f_.calque.image.height());
    depointe(f_);
    {
        const Garde g(en_cours_);
        // The run so far gives way to one step from where it started.
        if (suite) a.annuler();
        const PileAnnulation::Edition e(&a, edition::nom_deplacement(row));
        edition::deplace_point(f_.doc, row, x, y);
    }
    poussee_ = {row, a.nombre_annulations(), suite ? poussee_.depart : ici, QPoint(x, y)};
    redessine(zone_autour(row, ici));
    surligne(edition::Cible{row, x, y});
    apres_edition(row);
}

void ModeEdition::menu_point(QPoint ecran) {
    const int row = surligne_->row;
    auto* menu = new QMenu(f_.Image1);
    menu->setObjectName(QStringLiteral("menu_point"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("Enlever le point %1").arg(row), this, [this, row] { supprime(row); });
    menu->popup(ecran);
}

void ModeEdition::choisit_couleur() {
    const auto c = dialogues().couleur(couleur_accroche, false);
    if (c) {
        couleur_accroche = *c;
    } else {
        const QSignalBlocker b(accrocher_couleur);
        accrocher_couleur->setChecked(false);
    }
}

bool ModeEdition::touche(int t, Qt::KeyboardModifiers etat) {
    if (t == Qt::Key_F8) {
        f_.choisit_mode_souris(actif() ? TForm1::ModeSouris::digitaliser : TForm1::ModeSouris::modifier);
        return true;
    }
    if (!actif()) return false;
    switch (t) {
    case Qt::Key_Control: return true; // Ctrl is the insertion's modifier here, not a click
    case Qt::Key_Escape:
        if (!glisse_) return false;
        glisse_ = false;
        surligne(origine_);
        return true;
    case Qt::Key_Delete:
        if (surligne_ && surligne_->row > 0 && !glisse_) supprime(surligne_->row);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (!surligne_ || glisse_) return false;
        const int pas = edition::pas_fleche(etat.testFlag(Qt::ShiftModifier));
        pousse(t == Qt::Key_Left ? -pas : t == Qt::Key_Right ? pas : 0,
               t == Qt::Key_Up ? -pas : t == Qt::Key_Down ? pas : 0);
        return true;
    }
    default: return false;
    }
}

} // namespace vuv
