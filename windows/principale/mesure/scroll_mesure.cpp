// The main window's side of the measurements: the Surface mode, the triangles drawn on the
// overlay and the results panel Panel3.
#include "windows/principale/scroll.h"

#include "core/fichiers/EcritureSure.h"
#include "core/mesure/Surface.h"
#include "core/text/encodage.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Dialogues.h"
#include "windows/principale/mesure/PanneauResultats.h"
#include "windows/commun/Textes.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>

#include <algorithm>
#include <exception>

namespace vuv {
namespace {

QColor couleur(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void dessine_triangles(QImage& image, const std::vector<Triangle>& triangles) {
    if (image.isNull() || triangles.empty()) return;
    QPainter p(&image);
    const int largeur = epaisseur_triangles(image.width());
    const QPen trait(couleur(couleur_triangle), largeur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QPen fermeture(couleur(couleur_fermeture), largeur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    for (const Triangle& t : triangles) {
        const QPoint p0(t.p0.x, t.p0.y), p1(t.p1.x, t.p1.y), p2(t.p2.x, t.p2.y);
        p.setPen(trait);
        const QPoint chemin[3] = {p0, p1, p2};
        p.drawPolyline(chemin, 3);
        p.setPen(fermeture);
        p.drawLine(p0, p2);
    }
}

} // namespace

PanneauResultats* TForm1::panneau_resultats() const { return static_cast<PanneauResultats*>(Panel3); }

void TForm1::construit_mesures() {
    auto* r = new PanneauResultats(this);
    Panel3 = r;
    Memo1 = r->Memo1;
    connect(r, &PanneauResultats::fermer, this, &TForm1::Panel3Fermer);
    connect(r, &PanneauResultats::echap, this, &TForm1::masque_panel3);
    connect(r, &PanneauResultats::bloc_note, this, &TForm1::Button5Click);
    connect(r, &PanneauResultats::relache, this, &TForm1::Image1MouseUp);

    Surfacer->setEnabled(true);
    connect(Surfacer, &QToolButton::clicked, this, &TForm1::SurfacerClick);
    calcul_surface = [this](int x, int y) { Surface1Click(x, y); };
    construit_cap();
    construit_echelle();
}

void TForm1::SurfacerClick() {
    choisit_mode_souris(ModeSouris::surface);
    // Leaving the colouring tools resets the view and the tools as "Digitaliser" does.
    DigitaliserClick();
}

void TForm1::Surface1Click(int x, int y) {
    try {
        // The beeps of an empty table or of no shown line come from the computation.
        const ResultatSurface r = mesure_surface(doc, x, y);
        if (!r.mesure) return;
        redessiner_calque();
        if (Lignes1->isChecked() && !doc.nouvelle_ligne) af_efface_der_ligne_xor();
        dessine_triangles(calque.image, r.triangles);
        calque.vue.marque_sale();
        redessiner();
        // A two-point line belongs to the scale tool: nothing is written here.
        if (r.outil_echelle) {
            ouvre_echelle(r.L, r.D);
            return;
        }
        montre_panel3();
        panneau_resultats()->ajoute_lignes(r.lignes);
    } catch (const std::exception& e) {
        port().erreur(e.what());
    }
}

void TForm1::montre_panel3() {
    PanneauResultats* r = panneau_resultats();
    r->tag = 1;
    if (!r->place) {
        // Low in the image area, away from the top-left where a map's work usually starts.
        r->place = true;
        const int bas = Image1->mapTo(this, QPoint(0, Image1->height())).y();
        r->move(10, std::max(menuBar()->height(), bas - r->height() - 10));
    }
    Panel3->show();
    Panel3->raise();
}

bool TForm1::ouvert_masque() const { return Panel3->isHidden() && panneau_resultats()->tag > 0; }

void TForm1::masque_panel3() {
    Panel3->hide();
    panneau_resultats()->tag = 0;
    // The coloured-surface tools keep what they painted on the overlay.
    if (!mode_coloration()) {
        redessiner_calque();
        calque.vue.marque_sale();
    }
    if (Lignes1->isChecked() && !doc.nouvelle_ligne) af_efface_der_ligne_xor();
    redessiner();
}

void TForm1::Panel3Fermer() {
    if (mode_souris() == ModeSouris::surface || mode_souris() == ModeSouris::digitaliser)
        masque_panel3();
    else
        Panel3->hide();
}

void TForm1::Button5Click() {
    // Nothing else writes this file: the editor is given the panel's text.
    const QString chemin = QDir::current().absoluteFilePath(QStringLiteral("surface.txt"));
    try {
        ecrit_fichier_sur(ss(chemin), utf8_vers_cp1252(panneau_resultats()->texte()));
        blocnote(chemin);
    } catch (const std::exception& e) {
        port().erreur(e.what());
    }
}

void TForm1::blocnote(const QString& chemin) {
    dialogues().ouvre_document(chemin);
    port().presse_papier_ecrit(cp1252_vers_utf8(lit_fichier(ss(chemin))));
}

} // namespace vuv
