#pragma once
// "Exporter vers un SIG": the format, the file, the lines (those ticked in the "OK" column or
// all of them) and whether closed lines are also written as surfaces. The export itself and
// its messages belong to sig/ExportSig; the dialog asks and tells through the ports.
#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vuv {

class Document;

class DialogueExportSig : public QDialog {
    Q_OBJECT

public:
    // `nom` is the file name proposed (without folder or extension).
    DialogueExportSig(const Document& document, const QString& nom, QWidget* parent = nullptr);

    QComboBox* ComboFormat = nullptr;
    QLineEdit* EditFichier = nullptr;
    QPushButton* ButtonParcourir = nullptr;
    QRadioButton* RadioLignesCochees = nullptr;
    QRadioButton* RadioToutesLignes = nullptr;
    QCheckBox* CheckBoxSurfaces = nullptr;
    QLabel* LabelSysteme = nullptr;
    QPushButton* ButtonExporter = nullptr;
    QPushButton* ButtonAnnuler = nullptr;

    // The project's system as it is now: the dialog is kept between uses with its choices.
    void rafraichit();
    void ButtonParcourirClick();
    // Exports; the dialog closes once the files are written, and stays open after a refusal.
    void ButtonExporterClick();

private:
    void change_format(int index);

    const Document& doc_;
    QString nom_;
    int format_ = 0; // the format the file name's extension belongs to
};

} // namespace vuv
