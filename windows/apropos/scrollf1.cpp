#include "windows/apropos/scrollf1.h"

#include "core/text/encodage.h"
#include "platform/Plateforme.h"
#include "windows/commun/Textes.h"

#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace vuv {

TForm5::TForm5(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("      "));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(QStringLiteral("Aide de Vuviviva\n\nLe fichier d'aide vuviviva.hep est absent."));
    l->addWidget(Memo1);
    resize(600, 500);
    FormCreate();
}

QString TForm5::chemin_aide() {
    const QString c = chemin_livre(QStringLiteral("vuviviva.hep"));
    return QFileInfo(c).isFile() ? c : QString();
}

bool TForm5::charge(const QString& chemin) {
    QFile f(chemin);
    // Far beyond any help text: a wrong file would only freeze the window.
    constexpr qint64 taille_max = 4 * 1024 * 1024;
    if (chemin.isEmpty() || !f.open(QIODevice::ReadOnly) || f.size() > taille_max) return false;
    const QByteArray octets = f.read(taille_max);
    QString texte = qs(cp1252_vers_utf8(std::string_view(octets.constData(), static_cast<std::size_t>(octets.size()))));
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QChar(0), QChar(' '));
    Memo1->setPlainText(texte);
    return true;
}

void TForm5::FormCreate() { charge(chemin_aide()); }

} // namespace vuv
