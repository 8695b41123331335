#include "windows/commun/PortFenetres.h"

#include "platform/Tonalite.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/demarrage/Splash.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace vuv {
namespace {

// The splash stays on top of every window: a box shown under it could not be answered.
void ecarte_splash() {
    if (TSplashForm* s = fenetres().SplashForm; s && s->isVisible()) s->close();
}

// A short message makes a box narrower than its own title, which the window manager then cuts
// ("In…on"): room for the title and the title bar's buttons.
void largeur_du_titre(QMessageBox& box) {
    auto* grille = qobject_cast<QGridLayout*>(box.layout());
    if (!grille) return;
    const int largeur = box.fontMetrics().horizontalAdvance(box.windowTitle()) + marge_barre_de_titre;
    grille->addItem(new QSpacerItem(largeur, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grille->rowCount(), 0,
                    1, grille->columnCount());
}

// Buttons with French captions, the first one the default, the last one Escape's; the index of
// the one chosen.
int boutons(QMessageBox::Icon icone, const QString& titre, const std::string& message,
            std::initializer_list<QString> textes) {
    ecarte_splash();
    QMessageBox box(icone, titre, lignes_affichees(qs(message)), QMessageBox::NoButton,
                    QApplication::activeWindow());
    largeur_du_titre(box);
    QList<QPushButton*> b;
    for (const QString& t : textes) b << box.addButton(t, b.isEmpty() ? QMessageBox::YesRole : QMessageBox::NoRole);
    box.setDefaultButton(b.front());
    box.setEscapeButton(b.back());
    box.exec();
    const auto i = b.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return i < 0 ? static_cast<int>(b.size()) - 1 : static_cast<int>(i);
}

// Two buttons; true when the first one was chosen.
bool deux_boutons(QMessageBox::Icon icone, const QString& titre, const std::string& message,
                  const QString& premier, const QString& second) {
    return boutons(icone, titre, message, {premier, second}) == 0;
}

void un_bouton(QMessageBox::Icon icone, const QString& titre, const std::string& message) {
    ecarte_splash();
    QMessageBox box(icone, titre, lignes_affichees(qs(message)), QMessageBox::NoButton,
                    QApplication::activeWindow());
    largeur_du_titre(box);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

} // namespace

void PortFenetres::information(const std::string& message) {
    un_bouton(QMessageBox::Information, QStringLiteral("Information"), message);
}

void PortFenetres::erreur(const std::string& message) {
    un_bouton(QMessageBox::Critical, QStringLiteral("Erreur"), message);
}

bool PortFenetres::oui_non(const std::string& message) {
    return deux_boutons(QMessageBox::Question, QStringLiteral("Confirmation"), message,
                        QStringLiteral("Oui"), QStringLiteral("Non"));
}

bool PortFenetres::ok_annuler(const std::string& message) {
    return deux_boutons(QMessageBox::Question, QStringLiteral("Confirmation"), message,
                        QStringLiteral("OK"), QStringLiteral("Annuler"));
}

std::string PortFenetres::oui_non_annuler(const std::string& message) {
    const int i = boutons(QMessageBox::Question, QStringLiteral("Confirmation"), message,
                          {QStringLiteral("Oui"), QStringLiteral("Non"), QStringLiteral("Annuler")});
    return i == 0 ? "O" : i == 1 ? "N" : "E";
}

std::string PortFenetres::question(const std::string& titre, const std::string& message,
                                   const std::string& lettres, const std::string& oui,
                                   const std::string& non) {
    TForm1* f = fenetres().Form1;
    if (!f) return "E";
    ecarte_splash();
    return ss(f->dlg_titre_message_ONEK_oui_non(qs(titre), qs(message), qs(lettres), qs(oui), qs(non)));
}

void PortFenetres::bip() { bip_systeme(); }

void PortFenetres::ton(int frequence_hz, int duree_ms) { joue_ton(frequence_hz, duree_ms); }

void PortFenetres::presse_papier_ecrit(const std::string& texte) {
    QGuiApplication::clipboard()->setText(qs(texte));
}

std::string PortFenetres::presse_papier_lit() { return ss(QGuiApplication::clipboard()->text()); }

void PortFenetres::termine_application() {
    // exit(), not quit(): quit() asks every window to close, and the main window would ask
    // its exit question again.
    QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

} // namespace vuv
