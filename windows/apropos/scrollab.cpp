#include "windows/apropos/scrollab.h"

#include "platform/SystemeInfo.h"
#include "windows/commun/Textes.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/principale/scroll.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vuv {

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("A propos"));
    auto* l = new QVBoxLayout(this);
    auto etiquette = [this](const char* nom, const QString& texte) {
        auto* e = new QLabel(texte, this);
        e->setObjectName(QLatin1String(nom));
        return e;
    };
    Label1 = etiquette("Label1", QStringLiteral("VUVIVIVA version 3"));
    QFont f = Label1->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    Label1->setFont(f);
    Label13 = etiquette("Label13", QStringLiteral("15-12-2013"));
    Label3 = etiquette("Label3", {});
    const char* noms[8] = {"Label4", "Label5", "Label6", "Label7", "Label8", "Label9", "Label10", "Label11"};
    // The memory figures line up in a fixed-width font, as their spacing expects.
    QFont fixe(QStringLiteral("Monospace"));
    fixe.setStyleHint(QFont::TypeWriter);
    for (int i = 0; i < 8; ++i) {
        memoire[static_cast<std::size_t>(i)] = etiquette(noms[i], {});
        memoire[static_cast<std::size_t>(i)]->setFont(fixe);
    }
    Label12 = etiquette("Label12", {});
    SpeedButton1 = new QPushButton(QStringLiteral("appuyez sur une touche"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    l->addWidget(Label1);
    l->addWidget(Label13);
    l->addSpacing(8);
    l->addWidget(Label3);
    for (QLabel* e : memoire) l->addWidget(e);
    l->addWidget(Label12);
    l->addStretch(1);
    l->addWidget(SpeedButton1);
    resize(460, 380);
    connect(SpeedButton1, &QPushButton::clicked, this, &QWidget::hide);
}

void TForm3::InitializeCaptions() {
    TForm1* f1 = fenetres().Form1;
    InitializeCaptions(ligne_systeme(), memoire_systeme(), f1 ? f1->LxHxC() : QString());
}

void TForm3::InitializeCaptions(const std::string& systeme, const EtatMemoire& m, const QString& image) {
    Label3->setText(qs(systeme));
    const auto textes = libelles_memoire(m);
    for (std::size_t i = 0; i < memoire.size(); ++i) memoire[i]->setText(qs(textes[i]));
    Label12->setText(QStringLiteral("Image=") + image + QStringLiteral(" Ko"));
}

void TForm3::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) InitializeCaptions();
}

void TForm3::keyPressEvent(QKeyEvent*) { hide(); }

} // namespace vuv
