#pragma once
// TForm3, the about box. Any key, or its button, hides it.
#include <QWidget>

class QLabel;
class QPushButton;

namespace vuv {

class TForm3 : public QWidget {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  // version
    QLabel* Label13 = nullptr; // date
    QPushButton* SpeedButton1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

} // namespace vuv
