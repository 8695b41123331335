#pragma once
// Image1, the main window's image area. Until a view exists it shows the background colour.
#include <QColor>
#include <QWidget>

namespace vuv {

class ZoneImage : public QWidget {
    Q_OBJECT

public:
    explicit ZoneImage(QWidget* parent = nullptr);

    void fixe_couleur_fond(const QColor& c);
    QColor couleur_fond() const { return fond_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor fond_{100, 100, 100};
};

} // namespace vuv
