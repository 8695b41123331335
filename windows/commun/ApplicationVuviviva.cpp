#include "windows/commun/ApplicationVuviviva.h"

#include "core/ui/PortUtilisateur.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

namespace vuv {
namespace {

// Qt 6 asks the file type names ("Folder", "%1 File"...) under a context that its French
// translation does not have yet; the same words are there under the file dialog's context.
class TypesDeFichiers final : public QTranslator {
public:
    TypesDeFichiers(const QTranslator& qt, QObject* parent) : QTranslator(parent), qt_(qt) {}

    QString translate(const char* contexte, const char* source, const char* precision, int n) const override {
        if (qstrcmp(contexte, "QAbstractFileIconProvider") != 0) return {};
        const QString r = qt_.translate("QFileDialog", source, precision, n);
        return r.isEmpty() ? qt_.translate("QFileDialog", source, nullptr, n) : r;
    }
    bool isEmpty() const override { return false; }

private:
    const QTranslator& qt_;
};

} // namespace

ApplicationVuviviva::ApplicationVuviviva(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("vuviviva"));
    setApplicationVersion(QStringLiteral("3.3"));
    // The menu entry's name and icon (packaging/): the desktop ties the windows to that entry.
    setDesktopFileName(QStringLiteral("org.vuviviva.Vuviviva"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("org.vuviviva.Vuviviva")));
    // The program ends through its own exit question only.
    setQuitOnLastWindowClosed(false);
    installe_traduction_qt(*this);
}

bool installe_traduction_qt(QCoreApplication& application) {
    auto* traduction = new QTranslator(&application);
    if (traduction->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(traduction)) {
        QCoreApplication::installTranslator(new TypesDeFichiers(*traduction, traduction));
        return true;
    }
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
