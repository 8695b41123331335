#include "windows/apropos/scrollab.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vuv {

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("A propos"));
    auto* l = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("VUVIVIVA version 3"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont f = Label1->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    Label1->setFont(f);
    Label13 = new QLabel(QStringLiteral("15-12-2013"), this);
    Label13->setObjectName(QStringLiteral("Label13"));
    SpeedButton1 = new QPushButton(QStringLiteral("appuyez sur une touche"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    l->addWidget(Label1);
    l->addWidget(Label13);
    l->addStretch(1);
    l->addWidget(SpeedButton1);
    resize(420, 300);
    connect(SpeedButton1, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm3::keyPressEvent(QKeyEvent*) { hide(); }

} // namespace vuv
