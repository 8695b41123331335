#include "windows/principale/export/PanneauExport.h"

#include "core/export/OptionsExport.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Textes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <exception>

namespace vuv {
namespace {

const QString diese = QStringLiteral("caractère pour simuler le séparateur : #");

QCheckBox* case_(QWidget* parent, const char* nom, const QString& texte) {
    auto* c = new QCheckBox(texte, parent);
    c->setObjectName(QString::fromLatin1(nom));
    return c;
}

QLineEdit* saisie_(QWidget* parent, const char* nom, int largeur, const QString& bulle = {}) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(nom));
    e->setFixedWidth(largeur);
    e->setToolTip(bulle);
    return e;
}

QLabel* etiquette(QWidget* parent, const QString& texte, const char* nom = nullptr) {
    auto* l = new QLabel(texte, parent);
    if (nom) l->setObjectName(QString::fromLatin1(nom));
    return l;
}

QHBoxLayout* rangee(std::initializer_list<QWidget*> w, int retrait = 0) {
    auto* h = new QHBoxLayout;
    if (retrait > 0) h->addSpacing(retrait);
    for (QWidget* x : w) h->addWidget(x);
    h->addStretch(1);
    return h;
}

} // namespace

RadioGroup::RadioGroup(const QString& titre, const QStringList& items, QWidget* parent)
    : QGroupBox(titre, parent), groupe_(new QButtonGroup(this)) {
    auto* l = new QGridLayout(this);
    l->setContentsMargins(6, 4, 6, 4);
    l->setVerticalSpacing(1);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items.at(i), this);
        groupe_->addButton(b, i);
        l->addWidget(b, i, 0);
    }
    l->setColumnStretch(2, 1);
    connect(groupe_, &QButtonGroup::idClicked, this, &RadioGroup::choisi);
}

int RadioGroup::ItemIndex() const { return groupe_->checkedId(); }

void RadioGroup::setItemIndex(int i) {
    if (QAbstractButton* b = groupe_->button(i)) b->setChecked(true);
}

QRadioButton* RadioGroup::item(int i) const { return static_cast<QRadioButton*>(groupe_->button(i)); }

