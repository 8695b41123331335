#pragma once
// A label with a room of its own: a growing text is cut with "…" instead of pushing its
// neighbours (on a tool bar that wraps, onto a new row that shrinks the map). The whole text
// stays in text() and shows in the tooltip.
#include <QLabel>

namespace vuv {

class EtiquetteElidee : public QLabel {
public:
    // caracteres: the room, in average characters of the label's font.
    EtiquetteElidee(const QString& texte, int caracteres, QWidget* parent = nullptr);

    // The text as painted.
    QString texte_visible() const;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
};

} // namespace vuv
