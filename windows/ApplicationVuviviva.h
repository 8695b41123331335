#pragma once
// The application object: an error that no handler caught ends that handler only; the user
// sees its message in the general error box and the program goes on.
#include <QApplication>

namespace vuv {

class ApplicationVuviviva : public QApplication {
public:
    ApplicationVuviviva(int& argc, char** argv);
    bool notify(QObject* destinataire, QEvent* e) override;
};

} // namespace vuv
