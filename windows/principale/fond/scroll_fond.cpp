// The background image: loading it from a file or the clipboard, the blank tablet sheet, and
// saving the overlay as BMP or JPEG.
#include "windows/principale/scroll.h"

#include "core/document/Document.h"
#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"
#include "imaging/DecodageImage.h"
#include "imaging/EncodageImage.h"
#include "imaging/FormatImage.h"
#include "imaging/Pixels.h"
#include "windows/commun/Dialogues.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/commun/Sablier.h"
#include "windows/commun/Textes.h"
#include "windows/points/scroll2.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/scroll_travail.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QToolButton>

#include <algorithm>
#include <optional>

namespace vuv {
namespace {

constexpr int largeur_feuille = 2100; // landscape A4 proportions
constexpr int hauteur_feuille = 1485;
const QColor sarcelle(0, 128, 128);
const QString filtre_images = QStringLiteral("Fichiers (*.jpg, *.bmp, *.gif, *.tif)|*.jpg;*.gif;*.bmp;*.tif|"
                                             "Fichiers Bitmap (*.bmp)|*.bmp");
const QString titre_enregistrer_image =
    QStringLiteral("  Enregistrer l'image : indiquer .bmp (par défaut)  ou  .jpg");

QString dernier_dossier() { return qs(premiere_ligne_lecture(fichier_dernier_dossier)); }

// GIS tools place the saved overlay by the files beside it; on by default once the project
// has a system.
void option_georeference(DemandeFichier& d, const Document& doc) {
    d.option = QStringLiteral("Avec son géoréférencement : fichier world (.bpw, .jgw) et système (.prj)");
    d.option_cochee = !doc.systeme_wkt.empty();
}

QString nom_seul(const QString& chemin) { return qs(nom_de_fichier(ss(chemin))); }

// A name "holds no point" by its file name: a folder "v1.2" does not give it an extension.
bool sans_extension(const QString& chemin) { return !nom_seul(chemin).contains(QLatin1Char('.')); }

QString projet_courant() {
    const TForm2* f2 = fenetres().Form2;
    return f2 ? f2->chemin_projet : QString();
}

// Where the image lies inside the background bitmap, and that bitmap's size.
struct Placement {
    int largeur = 0, hauteur = 0;
    int dx0 = 0, dy0 = 0;
};

Placement place_proportionnel(int W, int H, QSize client) {
    Placement p;
    const long long cw = client.width(), ch = client.height();
    if (cw <= 0 || ch <= 0 || W <= 0 || H <= 0) return {W, H, 0, 0}; // no window yet: no margins
    if (static_cast<long double>(cw) / ch >= static_cast<long double>(W) / H) {
        p.hauteur = H;
        p.largeur = static_cast<int>(H * cw / ch);
        p.dx0 = (p.largeur - W) / 2;
    } else {
        p.largeur = W;
        p.hauteur = static_cast<int>(W * ch / cw);
        p.dy0 = (p.hauteur - H) / 2;
    }
    return p;
}

// Step 2 of a load over an earlier one: the points' rows emptied, lines 2 and on reset.
void efface_saisie(Document& d) {
    Grille& points = d.StringGrid1;
    {
        const Grille::Lot lot(points);
        for (int r = 1; r <= d.nb_points; ++r)
            for (int c = 0; c < 9; ++c) points.set_cell(c, r, std::string());
    }
    Grille& lignes = d.StringGrid3;
    const Grille::Lot lot(lignes);
    for (int r = 2; r <= d.num_ligne; ++r) {
        for (int c = 0; c < 3; ++c) lignes.set_cell(c, r, std::string());
        lignes.set_cell(3, r, "x");
        lignes.set_cell(4, r, "nom");
    }
}

// Pixel units, real Y growing upwards from the image's lower edge. The zeros are written as the
// plain text "0"; only computed values go through the calibration table's number format.
void calage_par_defaut(Document& d, int W, int H) {
    Grille& g = d.StringGrid2;
    if (g.row_count() < 4) g.set_row_count(4);
    const int cX = d.indice_col_cal("X"), cY = d.indice_col_cal("Y"), cZ = d.indice_col_cal("Z");
    const int cx = d.indice_col_cal("x"), cy = d.indice_col_cal("y");
    const std::string zero = "0";
    struct Ligne {
        std::string X, Y;
        int x, y;
    };
    const Ligne lignes[3] = {
        {zero, _format(12, 4, H - 1), d.dx0, d.dy0},
        {zero, zero, d.dx0, H + d.dy0},
        {_format(12, 4, W - 1), zero, d.dx0 + W, H + d.dy0},
    };
    {
        const Grille::Lot lot(g);
        for (int k = 1; k <= 3; ++k) {
            const Ligne& l = lignes[k - 1];
            g.set_cell(cX, k, l.X);
            g.set_cell(cY, k, l.Y);
            g.set_cell(cZ, k, zero);
            g.set_cell(cx, k, _format(4, 0, l.x));
            g.set_cell(cy, k, _format(4, 0, l.y));
        }
    }
    d.nb_calage = 3;
    d.releve_calage(3);
}

} // namespace

void TForm1::construit_fond() {
    for (QAction* a : {Ouvrir1, Imagedupressepapier1, Nouvellesaisie1, Enregistrerlimage1, Enregistrerlimagelignes1})
        a->setEnabled(true);
    for (QToolButton* b : {SpeedButton5, SpeedButton4, SpeedButton11}) b->setEnabled(true);
    connect(Ouvrir1, &QAction::triggered, this, &TForm1::Ouvrir_bmp);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::Ouvrir_bmp);
    connect(Imagedupressepapier1, &QAction::triggered, this, &TForm1::Imagedupressepapier1Click);
    const auto feuille = [this] {
        if (demande_enregistrer(*this)) ouvrir_sans_bmp();
    };
    connect(Nouvellesaisie1, &QAction::triggered, this, feuille);
    connect(SpeedButton4, &QToolButton::clicked, this, feuille);
    connect(Enregistrerlimage1, &QAction::triggered, this, &TForm1::Enregistrerlimage1Click);
    connect(Enregistrerlimagelignes1, &QAction::triggered, this, &TForm1::SpeedButton11Click);
    connect(SpeedButton11, &QToolButton::clicked, this, &TForm1::SpeedButton11Click);

