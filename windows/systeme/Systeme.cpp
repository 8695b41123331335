#include "windows/systeme/Systeme.h"

#include "core/ui/PortUtilisateur.h"
#include "sig/SystemeCoordonnees.h"
#include "windows/commun/Textes.h"

#include <QAbstractListModel>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace vuv {
namespace {

// Read once: GDAL's database answers in about a second.
const std::vector<sig::SystemeConnu>& systemes() {
    static const std::vector<sig::SystemeConnu> liste = sig::systemes_epsg();
    return liste;
}

const sig::SystemeConnu* connu(int code) {
    const auto& l = systemes();
    const auto it = std::lower_bound(l.begin(), l.end(), code,
                                     [](const sig::SystemeConnu& s, int c) { return s.code < c; });
    return it != l.end() && it->code == code ? &*it : nullptr;
}

// Lambert-93 and Lambert II étendu, the world's and France's latitude/longitude, web maps,
// the UTM zones of mainland France, Mayotte, Guyane, Réunion and the Antilles.
constexpr int codes_courants[] = {2154, 27572, 4326, 4171, 3857, 32630, 32631, 32632,
                                  32738, 4471, 2972, 2975, 5490};

QString libelle(const sig::SystemeConnu& s) {
    return QStringLiteral("EPSG:%1  %2").arg(s.code).arg(qs(s.nom));
}

class ModeleSystemes final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(systemes().size());
    }
    QVariant data(const QModelIndex& i, int role) const override {
        if (!i.isValid() || i.row() >= static_cast<int>(systemes().size())) return {};
        const sig::SystemeConnu& s = systemes()[static_cast<std::size_t>(i.row())];
        if (role == Qt::DisplayRole) return libelle(s);
        if (role == Qt::UserRole) return s.code;
        return {};
    }
};

