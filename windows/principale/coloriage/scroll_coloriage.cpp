// The main window's coloured surfaces: the fill modes, the border and fill colours, the pen and
// brush, the undo copy, the measurement and the grey threshold.
#include "windows/principale/scroll.h"

#include "core/coloriage/Coloriage.h"
#include "core/coloriage/CopieCalque.h"
#include "core/reglages/DossierProgramme.h"
#include "core/reglages/FichiersReglages.h"
#include "core/ui/PortUtilisateur.h"
#include "imaging/Pixels.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/Sablier.h"
#include "windows/commun/Textes.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/mesure/PanneauResultats.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolButton>

#include <exception>
#include <stdexcept>

namespace vuv {
namespace {

constexpr const char* fichier_copie_mesure = "~vuvivivaLR.~bmp";

std::uint32_t bgr(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}
QColor couleur_de_bgr(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
std::uint16_t pixel_de(const QColor& c) { return rgb555_de_bgr(bgr(c)); }
QColor stockee(const QColor& c) { return couleur_de_bgr(couleur_stockee(bgr(c))); }

void peint(QWidget* w, const QColor& c) {
    w->setStyleSheet(QStringLiteral("background-color: %1;").arg(c.name()));
}

// The two colour swatches answer a click as their buttons do; the threshold boxes, Enter.
class Filtre : public QObject {
public:
    Filtre(QObject* parent, QEvent::Type type, std::function<void(QObject*, QEvent*)> action)
        : QObject(parent), type_(type), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == type_) action_(o, e);
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void(QObject*, QEvent*)> action_;
};

} // namespace

std::string TForm1::chemin_annulation_coloree() const { return chemin_programme(fichier_annulation_coloree); }

void TForm1::construit_coloriage() {
    couleur_fond_coloriage = QColor(0, 128, 0);
    couleur_bord = QColor(0, 0, 0);
    peint(Coul_fond_Panel6, couleur_fond_coloriage);
    ProgressBar1->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{Color_surf_fond_SpeedButton14, Color_surf_bord_SpeedButton15,
                                                      Choix_bord_SpeedButton16, Choix_fond_SpeedButton20,
                                                      Pinceau_SpeedButton20, Gomme_SpeedButton21, Annuler_SpeedButton14,
                                                      SpeedButton12, SpeedButton17, Edit1, Edit2})
        w->setEnabled(true);
    connect(Color_surf_fond_SpeedButton14, &QToolButton::clicked, this, &TForm1::Color_surf_fond_SpeedButton14Click);
    connect(Color_surf_bord_SpeedButton15, &QToolButton::clicked, this, &TForm1::Color_surf_bord_SpeedButton15Click);
    connect(Choix_bord_SpeedButton16, &QToolButton::clicked, this, &TForm1::Choix_bord_SpeedButton16Click);
    connect(Choix_fond_SpeedButton20, &QToolButton::clicked, this, &TForm1::Coul_fond_Panel6Click);
    connect(Sans_ligne_SpeedButton, &QToolButton::clicked, this, &TForm1::Sans_ligne_SpeedButtonClick);
    connect(Annuler_SpeedButton14, &QToolButton::clicked, this, &TForm1::Annuler_SpeedButton14Click);
    connect(SpeedButton12, &QToolButton::clicked, this, [this] { SpeedButton12Click(SpeedButton12); });
    connect(SpeedButton17, &QToolButton::clicked, this, [this] { SpeedButton12Click(SpeedButton17); });
    auto* entree = new Filtre(this, QEvent::KeyRelease, [this](QObject*, QEvent* e) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if ((k == Qt::Key_Return || k == Qt::Key_Enter) && SpeedButton17->isChecked()) SpeedButton12Click(SpeedButton17);
    });
    Edit1->installEventFilter(entree);
    Edit2->installEventFilter(entree);
    auto* clic = new Filtre(this, QEvent::MouseButtonRelease, [this](QObject* o, QEvent*) {
        if (o == Coul_fond_Panel6) Coul_fond_Panel6Click();
        else Choix_bord_SpeedButton16Click();
    });
    Coul_fond_Panel6->installEventFilter(clic);
    Coul_Bord_Panel5->installEventFilter(clic);
}

