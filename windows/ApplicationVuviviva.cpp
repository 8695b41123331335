#include "windows/ApplicationVuviviva.h"

#include "core/ui/PortUtilisateur.h"

#include <exception>

namespace vuv {

ApplicationVuviviva::ApplicationVuviviva(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("vuviviva"));
    setApplicationVersion(QStringLiteral("3.3"));
    // The program ends through its own exit question only.
    setQuitOnLastWindowClosed(false);
}

bool ApplicationVuviviva::notify(QObject* destinataire, QEvent* e) {
    try {
        return QApplication::notify(destinataire, e);
    } catch (const std::exception& erreur) {
        port().erreur(erreur.what());
    } catch (...) {
        port().erreur("Erreur inconnue");
    }
    return false;
}

} // namespace vuv
