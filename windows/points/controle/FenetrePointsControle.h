#pragma once
// The control points of the calibration: each point ticked or not, its pixel and real
// coordinates, its residual; the transformation chosen, the RMS error and the worst point.
#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace vuv {

class Document;

class FenetrePointsControle : public QWidget {
    Q_OBJECT
public:
    explicit FenetrePointsControle(Document& doc, QWidget* parent = nullptr);

    // The table shown again from the document (after a project was read, points imported).
    void relit();

    QTableWidget* table() const { return table_; }
    QComboBox* methode() const { return methode_; }
    QLabel* bilan() const { return bilan_; }

    enum Colonne { utilise, nom, x, y, X, Y, dX, dY, d, dx, dy, dpx, nb_colonnes };

private:
    void cellule_changee(QTableWidgetItem* item);
    void methode_changee(int index);
    void ajoute();
    void supprime();
    void importe();
    void exporte();
    // Fits again, rewrites every point and shows the residuals.
    void applique();
    void affiche_residus();

    Document& doc_;
    QComboBox* methode_;
    QTableWidget* table_;
    QLabel* bilan_;
    bool remplit_ = false;
};

} // namespace vuv
