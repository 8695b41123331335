#pragma once
// TForm5, the help window: a read-only text loaded from "vuviviva.hep" in the program folder.
#include <QWidget>

class QPlainTextEdit;

namespace vuv {

class TForm5 : public QWidget {
    Q_OBJECT

public:
    explicit TForm5(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;

    void FormCreate();
};

} // namespace vuv
