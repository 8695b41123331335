#include "windows/metafichier/emf_view.h"

namespace vuv {

TForm_view_emf::TForm_view_emf(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form_view_emf"));
    setWindowTitle(QStringLiteral("vue emf"));
    resize(640, 480);
}

} // namespace vuv