    // The reference follows the image area while the window is maximized, as the window's
    // own maximal size does.
    connect(Image1, &ZoneImage::redimensionnee, this, [this] {
        if (isMaximized()) taille_client_reference = Image1->size();
    });

    recharge_decalage = [this] {
        if (!doc.fichier_image.empty()) Ouvrir_fichier_image(qs(doc.fichier_image), ModeChargement::decalage);
    };
}

bool TForm1::Ouvrir_fichier_image(const QString& chemin, ModeChargement mode, const CalageFourni& calage) {
    bool abandonne = false;
    std::optional<FondPrepare> f =
        prepare_fond(chemin, mode, {doc.largeur_fond, doc.hauteur_fond, doc.dx0, doc.dy0}, &abandonne);
    if (!f) {
        if (abandonne) doc.fichier_image.clear();
        return false;
    }
    installe_fond_prepare(std::move(*f), mode, calage);
    return true;
}

std::optional<TForm1::FondPrepare> TForm1::prepare_fond(const QString& chemin, ModeChargement mode,
                                                        PlacementStocke stocke, bool* abandonne) {
    // 1. Locate the file; a converted "~tmp.bmp" named by an older project is never trusted.
    QString p = chemin;
    const QString tmp = QStringLiteral("~tmp.");
    if (!QFileInfo::exists(p) || p.contains(tmp)) {
        const QString n = nom_seul(p);
        const QFileInfo ici(QDir::current().filePath(n));
        // A project started from the command line: the current folder is not the project's.
        const QFileInfo a_cote(QFileInfo(projet_courant()).dir().filePath(n));
        if (!n.isEmpty() && ici.exists() && !n.contains(tmp)) {
            p = ici.absoluteFilePath();
        } else if (!n.isEmpty() && !projet_courant().isEmpty() && a_cote.exists() && !n.contains(tmp)) {
            p = a_cote.absoluteFilePath();
        } else {
            const QString projet = projet_courant();
            const QString question = QStringLiteral("Dans le fichier ") + projet + QStringLiteral("\n") +
                                     QStringLiteral("    l'image <") + p + QStringLiteral("> est introuvable\n") +
                                     QStringLiteral("    ainsi que l'image <") + n +
                                     QStringLiteral("> dans le répertoire courant\n") +
                                     QStringLiteral("           Voulez-vous la chercher sur le poste actuel ?");
            if (!port().oui_non(ss(question))) {
                if (abandonne) *abandonne = true;
                return std::nullopt;
            }
            DemandeFichier d;
            d.dossier = dernier_dossier();
            d.titre = QStringLiteral(" Rechercher le fichier ") + n;
            d.filtre = filtre_images;
            d.index_filtre = 1;
            d.doit_exister = true;
            const QString base = qs(nom_de_fichier(chemin_base(ss(projet))));
            d.nom = base;
            for (const char* ext : {".jpg", ".bmp", ".tif"}) {
                if (QFileInfo::exists(QDir::current().filePath(base + QLatin1String(ext)))) {
                    d.nom = base + QLatin1String(ext);
                    break;
                }
            }
            const auto choisi = dialogues().ouvrir(d);
            if (!choisi || choisi->isEmpty()) {
                if (abandonne) *abandonne = true;
                return std::nullopt;
            }
            p = *choisi;
        }
    }

    // 3. The proportions are those of the image area as the maximized window shows it.
    if (isMaximized()) {
        retient_taille_max();
        taille_client_reference = Image1->size();
    }
    if (taille_client_reference.isEmpty()) taille_client_reference = Image1->size();

    const Sablier sablier;
    ImageDecodee lue = decode_image(p);
    if (!lue) {
        port().erreur(ss(lue.message));
        return std::nullopt;
    }

    FondPrepare f;
    // Every format keeps the file the user opened: a reload decodes it again.
    f.chemin = p;
    const int W = lue.image.width(), H = lue.image.height();
    f.largeur_image = W;
    f.hauteur_image = H;
    Placement pl;
    if (mode != ModeChargement::aucun) {
        pl.dx0 = stocke.dx0;
        pl.dy0 = stocke.dy0;
        // A stored size of zero (an offset typed before any project was read): the image and
        // its offset.
        pl.largeur = stocke.largeur > 0 ? stocke.largeur : W + std::max(pl.dx0, 0);
        pl.hauteur = stocke.hauteur > 0 ? stocke.hauteur : H + std::max(pl.dy0, 0);
    } else if (GarderlesproportionsLxH1->isChecked() && !taille_client_reference.isEmpty()) {
        pl = place_proportionnel(W, H, taille_client_reference);
    } else {
        pl.largeur = W;
        pl.hauteur = H;
    }
    f.dx0 = pl.dx0;
    f.dy0 = pl.dy0;

    if (pl.largeur == W && pl.hauteur == H && pl.dx0 == 0 && pl.dy0 == 0) {
        f.fond = std::move(lue.image);
        return f;
    }
    f.fond = nouvelle_image(pl.largeur, pl.hauteur, QImage::Format_RGB555);
    if (f.fond.isNull()) {
        port().erreur("Impossible de charger l'image " + ss(p) + " : mémoire insuffisante pour un fond de " +
                      std::to_string(pl.largeur) + " x " + std::to_string(pl.hauteur) + " pixels");
        return std::nullopt;
    }
    // Teal margins whatever the format or the mode.
    f.fond.fill(sarcelle);
    {
        QPainter peintre(&f.fond);
        peintre.drawImage(pl.dx0, pl.dy0, lue.image);
    }
    return f;
}

