#include "windows/graphe3d/scrollrep.h"

#include "core/document/Document.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/principale/scroll.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vuv {

ZoneGraphe::ZoneGraphe(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    // The picture covers the whole area: erasing first would only flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMinimumSize(1, 1);
}

void ZoneGraphe::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image);
}

void ZoneGraphe::resizeEvent(QResizeEvent*) {
    image = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
    image.fill(Qt::black);
    if (retaille) retaille();
}

TForm4::TForm4(Document& document, QWidget* parent) : QWidget(parent, Qt::Window), doc(document) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("   Graphe 3D"));
    setFocusPolicy(Qt::StrongFocus);
    FormCreate();
    resize(780, 520);
}

QAbstractButton* TForm4::bouton(const char* nom, const QString& texte, void (*action)(graphe::Etat&)) {
    auto* b = new QPushButton(texte, this);
    b->setObjectName(QLatin1String(nom));
    b->setFocusPolicy(Qt::NoFocus); // the arrows keep working on the picture
    if (action) {
        connect(b, &QPushButton::clicked, this, [this, action] {
            action(graphe.etat);
            dessine_graphe();
        });
    }
    return b;
}

QAbstractButton* TForm4::fleche(const char* nom, Qt::ArrowType sens, void (*action)(graphe::Etat&)) {
    auto* b = new QToolButton(this);
    b->setObjectName(QLatin1String(nom));
    b->setArrowType(sens);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(28, 28);
    connect(b, &QToolButton::clicked, this, [this, action] {
        action(graphe.etat);
        dessine_graphe();
    });
    return b;
}

