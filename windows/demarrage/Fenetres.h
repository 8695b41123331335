#pragma once
// The program's windows, each created once at start-up and living until the end. Windows
// reach each other through these pointers, as the program's units do; a window that does
// not exist (a test building one window alone) is a null pointer.

namespace vuv {

class TSplashForm;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm_emf;
class TForm_view_emf;

struct Fenetres {
    TSplashForm* SplashForm = nullptr;
    TForm1* Form1 = nullptr;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    TForm6* Form6 = nullptr;
    TForm7* Form7 = nullptr;
    TForm_emf* Form_emf = nullptr;
    TForm_view_emf* Form_view_emf = nullptr;
};

Fenetres& fenetres();

} // namespace vuv
