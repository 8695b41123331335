#include "windows/scroll2.h"

#include "core/document/Document.h"
#include "core/reglages/FichiersReglages.h"
#include "core/text/encodage.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/Fenetres.h"
#include "windows/Textes.h"
#include "windows/Unit6.h"

#include <QFile>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QVBoxLayout>

namespace vuv {

TForm2::TForm2(Document& document, QWidget* parent) : QWidget(parent, Qt::Window), doc(document) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Points digitalisés"));
    resize(430, 600);
    auto* l = new QVBoxLayout(this);
    Label8 = new QLabel(QStringLiteral("Points digitalisés"), this);
    Label8->setObjectName(QStringLiteral("Label8"));
    QFont f = Label8->font();
    f.setBold(true);
    Label8->setFont(f);
    l->addWidget(Label8);
    l->addStretch(1);
}

bool TForm2::premiere_ligne_enregistre(const QString& nom, const QString& texte) {
    return vuv::premiere_ligne_enregistre(ss(nom), ss(texte));
}

QString TForm2::premiere_ligne_lecture(const QString& nom) { return qs(vuv::premiere_ligne_lecture(ss(nom))); }

QString TForm2::dlg_titre_message_ONEK_large(const QString& titre, const QString& message, const QString& lettres,
                                             const QString& oui, const QString& non) {
    TForm6* f6 = fenetres().Form6;
    if (!f6) return QStringLiteral("E");
    const QString r = f6->demande(605, titre, message, lettres, oui, non);
    f6->Memo1->hide();
    return r;
}

bool TForm2::af_fic_txt_memo(const QString& fichier, const QString& fichier_travail, const QString& extra) {
    TForm6* f6 = fenetres().Form6;
    if (!f6) return false;
    QFile entree(fichier);
    if (!entree.open(QIODevice::ReadOnly)) {
        port().erreur("Impossible d'ouvrir le fichier <" + ss(fichier) + ">");
        return false;
    }
    QString texte = qs(cp1252_vers_utf8(entree.readAll().toStdString()));
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (texte.endsWith(QLatin1Char('\n'))) texte.chop(1);
    f6->Memo1->setPlainText(texte);
    f6->Memo1->show();

    const QString r = dlg_titre_message_ONEK_large(QStringLiteral("contenu de ") + fichier + QLatin1Char('\r') + extra,
                                                   QString(), QStringLiteral("OE"), QStringLiteral("traiter"),
                                                   QStringLiteral("annuler"));
    if (r != QStringLiteral("O")) {
        f6->Memo1->clear();
        return false;
    }
    // One CR LF after every line, the last one included.
    QString lignes = f6->Memo1->toPlainText();
    if (!lignes.isEmpty()) {
        lignes.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        lignes += QStringLiteral("\r\n");
    }
    const std::string octets = utf8_vers_cp1252(ss(lignes));
    QSaveFile sortie(fichier_travail);
    if (!sortie.open(QIODevice::WriteOnly) ||
        sortie.write(octets.data(), static_cast<qint64>(octets.size())) != static_cast<qint64>(octets.size()) ||
        !sortie.commit()) {
        port().erreur("Impossible d'écrire le fichier <" + ss(fichier_travail) + ">");
        return false;
    }
    return true;
}

} // namespace vuv
