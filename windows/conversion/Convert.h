#pragma once
// TForm7: conversions of coordinates between UTM and latitude/longitude.
#include <QWidget>

namespace vuv {

class TForm7 : public QWidget {
    Q_OBJECT

public:
    explicit TForm7(QWidget* parent = nullptr);
};

} // namespace vuv
