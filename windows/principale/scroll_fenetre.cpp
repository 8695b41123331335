// Laying the main window and the points window out on the screen. Sizes and places are
// those of the outer window (frame included), as the layout rules count them.
#include "windows/principale/scroll.h"

#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace vuv {
namespace {

QRect ecran() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 800, 600);
}

// Placed before the window manager framed it, a window may stand with its title bar above the
// screen, out of the mouse's reach: once framed (its first paint), it comes back inside.
class GardeDansLEcran : public QObject {
public:
    explicit GardeDansLEcran(QWidget* fenetre) : QObject(fenetre), fenetre_(fenetre) {
        setObjectName(QStringLiteral("GardeDansLEcran"));
        fenetre->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        const QEvent::Type t = e->type();
        if ((t == QEvent::Paint || t == QEvent::Move) && !en_attente_ && fenetre_->frameGeometry().top() < ecran().top()) {
            // Not from inside the paint.
            en_attente_ = true;
            QTimer::singleShot(0, this, [this] {
                en_attente_ = false;
                const QRect g = fenetre_->frameGeometry(), ec = ecran();
                if (g.top() < ec.top())
                    TForm1::place_fenetre(fenetre_, g.x(), ec.top(), g.width(), std::min(g.height(), ec.height()));
            });
        }
        return false;
    }

private:
    QWidget* fenetre_;
    bool en_attente_ = false;
};

} // namespace

void TForm1::place_fenetre(QWidget* w, int x, int y, int largeur, int hauteur) {
    // A maximized window ignores a new geometry: bring it back to normal first, without
    // showing it when it is hidden.
    const Qt::WindowStates etat = w->windowState();
    if (etat & (Qt::WindowMaximized | Qt::WindowFullScreen))
        w->setWindowState(etat & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    const QSize cadre = w->frameGeometry().size() - w->geometry().size();
    w->move(x, y);
    w->resize(std::max(1, largeur - cadre.width()), std::max(1, hauteur - cadre.height()));
}

void TForm1::grande_fenetre() {
    const QRect e = ecran();
    TForm2* f2 = fenetres().Form2;
    if (en_mode_tablette()) {
        // No caption bar: the whole window is work area.
        setWindowFlag(Qt::FramelessWindowHint, true);
        showMaximized();
    } else if (f2 && f2->isVisible()) {
        // The map keeps its proportions inside its view: cut to an image's proportions, the
        // window left the rest of the screen empty, and kept that height for the next image.
        const int largeur = e.width() - f2->frameGeometry().width();
        place_fenetre(this, 0, 0, largeur, e.height() - marge_barre_taches);
        place_fenetre(f2, frameGeometry().width(), 0, f2->frameGeometry().width(), e.height() - marge_barre_taches);
    } else {
        place_fenetre(this, 0, 0, e.width(), e.height() - marge_barre_taches);
    }
    Image1->update();
    Pleincran1->setChecked(false);
}

void TForm1::fenetre_proportionnelle() {
    if (isMaximized() || !taille_max_fenetre.isValid() || taille_max_fenetre.isEmpty()) return;
    // "Carte + Tableau" down: the maximal size would cover the points window.
    if (SpeedButton7->isChecked() && fenetres().Form2 && fenetres().Form2->isVisible()) {
        grande_fenetre();
        return;
    }
    // Centred in the maximal size, which it takes: both offsets are 0.
    const int dx = (taille_max_fenetre.width() - taille_max_fenetre.width()) / 2;
    const int dy = (taille_max_fenetre.height() - taille_max_fenetre.height()) / 2;
    place_fenetre(this, dx, dy, taille_max_fenetre.width(), taille_max_fenetre.height());
}

void TForm1::SpeedButtonCartTablClick() {
    TForm2* f2 = fenetres().Form2;
    if (!f2) return;
    const QRect e = ecran();
    QRect g = frameGeometry();
    // Placed before its frame was known, the window may sit with its title bar above the screen.
    const int haut = std::max(e.top(), g.y());
    place_fenetre(this, 0, haut, g.width(), std::min(g.height(), e.bottom() + 1 - haut));
    // Shown first: a hidden window does not know its frame yet.
    if (!f2->findChild<QObject*>(QStringLiteral("GardeDansLEcran"), Qt::FindDirectChildrenOnly)) new GardeDansLEcran(f2);
    f2->show();
    const int l2 = f2->frameGeometry().width();
    place_fenetre(f2, e.width() - l2, 0, l2, e.height());
    g = frameGeometry();
    if (e.width() - l2 < g.width()) place_fenetre(this, g.x(), g.y(), e.width() - l2, g.height());
    SpeedButton7->setChecked(true);
    raise();
    activateWindow();
    cote_a_cote_en_attente_ = !windowHandle() || !windowHandle()->isExposed();
}

void TForm1::SpeedButtonCarteClick() {
    cote_a_cote_en_attente_ = false;
    if (TForm2* f2 = fenetres().Form2) f2->hide();
    SpeedButton9->setChecked(true);
    if (isMaximized()) return; // already the whole width
    const QRect g = frameGeometry();
    place_fenetre(this, g.x(), g.y(), ecran().width(), g.height());
}

void TForm1::FormResize() {
    if (peindre_fond_au_redimensionnement) centralWidget()->update();
    if (isMaximized()) {
        retient_taille_max();
        fenetre_proportionnelle();
    }
    Image1->update();
}

void TForm1::FormPaint() {
    if (isMaximized()) retient_taille_max();
}

void TForm1::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    FormResize();
}

void TForm1::paintEvent(QPaintEvent* e) {
    QMainWindow::paintEvent(e);
    FormPaint();
    if (cote_a_cote_en_attente_) {
        // On screen now, placed by the window manager: the side-by-side layout is made again,
        // from outside the paint.
        cote_a_cote_en_attente_ = false;
        QTimer::singleShot(0, this, [this] {
            if (SpeedButton7->isChecked()) SpeedButtonCartTablClick();
        });
    }
}

} // namespace vuv
