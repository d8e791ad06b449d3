// The language's verbs over the workbench, the read-outs of the current
// record and the simulation histories.
#pragma once

#include "CzasownikiJezyka.h"
#include "Warsztat.h"

namespace vesk {

class CzasownikiWarsztatu : public CzasownikiJezyka {
public:
    explicit CzasownikiWarsztatu(Warsztat& w) : w_(w), k_(w.k) {}

    void Zmiana_Zlecenia_Interpreter(const std::string& linia) override;
    void Zmiana_Ceny_Interpreter(const std::string& linia) override;
    void Zmiana_Zamowienia_Surowcow_Interpreter(const std::string& linia) override;
    void Zmiana_Dywidendy_Interpreter(const std::string& linia) override;
    void Zmiana_Zadluzenia_Interpreter(const std::string& linia) override;
    void Zmiana_Emisji_Akcji_Interpreter(const std::string& linia) override;
    void Zmiana_Inwestycji_interpreter(const std::string& linia) override;
    void Potwierdzenie() override;

    void Wczytaj_Plik_Interpreter(const std::string& linia) override;
    void Utworz_Plik_Interpreter(const std::string& linia) override;
    void Ustaw_Wezel_Intepreter(const std::string& linia) override;
    void Dodaj_Wezel_Intepreter(const std::string& linia) override;
    void Kasuj_Wezel_Intepreter(const std::string& linia) override;
    void Symuluj_Wezel_Interpreter(const std::string& linia) override;
    void OdswiezWskazniki() override;

    void Odczyt_Interpreter(const std::string& pozycja, const std::string& linia) override;
    void Odczyt_Numeru_Wezla_Interpreter(const std::string& linia) override;
    void Odczyt_Numeru_Wezla_Ojca_Interpreter(const std::string& linia) override;
    void Pokaz_Zmienna_Interpreter(const std::string& linia) override;
    std::string Zanotuj_Zmienna_Interpreter(const std::string& linia) override;

    // The node number last read by "odczyt węzeł".
    int NumerOdczytanegoWezla = 0;

private:
    // A value word: a literal with its first "." turned into the sheet's
    // separator, or a variable's general form.
    std::string wartosc(const std::string& slowo) const;
    void zmiana(const std::string& linia, const char* grupa, int slowoSelektora, int slowoRoku, int slowoWartosci);
    void zapisz(const std::string& nazwa, double v);

    Warsztat& w_;
    Kontekst& k_;
    bool odswiezanie_ = false;
};

}  // namespace vesk
