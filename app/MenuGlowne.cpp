#include "MenuGlowne.h"

#include "TekstyOkien.h"

namespace vesk {

namespace {

PozycjaMenu pozycja(const char* nazwa, const char* rodzic, const char* tytul, const char* skrot = "",
                    bool wlaczona = true, bool widoczna = true) {
    return {nazwa, rodzic, cp1250(tytul), skrot, wlaczona, widoczna};
}

}  // namespace

std::vector<PozycjaMenu> MenuGlowne(bool znacznikWsadowy) {
    return {
        pozycja("Plik1", "", "O&perator"),
        pozycja("Nowy1", "Plik1", "&Inicjacja", "F4"),
        pozycja("NowyPlik1", "Plik1", "&Aktywacja", "Shift+F3"),
        pozycja("Zachowajjako1", "Plik1", "Za&chowanie operatora jako...", "Shift+F2", false),
        pozycja("Kasowanieoperatora1", "Plik1", "&Kasowanie", "Shift+Del"),
        pozycja("N4", "Plik1", "-"),
        pozycja("Wyjscie1", "Plik1", "Wyjści&e z programu", "Shift+F4"),

        pozycja("Wzy1", "", "&Decyzje", "", false),
        pozycja("przeglad1", "Wzy1", "&Edycja", "F3"),
        pozycja("Kasowaniewza1", "Wzy1", "&Kasowanie", "Del"),
        pozycja("dodanieweza1", "Wzy1", "Dodanie &nowej decyzji", "Ins", false, false),
        pozycja("Bazowy1", "Wzy1", "Wybór decyzji &bazowej", "Ctrl+A"),
        pozycja("Doedycji1", "Wzy1", "Wybór &decyzji do edycji", "Ctrl+B"),
        pozycja("N1", "Wzy1", "-"),
        pozycja("Formularzdecyzyjny1", "Wzy1", "Podgląd &formularza decyzyjnego", "F7", false),
        pozycja("N5", "Wzy1", "-"),
        pozycja("symuluj", "Wzy1", "Przeprowadzenie &symulacji", "Shift+Ins"),

        pozycja("Rezultaty2", "", "&Rezultaty", "", false),
        pozycja("Produkcja1", "Rezultaty2", "&Produkcja"),
        pozycja("Zapasy1", "Produkcja1", "Zapasy"),
        pozycja("Produkcja2", "Produkcja1", "Produkcja"),
        pozycja("Finanse1", "Rezultaty2", "&Finanse"),
        pozycja("Wskaniki1", "Finanse1", "Wskaźniki"),
        pozycja("pynno1", "Wskaniki1", "płynność"),
        pozycja("zaduenie1", "Wskaniki1", "zadłużenie"),
        pozycja("rentowno1", "Wskaniki1", "rentowność"),
        pozycja("aktywno1", "Wskaniki1", "aktywność"),
        pozycja("Bilans1", "Finanse1", "Bilans"),
        pozycja("Dochodyizyski1", "Finanse1",
                "Rachunek zysków i strat (wariant kalkulacyjny) oraz Rachunek zysków/strat zatrzymanych"),
        pozycja("Rachunekwynikw1", "Finanse1", "Rachunek zysków i strat (wariant porównawczy)"),
        pozycja("Sytuacjapienina1", "Finanse1", "Rachunek przepływów pieniężnych (met. bezpośr.)"),
        pozycja("Koszty1", "Finanse1", "Koszty"),
        pozycja("N3", "Rezultaty2", "-"),
        pozycja("WynikSyntetyczny1", "Rezultaty2", "&Wynik Syntetyczny"),
        pozycja("N2", "Rezultaty2", "-"),
        pozycja("ZapisSprawozdanDoPliku", "Rezultaty2", "&Zapis sprawozdan do pliku"),

        pozycja("Wykresy1", "", "&Wykresy (beta)"),
        pozycja("Zysknetto1", "Wykresy1", "&Zysk netto"),
        pozycja("Sprzeda1", "Wykresy1", "&Sprzedaż"),
        pozycja("Bilans2", "Wykresy1", "Bilans"),

        pozycja("Interpretator", "", "Interpretator", "", false),
        pozycja("Optymalizacja1", "Interpretator", "Optymalizacja: cena + surowce rok 1"),
        pozycja("optymalizacja21", "Interpretator", "optymalizacja: produkcja+cena+surowce"),
        pozycja("Optymalizacja3", "Interpretator", "Test"),

        pozycja("DSS1", "", "DSS"),
        pozycja("Podanienazwyplikuzrozkazami1", "DSS1", "Podanie nazwy pliku z rozkazami", "", true, znacznikWsadowy),
        pozycja("KonstrukcjaWskaznikow", "DSS1", "Konstrukcja Wskaźników", "F6"),
        pozycja("PodanieSurowcochlonnosci", "DSS1", "Surowcochlonnosc", "", true, false),

        pozycja("Pomoc1", "", "&O Programie"),
        pozycja("Informacja1", "Pomoc1", "Informacja"),
    };
}

std::vector<PozycjaMenu> MenuDrzewa() {
    return {
        pozycja("Ustawieniejakowzabazowego1", "", "Wybór decyzji &bazowej"),
        pozycja("Ustawieniejakowzadokopiowania1", "", "Wybór decyzji do edycji"),
        pozycja("KasowanieWza2", "", "&Kasowanie węzła"),
        pozycja("Dodanienowegowza1", "", "&Dodanie nowego węzła", "", true, false),
        pozycja("Przegldanieformularza1", "", "&Podgląd zawartości / edycja węzła"),
    };
}

std::vector<ZmianaMenu> MenuPoWczytaniuDrzewa() { return {{"Wzy1", true}}; }

}  // namespace vesk
