#include "windows/principale/mesure/PanneauResultats.h"

#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Textes.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace vuv {
namespace {

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte, const QString& bulle) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setToolTip(bulle);
    b->setFocusPolicy(Qt::TabFocus); // a click leaves the focus in the memo
    return b;
}

std::vector<std::string> lignes_du_texte(const std::string& t) {
    std::vector<std::string> l;
    std::string courante;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '\r' || c == '\n') {
            l.push_back(courante);
            courante.clear();
            if (c == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
        } else {
            courante.push_back(c);
        }
    }
    if (!courante.empty()) l.push_back(courante);
    return l;
}

std::string lignes_crlf(const std::vector<std::string>& lignes) {
    std::string t;
    for (const std::string& l : lignes) t += l + "\r\n";
    return t;
}

std::vector<std::string> lignes_memo(const QPlainTextEdit* m) {
    std::vector<std::string> l;
    if (m->document()->isEmpty()) return l;
    for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next()) l.push_back(ss(b.text()));
    return l;
}

} // namespace

PanneauResultats::PanneauResultats(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel3"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setStyleSheet(QStringLiteral("QFrame#Panel3 { background-color: rgb(0, 128, 128); }"));
    resize(560, 280);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setTabStopDistance(8 * Memo1->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    Memo1->installEventFilter(this);

    Button1 = bouton(this, "Button1", QStringLiteral("Fermer"), QString());
    Button2 = bouton(this, "Button2", QStringLiteral("Vider le texte"), QStringLiteral("Efface le texte"));
    Button3 = bouton(this, "Button3", QStringLiteral("Copier -> pp"),
                     QStringLiteral("Copie l'ensemble du texte dans le presse-papier"));
    Button4 = bouton(this, "Button4", QStringLiteral("Rajouter -> pp"),
                     QStringLiteral("Rajoute l'ensemble du texte dans le presse-papier"));
    Button5 = bouton(this, "Button5", QStringLiteral("Bloc note"), QString());

    auto* boutons = new QHBoxLayout;
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5}) boutons->addWidget(b);
    boutons->addStretch(1);
    auto* l = new QVBoxLayout(this);
    // The wide top margin is where the panel is grabbed to move it.
    l->setContentsMargins(8, 16, 8, 8);
    l->addWidget(Memo1, 1);
    l->addLayout(boutons);

    connect(Button1, &QPushButton::clicked, this, &PanneauResultats::fermer);
    connect(Button2, &QPushButton::clicked, this, &PanneauResultats::Button2Click);
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(false); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button3Click(true); });
    connect(Button5, &QPushButton::clicked, this, &PanneauResultats::bloc_note);
    hide();
}

void PanneauResultats::ajoute_lignes(const std::vector<std::string>& lignes) {
    for (const std::string& l : lignes) Memo1->appendPlainText(qs(l));
}

std::string PanneauResultats::texte() const { return lignes_crlf(lignes_memo(Memo1)); }

void PanneauResultats::Button2Click() { Memo1->clear(); }

void PanneauResultats::Button3Click(bool rajoute) {
    const std::string avant = rajoute ? port().presse_papier_lit() : std::string();
    if (rajoute && !avant.empty()) {
        std::vector<std::string> l = lignes_du_texte(avant);
        for (std::string& m : lignes_memo(Memo1)) l.push_back(std::move(m));
        port().presse_papier_ecrit(lignes_crlf(l));
        port().information("le texte à été rajouté dans le presse papier");
        return;
    }
    port().presse_papier_ecrit(texte());
    port().information("le texte à été copié dans le presse papier");
}

void PanneauResultats::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        appui_ = e->position().toPoint();
        appuye_ = true;
    }
    QFrame::mousePressEvent(e);
}

void PanneauResultats::mouseMoveEvent(QMouseEvent* e) {
    const Qt::MouseButtons b = e->buttons();
    const bool un_seul = b == Qt::LeftButton || b == Qt::RightButton;
    if (appuye_ && un_seul && e->modifiers() == Qt::NoModifier)
        move(pos() + e->position().toPoint() - appui_);
    QFrame::mouseMoveEvent(e);
}

void PanneauResultats::mouseReleaseEvent(QMouseEvent* e) {
    emit relache();
    QFrame::mouseReleaseEvent(e);
}

bool PanneauResultats::eventFilter(QObject* objet, QEvent* e) {
    if (objet == Memo1 && e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        emit echap();
        return true;
    }
    return QFrame::eventFilter(objet, e);
}

} // namespace vuv
