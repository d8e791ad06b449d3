// The verbs of the command language: what a line hands to the workbench,
// the read-outs and the display. The executor decides which verbs a line
// calls and calls them only through this interface; each verb reads its
// own words from the line it gets (for "zmiana" and "odczyt" the line cut
// after the keyword). A fault is a BladSkryptu.
#pragma once

#include <string>

namespace vesk {

class CzasownikiJezyka {
public:
    virtual ~CzasownikiJezyka() = default;

    // Decisions (cut line: the group word first); the executor confirms the
    // sheet after each "zmiana" line with Potwierdzenie.
    virtual void Zmiana_Zlecenia_Interpreter(const std::string& linia) = 0;
    virtual void Zmiana_Ceny_Interpreter(const std::string& linia) = 0;
    virtual void Zmiana_Zamowienia_Surowcow_Interpreter(const std::string& linia) = 0;
    virtual void Zmiana_Dywidendy_Interpreter(const std::string& linia) = 0;
    virtual void Zmiana_Zadluzenia_Interpreter(const std::string& linia) = 0;
    virtual void Zmiana_Emisji_Akcji_Interpreter(const std::string& linia) = 0;
    virtual void Zmiana_Inwestycji_interpreter(const std::string& linia) = 0;
    virtual void Potwierdzenie() = 0;

    // Nodes and operator files (the whole line).
    virtual void Wczytaj_Plik_Interpreter(const std::string& linia) = 0;
    virtual void Utworz_Plik_Interpreter(const std::string& linia) = 0;
    virtual void Ustaw_Wezel_Intepreter(const std::string& linia) = 0;
    virtual void Dodaj_Wezel_Intepreter(const std::string& linia) = 0;
    virtual void Kasuj_Wezel_Intepreter(const std::string& linia) = 0;
    virtual void Symuluj_Wezel_Interpreter(const std::string& linia) = 0;
    // After a node was simulated from a called file.
    virtual void OdswiezWskazniki() = 0;

    // Read-outs (cut line) and display.
    virtual void Odczyt_Interpreter(const std::string& pozycja, const std::string& linia) = 0;
    virtual void Odczyt_Numeru_Wezla_Interpreter(const std::string& linia) = 0;
    virtual void Odczyt_Numeru_Wezla_Ojca_Interpreter(const std::string& linia) = 0;
    virtual void Pokaz_Zmienna_Interpreter(const std::string& linia) = 0;
    // The text the executor writes as one line of the report file.
    virtual std::string Zanotuj_Zmienna_Interpreter(const std::string& linia) = 0;
};

}  // namespace vesk
