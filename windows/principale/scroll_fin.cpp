// The end of the program, and the main window's entry to the question box.
#include "windows/principale/scroll.h"

#include "core/document/Document.h"
#include "core/reglages/FichiersReglages.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/question/Unit6.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/scroll_travail.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace vuv {

QString TForm1::dlg_titre_message_ONEK_oui_non(const QString& titre, const QString& message,
                                                const QString& lettres, const QString& oui, const QString& non) {
    TForm6* f6 = fenetres().Form6;
    if (!f6) return QStringLiteral("E");
    return f6->demande(455, titre, message, lettres, oui, non);
}

bool TForm1::FormClose() {
    if (!demande_enregistrer(*this)) return false;
    if (port().question("titre", "Quitter", "ON", "Quitter", "annuler") != "O") return false;
    sortie();
    return true;
}

void TForm1::sortie() {
    enregistre_sens_roulette(sens_roulette);
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    sortie_faite_ = true;
    port().termine_application();
}

void TForm1::closeEvent(QCloseEvent* e) {
    if (sortie_faite_ || FormClose()) e->accept();
    else e->ignore();
}

void TForm1::touche_quitter() {
    const QScreen* s = QGuiApplication::primaryScreen();
    const QRect r = s ? s->geometry() : QRect(0, 0, 800, 600);
    QCursor::setPos(r.width() / 2 - 150, r.height() / 2);
    Image1->update(); // no overlay yet: the plain background
    close();
}

} // namespace vuv