void TForm4::FormCreate() {
    using namespace graphe;
    Image1 = new ZoneGraphe(this);
    Image1->retaille = [this] {
        graphe.taille(Image1->image.width(), Image1->image.height());
        if (isVisible()) dessine_graphe();
    };

    SpeedButton1 = bouton("SpeedButton1", QStringLiteral("Retour"), nullptr);
    connect(SpeedButton1, &QAbstractButton::clicked, this, [this] { FormDeactivate(); });
    SpeedButton6 = bouton("SpeedButton6", QStringLiteral("/"), [](Etat& e) { distance_rho(e, 1); });
    SpeedButton11 = bouton("SpeedButton11", QStringLiteral("*"), [](Etat& e) { distance_rho(e, -1); });
    SpeedButton14 = bouton("SpeedButton14", QStringLiteral("+"), [](Etat& e) { zoom_D(e, 1); });
    SpeedButton13 = bouton("SpeedButton13", QStringLiteral("-"), [](Etat& e) { zoom_D(e, -1); });
    SpeedButton2 = fleche("SpeedButton2", Qt::LeftArrow, [](Etat& e) { tourne_A(e, 1); });
    SpeedButton3 = fleche("SpeedButton3", Qt::RightArrow, [](Etat& e) { tourne_A(e, -1); });
    SpeedButton4 = fleche("SpeedButton4", Qt::UpArrow, [](Etat& e) { tourne_B(e, -1); });
    SpeedButton5 = fleche("SpeedButton5", Qt::DownArrow, [](Etat& e) { tourne_B(e, 1); });
    SpeedButton9 = fleche("SpeedButton9", Qt::UpArrow, [](Etat& e) { decale_X(e, 1); });
    SpeedButton10 = fleche("SpeedButton10", Qt::DownArrow, [](Etat& e) { decale_X(e, -1); });
    SpeedButton7 = fleche("SpeedButton7", Qt::LeftArrow, [](Etat& e) { decale_Y(e, 1); });
    SpeedButton8 = fleche("SpeedButton8", Qt::RightArrow, [](Etat& e) { decale_Y(e, -1); });
    SpeedButton12 = bouton("SpeedButton12", QStringLiteral("initialisation"), nullptr);
    connect(SpeedButton12, &QAbstractButton::clicked, this, [this] {
        graphe.init_variables_book(doc, Image1->image.width(), Image1->image.height());
        dessine_graphe();
    });
    Label1 = new QLabel(QStringLiteral("zoom"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("rotation [flèches]"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(QStringLiteral("translation  [Ctr+flèches]"), this);
    Label3->setObjectName(QStringLiteral("Label3"));

    auto croix = [](QAbstractButton* haut, QAbstractButton* gauche, QAbstractButton* droite, QAbstractButton* bas) {
        auto* g = new QGridLayout;
        g->setSpacing(2);
        g->addWidget(haut, 0, 1);
        g->addWidget(gauche, 1, 0);
        g->addWidget(droite, 1, 2);
        g->addWidget(bas, 2, 1);
        return g;
    };
    auto* panneau = new QWidget(this);
    panneau->setObjectName(QStringLiteral("Panel1"));
    panneau->setFixedWidth(180);
    auto* c = new QVBoxLayout(panneau);
    c->addWidget(SpeedButton1);
    c->addSpacing(12);
    c->addWidget(Label1);
    auto* zoom = new QGridLayout;
    zoom->addWidget(SpeedButton6, 0, 0);
    zoom->addWidget(SpeedButton11, 0, 1);
    zoom->addWidget(SpeedButton14, 1, 0);
    zoom->addWidget(SpeedButton13, 1, 1);
    c->addLayout(zoom);
    c->addSpacing(12);
    c->addWidget(Label2);
    c->addLayout(croix(SpeedButton4, SpeedButton2, SpeedButton3, SpeedButton5));
    c->addSpacing(12);
    c->addWidget(Label3);
    c->addLayout(croix(SpeedButton9, SpeedButton7, SpeedButton8, SpeedButton10));
    c->addStretch(1);
    c->addWidget(SpeedButton12);
    for (QAbstractButton* b : {SpeedButton6, SpeedButton11, SpeedButton14, SpeedButton13, SpeedButton1, SpeedButton12})
        b->setMinimumWidth(40);

    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(Image1, 1);
    l->addWidget(panneau);
}

void TForm4::dessine_graphe() {
    QImage& im = Image1->image;
    if (im.isNull()) return;
    const VuePixels v{im.bits(), im.width(), im.height(), static_cast<long>(im.bytesPerLine()), FormatPixels::rgb32};
    graphe.dessine_graphe(doc, v);
    Image1->repaint();
}

void TForm4::FormActivate() {
    if (TForm1* f1 = fenetres().Form1) f1->setEnabled(false);
    if (Image1->image.isNull()) Image1->image = QImage(std::max(Image1->width(), 1), std::max(Image1->height(), 1), QImage::Format_RGB32);
    graphe.init_variables_book(doc, Image1->image.width(), Image1->image.height());
    dessine_graphe();
    setFocus();
}

void TForm4::FormDeactivate(bool rendre_la_main) {
    actif_ = false;
    TForm1* f1 = fenetres().Form1;
    if (f1) f1->setEnabled(true);
    hide();
    if (f1 && rendre_la_main) {
        f1->raise();
        f1->activateWindow();
    }
}

void TForm4::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) {
        if (!actif_) {
            actif_ = true;
            FormActivate();
        }
    } else if (actif_ && isVisible()) {
        // Another window of the program took the focus: it keeps it.
        FormDeactivate(false);
    }
}

void TForm4::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    FormDeactivate();
}

namespace {

graphe::Touche touche_de(const QKeyEvent* e) {
    using graphe::Touche;
    const bool pave = e->modifiers() & Qt::KeypadModifier;
    switch (e->key()) {
    case Qt::Key_Escape: return Touche::echap;
    case Qt::Key_F7: return Touche::f7;
    case Qt::Key_Left: return Touche::gauche;
    case Qt::Key_Right: return Touche::droite;
    case Qt::Key_Up: return Touche::haut;
    case Qt::Key_Down: return Touche::bas;
    case Qt::Key_Plus: return pave ? Touche::pave_plus : Touche::autre;
    case Qt::Key_Minus: return pave ? Touche::pave_moins : Touche::autre;
    case Qt::Key_Slash: return pave ? Touche::pave_divise : Touche::autre;
    case Qt::Key_Asterisk: return pave ? Touche::pave_multiplie : Touche::autre;
    default: return Touche::autre;
    }
}

} // namespace

void TForm4::keyPressEvent(QKeyEvent* e) {
    // The arrows are keypad keys on some keyboards: only Ctrl, Shift, Alt and Meta count.
    const Qt::KeyboardModifiers m = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool ctrl_seul = m == Qt::ControlModifier;
    if (graphe::touche(graphe.etat, touche_de(e), ctrl_seul)) {
        FormDeactivate();
        return;
    }
    dessine_graphe();
}

} // namespace vuv
