#pragma once
// TForm_emf: rasterising EMF, WMF and BMP drawings into TIFF, JPEG or BMP.
#include "imaging/Metafichier.h"

#include <QImage>
#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QScrollArea;

namespace vuv {

// Shows the source or the result at its displayed size, drawn in the paint event.
class ImageEmf : public QWidget {
public:
    explicit ImageEmf(QWidget* parent) : QWidget(parent) {}
    const Metafichier* dessin = nullptr;
    const QImage* image = nullptr;

protected:
    void paintEvent(QPaintEvent*) override;
};

class TForm_emf : public QWidget {
    Q_OBJECT

public:
    explicit TForm_emf(QWidget* parent = nullptr);

    enum class Source { aucune, bitmap, jpeg, icone, metafichier };

    QLineEdit* Edit2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label6 = nullptr;
    QFrame* Panel2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* RadioJpeg = nullptr;
    QRadioButton* RadioBmp = nullptr;
    QRadioButton* RadioTif = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    ImageEmf* Image1 = nullptr;
    ImageEmf* Image2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QPushButton* SpeedButton6 = nullptr;
    QPushButton* SpeedButton8 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QPushButton* SpeedButton1 = nullptr;

    void FormActivate();
    void calc_res();
    void speed_gras(int etape);
    void SpeedButton3Click();
    void affiche_1();
    void Panel2Click();
    void SpeedButton6Click();
    void affiche_2();
    void SpeedButton8Click();
    void SpeedButton2Click();
    void SpeedButton1Click();

    Source source() const { return source_; }
    int zoom() const { return zoom_; }
    int largeur_cible() const { return cible_; }
    const QImage& resultat() const { return resultat_; }
    QColor couleur_fond() const;
    // The step whose caption is bold (1 to 5).
    int etape_en_gras() const { return etape_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void construit();
    QWidget* etape(int n) const;
    QSize taille_source() const;

    Source source_ = Source::aucune;
    QString chemin_source_;
    QImage bitmap_;
    Metafichier dessin_;
    QImage resultat_;
    int zoom_ = 100;
    int cible_ = 0;
    int etape_ = 1;
    QString nom_choisi_;  // as chosen in the save dialog
    QString nom_ecrit_;   // the file actually written
};

// The main menu's two entries.
void ouvre_conversion_emf();

} // namespace vuv
