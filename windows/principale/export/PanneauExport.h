#pragma once
// The export panel Panel7 ("Enregistrement dans 1 ou 2 fichiers"): its controls show the
// options struct the writer reads, each user change goes to the struct, the coupling rules
// run there, and the controls are refreshed from it.
#include <QFrame>
#include <QGroupBox>
#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vuv {

class Document;
struct OptionsExport;

// A titled group of exclusive items, addressed by index.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString& titre, const QStringList& items, QWidget* parent = nullptr);
    int ItemIndex() const;
    void setItemIndex(int i);
    QRadioButton* item(int i) const;

signals:
    void choisi(int index); // the user chose an item

private:
    QButtonGroup* groupe_;
};

class PanneauExport : public QFrame {
    Q_OBJECT

public:
    PanneauExport(OptionsExport& options, const Document& document, QWidget* parent = nullptr);

    QCheckBox* CheckBox_trl = nullptr;
    QCheckBox* CheckBox_blocnote = nullptr;
    QCheckBox* CheckBox_fic = nullptr;
    QCheckBox* CheckBox_pas_norme = nullptr;
    QCheckBox* CheckBox_n = nullptr;
    QCheckBox* CheckBox_ligne = nullptr;
    QCheckBox* CheckBox_libelle = nullptr;
    QCheckBox* CheckBox_Xr = nullptr;
    QCheckBox* CheckBox_Yr = nullptr;
    QCheckBox* CheckBox_Zr = nullptr;
    QCheckBox* CheckBox_ximg = nullptr;
    QCheckBox* CheckBox_yimg = nullptr;
    QCheckBox* CheckBox_zimg = nullptr;
    QCheckBox* CheckBox_dist = nullptr;
    QCheckBox* CheckBox_dist_cumul = nullptr;
    QCheckBox* CheckBox_3calib = nullptr;
    QCheckBox* CheckBox_juste_les_lignes = nullptr;
    RadioGroup* RadioGroup_sep_decimal = nullptr;
    RadioGroup* RadioGroup_extention = nullptr;
    QLineEdit* Edit3 = nullptr; // custom extension
    RadioGroup* RadioGroup_separateur = nullptr;
    QLineEdit* Edit_separateur = nullptr;
    QCheckBox* CheckBox_ligne_1 = nullptr;
    QCheckBox* CheckBox_nb_points = nullptr;
    QLineEdit* Edit9 = nullptr;
    QCheckBox* CheckBox_ligne_1_bis = nullptr;
    QLineEdit* Edit16 = nullptr;
    QLineEdit* Edit_pas_extraction = nullptr;
    QLineEdit* Edit_x_mini = nullptr;
    QLineEdit* Edit_x_maxi = nullptr;
    QLineEdit* Edit12 = nullptr; // smallest X read (not typed)
    QLineEdit* Edit13 = nullptr; // largest X read
    QLabel* Label35 = nullptr;   // count of the normalized file
    RadioGroup* RadioGroup2 = nullptr;
    QLineEdit* Edit15 = nullptr; // decimals of the normalized file
    QLabel* Label24 = nullptr;   // the exported line
    QLabel* Label34 = nullptr;   // the note after it
    QLabel* Label14 = nullptr;   // the local decimal separator
    QPushButton* Button8 = nullptr; // "Traiter"
    QPushButton* Button9 = nullptr; // "fermer"
    QPushButton* ButtonSig = nullptr; // "Export SIG ..."

    // Every control from the options (they change outside the panel too: the writer, the
    // points window's decimals, the project save command).
    void affiche();

signals:
    void traiter();
    void export_sig();

private:
    void coche(QCheckBox* c, bool OptionsExport::*membre);
    void saisie(QLineEdit* e, std::string OptionsExport::*membre, bool compte);
    void choix(RadioGroup* g, int OptionsExport::*membre, void (*regle)(OptionsExport&));
    void recompte();

    OptionsExport& o_;
    const Document& doc_;
    std::vector<std::pair<QCheckBox*, bool OptionsExport::*>> cases_;
    std::vector<std::pair<QLineEdit*, std::string OptionsExport::*>> saisies_;
    std::vector<std::pair<RadioGroup*, int OptionsExport::*>> groupes_;
};

} // namespace vuv
