#include "platform/Plateforme.h"

#include "core/reglages/DossierProgramme.h"
#include "core/text/separateur.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryFile>

// Where share/vuviviva lies from bin/, given by the build from the install folders.
#ifndef VUVIVIVA_DONNEES_RELATIF
#define VUVIVIVA_DONNEES_RELATIF "../share/vuviviva"
#endif

namespace vuv {
namespace {

QString avec_barre(QString d) {
    if (d.isEmpty()) d = QStringLiteral(".");
    if (!d.endsWith(QLatin1Char('/'))) d += QLatin1Char('/');
    return d;
}

// isWritable() says yes to root on a read-only mount: only a real file creation tells.
bool dossier_inscriptible(const QString& dossier) {
    QTemporaryFile essai(dossier + QStringLiteral("/.vuviviva-essai-XXXXXX"));
    return essai.open();
}

QString dossier_donnees(const QString& exe) { return exe + QStringLiteral("/" VUVIVIVA_DONNEES_RELATIF "/"); }

// bin/ beside share/vuviviva: even root, who can write there, leaves the system's folders alone.
bool installe_dans_un_prefixe(const QString& exe) {
    return QFileInfo(dossier_donnees(exe) + QStringLiteral("vuviviva.hep")).isFile();
}

} // namespace

ChoixDossierProgramme choisit_dossier_programme(const QString& force, const QString& exe, const QString& config) {
    const QString suite = QStringLiteral(".\nLe programme continue avec ses réglages par défaut, qui ne seront pas gardés.");
    if (!force.isEmpty()) {
        const QString d = avec_barre(QDir(force).absolutePath());
        if (dossier_inscriptible(d)) return {d, {}};
        return {d, QStringLiteral("Les réglages ne peuvent pas être enregistrés dans le dossier <") + d +
                       QLatin1Char('>') + suite};
    }
    if (!exe.isEmpty() && !installe_dans_un_prefixe(exe) && dossier_inscriptible(exe)) return {avec_barre(exe), {}};

    const QString d = avec_barre(QDir(config).absolutePath());
    QDir().mkpath(d);
    if (dossier_inscriptible(d)) return {d, {}};
    return {d, QStringLiteral("Les réglages ne peuvent être enregistrés ni dans le dossier du programme <") +
                   avec_barre(exe) + QStringLiteral("> ni dans le dossier <") + d + QLatin1Char('>') + suite};
}

ChoixDossierProgramme choisit_dossier_programme() {
    // Named by hand: an organisation name set one day would move it under AppConfigLocation.
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    return choisit_dossier_programme(qEnvironmentVariable(variable_dossier_programme),
                                     QCoreApplication::applicationDirPath(), config + QStringLiteral("/vuviviva"));
}

QString determine_dossier_programme() { return choisit_dossier_programme().dossier; }

QString chemin_livre(const QString& nom) {
    const QString programme = QString::fromStdString(dossier_programme());
    const QString exe = QCoreApplication::applicationDirPath();
    for (const QString& d : {programme, exe + QLatin1Char('/'), dossier_donnees(exe)}) {
        const QFileInfo f(d + nom);
        if (f.isFile()) return QDir::cleanPath(f.absoluteFilePath());
    }
    return programme + nom;
}

char separateur_du_systeme() {
    const QString point = QLocale().decimalPoint();
    return point.startsWith(QLatin1Char(',')) ? ',' : '.';
}

void initialise_plateforme() {
    const ChoixDossierProgramme choix = choisit_dossier_programme();
    fixe_dossier_programme(choix.dossier.toStdString(), choix.avertissement.toStdString());
    fixe_separateur_decimal(separateur_du_systeme());
    fixe_separateur_milliers(QLocale().groupSeparator() == QStringLiteral(" ") ? U' ' : U'\u00A0');
}

} // namespace vuv
