#pragma once
// TForm2, the points window "Points digitalisés": the three tables of the document, shown
// beside the main window. It also keeps the last-directory file and the text check that
// several imports run before reading a file.
#include <QString>
#include <QWidget>

class QLabel;

namespace vuv {

class Document;

class TForm2 : public QWidget {
    Q_OBJECT

public:
    explicit TForm2(Document& document, QWidget* parent = nullptr);

    Document& doc;
    QLabel* Label8 = nullptr;

    // One-line settings files of the program folder (core/reglages/FichiersReglages.h).
    bool premiere_ligne_enregistre(const QString& nom, const QString& texte);
    QString premiere_ligne_lecture(const QString& nom);

    // The question box 605 wide; Memo1 is hidden once it has answered.
    QString dlg_titre_message_ONEK_large(const QString& titre, const QString& message, const QString& lettres,
                                         const QString& oui, const QString& non);

    // Shows the file in the question box's Memo1 for checking and editing. Accepted: the
    // text as it stands is written to fichier_travail and the result is true.
    bool af_fic_txt_memo(const QString& fichier, const QString& fichier_travail, const QString& extra);
};

} // namespace vuv
