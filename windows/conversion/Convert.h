#pragma once
// TForm7 "Convertions": a worksheet of positions converted between UTM, decimal degrees,
// degree-minute-second texts and the spherical x/y. The rules live in core (FeuilleUTM);
// this window turns the user's presses into calls and shows the table.
#include "core/conversion/FeuilleUTM.h"
#include "core/table/Grille.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vuv {

class GrilleConversion;
class ModeleGrille;

class TForm7 : public QWidget {
    Q_OBJECT

public:
    explicit TForm7(QWidget* parent = nullptr);
    ~TForm7() override;

    Grille grille{feuille_colonnes, feuille_lignes};
    ColonnesFeuille colonnes{};

    GrilleConversion* StringGrid1 = nullptr;
    QLineEdit* Edit1 = nullptr;  // Ra, km
    QLineEdit* Edit2 = nullptr;  // Rb, km
    QLabel* Label10 = nullptr;   // the decimal separator
    QLabel* Label1 = nullptr;    // count of the last import
    QLabel* Label6 = nullptr;    // the last spreadsheet opened
    QComboBox* ComboBox1 = nullptr; // ellipsoid chooser
    QPlainTextEdit* Memo2 = nullptr; // reference text

    QPushButton* SpeedButton1 = nullptr; // Retour
    QPushButton* SpeedButton2 = nullptr; // Quitter direct
    QPushButton* BitBtn2 = nullptr;      // UTM --> Lat,Long
    QPushButton* BitBtn1 = nullptr;      // --> UTM (tous)
    QPushButton* BitBtn3 = nullptr;      // --> UTM (vide)
    QPushButton* BitBtn4 = nullptr;      // --> x et y
    QPushButton* BitBtn5 = nullptr;      // °lat °long --> Lat Long
    QPushButton* BitBtn6 = nullptr;      // Lat Long --> °lat °long
    QPushButton* SpeedButton4 = nullptr; // spreadsheet, UTM layout
    QPushButton* SpeedButton7 = nullptr; // spreadsheet, latitude/longitude layout
    QPushButton* SpeedButton_ajouter = nullptr;
    QPushButton* SpeedButton_presse_papier = nullptr;
    QPushButton* SpeedButton3 = nullptr; // F5 copy down
    QPushButton* SpeedButton5 = nullptr; // Lancer Excel avec ...
    QPushButton* SpeedButton6 = nullptr; // Aide
    QPushButton* SpeedButton8 = nullptr; // Tout effacer
    QPushButton* SpeedButton9 = nullptr; // Aide UTM.pdf

    void FormCreate();
    void BitBtn5Click(QObject* sender);
    void BitBtn4Click();
    void BitBtn1Click(QObject* sender);
    void BitBtn_UTM_to_LatLonClick();
    void SpeedButton4Click();
    void SpeedButton7Click();
    void SpeedButton_ajouterClick();
    void SpeedButton_presse_papierClick();
    void SpeedButton3Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void colle_presse_papier();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void construit();
    void importe_classeur(bool utm);
    // One conversion run: a progress bar with "Annuler" on long tables, then one message.
    void lance(Calcul calcul);
    void StringGrid1MouseDown(Qt::MouseButton bouton);
    void choisit_ellipsoide(int index);

    ModeleGrille* modele_ = nullptr;
};

} // namespace vuv
