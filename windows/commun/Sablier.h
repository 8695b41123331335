#pragma once
// The hourglass for the length of a scope, restored on every path.
#include <QApplication>
#include <QCursor>

namespace vuv {

class Sablier {
public:
    Sablier() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~Sablier() { QApplication::restoreOverrideCursor(); }
    Sablier(const Sablier&) = delete;
    Sablier& operator=(const Sablier&) = delete;
};

} // namespace vuv
