#pragma once
// TSplashForm, the splash screen shown while the windows are created. A mouse move over it
// closes it; once it has lost the activation to the main window it waits, then hides.
#include <QWidget>

namespace vuv {

class TSplashForm : public QWidget {
    Q_OBJECT

public:
    explicit TSplashForm(QWidget* parent = nullptr);
    ~TSplashForm() override;

    // The wait after losing the activation; it blocks, as the program's start-up does.
    static int attente_ms;

    void FormCreate();
    void FormDeactivate();
    bool a_ete_active() const { return active_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    bool active_ = false;
    bool desactive_ = false;
};

} // namespace vuv
