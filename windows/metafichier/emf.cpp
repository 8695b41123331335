#include "windows/metafichier/emf.h"

namespace vuv {

TForm_emf::TForm_emf(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form_emf"));
    setWindowTitle(QStringLiteral("e m f"));
    resize(640, 480);
}

} // namespace vuv
