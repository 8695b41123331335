#pragma once
// TForm4, the 3D graph of the points.
#include <QWidget>

namespace vuv {

class TForm4 : public QWidget {
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);
};

} // namespace vuv
