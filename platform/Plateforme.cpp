#include "platform/Plateforme.h"

#include "core/reglages/DossierProgramme.h"
#include "core/text/separateur.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryFile>

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

} // namespace

QString determine_dossier_programme() {
    const QString force = qEnvironmentVariable(variable_dossier_programme);
    if (!force.isEmpty()) return avec_barre(QDir(force).absolutePath());

    const QString exe = QCoreApplication::applicationDirPath();
    if (!exe.isEmpty() && dossier_inscriptible(exe)) return avec_barre(exe);

    QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config/vuviviva");
    QDir().mkpath(config);
    return avec_barre(config);
}

char separateur_du_systeme() {
    const QString point = QLocale().decimalPoint();
    return point.startsWith(QLatin1Char(',')) ? ',' : '.';
}

void initialise_plateforme() {
    fixe_dossier_programme(determine_dossier_programme().toStdString());
    fixe_separateur_decimal(separateur_du_systeme());
    fixe_separateur_milliers(QLocale().groupSeparator() == QStringLiteral(" ") ? U' ' : U'\u00A0');
}

} // namespace vuv
