#include "windows/question/Unit6.h"

#include "windows/commun/Textes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace vuv {
namespace {

const QColor debut_degrade(0, 0, 140);
const QColor fin_degrade(28, 205, 208);
constexpr int haut_boutons = 164;
constexpr int haut_message = 48;
constexpr int marge = 24;
constexpr int bas_boutons = 23; // below the buttons, as in the design's 213

} // namespace

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    resize(455, 213);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setPixmap(image_quitter());
    Image1->hide();

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont ft = Label2->font();
    ft.setBold(true);
    ft.setPixelSize(13);
    Label2->setFont(ft);
    Label2->setStyleSheet(QStringLiteral("color: rgb(255, 255, 0);"));
    Label2->move(24, 18);

    Defilement = new QScrollArea(this);
    Defilement->setObjectName(QStringLiteral("Defilement"));
    Defilement->setFrameShape(QFrame::NoFrame);
    Defilement->setAutoFillBackground(false);
    Defilement->viewport()->setAutoFillBackground(false);
    Defilement->move(marge, haut_message);

    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont fm(QStringLiteral("Courier New"));
    fm.setStyleHint(QFont::Monospace);
    fm.setBold(true);
    fm.setPointSize(10);
    Label1->setFont(fm);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Defilement->setWidget(Label1);
    // On the gradient, not on a filled rectangle.
    Label1->setAutoFillBackground(false);

    Button2 = bouton(QStringLiteral("Button2"), QStringLiteral("Oui"), 26, 105, mrYes);
    Button1 = bouton(QStringLiteral("Button1"), QStringLiteral("Non"), 160, 105, mrNo);
    Button3 = bouton(QStringLiteral("Button3"), QStringLiteral("Annuler"), 311, 106, mrCancel);
    Button4 = bouton(QStringLiteral("Button4"), QStringLiteral("OK"), 311, 105, mrOk);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(16, 40, 433, 105);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setTabChangesFocus(false);
    Memo1->hide();

    FormCreate();
}

TForm6::~TForm6() = default;

QPushButton* TForm6::bouton(const QString& nom, const QString& texte, int x, int largeur, Resultat r) {
    auto* b = new QPushButton(texte, this);
    b->setObjectName(nom);
    b->setGeometry(x, haut_boutons, largeur, 26);
    b->installEventFilter(this);
    connect(b, &QPushButton::clicked, this, [this, r] { done(r); });
    return b;
}

void TForm6::FormCreate() {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    degrade = std::make_unique<TDegradeClass>();
}

void TForm6::FormActivate() {
    const bool image = (message == QStringLiteral("Quitter"));
    Image1->setVisible(image);
    Label1->setVisible(!image);
    Label2->setVisible(!image);
    if (!image) {
        Label2->move(marge, 18);
        Label1->setStyleSheet(QStringLiteral("color: rgb(0, 255, 255);"));
    }
    Image1->lower();

    Label2->setText(lignes_affichees(titre));
    Label1->setText(lignes_affichees(message));
    Button1->setText(non.isEmpty() ? QStringLiteral("Non") : non);
    Button2->setText(oui.isEmpty() ? QStringLiteral("Oui") : oui);

    Button1->setVisible(lettres.contains(QLatin1Char('N')));
    Button2->setVisible(lettres.contains(QLatin1Char('O')));
    Button3->setVisible(lettres.contains(QLatin1Char('E')));
    Button4->setVisible(lettres.contains(QLatin1Char('K')));

    QFont f = Label1->font();
    f.setPointSize(lettres.contains(QLatin1Char('+')) ? 25 : 10);
    Label1->setFont(f);
    dispose_contenu();
    Image1->setGeometry(rect());

    QPainterPath contour;
    contour.addRoundedRect(QRectF(0, 0, width(), height()), 20, 20);
    setMask(QRegion(contour.toFillPolygon().toPolygon()));

    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect e = ecran->geometry();
        move(e.left() + (e.width() - width()) / 2, e.top() + std::max(0, (e.height() - height()) / 2));
    }
}

