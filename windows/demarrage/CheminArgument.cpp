#include "windows/demarrage/CheminArgument.h"

#include <QFileInfo>
#include <QUrl>

namespace vuv {

QString chemin_argument(const QStringList& arguments) {
    QString chemin = arguments.join(QLatin1Char(' '));
    if (chemin.isEmpty()) return chemin;
    if (chemin.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        QUrl url(chemin);
        // "file://localhost/..." names this machine, not a network share.
        if (url.host().compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0) url.setHost(QString());
        if (url.isValid() && url.isLocalFile()) chemin = url.toLocalFile();
    }
    return QFileInfo(chemin).absoluteFilePath();
}

} // namespace vuv
