#pragma once
// "Système de coordonnées du projet": the project's system chosen from GDAL's EPSG list (a
// search over codes and names), from the common French systems, or pasted as WKT; or none.
// Opened window-modal; accepted() means wkt() holds the choice. The lists and the reading of
// texts live in sig/SystemeCoordonnees.
#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vuv {

class FiltreSystemes;

class DialogueSysteme : public QDialog {
    Q_OBJECT

public:
    explicit DialogueSysteme(const std::string& wkt_actuel, QWidget* parent = nullptr);

    QLabel* Actuel = nullptr;          // the project's system as the dialog opened
    QListWidget* Courants = nullptr;   // the common French systems
    QLineEdit* Recherche = nullptr;    // words or a code
    QListView* Liste = nullptr;        // the EPSG list, filtered by the search
    QPlainTextEdit* Texte = nullptr;   // a pasted WKT (or PROJ) text
    QLabel* Choix = nullptr;           // what OK would give
    QPushButton* BoutonAucun = nullptr; // "Aucun système"
    QPushButton* BoutonOK = nullptr;
    QPushButton* BoutonAnnuler = nullptr;

    // The chosen system as WKT, empty for none; meaningful once accepted.
    const std::string& wkt() const { return wkt_; }
    // The rows the search leaves in the EPSG list.
    int lignes_trouvees() const;

    // OK: the last thing the user did decides (a list row, the search text as a code, the
    // pasted text); a text GDAL cannot read is told and the dialog stays open.
    void accept() override;

private:
    enum class Source { rien, liste, recherche, texte };
    void choisit_code(int code);
    void montre_choix(const std::string& nom);

    FiltreSystemes* filtre_ = nullptr;
    Source source_ = Source::rien;
    std::string wkt_;
    bool texte_programme_ = false; // the text box is being filled by the dialog itself
};

} // namespace vuv
