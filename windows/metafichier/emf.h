#pragma once
// TForm_emf: rasterising EMF, WMF and BMP drawings into TIFF, JPEG or BMP.
#include <QWidget>

namespace vuv {

class TForm_emf : public QWidget {
    Q_OBJECT

public:
    explicit TForm_emf(QWidget* parent = nullptr);
};

} // namespace vuv