void TForm1::installe_fond_prepare(FondPrepare f, ModeChargement mode, const CalageFourni& calage) {
    // A new background starts a new work: what came before it cannot be undone.
    const PileAnnulation::Suspension suspension(&annulation);
    std::optional<Sablier> sablier(std::in_place);
    // 2. The previous digitizing goes, then the previous bitmaps (one full image at a time).
    if (calque.existe()) {
        calque.dernier_x = calque.dernier_y = 0;
        courant_x = courant_y = 0;
        efface_saisie(doc);
        calque.image = QImage();
        calque.fond = QImage();
        Image1->vide_marques();
    }

    doc.dx0 = f.dx0;
    doc.dy0 = f.dy0;
    doc.fichier_image = ss(f.chemin);
    Image1->show();

    if (GarderlesproportionsLxH1->isChecked()) fenetre_proportionnelle();
    installe_fond(f.fond);
    f.fond = QImage();
    feuille_tablette = false;
    calque.vue.marque_sale();
    redessiner();
    sablier.reset();
    doc.mess_3_calage_svp_et_init(en_mode_tablette());
    // Another offset is the same work, saved with its new offset; anything else is a new work.
    if (mode == ModeChargement::decalage) doc.sauve = false;
    else nouveau_travail(*this);

    const int W = f.largeur_image, H = f.hauteur_image;
    const QString nom_court = nom_seul(f.chemin);
    texte_dimension = QStringLiteral("%1 x %2").arg(W).arg(H);
    setWindowTitle(texte_dimension + QStringLiteral("  ") + nom_court +
                   QStringLiteral("    v u v i v i v a                  "));
    nom_court_image = nom_court;

    bool cale = false;
    if (mode == ModeChargement::aucun) {
        calage_par_defaut(doc, W, H);
        cale = calage && calage(W, H);
        montre_table_points();
    }

    if (!cale && doc.nb_points == 0 && mode != ModeChargement::relecture &&
        port().oui_non("Voulez-vous d'abord choisir vos points de calibrage ? ")) {
        if (TForm2* f2 = fenetres().Form2) f2->Button3Click();
    }
}

