// Setting up the map view of the main window: the calibration panel Panel5, the floating
// prompt and coordinate panels, and the wiring of the view and digitizing commands.
#include "windows/principale/scroll.h"

#include "core/annulation/NomsEditions.h"
#include "core/document/Document.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vuv {
namespace {

QLabel* panneau_texte(QWidget* parent, const char* nom, const QString& style) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->setStyleSheet(style);
    l->setFrameShape(QFrame::Box);
    l->setMargin(3);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    l->hide();
    return l;
}

} // namespace

void TForm1::construit_panneau_calage() {
    auto* l = new QVBoxLayout(Panel5);
    l->setContentsMargins(10, 30, 10, 10);
    RadioGroup1 = new QFrame(Panel5);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setFrameShape(QFrame::StyledPanel);
    auto* lr = new QVBoxLayout(RadioGroup1);
    lr->addWidget(new QLabel(QStringLiteral("calibration"), RadioGroup1));
    groupe_calage = new QButtonGroup(this);
    const char* methodes[3] = {"3 points ( repère quelconque )", "2 points sur une oblique ( hypothénuse )",
                               "2 points horizontaux (=> repère orthonormé )"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(methodes[i]), RadioGroup1);
        b->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        groupe_calage->addButton(b, i);
        lr->addWidget(b);
    }
    groupe_calage->button(0)->setChecked(true);
    l->addWidget(RadioGroup1);
    auto* boutons = new QHBoxLayout;
    SpeedButton14 = new QToolButton(Panel5);
    SpeedButton14->setObjectName(QStringLiteral("SpeedButton14"));
    SpeedButton14->setText(QStringLiteral("Calibrer ->"));
    SpeedButton15 = new QToolButton(Panel5);
    SpeedButton15->setObjectName(QStringLiteral("SpeedButton15"));
    SpeedButton15->setText(QStringLiteral("Retour"));
    boutons->addWidget(SpeedButton14);
    boutons->addWidget(SpeedButton15);
    l->addLayout(boutons);
    Panel5->adjustSize();
    connect(SpeedButton14, &QToolButton::clicked, this, &TForm1::SpeedButton14Click);
    connect(SpeedButton15, &QToolButton::clicked, Panel5, &QWidget::hide);
}

void TForm1::SpeedButton14Click() {
    const PileAnnulation::Edition edition(&annulation, noms_editions::nouvelle_calibration);
    doc.nb_calage = 0;
    doc.controle = {};
    activateWindow();
    setFocus();
    choisit_mode_souris(ModeSouris::digitaliser);
    SpeedButton18->setChecked(true);
    Nouvelle_suite_de_points();
    rafraichir();
    ignore_clic_suivant = false;
    Panel5->hide();
    redessiner_calque();
    calque.vue.marque_sale();
    redessiner();
}

void TForm1::construit_vue() {
    construit_panneau_calage();
    Panel2 = panneau_texte(Image1, "Panel2", QStringLiteral("QLabel { background-color: rgb(255, 255, 160); }"));
    Panel4 = panneau_texte(Image1, "Panel4", QStringLiteral("QLabel { background-color: rgb(255, 255, 225); }"));
    CheckBox2_af_XY = new QCheckBox(QStringLiteral("X et Y   flottants"), Panel1);
    CheckBox2_af_XY->setObjectName(QStringLiteral("CheckBox2_af_XY"));
    CheckBox2_af_XY->setToolTip(QStringLiteral("affichage à côté du pointeur de la souris"));
    if (Panel1->layout()) Panel1->layout()->addWidget(CheckBox2_af_XY);

    connect(Image1, &ZoneImage::souris_enfoncee, this,
            [this](Qt::MouseButton b, QPoint p, Qt::KeyboardModifiers m) { Image1MouseDown(b, p.x(), p.y(), m); });
    connect(Image1, &ZoneImage::souris_deplacee, this, [this](QPoint p) { Image1MouseMove(p.x(), p.y()); });
    connect(Image1, &ZoneImage::souris_relachee, this, [this](Qt::MouseButton) { Image1MouseUp(); });
    connect(Image1, &ZoneImage::roulette, this, &TForm1::Image1Wheel);
    connect(Image1, &ZoneImage::redimensionnee, this, &TForm1::affecte_bitmap_img);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this](int v) { barre_deplacee(Qt::Horizontal, v); });
    connect(ScrollBar2, &QScrollBar::valueChanged, this, [this](int v) { barre_deplacee(Qt::Vertical, v); });
    connect(ScrollBar1, &QScrollBar::actionTriggered, this, [this](int a) { barre_action(Qt::Horizontal, a); });
    connect(ScrollBar2, &QScrollBar::actionTriggered, this, [this](int a) { barre_action(Qt::Vertical, a); });

    auto pave = [this](int touche) { FormKeyDown(touche, Qt::KeypadModifier, true); };
    connect(Agrandir1, &QAction::triggered, this, [pave] { pave(Qt::Key_Plus); });
    connect(Rtrcir1, &QAction::triggered, this, [pave] { pave(Qt::Key_Minus); });
    connect(Cartecomplte1, &QAction::triggered, this, &TForm1::Carte_complete);
    connect(Redessiner1, &QAction::triggered, this, &TForm1::SpeedButton10Click);
    connect(Nouvellesuitedepoints1, &QAction::triggered, this, &TForm1::Nouvelle_suite_de_points);
    connect(Effacerledernierpoint1, &QAction::triggered, this, &TForm1::devalide_point);
    connect(Tabledigitaliser1, &QAction::triggered, this, &TForm1::Tabledigitaliser1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::Nouvelle_suite_de_points);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::devalide_point);
    connect(SpeedButton19, &QToolButton::clicked, this, &TForm1::Carte_complete);
    connect(SpeedButton10, &QToolButton::clicked, this, &TForm1::SpeedButton10Click);
    connect(Digitaliser, &QToolButton::clicked, this, &TForm1::DigitaliserClick);
    connect(Sans_ligne_SpeedButton, &QToolButton::clicked, this, &TForm1::SpeedButton10Click);
    connect(SpeedButton18, &QToolButton::clicked, this, &TForm1::SpeedButton10Click);
    for (QAction* a : {Agrandir1, Rtrcir1, Cartecomplte1, Redessiner1, Nouvellesuitedepoints1, Effacerledernierpoint1,
                       Tabledigitaliser1, Points1, Lignes1})
        a->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton2, SpeedButton3, SpeedButton19, SpeedButton10,
                                                      Digitaliser, Sans_ligne_SpeedButton, SpeedButton18})
        w->setEnabled(true);
    qApp->installEventFilter(this);
}

} // namespace vuv
