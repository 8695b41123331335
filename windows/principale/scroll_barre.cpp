// The status bar and the floating panels of the main window.
#include "windows/principale/scroll.h"
#include "windows/principale/trace/ModeSuivi.h"

#include "windows/commun/Textes.h"

#include <QFrame>
#include <QLabel>
#include <QStatusBar>

namespace vuv {

int TForm1::largeur_panneau(const QLabel* p, const QString& texte) {
    const QMargins m = p->contentsMargins();
    return p->fontMetrics().horizontalAdvance(texte) + m.left() + m.right() + 2 * p->frameWidth() + 4;
}

void TForm1::statut(int panneau, const std::string& texte) {
    if (panneau < 0 || panneau > 2) return;
    QLabel* p = StatusBar1_panneaux[panneau];
    p->setText(qs(texte));
    // The coordinates are never cut: a longer text widens their panel.
    if (panneau == 0) {
        const int l = largeur_panneau(p, p->text());
        if (l > p->width()) p->setFixedWidth(l);
    }
}

QString TForm1::texte_statut(int panneau) const {
    return (panneau >= 0 && panneau < 3) ? StatusBar1_panneaux[panneau]->text() : QString();
}

void TForm1::construit_barre_etat() {
    QStatusBar* barre = statusBar();
    barre->setObjectName(QStringLiteral("StatusBar1"));
    barre->setSizeGripEnabled(false);
    int largeurs[3] = {200, 300, 0};
    for (int i = 0; i < 3; ++i) {
        auto* p = new QLabel(barre);
        p->setObjectName(QStringLiteral("StatusBar1_%1").arg(i));
        p->setContentsMargins(2, 0, 2, 0); // the status bar draws the panels' borders
        // Panel 0 holds both coordinates whole at 8 decimals, northings of 8 digits included.
        if (i == 0) largeurs[0] = largeur_panneau(p, QStringLiteral("X= 0000000,00000000 Y= 00000000,00000000"));
        if (largeurs[i] > 0) {
            p->setFixedWidth(largeurs[i]);
            barre->addWidget(p);
        } else {
            p->setMinimumWidth(1);
            barre->addWidget(p, 1);
        }
        StatusBar1_panneaux[i] = p;
    }
}

namespace {

QFrame* panneau_flottant(QWidget* parent, const char* nom, const QSize& taille, const QString& titre) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(nom));
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Raised);
    p->setLineWidth(2);
    p->resize(taille);
    if (!titre.isEmpty()) {
        auto* l = new QLabel(titre, p);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->move(8, 6);
    }
    p->hide();
    return p;
}

} // namespace

void TForm1::construit_panneaux() {
    Panel5 = panneau_flottant(this, "Panel5", QSize(300, 220), QStringLiteral("Calibration"));
    Panel8 = panneau_flottant(this, "Panel8", QSize(300, 150), QString());
    Panel_z = panneau_flottant(this, "Panel_z", QSize(240, 130), QString());

    construit_mesures();
    construit_export();
    construit_coloriage();
    suivi = std::make_unique<ModeSuivi>(*this);
}

} // namespace vuv
