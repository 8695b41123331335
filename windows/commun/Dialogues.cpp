#include "windows/commun/Dialogues.h"

#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Textes.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>
#include <QUrl>

#include <algorithm>

namespace vuv {
namespace {

void rend_courant(const QString& fichier) { QDir::setCurrent(QFileInfo(fichier).absolutePath()); }

QString absolu(const QString& chemin) { return chemin.isEmpty() ? chemin : QFileInfo(chemin).absoluteFilePath(); }

// A pattern has neither blanks nor parentheses; anything else is a description.
bool est_motif(const QString& t) {
    return !t.isEmpty() && std::none_of(t.begin(), t.end(), [](QChar c) {
        return c.isSpace() || c == QLatin1Char('(') || c == QLatin1Char(')');
    });
}

// The places pane and the columns of the detailed view wide enough for their French texts;
// the name column takes what is left of the dialog's width.
void elargit_colonnes(QFileDialog& f) {
    auto* vue = f.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!vue) return;
    const QFontMetrics fm(vue->font());
    int reste = f.width() - 40;
    if (auto* separation = f.findChild<QSplitter*>(QStringLiteral("splitter"))) {
        const int places = fm.horizontalAdvance(QStringLiteral("Ordinateur")) + 60;
        separation->setSizes({places, std::max(1, f.width() - places)});
        reste -= places;
    }
    QHeaderView* entete = vue->header();
    const int marge = fm.horizontalAdvance(QStringLiteral("WW")) + 16; // sort arrow, padding
    const QString exemples[] = {QString(), QStringLiteral("999,99 Mio"), QStringLiteral("document texte brut"),
                                QStringLiteral("29/10/2026 14:02")};
    for (int c = 1; c < entete->count() && c < 4; ++c) {
        const QString titre = vue->model() ? vue->model()->headerData(c, Qt::Horizontal).toString() : QString();
        const int l = std::max(fm.horizontalAdvance(titre), fm.horizontalAdvance(exemples[c])) + marge;
        entete->resizeSection(c, std::max(entete->sectionSize(c), l));
        reste -= entete->sectionSize(c);
    }
    entete->resizeSection(0, std::max({entete->sectionSize(0), fm.horizontalAdvance(QLatin1Char('w')) * 24, reste}));
}

class DialoguesAnnules final : public Dialogues {
public:
    std::optional<QColor> couleur(const QColor&, bool) override { return std::nullopt; }

protected:
    bool lance_document(const QString&) override { return true; }
    std::optional<QString> choisit_ouvrir(const DemandeFichier&) override { return std::nullopt; }
    std::optional<QString> choisit_enregistrer(const DemandeFichier&) override { return std::nullopt; }
};

DialoguesAnnules annules;
Dialogues* courants = &annules;

std::optional<QString> choisi(std::optional<QString> r) {
    if (r && !r->isEmpty()) {
        *r = absolu(*r);
        rend_courant(*r);
    }
    return r;
}

} // namespace

QStringList filtres_qt(const QString& filtre) {
    QStringList r;
    const QStringList parts = filtre.split(QLatin1Char('|'));
    QString description = parts.constFirst().trimmed();
    qsizetype i = 1;
    while (i < parts.size()) {
        const QStringList elements = parts.at(i).split(QLatin1Char(';'));
        QStringList motifs;
        qsizetype k = 0;
        for (; k < elements.size(); ++k) {
            const QString m = elements.at(k).trimmed();
            if (m.isEmpty()) continue;
            if (!est_motif(m)) break;
            motifs << (m == QLatin1String("*.*") ? QStringLiteral("*") : m);
        }
        if (!motifs.isEmpty()) r << description + QStringLiteral(" (") + motifs.join(QLatin1Char(' ')) + QLatin1Char(')');
        if (k < elements.size()) {
            description = elements.mid(k).join(QLatin1Char(';')).trimmed();
            i += 1;
        } else {
            if (i + 1 >= parts.size()) break;
            description = parts.at(i + 1).trimmed();
            i += 2;
        }
    }
    return r;
}

void prepare_dialogue(QFileDialog& f, const DemandeFichier& d) {
    f.setWindowTitle(d.titre);
    // The program's descriptions already name their patterns.
    f.setOption(QFileDialog::HideNameFilterDetails, true);
    f.setDirectory(absolu(d.dossier));
    const QStringList filtres = filtres_qt(d.filtre);
    if (!filtres.isEmpty()) {
        f.setNameFilters(filtres);
        const int i = std::clamp(d.index_filtre, 1, static_cast<int>(filtres.size())) - 1;
        f.selectNameFilter(filtres.at(i));
    }
    if (!d.nom.isEmpty()) f.selectFile(d.nom);
    QSize taille(980, 600);
    if (const QScreen* s = f.screen()) taille = taille.boundedTo(s->availableSize() * 9 / 10);
    f.resize(taille);
    elargit_colonnes(f);
}

QString message_document_non_ouvert(const QString& chemin) {
    return QStringLiteral("Le fichier est enregistré dans :\n") + chemin +
           QStringLiteral("\n\nmais aucun éditeur n'a pu être lancé pour l'ouvrir.");
}

std::optional<QString> Dialogues::ouvrir(const DemandeFichier& d) { return choisi(choisit_ouvrir(d)); }

std::optional<QString> Dialogues::enregistrer(const DemandeFichier& d) {
    option_ = d.option_cochee;
    return choisi(choisit_enregistrer(d));
}

void Dialogues::ouvre_document(const QString& chemin) {
    const QString a = absolu(chemin);
    if (!lance_document(a)) port().information(ss(message_document_non_ouvert(a)));
}

std::optional<QString> DialoguesQt::choisit_ouvrir(const DemandeFichier& d) {
    QFileDialog f(QApplication::activeWindow());
    prepare_dialogue(f, d);
    f.setAcceptMode(QFileDialog::AcceptOpen);
    f.setFileMode(d.doit_exister ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (f.exec() != QDialog::Accepted || f.selectedFiles().isEmpty()) return std::nullopt;
    return f.selectedFiles().constFirst();
}

std::optional<QString> DialoguesQt::choisit_enregistrer(const DemandeFichier& d) {
    QFileDialog f(QApplication::activeWindow());
    QCheckBox* option = nullptr;
    if (!d.option.isEmpty()) {
        // A platform dialog cannot take a widget of ours.
        f.setOption(QFileDialog::DontUseNativeDialog, true);
        if (auto* grille = qobject_cast<QGridLayout*>(f.layout())) {
            option = new QCheckBox(d.option, &f);
            option->setObjectName(QStringLiteral("option"));
            option->setChecked(d.option_cochee);
            grille->addWidget(option, grille->rowCount(), 0, 1, grille->columnCount());
        }
    }
    prepare_dialogue(f, d);
    f.setAcceptMode(QFileDialog::AcceptSave);
    f.setFileMode(QFileDialog::AnyFile);
    f.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (f.exec() != QDialog::Accepted || f.selectedFiles().isEmpty()) return std::nullopt;
    if (option) rend_option(option->isChecked());
    return f.selectedFiles().constFirst();
}

std::optional<QColor> DialoguesQt::couleur(const QColor& initiale, bool) {
    // Qt's colour dialog always offers the full definition; the flag only matters to tests.
    const QColor c = QColorDialog::getColor(initiale, QApplication::activeWindow());
    if (!c.isValid()) return std::nullopt;
    return c;
}

bool DialoguesQt::lance_document(const QString& chemin) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}

Dialogues& dialogues() { return *courants; }

void installe_dialogues(Dialogues* d) { courants = d ? d : &annules; }

} // namespace vuv
