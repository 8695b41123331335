// The scale panel Panel8 (a two-point line given its real length rescales the calibration)
// and the altitude panel Panel_z (the Z of the current point stepped up or down, or typed).
#include "windows/principale/scroll.h"

#include "core/annulation/NomsEditions.h"
#include "core/mesure/Echelle.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/ModeleGrille.h"
#include "windows/commun/Textes.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace vuv {
namespace {

QLabel* etiquette(QWidget* p, const char* nom, const QString& texte) {
    auto* l = new QLabel(texte, p);
    l->setObjectName(QString::fromLatin1(nom));
    return l;
}

QLineEdit* saisie(QWidget* p, const char* nom, const QString& texte) {
    auto* e = new QLineEdit(texte, p);
    e->setObjectName(QString::fromLatin1(nom));
    return e;
}

template <class Bouton>
Bouton* bouton(QWidget* p, const char* nom, const QString& texte) {
    auto* b = new Bouton(p);
    b->setText(texte);
    b->setObjectName(QString::fromLatin1(nom));
    return b;
}

} // namespace

void TForm1::construit_echelle() {
    auto* g = new QGridLayout(Panel8);
    g->setContentsMargins(8, 6, 8, 14);
    Label26 = etiquette(Panel8, "Label26", QStringLiteral("échelle"));
    Label27 = etiquette(Panel8, "Label27", QStringLiteral("distance calculée"));
    Label25 = etiquette(Panel8, "Label25", QStringLiteral("distance réelle:"));
    Edit14 = saisie(Panel8, "Edit14", QString());
    Button10 = bouton<QPushButton>(Panel8, "Button10", QStringLiteral("mise à l'échelle ->"));
    Button11 = bouton<QPushButton>(Panel8, "Button11", QStringLiteral("Retour"));
    g->addWidget(Label26, 0, 0, 1, 2);
    g->addWidget(Label27, 1, 0, 1, 2);
    g->addWidget(Label25, 2, 0);
    g->addWidget(Edit14, 2, 1);
    g->addWidget(Button10, 3, 0);
    g->addWidget(Button11, 3, 1);
    Panel8->adjustSize();
    connect(Button10, &QPushButton::clicked, this, &TForm1::Button10Click);
    connect(Edit14, &QLineEdit::returnPressed, this, &TForm1::Button10Click);
    connect(Button11, &QPushButton::clicked, this, &TForm1::Button11Click);

    g = new QGridLayout(Panel_z);
    g->setContentsMargins(8, 6, 8, 14);
    Label17_n = etiquette(Panel_z, "Label17_n", QStringLiteral("n"));
    Label16 = etiquette(Panel_z, "Label16", QStringLiteral("Z="));
    Edit12_z = saisie(Panel_z, "Edit12_z", QStringLiteral("0"));
    Edit11 = saisie(Panel_z, "Edit11", QStringLiteral("0"));
    Edit10 = saisie(Panel_z, "Edit10", QStringLiteral("50"));
    SpeedButton16 = bouton<QToolButton>(Panel_z, "SpeedButton16", QStringLiteral("+ (F3)"));
    SpeedButton20 = bouton<QToolButton>(Panel_z, "SpeedButton20", QStringLiteral("- (F2)"));
    g->addWidget(Label17_n, 0, 0);
    g->addWidget(Label16, 0, 1);
    g->addWidget(Edit12_z, 0, 2);
    g->addWidget(etiquette(Panel_z, "Label_decimales", QStringLiteral("décimales")), 1, 0, 1, 2);
    g->addWidget(Edit11, 1, 2);
    g->addWidget(etiquette(Panel_z, "Label_delta", QStringLiteral("delta Z")), 2, 0, 1, 2);
    g->addWidget(Edit10, 2, 2);
    g->addWidget(SpeedButton16, 3, 0, 1, 2);
    g->addWidget(SpeedButton20, 3, 2);
    Panel_z->adjustSize();
    connect(SpeedButton16, &QToolButton::clicked, this, [this] { altitude_pm(1); });
    connect(SpeedButton20, &QToolButton::clicked, this, [this] { altitude_pm(-1); });
    connect(Edit12_z, &QLineEdit::returnPressed, this, &TForm1::Edit12_zKeyPress);
    AltitudedeltaZ1->setEnabled(true);
    AltitudedeltaZ2->setEnabled(true);
    connect(AltitudedeltaZ1, &QAction::triggered, this, [this] { altitude_pm(1); });
    connect(AltitudedeltaZ2, &QAction::triggered, this, [this] { altitude_pm(-1); });
}

