#include "windows/ApplicationVuviviva.h"

#include "core/ui/PortUtilisateur.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

namespace vuv {

ApplicationVuviviva::ApplicationVuviviva(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("vuviviva"));
    setApplicationVersion(QStringLiteral("3.3"));
    // The program ends through its own exit question only.
    setQuitOnLastWindowClosed(false);
    installe_traduction_qt(*this);
}

bool installe_traduction_qt(QCoreApplication& application) {
    auto* traduction = new QTranslator(&application);
    if (traduction->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(traduction))
        return true;
    delete traduction; // without the translations package Qt's dialogs stay in English
    return false;
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