void TForm1::montre_outils_coloriage() {
    for (QWidget* w : {static_cast<QWidget*>(Choix_bord_SpeedButton16), static_cast<QWidget*>(Coul_Bord_Panel5),
                       static_cast<QWidget*>(Choix_fond_SpeedButton20), static_cast<QWidget*>(Coul_fond_Panel6),
                       static_cast<QWidget*>(Pinceau_SpeedButton20), static_cast<QWidget*>(Gomme_SpeedButton21)})
        w->show();
}

void TForm1::Color_surf_fond_SpeedButton14Click() {
    Sans_ligne_SpeedButton->setChecked(true);
    montre_outils_coloriage();
    redessiner();
}

void TForm1::Color_surf_bord_SpeedButton15Click() { Color_surf_fond_SpeedButton14Click(); }

void TForm1::Choix_bord_SpeedButton16Click() {
    choisit_mode_souris(ModeSouris::choix_bord);
    if (!calque.existe()) return;
    Panel4->setStyleSheet(QString());
    Panel4->setText(QStringLiteral(" prélever la couleur de bordure"));
    Panel4->adjustSize();
    const int x = Image1->mapFromGlobal(Choix_bord_SpeedButton16->mapToGlobal(QPoint(0, 0))).x() - Panel4->width();
    Panel4->move(std::max(0, x), std::max(0, Image1->height() - Panel4->height()));
    Panel4->show();
    Panel4->raise();
}

void TForm1::Coul_fond_Panel6Click() {
    if (const std::optional<QColor> c = dialogues().couleur(couleur_fond_coloriage, false)) {
        couleur_fond_coloriage = *c;
        peint(Coul_fond_Panel6, *c);
    }
    choisit_mode_souris(ModeSouris::colorer_surface);
}

void TForm1::Sans_ligne_SpeedButtonClick() { choisit_mode_souris(ModeSouris::surface); }

void TForm1::oublie_annulation_coloree() {
    annulation_signalee = false;
    efface_fichier_programme(fichier_annulation_coloree);
}

void TForm1::Annuler_SpeedButton14Click() {
    const std::string chemin = chemin_annulation_coloree();
    if (!calque.existe() || !QFile::exists(qs(chemin))) return;
    if (!relit_copie(vue_pixels(calque.image), chemin)) {
        port().erreur("La copie d'annulation " + chemin +
                      " est illisible ou ne correspond pas à l'image : rien n'est annulé.");
        return;
    }
    calque.vue.marque_sale();
    redessiner();
}

void TForm1::sauve_annulation() {
    if (!uneannulationcolore1->isChecked()) return;
    Sablier sablier;
    try {
        ecrit_copie(vue_pixels(calque.image), chemin_annulation_coloree());
    } catch (const std::exception& e) {
        // Said once: the painting goes on without its undo.
        if (!annulation_signalee) port().erreur(std::string(e.what()) + "\nLa coloration ne pourra pas être annulée.");
        annulation_signalee = true;
    }
}

void TForm1::presse_coloriage(int x, int y) {
    if (!calque.existe()) return;
    const ModeSouris m = mode_souris();
    const VuePixels v = vue_pixels(calque.image);
    if (m == ModeSouris::choix_bord) {
        if (x < 0 || y < 0 || x >= v.largeur || y >= v.hauteur) return;
        couleur_bord = couleur_de_bgr(bgr_de_pixel555(pixel(v, x, y)));
        peint(Coul_Bord_Panel5, couleur_bord);
        const QColor inverse(QRgb(couleur_bord.rgb() ^ 0xFFFFFF));
        Panel4->setStyleSheet(
            QStringLiteral("QLabel { background-color: %1; color: %2; }").arg(couleur_bord.name(), inverse.name()));
        return;
    }
    const bool stylo = m == ModeSouris::pinceau, gomme = m == ModeSouris::gomme;
    const bool remplissage = m == ModeSouris::colorer_surface || m == ModeSouris::colorer_bordee;
    if (!stylo && !gomme && !remplissage) return;
    // The copy holds the state before the painting press only.
    sauve_annulation();
    couleur_fond_coloriage = stockee(couleur_fond_coloriage);
    couleur_bord = stockee(couleur_bord);
    peint(Coul_fond_Panel6, couleur_fond_coloriage);
    const std::uint16_t fond = pixel_de(couleur_fond_coloriage), bord = pixel_de(couleur_bord);
    if (stylo || gomme) {
        if (stylo) stylo_presse(v, x, y, bord);
        else brosse(v, x, y, false, fond);
        peinture_en_cours = true;
    } else {
        if (x < 0 || y < 0 || x >= v.largeur || y >= v.hauteur) return;
        const std::uint16_t pinceau = pixel(v, x, y) == fond ? blanc555 : fond;
        Sablier sablier;
        if (m == ModeSouris::colorer_surface) remplit_surface(v, x, y, pinceau);
        else remplit_bordee(v, x, y, bord, pinceau);
    }
    calque.vue.marque_sale();
    redessiner();
}