// The code of "2154" or "EPSG:2154", else 0.
int code_de(const QString& texte) {
    static const QRegularExpression forme(QStringLiteral("^\\s*(?:EPSG\\s*:\\s*)?(\\d{1,9})\\s*$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = forme.match(texte);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

} // namespace

class FiltreSystemes final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void cherche(const QString& t) {
        recherche_ = ss(t);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int ligne, const QModelIndex&) const override {
        return recherche_.empty() || sig::correspond(recherche_, systemes()[static_cast<std::size_t>(ligne)]);
    }

private:
    std::string recherche_;
};

DialogueSysteme::DialogueSysteme(const std::string& wkt_actuel, QWidget* parent) : QDialog(parent), wkt_(wkt_actuel) {
    setObjectName(QStringLiteral("DialogueSysteme"));
    setWindowTitle(QStringLiteral("Système de coordonnées du projet"));
    auto* boite = new QVBoxLayout(this);

    const std::string nom = sig::nom_systeme(wkt_actuel);
    Actuel = new QLabel(QStringLiteral("Système actuel : ") + (nom.empty() ? QStringLiteral("aucun") : qs(nom)), this);
    Actuel->setWordWrap(true);
    boite->addWidget(Actuel);

    boite->addWidget(new QLabel(QStringLiteral("Systèmes courants :"), this));
    Courants = new QListWidget(this);
    Courants->setObjectName(QStringLiteral("Courants"));
    for (int code : codes_courants) {
        const sig::SystemeConnu* s = connu(code);
        auto* item = new QListWidgetItem(s ? libelle(*s) : QStringLiteral("EPSG:%1").arg(code), Courants);
        item->setData(Qt::UserRole, code);
    }
    Courants->setMaximumHeight(Courants->sizeHintForRow(0) * 7 + 2 * Courants->frameWidth());
    boite->addWidget(Courants);

    boite->addWidget(new QLabel(QStringLiteral("Rechercher dans la liste EPSG (code ou mots du nom) :"), this));
    Recherche = new QLineEdit(this);
    Recherche->setObjectName(QStringLiteral("Recherche"));
    Recherche->setPlaceholderText(QStringLiteral("par exemple : lambert 93, utm 31, 2154"));
    Recherche->setClearButtonEnabled(true);
    boite->addWidget(Recherche);
    auto* modele = new ModeleSystemes(this);
    filtre_ = new FiltreSystemes(this);
    filtre_->setSourceModel(modele);
    Liste = new QListView(this);
    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setModel(filtre_);
    Liste->setUniformItemSizes(true);
    Liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    boite->addWidget(Liste, 1);

    boite->addWidget(new QLabel(QStringLiteral("Ou coller un texte WKT :"), this));
    Texte = new QPlainTextEdit(this);
    Texte->setObjectName(QStringLiteral("Texte"));
    Texte->setMaximumHeight(90);
    Texte->setPlainText(qs(wkt_actuel));
    boite->addWidget(Texte);

    Choix = new QLabel(this);
    Choix->setObjectName(QStringLiteral("Choix"));
    Choix->setWordWrap(true);
    boite->addWidget(Choix);

    auto* boutons = new QDialogButtonBox(this);
    BoutonAucun = boutons->addButton(QStringLiteral("Aucun système"), QDialogButtonBox::ResetRole);
    BoutonOK = boutons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    BoutonAnnuler = boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    BoutonOK->setDefault(true);
    boite->addWidget(boutons);
    resize(640, 640);

    connect(boutons, &QDialogButtonBox::accepted, this, &DialogueSysteme::accept);
    connect(boutons, &QDialogButtonBox::rejected, this, &DialogueSysteme::reject);
    connect(BoutonAucun, &QPushButton::clicked, this, [this] {
        wkt_.clear();
        QDialog::accept();
    });
    connect(Courants, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) choisit_code(item->data(Qt::UserRole).toInt());
    });
    connect(Courants, &QListWidget::itemDoubleClicked, this, &DialogueSysteme::accept);
    connect(Liste->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
        if (i.isValid()) choisit_code(i.data(Qt::UserRole).toInt());
    });
    connect(Liste, &QListView::doubleClicked, this, &DialogueSysteme::accept);
    connect(Recherche, &QLineEdit::textChanged, this, [this](const QString& t) {
        filtre_->cherche(t);
        if (const int code = code_de(t)) {
            source_ = Source::recherche;
            const sig::SystemeConnu* s = connu(code);
            montre_choix(s ? ss(libelle(*s)) : "EPSG:" + std::to_string(code) + " (absent de la liste EPSG)");
        } else if (source_ == Source::recherche) {
            source_ = Source::rien;
            montre_choix({});
        }
    });
    connect(Texte, &QPlainTextEdit::textChanged, this, [this] {
        if (texte_programme_) return;
        source_ = Source::texte;
        montre_choix("le texte collé");
    });
    montre_choix({});
    Recherche->setFocus();
}

int DialogueSysteme::lignes_trouvees() const { return filtre_->rowCount(); }

void DialogueSysteme::montre_choix(const std::string& nom) {
    Choix->setText(nom.empty() ? QStringLiteral("Choix : système actuel inchangé") : QStringLiteral("Choix : ") + qs(nom));
}

void DialogueSysteme::choisit_code(int code) {
    std::string w, erreur;
    if (!sig::systeme_vers_wkt(std::to_string(code), w, erreur)) {
        port().information(erreur);
        return;
    }
    wkt_ = w;
    source_ = Source::liste;
    texte_programme_ = true;
    Texte->setPlainText(qs(w));
    texte_programme_ = false;
    montre_choix(sig::nom_systeme(w));
}

void DialogueSysteme::accept() {
    const QString texte = source_ == Source::recherche ? Recherche->text()
                          : source_ == Source::texte   ? Texte->toPlainText()
                                                       : QString();
    if (!texte.trimmed().isEmpty()) {
        std::string w, erreur;
        // "EPSG:2154" as typed in the search is read as the code alone would be.
        const int code = source_ == Source::recherche ? code_de(texte) : 0;
        if (!sig::systeme_vers_wkt(code ? std::to_string(code) : ss(texte), w, erreur)) {
            port().information(erreur);
            return;
        }
        wkt_ = w;
    }
    QDialog::accept();
}

} // namespace vuv