void TForm1::Ouvrir_bmp() {
    if (!demande_enregistrer(*this)) return;
    DemandeFichier d;
    d.dossier = dernier_dossier();
    d.doit_exister = true;
    d.filtre = QStringLiteral("Fichiers (*.jpg, *.bmp, *.gif, *.tif)|*.jpg;*.gif;*.bmp;*.tif|"
                              "Fichiers Bitmap (*.bmp)|*.bmp;Tous (*.*)|*.*");
    d.index_filtre = 1;
    d.titre = QStringLiteral(" Ouvrir un fichier image");
    const auto choisi = dialogues().ouvrir(d);
    if (!choisi || choisi->isEmpty()) {
        image1_peindre_fond_uni();
        return;
    }
    premiere_ligne_enregistre(fichier_dernier_dossier, dossier_de(ss(*choisi)));
    SpeedButtonCartTablClick();
    Ouvrir_image_georeferencee(*choisi);
    SpeedButton10Click();
}

void TForm1::Imagedupressepapier1Click() {
    const QClipboard* presse_papier = QGuiApplication::clipboard();
    const QImage image = presse_papier ? presse_papier->image() : QImage();
    if (image.isNull()) {
        port().information("   Pas d'image dans le presse-papier\n\n Pour capturer un écran appuyer sur la touche "
                           "[Imp écran]\n\n en maximisant au préalable la résolution de l'écran pour plus de détails");
        return;
    }
    if (!demande_enregistrer(*this)) return;
    DemandeFichier d;
    d.dossier = dossier_programme;
    d.titre = QStringLiteral(" Nom de l'image issue du presse-papier  (init Rép: ") + dossier_programme +
              QLatin1Char(')');
    d.filtre = QStringLiteral("Fichiers Bitmap (*.bmp)|*.bmp");
    d.index_filtre = 1;
    const auto choisi = dialogues().enregistrer(d);
    if (!choisi || choisi->isEmpty()) return;

    af_efface_der_ligne_xor();
    QString nom = *choisi;
    if (!nom.toUpper().contains(QStringLiteral(".BMP"))) nom += QStringLiteral(".bmp");
    if (const ResultatEcriture e = ecrit_bmp(image, nom); !e) {
        port().erreur(ss(e.message));
        return;
    }
    SpeedButtonCartTablClick();
    Ouvrir_fichier_image(nom);
    SpeedButton10Click();
}

