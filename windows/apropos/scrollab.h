#pragma once
// TForm3, the about box: version, operating system, memory and background image figures.
// Any key, or its button, hides it.
#include "core/apropos/APropos.h"

#include <QWidget>

#include <array>
#include <string>

class QLabel;
class QPushButton;

namespace vuv {

class TForm3 : public QWidget {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  // version
    QLabel* Label13 = nullptr; // date
    QLabel* Label3 = nullptr;  // operating system
    std::array<QLabel*, 8> memoire{}; // Label4 to Label11
    QLabel* Label12 = nullptr; // background image
    QPushButton* SpeedButton1 = nullptr;

    // The live system's figures and the main window's background.
    void InitializeCaptions();
    void InitializeCaptions(const std::string& systeme, const EtatMemoire& m, const QString& image);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
};

} // namespace vuv
