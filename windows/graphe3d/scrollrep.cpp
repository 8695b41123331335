#include "windows/graphe3d/scrollrep.h"

namespace vuv {

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("   Graphe 3D"));
    resize(640, 480);
}

} // namespace vuv