void TForm1::ouvrir_sans_bmp() {
    const PileAnnulation::Suspension suspension(&annulation);
    Image1->show();
    {
        const Sablier sablier;
        // RGB555 in memory: Qt cannot paint on an 8-bit image. It is saved at 8 bits.
        efface_saisie(doc);
        installe_feuille_vierge(largeur_feuille, hauteur_feuille);
        feuille_tablette = true;
        doc.mess_3_calage_svp_et_init(en_mode_tablette());
        nouveau_travail(*this);
    }
    Tabledigitaliser1->setChecked(false);
    Tabledigitaliser1->setChecked(true);
    Tabledigitaliser1Click();
    grande_fenetre();
    tab_points();
}

void TForm1::Enregistrerlimage1Click() {
    if (!calque.existe()) return;
    DemandeFichier d;
    d.dossier = dernier_dossier();
    d.titre = titre_enregistrer_image;
    d.filtre = QStringLiteral("Fichiers Bitmap (*.bmp)|*.bmp|Fichiers JPEG (*.jpg)|*.jpg");
    d.index_filtre = 1;
    option_georeference(d, doc);
    const auto choisi = dialogues().enregistrer(d);
    const bool georeference = dialogues().option_cochee();
    if (!choisi || choisi->isEmpty()) return;
    QString nom = *choisi;
    if (sans_extension(nom)) nom += QStringLiteral(".bmp");

    const Sablier sablier;
    ResultatEcriture e;
    if (format_enregistrement(nom) == FormatEnregistrement::jpeg) {
        e = ecrit_jpeg(calque.image, nom, qualite_jpeg);
    } else if (feuille_tablette) {
        e = ecrit_bmp(calque.image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither),
                      nom);
    } else {
        e = ecrit_bmp(calque.image, nom);
    }
    if (!e) {
        port().erreur(ss(e.message));
        return;
    }
    if (georeference) georeference_image_enregistree(nom);
}

void TForm1::SpeedButton11Click() {
    if (!calque.existe()) return;
    DemandeFichier d;
    d.dossier = dernier_dossier();
    d.titre = titre_enregistrer_image;
    d.filtre = QStringLiteral("Fichiers JPEG (*.jpg)|*.jpg");
    d.index_filtre = 1;
    option_georeference(d, doc);
    const auto choisi = dialogues().enregistrer(d);
    const bool georeference = dialogues().option_cochee();
    if (!choisi || choisi->isEmpty()) return;
    af_efface_der_ligne_xor();
    QString nom = *choisi;
    if (sans_extension(nom)) nom += QStringLiteral(".jpg");
    ResultatEcriture e;
    {
        const Sablier sablier;
        e = ecrit_jpeg(calque.image, nom, qualite_jpeg);
    }
    af_efface_der_ligne_xor();
    if (!e) {
        port().erreur(ss(e.message));
        return;
    }
    if (georeference) georeference_image_enregistree(nom);
}

} // namespace vuv
