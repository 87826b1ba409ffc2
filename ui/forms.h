#pragma once
// The three windows, created once at start-up in this order and alive until exit.
namespace corvane {

class TForm1;
class TForm2;
class TForm3;

struct Forms
{
    TForm1 *Form1 = nullptr;
    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
};

} // namespace corvane