void TForm6::dispose_contenu() {
    const QScreen* s = QGuiApplication::primaryScreen();
    const QRect ecran = s ? s->availableGeometry() : QRect(0, 0, 800, 600);
    // The caller's size is the least the box takes.
    const int base_l = width(), base_h = height();
    const bool texte = !Image1->isVisibleTo(this);
    const bool avec_message = texte && !Label1->text().isEmpty();
    const bool avec_memo = !Memo1->isHidden();
    const int barre = style()->pixelMetric(QStyle::PM_ScrollBarExtent);

    Label2->setWordWrap(false);
    Label2->adjustSize();
    Label1->adjustSize();
    int largeur = base_l;
    if (texte) largeur = std::max({largeur, Label2->width() + 2 * marge, Label1->width() + 2 * marge});
    largeur = std::min(largeur, ecran.width());
    const int zone_l = largeur - 2 * marge;
    if (texte && Label2->width() > zone_l) {
        Label2->setWordWrap(true);
        Label2->resize(zone_l, Label2->heightForWidth(zone_l));
    }
    const int bas_titre = texte ? Label2->y() + Label2->height() : 0;

    // From the top: title, message, text area, buttons; the message gives way to the screen.
    const int haut_zone = std::max(haut_message, bas_titre + 8);
    int zone_h = 0;
    if (avec_message) zone_h = Label1->height() + (Label1->width() > zone_l ? barre : 0);
    const int memo_h = avec_memo ? Memo1->height() + 6 : 0;
    const int besoin = haut_zone + zone_h + memo_h + 16 + Button1->height() + bas_boutons;
    if (avec_message && besoin > ecran.height()) zone_h = std::max(3 * barre, zone_h - (besoin - ecran.height()));
    Defilement->setVisible(avec_message);
    Defilement->setGeometry(marge, haut_zone, zone_l, zone_h);

    int bas = avec_message ? haut_zone + zone_h : bas_titre;
    if (avec_memo) {
        const int haut_memo = std::max(40, bas + 6);
        Memo1->setGeometry(16, haut_memo, largeur - 32, Memo1->height());
        bas = haut_memo + Memo1->height();
    }
    const int y_boutons = std::max(haut_boutons, bas + 16);
    // The buttons keep their places in the caller's width, centred in a wider box.
    const int decalage = (largeur - base_l) / 2;
    Button2->move(26 + decalage, y_boutons);
    Button1->move(160 + decalage, y_boutons);
    Button3->move(311 + decalage, y_boutons);
    Button4->move(311 + decalage, y_boutons);
    resize(largeur, std::max(base_h, y_boutons + Button1->height() + bas_boutons));
}

QString TForm6::demande(int largeur, const QString& t, const QString& m, const QString& l,
                        const QString& o, const QString& n) {
    if (isVisible()) return QStringLiteral("E");
    hide();
    resize(largeur, 213);
    titre = t;
    message = m;
    lettres = l;
    oui = o;
    non = n;
    setResult(mrNone);
    if (pilote) {
        show();
        pilote(*this);
        const int r = result();
        hide();
        return lettre_reponse(r);
    }
    return lettre_reponse(exec());
}

QString TForm6::lettre_reponse(int resultat) {
    if (resultat == mrYes) return QStringLiteral("O");
    if (resultat == mrNo) return QStringLiteral("N");
    return QStringLiteral("E");
}

void TForm6::showEvent(QShowEvent* e) {
    FormActivate();
    QDialog::showEvent(e);
}

void TForm6::paintEvent(QPaintEvent*) {
    if (degrade) degrade->peint_degrade(*this, debut_degrade, fin_degrade);
}

void TForm6::keyPressEvent(QKeyEvent* e) {
    // Button1 and Button4 are the Escape buttons; without either, Escape does nothing.
    if (e->key() == Qt::Key_Escape) {
        if (Button1->isVisibleTo(this)) done(mrNo);
        else if (Button4->isVisibleTo(this)) done(mrOk);
        return;
    }
    QDialog::keyPressEvent(e);
}

bool TForm6::eventFilter(QObject* objet, QEvent* e) {
    // The answer is taken on the press, before the button is released.
    if (e->type() == QEvent::MouseButtonPress) {
        if (objet == Button1) { done(mrNo); return true; }
        if (objet == Button2) { done(mrYes); return true; }
        if (objet == Button3) { done(mrCancel); return true; }
        if (objet == Button4) { done(mrOk); return true; }
    }
    return QDialog::eventFilter(objet, e);
}

void TForm6::mousePressEvent(QMouseEvent* e) {
    appui_ = e->position().toPoint();
    deplace_ = true;
}

void TForm6::mouseMoveEvent(QMouseEvent* e) {
    const Qt::MouseButtons b = e->buttons();
    if (deplace_ && (b == Qt::LeftButton || b == Qt::RightButton))
        move(pos() + e->position().toPoint() - appui_);
}

void TForm6::mouseReleaseEvent(QMouseEvent*) { deplace_ = false; }

} // namespace vuv
