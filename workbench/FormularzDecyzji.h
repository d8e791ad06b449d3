// The decision sheet of the selected node: its header labels, its 36 edit
// boxes and the investment grid as texts, its lock, and the rules that
// turn a record into those texts and the texts back into numbers. The
// windows show it; the workbench fills and confirms it; the command
// language writes its boxes and cells by name.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "Tab.h"
#include "Typy.h"

namespace vesk {

class UserInterface;

// How a box's text relates to its stored value.
enum class Jednostka {
    Wprost,    // as shown; general form with 15 significant digits
    Tysiace,   // prices: shown = stored x 1000, rounded to 4 decimals
    Procent,   // shown = stored x 100, 9 significant digits
    Sztuki,    // share issue: as shown, 9 significant digits
};

// One edit box: its name and where its value lies in the record.
struct PoleFormularza {
    const char* nazwa;
    std::size_t offset;
    Jednostka jednostka;
};

inline constexpr int LiczbaPol = 36;
// The boxes in the order the confirmation stores them: production orders
// (Alfa years 0-2, Beta, Gamma), prices, raw-material orders (White,
// Black, Red), dividend share, debt ratio, share issue.
const std::array<PoleFormularza, LiczbaPol>& PolaFormularza();

// The six groups of boxes as the form shows them: caption (code page
// 1250), the first box's position in PolaFormularza(), the row captions
// (one empty row for the groups of a single row of three years).
struct GrupaPol {
    const char* nazwa;
    const char* tytul;
    int pierwszePole;
    int liczbaWierszy;
    std::array<const char*, 3> wiersze;
};
const std::array<GrupaPol, 6>& GrupyPol();

// What a box may hold, in the units the form shows: production orders,
// prices and raw-material orders never below 0, prices at most their
// range's maximum (parameters 1 to 9); the dividend share, the
// debt ratio and the share issue within their decision ranges (parameters
// 28 to 36 of zakresy.txt) where those were read (minimum below maximum).
struct ZakresPola {
    long double min = 0;
    std::optional<long double> max;
};
// A price's upper bound when zakresy.txt gives its parameter no range.
inline constexpr long double NajwyzszaCenaDomyslna = 1000000;
std::optional<ZakresPola> ZakresPolaFormularza(std::size_t pole,
                                              const Tab<std::pair<std::int32_t, std::int32_t>, 1, 54>& zakresy);

// The nine captions of the grid's popup menu, items N0 .. N8.
const std::array<const char*, 9>& PodpisyWariantow();

// Offset of the schedule entry of product p, year y, project e (from 1).
inline constexpr std::size_t OffsetInwestycji(int p, int y, int e) {
    return 3024 + 144 * static_cast<std::size_t>(p - 1) + 48 * static_cast<std::size_t>(y - 1) +
           24 * static_cast<std::size_t>(e - 1);
}

// The text of a stored value as the sheet shows it, with the separator.
std::string TekstPola(long double zapisana, Jednostka j, char separator);
// The value to store for a box's text; nothing when the text is not a
// number written with that separator.
std::optional<long double> WartoscPola(const std::string& tekst, Jednostka j, char separator);

struct FormularzDecyzji {
    std::string Tytul = "Formularz decyzyjny";
    bool Widoczny = false;
    // Counts the openings (Warsztat::przeglad1Click, whatever command ran
    // it): each one brings the form to the front, also one open already.
    unsigned Otwarcia = 0;
    // The header labels: the node's number, its parent's label or "Root",
    // simulated or not, the period's three years.
    std::string NumerDecyzji, NumerPoprzednika, Status, Rok0, Rok1, Rok2;
    // False for a simulated node: the boxes and the grid are read-only.
    bool Edytowalny = false;
    // The confirm command is offered (hidden for a simulated node).
    bool Potwierdzenie1 = false;

    // The box texts, in the order of PolaFormularza().
    std::array<std::string, LiczbaPol> Pola;
    // StringGrid1: 4 rows by 7 columns; row 0 and column 0 are headings,
    // cell [r][c] for r 1..3 (product), c 1..6 (2y + k + 1) holds a code.
    std::array<std::array<std::string, 7>, 4> Siatka;
    int Wiersz = 1, Kolumna = 1;  // the grid's current cell
    // The variant last chosen in the popup or read when it opened.
    std::int32_t WybranyWariantInwestycji = 0;

private:
    std::array<std::string, LiczbaPol> wypelnionePola_;
    std::array<std::array<std::string, 7>, 4> wypelnionaSiatka_;

public:

    FormularzDecyzji();

    // The box's caption for messages: its group's caption, its row's and
    // its year's ("Ceny wyrobów gotowych [zł. / j. wyr.], Beta, 2013").
    std::string PodpisPola(std::size_t pole) const;
    // The same for grid cell [r][c] ("Inwestycje, Beta, 2013, projekt #2").
    std::string PodpisKomorki(int r, int c) const;

    // True when boxes or cells differ from what the last fill or
    // confirmation put there while the form can be edited: the edits
    // would be lost by a refill.
    bool NiezatwierdzoneZmiany() const;
    // The texts the last fill or confirmation put there, back.
    void PorzucZmiany();
    // What is shown now counts as stored (after a confirmation).
    void ZapamietajStan();

    // The box of this name (e.g. "cena_beta_1"); null for no such box.
    std::string* Pole(const std::string& nazwa);

    // 1 unlocks, 0 locks, any other value changes nothing.
    void UstawEdytowalny(unsigned char flaga);
    // The boxes and the grid from a record.
    void Wypelnij_Formularz_Decyzyjny(const StanModelu& rec, char separator);

    // A key typed in the grid: "0".."8" write the digit; true for Enter,
    // which opens the popup (PopupMenu2Popup, then the window shows it and
    // KoniecPopupu rewrites the cell).
    bool StringGrid1KeyPress(char klawisz);
    // The popup opens on the current cell: the item to mark as default,
    // or nothing when the cell holds no code (a text that is not a whole
    // number is told through ui).
    std::optional<int> PopupMenu2Popup(UserInterface& ui);
    // After Enter's popup: the cell from the chosen variant ("" for 0).
    void KoniecPopupu();
    // Item N0 .. N8 chosen.
    void NClick(int pozycja);
};

}  // namespace vesk
