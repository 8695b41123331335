#include "windows/apropos/scrollf1.h"

#include "core/reglages/DossierProgramme.h"
#include "core/text/encodage.h"
#include "windows/commun/Textes.h"

#include <QFile>
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

void TForm5::FormCreate() {
    QFile f(qs(chemin_programme("vuviviva.hep")));
    if (!f.open(QIODevice::ReadOnly)) return;
    QString texte = qs(cp1252_vers_utf8(f.readAll().toStdString()));
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Memo1->setPlainText(texte);
}

} // namespace vuv
