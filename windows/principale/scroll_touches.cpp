// The main window's key table, in one place and in its order. It sees keys before any control
// of the window; a key that goes through the whole table is handled, a key stopped by a row
// goes on to the control unchanged.
#include "windows/principale/scroll.h"

#include "core/ui/PortUtilisateur.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/edition/ModeEdition.h"
#include "windows/principale/trace/ModeSuivi.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace vuv {
namespace {

// A box the user types into, or a part of one (a spin box's or combo box's own line edit).
bool boite_de_saisie(const QWidget* w, const QWidget* fenetre) {
    for (; w && w != fenetre; w = w->parentWidget())
        if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
            qobject_cast<const QComboBox*>(w))
            return true;
    return false;
}

} // namespace

bool TForm1::FormKeyDown(int touche, Qt::KeyboardModifiers etat, bool pave_numerique) {
    if (mode_edition && mode_edition->touche(touche, etat)) return true;
    if (mode_souris() == ModeSouris::suivre && suivi && suivi->touche(touche)) return false;
    if (touche == Qt::Key_Control || touche == Qt::Key_AltGr)
        Image1MouseDown(Qt::LeftButton, souris_x, souris_y, etat);
    if (touche == Qt::Key_Escape && Panel3->isVisible()) {
        masque_panel3();
        return false;
    }
    if (panel7_visible()) return false;
    if (touche == Qt::Key_Delete) {
        devalide_point();
        return false;
    }
    if (touche == Qt::Key_F4) {
        tab_points();
        return false;
    }
    if ((touche == Qt::Key_D || touche == Qt::Key_S) && isActiveWindow() && calcul_surface)
        calcul_surface(courant_x, courant_y);
    if (touche == Qt::Key_Space) Nouvelle_suite_de_points();
    if (touche == Qt::Key_Escape || touche == Qt::Key_F12) touche_quitter();
    if (!calque.existe()) port().bip();
    if (en_mode_tablette()) return false;
    if (!calque.existe()) return true;

    ToucheNavigation t;
    switch (touche) {
    case Qt::Key_Home: t = ToucheNavigation::debut; break;
    case Qt::Key_End: t = ToucheNavigation::fin; break;
    case Qt::Key_Left: t = ToucheNavigation::gauche; break;
    case Qt::Key_Right: t = ToucheNavigation::droite; break;
    case Qt::Key_Up: t = ToucheNavigation::haut; break;
    case Qt::Key_Down: t = ToucheNavigation::bas; break;
    case Qt::Key_Plus:
        if (!pave_numerique) return true;
        t = ToucheNavigation::plus;
        break;
    case Qt::Key_Minus:
        if (!pave_numerique) return true;
        t = ToucheNavigation::moins;
        break;
    default: return true;
    }
    int x = 0, y = 0;
    calque.vue.repere_image_bitmap(souris_x, souris_y, Image1->width(), Image1->height(), x, y);
    if (!calque.vue.navigue(t, x, y)) port().bip();
    vue_entiere_ = false;
    if (t == ToucheNavigation::plus || t == ToucheNavigation::moins) proportionne_vue();
    redessiner();
    position_scrollbar();
    return true;
}

bool TForm1::eventFilter(QObject* objet, QEvent* e) {
    if (e->type() == QEvent::MouseButtonRelease && ignore_clic_suivant) {
        // The click that brought the window back landed on a button or a bar, not on the map:
        // the next click on the map is the user's own.
        auto* w = qobject_cast<QWidget*>(objet);
        if (w && w->window() == this && w != Image1 && !Image1->isAncestorOf(w)) ignore_clic_suivant = false;
    }
    if (e->type() != QEvent::KeyPress) return QMainWindow::eventFilter(objet, e);
    auto* w = qobject_cast<QWidget*>(objet);
    if (!w || w->window() != this) return false;
    // What is typed in a box goes to the box, Ctrl, Suppr and Escape included; a key the box
    // leaves travels up to the window, which must not take it either.
    const QWidget* focus = QApplication::focusWidget();
    if (boite_de_saisie(w, this) || (focus && w->isAncestorOf(focus) && boite_de_saisie(focus, this))) return false;
    // A key the table left unchanged travels up to the parents: see it once.
    auto* k = static_cast<QKeyEvent*>(e);
    if (k == derniere_touche_vue_ && k->timestamp() == dernier_horodatage_ && dernier_receveur_ &&
        w != dernier_receveur_ && w->isAncestorOf(dernier_receveur_))
        return false;
    derniere_touche_vue_ = k;
    dernier_horodatage_ = k->timestamp();
    dernier_receveur_ = w;
    return FormKeyDown(k->key(), k->modifiers(), k->modifiers().testFlag(Qt::KeypadModifier));
}

} // namespace vuv
