#pragma once
// TForm5, the help window: a read-only text loaded from "vuviviva.hep" beside the program.
#include <QWidget>

class QPlainTextEdit;

namespace vuv {

class TForm5 : public QWidget {
    Q_OBJECT

public:
    explicit TForm5(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;

    void FormCreate();
    // "vuviviva.hep" in the program folder, else beside the executable; empty when neither.
    static QString chemin_aide();
    // Shows the file's text; false (the text unchanged) when it cannot be read or is too big.
    bool charge(const QString& chemin);
};

} // namespace vuv
