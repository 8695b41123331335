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

// What the user reads in the box; null for a combo box that cannot be typed into.
QString texte(const QWidget* w) {
    if (const auto* l = qobject_cast<const QLineEdit*>(w)) return l->text();
    if (const auto* s = qobject_cast<const QAbstractSpinBox*>(w)) return s->text();
    const auto* c = qobject_cast<const QComboBox*>(w);
    return c->isEditable() ? c->currentText() : QString();
}

} // namespace

class TestSaisieClavier : public QObject {
    Q_OBJECT

private slots:
    void chaqueBoiteDeLaFenetrePrincipalePrendCeQuOnYTape() {
        DossierProgrammeTest dossier;
        auto t = demarre();
        TForm1& f = *t->programme->Form1;
        QImage fond(400, 300, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        remplit(t->programme->document, {3, 2});
        QVERIFY(active(&f));
        const Instantane avant = Instantane::de(t->programme->document);
        QStringList vues;
        for (QWidget* w : f.findChildren<QWidget*>()) {
            // A spin box's or combo box's own line edit is typed through its box.
            if (!boite(w) || w->window() != &f || boite(w->parentWidget())) continue;
            QWidgetList ouverts; // what hides the box, opened as the user opens its panel
            for (QWidget* p = w; p != &f; p = p->parentWidget())
                if (p->isHidden()) ouverts << p;
            for (QWidget* p : ouverts) p->show();
            if (w->isEnabled()) {
                vues << w->objectName();
                w->setFocus();
                for (QKeyCombination k : {Qt::CTRL | Qt::Key_A, QKeyCombination(Qt::Key_Delete), QKeyCombination(Qt::Key_1),
                                          QKeyCombination(Qt::Key_2), QKeyCombination(Qt::Key_Backspace),
                                          QKeyCombination(Qt::Key_3), QKeyCombination(Qt::Key_Control),
                                          QKeyCombination(Qt::Key_4)})
                    QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
                const QString vu = texte(w);
                QVERIFY2(vu.isNull() || vu == QStringLiteral("134"), qPrintable(w->objectName() + QLatin1Char(' ') + vu));
                const std::string ecart = difference(avant, Instantane::de(t->programme->document));
                QVERIFY2(ecart.empty(), qPrintable(w->objectName() + QLatin1Char(' ') + QString::fromStdString(ecart)));
            }
            for (QWidget* p : ouverts) p->hide();
        }
        // The walk reached the tool bar's, the panels' and the spreadsheet dock's boxes.
        for (const char* nom : {"Edit2", "Edit12_z", "Edit14", "Edit4"}) QVERIFY2(vues.contains(QLatin1String(nom)), nom);
    }
};

QTEST_MAIN(TestSaisieClavier)
#include "tst_saisie_clavier.moc"
