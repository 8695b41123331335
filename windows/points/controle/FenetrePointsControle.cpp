#include "windows/points/controle/FenetrePointsControle.h"

#include "core/calage/FichierCalage.h"
#include "core/calage/Transformation.h"
#include "core/fichiers/EcritureSure.h"
#include "core/text/encodage.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Dialogues.h"
#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "windows/commun/Textes.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <charconv>
#include <cmath>

namespace vuv {
namespace {

constexpr MethodeTransformation methodes[] = {MethodeTransformation::affine_exacte, MethodeTransformation::affine,
                                              MethodeTransformation::helmert, MethodeTransformation::projective};

QString nombre(long double v, int decimales) { return qs(fixe_local(v, decimales)); }

// Typed numbers take the point or the local separator.
bool lit(const QString& t, long double& v) {
    std::string s = ss(t.trimmed());
    for (char& c : s)
        if (c == ',') c = '.';
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && r.ec == std::errc{} && r.ptr == s.data() + s.size() && std::isfinite(v);
}

} // namespace

FenetrePointsControle::FenetrePointsControle(Document& doc, QWidget* parent)
    : QWidget(parent, Qt::Window), doc_(doc), methode_(new QComboBox(this)), table_(new QTableWidget(this)),
      bilan_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Points de calage"));
    for (MethodeTransformation m : methodes) methode_->addItem(qs(std::string(nom_methode(m))));
    table_->setColumnCount(nb_colonnes);
    table_->setHorizontalHeaderLabels({QStringLiteral("Utilisé"), QStringLiteral("Nom"), QStringLiteral("x"),
                                       QStringLiteral("y"), QStringLiteral("X"), QStringLiteral("Y"),
                                       QStringLiteral("dX"), QStringLiteral("dY"), QStringLiteral("Écart"),
                                       QStringLiteral("dx (px)"), QStringLiteral("dy (px)"),
                                       QStringLiteral("Écart (px)")});
    table_->verticalHeader()->setVisible(false);
    auto* ajouter = new QPushButton(QStringLiteral("Ajouter un point"), this);
    auto* supprimer = new QPushButton(QStringLiteral("Supprimer le point"), this);
    auto* haut = new QHBoxLayout;
    haut->addWidget(new QLabel(QStringLiteral("Transformation :"), this));
    haut->addWidget(methode_, 1);
    haut->addWidget(ajouter);
    haut->addWidget(supprimer);
    auto* importer = new QPushButton(QStringLiteral("Importer…"), this);
    auto* exporter = new QPushButton(QStringLiteral("Exporter…"), this);
    importer->setObjectName(QStringLiteral("importer"));
    exporter->setObjectName(QStringLiteral("exporter"));
    haut->addWidget(importer);
    haut->addWidget(exporter);
    connect(importer, &QPushButton::clicked, this, &FenetrePointsControle::importe);
    connect(exporter, &QPushButton::clicked, this, &FenetrePointsControle::exporte);
    auto* l = new QVBoxLayout(this);
    l->addLayout(haut);
    l->addWidget(table_, 1);
    l->addWidget(bilan_);
    bilan_->setWordWrap(true);
    connect(table_, &QTableWidget::itemChanged, this, &FenetrePointsControle::cellule_changee);
    connect(methode_, &QComboBox::currentIndexChanged, this, &FenetrePointsControle::methode_changee);
    connect(ajouter, &QPushButton::clicked, this, &FenetrePointsControle::ajoute);
    connect(supprimer, &QPushButton::clicked, this, &FenetrePointsControle::supprime);
    resize(900, 420);
    relit();
}

void FenetrePointsControle::relit() {
    remplit_ = true;
    const auto& pts = doc_.controle.points;
    for (int i = 0; i < 4; ++i)
        if (methodes[i] == doc_.controle.methode) methode_->setCurrentIndex(i);
    table_->setRowCount(static_cast<int>(pts.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const PointControle& p = pts[static_cast<std::size_t>(r)];
        auto* coche = new QTableWidgetItem;
        coche->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        coche->setCheckState(p.utilise ? Qt::Checked : Qt::Unchecked);
        table_->setItem(r, utilise, coche);
        table_->setItem(r, nom, new QTableWidgetItem(qs(p.nom)));
        table_->setItem(r, x, new QTableWidgetItem(nombre(p.x, 0)));
        table_->setItem(r, y, new QTableWidgetItem(nombre(p.y, 0)));
        table_->setItem(r, X, new QTableWidgetItem(nombre(p.X, 4)));
        table_->setItem(r, Y, new QTableWidgetItem(nombre(p.Y, 4)));
        for (int c = dX; c < nb_colonnes; ++c) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            table_->setItem(r, c, item);
        }
    }
    remplit_ = false;
    affiche_residus();
}

void FenetrePointsControle::cellule_changee(QTableWidgetItem* item) {
    if (remplit_) return;
    const auto i = static_cast<std::size_t>(item->row());
    if (i >= doc_.controle.points.size()) return;
    PointControle& p = doc_.controle.points[i];
    const int c = item->column();
    if (c == utilise) {
        p.utilise = item->checkState() == Qt::Checked;
    } else if (c == nom) {
        p.nom = ss(item->text());
    } else if (c >= x && c <= Y) {
        long double v = 0;
        long double* cible[] = {&p.x, &p.y, &p.X, &p.Y};
        if (!lit(item->text(), v)) {
            // A text that is no number gives back the value the point has.
            relit();
            return;
        }
        *cible[c - x] = v;
    } else {
        return;
    }
    applique();
}

