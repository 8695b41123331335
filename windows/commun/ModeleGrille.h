#pragma once
// A core table shown by a view without copying it: row 0 of the table is the view's column
// header, table row r is model row r - 1. The table tells the model of its changes, so
// 100 000 rows cost nothing until they are painted.
#include "core/table/Grille.h"

#include <QAbstractTableModel>

#include <functional>

namespace vuv {

class ModeleGrille : public QAbstractTableModel, private Grille::Observateur {
    Q_OBJECT

public:
    // Told when the user typed a change into a cell (not when the table changed by itself).
    std::function<void()> edite;

    explicit ModeleGrille(Grille& grille, QObject* parent = nullptr);
    ~ModeleGrille() override;

    Grille& grille() { return grille_; }
    const Grille& grille() const { return grille_; }

    static int ligne_grille(int ligne_modele) { return ligne_modele + 1; }
    static int ligne_modele(int ligne_grille) { return ligne_grille - 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& valeur, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The table selected one of its rows (a table row number, not a model row).
    void ligne_choisie(int ligne_grille);

private:
    void cellules_changees(int premiere, int derniere) override;
    void structure_changee() override;
    void ligne_selectionnee(int ligne) override;

    Grille& grille_;
    // What the views were last told: Qt wants the old sizes until the change is announced.
    int lignes_ = 0;
    int colonnes_ = 0;
};

} // namespace vuv
