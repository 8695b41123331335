#pragma once
// Lays widgets out left to right and wraps them onto further rows, so the tool bar fits
// any screen width instead of forcing the window wider than the screen.
#include <QLayout>
#include <QList>

namespace vuv {

class DispositionFlux : public QLayout {
public:
    explicit DispositionFlux(QWidget* parent = nullptr, int ecart = 3);
    ~DispositionFlux() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(elements_.size()); }
    QLayoutItem* itemAt(int i) const override { return elements_.value(i); }
    QLayoutItem* takeAt(int i) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int largeur) const override { return dispose(QRect(0, 0, largeur, 0), false); }
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& r) override;

private:
    int dispose(const QRect& r, bool applique) const;

    QList<QLayoutItem*> elements_;
    int ecart_;
};

} // namespace vuv
