#include "windows/principale/export/DialogueExportSig.h"

#include "core/document/Document.h"
#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "core/ui/PortUtilisateur.h"
#include "sig/ExportSig.h"
#include "sig/SystemeCoordonnees.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/Sablier.h"
#include "windows/commun/Textes.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <exception>

namespace vuv {
namespace {

const sig::DescriptionFormat& format_de(int index) {
    return sig::formats_sig()[static_cast<std::size_t>(index)];
}

QString extension(int index) { return qs(std::string(format_de(index).extension)); }

QString libelle_choix(const sig::DescriptionFormat& f) {
    QString t = qs(std::string(f.libelle)) + QStringLiteral(" (*") + qs(std::string(f.extension));
    if (f.fichier_par_couche) t += QStringLiteral(", un fichier par couche");
    if (f.degres) t += QStringLiteral(", en longitude/latitude");
    if (f.format == sig::FormatSig::dxf) t += QStringLiteral(", sans les attributs");
    return t + QLatin1Char(')');
}

} // namespace

DialogueExportSig::DialogueExportSig(const Document& document, const QString& nom, QWidget* parent)
    : QDialog(parent), doc_(document), nom_(nom) {
    setObjectName(QStringLiteral("DialogueExportSig"));
    setWindowTitle(QStringLiteral("Exporter vers un SIG"));

    ComboFormat = new QComboBox(this);
    ComboFormat->setObjectName(QStringLiteral("ComboFormat"));
    for (const auto& f : sig::formats_sig()) ComboFormat->addItem(libelle_choix(f));
    EditFichier = new QLineEdit(this);
    EditFichier->setObjectName(QStringLiteral("EditFichier"));
    EditFichier->setMinimumWidth(360);
    ButtonParcourir = new QPushButton(QStringLiteral("Parcourir..."), this);
    ButtonParcourir->setObjectName(QStringLiteral("ButtonParcourir"));
    RadioLignesCochees = new QRadioButton(QStringLiteral("les lignes affichées : colonne[OK]=(x)"), this);
    RadioLignesCochees->setObjectName(QStringLiteral("RadioLignesCochees"));
    RadioToutesLignes = new QRadioButton(QStringLiteral("toutes les lignes"), this);
    RadioToutesLignes->setObjectName(QStringLiteral("RadioToutesLignes"));
    RadioLignesCochees->setChecked(true);
    auto* groupe = new QButtonGroup(this);
    groupe->addButton(RadioLignesCochees);
    groupe->addButton(RadioToutesLignes);
    CheckBoxSurfaces =
        new QCheckBox(QStringLiteral("les lignes fermées aussi en surfaces (polygones, couche « surfaces »)"), this);
    CheckBoxSurfaces->setObjectName(QStringLiteral("CheckBoxSurfaces"));
    LabelSysteme = new QLabel(this);
    LabelSysteme->setObjectName(QStringLiteral("LabelSysteme"));
    LabelSysteme->setWordWrap(true);
    ButtonExporter = new QPushButton(QStringLiteral("Exporter"), this);
    ButtonExporter->setObjectName(QStringLiteral("ButtonExporter"));
    ButtonExporter->setDefault(true);
    ButtonAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
    ButtonAnnuler->setObjectName(QStringLiteral("ButtonAnnuler"));

    auto* fichier = new QHBoxLayout;
    fichier->addWidget(EditFichier, 1);
    fichier->addWidget(ButtonParcourir);
    auto* lignes = new QVBoxLayout;
    lignes->addWidget(RadioLignesCochees);
    lignes->addWidget(RadioToutesLignes);
    lignes->addWidget(CheckBoxSurfaces);
    auto* formulaire = new QFormLayout;
    formulaire->addRow(QStringLiteral("Format :"), ComboFormat);
    formulaire->addRow(QStringLiteral("Fichier :"), fichier);
    formulaire->addRow(QStringLiteral("Lignes :"), lignes);
    formulaire->addRow(QStringLiteral("Système de coordonnées :"), LabelSysteme);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(ButtonExporter);
    boutons->addWidget(ButtonAnnuler);
    auto* tout = new QVBoxLayout(this);
    tout->addLayout(formulaire);
    tout->addLayout(boutons);

    connect(ComboFormat, &QComboBox::currentIndexChanged, this, &DialogueExportSig::change_format);
    connect(ButtonParcourir, &QPushButton::clicked, this, &DialogueExportSig::ButtonParcourirClick);
    connect(ButtonExporter, &QPushButton::clicked, this, &DialogueExportSig::ButtonExporterClick);
    connect(ButtonAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    rafraichit();
}

void DialogueExportSig::rafraichit() {
    const std::string systeme = sig::nom_systeme(doc_.systeme_wkt);
    LabelSysteme->setText(systeme.empty()
                              ? QStringLiteral("aucun : KML et GeoJSON, en longitude/latitude, ne sont pas possibles")
                              : qs(systeme));
}

void DialogueExportSig::change_format(int index) {
    // A name already given keeps its folder and base, with the new format's extension.
    QString t = EditFichier->text();
    const QString avant = extension(format_), apres = extension(index);
    if (t.endsWith(avant, Qt::CaseInsensitive)) EditFichier->setText(t.left(t.size() - avant.size()) + apres);
    format_ = index;
}

void DialogueExportSig::ButtonParcourirClick() {
    const sig::DescriptionFormat& f = format_de(ComboFormat->currentIndex());
    const QString ext = qs(std::string(f.extension));
    DemandeFichier d;
    d.titre = QStringLiteral(" Exporter vers un SIG : ") + qs(std::string(f.libelle));
    d.dossier = qs(premiere_ligne_lecture(fichier_dernier_dossier));
    d.filtre = qs(std::string(f.libelle)) + QStringLiteral(" (*") + ext + QStringLiteral(")|*") + ext;
    d.index_filtre = 1;
    const QString actuel = EditFichier->text().trimmed();
    d.nom = actuel.isEmpty() ? nom_ + ext : qs(nom_de_fichier(ss(actuel)));
    const auto choisi = dialogues().enregistrer(d);
    if (!choisi || choisi->isEmpty()) return;
    EditFichier->setText(*choisi);
    premiere_ligne_enregistre(fichier_dernier_dossier, dossier_de(ss(*choisi)));
}

void DialogueExportSig::ButtonExporterClick() {
    const QString texte = EditFichier->text().trimmed();
    if (texte.isEmpty()) {
        port().information("Choisissez d'abord le fichier à écrire (bouton « Parcourir... »).");
        return;
    }
    const sig::OptionsSig o{format_de(ComboFormat->currentIndex()).format, RadioLignesCochees->isChecked(),
                            CheckBoxSurfaces->isChecked()};
    const std::string chemin = ss(QDir::current().absoluteFilePath(texte));
    try {
        sig::BilanSig b;
        {
            const Sablier sablier;
            b = sig::exporte_sig(doc_, chemin, o);
        }
        port().information(b.message());
    } catch (const std::exception& e) {
        // Refused or failed: nothing was replaced, the user may choose again.
        port().information(e.what());
        return;
    }
    accept();
}

} // namespace vuv
