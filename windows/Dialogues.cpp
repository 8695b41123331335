#include "windows/Dialogues.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace vuv {
namespace {

void rend_courant(const QString& fichier) { QDir::setCurrent(QFileInfo(fichier).absolutePath()); }

class DialoguesAnnules final : public Dialogues {
public:
    std::optional<QColor> couleur(const QColor&, bool) override { return std::nullopt; }
    void ouvre_document(const QString&) override {}

protected:
    std::optional<QString> choisit_ouvrir(const DemandeFichier&) override { return std::nullopt; }
    std::optional<QString> choisit_enregistrer(const DemandeFichier&) override { return std::nullopt; }
};

DialoguesAnnules annules;
Dialogues* courants = &annules;

// Prepares a QFileDialog as the program's dialogs are set up.
void prepare(QFileDialog& f, const DemandeFichier& d) {
    f.setWindowTitle(d.titre);
    f.setDirectory(d.dossier);
    const QStringList filtres = filtres_qt(d.filtre);
    if (!filtres.isEmpty()) {
        f.setNameFilters(filtres);
        const int i = std::clamp(d.index_filtre, 1, static_cast<int>(filtres.size())) - 1;
        f.selectNameFilter(filtres.at(i));
    }
    if (!d.nom.isEmpty()) f.selectFile(d.nom);
}

} // namespace

QStringList filtres_qt(const QString& filtre) {
    QStringList r;
    const QStringList parts = filtre.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString motifs = parts.at(i + 1);
        motifs.replace(QLatin1Char(';'), QLatin1Char(' '));
        r << parts.at(i) + QStringLiteral(" (") + motifs.simplified() + QLatin1Char(')');
    }
    return r;
}

std::optional<QString> Dialogues::ouvrir(const DemandeFichier& d) {
    auto r = choisit_ouvrir(d);
    if (r && !r->isEmpty()) rend_courant(*r);
    return r;
}

std::optional<QString> Dialogues::enregistrer(const DemandeFichier& d) {
    auto r = choisit_enregistrer(d);
    if (r && !r->isEmpty()) rend_courant(*r);
    return r;
}

std::optional<QString> DialoguesQt::choisit_ouvrir(const DemandeFichier& d) {
    QFileDialog f(QApplication::activeWindow());
    prepare(f, d);
    f.setAcceptMode(QFileDialog::AcceptOpen);
    f.setFileMode(d.doit_exister ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (f.exec() != QDialog::Accepted || f.selectedFiles().isEmpty()) return std::nullopt;
    return f.selectedFiles().constFirst();
}

std::optional<QString> DialoguesQt::choisit_enregistrer(const DemandeFichier& d) {
    QFileDialog f(QApplication::activeWindow());
    prepare(f, d);
    f.setAcceptMode(QFileDialog::AcceptSave);
    f.setFileMode(QFileDialog::AnyFile);
    f.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (f.exec() != QDialog::Accepted || f.selectedFiles().isEmpty()) return std::nullopt;
    return f.selectedFiles().constFirst();
}

std::optional<QColor> DialoguesQt::couleur(const QColor& initiale, bool) {
    // Qt's colour dialog always offers the full definition; the flag only matters to tests.
    const QColor c = QColorDialog::getColor(initiale, QApplication::activeWindow());
    if (!c.isValid()) return std::nullopt;
    return c;
}

void DialoguesQt::ouvre_document(const QString& chemin) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(chemin).absoluteFilePath()));
}

Dialogues& dialogues() { return *courants; }

void installe_dialogues(Dialogues* d) { courants = d ? d : &annules; }

} // namespace vuv
