#pragma once
// The window side of recovery after a crash: this program's recovery kept going (a timer, and
// a look at the document after each input event), and at start the work of programs that did
// not end cleanly offered back.
#include "core/recuperation/Recuperation.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>

namespace vuv {

class TForm2;

class SuiviRecuperation : public QObject {
public:
    // intervalle_s: seconds between two periodic writes.
    SuiviRecuperation(Recuperation& r, int intervalle_s);

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    Recuperation& r_;
    QTimer minuterie_;
};

// Offers back, newest first, the files left by programs no longer running; a damaged one is
// set aside with the reader's messages. True when one was taken: its work is in the document,
// unsaved, its project remembered as the one read, and it now lives in this program's file.
// `montre` puts the windows on screen before a file is read.
bool offre_recuperation(Recuperation& r, TForm2& f2, const std::string& version, const std::function<void()>& montre);

} // namespace vuv
