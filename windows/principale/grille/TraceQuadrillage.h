#pragma once
// The grid drawn over the map view, above the overlay so it never reaches the saved image.
#include <QWidget>

class QAction;
class QMenu;

namespace vuv {

class Calque;
class Document;

class TraceQuadrillage : public QWidget {
    Q_OBJECT

public:
    // Lies over `zone`, follows its size, and puts its checkable item in `options`.
    TraceQuadrillage(QWidget* zone, QMenu* options, const Document& doc, const Calque& calque);
    QAction* action() const { return action_; }
    static QColor couleur();

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    const Document& doc_;
    const Calque& calque_;
    QAction* action_ = nullptr;
};

} // namespace vuv
