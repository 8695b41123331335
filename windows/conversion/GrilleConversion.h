#pragma once
// The conversion window's grid: a view over the worksheet's core table that reports the
// mouse presses the ellipsoid chooser needs and the paste key.
#include <QTableView>

namespace vuv {

class ModeleGrille;

class GrilleConversion : public QTableView {
    Q_OBJECT

public:
    GrilleConversion(ModeleGrille& modele, QWidget* parent = nullptr);

    // The current cell in table rows (row 0 is the header, so 0 means none).
    int col() const;
    int row() const;
    void choisit(int col, int row);

signals:
    void souris_enfoncee(Qt::MouseButton bouton);
    void colle();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    ModeleGrille& modele_;
};

} // namespace vuv
