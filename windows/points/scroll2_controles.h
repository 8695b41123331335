#pragma once
// The controls of the points window that Qt has no exact match for: the string grid (a view
// over a core table with the grid's events) and the colour panels.
#include <QFrame>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

class QLineEdit;

namespace vuv {

class ModeleGrille;

// What each grid paints besides the texts.
enum class GenreGrille { points, calage, lignes };

class GrilleChaines;

// Paints the current row's highlight and the colour swatches, and reports the editor's keys.
class DelegueGrille : public QStyledItemDelegate {
    Q_OBJECT

public:
    DelegueGrille(GrilleChaines& grille, GenreGrille genre);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editeur, const QModelIndex& index) const override;
    void paint(::QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    GrilleChaines& grille_;
    GenreGrille genre_;
};

// A string grid: cells (column, row) as the core table numbers them, row 0 shown as the
// column header. Typing starts only where the window's rules allow it.
class GrilleChaines : public QTableView {
    Q_OBJECT

public:
    GrilleChaines(ModeleGrille& modele, GenreGrille genre, QWidget* parent = nullptr);

    ModeleGrille& modele() { return modele_; }
    GenreGrille genre() const { return genre_; }

    // The current cell, in table rows (0 when none).
    int col() const;
    int row() const;
    // Makes (col, row) current; a row beyond the table is ignored.
    void choisit(int col, int row);

    // Typing allowed in the current cell (the grid's editing option); the window's rules set it.
    bool saisie = false;
    // Columns typing may ever reach.
    std::function<bool(int col)> colonne_saisissable;

    // The editor open on the current cell, or null.
    QLineEdit* editeur() const;

signals:
    void cellule_choisie(int col, int row); // OnSelectCell, then OnClick
    void souris_enfoncee(Qt::MouseButton bouton, int col, int row); // row -1: outside the cells
    void double_clic(int col, int row);
    void souris_deplacee(int col); // -1 beyond the last column
    void touche(int touche, Qt::KeyboardModifiers etat); // a key the grid itself receives
    void frappe();                 // any key, in the grid or its editor (may come twice)
    void touche_entree();          // Enter, after the editor's text was kept
    void entree();                 // the focus came in
    void sortie();                 // the focus left the grid and its editor
    void texte_edite(QLineEdit* editeur, int col, int row, const QString& texte);
    void couleur_illisible(const QString& texte);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* e) override;
    void keyboardSearch(const QString&) override {}
    void currentChanged(const QModelIndex& courant, const QModelIndex& precedent) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    friend class DelegueGrille;
    // True when the focus now sits outside the grid and its editor.
    bool focus_parti() const;
    void suit_ligne_choisie(int ligne);

    ModeleGrille& modele_;
    GenreGrille genre_;
    DelegueGrille* delegue_;
};

// A plain coloured panel that answers a click (Panel1, Panel2 of the points window).
class PanneauCouleur : public QFrame {
    Q_OBJECT

public:
    PanneauCouleur(const QColor& couleur, QWidget* parent = nullptr);
    QColor couleur() const { return couleur_; }
    void fixe_couleur(const QColor& c);

signals:
    void clic();

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    QColor couleur_;
};

} // namespace vuv
