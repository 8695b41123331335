#include "windows/demarrage/Splash.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QThread>
#include <qdrawutil.h>

namespace vuv {
namespace {

constexpr int largeur_client = 418;
constexpr int hauteur_client = 345;

// One screen cursor, as the platform has it: set by any splash, restored by any close.
bool sablier = false;

void met_sablier() {
    if (sablier) return;
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    sablier = true;
}

void enleve_sablier() {
    if (!sablier) return;
    QApplication::restoreOverrideCursor();
    sablier = false;
}

// The three pictures: a scanned map, a calibration cross, a digitized line.
void carte(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(110, 80, 40), 2));
    p.setBrush(QColor(245, 235, 200));
    p.drawRect(r);
    p.setPen(QPen(QColor(150, 120, 70), 1));
    for (int i = 1; i < 4; ++i) {
        QPainterPath courbe;
        const double y = r.top() + r.height() * i / 4.0;
        courbe.moveTo(r.left(), y);
        courbe.cubicTo(r.left() + r.width() / 3, y - 14, r.left() + 2 * r.width() / 3, y + 14, r.right(), y - 4);
        p.setBrush(Qt::NoBrush);
        p.drawPath(courbe);
    }
    p.setPen(QPen(QColor(40, 110, 200), 3));
    p.drawLine(QPointF(r.left() + 10, r.bottom() - 8), QPointF(r.right() - 14, r.top() + 10));
}

void croix(QPainter& p, const QPointF& c) {
    p.setPen(QPen(QColor(220, 0, 0), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 22, 22);
    p.drawLine(c + QPointF(-32, 0), c + QPointF(32, 0));
    p.drawLine(c + QPointF(0, -32), c + QPointF(0, 32));
}

void trace(QPainter& p, const QRectF& r) {
    const QPointF pts[] = {r.bottomLeft() + QPointF(4, -6), QPointF(r.left() + r.width() * 0.3, r.top() + 18),
                           QPointF(r.left() + r.width() * 0.55, r.bottom() - 20),
                           QPointF(r.left() + r.width() * 0.8, r.top() + 8), r.topRight() + QPointF(-4, r.height() / 2)};
    p.setPen(QPen(QColor(20, 20, 120), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(pts, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 0));
    for (const QPointF& pt : pts) p.drawEllipse(pt, 5, 5);
}

} // namespace

int TSplashForm::attente_ms = 2000;

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("V u v i v i v a"));
    setFixedSize(largeur_client, hauteur_client);
    setMouseTracking(true);
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect e = s->geometry();
        move(e.left() + (e.width() - width()) / 2, e.top() + (e.height() - height()) / 2);
    }
    FormCreate();
}

TSplashForm::~TSplashForm() = default;

void TSplashForm::FormCreate() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 150, 100));
    setPalette(pal);
    setAutoFillBackground(true);
    met_sablier();
}

void TSplashForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    qDrawShadePanel(&p, rect(), palette(), false, 3);

    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(40);
    f.setBold(true);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(QColor(120, 40, 0));
    p.drawText(QRect(0, 22, width(), 60), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("V u v i v i v a"));

    carte(p, QRectF(28, 110, 150, 110));
    croix(p, QPointF(300, 165));
    trace(p, QRectF(40, 250, 340, 70));
}

void TSplashForm::mouseMoveEvent(QMouseEvent*) { close(); }

void TSplashForm::closeEvent(QCloseEvent* e) {
    enleve_sablier();
    e->accept();
}

void TSplashForm::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) active_ = true;
        else if (active_ && isVisible()) FormDeactivate();
    }
    QWidget::changeEvent(e);
}

void TSplashForm::FormDeactivate() {
    if (desactive_) return;
    desactive_ = true;
    if (attente_ms > 0) {
        // Let the main window paint once, or it stays blank behind the splash while we wait.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        repaint();
        QThread::msleep(static_cast<unsigned long>(attente_ms));
    }
    hide();
    repaint();
}

} // namespace vuv
