// The workbench's fixed texts, in code page 1250 (the Polish letters as
// escapes; the readable spelling in the comment).
#pragma once

namespace vesk::teksty {

// "bufor pełny"
inline constexpr const char* BuforPelny = "bufor pe\xB3ny";
// "operator ma już 50 węzłów - więcej nie można dodać": the reason, told
// after "bufor pełny" when the operator's tree holds its 50 nodes.
inline constexpr const char* LimitWezlow =
    " - operator ma ju\xBF 50 w\xEAz\xB3\xF3w - wi\xEA" "cej nie mo\xBFna doda\xE6";
// "Nie ustawiono poprawnie bazowego i do edycji: decyzję bazową (symulowaną)
// wybiera w drzewie Ctrl+A lub przycisk "Bazowy", decyzję do edycji Ctrl+B
// lub przycisk "Do edycji"."
inline constexpr const char* NieUstawionoBazowego =
    "Nie ustawiono poprawnie bazowego i do edycji: decyzj\xEA bazow\xB9 (symulowan\xB9) wybiera w drzewie Ctrl+A "
    "lub przycisk \"Bazowy\", decyzj\xEA do edycji Ctrl+B lub przycisk \"Do edycji\".";
// "bazowym może być tylko symulowany"
inline constexpr const char* BazowymTylkoSymulowany = "bazowym mo\xBF" "e by\xE6 tylko symulowany";
// "Należy zainicjować lub aktywować plik operatora!"
inline constexpr const char* NalezyZainicjowac = "Nale\xBFy zainicjowa\xE6 lub aktywowa\xE6 plik operatora!";
// Why a name was refused: the operator files keep the 8.3 names.
inline constexpr const char* NazwaZaDluga =
    "Nazwa operatora mo\xBF" "e mie\xE6 najwy\xBF" "ej 8 znak\xF3w (i rozszerzenie .tr1).";
inline constexpr const char* NazwaPusta = "Nie podano nazwy operatora.";
// "Operator o takiej nazwie już istnieje - czy skasować istniejący"
inline constexpr const char* OperatorIstnieje =
    "Operator o takiej nazwie ju\xBF istnieje - czy skasowa\xE6 istniej\xB9" "cy";
// "Plik już istnieje!"
inline constexpr const char* PlikIstnieje = "Plik ju\xBF istnieje!";
inline constexpr const char* NieWolnoKasowac = "Nie wolno kasowac aktywnego operatora!";
// "Proszę podać nazwę operatora celem inicjacji"
inline constexpr const char* TytulNazywania = "Prosz\xEA poda\xE6 nazw\xEA operatora celem inicjacji";
// "Proszę podać nazwę (format 8.3) operatora"
inline constexpr const char* TytulOtwarcia = "Prosz\xEA poda\xE6 nazw\xEA (format 8.3) operatora";
// "Proszę podać nazwę operatora do SKASOWANIA"
inline constexpr const char* TytulKasowania = "Prosz\xEA poda\xE6 nazw\xEA operatora do SKASOWANIA";
// "Pliki operatorów VeskWin|*.tr1", "Pliki operatorów VeskWin (*.tr1)|*.TR1"
inline constexpr const char* FiltrOperatorow = "Pliki operator\xF3w VeskWin|*.tr1";
inline constexpr const char* FiltrOtwarcia = "Pliki operator\xF3w VeskWin (*.tr1)|*.TR1";
inline constexpr const char* TytulProgramu = "Vesk dla Windows ";
inline constexpr const char* PlikDrzewa = "Plik drzewa";
inline constexpr const char* Root = "Root";

// Captions that follow the selected node: simulated, then not simulated.
// "Formularz decyzyjny - podgląd", "Formularz decyzyjny - wprowadzanie wartości"
inline constexpr const char* FormularzPodglad = "Formularz decyzyjny - podgl\xB9" "d";
inline constexpr const char* FormularzWprowadzanie = "Formularz decyzyjny - wprowadzanie warto\x9C" "ci";
// " - operator tylko do odczytu: zmiany nie zostaną zapisane"
inline constexpr const char* FormularzTylkoDoOdczytu =
    " - operator tylko do odczytu: zmiany nie zostan\xB9 zapisane";
// The title bar's mark of an operator opened read-only.
inline constexpr const char* TytulTylkoDoOdczytu = " (tylko do odczytu)";
// "Podgląd decyzji - F3", "Podgląd/Edycja decyzji - F3"
inline constexpr const char* PodgladDecyzji = "Podgl\xB9" "d decyzji - F3";
inline constexpr const char* PodgladEdycjaDecyzji = "Podgl\xB9" "d/Edycja decyzji - F3";
// "&Podgląd", "Edycja/&Podgląd": the menu item shows its key F3 in its
// shortcut column, not a second time in its caption.
inline constexpr const char* Przeglad = "&Podgl\xB9" "d";
inline constexpr const char* EdycjaPrzeglad = "Edycja/&Podgl\xB9" "d";
inline constexpr const char* Symulowany = "Symulowany";
inline constexpr const char* NieSymulowany = "Nie symulowany";
// "ma potomków lub jest root-em"
inline constexpr const char* MaPotomkow = "ma potomk\xF3w lub jest root-em";

}  // namespace vesk::teksty
