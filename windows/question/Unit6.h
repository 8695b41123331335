#pragma once
// TForm6: the program's own question box. A title, a message, up to four buttons chosen by
// letters ("O" Oui, "N" Non, "E" Annuler, "K" OK; "+" for a large message), answered as one
// letter: "O" for yes, "N" for no, "E" for anything else.
#include "windows/question/Degradeur.h"

#include <QDialog>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace vuv {

class TForm6 : public QDialog {
    Q_OBJECT

public:
    // The results the buttons give, with the platform's values.
    enum Resultat { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    // Fields the caller sets before showing the box.
    QString titre;
    QString message; // exactly "Quitter" selects the picture
    QString lettres;
    QString oui;     // empty: "Oui"
    QString non;     // empty: "Non"

    QLabel* Label1 = nullptr; // message, in Defilement
    QScrollArea* Defilement = nullptr; // scrolls the message once the box fills the screen
    QLabel* Label2 = nullptr; // title
    QLabel* Image1 = nullptr; // the picture of the "Quitter" question
    QPushButton* Button1 = nullptr; // no
    QPushButton* Button2 = nullptr; // yes
    QPushButton* Button3 = nullptr; // cancel
    QPushButton* Button4 = nullptr; // OK
    QPlainTextEdit* Memo1 = nullptr; // text to check before an import

    std::unique_ptr<TDegradeClass> degrade;

    void FormCreate();
    void FormActivate();

    // Hides the box, sets it to largeur x 213 with the five fields, shows it modally and
    // maps the answer. "E" at once when the box is already showing.
    QString demande(int largeur, const QString& titre, const QString& message, const QString& lettres,
                    const QString& oui, const QString& non);

    static QString lettre_reponse(int resultat);

    // Tests drive the box through this instead of a modal loop: when set, demande() shows
    // the box, calls it (it presses buttons, edits Memo1...), then reads the result.
    std::function<void(TForm6&)> pilote;

protected:
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    QPushButton* bouton(const QString& nom, const QString& texte, int x, int largeur, Resultat r);
    // The box grows to its title, message and text area, up to the screen; the buttons go below.
    void dispose_contenu();

    QPoint appui_;
    bool deplace_ = false;
};

// The picture of the "Quitter" question, drawn by the program itself.
QPixmap image_quitter();

} // namespace vuv