void FenetrePointsControle::methode_changee(int index) {
    if (remplit_ || index < 0 || index >= 4) return;
    doc_.controle.methode = methodes[index];
    applique();
}

void FenetrePointsControle::ajoute() {
    if (static_cast<int>(doc_.controle.points.size()) >= max_points_controle) return;
    // The three calibration rows come first, as the project keeps them.
    if (doc_.controle.points.empty())
        for (int k = 0; k < std::min(doc_.nb_calage, 3); ++k) {
            const EnregistrementCalage& e = doc_.calage[static_cast<std::size_t>(k)];
            doc_.controle.points.push_back({static_cast<long double>(e.x), static_cast<long double>(e.y), e.X, e.Y,
                                            "cal " + std::to_string(k + 1), true});
        }
    PointControle p;
    p.nom = "point " + std::to_string(doc_.controle.points.size() + 1);
    p.utilise = false; // counted once its coordinates are typed and it is ticked
    doc_.controle.points.push_back(p);
    relit();
    table_->setCurrentCell(table_->rowCount() - 1, x);
}

void FenetrePointsControle::supprime() {
    const int r = table_->currentRow();
    if (r < 0 || r >= static_cast<int>(doc_.controle.points.size())) return;
    doc_.controle.points.erase(doc_.controle.points.begin() + r);
    relit();
    applique();
}

namespace {
const QString filtre_points = QStringLiteral("Points x y X Y [nom] (*.txt)|*.txt|Tous les fichiers|*.*");
}

void FenetrePointsControle::importe() {
    DemandeFichier q;
    q.titre = QStringLiteral(" Importer des points de calage  x y X Y [nom]");
    q.filtre = filtre_points;
    const auto chemin = dialogues().ouvrir(q);
    if (!chemin) return;
    std::vector<PointControle> lus;
    std::string erreur;
    try {
        erreur = lit_points_controle(cp1252_vers_utf8(lit_fichier(ss(*chemin))), lus);
    } catch (const ErreurFichier& e) {
        erreur = e.what();
    }
    if (!erreur.empty()) {
        port().information(ss(*chemin) + " : " + erreur);
        return;
    }
    doc_.controle.points = std::move(lus);
    relit();
    applique();
}

void FenetrePointsControle::exporte() {
    DemandeFichier q;
    q.titre = QStringLiteral(" Exporter les points de calage  x y X Y [nom]");
    q.filtre = filtre_points;
    q.nom = QStringLiteral("points_calage.txt");
    const auto chemin = dialogues().enregistrer(q);
    if (!chemin) return;
    try {
        ecrit_fichier_sur(ss(*chemin), utf8_vers_cp1252(texte_points_controle(doc_.controle.points)));
    } catch (const ErreurFichier& e) {
        port().information(e.what());
    }
}

void FenetrePointsControle::applique() {
    doc_.controle.fichier_refuse = false;
    doc_.applique_controle();
    doc_.sauve = false;
    doc_.vue().redessiner_calque();
    doc_.vue().rafraichir();
    affiche_residus();
}

void FenetrePointsControle::affiche_residus() {
    const CalageEtendu& c = doc_.controle;
    remplit_ = true;
    BilanCalage b;
    if (c.calculee) b = bilan_calage(*c.calculee, c.points);
    for (int r = 0; r < table_->rowCount(); ++r) {
        const auto i = static_cast<std::size_t>(r);
        const bool a = i < b.residus.size() && b.residus[i].calcule;
        const Residu res = a ? b.residus[i] : Residu{};
        const long double v[] = {res.dX, res.dY, res.d, res.dx, res.dy, res.dpx};
        for (int k = 0; k < 6; ++k) table_->item(r, dX + k)->setText(a ? nombre(v[k], k < 3 ? 4 : 2) : QString());
        const QBrush fond = r == b.pire ? QBrush(QColor(255, 190, 190)) : QBrush();
        for (int k = 0; k < nb_colonnes; ++k) table_->item(r, k)->setBackground(fond);
    }
    remplit_ = false;
    if (!c.calculee) {
        bilan_->setText(c.points.empty() ? QStringLiteral("Le calage n'a que ses 3 points.") : qs(c.erreur));
        return;
    }
    QString t = QStringLiteral("Erreur moyenne quadratique : %1 px (%2 en unités de la carte) sur %3 points cochés.")
                    .arg(nombre(b.rms_pixels, 3), nombre(b.rms_carte, 4))
                    .arg(b.utilises);
    if (b.pire >= 0) t += QStringLiteral(" Le plus grand écart est celui du point %1.").arg(b.pire + 1);
    if (const auto* h = dynamic_cast<const TransformationHelmert*>(c.calculee.get()))
        t += QStringLiteral(" Échelle : %1 ; angle : %2°.").arg(nombre(h->echelle(), 6), nombre(h->angle_degres(), 4));
    bilan_->setText(t);
}

} // namespace vuv