PanneauExport::PanneauExport(OptionsExport& options, const Document& document, QWidget* parent)
    : QFrame(parent), o_(options), doc_(document) {
    setObjectName(QStringLiteral("Panel7"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    setPalette(QPalette(QColor(225, 225, 210)));

    auto* titre = etiquette(this, QStringLiteral("Enregistrement dans 1 ou 2 fichiers"));
    QFont gras = titre->font();
    gras.setBold(true);
    titre->setFont(gras);
    auto* titre2 = etiquette(this, QStringLiteral("et presse-papier"));
    titre2->setFont(gras);

    CheckBox_trl = case_(this, "CheckBox_trl", QStringLiteral("Fichier n°1  *.trl => pour Vuviviva"));
    CheckBox_blocnote = case_(this, "CheckBox_blocnote", QStringLiteral("visualiser dans le blocnote"));
    CheckBox_fic = case_(this, "CheckBox_fic", QStringLiteral("Fichier n°2 formaté selon les choix suivants..."));
    CheckBox_pas_norme =
        case_(this, "CheckBox_pas_norme", QStringLiteral("Fichier n°2 normalisé selon les choix suivants..."));
    CheckBox_n = case_(this, "CheckBox_n", QStringLiteral("n : n° de point"));
    CheckBox_ligne = case_(this, "CheckBox_ligne", QStringLiteral("L  : n° de ligne "));
    CheckBox_libelle = case_(this, "CheckBox_libelle", QStringLiteral("Libellé"));
    CheckBox_Xr = case_(this, "CheckBox_Xr", QStringLiteral("X : valeurs réelles"));
    CheckBox_Yr = case_(this, "CheckBox_Yr", QStringLiteral("Y : valeurs réelles"));
    CheckBox_Zr = case_(this, "CheckBox_Zr", QStringLiteral("Z : valeurs réelles"));
    CheckBox_ximg = case_(this, "CheckBox_ximg", QStringLiteral("x : coordonnées image"));
    CheckBox_yimg = case_(this, "CheckBox_yimg", QStringLiteral("y : coordonnées image"));
    CheckBox_zimg = case_(this, "CheckBox_zimg", QStringLiteral("z : coordonnées image"));
    CheckBox_dist = case_(this, "CheckBox_dist", QStringLiteral("distance inter points"));
    CheckBox_dist_cumul = case_(this, "CheckBox_dist_cumul", QStringLiteral("distance cumulée"));
    CheckBox_3calib = case_(this, "CheckBox_3calib", QStringLiteral("avec les 3 points de calibration"));
    CheckBox_juste_les_lignes = case_(this, "CheckBox_juste_les_lignes",
                                      QStringLiteral("juste la ou les lignes affichées : colonne[OK]=(x)"));

    RadioGroup_sep_decimal = new RadioGroup(QStringLiteral("séparateur décimal"),
                                            {QStringLiteral("point"), QStringLiteral("virgule")}, this);
    RadioGroup_sep_decimal->setObjectName(QStringLiteral("RadioGroup_sep_decimal"));
    RadioGroup_extention = new RadioGroup(QStringLiteral("extention du fichier"),
                                          {QStringLiteral("txt"), QStringLiteral("xls"),
                                           QStringLiteral("bln  (Surfer)"), QStringLiteral("personnalisé =>")},
                                          this);
    RadioGroup_extention->setObjectName(QStringLiteral("RadioGroup_extention"));
    Edit3 = saisie_(RadioGroup_extention, "Edit3", 50);
    static_cast<QGridLayout*>(RadioGroup_extention->layout())->addWidget(Edit3, 3, 1);
    RadioGroup_separateur = new RadioGroup(QStringLiteral("séparateur de données"),
                                           {QStringLiteral("virgule + espace (Surfer *.bln)"),
                                            QStringLiteral("tabulation (#9)"), QStringLiteral("personnalisé =>")},
                                           this);
    RadioGroup_separateur->setObjectName(QStringLiteral("RadioGroup_separateur"));
    Edit_separateur = saisie_(RadioGroup_separateur, "Edit_separateur", 50);
    static_cast<QGridLayout*>(RadioGroup_separateur->layout())->addWidget(Edit_separateur, 2, 1);

    CheckBox_ligne_1 = case_(this, "CheckBox_ligne_1", QStringLiteral("avec 1ère ligne d'entête"));
    CheckBox_nb_points = case_(this, "CheckBox_nb_points", QStringLiteral("Entête = nb points"));
    Edit9 = saisie_(this, "Edit9", 150, diese);
    CheckBox_ligne_1_bis =
        case_(this, "CheckBox_ligne_1_bis",
              QStringLiteral("avec 1ère ligne d'entête  (# remplacé par le séparateur en cours)"));
    Edit16 = saisie_(this, "Edit16", 150, diese);
    Edit_pas_extraction = saisie_(this, "Edit_pas_extraction", 80);
    Edit_x_mini = saisie_(this, "Edit_x_mini", 70);
    Edit_x_maxi = saisie_(this, "Edit_x_maxi", 70);
    Edit12 = saisie_(this, "Edit12", 70);
    Edit13 = saisie_(this, "Edit13", 70);
    Edit12->setEnabled(false);
    Edit13->setEnabled(false);
    Label35 = etiquette(this, QStringLiteral("nb points"), "Label35");
    RadioGroup2 = new RadioGroup(QStringLiteral("recherche ou calcul"),
                                 {QStringLiteral("le plus proche"),
                                  QStringLiteral("par régression linéaire entre deux points adjacents")},
                                 this);
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    Edit15 = saisie_(this, "Edit15", 40);
    Label24 = etiquette(this, QStringLiteral("<>"), "Label24");
    Label24->setFont(gras);
    Label34 = etiquette(this, QStringLiteral("(la 1ère avec (x) dans la colonne [OK])"), "Label34");
    Label34->setContentsMargins(6, 0, 0, 0);
    Label14 = etiquette(this, QStringLiteral("<>"), "Label14");
    Label14->setFont(gras);
    Button8 = new QPushButton(QStringLiteral("Traiter"), this);
    Button8->setObjectName(QStringLiteral("Button8"));
    Button9 = new QPushButton(QStringLiteral("fermer"), this);
    Button9->setObjectName(QStringLiteral("Button9"));
    ButtonSig = new QPushButton(QStringLiteral("Export SIG ..."), this);
    ButtonSig->setObjectName(QStringLiteral("ButtonSig"));
    ButtonSig->setToolTip(QStringLiteral("GeoPackage, Shapefile, GeoJSON, KML, DXF, CSV"));

    // The formatted file on the left, the normalized one on the right, the shared choices below.
    auto* gauche = new QVBoxLayout;
    gauche->addWidget(CheckBox_trl);
    gauche->addLayout(rangee({CheckBox_blocnote}, 20));
    gauche->addSpacing(6);
    gauche->addWidget(CheckBox_fic);
    auto* colonnes = new QGridLayout;
    colonnes->setContentsMargins(20, 0, 0, 0);
    colonnes->setVerticalSpacing(1);
    QCheckBox* const neuf[] = {CheckBox_n,  CheckBox_ligne, CheckBox_libelle, CheckBox_Xr,  CheckBox_Yr,
                                CheckBox_Zr, CheckBox_ximg,  CheckBox_yimg,    CheckBox_zimg};
    for (int i = 0; i < 9; ++i) colonnes->addWidget(neuf[i], i < 5 ? i : i - 5, i < 5 ? 0 : 1);
    gauche->addLayout(colonnes);
    for (QCheckBox* c : {CheckBox_dist, CheckBox_dist_cumul, CheckBox_3calib, CheckBox_juste_les_lignes})
        gauche->addLayout(rangee({c}, 20));
    gauche->addLayout(rangee({CheckBox_ligne_1, CheckBox_nb_points}, 20));
    gauche->addLayout(rangee({Edit9}, 40));
    gauche->addStretch(1);

    auto* droite = new QVBoxLayout;
    droite->addWidget(CheckBox_pas_norme);
    droite->addLayout(rangee({etiquette(this, QStringLiteral("Ligne exportée")), Label24, Label34}, 20));
    droite->addLayout(
        rangee({etiquette(this, QStringLiteral("le pas dX d'extraction normalisé =>")), Edit_pas_extraction}, 20));
    droite->addLayout(rangee({etiquette(this, QStringLiteral("X mini")), Edit_x_mini,
                              etiquette(this, QStringLiteral("X maxi")), Edit_x_maxi},
                             20));
    droite->addLayout(rangee({etiquette(this, QStringLiteral("X mini lu (non saisi)")), Edit12,
                              etiquette(this, QStringLiteral("X maxi lu (non saisi)")), Edit13},
                             20));
    droite->addLayout(rangee({Label35, etiquette(this, QStringLiteral("      nombre de décimales")), Edit15}, 20));
    droite->addLayout(rangee({RadioGroup2}, 20));
    droite->addWidget(CheckBox_ligne_1_bis);
    droite->addLayout(rangee({Edit16}, 40));
    droite->addStretch(1);

    auto* grille = new QGridLayout(this);
    grille->setContentsMargins(10, 8, 10, 8);
    grille->setHorizontalSpacing(12);
    auto* titres = new QVBoxLayout;
    titres->setSpacing(0);
    titres->addWidget(titre);
    titres->addWidget(titre2);
    grille->addLayout(titres, 0, 0, 1, 2);
    grille->addLayout(gauche, 1, 0);
    grille->addLayout(droite, 1, 1);
    grille->addLayout(rangee({RadioGroup_sep_decimal, RadioGroup_extention, RadioGroup_separateur}), 2, 0, 1, 2);
    grille->addLayout(
        rangee({etiquette(this, QStringLiteral("Le séparateur décimal sur cet ordinateur est  ")), Label14}), 3, 0,
        1, 2);
    grille->addLayout(rangee({Button8, Button9, ButtonSig}), 4, 0, 1, 2);

    for (auto [c, m] : {std::pair{CheckBox_trl, &OptionsExport::CheckBox_trl},
                        {CheckBox_blocnote, &OptionsExport::CheckBox_blocnote},
                        {CheckBox_fic, &OptionsExport::CheckBox_fic},
                        {CheckBox_pas_norme, &OptionsExport::CheckBox_pas_norme},
                        {CheckBox_n, &OptionsExport::CheckBox_n},
                        {CheckBox_ligne, &OptionsExport::CheckBox_ligne},
                        {CheckBox_libelle, &OptionsExport::CheckBox_libelle},
                        {CheckBox_Xr, &OptionsExport::CheckBox_Xr},
                        {CheckBox_Yr, &OptionsExport::CheckBox_Yr},
                        {CheckBox_Zr, &OptionsExport::CheckBox_Zr},
                        {CheckBox_ximg, &OptionsExport::CheckBox_ximg},
                        {CheckBox_yimg, &OptionsExport::CheckBox_yimg},
                        {CheckBox_zimg, &OptionsExport::CheckBox_zimg},
                        {CheckBox_dist, &OptionsExport::CheckBox_dist},
                        {CheckBox_dist_cumul, &OptionsExport::CheckBox_dist_cumul},
                        {CheckBox_3calib, &OptionsExport::CheckBox_3calib},
                        {CheckBox_juste_les_lignes, &OptionsExport::CheckBox_juste_les_lignes},
                        {CheckBox_ligne_1, &OptionsExport::CheckBox_ligne_1},
                        {CheckBox_nb_points, &OptionsExport::CheckBox_nb_points},
                        {CheckBox_ligne_1_bis, &OptionsExport::CheckBox_ligne_1_bis}})
        coche(c, m);
    saisie(Edit3, &OptionsExport::Edit3, false);
    saisie(Edit_separateur, &OptionsExport::Edit_separateur, false);
    saisie(Edit9, &OptionsExport::Edit9, false);
    saisie(Edit16, &OptionsExport::Edit16, false);
    saisie(Edit15, &OptionsExport::Edit15, false);
    saisie(Edit_pas_extraction, &OptionsExport::Edit_pas_extraction, true);
    saisie(Edit_x_mini, &OptionsExport::Edit_x_mini, true);
    saisie(Edit_x_maxi, &OptionsExport::Edit_x_maxi, true);
    choix(RadioGroup_sep_decimal, &OptionsExport::RadioGroup_sep_decimal, nullptr);
    choix(RadioGroup_extention, &OptionsExport::RadioGroup_extention, &RadioGroup_extentionClick);
    choix(RadioGroup_separateur, &OptionsExport::RadioGroup_separateur, &RadioGroup_separateurClick);
    choix(RadioGroup2, &OptionsExport::RadioGroup2, nullptr);

    connect(Button8, &QPushButton::clicked, this, &PanneauExport::traiter);
    connect(Button9, &QPushButton::clicked, this, &QWidget::hide);
    connect(ButtonSig, &QPushButton::clicked, this, &PanneauExport::export_sig);

    affiche();
    adjustSize();
    hide();
}

void PanneauExport::coche(QCheckBox* c, bool OptionsExport::*membre) {
    cases_.emplace_back(c, membre);
    connect(c, &QCheckBox::clicked, this, [this, membre](bool v) {
        o_.*membre = v;
        if (membre == &OptionsExport::CheckBox_fic) CheckBox_ficClick(o_);
        if (membre == &OptionsExport::CheckBox_pas_norme) CheckBox_pas_normeClick(o_);
        affiche();
    });
}

void PanneauExport::saisie(QLineEdit* e, std::string OptionsExport::*membre, bool compte) {
    saisies_.emplace_back(e, membre);
    connect(e, &QLineEdit::textEdited, this, [this, membre, compte](const QString& t) {
        o_.*membre = ss(t);
        if (compte) recompte();
        affiche();
    });
}

void PanneauExport::choix(RadioGroup* g, int OptionsExport::*membre, void (*regle)(OptionsExport&)) {
    groupes_.emplace_back(g, membre);
    connect(g, &RadioGroup::choisi, this, [this, membre, regle](int i) {
        if (o_.*membre == i) return; // the item already chosen: no change, no rule
        o_.*membre = i;
        if (regle) regle(o_);
        affiche();
    });
}

void PanneauExport::recompte() {
    try {
        change_extraction(doc_, o_);
    } catch (const std::exception& e) {
        port().erreur(e.what());
    }
}

void PanneauExport::affiche() {
    for (auto [c, m] : cases_) c->setChecked(o_.*m);
    for (auto [e, m] : saisies_) {
        const QString t = qs(o_.*m);
        // Rewriting the text being typed would move its cursor.
        if (e->text() != t) e->setText(t);
    }
    for (auto [g, m] : groupes_) g->setItemIndex(o_.*m);
    Edit12->setText(qs(o_.Edit12));
    Edit13->setText(qs(o_.Edit13));
    Label35->setText(o_.Label35.empty() ? QStringLiteral("nb points") : qs(o_.Label35));
    Label24->setText(qs(o_.Label24));
    Label14->setText(qs(o_.Label14));
    adjustSize(); // a longer line name widens the panel
}

} // namespace vuv
