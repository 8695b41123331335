// What is typed in a box of the main window goes to that box: the key table (Ctrl digitizes,
// Suppr deletes the last point...) acts only when the map or a button has the focus.
#include "tests/support/Banc.h"
#include "tests/support/Instantane.h"
#include "tests/support/Tableaux.h"

#include "core/document/Document.h"
#include "windows/principale/scroll.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

namespace {

bool boite(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QComboBox*>(w);
}

// What the user reads in the box; empty for a combo box that cannot be typed into.
QString texte(const QWidget* w) {
    if (const auto* l = qobject_cast<const QLineEdit*>(w)) return l->text();
    if (const auto* s = qobject_cast<const QAbstractSpinBox*>(w)) return s->text();
    const auto* c = qobject_cast<const QComboBox*>(w);
    return c && c->isEditable() ? c->currentText() : QString();
}

// Opens what hides the box, as the user opens its panel; returns what was opened.
QList<QWidget*> ouvre(QWidget* w, const QWidget* fenetre) {
    QList<QWidget*> ouverts;
    for (QWidget* p = w; p && p != fenetre; p = p->parentWidget())
        if (p->isHidden()) ouverts.prepend(p);
    for (QWidget* p : ouverts) p->show();
    return ouverts;
}

void touche(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), k, m);
}

} // namespace

class TestSaisieClavier : public QObject {
    Q_OBJECT

private slots:
    void chaqueBoiteDeLaFenetrePrincipalePrendCeQuOnYTape() {
        DossierProgrammeTest dossier;
        auto t = demarre();
        TForm1& f = *t->programme->Form1;
        Document& d = t->programme->document;
        QImage fond(400, 300, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        remplit(d, {3, 2});
        f.redessiner_calque();
        QVERIFY(active(&f));
        const Instantane avant = Instantane::de(d);

        QStringList vues;
        for (QWidget* w : f.findChildren<QWidget*>()) {
            // A spin box's or combo box's own line edit is typed through its box.
            if (!boite(w) || w->window() != &f || boite(w->parentWidget())) continue;
            const QList<QWidget*> ouverts = ouvre(w, &f);
            if (!w->isEnabled()) {
                for (QWidget* p : ouverts) p->hide();
                continue;
            }
            vues << w->objectName();
            w->setFocus();
            QVERIFY2(w->hasFocus(), qPrintable(w->objectName()));
            touche(Qt::Key_A, Qt::ControlModifier);
            touche(Qt::Key_Delete);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
            touche(Qt::Key_Backspace);
            touche(Qt::Key_3);
            touche(Qt::Key_Control);
            touche(Qt::Key_4);
            if (!texte(w).isEmpty() || qobject_cast<QLineEdit*>(w))
                QVERIFY2(texte(w) == QStringLiteral("134"), qPrintable(w->objectName() + QStringLiteral(": ") + texte(w)));
            const std::string ecart = difference(avant, Instantane::de(d));
            QVERIFY2(ecart.empty(), qPrintable(w->objectName() + QStringLiteral(": ") + QString::fromStdString(ecart)));
            for (QWidget* p : ouverts) p->hide();
        }
        // The walk reached the tool bar's, the altitude panel's and the spreadsheet panel's boxes.
        for (const char* nom : {"Edit2", "Edit12_z", "Edit14", "Edit4"})
            QVERIFY2(vues.contains(QString::fromLatin1(nom)), nom);
    }
};

QTEST_MAIN(TestSaisieClavier)
#include "tst_saisie_clavier.moc"
