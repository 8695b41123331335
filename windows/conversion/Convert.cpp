#include "windows/conversion/Convert.h"

namespace vuv {

TForm7::TForm7(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Convertions"));
    resize(640, 480);
}

} // namespace vuv
