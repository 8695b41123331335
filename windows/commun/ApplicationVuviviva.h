#pragma once
// The application object: an error that no handler caught ends that handler only; the user
// sees its message in the general error box and the program goes on.
#include <QApplication>

namespace vuv {

// Qt's own dialogs (choosing a file, a colour) in French, like the rest of the program.
bool installe_traduction_qt(QCoreApplication& application);

class ApplicationVuviviva : public QApplication {
public:
    ApplicationVuviviva(int& argc, char** argv);
    bool notify(QObject* destinataire, QEvent* e) override;
};

} // namespace vuv
