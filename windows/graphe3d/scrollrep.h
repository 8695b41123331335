#pragma once
// TForm4, the 3D graph of the points: the picture on the left, the buttons on the right.
// While it is active the main window is disabled.
#include "core/graphe/Graphe3D.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;
class QAbstractButton;

namespace vuv {

class Document;

// The picture, copied in one piece; it follows the window's size.
class ZoneGraphe : public QWidget {
    Q_OBJECT

public:
    explicit ZoneGraphe(QWidget* parent);
    QImage image;
    std::function<void()> retaille;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};

class TForm4 : public QWidget {
    Q_OBJECT

public:
    explicit TForm4(Document& document, QWidget* parent = nullptr);

    QAbstractButton* SpeedButton1 = nullptr;  // "Retour"
    QAbstractButton* SpeedButton2 = nullptr;  // rotation: left
    QAbstractButton* SpeedButton3 = nullptr;  // rotation: right
    QAbstractButton* SpeedButton4 = nullptr;  // rotation: top
    QAbstractButton* SpeedButton5 = nullptr;  // rotation: bottom
    QAbstractButton* SpeedButton6 = nullptr;  // "/"
    QAbstractButton* SpeedButton7 = nullptr;  // translation: left
    QAbstractButton* SpeedButton8 = nullptr;  // translation: right
    QAbstractButton* SpeedButton9 = nullptr;  // translation: top
    QAbstractButton* SpeedButton10 = nullptr; // translation: bottom
    QAbstractButton* SpeedButton11 = nullptr; // "*"
    QAbstractButton* SpeedButton12 = nullptr; // "initialisation"
    QAbstractButton* SpeedButton13 = nullptr; // "-"
    QAbstractButton* SpeedButton14 = nullptr; // "+"
    QLabel* Label1 = nullptr; // "zoom"
    QLabel* Label2 = nullptr; // "rotation [flèches]"
    QLabel* Label3 = nullptr; // "translation  [Ctr+flèches]"
    ZoneGraphe* Image1 = nullptr;

    graphe::Graphe3D graphe;
    Document& doc;

    void FormActivate();
    // `rendre_la_main`: the user left the window, so the main window gets the focus back.
    void FormDeactivate(bool rendre_la_main = true);
    void dessine_graphe();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QAbstractButton* bouton(const char* nom, const QString& texte, void (*action)(graphe::Etat&));
    QAbstractButton* fleche(const char* nom, Qt::ArrowType sens, void (*action)(graphe::Etat&));
    void FormCreate();
    bool actif_ = false;
};

} // namespace vuv