bool TForm1::mouvement_coloriage(int mx, int my, int x, int y) {
    if (mode_souris() == ModeSouris::choix_bord && Panel4->isVisible()) {
        QPoint p(mx + 10, my + 10);
        p.setX(std::max(0, std::min(p.x(), Image1->width() - Panel4->width())));
        p.setY(std::max(0, std::min(p.y(), Image1->height() - Panel4->height())));
        Panel4->move(p);
    }
    if (!peinture_en_cours || glissement) return false;
    const VuePixels v = vue_pixels(calque.image);
    if (mode_souris() == ModeSouris::pinceau) stylo_glisse(v, x, y, pixel_de(couleur_bord));
    else brosse(v, x, y, true, pixel_de(couleur_fond_coloriage));
    calque.vue.marque_sale();
    redessiner();
    return true;
}

void TForm1::SpeedButton12Click(QObject* sender) {
    montre_outils_coloriage();
    if (!calque.existe()) return;
    const bool seuil = sender == SpeedButton17;
    // Read before anything changes: a bad threshold text leaves the colourings alone.
    long double T = 0;
    if (seuil) {
        try {
            T = lit_seuil(ss(Edit2->text()));
        } catch (const std::invalid_argument& e) {
            port().erreur(std::string("ErreurConversion\n") + e.what());
            return;
        }
    }
    couleur_bord = stockee(couleur_bord);
    couleur_fond_coloriage = stockee(couleur_fond_coloriage);
    const std::uint16_t fond = pixel_de(couleur_fond_coloriage), bord = pixel_de(couleur_bord);
    if (!seuil && fond == contour555) {
        port().erreur("La couleur de fond est celle des contours (bleu clair) : choisissez une autre couleur de fond "
                      "avant le calcul.");
        return;
    }
    std::string copie;
    for (const std::string& c : {ss(QDir::current().absoluteFilePath(QString::fromLatin1(fichier_copie_mesure))),
                                 chemin_programme(fichier_copie_mesure)}) {
        try {
            ecrit_copie(vue_pixels(calque.image), c);
            copie = c;
            break;
        } catch (const std::exception&) {
        }
    }
    if (copie.empty()) {
        port().erreur(std::string("Impossible d'enregistrer la copie de l'image ") + fichier_copie_mesure +
                      " ni dans le répertoire courant ni dans celui du programme : le calcul n'est pas lancé.");
        return;
    }
    if (seuil) {
        Panel3->hide();
        SpeedButton10Click();
    }
    const VuePixels v = vue_pixels(calque.image);
    ProgressBar1->setRange(0, v.hauteur);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    std::optional<Sablier> sablier(std::in_place);
    QElapsedTimer horloge;
    horloge.start();
    const Progression progres = [&](int position) {
        if (horloge.elapsed() < 100) return;
        horloge.restart();
        ProgressBar1->setValue(position);
        calque.vue.marque_sale();
        redessiner();
        Image1->repaint();
    };
    const CadreImage cadre = cadre_image(v, doc.dx0, doc.dy0);
    ComptageRaster n;
    if (seuil) seuil_gris(v, cadre, T, bord, progres);
    else n = compte_couleur(v, cadre, fond, progres);
    calque.vue.marque_sale();
    redessiner();
    Image1->repaint();
    sablier.reset();
    ProgressBar1->hide();
    if (seuil) return;
    montre_panel3();
    panneau_resultats()->ajoute_lignes(resultat_raster(n, echelle_surface(doc)).lignes);
    if (port().oui_non("OK pour enlever les contours bleus ( L Raster ) et retrouver la figure juste colorée en vert")) {
        if (!relit_copie(vue_pixels(calque.image), copie)) {
            port().erreur("La copie " + copie + " est illisible : les contours restent sur l'image.");
            return;
        }
        calque.vue.marque_sale();
        redessiner();
    }
}

} // namespace vuv
