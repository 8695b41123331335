#pragma once
// TForm_view_emf: the test viewer of the metafile window.
#include <QWidget>

namespace vuv {

class TForm_view_emf : public QWidget {
    Q_OBJECT

public:
    explicit TForm_view_emf(QWidget* parent = nullptr);
};

} // namespace vuv