void TForm1::branche_altitude(TForm2& f2) {
    f2.CheckBox_z->setEnabled(true);
    connect(f2.CheckBox_z, &QCheckBox::toggled, this, [this](bool coche) {
        Panel_z->setVisible(coche);
        if (coche) {
            Panel_z->raise();
            synchronise_altitude();
        }
    });
    connect(f2.modele1, &ModeleGrille::ligne_choisie, this, [this](int) { synchronise_altitude(); });
    connect(f2.modele1, &QAbstractItemModel::dataChanged, this, [this] { synchronise_altitude(); });
    // F2 and F3 also step the altitude while the points window has the focus.
    f2.addAction(AltitudedeltaZ1);
    f2.addAction(AltitudedeltaZ2);
    // The traverse button stays hidden: the Edition menu item is its way in.
    connect(f2.SpeedButton7, &QPushButton::clicked, &f2, &TForm2::SpeedButton7Click);
}

void TForm1::ouvre_echelle(int L, long double D) {
    distance_calculee = D;
    Label26->setText(qs(texte_suite_echelle(L, D)));
    Label27->setText(qs(texte_distance_calculee(D)));
    Panel8->adjustSize();
    Panel8->show();
    Panel8->raise();
    Edit14->setFocus();
}

void TForm1::Button10Click() {
    const EntreeEchelle e = lit_echelle(ss(Edit14->text()), distance_calculee);
    if (!e.acceptee) {
        port().information(e.message);
        return;
    }
    if (!port().oui_non(e.message)) return;
    Panel8->hide();
    {
        const PileAnnulation::Edition edition(&annulation, noms_editions::mise_a_l_echelle);
        applique_echelle(doc, e.f);
    }
    if (doc.nb_calage > 0) statut(2, doc.val_calage());
    redessiner_calque();
    redessiner();
}

void TForm1::Button11Click() { Panel8->hide(); }

int TForm1::ligne_altitude() const {
    const int row = doc.StringGrid1.row();
    return row >= 1 && row <= doc.nb_points ? row : 0;
}

void TForm1::synchronise_altitude() {
    const int row = doc.StringGrid1.row();
    Edit12_z->setText(qs(doc.StringGrid1.cell(doc.indice_col("Z"), row)));
    Label17_n->setText(qs(doc.StringGrid1.cell(doc.indice_col("n"), row)));
}

void TForm1::altitude_pm(int signe) {
    const TForm2* f2 = fenetres().Form2;
    if (!f2 || !f2->CheckBox_z->isChecked()) return;
    const int row = ligne_altitude();
    if (row == 0) return;
    const int cz = doc.indice_col("Z");
    const PasAltitude p =
        pas_altitude(doc.StringGrid1.cell(cz, row), ss(Edit10->text()), ss(Edit11->text()), signe);
    if (!p.z) {
        port().erreur(p.erreur);
        return;
    }
    {
        const PileAnnulation::Edition edition(&annulation,
                                              signe > 0 ? noms_editions::altitude_plus : noms_editions::altitude_moins);
        doc.StringGrid1.set_cell(cz, row, *p.z);
        doc.sauve = false;
    }
    synchronise_altitude();
}

void TForm1::Edit12_zKeyPress() {
    const int row = ligne_altitude();
    if (row == 0) return;
    const std::string z = ss(Edit12_z->text());
    if (!TForm2::saisie_acceptable(5, z)) {
        port().ton(1400, 250);
        synchronise_altitude();
        return;
    }
    const PileAnnulation::Edition edition(&annulation, noms_editions::altitude_saisie);
    doc.StringGrid1.set_cell(doc.indice_col("Z"), row, z);
    doc.sauve = false;
}

} // namespace vuv
