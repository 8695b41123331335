#pragma once
// The results panel Panel3: a movable teal panel holding the memo the measurements write to,
// with its buttons. What depends on the main window's modes is left to it through signals.
#include <QFrame>
#include <QPoint>
#include <QString>

#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace vuv {

class PanneauResultats : public QFrame {
    Q_OBJECT

public:
    explicit PanneauResultats(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Fermer"
    QPushButton* Button2 = nullptr;  // "Vider le texte"
    QPushButton* Button3 = nullptr;  // "Copier -> pp"
    QPushButton* Button4 = nullptr;  // "Rajouter -> pp"
    QPushButton* Button5 = nullptr;  // "Bloc note"

    // 1 while a measurement shows the panel, 0 once closed by Esc or masque_panel3.
    int tag = 0;
    bool place = false; // placed once, then where the user leaves it

    void ajoute_lignes(const std::vector<std::string>& lignes);
    // Memo1 as a text file holds it: every line followed by CR LF.
    std::string texte() const;

    void Button2Click();
    // Both copy buttons: `rajoute` keeps the clipboard's text before the memo's lines.
    void Button3Click(bool rajoute);

signals:
    void fermer();        // Button1
    void echap();         // Esc in Memo1
    void bloc_note();     // Button5
    void relache();       // button released on the panel

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    QPoint appui_;
    bool appuye_ = false; // set by the first left press and never cleared, as the panel has it
};

} // namespace vuv
