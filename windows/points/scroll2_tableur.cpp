// The spreadsheet import: the file chosen from the points window, its columns given in the
// main window's panel Panel6, the first worksheet of an .xls, .xlsx or .ods workbook.
#include "windows/points/scroll2.h"

#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Document.h"
#include "core/import/Import.h"
#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"
#include "platform/Classeur.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/Sablier.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QDockWidget>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vuv {

void TForm2::construit_panneau_tableur() {
    TForm1* f1 = form1();
    PanneauTableur& t = tableur;
    t.Panel6 = new QDockWidget(QStringLiteral("Indices des colonnes du fichier"), f1 ? static_cast<QWidget*>(f1) : this);
    t.Panel6->setObjectName(QStringLiteral("Panel6"));
    {
        // A dock's title bar does not count its text: at least the title and its two buttons.
        const QStyle* st = t.Panel6->style();
        const int bouton = st->pixelMetric(QStyle::PM_SmallIconSize, nullptr, t.Panel6) +
                           2 * st->pixelMetric(QStyle::PM_DockWidgetTitleBarButtonMargin, nullptr, t.Panel6);
        const int marges = 2 * st->pixelMetric(QStyle::PM_DockWidgetFrameWidth, nullptr, t.Panel6) +
                           4 * st->pixelMetric(QStyle::PM_DockWidgetTitleMargin, nullptr, t.Panel6);
        t.Panel6->setMinimumWidth(t.Panel6->fontMetrics().horizontalAdvance(t.Panel6->windowTitle()) + 2 * bouton +
                                  marges);
    }
    auto* fond = new QWidget(t.Panel6);
    fond->setAutoFillBackground(true);
    QPalette p = fond->palette();
    p.setColor(QPalette::Window, QColor(0, 255, 255));
    fond->setPalette(p);
    auto* l = new QVBoxLayout(fond);
    t.Label12 = new QLabel(QStringLiteral("*.xls"), fond);
    t.Label12->setObjectName(QStringLiteral("Label12"));
    t.Label13 = new QLabel(fond);
    t.Label13->setObjectName(QStringLiteral("Label13"));
    t.Label13->hide();
    l->addWidget(t.Label12);
    auto* formulaire = new QFormLayout;
    auto saisie = [&](const char* nom, const char* valeur, const QString& legende) {
        auto* e = new QLineEdit(QString::fromLatin1(valeur), fond);
        e->setObjectName(QString::fromLatin1(nom));
        e->setMaximumWidth(60);
        formulaire->addRow(legende, e);
        return e;
    };
    t.Edit4 = saisie("Edit4", "3", QStringLiteral("Libellé"));
    t.Edit5 = saisie("Edit5", "1", QStringLiteral("X"));
    t.Edit6 = saisie("Edit6", "2", QStringLiteral("Y"));
    t.Edit7 = saisie("Edit7", "12", QStringLiteral("Z"));
    t.Edit8 = saisie("Edit8", "5", QStringLiteral("n° de ligne de début"));
    l->addLayout(formulaire);
    auto* boutons = new QHBoxLayout;
    t.Button6 = new QPushButton(QStringLiteral("Traiter le fichier"), fond);
    t.Button6->setObjectName(QStringLiteral("Button6"));
    t.Button7 = new QPushButton(QStringLiteral("Annuler"), fond);
    t.Button7->setObjectName(QStringLiteral("Button7"));
    boutons->addWidget(t.Button6);
    boutons->addWidget(t.Button7);
    l->addLayout(boutons);
    t.Label6 = new QLabel(fond);
    t.Label6->setObjectName(QStringLiteral("Label6"));
    l->addWidget(t.Label6);
    l->addStretch(1);
    t.Panel6->setWidget(fond);
    if (f1) f1->addDockWidget(Qt::LeftDockWidgetArea, t.Panel6);
    t.Panel6->hide();

    connect(t.Button6, &QPushButton::clicked, this, &TForm2::Button4Click);
    connect(t.Button7, &QPushButton::clicked, t.Panel6, &QWidget::hide);
    SpeedButton5->setEnabled(true);
    connect(SpeedButton5, &QPushButton::clicked, this, &TForm2::SpeedButton5Click);
    if (f1 && f1->RajoutdepointsXLS1) {
        f1->RajoutdepointsXLS1->setEnabled(true);
        connect(f1->RajoutdepointsXLS1, &QAction::triggered, this, &TForm2::SpeedButton5Click);
    }
}

void TForm2::SpeedButton5Click() {
    if (!port().oui_non("Rajout de points X,Y à partir d'un fichier issu d'un Tableur \n\n Les coordonnées importées "
                        "sont réelles (X,Y), c'est à dire que les coordonnées image (x,y)\n sont calculées à partir des "
                        "réelles avec le calibrage courant\n\n Puis une fois déposés sur l'image on recalcule les "
                        "réelles dont les valeurs seront\n un peu différentes de celles importées à cause du nombre "
                        "limité de pixels (LxH) de l'image"))
        return;
    DemandeFichier d;
    d.titre = QStringLiteral("Ouvrir un fichier X  Y Lib ...");
    d.dossier = premiere_ligne_lecture(QString::fromLatin1(fichier_dernier_dossier.data(),
                                                           static_cast<qsizetype>(fichier_dernier_dossier.size())));
    d.filtre = QStringLiteral("Fichiers (*.xls; *.xlsx; *.ods)|*.xls;*.xlsx;*.ods");
    d.index_filtre = 2;
    d.doit_exister = true;
    const auto chemin = dialogues().ouvrir(d);
    if (!chemin || chemin->isEmpty()) return;
    tableur.Label12->setText(qs(nom_de_fichier(ss(*chemin))));
    tableur.Label13->setText(*chemin);
    tableur.Panel6->show();
}

void TForm2::Button4Click() {
    const PanneauTableur& t = tableur;
    ColonnesTableur c;
    c.libelle = val_entier(ss(t.Edit4->text()));
    c.X = val_entier(ss(t.Edit5->text()));
    c.Y = val_entier(ss(t.Edit6->text()));
    c.Z = val_entier(ss(t.Edit7->text()));
    c.debut = val_entier(ss(t.Edit8->text()));
    // Wrong numbers leave the panel open to mend them.
    if (const std::string m = colonnes_invalides(c); !m.empty()) {
        port().information(m);
        return;
    }
    BilanTexte b;
    {
        const Sablier sablier;
        std::string erreur;
        const auto classeur = ouvre_classeur(ss(t.Label13->text()), erreur);
        if (!classeur) {
            port().information(erreur);
            return;
        }
        const PileAnnulation::Edition edition(pile(), noms_editions::rajout_xls);
        b = importe_points_tableur(doc, *classeur, c);
    }
    if (b.resultat != ResultatImport::fait) return;
    t.Label6->setText(QString::number(b.ajoutes));
    port().information("nombre de points rajoutés : " + std::to_string(b.ajoutes));
    t.Panel6->hide();
    fin_import();
}

} // namespace vuv
